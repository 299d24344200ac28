// SPDX-License-Identifier: MIT
#pragma once
// The mouse-wheel hook of one window. Initialize hooks the window: from then
// on the wheel and the middle button that reach it raise MouseWheel,
// MouseWheelButtonDown and MouseWheelButtonUp, and the window goes on
// handling them as before (modWheelMouse holds the window procedure and the
// registry of hooked windows). Terminate, or the end of the object, unhooks.
// A "window handle" here is the hooked object itself; null is no window.
#include <QMetaObject>
#include <QObject>

namespace kavalo {

class clsWheelMouse : public QObject {
  Q_OBJECT

 public:
  explicit clsWheelMouse(QObject* parent = nullptr);
  ~clsWheelMouse() override;

  // Hooks the window; true when hooked. Does nothing and gives false when
  // this object is already hooked or the window is null; gives false too when
  // another object hooks that window already (the handle is kept all the same).
  bool Initialize(QObject* inlOwnerhWnd);
  // Unhooks. An object that is not hooked has nothing to undo: it never
  // touches the hook that another object holds on the same window.
  void Terminate();
  // The hooked window (null until Initialize was called with one).
  QObject* OwnerhWnd() const { return owner_; }
  bool isHooked() const { return hooked_; }

  // Twips per screen pixel (1440 / dots per inch) for the middle-button
  // positions; 15 unless set.
  void setTwipsPerPixel(float x, float y);
  float twipsPerPixelX() const { return twipsPerPixelX_; }
  float twipsPerPixelY() const { return twipsPerPixelY_; }

  // Raises MouseWheelButtonDown(insX, insY) for option 1, MouseWheelButtonUp
  // for option 2, MouseWheel(iniVector) for option 3, nothing for others.
  // The window procedure calls it.
  void raiseMyEvent(int iniOption, int iniVector, float insX, float insY);

 signals:
  // 1: the wheel turned away from the user; −1: towards the user.
  void MouseWheel(int iniVector);
  // Pointer position in twips, in the hooked window.
  void MouseWheelButtonUp(float x, float y);
  void MouseWheelButtonDown(float x, float y);

 private:
  QObject* owner_ = nullptr;
  bool hooked_ = false;
  float twipsPerPixelX_ = 15.0f;
  float twipsPerPixelY_ = 15.0f;
  QMetaObject::Connection ownerGone_;
};

}  // namespace kavalo
