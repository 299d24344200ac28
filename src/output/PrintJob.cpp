// SPDX-License-Identifier: MIT
#include "output/PrintJob.h"

#include "model/EraLabels.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "render/ViewComposer.h"

namespace kavalo {

QString pdfPrinterEntry() { return QCoreApplication::translate("kavalo::PrintJob", "PDFファイル"); }

QStringList systemPrinterNames() {
  QStringList names = QPrinterInfo::availablePrinterNames();
  const QString standard = QPrinterInfo::defaultPrinterName();
  if (!standard.isEmpty() && names.removeAll(standard) > 0) names.prepend(standard);
  return names;
}

bool selectPrinter(QPrinter& printer, const QString& name, const QString& pdfPath) {
  // The entry's name in every language: a script's --printer and a choice
  // remembered under another language mean the same file.
  if (name == pdfPrinterEntry() || name == QStringLiteral("PDFファイル")) {  // stored
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
    // A PDF file takes any sheet: the large ones too, which only a plotter
    // prints (the print pass composes them in bands).
    for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B4, QPageSize::B5,
                                     QPageSize::Letter, QPageSize::Legal, QPageSize::A2, QPageSize::A1, QPageSize::A0})
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

double printComposeDpi(const ProgramState& session, const ViewRequest& view, double printerDpi, double k) {
  if (printerDpi <= kPrintComposeDpi || k <= 0) return printerDpi;
  // Image pixels of the map per view pixel, and view pixels per inch of paper.
  const Viewport v = view.viewport(session.mapInfo);
  const double imagePerView = 1.0 / (static_cast<double>(v.scale().screenPerImageX) * v.zoomFactor());
  const double mapDpi = printerDpi / k * imagePerView;
  return std::clamp(std::isfinite(mapDpi) ? mapDpi : printerDpi, kPrintComposeDpi, printerDpi);
}

namespace {

ViewRequest pageRequest(const ViewRequest& view, double k) {
  ViewRequest r = view;
  r.pass = RenderPass::Print;
  r.devicePixelRatio = k;
  r.origin = QPointF();
  r.dragOffset = QPoint();
  return r;
}

}  // namespace

bool composePrintBands(const ProgramState& session, const ViewRequest& view, double k, int bandRows,
                       const std::function<bool(const QImage& band, int top)>& paint) {
  const ViewRequest whole = pageRequest(view, k);
  const QSize size = whole.targetSize();
  if (size.isEmpty() || bandRows < 2) return false;
  bandRows -= bandRows % 2;
  QImage band;
  for (int top = 0; top < size.height(); top += bandRows) {
    // Each band but the last reaches one row into the next, which is drawn
    // over it: a viewer that smooths the edges of images leaves no seam.
    const int rows = std::min(bandRows + 1, size.height() - top);
    if (band.size() != QSize(size.width(), rows)) band = QImage(size.width(), rows, QImage::Format_RGB32);
    if (band.isNull()) return false;
    band.fill(Qt::white);
    // The band is the page seen from its first row: the map's top-left lies
    // that many rows above it. An even shift rounds every position of the
    // band exactly as on the whole page.
    ViewRequest r = whole;
    r.origin = QPointF(0.0, -top);
    if (!renderView(session, r, band)) return false;
    if (!paint(band, top)) return false;
  }
  return true;
}

QImage composePrintPage(const ProgramState& session, const ViewRequest& view, double k) {
  const QSize size = pageRequest(view, k).targetSize();
  if (size.isEmpty()) return {};
  QImage page(size, QImage::Format_RGB32);
  if (page.isNull()) return {};
  page.fill(Qt::white);
  ViewRequest r = pageRequest(view, k);
  if (!renderView(session, r, page)) return {};
  return page;
}

QString printJobTitle(const ProgramState& session, const ViewRequest& view) {
  // The data folder's and the era folder's names first: print systems that
  // make file names of titles (a PDF queue) keep plain letters readable and
  // cut the rest short. The region and the era as the window names them follow.
  QStringList parts{QStringLiteral("Kavalo")};
  const QString folder = QFileInfo(QDir::fromNativeSeparators(session.datasetFolder)).fileName();
  if (!folder.isEmpty()) parts << folder;
  const bool hasEra = view.eraIndex >= 0 && view.eraIndex < static_cast<int>(session.eras.size());
  if (hasEra) parts << session.eras[static_cast<size_t>(view.eraIndex)].name;
  if (!session.mapInfo.title.isEmpty()) parts << session.mapInfo.title;
  if (hasEra) parts << Get_cboAge_Text(session.eras[static_cast<size_t>(view.eraIndex)], session.view.eraLabelStyle);
  return parts.join(u' ');
}

bool printView(const ProgramState& session, const ViewRequest& view, QPrinter& printer, const PrintPass& pass,
               Prompts& prompts) {
  auto fail = [&] {
    prompts.message(QCoreApplication::translate("kavalo::PrintJob", "印刷できませんでした。"), MessageIcon::Warning);
    return false;
  };
  const double printerDpi = printer.resolution() > 0 ? printer.resolution() : kPrintComposeDpi;
  const double composeDpi = printComposeDpi(session, view, printerDpi, pass.k);
  // Composed pixels per printer pixel (1 when the map is composed at the
  // printer's own resolution).
  const double f = composeDpi / printerDpi;
  const double k = f == 1.0 ? pass.k : pass.k * f;
  const QSize page = pageRequest(view, k).targetSize();
  if (page.isEmpty()) return fail();
  // Bands of about 32 MB: a sheet of any size is composed in bounded memory.
  constexpr int64_t kBandBytes = int64_t{32} * 1024 * 1024;
  const int bandRows = static_cast<int>(std::clamp<int64_t>(kBandBytes / (int64_t{4} * page.width()), 2, 1 << 20));

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
  printer.setDocName(printJobTitle(session, view));
  QPainter painter;
  bool ok = painter.begin(&printer);
  if (ok) {
    // Painter coordinates are printer pixels from the printable area's top-left.
    ok = composePrintBands(session, view, k, bandRows, [&](const QImage& band, int top) {
      if (f == 1.0) {
        painter.drawImage(QPointF(pass.ox, pass.oy + top), band);
      } else {
        const QRectF place(pass.ox, pass.oy + top / f, band.width() / f, band.height() / f);
        painter.drawImage(place, band);
      }
      prompts.processEvents();
      return true;
    });
    ok = painter.end() && ok;
  }
  if (!target.isEmpty()) {
    printer.setOutputFileName(target);
    // Moved into place through a save file, which gives the file the usual
    // permissions (or those of the file it replaces).
    QFile part(partial);
    QSaveFile out(target);
    if (ok) ok = part.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly);
    while (ok && !part.atEnd()) {
      const QByteArray chunk = part.read(1 << 20);
      ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    if (ok) ok = out.commit();
    part.remove();
    if (!ok) return fail();
  }
  return ok ? true : fail();
}

}  // namespace kavalo
