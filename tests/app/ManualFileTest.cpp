// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/ManualFile.h"

using namespace kavalo;

namespace {

struct ManualCase {
  const char* name;
  QStringList present;  // files made, as "root/..." or "bin/..."
  QString language;
  QString expected;  // the chosen file, as "root/..." or "bin/..."
};

}  // namespace

TEST(ManualFile, ThePdfOfTheShownLanguageFallingBackToTheJapaneseOne) {
  const QString ja = QStringLiteral("ja"), en = QStringLiteral("en");
  const QString rootJa = QStringLiteral("root/kavalo.pdf"), rootEn = QStringLiteral("root/kavalo-en.pdf");
  const QString binJa = QStringLiteral("bin/kavalo.pdf"), binEn = QStringLiteral("bin/kavalo-en.pdf");
  const ManualCase cases[] = {
      {"Japanese opens kavalo.pdf though an English one lies beside it", {rootJa, rootEn}, ja, rootJa},
      {"English opens kavalo-en.pdf", {rootJa, rootEn}, en, rootEn},
      {"English without kavalo-en.pdf opens kavalo.pdf", {rootJa}, en, rootJa},
      {"the English one beside the program before the Japanese one in the root", {rootJa, binEn, binJa}, en, binEn},
      {"the root before the program's folder", {rootEn, binEn}, en, rootEn},
      {"the program's kavalo.pdf when the root has none", {binJa}, ja, binJa},
      {"another language's own manual",
       {rootJa, QStringLiteral("root/kavalo-de.pdf")},
       QStringLiteral("de"),
       QStringLiteral("root/kavalo-de.pdf")},
      {"no language named: the Japanese manual", {rootJa, rootEn}, QString(), rootJa},
      {"a folder named kavalo-en.pdf is no manual", {rootJa, QStringLiteral("root/kavalo-en.pdf/")}, en, rootJa},
      {"no manual anywhere: the root's kavalo.pdf, to be reported missing", {}, en, rootJa},
  };
  for (const ManualCase& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir base(dir.path());
    base.mkpath(QStringLiteral("root"));
    base.mkpath(QStringLiteral("bin"));
    for (const QString& p : c.present) {
      if (p.endsWith(u'/')) {
        base.mkpath(p);
        continue;
      }
      QFile f(base.filePath(p));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("%PDF-1.4\n");
    }
    const QStringList folders{base.filePath(QStringLiteral("root")), base.filePath(QStringLiteral("bin"))};
    EXPECT_EQ(QDir::cleanPath(manualFile(folders, c.language)), QDir::cleanPath(base.filePath(c.expected)));
  }
}
