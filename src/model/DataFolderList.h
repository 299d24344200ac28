// SPDX-License-Identifier: MIT
#pragma once
// dataset.txt in the RootFolder: the entry count, then pairs of display name
// and folder name. The program never writes it.
#include <QString>
#include <vector>

namespace kavalo {

struct DataFolderEntry {
  QString name;    // shown in the data-folder list
  QString folder;  // sub-folder of the RootFolder
};

// False with a message naming the file when it is missing, cannot be read, or
// holds fewer pairs than its count says.
bool readDataFolderList(const QString& path, std::vector<DataFolderEntry>& out, QString* error);

}  // namespace kavalo
