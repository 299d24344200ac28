#include "cli/PrintCommand.h"

#include <QDir>
#include <QPrinter>

#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "output/PrintJob.h"
#include "output/PrintLayout.h"
#include "render/ViewComposer.h"

namespace kavalo {

CommandSpec printCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("print");
  cmd.synopsis = QStringLiteral(
      "print --root DIR [--dataset N] [view options as for render] (--printer NAME | --pdf FILE)\n"
      "                         [--paper NAME] [--orientation portrait|landscape] [--print-size PCT]\n"
      "                         [--offset-mm X,Y]");
  cmd.valueOptions = viewOptionNames() << QStringLiteral("--printer") << QStringLiteral("--pdf")
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
  if (!loadForCli(options, state, prompts)) return 1;
  if (!applyViewOptions(options, state, &error)) {
    printError(error);
    return 1;
  }

  QPrinter printer(QPrinter::HighResolution);
  const QString pdfPath =
      toPdf ? QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("--pdf")))) : QString();
  const QString name = toPdf ? pdfPrinterEntry() : options.get(QStringLiteral("--printer"));
  if (!selectPrinter(printer, name, pdfPath)) {
    printError(QStringLiteral("no printer named %1").arg(name));
    return 1;
  }
  if (options.has(QStringLiteral("--paper"))) {
    const QPageSize paper = findPaper(paperSizes(printer), options.get(QStringLiteral("--paper")));
    if (!paper.isValid()) {
      printError(QStringLiteral("the printer has no paper named %1").arg(options.get(QStringLiteral("--paper"))));
      return 1;
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
  if (state.hasEra() && exceedsA4Rule(state.currentEra().kind, metrics.printableMm)) {
    prompts.message(QStringLiteral("表示中のデータはA4サイズ以上の大きさでは印刷できません。"), MessageIcon::Warning);
    return 1;
  }
  const PrintPass pass = layout.printPass(state.viewWidth());
  return printView(state, currentViewRequest(state, RenderPass::Print), printer, pass, prompts) ? 0 : 1;
}

}  // namespace kavalo
