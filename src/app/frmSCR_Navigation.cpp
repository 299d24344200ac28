// Navigation handlers of the main window: keys, wheel, drag, zoom slider,
// panel toggle, datum toggle. (Filled in with navigation.)
#include "app/frmSCR.h"

#include "geo/clsWheelMouse.h"

namespace kavalo {

void frmSCR::Form_KeyDown(int, Qt::KeyboardModifiers) {}
void frmSCR::m_CWheel_MouseWheel(int) {}
void frmSCR::picPrint_MouseDown(Qt::MouseButton, double, double) {}
void frmSCR::picPrint_MouseMove(Qt::MouseButtons, double, double) {}
void frmSCR::picPrint_MouseUp(Qt::MouseButton, double, double) {}
void frmSCR::SliderZoom_Scroll() {}
void frmSCR::SliderZoom_MouseUp() {}
void frmSCR::SliderMoveAmount_MouseUp() {}
void frmSCR::lblBoxSize_Click(int) {}
void frmSCR::cmdSokuti_Click() {}
void frmSCR::setZoom(int) {}
void frmSCR::installWheelHook() {}
void frmSCR::removeWheelHook() { m_CWheel.reset(); }
bool frmSCR::handleNavigationEvent(QObject*, QEvent*) { return false; }

}  // namespace kavalo
