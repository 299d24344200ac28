#include "cli/RenderCommand.h"

#include <QDir>

#include "app/ProgramState.h"
#include "cli/CliCommon.h"
#include "cli/ViewOptions.h"
#include "render/ImageLibrary.h"
#include "render/ViewComposer.h"

namespace kavalo {

int runRenderCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  if (!parseOptions(args, viewOptionNames() << QStringLiteral("-o"), options, &error)) {
    printError(error);
    return 2;
  }
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
