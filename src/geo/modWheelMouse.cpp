// SPDX-License-Identifier: MIT
#include "geo/modWheelMouse.h"

#include <QMouseEvent>
#include <QObject>
#include <QWheelEvent>
#include <algorithm>
#include <cstdint>

#include "geo/clsWheelMouse.h"
#include "platform/Numbers.h"

namespace kavalo::modWheelMouse {

namespace {

// The window procedure as installed on every hooked window.
class WindowProcedure : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override { return wnd_proc(watched, event); }
};

WindowProcedure& procedure() {
  static WindowProcedure instance;
  return instance;
}

std::vector<clsWheelMouse*>& hooks() {
  static std::vector<clsWheelMouse*> instance;
  return instance;
}

bool hookBusy = false;

clsWheelMouse* hookOf(const QObject* window) {
  for (clsWheelMouse* hook : hooks())
    if (hook->OwnerhWnd() == window) return hook;
  return nullptr;
}

// HookBusy for the time of one delivery, also when a handler throws.
class BusyScope {
 public:
  BusyScope() { hookBusy = true; }
  ~BusyScope() { hookBusy = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

// A pointer coordinate as the 16-bit signed value the hook has always
// passed on.
int16_t pixel16(double v) { return static_cast<int16_t>(roundToInt(v)); }

}  // namespace

bool Hook_Add(clsWheelMouse* object, QObject* window) {
  if (window == nullptr || object == nullptr) return false;
  if (hookOf(window) != nullptr) return false;
  hooks().push_back(object);
  window->installEventFilter(&procedure());
  return true;
}

void Hook_Remove(QObject* window) {
  auto& list = hooks();
  const auto it =
      std::find_if(list.begin(), list.end(), [window](const clsWheelMouse* h) { return h->OwnerhWnd() == window; });
  if (it == list.end()) return;
  list.erase(it);
  if (window != nullptr) window->removeEventFilter(&procedure());
}

bool wnd_proc(QObject* hWnd, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Wheel && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
  if (hookBusy) return false;
  clsWheelMouse* hook = hookOf(hWnd);
  if (hook == nullptr) return false;

  const BusyScope busy;
  if (type == QEvent::Wheel) {
    // Only the turn of the wheel counts, however finely the device reports
    // it; a purely sideways scroll (or the empty start and end of a touchpad
    // gesture) has no turn and raises nothing.
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (delta != 0) hook->raiseMyEvent(3, delta < 0 ? -1 : 1, 0.0f, 0.0f);
  } else {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::MiddleButton) {
      const QPointF p = mouse->position();
      const float x = toSingle(static_cast<double>(pixel16(p.x())) * hook->twipsPerPixelX());
      const float y = toSingle(static_cast<double>(pixel16(p.y())) * hook->twipsPerPixelY());
      hook->raiseMyEvent(type == QEvent::MouseButtonPress ? 1 : 2, 0, x, y);
    }
  }
  return false;
}

bool HookBusy() { return hookBusy; }

const std::vector<clsWheelMouse*>& registry() { return hooks(); }

}  // namespace kavalo::modWheelMouse
