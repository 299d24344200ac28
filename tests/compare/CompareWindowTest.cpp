// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QWheelEvent>
#include <chrono>
#include <filesystem>
#include <memory>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "platform/Prompts.h"
#include "render/CompareComposer.h"
#include "render/TileCache.h"
#include "render/TilePrefetcher.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// A window on one data folder whose first two eras have solid tiles.
struct CompareWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  std::unique_ptr<frmSCR> w;

  CompareWindow() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    for (int era = 0; era < 2; ++era)
      for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
          test::writeSolidImage(d.folder + QStringLiteral("/%1/%2_%3.png")
                                               .arg(era == 0 ? QStringLiteral("E1900") : QStringLiteral("E1930"))
                                               .arg(col, 3, 10, QChar(u'0'))
                                               .arg(row, 3, 10, QChar(u'0')),
                                100, 80, QColor(40 * col, 30 * row, era == 0 ? 200 : 60));
    // Files that have been on disk a while: the cache trusts them.
    const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const QString& era : {QStringLiteral("E1900"), QStringLiteral("E1930")})
      for (const QString& name : QDir(d.folder + u'/' + era).entryList(QDir::Files))
        std::filesystem::last_write_time(QFile::encodeName(d.folder + u'/' + era + u'/' + name).toStdString(), when);
    open();
  }
  void open() {
    ScreenInfo screen;
    screen.widthPx = 1600;
    screen.heightPx = 1200;
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->resize(900, 600);
    QCoreApplication::processEvents();
  }
  ~CompareWindow() { w->Form_Unload(); }

  ProgramState& st() { return w->state(); }
  void setCompare(bool on) {
    w->chkCompare->setChecked(on);
    w->chkCompare_Click();
  }
  void key(int k, Qt::KeyboardModifiers m) {
    QKeyEvent press(QEvent::KeyPress, k, m), release(QEvent::KeyRelease, k, m);
    QCoreApplication::sendEvent(w->picPrint, &press);
    QCoreApplication::sendEvent(w->picPrint, &release);
  }
  void mouse(QEvent::Type type, QPointF pos, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent e(type, pos, w->picPrint->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  held, Qt::NoModifier);
    QCoreApplication::sendEvent(w->picPrint, &e);
  }
  void wheel(int angle, Qt::KeyboardModifiers m) {
    QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, angle), Qt::NoButton, m, Qt::NoScrollPhase,
                  false);
    QSpontaneKeyEvent::setSpontaneous(&e);
    QCoreApplication::instance()->notify(w->picPrint, &e);
  }
};

}  // namespace

TEST(CompareWindow, SwitchingOnShowsBothErasAndOffReturnsTheSingleView) {
  CompareWindow m;
  ASSERT_GT(m.st().viewWidth(), 100);
  const QImage single = m.w->viewPicture().copy();
  m.w->cboAgeB->setCurrentIndex(1);
  m.setCompare(true);
  const SidePanes panes = sideBySidePanes(m.st().viewWidth(), m.st().viewHeight());
  EXPECT_EQ(m.w->viewPicture().pixel(panes.divider.x(), 10), qRgb(0x40, 0x40, 0x40));
  // Same place, the first era's blue on the left, the second era's on the right.
  const QPoint inLeft(panes.left.width() / 2 - 20, panes.left.height() / 2 - 20);
  EXPECT_EQ(qBlue(m.w->viewPicture().pixel(inLeft)), 200);
  EXPECT_EQ(qBlue(m.w->viewPicture().pixel(inLeft + panes.right.topLeft())), 60);
  EXPECT_EQ(m.st().view.eraIndex, 0);

  m.setCompare(false);
  EXPECT_EQ(m.w->viewPicture(), single);
}

