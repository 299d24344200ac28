// SPDX-License-Identifier: MIT
// Marks files: a file that is read is saved so that it reads the same marks.
#include <cmath>
#include <utility>

#include "FuzzSupport.h"
#include "model/Marks.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(marks) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  MarkList marks;
  QString error;
  if (!Get_MarkFile(fuzz::writeScratch(QStringLiteral("MarkData.kmk"), bytes), marks, &error)) {
    FUZZ_CHECK(!error.isEmpty());
    return 0;
  }
  const QString first = fuzz::scratchFolder() + QStringLiteral("/first.kmk");
  const QString second = fuzz::scratchFolder() + QStringLiteral("/second.kmk");
  FUZZ_CHECK(Save_MarkFile(first, marks));
  MarkList back;
  FUZZ_CHECK(Get_MarkFile(first, back, &error));
  FUZZ_CHECK(back.count() == marks.count());
  FUZZ_CHECK(Save_MarkFile(second, back));
  // Coordinates are kept to seven significant digits. A saved file reads
  // and saves as itself, but for a value written as 1e28 or as a power of
  // ten below 1e-37: the single nearest it lies below it and so saves as the
  // next lower seven digits, a step within the rounding.
  bool ordinary = true;
  for (int i = 0; i < marks.count(); ++i) {
    const Mark& a = marks.at(i);
    const Mark& b = back.at(i);
    FUZZ_CHECK(storableMarkName(b.name) == storableMarkName(a.name));
    for (const auto& [was, now] : {std::pair{a.lat, b.lat}, std::pair{a.lon, b.lon}}) {
      if (!std::isfinite(was)) {
        FUZZ_CHECK(now == 0.0f);
      } else {
        FUZZ_CHECK(std::fabs(double{now} - double{was}) <= 1e-6 * std::fabs(double{was}));
        ordinary = ordinary && std::fabs(was) < 1e27f && (was == 0.0f || std::fabs(was) > 1e-37f);
      }
    }
  }
  if (ordinary) FUZZ_CHECK(fuzz::fileBytes(first) == fuzz::fileBytes(second));
  return 0;
}
