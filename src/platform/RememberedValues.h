// SPDX-License-Identifier: MIT
#pragma once
// What the program remembers for the user from one run to the next, apart
// from the data and its settings files: the last address and attribution of
// the XYZ dialog, the folders the save dialogs last wrote to. Kept with
// QSettings in the user's configuration folder (~/.config/kavalo/kavalo.ini),
// so that a data folder shared with others carries none of it.
#include <QString>

namespace kavalo {

// The value last remembered under key, or fallback.
QString rememberedValue(const QString& key, const QString& fallback = QString());
void rememberValue(const QString& key, const QString& value);

// Where a save dialog of a kind of file ("export", "pdf") opens: the folder
// of the file last saved of that kind, or the user's documents folder the
// first time (or when that folder is gone).
QString saveFolder(const QString& kind);
// Remembers the folder of a file just chosen in a save dialog of that kind.
void rememberSaveFolder(const QString& kind, const QString& chosenPath);

}  // namespace kavalo
