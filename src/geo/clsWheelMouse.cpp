// SPDX-License-Identifier: MIT
#include "geo/clsWheelMouse.h"

#include "geo/modWheelMouse.h"

namespace kavalo {

clsWheelMouse::clsWheelMouse(QObject* parent) : QObject(parent) {}

clsWheelMouse::~clsWheelMouse() { Terminate(); }

bool clsWheelMouse::Initialize(QObject* inlOwnerhWnd) {
  if (hooked_ || inlOwnerhWnd == nullptr) return false;
  owner_ = inlOwnerhWnd;
  if (!modWheelMouse::Hook_Add(this, owner_)) return false;
  hooked_ = true;
  // A window that goes before its hook takes the hook with it: the registry
  // must not keep the handle of a window that no longer exists.
  ownerGone_ = connect(owner_, &QObject::destroyed, this, [this] {
    Terminate();
    owner_ = nullptr;
  });
  return true;
}

void clsWheelMouse::Terminate() {
  if (!hooked_) return;
  disconnect(ownerGone_);
  modWheelMouse::Hook_Remove(owner_);
  hooked_ = false;
}

void clsWheelMouse::setTwipsPerPixel(float x, float y) {
  twipsPerPixelX_ = x;
  twipsPerPixelY_ = y;
}

void clsWheelMouse::raiseMyEvent(int iniOption, int iniVector, float insX, float insY) {
  switch (iniOption) {
    case 1:
      emit MouseWheelButtonDown(insX, insY);
      break;
    case 2:
      emit MouseWheelButtonUp(insX, insY);
      break;
    case 3:
      emit MouseWheel(iniVector);
      break;
    default:
      break;
  }
}

}  // namespace kavalo
