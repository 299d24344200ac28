// SPDX-License-Identifier: MIT
#pragma once
// Files the user removes from the program go to the desktop's trash, where
// they can still be taken back.
#include <QString>

namespace kavalo {

// Moves a file or a folder with everything in it to the trash. False with a
// message (and the file where it was) when there is no trash for it.
bool moveToTrash(const QString& path, QString* error);

}  // namespace kavalo
