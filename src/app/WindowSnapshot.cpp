// SPDX-License-Identifier: MIT
#include "app/WindowSnapshot.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QSlider>
#include <QTimer>

#include <cstdio>
#include <utility>

#include "app/UiMapView.h"
#include "app/frmGeoref.h"
#include "app/frmSCR.h"
#include "app/frmViewTime.h"
#include "model/Coordinates.h"
#include "net/ServerSettings.h"
#include "net/frmGetXyz.h"
#include "net/frmImport.h"
#include "output/frmTimelapse.h"
#include "render/CompareComposer.h"
#include "render/TilePrefetcher.h"

namespace kavalo {

namespace {

// The size of the pictures in the manual: the window as a laptop shows it.
constexpr int kWidth = 1120;
constexpr int kHeight = 720;

// The listed era whose label starts with text (the sample region's eras are
// named by their years), or -1.
int listedEra(const frmSCR& w, const QString& text) {
  for (int i = 0; i < w.cboAge->count(); ++i)
    if (w.cboAge->itemText(i).startsWith(text)) return i;
  return -1;
}

// A window of its own the scene shows instead of the main window.
QPointer<QWidget> sceneWindow;

void compare(frmSCR& w, CompareMode mode, const QString& eraA, const QString& eraB) {
  const int a = listedEra(w, eraA), b = listedEra(w, eraB);
  if (a >= 0) w.cboAge->setCurrentIndex(a);
  if (b >= 0) w.cboAgeB->setCurrentIndex(b);
  w.cboCompareMode->setCurrentIndex(static_cast<int>(mode));
  if (!w.chkCompare->isChecked()) {
    w.chkCompare->setChecked(true);
    w.chkCompare_Click();
  }
}

void pointAt(frmSCR& w, double fx, double fy) {
  const QPointF at(w.picPrint->width() * fx, w.picPrint->height() * fy);
  w.picPrint_MouseMove(Qt::NoButton, at.x(), at.y());
}

// A place of the view at fractions of its width and height, in degrees.
LatLon placeAt(frmSCR& w, double fx, double fy) {
  const ImagePoint p = w.state().viewport().ScreenToImage(w.picPrint->width() * fx, w.picPrint->height() * fy);
  return ImageToLatLon(w.state().mapInfo, p.x, p.y, 1);
}

// A walk drawn over the view, written beside the data folder's files as a
// user's GPX track would be.
void openSampleTrack(frmSCR& w) {
  const double fractions[][2] = {{0.22, 0.70}, {0.32, 0.58}, {0.41, 0.55}, {0.50, 0.44}, {0.58, 0.40}, {0.70, 0.28}};
  QString points;
  for (const auto& f : fractions) {
    const LatLon at = placeAt(w, f[0], f[1]);
    points += QStringLiteral("<trkpt lat=\"%1\" lon=\"%2\"/>").arg(at.lat, 0, 'f', 6).arg(at.lon, 0, 'f', 6);
  }
  const LatLon shrine = placeAt(w, 0.62, 0.62);
  const QString gpx = QStringLiteral(
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"Kavalo\" "
                          "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<wpt lat=\"%1\" "
                          "lon=\"%2\"><name>神社</name></wpt>\n"                                    // stored
                          "<trk><name>旧道を歩いた記録</name><trkseg>%3</trkseg></trk>\n</gpx>\n")  // stored
                          .arg(shrine.lat, 0, 'f', 6)
                          .arg(shrine.lon, 0, 'f', 6)
                          .arg(points);
  const QString path = QDir(w.state().datasetFolder).filePath(QStringLiteral("旧道.gpx"));  // stored
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(gpx.toUtf8()) >= 0 && file.commit()) w.openOverlayFile(path);
}

// A dialog of the window shown beside it for its picture (it lives as long
// as the window; the picture is taken of it alone).
void showDialog(frmSCR& w, QDialog* dialog, const char* name) {
  if (dialog->objectName().isEmpty()) dialog->setObjectName(QString::fromLatin1(name));
  dialog->setModal(false);
  dialog->show();
  QApplication::processEvents();
}

}  // namespace

bool isSnapshotScene(const QString& scene) {
  static const QStringList scenes = {
      QStringLiteral("main"),         QStringLiteral("compare-side"),  QStringLiteral("compare-swipe"),
      QStringLiteral("compare-lens"), QStringLiteral("compare-blend"), QStringLiteral("online"),
      QStringLiteral("keyboard"),     QStringLiteral("overlay"),       QStringLiteral("ruler"),
      QStringLiteral("links"),        QStringLiteral("era-settings"),  QStringLiteral("xyz"),
      QStringLiteral("import"),       QStringLiteral("film-dialog"),   QStringLiteral("georef")};
  return scenes.contains(scene);
}

