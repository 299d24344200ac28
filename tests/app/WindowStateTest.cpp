// SPDX-License-Identifier: MIT
// The main window as a user meets it: the readout describes only places on
// the map, a folder that cannot be shown leaves nothing live behind, the
// datum button refreshes at once, and the wheel's direction is a setting.
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <memory>

#include "app/UiMapView.h"
#include "app/WindowSettings.h"
#include "app/frmSCR.h"
#include "elevation/frmLegend.h"
#include "geo/CursorReadout.h"
#include "geo/Navigation.h"
#include "model/Settings.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// A window on two data folders: "a" can be shown, "b" has no mapinfo.txt.
struct Window {
  test::RootFixture root;
  ScriptedPrompts prompts;
  std::unique_ptr<frmSCR> w;

  Window() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}, {QStringLiteral("空"), QStringLiteral("b")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    QDir().mkpath(root.path(QStringLiteral("b")));
    ScreenInfo screen;
    screen.widthPx = 1600;
    screen.heightPx = 1200;
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->resize(1000, 760);
    QCoreApplication::processEvents();
  }
  ~Window() { w->Form_Unload(); }

  ProgramState& st() { return w->state(); }
  QVariant caption() const { return w->lblInfo->property("caption"); }
  void key(int k, Qt::KeyboardModifiers m) {
    QKeyEvent press(QEvent::KeyPress, k, m);
    QCoreApplication::sendEvent(w->picPrint, &press);
    QKeyEvent release(QEvent::KeyRelease, k, m);
    QCoreApplication::sendEvent(w->picPrint, &release);
  }
  void wheel(int angle) {
    QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&e);
    QCoreApplication::instance()->notify(w->picPrint, &e);
  }
  void moveOverMap(QPointF at) {
    QMouseEvent e(QEvent::MouseMove, at, w->picPrint->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w->picPrint, &e);
  }
  // The readout the program gives for a view pixel in the current view.
  QString expectedAt(QPointF at) const {
    return computePointInfo(w->state(), w->state().viewport(), static_cast<float>(at.x()), static_cast<float>(at.y()))
        .lblInfo;
  }
};

// The coverage strip shows cells: more than the one colour of its background.
bool showsCells(QWidget* strip) {
  const QImage image = strip->grab().toImage();
  QSet<QRgb> colours;
  for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, image.height() / 2));
  return colours.size() > 1;
}

}  // namespace

TEST(WindowReadout, ChangesMadeWithoutTheMouseDescribeOnlyAPointerRestingOnTheMap) {
  Window f;
  ASSERT_TRUE(f.st().view.loaded);
  ASSERT_GT(f.w->picPrint->width(), 200);
  // The pointer over the panel: keys, the era list and the zoom slider
  // change the view, but the readout keeps what it showed (nothing yet).
  QCursor::setPos(f.w->picBox->mapToGlobal(QPoint(100, 300)));
  f.key(Qt::Key_Up, Qt::ShiftModifier);
  f.key(Qt::Key_Right, Qt::ShiftModifier);
  f.w->SliderZoom->setValue(200);
  EXPECT_FALSE(f.caption().isValid());
  EXPECT_EQ(f.w->lblInfo->text(), QStringLiteral("現在地の標高："));

  // The pointer on the map: the same changes describe the point under it.
  const QPoint onMap(120, 90);
  QCursor::setPos(f.w->picPrint->mapToGlobal(onMap));
  f.key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(f.caption().toString(), f.expectedAt(onMap));
  const QString shown = f.caption().toString();
  // Left again for the panel, a pan keeps the last description.
  QCursor::setPos(f.w->picBox->mapToGlobal(QPoint(100, 300)));
  f.key(Qt::Key_Left, Qt::NoModifier);
  EXPECT_EQ(f.caption().toString(), shown);
  EXPECT_NE(f.expectedAt(onMap), shown);
}

TEST(WindowReadout, TheDatumButtonRedescribesTheSamePlaceAtOnce) {
  Window f;
  const QPointF at(150, 100);
  f.moveOverMap(at);
  const QString before = f.caption().toString();
  ASSERT_FALSE(before.isEmpty());
  const int datum = f.st().view.datumFlag;
  // Clicked with the pointer on the button; the view moved in between with
  // the pointer away from the map, so only the remembered place is right.
  QCursor::setPos(f.w->cmdSokuti->mapToGlobal(QPoint(5, 5)));
  f.key(Qt::Key_Right, Qt::NoModifier);
  f.w->cmdSokuti->click();
  EXPECT_NE(f.st().view.datumFlag, datum);
  const QString after = f.caption().toString();
  EXPECT_NE(after, before);
  EXPECT_TRUE(
      after.contains(f.st().view.datumFlag == 1 ? QStringLiteral("(世界測地系)") : QStringLiteral("(日本測地系)")));
  // The elevation line describes the same place as before.
  EXPECT_EQ(after.section(QChar(13), -1), before.section(QChar(13), -1));
  f.w->cmdSokuti->click();
  EXPECT_EQ(f.caption().toString(), before);
}

