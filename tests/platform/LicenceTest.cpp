// SPDX-License-Identifier: MIT
// The licence is clear in every source file: each one names it in its first
// lines, as LICENSE at the root states it.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>

TEST(Licence, EverySourceFileNamesTheProjectsLicence) {
  const QString root = qEnvironmentVariable("KAVALO_SOURCE");
  ASSERT_FALSE(root.isEmpty());
  QFile licence(root + QStringLiteral("/LICENSE"));
  ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
  EXPECT_TRUE(licence.readLine().startsWith("MIT License"));

  QStringList unmarked;
  int checked = 0;
  for (const char* folder : {"src", "tests", "tools", "bench", "web/viewer"}) {
    QDirIterator it(root + u'/' + QLatin1String(folder),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.js"), QStringLiteral("*.mjs"),
                     QStringLiteral("*.css"), QStringLiteral("*.html"), QStringLiteral("CMakeLists.txt")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      if (path.contains(QStringLiteral("/fuzz/corpus/")) || path.contains(QStringLiteral("/fuzz/crashers/"))) continue;
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
      ++checked;
      if (!f.read(300).contains("SPDX-License-Identifier: MIT")) unmarked << path.mid(root.size() + 1);
    }
  }
  EXPECT_GT(checked, 500);
  EXPECT_TRUE(unmarked.isEmpty()) << unmarked.size() << " files without the licence line:\n"
                                  << unmarked.join(u'\n').toStdString();
}
