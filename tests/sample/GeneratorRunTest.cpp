// SPDX-License-Identifier: MIT
// Running the generator: the same bytes on every run, a region replaced
// whole, a foreign folder left alone, and the large region for benchmarks.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SampleRun.h"
#include "support/Fixtures.h"

using namespace sampletest;

namespace {

// Names of the entries of a folder, hidden ones included.
QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void expectSameFiles(const QString& a, const QString& b) {
  const QStringList files = filesUnder(a);
  ASSERT_EQ(files, filesUnder(b));
  for (const QString& f : files)
    EXPECT_TRUE(kavalo::test::readBytes(a + u'/' + f) == kavalo::test::readBytes(b + u'/' + f)) << f.toStdString();
}

}  // namespace

TEST(SampleGenerator, TwoRunsWriteIdenticalFiles) {
  QTemporaryDir dir;
  const QString second = dir.path() + QStringLiteral("/again");
  const RunResult r = runGenerator({second});
  ASSERT_EQ(r.exitCode, 0) << r.errorOutput.toStdString();
  ASSERT_GT(filesUnder(second).size(), 500);
  expectSameFiles(sampleRoot(), second);
}

TEST(SampleGenerator, RerunReplacesTheRegionWholeAndLeavesNoTemporaryFolder) {
  QTemporaryDir dir;
  const QString root = dir.path() + QStringLiteral("/root");
  ASSERT_EQ(runGenerator({root}).exitCode, 0);
  // What the program writes into its RootFolder, and a tile gone astray.
  kavalo::test::writeSjis(root + QStringLiteral("/KAVALO.ini"), QStringLiteral(" 0 \n 0 \n 1 \n"));
  ASSERT_TRUE(QFile::remove(root + QStringLiteral("/sample/1909/000_000.png")));
  const RunResult r = runGenerator({root});
  ASSERT_EQ(r.exitCode, 0) << r.errorOutput.toStdString();
  expectSameFiles(sampleRoot(), root);
  EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("root")});
}

TEST(SampleGenerator, RefusesToReplaceAFolderItDidNotWrite) {
  QTemporaryDir dir;
  kavalo::test::writeSjis(dir.path() + QStringLiteral("/notes.txt"), QStringLiteral("keep me"));
  const RunResult r = runGenerator({dir.path()});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("notes.txt")});
  EXPECT_EQ(kavalo::test::readSjis(dir.path() + QStringLiteral("/notes.txt")), QStringLiteral("keep me"));
  EXPECT_EQ(entries(QFileInfo(dir.path()).absolutePath()).filter(QStringLiteral(".make-sample")), QStringList());
}

TEST(SampleGenerator, RejectsMissingOrExtraArguments) {
  EXPECT_EQ(runGenerator({}).exitCode, 2);
  EXPECT_EQ(runGenerator({QStringLiteral("a"), QStringLiteral("b")}).exitCode, 2);
  EXPECT_EQ(runGenerator({QStringLiteral("--unknown")}).exitCode, 2);
}

TEST(SampleGenerator, BenchRegionIsLargeAndSharesItsTileFiles) {
  QTemporaryDir dir;
  const QString root = dir.path() + QStringLiteral("/bench");
  const RunResult r = runGenerator({root, QStringLiteral("--bench")});
  ASSERT_EQ(r.exitCode, 0) << r.errorOutput.toStdString();

  kavalo::ProgramState state;
  kavalo::ScriptedPrompts prompts;
  ASSERT_EQ(loadRegion(root, 0, state, prompts), kavalo::LoadStatus::Loaded);
  EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.messages().join(u'\n').toStdString();
  const kavalo::MapInfo& m = state.mapInfo;
  EXPECT_EQ(m.sheetsX * m.sheetsY, 400);
  EXPECT_EQ(m.totalCols * m.totalRows, 10000);
  EXPECT_EQ(state.altitude.columns % m.totalCols, 0);
  EXPECT_EQ(state.altitude.rows % m.totalRows, 0);
  ASSERT_GE(state.eras.size(), 3u);

  const QString dataset = root + u'/' + state.dataFolders.front().folder;
  for (const kavalo::Era& e : state.eras) {
    const QString folder = dataset + u'/' + e.name;
    const QStringList tiles = QDir(folder).entryList({QStringLiteral("*.") + e.ext}, QDir::Files);
    const int perTile = e.tileStyle == kavalo::kMaskedMap ? 2 : 1;
    EXPECT_EQ(tiles.size(), 10000 * perTile) << e.name.toStdString();
    // Tiles are links to a few files, not ten thousand copies.
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder + QStringLiteral("/050_050.") + e.ext).constData(), &info), 0);
    EXPECT_GT(info.st_nlink, 100u) << e.name.toStdString();
    if (e.kind == kavalo::kScannedSheets) {
      const QStringList listed = checkList(folder + QStringLiteral("/gazo_check_list.txt"));
      EXPECT_EQ(listed.size(), tiles.size());
      EXPECT_TRUE(listed.contains(QStringLiteral("099_099.png")));
    }
  }
}
