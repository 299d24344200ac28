// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "support/Fixtures.h"

using namespace kavalo;

TEST(Paths, BackslashNamesJoinToNativePaths) {
  EXPECT_EQ(joinPath(QStringLiteral("/data/root"), QStringLiteral("\\mapinfo.txt")),
            QStringLiteral("/data/root/mapinfo.txt"));
  EXPECT_EQ(joinPath(QStringLiteral("/data/root/"), QStringLiteral("\\legend\\05.png")),
            QStringLiteral("/data/root/legend/05.png"));
  EXPECT_EQ(nativeRelative(QStringLiteral("\\a\\b")), QStringLiteral("a/b"));
}

TEST(Paths, FileExistsOnlyForReadableFiles) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("a.txt"));
  test::writeBytes(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.path()));
  EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("missing.txt"))));
  EXPECT_FALSE(FileExists(QString()));
  EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("no/such/folder/a.txt"))));
}

TEST(Paths, FilesCopiedFromWindowsAreFoundByCaseAndShiftJisName) {
  QTemporaryDir dir;
  test::writeBytes(dir.filePath(QStringLiteral("Legend/05.PNG")), "png");
  EXPECT_TRUE(FileExists(dir.filePath(QStringLiteral("legend/05.png"))));
  QByteArray bytes;
  EXPECT_TRUE(readFileBytes(dir.filePath(QStringLiteral("legend/05.png")), bytes, nullptr));
  EXPECT_EQ(bytes, QByteArray("png"));

  // A Japanese name stored as Shift-JIS bytes (as an old archive leaves it).
  const QByteArray raw = QFile::encodeName(dir.path()) + '/' + toSjis(QStringLiteral("図歴.csv"));
  FILE* f = std::fopen(raw.constData(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("csv", f);
  std::fclose(f);
  EXPECT_TRUE(FileExists(dir.filePath(QStringLiteral("図歴.csv"))));
  EXPECT_TRUE(readFileBytes(dir.filePath(QStringLiteral("図歴.csv")), bytes, nullptr));
  EXPECT_EQ(bytes, QByteArray("csv"));
}

// A folder of thousands of tiles is never listed to find a name: there a
// name is found as written, in lower case or in upper case only, where a
// small folder finds any mix of cases.
TEST(Paths, ALargeFolderIsLookedIntoOnlyByItsSpellings) {
  QTemporaryDir dir;
  const QString large = dir.filePath(QStringLiteral("large")), small = dir.filePath(QStringLiteral("small"));
  for (const QString& folder : {large, small}) {
    for (const char* name : {"UPPER_1.PNG", "lower_1.png", "Mixed_1.Png"})
      test::writeBytes(folder + u'/' + QString::fromLatin1(name), "png");
    // A Japanese name stored as Shift-JIS bytes.
    FILE* sjis = std::fopen((QFile::encodeName(folder) + '/' + toSjis(QStringLiteral("図.png"))).constData(), "wb");
    ASSERT_NE(sjis, nullptr);
    std::fclose(sjis);
  }
  for (int i = 0; i < 5000; ++i) {
    QFile tile(large + QStringLiteral("/%1_%2.png").arg(i / 100, 3, 10, QChar(u'0')).arg(i % 100, 3, 10, QChar(u'0')));
    ASSERT_TRUE(tile.open(QIODevice::WriteOnly));
  }
  const struct {
    const char* name;
    bool inLarge;
    bool inSmall;
  } cases[] = {
      {"049_099.png", true, false}, {"upper_1.png", true, true},  {"LOWER_1.PNG", true, true},
      {"Mixed_1.Png", true, true},  {"mixed_1.png", false, true}, {"050_000.png", false, false},
      {"図.png", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FileExists(large + u'/' + QString::fromUtf8(c.name)), c.inLarge);
    EXPECT_EQ(FileExists(small + u'/' + QString::fromUtf8(c.name)), c.inSmall);
  }
}

TEST(AtomicFile, ReplacesTheFileWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("KAVALO.ini"));
  test::writeBytes(path, "old content that is longer");
  ASSERT_TRUE(writeFileAtomically(path, "new"));
  EXPECT_EQ(test::readBytes(path), QByteArray("new"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(AtomicFile, AFailedWriteLeavesNothingBehind) {
  QTemporaryDir dir;
  QString error;
  EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("missing/x.txt")), "data", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST(AtomicFile, KeepAsideCopiesUnderAFreeName) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("colorset.txt"));
  test::writeBytes(path, "broken");
  test::writeBytes(path + QStringLiteral(".bak"), "older");
  const QString aside = keepAside(path);
  EXPECT_EQ(aside, path + QStringLiteral(".bak1"));
  EXPECT_EQ(test::readBytes(aside), QByteArray("broken"));
  EXPECT_EQ(test::readBytes(path + QStringLiteral(".bak")), QByteArray("older"));
}
