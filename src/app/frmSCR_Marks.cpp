// Marks and position dialog handlers of the main window.
// (Filled in with the marks.)
#include "app/frmSCR.h"

namespace kavalo {

void frmSCR::chkMark_Click() {}
void frmSCR::mnuMarkSet_Click() {}
void frmSCR::mnuMarkModify_Click() {}
void frmSCR::mnuMarkErase_Click() {}
void frmSCR::showMarkPopup(double, double) {}
void frmSCR::cmdPosition_Click() {}

}  // namespace kavalo