TEST(WindowState, AFolderThatCannotBeShownLeavesNothingOfThePreviousOneLive) {
  Window f;
  f.moveOverMap(QPointF(100, 100));
  ASSERT_TRUE(f.caption().isValid());
  f.w->lstDataFolder->setCurrentRow(1);
  EXPECT_TRUE(f.prompts.messages().contains(QStringLiteral("設定ファイル「mapinfo.txt」が見つかりません。")));
  EXPECT_FALSE(f.st().view.loaded);
  EXPECT_EQ(f.w->windowTitle(), versionCaption());
  EXPECT_EQ(f.w->lblInfo->text(), QStringLiteral("現在地の標高："));
  EXPECT_EQ(f.w->lblMap->text(), QStringLiteral("図幅情報"));
  EXPECT_FALSE(f.caption().isValid());
  for (QWidget* needsData : std::initializer_list<QWidget*>{
           f.w->framTime, f.w->framZOOM, f.w->framView, f.w->framInfo, f.w->cmdPosition, f.w->cmdWMS, f.w->cnmdKML,
           f.w->cmdPrintOut, f.w->cmdCopy, f.w->cmdGetTikeizu, f.w->cmdWhole})
    EXPECT_FALSE(needsData->isEnabled()) << needsData->objectName().toStdString();
  EXPECT_TRUE(f.w->lstDataFolder->isEnabled());
  // The greyed lists and the coverage strip show nothing of the folder before.
  EXPECT_EQ(f.w->cboAge->count(), 0);
  EXPECT_EQ(f.w->cboAgeB->count(), 0);
  EXPECT_TRUE(f.w->cboAge->currentText().isEmpty());
  EXPECT_FALSE(showsCells(f.w->picCoverage));

  // Keys and the wheel reach nothing.
  const int era = f.w->cboAge->currentIndex();
  const int zoom = f.w->SliderZoom->value();
  const int draws = f.w->compositionCount();
  f.key(Qt::Key_Right, Qt::ShiftModifier);
  f.key(Qt::Key_Up, Qt::ShiftModifier);
  f.key(Qt::Key_Space, Qt::NoModifier);
  f.wheel(120);
  f.wheel(-120);
  EXPECT_EQ(f.w->cboAge->currentIndex(), era);
  EXPECT_EQ(f.w->SliderZoom->value(), zoom);
  EXPECT_EQ(f.w->compositionCount(), draws);

  // Back on the good folder everything is live again.
  f.w->lstDataFolder->setCurrentRow(0);
  EXPECT_TRUE(f.st().view.loaded);
  EXPECT_TRUE(f.w->cmdPosition->isEnabled());
  EXPECT_TRUE(f.w->cmdGetTikeizu->isEnabled());
  EXPECT_NE(f.w->windowTitle(), versionCaption());
  EXPECT_GT(f.w->cboAge->count(), 0);
  EXPECT_TRUE(showsCells(f.w->picCoverage));
}

TEST(WindowState, TheFolderListAndTheOverlaysShowTheFolderChosen) {
  Window f;
  // An overlay open on the folder that can be shown.
  test::writeBytes(f.root.path(QStringLiteral("a/track.gpx")),
                   "<?xml version=\"1.0\"?><gpx version=\"1.1\" creator=\"t\" "
                   "xmlns=\"http://www.topografix.com/GPX/1/1\"><wpt lat=\"0\" lon=\"0\"/></gpx>");
  f.st().overlayList.add(f.root.path(QStringLiteral("a/track.gpx")));
  ASSERT_TRUE(f.st().overlayList.save(f.st().datasetFolder, nullptr));
  f.w->lstDataFolder->setCurrentRow(1);
  f.w->lstDataFolder->setCurrentRow(0);
  ASSERT_EQ(f.w->lstOverlay->count(), 1);
  // Chosen as a click does: the current row first, the selection after the
  // handler (which a message box of the handler may keep from coming).
  QListWidget* list = f.w->lstDataFolder;
  list->selectionModel()->setCurrentIndex(list->model()->index(1, 0), QItemSelectionModel::NoUpdate);
  ASSERT_FALSE(f.st().view.loaded);
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->row(list->selectedItems()[0]), 1);
  // The overlays of the folder before are gone with it, not greyed.
  EXPECT_EQ(f.w->lstOverlay->count(), 0);
  EXPECT_TRUE(f.w->framOverlay->isHidden());
  EXPECT_EQ(f.st().overlayList.count(), 0);
  // And back on the first folder, its overlay is there again.
  f.w->lstDataFolder->setCurrentRow(0);
  EXPECT_EQ(f.w->lstOverlay->count(), 1);
  EXPECT_EQ(list->row(list->selectedItems().value(0)), 0);
}

