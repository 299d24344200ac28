// SPDX-License-Identifier: MIT
// Unpacking packages: names decoded as the archive says, and nothing of an
// unsafe package reaching the disk.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "net/Transfer.h"
#include "net/Unzip.h"
#include "net/ZipFixture.h"
#include "platform/Codec.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::makeZip;
using kavalo::test::ZipEntry;

namespace {

QStringList allFiles(const QString& root) {
  QStringList out;
  QDir dir(root);
  for (const QFileInfo& fi : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
    if (fi.isDir() && !fi.isSymLink())
      for (const QString& sub : allFiles(fi.filePath())) out << fi.fileName() + u'/' + sub;
    else
      out << fi.fileName();
  }
  out.sort();
  return out;
}

}  // namespace

TEST(Unzip, DecodesNamesAndOverwrites) {
  QTemporaryDir work, era;
  test::writeBytes(era.path() + QStringLiteral("/001_001.png"), "old");
  const std::vector<ZipEntry> entries = {
      {toSjis(QStringLiteral("凡例/旧版.png")), "sjis", false, false},
      {QByteArray("sub\\002_001.png"), "backslash", false, false},
      {QStringLiteral("図歴.csv").toUtf8(), "utf8", true, false},
      {QByteArray("001_001.png"), "new", false, false},
  };
  const QString zip = makeZip(work.path() + QStringLiteral("/00.zip"), entries);
  QString why;
  ASSERT_EQ(UnZip(zip, era.path(), &why), 0) << why.toStdString();
  EXPECT_EQ(allFiles(era.path()), (QStringList{QStringLiteral("001_001.png"), QStringLiteral("sub/002_001.png"),
                                               QStringLiteral("凡例/旧版.png"), QStringLiteral("図歴.csv")}));
  EXPECT_EQ(test::readBytes(era.path() + QStringLiteral("/凡例/旧版.png")), "sjis");
  EXPECT_EQ(test::readBytes(era.path() + QStringLiteral("/sub/002_001.png")), "backslash");
  EXPECT_EQ(test::readBytes(era.path() + QStringLiteral("/001_001.png")), "new");
}

