// Export and printing handlers of the main window: the export dialog runs the
// view once per era through the window's own redraw; the print dialog leaves
// the print scale and offsets, and the window then runs the print pass onto
// the job's printer.
#include <QPrinter>

#include "app/frmSCR.h"
#include "output/PrintJob.h"
#include "output/frmOutput.h"
#include "output/frmPrinter.h"
#include "platform/Prompts.h"
#include "render/ViewComposer.h"

namespace kavalo {

void frmSCR::cnmdKML_Click() {
  if (!state_.view.loaded || state_.picPrint.isNull()) return;
  frmOutput dialog(
      state_, prompts_, [this] { PrintGazo(); }, this);
  if (outputFormRunner)
    outputFormRunner(dialog);
  else
    dialog.exec();
}

void frmSCR::cmdPrintOut_Click() {
  if (!state_.view.loaded || state_.picPrint.isNull()) return;
  QPrinter printer(QPrinter::HighResolution);
  frmPrinter dialog(state_, prompts_, printer, this);
  if (outputFormRunner)
    outputFormRunner(dialog);
  else
    dialog.exec();
  if (dialog.dialogCancelled()) return;
  // The legend is a window of its own and is not printed.
  ComposeHooks hooks;
  WaitCursor wait(prompts_);
  printView(state_, printer, hooks, prompts_);
}

}  // namespace kavalo
