// SPDX-License-Identifier: MIT
#include "model/DataFolderList.h"

#include <QCoreApplication>

#include "platform/Paths.h"
#include "platform/ValueReader.h"

namespace kavalo {

bool readDataFolderList(const QString& path, std::vector<DataFolderEntry>& out, QString* error) {
  out.clear();
  if (!FileExists(path)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::DataFolderList",
                                           "データセットの一覧「dataset.txt」が見つかりません。\n%1")
                   .arg(path);
    return false;
  }
  ValueReader reader{QString()};
  QString readError;
  if (!ValueReader::fromFile(path, reader, &readError)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::DataFolderList",
                                           "データセットの一覧「dataset.txt」を読み込めません。\n%1")
                   .arg(readError);
    return false;
  }
  int32_t count = 0;
  if (!reader.readInt(count) || count < 0) {
    if (error)
      *error = QCoreApplication::translate("kavalo::DataFolderList",
                                           "データセットの一覧「dataset.txt」の件数が正しくありません。\n%1")
                   .arg(path);
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    DataFolderEntry e;
    if (!reader.readText(e.name) || !reader.readText(e.folder)) {
      if (error)
        *error = QCoreApplication::translate(
                     "kavalo::DataFolderList",
                     "データセットの一覧「dataset.txt」の項目が件数（%1）より少なくなっています。\n%2")
                     .arg(count)
                     .arg(path);
      out.clear();
      return false;
    }
    out.push_back(e);
  }
  return true;
}

}  // namespace kavalo
