// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QWheelEvent>
#include <memory>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// Image pixels per view pixel at 100 % for 96 dpi and a sheet of 2 tiles of
// 80 pixels drawn 370 mm tall.
constexpr double kImagePerScreen = (25.4 / 96.0) / (370.0 / 160.0);

// A window on one data folder with three scanned-sheet eras, shown at
// 900 x 600.
struct MapWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  std::unique_ptr<frmSCR> w;

  MapWindow() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.tikeizuLines << QStringLiteral("E1960,1,1960,1960,0,3,2,png");
    d.write();
    ScreenInfo screen;
    screen.widthPx = 1600;
    screen.heightPx = 1200;
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->resize(900, 600);
    QCoreApplication::processEvents();
  }
  ~MapWindow() { w->Form_Unload(); }

  ProgramState& st() { return w->state(); }
  int draws() const { return w->compositionCount(); }
  int zoom() { return st().view.zoomPercent; }
  // A quarter of the view in image pixels at the current zoom.
  double quarterX() { return st().viewWidth() * kImagePerScreen / 4 / (zoom() / 100.0); }
  double quarterY() { return st().viewHeight() * kImagePerScreen / 4 / (zoom() / 100.0); }

  void key(QEvent::Type type, int k, Qt::KeyboardModifiers m, QWidget* to, bool autoRepeat = false) {
    QKeyEvent e(type, k, m, QString(), autoRepeat);
    QCoreApplication::sendEvent(to ? to : w->picPrint, &e);
  }
  void press(int k, Qt::KeyboardModifiers m = Qt::NoModifier, QWidget* to = nullptr) {
    key(QEvent::KeyPress, k, m, to);
  }
  void release(int k, Qt::KeyboardModifiers m = Qt::NoModifier, QWidget* to = nullptr) {
    key(QEvent::KeyRelease, k, m, to);
  }
  void tap(int k, Qt::KeyboardModifiers m = Qt::NoModifier, QWidget* to = nullptr) {
    press(k, m, to);
    release(k, m, to);
  }
  // A turn of the wheel over the map as the device delivers it.
  void wheel(int angle, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, angle), Qt::NoButton, m, Qt::NoScrollPhase,
                  false);
    QSpontaneKeyEvent::setSpontaneous(&e);
    QCoreApplication::instance()->notify(w->picPrint, &e);
  }
  void mouse(QEvent::Type type, Qt::MouseButton button, QPointF pos) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent e(type, pos, w->picPrint->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w->picPrint, &e);
  }
  void moveTo(Qt::MouseButton held, QPointF pos) {
    QMouseEvent e(QEvent::MouseMove, pos, w->picPrint->mapToGlobal(pos), Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w->picPrint, &e);
  }

  // Three listed eras in the era list, the first one shown.
  void listThreeEras() {
    w->cboAge_Set();
    if (st().listedCount != 3) {
      const QSignalBlocker block(w->cboAge);
      w->cboAge->clear();
      for (const char* label : {"1900年", "1930-31年", "1960年"}) w->cboAge->addItem(QString::fromUtf8(label));
      st().eraListMap = {0, 1, 2};
      st().listedCount = 3;
      w->SliderAge->setRange(0, 2);
    }
    setEraPosition(0);
  }
  void setEraPosition(int v) {
    w->SliderAge->setValue(v);
    w->cboAge->setCurrentIndex(v);
  }
};

}  // namespace

TEST(NavigationKeys, ShiftUpAndDownStepTheZoomFromItsTruncatedValue) {
  MapWindow m;
  ASSERT_GT(m.st().viewWidth(), 0);
  const float cx = m.st().view.centerX;
  struct Case {
    int from;
    int key;
    int to;
  };
  for (Case c : {Case{110, Qt::Key_Up, 125}, Case{110, Qt::Key_Down, 75}, Case{50, Qt::Key_Down, 50},
                 Case{400, Qt::Key_Up, 400}, Case{399, Qt::Key_Up, 400}, Case{75, Qt::Key_Down, 50}}) {
    m.w->setZoom(c.from);
    const int before = m.draws();
    m.tap(c.key, Qt::ShiftModifier);
    EXPECT_EQ(m.zoom(), c.to) << c.from;
    EXPECT_EQ(m.w->SliderZoom->value(), c.to);
    EXPECT_EQ(m.w->lblZoom->text(), QString::number(c.to) + u'%');
    // One step, one redraw, even when the zoom stays.
    EXPECT_EQ(m.draws(), before + 1) << c.from;
  }
  EXPECT_EQ(m.st().view.centerX, cx);
}

