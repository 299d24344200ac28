// SPDX-License-Identifier: MIT
// colorset.txt: a file that is read is written back so that it reads the
// same, and writing what was read back a second time gives the same bytes.
#include "FuzzSupport.h"
#include "model/ColorSet.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(colorset) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  ColorSetList list;
  QString error;
  if (!readColorSetFile(fuzz::writeScratch(QStringLiteral("colorset.txt"), bytes), list, &error)) {
    FUZZ_CHECK(error.contains(QStringLiteral("colorset.txt")));
    return 0;
  }
  FUZZ_CHECK(!list.sets.empty() && list.selected >= 0 && list.selected < static_cast<int>(list.sets.size()));
  const QString first = fuzz::scratchFolder() + QStringLiteral("/first.txt");
  const QString second = fuzz::scratchFolder() + QStringLiteral("/second.txt");
  FUZZ_CHECK(writeColorSetFile(first, list));
  ColorSetList back;
  FUZZ_CHECK(readColorSetFile(first, back, &error));
  FUZZ_CHECK(back.sets.size() == list.sets.size() && back.selected == list.selected);
  FUZZ_CHECK(writeColorSetFile(second, back));
  FUZZ_CHECK(fuzz::fileBytes(first) == fuzz::fileBytes(second));
  return 0;
}