TEST(WindowState, TheLegendComesBackWithTheNextFolderShown) {
  Window f;
  test::writeSolidImage(f.root.path(QStringLiteral("a/legend/01.png")), 120, 400, Qt::red);
  f.w->cboAge->setCurrentIndex(0);
  f.w->chkLegend->click();
  ASSERT_TRUE(f.w->chkLegend->isChecked());
  auto* legend = f.w->findChild<frmLegend*>();
  ASSERT_NE(legend, nullptr);
  ASSERT_TRUE(legend->isVisible());

  f.w->lstDataFolder->setCurrentRow(1);
  EXPECT_FALSE(legend->isVisible());
  EXPECT_TRUE(f.w->chkLegend->isChecked());  // the user's choice stands
  f.w->lstDataFolder->setCurrentRow(0);
  EXPECT_TRUE(legend->isVisible());
  EXPECT_EQ(legend->legendPicture().size(), QSize(120, 400));
  // Unticked, it stays away through the same round.
  f.w->chkLegend->click();
  f.w->lstDataFolder->setCurrentRow(1);
  f.w->lstDataFolder->setCurrentRow(0);
  EXPECT_FALSE(legend->isVisible());
}

TEST(WindowSettingsFile, TheWheelDirectionIsReadFromTheWindowsOwnFile) {
  test::RootFixture root;
  const QString path = root.path(QString::fromLatin1(kWindowSettingsFile));
  struct Case {
    const char* text;  // nullptr: no file
    bool awayZoomsIn;
  };
  const Case cases[] = {
      {nullptr, false},
      {"wheel=away-zooms-in\n", true},
      {"# a comment\r\n  WHEEL = Away-Zooms-In \r\n", true},
      {"wheel=away-zooms-in\nwheel=away-zooms-out\n", false},
      {"wheel=sideways\n", false},
      {"wheel\nzoom=away-zooms-in\n", false},
  };
  for (const Case& c : cases) {
    QFile::remove(path);
    if (c.text) test::writeBytes(path, QByteArray(c.text));
    EXPECT_EQ(readWindowSettingsFile(path).wheelAwayZoomsIn, c.awayZoomsIn) << (c.text ? c.text : "no file");
  }
  // A first start writes the defaults for the user to find, and keeps a
  // file the user changed.
  QFile::remove(path);
  EXPECT_FALSE(loadWindowSettings(root.root()).wheelAwayZoomsIn);
  EXPECT_EQ(test::readBytes(path), defaultWindowSettingsText());
  test::writeBytes(path, "wheel=away-zooms-in\n");
  EXPECT_TRUE(loadWindowSettings(root.root()).wheelAwayZoomsIn);
  EXPECT_EQ(test::readBytes(path), QByteArray("wheel=away-zooms-in\n"));
}

TEST(WindowSettingsFile, TheChosenDirectionTurnsTheZoomOfTheWheel) {
  Window f;
  f.w->setZoom(200);
  f.wheel(120);  // away from the user
  EXPECT_EQ(f.st().view.zoomPercent, 175);
  f.w->setWheelAwayZoomsIn(true);
  f.wheel(120);
  EXPECT_EQ(f.st().view.zoomPercent, 200);
  f.wheel(-120);
  EXPECT_EQ(f.st().view.zoomPercent, 175);
}