TEST(NavigationKeys, SpaceResetsTheZoomAndKeepsTheCentre) {
  MapWindow m;
  m.w->setZoom(275);
  m.st().view.centerX = 123.25f;
  m.st().view.centerY = 99.5f;
  int before = m.draws();
  m.tap(Qt::Key_Space);
  EXPECT_EQ(m.zoom(), 100);
  EXPECT_EQ(m.w->SliderZoom->value(), 100);
  EXPECT_EQ(m.w->lblZoom->text(), QStringLiteral("100%"));
  EXPECT_EQ(m.st().view.centerX, 123.25f);
  EXPECT_EQ(m.st().view.centerY, 99.5f);
  EXPECT_EQ(m.draws(), before + 1);
  // Space comes before the Shift steps.
  m.w->setZoom(300);
  m.tap(Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(m.zoom(), 100);
}

TEST(NavigationKeys, PageKeysSetTheMoveAmountWithinItsRange) {
  MapWindow m;
  const int before = m.draws();
  const float cx = m.st().view.centerX;
  ASSERT_EQ(m.w->SliderMoveAmount->value(), 3);
  m.tap(Qt::Key_PageDown);
  EXPECT_EQ(m.w->SliderMoveAmount->value(), 3);
  m.tap(Qt::Key_PageUp);
  EXPECT_EQ(m.w->SliderMoveAmount->value(), 2);
  m.tap(Qt::Key_PageUp);
  m.tap(Qt::Key_PageUp);
  EXPECT_EQ(m.w->SliderMoveAmount->value(), 1);
  m.tap(Qt::Key_PageDown);
  EXPECT_EQ(m.w->SliderMoveAmount->value(), 2);
  EXPECT_EQ(m.draws(), before);
  EXPECT_EQ(m.st().view.centerX, cx);
}

TEST(NavigationKeys, ArrowsPanByQuartersOfTheView) {
  MapWindow m;
  const double q = m.quarterX();
  const double qy = m.quarterY();
  ASSERT_GT(q, 1.0);
  const float cx = m.st().view.centerX;
  const float cy = m.st().view.centerY;
  int before = m.draws();

  m.tap(Qt::Key_Right);
  EXPECT_NEAR(m.st().view.centerX, cx + q, 1e-3);
  EXPECT_EQ(m.draws(), before + 1);
  m.tap(Qt::Key_Left);
  EXPECT_NEAR(m.st().view.centerX, cx, 1e-3);
  // Ctrl: three quarters whatever the move amount.
  m.tap(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_NEAR(m.st().view.centerX, cx + 3 * q, 1e-3);
  m.w->SliderMoveAmount->setValue(1);
  m.tap(Qt::Key_Left);
  EXPECT_NEAR(m.st().view.centerX, cx, 1e-3);
  m.w->SliderMoveAmount->setValue(2);
  m.tap(Qt::Key_Down);
  EXPECT_NEAR(m.st().view.centerY, cy + 2 * qy, 1e-3);
  m.tap(Qt::Key_Up);
  m.tap(Qt::Key_Up);
  EXPECT_NEAR(m.st().view.centerY, cy - 2 * qy, 1e-3);
  EXPECT_EQ(m.draws(), before + 7);

  // At 200 % a quarter of the view is half as far.
  m.w->setZoom(200);
  const float x200 = m.st().view.centerX;
  m.w->SliderMoveAmount->setValue(3);
  m.tap(Qt::Key_Right);
  EXPECT_NEAR(m.st().view.centerX, x200 + q / 2, 1e-3);
}

TEST(NavigationKeys, TwoArrowsHeldTogetherMoveDiagonally) {
  MapWindow m;
  const double q = m.quarterX();
  const double qy = m.quarterY();
  m.press(Qt::Key_Up);
  const float cx = m.st().view.centerX;
  const float cy = m.st().view.centerY;
  const int before = m.draws();
  m.press(Qt::Key_Right);  // Up still held
  EXPECT_NEAR(m.st().view.centerX, cx + q, 1e-3);
  EXPECT_NEAR(m.st().view.centerY, cy - qy, 1e-3);
  EXPECT_EQ(m.draws(), before + 1);
  // A held Right repeats as release and press pairs; Up stays held.
  m.key(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, nullptr, true);
  m.key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, nullptr, true);
  EXPECT_NEAR(m.st().view.centerX, cx + 2 * q, 1e-3);
  EXPECT_NEAR(m.st().view.centerY, cy - 2 * qy, 1e-3);
  // Up let go: Right alone.
  m.release(Qt::Key_Up);
  m.key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, nullptr, true);
  EXPECT_NEAR(m.st().view.centerX, cx + 3 * q, 1e-3);
  EXPECT_NEAR(m.st().view.centerY, cy - 2 * qy, 1e-3);
  m.release(Qt::Key_Right);
  m.tap(Qt::Key_Down);
  EXPECT_NEAR(m.st().view.centerX, cx + 3 * q, 1e-3);
}

