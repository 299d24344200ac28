// SPDX-License-Identifier: MIT
#pragma once
#include <QString>
#include <QStringList>

namespace kavalo {

// The manual to open for 解説: the one written in the interface's language
// (kavalo-<language>.pdf, e.g. kavalo-en.pdf) when one of the folders holds
// it, else the Japanese kavalo.pdf, the manual every installation has.
// Japanese is kavalo.pdf itself. Folders are searched in the order given (the
// RootFolder, then the executables' folder); with no manual anywhere the
// first folder's kavalo.pdf is returned, so that opening it says what is
// missing.
QString manualFile(const QStringList& folders, const QString& language);

}  // namespace kavalo
