#include "output/PrintJob.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cmath>

#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "render/ViewComposer.h"

namespace kavalo {

QString pdfPrinterEntry() { return QStringLiteral("PDFファイル"); }

QStringList systemPrinterNames() {
  QStringList names = QPrinterInfo::availablePrinterNames();
  const QString standard = QPrinterInfo::defaultPrinterName();
  if (!standard.isEmpty() && names.removeAll(standard) > 0) names.prepend(standard);
  return names;
}

bool selectPrinter(QPrinter& printer, const QString& name, const QString& pdfPath) {
  if (name == pdfPrinterEntry()) {
    // An empty file name would turn the printer back to the system's default
    // printer: the file is named when it is known.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(kPdfDpi);
    if (!pdfPath.isEmpty()) printer.setOutputFileName(pdfPath);
    return true;
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (info.isNull()) return false;
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName(name);
  return printer.isValid();
}

bool isPdfPrinter(const QPrinter& printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

std::vector<QPageSize> paperSizes(const QPrinter& printer) {
  if (isPdfPrinter(printer)) {
    std::vector<QPageSize> list;
    for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B4, QPageSize::B5,
                                     QPageSize::Letter, QPageSize::Legal})
      list.emplace_back(id);
    return list;
  }
  const QList<QPageSize> sizes = QPrinterInfo(printer).supportedPageSizes();
  return std::vector<QPageSize>(sizes.begin(), sizes.end());
}

QPageSize findPaper(const std::vector<QPageSize>& sizes, const QString& name) {
  for (const QPageSize& size : sizes)
    if (size.name().compare(name, Qt::CaseInsensitive) == 0 || size.key().compare(name, Qt::CaseInsensitive) == 0)
      return size;
  return QPageSize();
}

PrinterMetrics printerMetrics(const QPrinter& printer) {
  PrinterMetrics m;
  m.paper = printer.paperRect(QPrinter::DevicePixel).size();
  m.printable = printer.pageRect(QPrinter::DevicePixel).size();
  m.printableMm = printer.pageRect(QPrinter::Millimeter).size();
  m.dpiX = printer.logicalDpiX();
  m.dpiY = printer.logicalDpiY();
  return m;
}

QImage composePrintPage(ProgramState& state, ComposeHooks& hooks) {
  const PrintPass pass = state.print;
  const int w = static_cast<int>(std::ceil(pass.k * state.viewWidth()));
  const int h = static_cast<int>(std::ceil(pass.k * state.viewHeight()));
  if (w <= 0 || h <= 0) return {};
  // Only the map's rectangle is composed, at the image's origin; it is put at
  // the offset when painted onto the page.
  state.printPage = QImage(w, h, QImage::Format_RGB32);
  state.printPage.fill(Qt::white);
  state.print.ox = 0;
  state.print.oy = 0;
  state.view.printMode = true;
  PrintGazo(state, hooks);
  state.view.printMode = false;
  state.print = pass;
  QImage page = std::move(state.printPage);
  state.printPage = QImage();
  return page;
}

bool printView(ProgramState& state, QPrinter& printer, ComposeHooks& hooks, Prompts& prompts) {
  const QImage page = composePrintPage(state, hooks);
  auto fail = [&] {
    prompts.message(QStringLiteral("印刷できませんでした。"), MessageIcon::Warning);
    return false;
  };
  if (page.isNull()) return fail();
  // A PDF file is written under a temporary name beside its place and renamed
  // when complete: a failed print never leaves half a file, nor destroys the
  // file it was to replace.
  const QString target = isPdfPrinter(printer) ? printer.outputFileName() : QString();
  QString partial;
  if (!target.isEmpty()) {
    QTemporaryFile temp(target + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(false);
    if (!temp.open()) return fail();
    partial = temp.fileName();
    printer.setOutputFileName(partial);
  }
  QPainter painter;
  bool ok = painter.begin(&printer);
  if (ok) {
    // Painter coordinates are printer pixels from the printable area's top-left.
    painter.drawImage(QPointF(state.print.ox, state.print.oy), page);
    ok = painter.end();
  }
  if (!target.isEmpty()) {
    printer.setOutputFileName(target);
    // Moved into place through a save file, which gives the file the usual
    // permissions (or those of the file it replaces).
    QFile part(partial);
    QSaveFile out(target);
    if (ok) ok = part.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly);
    if (ok) ok = out.write(part.readAll()) == part.size() && out.commit();
    part.remove();
    if (!ok) return fail();
  }
  return ok ? true : fail();
}

}  // namespace kavalo