TEST(CompareWindow, KeysWheelAndMouseActOnTheComparison) {
  CompareWindow m;
  // Without the comparison Ctrl+Shift+→ steps the shown era as always.
  m.key(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 1);
  m.w->cboAge->setCurrentIndex(0);
  m.w->cboAgeB->setCurrentIndex(0);
  m.setCompare(true);
  m.key(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 0);
  EXPECT_EQ(m.w->cboAgeB->currentIndex(), 1);
  EXPECT_EQ(m.w->compareSettings().eraB, m.st().eraListMap[1]);
  m.key(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
  m.key(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);  // wraps to the last era
  EXPECT_EQ(m.w->cboAgeB->currentIndex(), m.w->cboAgeB->count() - 1);

  // Swipe: the divider is taken at its line and leaves the map where it is.
  m.w->cboCompareMode->setCurrentIndex(static_cast<int>(CompareMode::Swipe));
  const float cx = m.st().view.centerX;
  const int split = m.w->compareSplit();
  m.mouse(QEvent::MouseButtonPress, QPointF(split + 2, 100), Qt::LeftButton);
  m.mouse(QEvent::MouseMove, QPointF(100, 100), Qt::LeftButton);
  m.mouse(QEvent::MouseButtonRelease, QPointF(100, 100));
  EXPECT_EQ(m.w->compareSplit(), 100);
  EXPECT_EQ(m.st().view.centerX, cx);
  // Elsewhere a press drags the map, both eras together.
  m.mouse(QEvent::MouseButtonPress, QPointF(400, 100), Qt::LeftButton);
  m.mouse(QEvent::MouseMove, QPointF(440, 100), Qt::LeftButton);
  m.mouse(QEvent::MouseButtonRelease, QPointF(440, 100));
  EXPECT_LT(m.st().view.centerX, cx);
  EXPECT_EQ(m.w->compareSplit(), 100);

  // Lens: Ctrl with the wheel changes the radius, the wheel alone the zoom.
  m.w->cboCompareMode->setCurrentIndex(static_cast<int>(CompareMode::Lens));
  const int radius = m.w->compareSettings().lensRadius;
  const int zoom = m.st().view.zoomPercent;
  m.wheel(120, Qt::ControlModifier);
  EXPECT_GT(m.w->compareSettings().lensRadius, radius);
  EXPECT_EQ(m.st().view.zoomPercent, zoom);
  m.wheel(-120, Qt::ControlModifier);
  m.wheel(-120, Qt::ControlModifier);
  EXPECT_LT(m.w->compareSettings().lensRadius, radius);
}

TEST(CompareWindow, TheSettingsSurviveARestartInTheirOwnFile) {
  CompareWindow m;
  m.w->cboAgeB->setCurrentIndex(1);
  m.w->cboCompareMode->setCurrentIndex(static_cast<int>(CompareMode::Blend));
  m.setCompare(true);
  m.w->SliderOpacity->setValue(70);
  m.w->Form_Unload();
  // KAVALO.ini keeps its three lines; the comparison has a file of its own.
  EXPECT_EQ(test::readBytes(m.root.path(QStringLiteral("KAVALO.ini"))).count('\n'), 3);
  EXPECT_EQ(test::readBytes(m.root.path(QStringLiteral("KAVALO_compare.ini"))).count('\n'), 7);

  m.open();
  EXPECT_TRUE(m.w->chkCompare->isChecked());
  EXPECT_EQ(m.w->cboCompareMode->currentIndex(), static_cast<int>(CompareMode::Blend));
  EXPECT_EQ(m.w->cboAgeB->currentIndex(), 1);
  EXPECT_EQ(m.w->SliderOpacity->value(), 70);
  EXPECT_TRUE(m.w->compareActive());
}

TEST(CompareWindow, ACellOfTheCoverageStripSelectsItsEra) {
  CompareWindow m;
  QWidget* strip = m.w->picCoverage;
  ASSERT_GT(strip->width(), 0);
  const int eras = m.w->cboAge->count();
  ASSERT_GE(eras, 2);
  const QPointF inSecond((1.5 * strip->width()) / eras, 3);
  QMouseEvent e(QEvent::MouseButtonRelease, inSecond, strip->mapToGlobal(inSecond), Qt::LeftButton, Qt::NoButton,
                Qt::NoModifier);
  QCoreApplication::sendEvent(strip, &e);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 1);
  EXPECT_EQ(m.st().view.eraIndex, m.st().eraListMap[1]);
}

TEST(CompareWindow, ADragDrawsItsStripsAgainWhenTheirTilesArrive) {
  CompareWindow m;
  TileCache::shared().clear();
  const QPoint inStrip(10, 100);
  m.mouse(QEvent::MouseButtonPress, QPointF(200, 150), Qt::LeftButton);
  m.mouse(QEvent::MouseMove, QPointF(260, 150), Qt::LeftButton);
  const QRgb before = m.w->viewPicture().pixel(inStrip);
  TilePrefetcher::shared().waitIdle();
  QCoreApplication::processEvents();
  const QRgb refilled = m.w->viewPicture().pixel(inStrip);
  m.mouse(QEvent::MouseButtonRelease, QPointF(260, 150));
  EXPECT_EQ(refilled, m.w->viewPicture().pixel(inStrip));
  EXPECT_NE(before, m.w->viewPicture().pixel(inStrip));
  TileCache::shared().clear();
}

namespace {

// The sheet text of an era at a place: the fixture's editions name their
// history column ("版1" for the first era, "版2" for the second).
QString editionOf(CompareWindow& m, int era) { return QStringLiteral("版%1").arg(m.st().eras[era].historyColumn + 1); }

}  // namespace

