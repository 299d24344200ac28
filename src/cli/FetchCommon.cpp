// SPDX-License-Identifier: MIT
#include "cli/FetchCommon.h"

namespace kavalo {

AcquireContext fetchContext(FetchPrompts& prompts) {
  AcquireContext ctx;
  ctx.prompts = &prompts;
  ctx.net = programNetAccess();
  return ctx;
}

int finishFetch(const RunOutcome& out, const FetchPrompts& prompts) {
  // What a script reads (the result and the counts) goes to standard output;
  // what went wrong goes to standard error, so that a pipe never takes a
  // failure for a result.
  for (const ScriptedPrompts::Record& r : prompts.records) {
    if (r.question) continue;
    if (isFailureMessage(r.icon))
      printError(r.text);
    else
      printOut(r.text);
  }
  // What the requests came to, so that a script can tell a server without
  // data from one that failed; every request is one of the four.
  printOut(QStringLiteral("%1 tiles written, %2 requests: %3 answered, %4 absent, %5 failed, %6 cancelled")
               .arg(out.tiles)
               .arg(out.requests)
               .arg(out.counts.answered)
               .arg(out.counts.absent)
               .arg(out.counts.failed)
               .arg(out.counts.cancelled));
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
