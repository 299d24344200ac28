#include "app/WindowSnapshot.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QSaveFile>
#include <QSlider>
#include <QTimer>

#include <cstdio>

#include "app/UiMapView.h"
#include "app/frmGeoref.h"
#include "app/frmSCR.h"
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

}  // namespace

bool isSnapshotScene(const QString& scene) {
  static const QStringList scenes = {QStringLiteral("main"),          QStringLiteral("compare-side"),
                                     QStringLiteral("compare-swipe"), QStringLiteral("compare-lens"),
                                     QStringLiteral("compare-blend"), QStringLiteral("online"),
                                     QStringLiteral("keyboard"),      QStringLiteral("georef")};
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
