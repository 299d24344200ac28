// SPDX-License-Identifier: MIT
// KAVALO.ini: whatever it holds, the settings read are written back and read
// again unchanged.
#include "model/Settings.h"
#include "FuzzSupport.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(settings) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const Settings read = readSettings(fuzz::writeScratch(QStringLiteral("KAVALO.ini"), bytes));
  const QString again = fuzz::scratchFolder() + QStringLiteral("/again.ini");
  FUZZ_CHECK(writeSettings(again, read));
  const Settings back = readSettings(again);
  FUZZ_CHECK(back.dataFolderIndex == read.dataFolderIndex && back.eraLabelStyle == read.eraLabelStyle &&
             back.datumFlag == read.datumFlag);
  return 0;
}
