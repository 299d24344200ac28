// SPDX-License-Identifier: MIT
#pragma once
// The open-file dialog of the program, over the prompts' file dialog.
#include <QString>
#include <utility>
#include <vector>

#include "platform/Prompts.h"

namespace kavalo {

// A filter list as the program writes it: a tab-separated sequence of
// (description, pattern) pairs, "地図ファイル\t*.kmk". An odd trailing
// element is ignored. The dialog shows each pair as the description followed
// by the pattern in round brackets.
std::vector<std::pair<QString, QString>> parseFilterList(const QString& filterList);

// Asks for an existing file. The initial folder is used only when it is not
// empty. The result says whether a file was chosen, with its full path and
// bare file name.
FileChoice Open_FileDialog(Prompts& prompts, const QString& initialFolder, const QString& title,
                           const QString& filterList);

}  // namespace kavalo