TEST(NavigationKeys, MapKeysActOnTheMapAndNotOnTheFocusedControl) {
  MapWindow m;
  const double q = m.quarterX();
  const float cx = m.st().view.centerX;
  // Left on the move-amount slider pans; the slider keeps its value.
  m.tap(Qt::Key_Left, Qt::NoModifier, m.w->SliderMoveAmount);
  EXPECT_EQ(m.w->SliderMoveAmount->value(), 3);
  EXPECT_NEAR(m.st().view.centerX, cx - q, 1e-3);
  // Page Up on the zoom slider sets the move amount, not the zoom.
  m.tap(Qt::Key_PageUp, Qt::NoModifier, m.w->SliderZoom);
  EXPECT_EQ(m.w->SliderZoom->value(), 100);
  EXPECT_EQ(m.w->SliderMoveAmount->value(), 2);
  // Shift+Up on the era list zooms.
  m.tap(Qt::Key_Up, Qt::ShiftModifier, m.w->cboAge);
  EXPECT_EQ(m.zoom(), 125);
}

TEST(NavigationKeys, OtherKeysLeaveTheViewAlone) {
  MapWindow m;
  const int before = m.draws();
  const float cx = m.st().view.centerX;
  m.tap(Qt::Key_A);
  m.tap(Qt::Key_Control);
  m.tap(Qt::Key_Shift);
  m.tap(Qt::Key_C);  // without Ctrl
  EXPECT_EQ(m.draws(), before);
  EXPECT_EQ(m.st().view.centerX, cx);
  EXPECT_EQ(m.zoom(), 100);
}

TEST(NavigationKeys, CtrlCCopiesTheViewAndNothingElse) {
  MapWindow m;
  QGuiApplication::clipboard()->clear();
  m.w->viewPicture().fill(qRgb(200, 10, 20));
  const int before = m.draws();
  const float cx = m.st().view.centerX;
  m.tap(Qt::Key_C, Qt::ControlModifier);
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), m.w->viewPicture().size());
  EXPECT_EQ(copied.pixel(5, 5) & 0xFFFFFF, qRgb(200, 10, 20) & 0xFFFFFF);
  EXPECT_EQ(m.draws(), before);
  EXPECT_EQ(m.st().view.centerX, cx);
}

TEST(NavigationEras, ShiftArrowsAndTheShiftWheelWrapAroundTheListedEras) {
  MapWindow m;
  m.listThreeEras();
  m.tap(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(m.w->SliderAge->value(), 2);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 2);
  m.tap(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(m.w->SliderAge->value(), 0);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 0);
  m.tap(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 1);

  // The wheel turned away from the user goes back, wrapping at the first.
  m.wheel(120, Qt::ShiftModifier);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 0);
  m.wheel(120, Qt::ShiftModifier);
  EXPECT_EQ(m.w->SliderAge->value(), 2);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 2);
  m.wheel(-120, Qt::ShiftModifier);
  EXPECT_EQ(m.w->cboAge->currentIndex(), 0);
  // The label stays for 1.5 s after a wheel step.
  EXPECT_EQ(m.w->Timer1->interval(), 1500);
  EXPECT_TRUE(m.w->Timer1->isActive());
  EXPECT_EQ(m.zoom(), 100);
}

TEST(NavigationKeys, AKeyPassedOnToTheParentsIsPreviewedOnce) {
  MapWindow m;
  // Up held, then Shift pressed: Shift is no key of the map, so it reaches
  // the map view, its client area and the window in turn; the zoom steps
  // once. (A modifier key's own event tells the state after it: the press of
  // Shift reports Shift held.)
  m.press(Qt::Key_Up);
  const int before = m.draws();
  m.press(Qt::Key_Shift);
  EXPECT_EQ(m.zoom(), 125);
  EXPECT_EQ(m.draws(), before + 1);
  m.release(Qt::Key_Shift);
  m.release(Qt::Key_Up);
}

