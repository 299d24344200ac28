// Elevation colouring and cursor readout handlers of the main window.
// (Filled in with the elevation colouring and the readout.)
#include "app/frmSCR.h"

namespace kavalo {

void frmSCR::chkAltitude_Click() {}
void frmSCR::cmdAltitudeColor_Click() {}
void frmSCR::Show_PointInfo(double, double) {}
void frmSCR::Show_PointInfoAtCursor() {}

}  // namespace kavalo
