#include "platform/Logging.h"

namespace kavalo {

Q_LOGGING_CATEGORY(lcNet, "kavalo.net", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcRender, "kavalo.render", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcData, "kavalo.data", QtCriticalMsg)

void setupLogging(bool verbose) {
  if (verbose) QLoggingCategory::setFilterRules(QStringLiteral("kavalo.*=true"));
}

}  // namespace kavalo
