// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QWheelEvent>
#include <QWidget>
#include <memory>
#include <vector>

#include "geo/clsWheelMouse.h"
#include "geo/modWheelMouse.h"

using namespace kavalo;

namespace {

// What one hook object raised, in order.
struct Recorder {
  std::vector<int> wheel;
  std::vector<std::pair<float, float>> down;
  std::vector<std::pair<float, float>> up;

  void listen(clsWheelMouse& hook) {
    QObject::connect(&hook, &clsWheelMouse::MouseWheel, [this](int v) { wheel.push_back(v); });
    QObject::connect(&hook, &clsWheelMouse::MouseWheelButtonDown,
                     [this](float x, float y) { down.emplace_back(x, y); });
    QObject::connect(&hook, &clsWheelMouse::MouseWheelButtonUp, [this](float x, float y) { up.emplace_back(x, y); });
  }
  size_t count() const { return wheel.size() + down.size() + up.size(); }
};

// A turn of the wheel as the device delivers it: only such events travel on
// to the parents of the widget under the pointer.
void sendWheel(QObject* to, QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&e);
  QCoreApplication::instance()->notify(to, &e);
}

void sendButton(QObject* to, QEvent::Type type, Qt::MouseButton button, QPointF pos) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
  QMouseEvent e(type, pos, pos, button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(to, &e);
}

// A window with a plain child that lets the wheel pass and a slider that
// keeps it.
struct Window {
  QWidget top;
  QWidget* plain = new QWidget(&top);
  QSlider* slider = new QSlider(Qt::Horizontal, &top);
  Window() {
    top.resize(200, 100);
    plain->setGeometry(0, 0, 100, 100);
    slider->setGeometry(100, 0, 100, 30);
    slider->setRange(0, 100);
    slider->setValue(50);
    top.show();
  }
};

}  // namespace

TEST(WheelMouseHook, HookingFollowsTheRegistryRules) {
  Window w;
  clsWheelMouse first;
  EXPECT_EQ(first.OwnerhWnd(), nullptr);
  EXPECT_FALSE(first.Initialize(nullptr));
  EXPECT_FALSE(first.isHooked());

  ASSERT_TRUE(first.Initialize(&w.top));
  EXPECT_EQ(first.OwnerhWnd(), &w.top);
  EXPECT_EQ(modWheelMouse::registry().size(), 1u);
  // A second Initialize of the same object installs nothing.
  EXPECT_FALSE(first.Initialize(&w.top));
  EXPECT_EQ(modWheelMouse::registry().size(), 1u);

  // A second object for the same window is refused but keeps the handle.
  clsWheelMouse second;
  EXPECT_FALSE(second.Initialize(&w.top));
  EXPECT_FALSE(second.isHooked());
  EXPECT_EQ(second.OwnerhWnd(), &w.top);
  EXPECT_FALSE(modWheelMouse::Hook_Add(&second, &w.top));
  EXPECT_FALSE(modWheelMouse::Hook_Add(&second, nullptr));
  EXPECT_EQ(modWheelMouse::registry().size(), 1u);

  Recorder a, b;
  a.listen(first);
  b.listen(second);
  sendWheel(&w.top, QPoint(0, 120));
  EXPECT_EQ(a.wheel, std::vector<int>{1});
  EXPECT_EQ(b.count(), 0u);

  // The refused object has no hook of its own to undo: terminating it
  // leaves the first object's hook in place.
  second.Terminate();
  sendWheel(&w.top, QPoint(0, 120));
  EXPECT_EQ(a.wheel.size(), 2u);

  first.Terminate();
  EXPECT_FALSE(first.isHooked());
  EXPECT_TRUE(modWheelMouse::registry().empty());
  sendWheel(&w.top, QPoint(0, 120));
  EXPECT_EQ(a.wheel.size(), 2u);
  // The window is free again.
  EXPECT_TRUE(second.Initialize(&w.top));
  second.Terminate();
}

TEST(WheelMouseHook, TheWheelGivesOneOrMinusOneWhateverItsResolution) {
  Window w;
  clsWheelMouse hook;
  ASSERT_TRUE(hook.Initialize(&w.top));
  Recorder r;
  r.listen(hook);
  sendWheel(&w.top, QPoint(0, 120));   // a notch away from the user
  sendWheel(&w.top, QPoint(0, -120));  // towards
  sendWheel(&w.top, QPoint(0, 40));    // a high-resolution wheel
  sendWheel(&w.top, QPoint(0, -8));
  sendWheel(&w.top, QPoint(0, 360));
  EXPECT_EQ(r.wheel, (std::vector<int>{1, -1, 1, -1, 1}));
  // A sideways scroll turns no wheel.
  sendWheel(&w.top, QPoint(120, 0));
  sendWheel(&w.top, QPoint(0, 0));
  EXPECT_EQ(r.wheel.size(), 5u);
}

