#include "platform/Logging.h"

namespace kavalo {

Q_LOGGING_CATEGORY(lcNet, "kavalo.net", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRender, "kavalo.render", QtWarningMsg)
Q_LOGGING_CATEGORY(lcData, "kavalo.data", QtWarningMsg)

void setupLogging(bool verbose) {
  if (verbose) QLoggingCategory::setFilterRules(QStringLiteral("kavalo.*=true"));
}

}  // namespace kavalo
