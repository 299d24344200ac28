// SPDX-License-Identifier: MIT
#pragma once
// The save-file dialog of the export: Qt's dialog through the prompts, then
// the extension put right when the name was typed with another one.
#include <QString>

#include "platform/Prompts.h"

namespace kavalo {

// filter: description and pattern alternately, separated by tabs
// ("kmlファイル\t*.kml"). initialPath: a folder or a full path. A name chosen
// with another extension than defaultExt gets the note "拡張子を正しい…に変更
// します。" and defaultExt in place of its own; when that corrected name is an
// existing file, the user is asked before it is replaced (No: nothing chosen).
FileChoice SaveFileDialog(Prompts& prompts, const QString& initialPath, const QString& title, const QString& filter,
                          const QString& defaultExt);

}  // namespace kavalo