bool setUpSnapshotScene(frmSCR& w, const QString& scene) {
  if (!isSnapshotScene(scene) || !w.state().view.loaded) return false;
  w.showNormal();
  w.resize(kWidth, kHeight);
  QApplication::processEvents();
  if (scene == QStringLiteral("main") || scene == QStringLiteral("keyboard")) {
    pointAt(w, 0.45, 0.5);
  } else if (scene == QStringLiteral("compare-side")) {
    compare(w, CompareMode::Side, QStringLiteral("1909"), QStringLiteral("2001"));
    pointAt(w, 0.3, 0.45);
  } else if (scene == QStringLiteral("compare-swipe")) {
    compare(w, CompareMode::Swipe, QStringLiteral("1909"), QStringLiteral("2001"));
    pointAt(w, 0.7, 0.45);
  } else if (scene == QStringLiteral("compare-lens")) {
    compare(w, CompareMode::Lens, QStringLiteral("1970"), QStringLiteral("1909"));
    pointAt(w, 0.45, 0.5);
  } else if (scene == QStringLiteral("compare-blend")) {
    compare(w, CompareMode::Blend, QStringLiteral("1909"), QStringLiteral("2001"));
    w.SliderOpacity->setValue(40);
    pointAt(w, 0.45, 0.5);
  } else if (scene == QStringLiteral("overlay")) {
    openSampleTrack(w);
    pointAt(w, 0.45, 0.5);
  } else if (scene == QStringLiteral("ruler")) {
    w.cmdRuler->setChecked(true);
    w.cmdRuler_Click();
    for (const auto& f : {std::pair{0.25, 0.65}, std::pair{0.45, 0.40}, std::pair{0.68, 0.52}})
      w.rulerClick(w.picPrint->width() * f.first, w.picPrint->height() * f.second);
    pointAt(w, 0.55, 0.72);
  } else if (scene == QStringLiteral("links")) {
    pointAt(w, 0.45, 0.5);
    // The map's menu, as a right click opens it.
    w.mnuPopUpMenu->adjustSize();
  } else if (scene == QStringLiteral("era-settings")) {
    auto* dialog = new frmViewTime(w.state(), w.prompts(), w.cboAge, &w);
    showDialog(w, dialog, "frmViewTime");
    dialog->lstEra->setCurrentRow(0);
  } else if (scene == QStringLiteral("xyz")) {
    showDialog(
        w,
        new frmGetXyz(w.state(), w.prompts(), XyzFetcher(), readServerSettings(w.state().rootFolder).xyzTemplate, &w),
        "frmGetXyz");
  } else if (scene == QStringLiteral("import")) {
    showDialog(w, new frmImport(w.state(), w.prompts(), &w), "frmImport");
  } else if (scene == QStringLiteral("film-dialog")) {
    // The film dialog over the view, for KAVALO_SNAPSHOT_WIDGET=frmTimelapse.
    auto* film = new frmTimelapse(w.state(), w.prompts(), w.viewRequest(RenderPass::Export), &w);
    film->setAttribute(Qt::WA_DeleteOnClose);
    film->adjustSize();
  } else if (scene == QStringLiteral("georef")) {
    frmGeoref* georef = openGeorefSnapshot(w.state(), w.prompts(), &w);
    if (!georef) return false;
    georef->resize(kWidth + 160, kHeight + 40);
    georef->show();
    QApplication::processEvents();
    georef->updatePreview();
    sceneWindow = georef;
  } else if (scene == QStringLiteral("online")) {
    w.setOnlineLook(true);
    w.showDownloadNotice(true);
    pointAt(w, 0.45, 0.5);
  }
  // The era's name flashed by a step would hide part of the picture.
  w.picTime->hide();
  return true;
}

bool scheduleSnapshotFromEnvironment(frmSCR& w) {
  const QString file = qEnvironmentVariable("KAVALO_SNAPSHOT");
  if (file.isEmpty()) return false;
  const QString scene = qEnvironmentVariable("KAVALO_SNAPSHOT_SCENE", QStringLiteral("main"));
  const QString part = qEnvironmentVariable("KAVALO_SNAPSHOT_WIDGET");
  QTimer::singleShot(0, &w, [&w, file, scene, part] {
    bool ok = setUpSnapshotScene(w, scene);
    // The tiles decoded in the background are drawn before the picture is taken.
    TilePrefetcher::shared().waitIdle();
    w.PrintGazo();
    QApplication::processEvents();
    w.picTime->hide();
    QWidget* whole = sceneWindow ? sceneWindow.data() : static_cast<QWidget*>(&w);
    QWidget* shown = part.isEmpty() ? whole : whole->findChild<QWidget*>(part);
    QImage picture = ok && shown != nullptr ? shown->grab().toImage() : QImage();
    QSaveFile out(file);
    ok = !picture.isNull() && out.open(QIODevice::WriteOnly) && picture.save(&out, "PNG") && out.commit();
    if (!ok)
      std::fprintf(stderr, "kavalo: no snapshot of scene %s written to %s\n", qPrintable(scene), qPrintable(file));
    w.hide();
    QApplication::exit(ok ? 0 : 1);
  });
  return true;
}

}  // namespace kavalo