TEST(CompareWindow, TheReadoutDescribesTheEraUnderThePointerAfterEveryStep) {
  CompareWindow m;
  m.w->cboAge->setCurrentIndex(0);
  m.w->cboAgeB->setCurrentIndex(1);
  m.setCompare(true);
  ASSERT_NE(editionOf(m, 0), editionOf(m, 1));
  const int w = m.st().viewWidth(), h = m.st().viewHeight();
  auto pointAt = [&](QPoint at) {
    QCursor::setPos(m.w->picPrint->mapToGlobal(at));
    m.mouse(QEvent::MouseMove, QPointF(at));
  };
  struct Case {
    CompareMode mode;
    QPoint onA, onB;
  };
  const SidePanes panes = sideBySidePanes(w, h);
  for (const Case& c : {Case{CompareMode::Side, panes.left.center(), panes.right.center()},
                        Case{CompareMode::Swipe, QPoint(w / 4, h / 2), QPoint(3 * w / 4, h / 2)}}) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    m.w->cboCompareMode->setCurrentIndex(static_cast<int>(c.mode));
    m.w->cboAgeB->setCurrentIndex(1);
    pointAt(c.onA);
    EXPECT_EQ(m.w->readoutEra(), m.st().view.eraIndex);
    EXPECT_TRUE(m.w->lblMap->text().contains(editionOf(m, 0)));
    pointAt(c.onB);
    EXPECT_EQ(m.w->readoutEra(), m.w->compareSettings().eraB);
    EXPECT_TRUE(m.w->lblMap->text().contains(editionOf(m, 1)));
    // Ctrl+Shift+← steps era B under the resting pointer: the readout follows.
    m.key(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(m.w->compareSettings().eraB, m.st().eraListMap[0]);
    EXPECT_EQ(m.w->readoutEra(), m.st().eraListMap[0]);
    EXPECT_TRUE(m.w->lblMap->text().contains(editionOf(m, 0)));
    // So does a step of the shown era over its own side.
    pointAt(c.onA);
    m.key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(m.w->readoutEra(), m.st().view.eraIndex);
    EXPECT_TRUE(m.w->lblMap->text().contains(editionOf(m, m.st().view.eraIndex)));
    m.w->cboAge->setCurrentIndex(0);
  }
  // The lens follows the pointer: what it describes is the lens's era. The
  // blend describes the era that shows the more.
  m.w->cboAgeB->setCurrentIndex(1);
  m.w->cboCompareMode->setCurrentIndex(static_cast<int>(CompareMode::Lens));
  pointAt(QPoint(w / 2, h / 2));
  EXPECT_EQ(m.w->readoutEra(), m.w->compareSettings().eraB);
  m.w->cboCompareMode->setCurrentIndex(static_cast<int>(CompareMode::Blend));
  m.w->SliderOpacity->setValue(20);
  EXPECT_EQ(m.w->readoutEra(), m.st().view.eraIndex);
  m.w->SliderOpacity->setValue(80);
  EXPECT_EQ(m.w->readoutEra(), m.w->compareSettings().eraB);
  // The session's era is never borrowed for it.
  EXPECT_EQ(m.st().view.eraIndex, 0);
}

TEST(CompareWindow, EachSideIsLabelledWithItsEraAndAStepFlashesWhereItChanged) {
  CompareWindow m;
  m.w->cboAge->setCurrentIndex(0);
  m.w->cboAgeB->setCurrentIndex(1);
  m.setCompare(true);
  const SidePanes panes = sideBySidePanes(m.st().viewWidth(), m.st().viewHeight());
  // A label box framed red over the left pane's top middle, blue over the right's.
  auto framedAt = [&](QRect pane, QRgb colour) {
    const QImage& frame = m.w->viewPicture();
    for (int y = 0; y < 40; ++y)
      for (int x = pane.left(); x <= pane.right(); ++x)
        if (frame.pixel(x, y) == colour) return true;
    return false;
  };
  EXPECT_TRUE(framedAt(panes.left, qRgb(255, 0, 0)));
  EXPECT_FALSE(framedAt(panes.left, qRgb(0, 0, 255)));
  EXPECT_TRUE(framedAt(panes.right, qRgb(0, 0, 255)));
  EXPECT_FALSE(framedAt(panes.right, qRgb(255, 0, 0)));
  // Stepping era B flashes its name over the right pane.
  m.key(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
  auto* flash = m.w->picTime;
  ASSERT_TRUE(flash->isVisible());
  EXPECT_TRUE(panes.right.contains(flash->geometry().center()));
  EXPECT_EQ(flash->text(), m.w->cboAgeB->currentText());
  m.key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_TRUE(panes.left.contains(flash->geometry().center()));
}
