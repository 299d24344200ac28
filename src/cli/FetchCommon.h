// SPDX-License-Identifier: MIT
#pragma once
// What the fetch commands share: the servers (the settings file, then the
// command's own options), the run's context with every question answered
// Yes, and the end of a run: its messages (those about a failure on standard
// error, the others and the counts on standard output) and the exit status
// (0 when an era was added or updated).
#include <QString>

#include "cli/CliCommon.h"
#include "net/AcquireContext.h"
#include "net/AcquireRuns.h"

namespace kavalo {

// A run's prompts: every question answered Yes, messages kept for the end.
class FetchPrompts : public ScriptedPrompts {};

AcquireContext fetchContext(FetchPrompts& prompts);

// Prints the messages and a summary line; returns the exit status.
int finishFetch(const RunOutcome& out, const FetchPrompts& prompts);

// An option's value as an integer within [lo, hi] (left alone when the
// option is not given); false with the reason.
bool intOption(const CliOptions& options, const QString& name, int lo, int hi, int& value, QString* error);

}  // namespace kavalo
