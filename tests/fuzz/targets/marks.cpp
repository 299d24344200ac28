// Marks files: a file that is read is saved so that it reads the same marks.
#include <QFile>

#include "FuzzSupport.h"
#include "model/Marks.h"

using namespace kavalo;

namespace {
QByteArray fileBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}
}  // namespace

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
  FUZZ_CHECK(fileBytes(first) == fileBytes(second));
  return 0;
}
