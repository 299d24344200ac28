// SPDX-License-Identifier: MIT
#include "cli/PrintCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinter>

#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "output/PrintJob.h"
#include "output/PrintLayout.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// The top-left corner, in printer pixels of the printable area, that puts the
// map at its chosen size in the middle of the printable area. The dialog
// keeps the top-left of the full-size placement when the size shrinks; a
// print without a place given is centred instead.
QPointF centredOnPrintable(const PrintLayout& layout) {
  const PrintFit& fit = layout.fit();
  const QSizeF printable = layout.metrics().printable;
  const double scale = layout.sizeValue() / 100.0;
  return QPointF((printable.width() - fit.width * scale) / 2, (printable.height() - fit.height * scale) / 2);
}

}  // namespace

CommandSpec printCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("print");
  cmd.synopsis = QStringLiteral(
      "print --root DIR [--dataset N] [view options as for render] [--overlay FILE...]\n"
      "(--printer NAME | --pdf FILE)\n"
      "[--paper NAME] [--orientation portrait|landscape] [--print-size PCT] [--offset-mm X,Y]");
  cmd.summary = QCoreApplication::translate("kavalo::PrintCommand",
                                            "Prints the view as the print dialog would, to a printer or a PDF file.");
  cmd.description = QCoreApplication::translate(
      "kavalo::PrintCommand",
      "The view is given as for render (--era, --center, --zoom, --size, --mm-per-px, --layers without legend: the "
      "legend is a window of its own and is not printed, --link) and --overlay draws the user's files over the "
      "map. --printer names a printer of the system (CUPS); --pdf "
      "writes a PDF file at 300 dpi. --paper and --orientation choose the sheet for this job only; the printer's "
      "own defaults are never changed. The map is fitted into the printable area; --print-size is the dialog's "
      "size of it in percent (10 to 100, default 100), and --offset-mm the map's top-left corner from the "
      "printable area's top-left in millimetres; without it the map is centred on the printable area. The "
      "mapping agency's maps and photos are refused on sheets larger than A4 (status 1).");
  cmd.valueOptions = viewOptionNames() << overlayOptionNames() << QStringLiteral("--printer") << QStringLiteral("--pdf")
                                       << QStringLiteral("--paper") << QStringLiteral("--orientation")
                                       << QStringLiteral("--print-size") << QStringLiteral("--offset-mm");
  return cmd;
}

int runPrintCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = printCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  auto usage = [&](const QString& text) { return finishParse(cmd, ParseOutcome::Error, text); };

  const bool toPdf = options.has(QStringLiteral("--pdf"));
  if (toPdf == options.has(QStringLiteral("--printer")))
    return usage(QStringLiteral("give --printer NAME or --pdf FILE"));
  int size = 100;
  if (options.has(QStringLiteral("--print-size"))) {
    bool ok = false;
    size = options.get(QStringLiteral("--print-size")).toInt(&ok);
    if (!ok || size < 10 || size > 100)
      return usage(QStringLiteral("--print-size must be a whole number from 10 to 100"));
  }
  std::optional<QPointF> offsetMm;
  if (options.has(QStringLiteral("--offset-mm"))) {
    const QStringList parts = options.get(QStringLiteral("--offset-mm")).split(u',');
    bool okX = false, okY = false;
    if (parts.size() == 2) offsetMm = QPointF(parts[0].toDouble(&okX), parts[1].toDouble(&okY));
    if (!okX || !okY) return usage(QStringLiteral("--offset-mm must be X,Y in millimetres"));
  }
  const QString orientation = options.get(QStringLiteral("--orientation"));
  if (!orientation.isEmpty() && orientation != u"portrait" && orientation != u"landscape")
    return usage(QStringLiteral("--orientation must be portrait or landscape"));

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts); !loaded) return loaded.status();
  if (!applyViewOptions(options, state, &error)) return usage(error);
  if (const CliStatus opened = applyOverlayOptions(options, state); !opened) return opened.status();
  if (state.view.showLegend)
    return usage(QStringLiteral("--layers legend is not printed: the legend is a window of its own"));

  QPrinter printer(QPrinter::HighResolution);
  const QString pdfPath =
      toPdf ? QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("--pdf")))) : QString();
  const QString name = toPdf ? pdfPrinterEntry() : options.get(QStringLiteral("--printer"));
  if (!selectPrinter(printer, name, pdfPath)) {
    printError(QStringLiteral("no printer named %1").arg(name));
    return kExitFailed;
  }
  if (options.has(QStringLiteral("--paper"))) {
    const QPageSize paper = findPaper(paperSizes(printer), options.get(QStringLiteral("--paper")));
    if (!paper.isValid()) {
      printError(QStringLiteral("the printer has no paper named %1").arg(options.get(QStringLiteral("--paper"))));
      return kExitFailed;
    }
    printer.setPageSize(paper);
  }
  if (!orientation.isEmpty())
    printer.setPageOrientation(orientation == u"landscape" ? QPageLayout::Landscape : QPageLayout::Portrait);

  const PrinterMetrics metrics = printerMetrics(printer);
  PrintLayout layout;
  layout.PaperSizeSet(metrics, QSizeF(state.viewWidth(), state.viewHeight()));
  layout.setSizeValue(size);
  if (offsetMm)
    layout.moveAreaToPrinterPixels(QPointF(offsetMm->x() * metrics.dpiX / 25.4, offsetMm->y() * metrics.dpiY / 25.4));
  else
    layout.moveAreaToPrinterPixels(centredOnPrintable(layout));
  if (state.hasEra() && exceedsA4Rule(state.currentEra().kind, metrics.printableMm)) {
    prompts.message(
        QCoreApplication::translate("kavalo::PrintCommand", "表示中のデータはA4サイズ以上の大きさでは印刷できません。"),
        MessageIcon::Warning);
    return kExitFailed;
  }
  const PrintPass pass = layout.printPass(state.viewWidth());
  return printView(state, currentViewRequest(state, RenderPass::Print), printer, pass, prompts) ? kExitOk : kExitFailed;
}

}  // namespace kavalo
