// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

namespace kavalo {

class Prompts;

// Opens a file or a web address with the desktop's default program. On
// failure one error box (critical icon) says why; false then.
bool ShellOpen(const QString& target, Prompts& prompts);

}  // namespace kavalo
