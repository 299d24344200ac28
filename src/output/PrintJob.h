// SPDX-License-Identifier: MIT
#pragma once
// The print job: a QPrinter set up for this job only (the system's printer
// defaults are never changed), its metrics for the dialog's geometry, and the
// print pass that composes the view into a page image at the printer's
// resolution and paints it onto the page. Printers and PDF files do not do
// raster operations; images do, so the map is composed as an image first.
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "output/PrintLayout.h"
#include "render/ViewRequest.h"

class QPrinter;

namespace kavalo {

struct ProgramState;
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

// The map is composed at a resolution that serves it: 300 dots per inch, or
// the map's own pixel density on the sheet where that is finer, and never
// finer than the printer. printerDpi: the printer's dots per inch; k:
// printer pixels per view pixel; the view's zoom and scale tell the map's
// density. PDF files at 300 dpi are composed at the printer's resolution.
inline constexpr double kPrintComposeDpi = 300.0;
double printComposeDpi(const ProgramState& session, const ViewRequest& view, double printerDpi, double k);

// The map composed at scale k (pixels per view pixel) in bands of bandRows
// rows (an even number, so that every band rounds its positions as the whole
// page would), each but the last with one row more that the next band
// covers: paint(band, top) receives each band and its first row in the page
// image of ceil(k W) x ceil(k H), in order; false from paint stops.
// False when nothing could be composed or paint stopped.
bool composePrintBands(const ProgramState& session, const ViewRequest& view, double k, int bandRows,
                       const std::function<bool(const QImage& band, int top)>& paint);

// The whole page image at once (small pages, tests): the map's rectangle
// with its top-left at the image's origin.
QImage composePrintPage(const ProgramState& session, const ViewRequest& view, double k);

// The title a print job carries to the print system (its queue and the file
// a PDF queue writes): the program, the region and the era printed.
QString printJobTitle(const ProgramState& session, const ViewRequest& view);

// The print pass: the map composed band by band (at printComposeDpi) and
// painted onto the printer at the pass's offset and scale, and the page
// sent. Between bands the window repaints (prompts.processEvents). False
// with a message when the printer could not be opened.
bool printView(const ProgramState& session, const ViewRequest& view, QPrinter& printer, const PrintPass& pass,
               Prompts& prompts);

}  // namespace kavalo
