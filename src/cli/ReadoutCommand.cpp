#include "cli/ReadoutCommand.h"

#include "cli/CliCommon.h"

namespace kavalo {

int runReadoutCommand(const QStringList&) {
  printError(QStringLiteral("readout is not available yet"));
  return 2;
}

}  // namespace kavalo
