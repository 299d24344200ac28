// SPDX-License-Identifier: MIT
// dataset.txt: the list of data folders of the RootFolder.
#include "FuzzSupport.h"
#include "model/DataFolderList.h"
#include "platform/Paths.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(dataset_list) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  std::vector<DataFolderEntry> entries;
  QString error;
  if (!readDataFolderList(fuzz::writeScratch(QStringLiteral("dataset.txt"), bytes), entries, &error)) {
    FUZZ_CHECK(entries.empty() && error.contains(QStringLiteral("dataset.txt")));
    return 0;
  }
  for (const DataFolderEntry& e : entries) {
    // A folder name that is accepted never leads out of the RootFolder.
    if (isSingleName(e.folder)) {
      const QString joined = joinPath(fuzz::scratchFolder(), u'\\' + e.folder);
      FUZZ_CHECK(!e.folder.contains(u'/') && !e.folder.contains(u'\\') && e.folder != u"..");
      FUZZ_CHECK(joined.startsWith(fuzz::scratchFolder() + u'/'));
    }
  }
  return 0;
}