TEST(NavigationEras, WithoutListedErasShiftArrowsChangeNothing) {
  MapWindow m;
  {
    const QSignalBlocker block(m.w->cboAge);
    m.w->cboAge->clear();
  }
  m.st().listedCount = 0;
  m.tap(Qt::Key_Left, Qt::ShiftModifier);
  m.wheel(120, Qt::ShiftModifier);
  EXPECT_EQ(m.w->cboAge->currentIndex(), -1);
  EXPECT_EQ(m.w->SliderAge->value(), 0);
}

TEST(NavigationWheel, EachTurnStepsTheZoomOnceWithinTheRange) {
  MapWindow m;
  struct Case {
    int from;
    int angle;
    int to;
  };
  for (Case c :
       {Case{400, 120, 375}, Case{400, -120, 400}, Case{50, 120, 50}, Case{110, -40, 125}, Case{110, 40, 75}}) {
    m.w->setZoom(c.from);
    const int before = m.draws();
    m.wheel(c.angle);
    EXPECT_EQ(m.zoom(), c.to) << c.from << " " << c.angle;
    EXPECT_EQ(m.w->lblZoom->text(), QString::number(c.to) + u'%');
    EXPECT_EQ(m.draws(), before + 1);
  }
  // Unloaded, the window hears the wheel and the keys no more.
  m.w->Form_Unload();
  m.w->setZoom(200);
  m.wheel(120);
  m.tap(Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(m.zoom(), 200);
}

TEST(NavigationDrag, AClickWithoutMovementRedrawsNothing) {
  MapWindow m;
  const int before = m.draws();
  const float cx = m.st().view.centerX;
  m.mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPointF(100, 100));
  EXPECT_EQ(m.w->picPrint->cursor().shape(), Qt::ClosedHandCursor);
  m.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(100, 100));
  EXPECT_NE(m.w->picPrint->cursor().shape(), Qt::ClosedHandCursor);
  // Less than half a pixel is no movement.
  m.mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPointF(100, 100));
  m.moveTo(Qt::LeftButton, QPointF(100.4, 99.6));
  m.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(100.4, 99.6));
  m.mouse(QEvent::MouseButtonPress, Qt::RightButton, QPointF(30, 40));
  m.mouse(QEvent::MouseButtonRelease, Qt::RightButton, QPointF(30, 40));
  EXPECT_EQ(m.draws(), before);
  EXPECT_EQ(m.st().view.centerX, cx);
  EXPECT_EQ(m.w->pressPosition(), QPointF(30, 40));
}

TEST(NavigationDrag, TheSnapshotFollowsThePointerAndTheReleaseRedrawsOnce) {
  MapWindow m;
  const int width = m.st().viewWidth();
  const int height = m.st().viewHeight();
  QImage snapshot(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) snapshot.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
  m.w->viewSnapshot() = snapshot;
  // The scale bar stays in its corner over the moving map; off, the corner
  // shows the snapshot.
  m.st().view.showScale = false;
  const float cx = m.st().view.centerX;
  const float cy = m.st().view.centerY;
  const int before = m.draws();

  m.mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPointF(200, 150));
  m.moveTo(Qt::LeftButton, QPointF(230, 140));
  EXPECT_EQ(m.draws(), before + 1);
  EXPECT_NEAR(m.st().view.centerX, cx - 30 * kImagePerScreen, 1e-3);
  EXPECT_NEAR(m.st().view.centerY, cy + 10 * kImagePerScreen, 1e-3);
  // The last full picture lies moved under the pointer.
  // Moved by (30, -10): only the left and bottom strips are drawn anew.
  const QImage& picture = m.w->viewPicture();
  EXPECT_EQ(picture.pixel(230, 140), snapshot.pixel(200, 150));
  EXPECT_EQ(picture.pixel(30, 0), snapshot.pixel(0, 10));
  EXPECT_EQ(picture.pixel(width - 1, height - 11), snapshot.pixel(width - 31, height - 1));

  m.moveTo(Qt::LeftButton, QPointF(250, 150));
  EXPECT_EQ(m.draws(), before + 2);
  m.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(260, 150));
  EXPECT_EQ(m.draws(), before + 3);
  EXPECT_NEAR(m.st().view.centerX, cx - 60 * kImagePerScreen, 1e-3);
  EXPECT_NEAR(m.st().view.centerY, cy, 1e-3);
}

