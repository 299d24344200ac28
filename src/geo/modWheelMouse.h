// SPDX-License-Identifier: MIT
#pragma once
// The window procedure of the wheel hook and the registry of hooked windows.
// Hooking a window installs one event filter on it, the window procedure; it
// only listens and lets every event go on to the window, which handles the
// wheel and the buttons as it always did. The window sees the events that
// reach it: those of its own area and those its children let pass (a slider
// or a list under the pointer keeps its wheel to itself).
#include <vector>

class QEvent;
class QObject;

namespace kavalo {

class clsWheelMouse;

namespace modWheelMouse {

// Registers the object for the window and installs the window procedure on
// it. False, changing nothing, for a null window or a window that an object
// of the registry hooks already.
bool Hook_Add(clsWheelMouse* object, QObject* window);
// Takes the first object registered for the window out of the registry and
// removes the window procedure from the window.
void Hook_Remove(QObject* window);

// The window procedure: for a wheel turn or a middle-button press or release
// that reaches a hooked window, the window's object raises its event. While
// an event is being delivered (HookBusy) nothing more is raised. Always false:
// the event goes on to the window.
bool wnd_proc(QObject* hWnd, QEvent* event);

bool HookBusy();

// The hooked objects in the order they were registered.
const std::vector<clsWheelMouse*>& registry();

}  // namespace modWheelMouse
}  // namespace kavalo
