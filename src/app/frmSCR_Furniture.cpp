// Map furniture handlers of the main window: scale bar, era label, sheet
// lines, legend, map switch, comment. (Filled in with the furniture.)
#include "app/frmSCR.h"

namespace kavalo {

void frmSCR::chkScale_Click() {}
void frmSCR::chkZukakusen_Click() {}
void frmSCR::chkLegend_Click() {}
void frmSCR::chkTikeizu_Click() {}
void frmSCR::cmdMapComment_Click() {}
void frmSCR::Time_Print() {}
void frmSCR::Timer1_Timer() {}
void frmSCR::LoadLegend() {}
void frmSCR::showLegendForComposition() {}

}  // namespace kavalo