TEST(NavigationDrag, ARightButtonDragPansToo) {
  MapWindow m;
  const float cx = m.st().view.centerX;
  const int before = m.draws();
  m.mouse(QEvent::MouseButtonPress, Qt::RightButton, QPointF(100, 100));
  m.moveTo(Qt::RightButton, QPointF(80, 100));
  m.mouse(QEvent::MouseButtonRelease, Qt::RightButton, QPointF(80, 100));
  EXPECT_NEAR(m.st().view.centerX, cx + 20 * kImagePerScreen, 1e-3);
  EXPECT_EQ(m.draws(), before + 2);
}

TEST(NavigationDrag, ASecondButtonDuringADragLeavesTheDragToTheFirst) {
  MapWindow m;
  const float cx = m.st().view.centerX;
  m.mouse(QEvent::MouseButtonPress, Qt::LeftButton, QPointF(100, 100));
  m.moveTo(Qt::LeftButton, QPointF(140, 100));
  m.mouse(QEvent::MouseButtonPress, Qt::RightButton, QPointF(140, 100));
  m.mouse(QEvent::MouseButtonRelease, Qt::RightButton, QPointF(140, 100));
  const int before = m.draws();
  m.moveTo(Qt::LeftButton, QPointF(150, 100));
  m.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(150, 100));
  EXPECT_NEAR(m.st().view.centerX, cx - 50 * kImagePerScreen, 1e-3);
  EXPECT_EQ(m.draws(), before + 2);
}

TEST(NavigationPanel, TheSideTogglesFoldThePanelAndWidenTheMap) {
  MapWindow m;
  const int panel = m.w->picBox->width();
  const int client = m.w->centralWidget()->width();
  int before = m.draws();
  QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(m.w->lblBoxSize[0], &click);
  EXPECT_EQ(m.w->picBox->x(), -panel);
  EXPECT_TRUE(m.w->lblBoxSize[1]->isVisible());
  EXPECT_EQ(m.w->picPrint->x(), 0);
  EXPECT_EQ(m.w->picPrint->width(), client);
  EXPECT_EQ(m.w->viewPicture().width(), client);
  EXPECT_EQ(m.draws(), before + 1);

  before = m.draws();
  QCoreApplication::sendEvent(m.w->lblBoxSize[1], &click);
  EXPECT_EQ(m.w->picBox->x(), 0);
  EXPECT_TRUE(m.w->lblBoxSize[1]->isHidden());
  EXPECT_EQ(m.w->picPrint->x(), panel);
  EXPECT_EQ(m.w->picPrint->width(), client - panel);
  EXPECT_EQ(m.draws(), before + 1);
}

TEST(NavigationPanel, TheDatumButtonTogglesWithoutRedrawing) {
  MapWindow m;
  ASSERT_EQ(m.st().view.datumFlag, 1);
  const int before = m.draws();
  m.w->cmdSokuti->click();
  EXPECT_EQ(m.st().view.datumFlag, 0);
  m.w->cmdSokuti->click();
  EXPECT_EQ(m.st().view.datumFlag, 1);
  EXPECT_EQ(m.draws(), before);
}

TEST(NavigationZoomSlider, TheSliderZoomsAndRedrawsOnlyOutsideALoad) {
  MapWindow m;
  int before = m.draws();
  m.w->SliderZoom->setValue(230);
  EXPECT_EQ(m.zoom(), 230);
  EXPECT_EQ(m.w->lblZoom->text(), QStringLiteral("230%"));
  EXPECT_EQ(m.draws(), before + 1);

  m.w->setPhase(frmSCR::Phase::Loading);
  before = m.draws();
  m.w->SliderZoom->setValue(150);
  EXPECT_EQ(m.zoom(), 150);
  EXPECT_EQ(m.draws(), before);
  m.w->setPhase(frmSCR::Phase::Ready);

  // Letting go of either slider gives the keys back to the map.
  m.w->cboAge->setFocus();
  emit m.w->SliderZoom->sliderReleased();
  EXPECT_EQ(m.w->focusWidget(), m.w->picPrint);
  m.w->cboAge->setFocus();
  emit m.w->SliderMoveAmount->sliderReleased();
  EXPECT_EQ(m.w->focusWidget(), m.w->picPrint);
}
