// Era selection handlers of the main window.
// (Filled in with the era selection; until then they do nothing.)
#include "app/frmSCR.h"

#include <QComboBox>

namespace kavalo {

void frmSCR::cboAge_Set() {}
void frmSCR::cboAge_Click() {}
void frmSCR::SliderAge_Scroll() {}
void frmSCR::SliderAge_MouseUp() {}
void frmSCR::cmdViewTime_Click() {}
void frmSCR::ComboDropWidth(QComboBox*) {}
void frmSCR::ComboDropHeight(QComboBox*, int) {}

}  // namespace kavalo