TEST(WindowNavigation, TheViewStaysOnTheRegionAndWholeShowsAllOfIt) {
  Window f;
  const RegionSize region = regionSize(f.st().mapInfo);
  auto centreOnRegion = [&] {
    return f.st().view.centerX >= 0 && f.st().view.centerX <= region.width && f.st().view.centerY >= 0 &&
           f.st().view.centerY <= region.height;
  };
  // Keys, a drag and the saved view can each push the centre off the region.
  struct Move {
    const char* what;
    std::function<void()> act;
  };
  const Move moves[] = {
      {"keys",
       [&] {
         for (int i = 0; i < 40; ++i) f.key(Qt::Key_Right, Qt::ControlModifier);
       }},
      {"drag",
       [&] {
         auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
           QMouseEvent e(type, at, f.w->picPrint->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
           QCoreApplication::sendEvent(f.w->picPrint, &e);
         };
         mouse(QEvent::MouseButtonPress, QPointF(10, 10), Qt::LeftButton);
         for (int x = 20; x < 700; x += 40) mouse(QEvent::MouseMove, QPointF(x, x / 2), Qt::LeftButton);
         mouse(QEvent::MouseButtonRelease, QPointF(700, 350), Qt::NoButton);
       }},
      {"position",
       [&] {
         f.st().view.centerX = -1.0e6f;
         f.st().view.centerY = 1.0e6f;
         f.w->PrintGazo();
       }},
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(m.what);
    f.w->setZoom(400);
    m.act();
    EXPECT_TRUE(centreOnRegion()) << f.st().view.centerX << "," << f.st().view.centerY;
    // The picture is never all blank: the region's corner is in sight.
    const ImageRect seen = f.st().viewport().Get_ViewRect();
    EXPECT_LT(seen.left, region.width);
    EXPECT_GT(seen.right, 0);
  }

  // 全体 (and Home): the region's middle, at the largest zoom that holds it.
  struct Size {
    int width, height;
  };
  for (const Size s : {Size{900, 700}, Size{500, 400}}) {
    f.w->resize(s.width, s.height);
    QCoreApplication::processEvents();
    f.w->setZoom(50);
    f.w->cmdWhole->click();
    EXPECT_FLOAT_EQ(f.st().view.centerX, region.width / 2);
    EXPECT_FLOAT_EQ(f.st().view.centerY, region.height / 2);
    const int zoom = f.st().view.zoomPercent;
    EXPECT_EQ(f.w->SliderZoom->value(), zoom);
    // The fixture's region is larger than the view even at the least zoom.
    const ImageRect seen = f.st().viewport().Get_ViewRect();
    EXPECT_EQ(zoom, kMinZoom);
    EXPECT_FALSE(seen.left <= 0 && seen.right >= region.width);
    f.w->setZoom(100);
    f.st().view.centerX = 0;
    f.key(Qt::Key_Home, Qt::NoModifier);
    EXPECT_EQ(f.st().view.zoomPercent, zoom);
    EXPECT_FLOAT_EQ(f.st().view.centerX, region.width / 2);
  }
}

TEST(WindowNavigation, ARegionLargerThanTheViewAtTheLeastZoomIsShownFromItsMiddle) {
  MapInfo info;
  info.tileWidth = 1000;
  info.tileHeight = 800;
  info.totalCols = 40;
  info.totalRows = 30;
  ScaleFactors scale;
  scale.imagePerScreenX = scale.imagePerScreenY = 1.0f;
  const WholeRegionView v = wholeRegionView(info, scale, 800, 600, kMinZoom, kMaxZoom);
  EXPECT_EQ(v.zoomPercent, kMinZoom);
  // Regions that fit: the largest zoom that still holds the whole of them,
  // bounded by the slider's range.
  struct Case {
    int cols, rows, viewWidth, viewHeight, zoom;
  };
  for (const Case c : {Case{1, 1, 800, 600, 75}, Case{1, 1, 1600, 600, 75}, Case{1, 1, 1600, 1600, 160},
                       Case{2, 1, 1000, 900, 50}, Case{1, 1, 8000, 8000, kMaxZoom}}) {
    MapInfo small = info;
    small.totalCols = c.cols;
    small.totalRows = c.rows;
    EXPECT_EQ(wholeRegionView(small, scale, c.viewWidth, c.viewHeight, kMinZoom, kMaxZoom).zoomPercent, c.zoom)
        << c.cols << "x" << c.rows << " in " << c.viewWidth << "x" << c.viewHeight;
  }
  EXPECT_FLOAT_EQ(v.centre.x, 20000.0f);
  EXPECT_FLOAT_EQ(v.centre.y, 12000.0f);
  // A NaN centre (a damaged saved position) lands on the region, not through it.
  const ImagePoint kept = regionClampedCentre(ImagePoint{std::nanf(""), 5.0e9f}, info);
  EXPECT_EQ(kept.x, 0.0f);
  EXPECT_EQ(kept.y, 24000.0f);
}
