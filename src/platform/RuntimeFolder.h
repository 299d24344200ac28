// SPDX-License-Identifier: MIT
#pragma once

namespace kavalo {

// Tools that run without a desktop session (scripts, build machines) give Qt a
// private runtime folder when the session names none, so that it does not warn
// on every run. Call before the application object is made.
void ensureRuntimeFolder();

}  // namespace kavalo
