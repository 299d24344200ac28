// SPDX-License-Identifier: MIT
// Export and printing handlers of the main window: the export dialog composes
// the window's view once per era; the print dialog leaves the print scale and
// offsets, and the window then runs the print pass onto the job's printer.
#include <QPrinter>

#include "app/frmSCR.h"
#include "output/PrintJob.h"
#include "output/frmOutput.h"
#include "output/frmPrinter.h"
#include "platform/Prompts.h"

namespace kavalo {

void frmSCR::cnmdKML_Click() {
  if (!state_.view.loaded || viewPicture_.isNull()) return;
  frmOutput dialog(state_, prompts_, viewRequest(RenderPass::Export), this);
  if (outputFormRunner)
    outputFormRunner(dialog);
  else
    dialog.exec();
}

void frmSCR::cmdPrintOut_Click() {
  if (!state_.view.loaded || viewPicture_.isNull()) return;
  QPrinter printer(QPrinter::HighResolution);
  frmPrinter dialog(state_, prompts_, printer, viewPicture_, this);
  if (outputFormRunner)
    outputFormRunner(dialog);
  else
    dialog.exec();
  if (dialog.dialogCancelled()) return;
  // The legend is a window of its own and is not printed.
  WaitCursor wait(prompts_);
  printView(state_, viewRequest(RenderPass::Print), printer, dialog.printPass(), prompts_);
}

}  // namespace kavalo
