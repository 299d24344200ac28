#include "cli/FetchCommon.h"

namespace kavalo {

AcquireContext fetchContext(FetchPrompts& prompts) {
  AcquireContext ctx;
  ctx.prompts = &prompts;
  ctx.net = programNetAccess();
  return ctx;
}

int finishFetch(const RunOutcome& out, const FetchPrompts& prompts) {
  // Every message but the closing one is a step on the way (standard error);
  // the closing one is the result (standard output).
  const QStringList messages = prompts.messages();
  for (qsizetype i = 0; i + 1 < messages.size(); ++i) printError(messages[i]);
  if (!messages.isEmpty()) printOut(messages.back());
  // What the requests came to, so that a script can tell a server without
  // data from one that failed.
  printError(QStringLiteral("%1 tiles written, %2 requests: %3 answered, %4 absent, %5 failed")
                 .arg(out.tiles)
                 .arg(out.requests)
                 .arg(out.counts.answered)
                 .arg(out.counts.absent)
                 .arg(out.counts.failed));
  return out.added ? kExitOk : kExitFailed;
}

bool intOption(const CliOptions& options, const QString& name, int lo, int hi, int& value, QString* error) {
  if (!options.has(name)) return true;
  bool ok = false;
  const int v = options.get(name).toInt(&ok);
  if (!ok || v < lo || v > hi) {
    *error = QStringLiteral("%1 must be a whole number from %2 to %3").arg(name).arg(lo).arg(hi);
    return false;
  }
  value = v;
  return true;
}

}  // namespace kavalo
