#pragma once
// The print job: a QPrinter set up for this job only (the system's printer
// defaults are never changed), its metrics for the dialog's geometry, and the
// print pass that composes the view into a page image at the printer's
// resolution and paints it onto the page. Printers and PDF files do not do
// raster operations; images do, so the map is composed as an image first.
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

#include "output/PrintLayout.h"

class QPrinter;

namespace kavalo {

struct ProgramState;
class ComposeHooks;
class Prompts;

// The entry after the system's printers that prints into a PDF file.
QString pdfPrinterEntry();
// The resolution of PDF output: finer than the view by far, and a page image
// of an A4 sheet stays near 35 MB.
inline constexpr int kPdfDpi = 300;

// The names of the system's printers (CUPS), the default one first.
QStringList systemPrinterNames();

// Makes the printer print to the named system printer, or into a PDF file
// (pdfPath) for the PDF entry. False when no such printer exists.
bool selectPrinter(QPrinter& printer, const QString& name, const QString& pdfPath = QString());
bool isPdfPrinter(const QPrinter& printer);

// The paper sizes the printer offers (a fixed list of the usual sheets for
// PDF files).
std::vector<QPageSize> paperSizes(const QPrinter& printer);
// The paper of that list whose name or key matches (letter case ignored);
// an invalid size when none does.
QPageSize findPaper(const std::vector<QPageSize>& sizes, const QString& name);

PrinterMetrics printerMetrics(const QPrinter& printer);

// The view composed at the state's print scale into an image of the map's
// rectangle on the page (its top-left is the print offset).
QImage composePrintPage(ProgramState& state, ComposeHooks& hooks);

// The print pass: the page image painted onto the printer at the print
// offset (printer pixels from the printable area's top-left), and the page
// sent. False with a message when the printer could not be opened.
bool printView(ProgramState& state, QPrinter& printer, ComposeHooks& hooks, Prompts& prompts);

}  // namespace kavalo
