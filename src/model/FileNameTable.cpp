// SPDX-License-Identifier: MIT
#include "model/FileNameTable.h"

namespace kavalo {

FileNameTable FileNameTable::standard(const QString& webBaseUrl) {
  FileNameTable t;
  t.names = {QStringLiteral("\\mapinfo.txt"),
             QStringLiteral("\\map_tikeizu_info.txt"),
             QStringLiteral("\\map_watizu_info.txt"),
             QStringLiteral("\\map_densikokudo_ortho_info.txt"),
             QStringLiteral("\\map_ortho_info.txt"),
             QStringLiteral("\\map_Jinnsoku_info.txt"),
             QStringLiteral("\\図歴.csv"),  // stored
             QStringLiteral("\\map_2man_info.txt"),
             QStringLiteral("\\PositionRecored.txt"),
             QStringLiteral("\\MarkData.kmk"),
             QStringLiteral("\\gazo_check_list.txt"),
             webBaseUrl,
             webBaseUrl + QStringLiteral("download_serverlist210.txt")};
  return t;
}

}  // namespace kavalo
