#include "cli/RenderCommand.h"

#include <QDir>

#include "cli/CliCommon.h"
#include "cli/OnlineOptions.h"
#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "render/ImageLibrary.h"
#include "render/ViewComposer.h"

namespace kavalo {

CommandSpec renderCommandSpec() {
  CommandSpec spec;
  spec.name = QStringLiteral("render");
  spec.synopsis = QStringLiteral(
      "render --root DIR [--dataset N] [--era I] [--center X,Y] [--zoom Z] [--size WxH]\n"
      "                         [--mm-per-px F] [--layers tiles,altitude,lines,scale,legend,marks] -o FILE.png");
  spec.valueOptions = viewOptionNames() << QStringLiteral("-o") << onlineValueOptions();
  spec.switches = onlineSwitches();
  return spec;
}

int runRenderCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec spec = renderCommandSpec();
  const ParseOutcome outcome = parseCommand(spec, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(spec, outcome, error);
  if (!options.has(QStringLiteral("-o"))) {
    printError(QStringLiteral("-o FILE.png is required"));
    return 2;
  }
  const QString output = QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));

  ProgramState state;
  CliPrompts prompts;
  if (!loadForCli(options, state, prompts)) return 1;
  if (!applyViewOptions(options, state, &error)) {
    printError(error);
    return 1;
  }
  applyOnlineOptions(options, state, prompts);
  // The legend is a window of its own: a rendered view has none.
  ComposeHooks hooks;
  PrintGazo(state, hooks);

  const QImage& picture = state.picPrint;
  if (picture.isNull()) {
    printError(QStringLiteral("the view could not be composed"));
    return 1;
  }
  if (!DIBtoPNG(output, picture, &error)) {
    printError(error);
    return 1;
  }
  return 0;
}

}  // namespace kavalo
