// SPDX-License-Identifier: MIT
// Packages from a server: entry names (the first byte says whether the
// archive flags them as UTF-8) and whole archives unpacked into an era
// folder. Nothing may land outside that folder.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "FuzzSupport.h"
#include "net/Unzip.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(zip_entries) {
  if (size < 1) return 0;
  const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  if (data[0] & 1) {
    bool ok = false;
    const QString name = DecodeEntryName(rest, data[0] & 2, &ok);
    QString relative;
    if (ok && IsSafeEntryName(name, &relative)) {
      // A colon elsewhere is an ordinary character of a file name here; a
      // drive form is not.
      FUZZ_CHECK(!relative.startsWith(u'/') && !relative.contains(u'\\'));
      FUZZ_CHECK(!(relative.size() >= 2 && relative[1] == u':' && relative[0].isLetter()));
      for (const QString& part : relative.split(u'/')) FUZZ_CHECK(part != u"..");
    }
    return 0;
  }
  fuzz::clearScratch();
  const QString zip = fuzz::writeScratch(QStringLiteral("p.zip"), rest);
  const QString dest = fuzz::scratchFolder() + QStringLiteral("/era");
  QDir().mkpath(dest);
  QString why;
  (void)UnZip(zip, dest, &why, 1 << 20);
  QDirIterator it(fuzz::scratchFolder(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    FUZZ_CHECK(path == zip || path == dest || path.startsWith(dest + u'/'));
    FUZZ_CHECK(!QFileInfo(path).isSymLink());
  }
  return 0;
}