TEST(WheelMouseHook, TheWindowSeesWhatItsChildrenLetPassOncePerTurn) {
  Window w;
  clsWheelMouse hook;
  ASSERT_TRUE(hook.Initialize(&w.top));
  Recorder r;
  r.listen(hook);
  // Passed on from the plain child: raised once, not once per widget.
  sendWheel(w.plain, QPoint(0, -120));
  EXPECT_EQ(r.wheel, std::vector<int>{-1});
  // The slider turns with the wheel itself; the window never sees it.
  sendWheel(w.slider, QPoint(0, 120));
  EXPECT_EQ(r.wheel.size(), 1u);
  EXPECT_NE(w.slider->value(), 50);
}

TEST(WheelMouseHook, MiddleButtonPositionsAreGivenInTwips) {
  Window w;
  clsWheelMouse hook;
  ASSERT_TRUE(hook.Initialize(&w.top));
  Recorder r;
  r.listen(hook);
  sendButton(&w.top, QEvent::MouseButtonPress, Qt::MiddleButton, QPointF(10, 20));
  sendButton(&w.top, QEvent::MouseButtonRelease, Qt::MiddleButton, QPointF(11, 22));
  ASSERT_EQ(r.down.size(), 1u);
  EXPECT_EQ(r.down[0], std::make_pair(150.0f, 300.0f));
  ASSERT_EQ(r.up.size(), 1u);
  EXPECT_EQ(r.up[0], std::make_pair(165.0f, 330.0f));

  // From a child, in the window's own pixels; at 120 dpi a pixel is 12 twips.
  hook.setTwipsPerPixel(12.0f, 12.0f);
  w.plain->move(30, 40);
  sendButton(w.plain, QEvent::MouseButtonPress, Qt::MiddleButton, QPointF(1, 2));
  ASSERT_EQ(r.down.size(), 2u);
  EXPECT_EQ(r.down[1], std::make_pair(372.0f, 504.0f));

  // Other buttons raise nothing.
  sendButton(&w.top, QEvent::MouseButtonPress, Qt::LeftButton, QPointF(10, 20));
  sendButton(&w.top, QEvent::MouseButtonRelease, Qt::RightButton, QPointF(10, 20));
  EXPECT_EQ(r.count(), 3u);
}

TEST(WheelMouseHook, AnEventRaisedFromAHandlerIsOnlyPassedOn) {
  Window w;
  clsWheelMouse hook;
  ASSERT_TRUE(hook.Initialize(&w.top));
  int raised = 0;
  bool busyInside = false;
  QObject::connect(&hook, &clsWheelMouse::MouseWheel, [&](int) {
    ++raised;
    busyInside = modWheelMouse::HookBusy();
    sendWheel(&w.top, QPoint(0, 120));
  });
  sendWheel(&w.top, QPoint(0, 120));
  EXPECT_EQ(raised, 1);
  EXPECT_TRUE(busyInside);
  EXPECT_FALSE(modWheelMouse::HookBusy());
  sendWheel(&w.top, QPoint(0, 120));
  EXPECT_EQ(raised, 2);
}

TEST(WheelMouseHook, RaiseMyEventChoosesTheEventByOption) {
  clsWheelMouse hook;
  Recorder r;
  r.listen(hook);
  hook.raiseMyEvent(1, 0, 1.5f, 2.5f);
  hook.raiseMyEvent(2, 0, 3.0f, 4.0f);
  hook.raiseMyEvent(3, -1, 9.0f, 9.0f);
  hook.raiseMyEvent(0, 1, 0, 0);
  hook.raiseMyEvent(4, 1, 0, 0);
  EXPECT_EQ(r.down, (std::vector<std::pair<float, float>>{{1.5f, 2.5f}}));
  EXPECT_EQ(r.up, (std::vector<std::pair<float, float>>{{3.0f, 4.0f}}));
  EXPECT_EQ(r.wheel, std::vector<int>{-1});
}

TEST(WheelMouseHook, TheEndOfEitherSideUnhooks) {
  Window w;
  {
    clsWheelMouse hook;
    ASSERT_TRUE(hook.Initialize(&w.top));
  }
  EXPECT_TRUE(modWheelMouse::registry().empty());
  sendWheel(&w.top, QPoint(0, 120));  // nothing left to call

  // A window that goes first takes its hook with it.
  auto top = std::make_unique<QWidget>();
  clsWheelMouse hook;
  ASSERT_TRUE(hook.Initialize(top.get()));
  top.reset();
  EXPECT_FALSE(hook.isHooked());
  EXPECT_EQ(hook.OwnerhWnd(), nullptr);
  EXPECT_TRUE(modWheelMouse::registry().empty());
  EXPECT_TRUE(hook.Initialize(&w.top));
}
