// SPDX-License-Identifier: MIT
#include "platform/Logging.h"

#include <cstdio>

namespace kavalo {

Q_LOGGING_CATEGORY(lcNet, "kavalo.net", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcRender, "kavalo.render", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcData, "kavalo.data", QtCriticalMsg)

void setupLogging(bool verbose) {
  if (verbose) QLoggingCategory::setFilterRules(QStringLiteral("kavalo.*=true"));
}

namespace {

QtMessageHandler& previousHandler() {
  static QtMessageHandler handler = nullptr;
  return handler;
}

void filterNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg &&
      message == u"QNetworkReplyImplPrivate::error: Internal problem, this method must only be called once.")
    return;
  if (previousHandler())
    previousHandler()(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

}  // namespace

void dropQtNetworkNoise() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  previousHandler() = qInstallMessageHandler(&filterNoise);
}

}  // namespace kavalo
