// SPDX-License-Identifier: MIT
// What hostile or damaged files of a RootFolder and its data folders do:
// each gives a message naming the file and loses nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "cli/CliCommon.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

struct BadFolder {
  test::RootFixture root;
  test::DatasetFixture data;
  ScriptedPrompts prompts;
  ProgramState state;

  BadFolder() {
    root.writeDatasetList({{QStringLiteral("テスト"), QStringLiteral("d")}});
    data.folder = root.path(QStringLiteral("d"));
    data.write();
  }
  void file(const QString& name, const QString& text) { test::writeSjis(data.folder + u'/' + name, text); }
  LoadStatus load() {
    EXPECT_TRUE(startProgram(state, root.root(), prompts));
    state.dataFolderIndex = 0;
    state.datasetFolder = data.folder;
    return LoadDataset(state, prompts);
  }
  QString lastMessage() const { return prompts.messages().isEmpty() ? QString() : prompts.messages().last(); }
};

// Every file under a folder with its content, to see that nothing changed.
QMap<QString, QByteArray> snapshot(const QString& folder) {
  QMap<QString, QByteArray> files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files.insert(QDir(folder).relativeFilePath(path), test::readBytes(path));
  }
  return files;
}

}  // namespace

// Grids and values no region has: refused before anything is allocated for
// them, with the message naming the file (the first row aborted the program
// with an uncaught allocation failure).
TEST(BadInput, ConfigurationValuesBeyondAnyRegionAreRefusedNamingTheFile) {
  struct Case {
    const char* what;
    QString file;
    QString text;
    QString named;
  };
  const std::vector<Case> cases = {
      {"100000 x 100000 sheets", "mapinfo.txt", "横方向地形図数=100000\n縦方向地形図数=100000", "mapinfo.txt"},
      {"2000 x 2000 sheets", "mapinfo.txt", "横方向地形図数=2000\n縦方向地形図数=2000", "「横方向地形図数」"},
      {"tiles per sheet", "mapinfo.txt", "地形図１枚あたり横方向画像数=1000", "地形図１枚あたり横方向画像数"},
      {"tile size", "mapinfo.txt", "画像幅=100000", "「画像幅」"},
      {"frame offset", "mapinfo.txt", "旧図郭=-2147483648,0", "「旧図郭」"},
      {"west edge", "mapinfo.txt", "西端経度=1e39", "「西端経度」"},
      {"history column", "map_tikeizu_info.txt", "1\nA,0,1900,1900,0,1,2147483647,png", "図歴の列"},
      {"history column past the count", "map_tikeizu_info.txt", "2\nA,0,1900,1900,0,1,0,png\nB,0,1930,1930,0,1,2,png",
       "図歴の列（2）"},
      {"era name leaving the folder", "map_tikeizu_info.txt", "1\n..\\..\\secret,0,1900,1900,0,1,0,png",
       "「..\\..\\secret」"},
      {"era name ..", "map_watizu_info.txt", "1\n..,2011,2011,2011/05/01", "「..」"},
      {"image extension with a path", "map_tikeizu_info.txt", "1\nA,0,1900,1900,0,1,0,png/../../x", "拡張子"},
      {"year", "map_watizu_info.txt", "1\nW00,-2147483648,2011,2011/05/01", "-2147483648"},
      {"period code", "map_ortho_info.txt", "1\nO1,2147483647", "撮影時期の番号（2147483647）"},
      {"sheet image name", "map_2man_info.txt", "1900,1900\n1,0\nh\n..\\..\\x.png,139,139.1,36,35.9\nh\n",
       "「..\\..\\x.png」"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BadFolder f;
    if (c.file == u"mapinfo.txt")
      f.data.extraMapInfo = c.text.split(u'\n');
    else
      f.file(c.file, c.text + u'\n');
    if (c.file == u"map_2man_info.txt") f.data.extraMapInfo = {QStringLiteral("正式二万=1")};
    f.data.writeMapInfo();
    EXPECT_EQ(f.load(), LoadStatus::Failed);
    EXPECT_FALSE(f.state.view.loaded);
    EXPECT_TRUE(f.lastMessage().contains(c.file)) << f.lastMessage().toStdString();
    EXPECT_TRUE(f.lastMessage().contains(c.named)) << f.lastMessage().toStdString();
  }
}

// A saved centre that is not finite or lies far off the map opens at the
// initial position, keeping the rest of the saved record; an initial position
// of the same kind opens in the middle of the map.
TEST(BadInput, UnsoundCentresFallBack) {
  struct Case {
    const char* what;
    QString saved;        // PositionRecored.txt, empty for none
    QStringList mapInfo;  // extra mapinfo.txt lines
    float x, y;           // expected centre
    int era;
  };
  // The fixture's mosaic is 400 x 320 with the initial centre at (200, 160).
  const std::vector<Case> cases = {
      {"sound saved centre", " 250 , 100 , 1 , 200 \n\\MarkData.kmk", {}, 250, 100, 1},
      {"saved 1e39", " 1e39 , 100 , 1 , 200 \n\\MarkData.kmk", {}, 200, 160, 1},
      {"saved 3e38", " 10 , 3e38 , 1 , 200 \n\\MarkData.kmk", {}, 200, 160, 1},
      {"saved far west", " -5000 , 100 , 1 , 200 \n\\MarkData.kmk", {}, 200, 160, 1},
      {"initial 1e39, nothing saved", "", {"初期表示位置X=1e39"}, 200, 160, 0},
      {"initial far off, saved far off", " 1e39 , 1 , 0 , 100 \n", {"初期表示位置Y=-99999"}, 200, 160, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BadFolder f;
    f.data.extraMapInfo = c.mapInfo;
    f.data.writeMapInfo();
    if (!c.saved.isEmpty()) f.file(QStringLiteral("PositionRecored.txt"), c.saved + u'\n');
    ASSERT_EQ(f.load(), LoadStatus::Loaded);
    EXPECT_FLOAT_EQ(f.state.view.centerX, c.x);
    EXPECT_FLOAT_EQ(f.state.view.centerY, c.y);
    EXPECT_EQ(f.state.view.eraIndex, c.era);
  }
}

// A dataset.txt entry that leaves the RootFolder is refused: the folder above,
// which holds a loadable dataset, is neither loaded nor written.
TEST(BadInput, DataFolderNamesLeavingTheRootFolderAreRefused) {
  for (const QString& name : {QStringLiteral(".."), QStringLiteral("d/../.."), QStringLiteral("\\tmp"),
                              QStringLiteral("C:\\data"), QStringLiteral("/")}) {
    SCOPED_TRACE(name.toStdString());
    QTemporaryDir outer;
    test::DatasetFixture above;
    above.folder = outer.path();
    above.write();
    const QString root = outer.path() + QStringLiteral("/root");
    test::writeSjis(root + QStringLiteral("/dataset.txt"), QStringLiteral("1\n外,%1\n").arg(name));
    const QStringList before = QDir(outer.path()).entryList(QDir::Files);

    ProgramState state;
    ScriptedPrompts prompts;
    ASSERT_TRUE(startProgram(state, root, prompts));
    state.dataFolderIndex = 0;
    state.datasetFolder = root + u'/' + name;
    EXPECT_EQ(LoadDataset(state, prompts), LoadStatus::Failed);
    ASSERT_FALSE(prompts.messages().isEmpty());
    EXPECT_TRUE(prompts.messages().last().contains(QStringLiteral("dataset.txt")));
    saveAtQuit(state);
    EXPECT_EQ(QDir(outer.path()).entryList(QDir::Files), before);
  }
}

// A marks file or colorset.txt that cannot be read is kept aside once, not
// once more at every start; a changed bad file is kept again.
TEST(BadInput, UnreadableFilesAreKeptAsideOnce) {
  BadFolder f;
  f.file(QStringLiteral("MarkData.kmk"), QStringLiteral("目印\n"));
  f.root.writeFile(QStringLiteral("colorset.txt"), QStringLiteral("x\n"));
  for (int run = 0; run < 3; ++run) {
    ProgramState state;
    ASSERT_TRUE(startProgram(state, f.root.root(), f.prompts));
    state.datasetFolder = f.data.folder;
    ASSERT_EQ(LoadDataset(state, f.prompts), LoadStatus::Loaded);
    saveAtQuit(state);
  }
  EXPECT_EQ(QDir(f.data.folder).entryList({"MarkData.kmk.bak*"}), QStringList{"MarkData.kmk.bak"});
  EXPECT_EQ(QDir(f.root.root()).entryList({"colorset.txt.bak*"}), QStringList{"colorset.txt.bak"});
  EXPECT_EQ(test::readSjis(f.data.folder + "/MarkData.kmk"), QStringLiteral("目印\r\n"));
  EXPECT_TRUE(f.prompts.messages().last().contains(QStringLiteral("MarkData.kmk.bak")));

  f.file(QStringLiteral("MarkData.kmk"), QStringLiteral("別の目印\n"));
  ProgramState state;
  ASSERT_TRUE(startProgram(state, f.root.root(), f.prompts));
  state.datasetFolder = f.data.folder;
  ASSERT_EQ(LoadDataset(state, f.prompts), LoadStatus::Loaded);
  EXPECT_EQ(QDir(f.data.folder).entryList({"MarkData.kmk.bak*"}),
            (QStringList{"MarkData.kmk.bak", "MarkData.kmk.bak1"}));
}

// The command-line queries only read: with bad files about, the RootFolder
// and the data folder are left exactly as they were.
TEST(BadInput, CommandLineLoadWritesNothing) {
  BadFolder f;
  f.file(QStringLiteral("MarkData.kmk"), QStringLiteral("目印\n"));
  f.root.writeFile(QStringLiteral("colorset.txt"), QStringLiteral("x\n"));
  const auto before = snapshot(f.root.root());
  ProgramState state;
  CliPrompts prompts;
  CliOptions options;
  options.values[QStringLiteral("--root")] = f.root.root();
  ASSERT_TRUE(loadForCli(options, state, prompts));
  Save_Position(state);
  saveAtQuit(state);
  EXPECT_EQ(prompts.messages().size(), 2);  // both bad files were reported
  EXPECT_EQ(snapshot(f.root.root()), before);
}

// Files that are only big: a line longer than any the program writes, and an
// elevation grid whose header asks for more cells than any region has (with
// a block long enough to pass as compressed cells), are refused before their
// memory is taken.
TEST(BadInput, OversizedLinesAndGridsAreRefused) {
  BadFolder f;
  QByteArray mapInfo = test::readBytes(f.data.folder + "/mapinfo.txt");
  mapInfo += "承認=" + QByteArray(5 * 1024 * 1024, 'a') + "\r\n";
  test::writeBytes(f.data.folder + "/mapinfo.txt", mapInfo);
  EXPECT_EQ(f.load(), LoadStatus::Failed);
  EXPECT_TRUE(f.lastMessage().contains(QStringLiteral("長すぎます")) &&
              f.lastMessage().contains(QStringLiteral("mapinfo.txt")))
      << f.lastMessage().toStdString();

  BadFolder g;
  QByteArray grid;
  for (int32_t v : {16384, 16384, 0, 1000, 100, 1 << 20}) grid += QByteArray(reinterpret_cast<const char*>(&v), 4);
  grid += QByteArray(1 << 20, '\0');
  test::writeBytes(g.data.folder + "/altitude.dat", grid);
  EXPECT_EQ(g.load(), LoadStatus::Loaded);
  EXPECT_TRUE(g.state.altitude.empty());
  EXPECT_TRUE(g.lastMessage().contains(QStringLiteral("大きすぎます")) &&
              g.lastMessage().contains(QStringLiteral("altitude.dat")))
      << g.lastMessage().toStdString();
}