TEST(Unzip, AnUnsafeEntryRefusesTheWholePackage) {
  struct Case {
    const char* what;
    ZipEntry entry;
  };
  const std::vector<Case> cases = {
      {"parent", {"../escape.png", "x"}},
      {"parent inside", {"a/../../escape.png", "x"}},
      {"absolute", {"/tmp/escape.png", "x"}},
      {"backslash absolute", {"\\escape.png", "x"}},
      {"drive letter", {"C:escape.png", "x"}},
      {"unc", {"\\\\server\\share\\escape.png", "x"}},
      {"symbolic link", {"link.png", "/etc/passwd", false, true}},
      {"too large", {"big.png", QByteArray(4096, 'b')}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir work, era;
    // A harmless entry first: it must not be written either.
    const QString zip = makeZip(work.path() + QStringLiteral("/00.zip"), {{"000_000.png", "fine"}, c.entry});
    QString why;
    EXPECT_NE(UnZip(zip, era.path(), &why, 1024), 0);
    EXPECT_TRUE(why.contains(QStringLiteral("unsafe")) || why.contains(QStringLiteral("link")) ||
                why.contains(QStringLiteral("too large")))
        << why.toStdString();
    EXPECT_TRUE(allFiles(era.path()).isEmpty());
    EXPECT_EQ(allFiles(work.path()), QStringList{QStringLiteral("00.zip")});
  }
}

TEST(Unzip, NeverWritesThroughALinkInTheFolder) {
  QTemporaryDir work, era, outside;
  ASSERT_TRUE(QFile::link(outside.path(), era.path() + QStringLiteral("/maps")));
  ASSERT_TRUE(QFile::link(outside.path() + QStringLiteral("/target.png"), era.path() + QStringLiteral("/t.png")));
  EXPECT_NE(UnZip(makeZip(work.path() + QStringLiteral("/a.zip"), {{"maps/000_000.png", "x"}}), era.path()), 0);
  EXPECT_NE(UnZip(makeZip(work.path() + QStringLiteral("/b.zip"), {{"t.png", "x"}}), era.path()), 0);
  EXPECT_TRUE(allFiles(outside.path()).isEmpty());
}

TEST(Unzip, AnEntryYieldingMoreThanItDeclaresIsNotWritten) {
  QTemporaryDir work, era;
  const QString zip = makeZip(work.path() + QStringLiteral("/00.zip"), {{"000_000.png", QByteArray(5000, 'z')}});
  // Declare 100 bytes in the local and the central header; the compressed
  // stream still yields 5000.
  QByteArray bytes = test::readBytes(zip);
  auto patch = [&](qsizetype at) {
    const quint32 v = 100;
    memcpy(bytes.data() + at, &v, 4);
  };
  patch(22);
  const qsizetype central = bytes.indexOf(QByteArray("PK\x01\x02", 4));
  ASSERT_GT(central, 0);
  patch(central + 24);
  test::writeBytes(zip, bytes);
  EXPECT_NE(UnZip(zip, era.path()), 0);
  EXPECT_TRUE(allFiles(era.path()).isEmpty());
}

TEST(Unzip, NotAZipFails) {
  QTemporaryDir work, era;
  test::writeBytes(work.path() + QStringLiteral("/00.zip"), "<html>not found</html>");
  EXPECT_NE(UnZip(work.path() + QStringLiteral("/00.zip"), era.path()), 0);
  EXPECT_TRUE(allFiles(era.path()).isEmpty());
}

TEST(Unzip, EntriesThatAddUpToABombWriteNothing) {
  QTemporaryDir work, era;
  // Forty entries of a MiB of zeros, each far under the entry limit: a few
  // kilobytes of package.
  const QString zip = work.path() + QStringLiteral("/00.zip");
  test::writeBytes(zip, test::zipOfZeros(40, qint64(1) << 20));
  EXPECT_LT(QFileInfo(zip).size(), 100 * 1024);
  struct Case {
    const char* what;
    int64_t total;
    int64_t margin;
    bool unpacked;
  };
  const Case cases[] = {
      {"over the total", int64_t(16) << 20, 0, false},
      {"more than the volume has free", int64_t(1) << 30, int64_t(1) << 60, false},
      {"within both", int64_t(64) << 20, 0, true},
  };
  const BodyLimits saved = bodyLimits();
  for (const Case& c : cases) {
    BodyLimits limits = saved;
    limits.freeSpaceMargin = c.margin;
    setBodyLimits(limits);
    QTemporaryDir out;
    QString why;
    EXPECT_EQ(UnZip(zip, out.path(), &why, kMaxPackageEntryBytes, c.total) == 0, c.unpacked) << c.what;
    EXPECT_EQ(allFiles(out.path()).size(), c.unpacked ? 40 : 0) << c.what << why.toStdString();
  }
  setBodyLimits(saved);
}

TEST(Unzip, OnlyAnArchiveWithItsEndRecordIsWhole) {
  QTemporaryDir work;
  const QString zip = makeZip(work.path() + QStringLiteral("/00.zip"), {{"000_000.png", QByteArray(3000, 'p')}});
  const QByteArray bytes = test::readBytes(zip);
  EXPECT_TRUE(zipEndsWhole(zip));
  for (const qsizetype keep : {qsizetype(100), bytes.size() / 2, bytes.size() - 1}) {
    test::writeBytes(zip, bytes.left(keep));
    EXPECT_FALSE(zipEndsWhole(zip)) << keep;
  }
  // A comment after the end record is part of it.
  QByteArray commented = bytes;
  commented[commented.size() - 2] = 3;
  test::writeBytes(zip, commented + "abc");
  EXPECT_TRUE(zipEndsWhole(zip));
}
