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
