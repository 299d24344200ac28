#include "cli/RenderCommand.h"

#include "cli/CliCommon.h"

namespace kavalo {

int runRenderCommand(const QStringList&) {
  printError(QStringLiteral("render is not available yet"));
  return 2;
}

}  // namespace kavalo
