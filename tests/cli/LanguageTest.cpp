// SPDX-License-Identifier: MIT
// kavalo-cli under --lang ja and --lang en: the messages it relays from the
// shared code follow the language (the Japanese ones exactly as before), its
// own English texts do not change, and what a command writes into the data
// folder is the same to the byte in either language.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <map>

#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

test::ProgramRun runIn(const char* lang, const QStringList& args) {
  return test::runCli(QStringList{QStringLiteral("--lang"), QString::fromLatin1(lang)} + args);
}

// A RootFolder with the region "d", a scan of its own and eras the user
// added (a tile service and a scan); "broken" has a mapinfo.txt whose image
// width is zero, "nogrid" a truncated altitude.dat.
struct Root {
  QTemporaryDir dir;
  QString r;
  Root() {
    r = dir.path();
    test::DatasetFixture d;
    d.folder = dir.filePath("d");
    d.write();
    test::writeSjis(d.folder + "/map_xyz_info.txt",
                    QStringLiteral("XYZ00, 2024 ,\"2024/11/30\",\"町\",\"https://a.example.org/{z}/{x}/{y}.png\","
                                   "\"(C) a\",map\r\n"));
    test::writeSjis(d.folder + "/map_import_info.txt",
                    QStringLiteral("SCAN00, 1925 ,\"大正の町\",\"市史\",map,\"town.tif\"\r\n"));
    for (const char* era : {"XYZ00", "SCAN00"}) {
      QDir().mkpath(d.folder + "/" + era);
      test::writeSolidImage(d.folder + "/" + era + "/000_000.png", 10, 10, Qt::red);
    }
    test::DatasetFixture broken;
    broken.folder = dir.filePath("broken");
    broken.tileWidth = 0;
    broken.write();
    test::DatasetFixture noGrid;
    noGrid.folder = dir.filePath("nogrid");
    noGrid.write();
    test::writeBytes(noGrid.folder + "/altitude.dat", "abc");
    test::writeSjis(dir.filePath("dataset.txt"), QStringLiteral(" 3 \nテスト,d\n壊れた,broken\n標高なし,nogrid\n"));
    test::writeSolidImage(dir.filePath("plan.png"), 400, 300, QColor(120, 140, 160));
    // Zone IX, some 40 m a pixel; the third line's source x is no number.
    test::writeBytes(dir.filePath("broken.points"),
                     "#CRS: EPSG:6677\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n"
                     "-69200,-3300,1O0,-20,1,0,0,0\n");
    QByteArray good = "#CRS: EPSG:6677\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n";
    const double sx[] = {20, 380, 380, 20, 200};
    const double sy[] = {20, 20, 280, 280, 150};
    for (int i = 0; i < 5; ++i)
      good += QByteArray::number(-70000 + 40 * sx[i], 'f', 3) + ',' + QByteArray::number(-2500 - 40 * sy[i], 'f', 3) +
              ',' + QByteArray::number(sx[i]) + ',' + QByteArray::number(-sy[i]) + ",1,0,0,0\n";
    test::writeBytes(dir.filePath("good.points"), good);
  }
  QString path(const char* name) const { return dir.filePath(name); }
  // Every file of the data folder "d" and its bytes.
  std::map<QString, QByteArray> files() const {
    std::map<QString, QByteArray> out;
    const QString base = dir.filePath("d");
    QDirIterator it(base, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QFile f(it.next());
      if (f.open(QIODevice::ReadOnly)) out[QDir(base).relativeFilePath(f.fileName())] = f.readAll();
    }
    return out;
  }
};

struct MessageCase {
  const char* what;
  QStringList args;  // after --root
  int status;
  const char* japanese;  // a part of the error output
  const char* english;
};

}  // namespace

TEST(CliLanguage, RelayedMessagesFollowTheLanguage) {
  Root root;
  const MessageCase cases[] = {
      {"a broken settings file",
       {"info", "--dataset", "1"},
       1,
       "設定ファイル「mapinfo.txt」の「画像幅」が正しくありません。",
       "The value 「画像幅」 in the settings file “mapinfo.txt” is not valid."},
      {"a truncated elevation grid",
       {"render", "--dataset", "2", "-o", root.path("x.png")},
       0,
       "標高データ「altitude.dat」を読み込めません（ヘッダーが不完全です）。",
       "Cannot read the elevation data “altitude.dat” (the header is incomplete)."},
      {"a label that cannot be stored",
       {"eras", "--rename", "1", "--label", "a\"b"},
       1,
       "「\"」は使えません。",
       "“\"” is not allowed."},
      {"a broken control-point file",
       {"georef", "--file", root.path("plan.png"), "--points", root.path("broken.points"), "--dry-run"},
       1,
       "3行目の数値が読めません（sourceX：「1O0」）。",
       "Line 3: a number cannot be read (sourceX: “1O0”)."},
      {"an unknown option (the parser's words)",
       {"info", "--what"},
       2,
       "Unknown option 'what'.",
       "Unknown option 'what'."},
      {"the command's own usage error",
       {"eras", "--rename", "1"},
       2,
       "--rename needs --label",
       "--rename needs --label"},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.what);
    const QStringList args = QStringList{c.args.front(), QStringLiteral("--root"), root.r} + c.args.mid(1);
    const test::ProgramRun ja = runIn("ja", args);
    const test::ProgramRun en = runIn("en", args);
    EXPECT_EQ(ja.exitCode, c.status) << ja.err.toStdString();
    EXPECT_EQ(en.exitCode, c.status) << en.err.toStdString();
    EXPECT_TRUE(ja.err.contains(QString::fromUtf8(c.japanese))) << ja.err.toStdString();
    EXPECT_TRUE(en.err.contains(QString::fromUtf8(c.english))) << en.err.toStdString();
    // Nothing of the Japanese sentence is left in English but the file's own words.
    if (QString::fromUtf8(c.japanese) != QString::fromUtf8(c.english))
      EXPECT_FALSE(en.err.contains(QString::fromUtf8(c.japanese))) << en.err.toStdString();
  }
}

// The same commands in each language, each on a fresh copy of the region:
// an era renamed, a scan imported (its label left to the program) with its
// GeoTIFF, and an era deleted leave the same bytes behind.
TEST(CliLanguage, StoredFilesAreTheSameInEveryLanguage) {
  const QStringList commands[] = {
      {"eras", "--rename", "1", "--label", "大正の町並み"},
      {"eras", "--rename", "3", "--label", "Old town"},
      {"georef", "--file", "@plan.png", "--points", "@good.points", "--year", "1950", "--credit", "町史", "--geotiff",
       "@d/plan-gcps.tif"},
      {"eras", "--delete", "1"},
  };
  std::map<QString, QByteArray> written[2];
  const char* langs[2] = {"ja", "en"};
  for (int l = 0; l < 2; ++l) {
    SCOPED_TRACE(langs[l]);
    Root root;
    qputenv("XDG_DATA_HOME", root.path("share").toLocal8Bit());
    for (const QStringList& command : commands) {
      QStringList args = {command.front(), QStringLiteral("--root"), root.r};
      for (const QString& a : command.mid(1)) args << (a.startsWith(u'@') ? root.path(a.mid(1).toUtf8()) : a);
      const test::ProgramRun run = runIn(langs[l], args);
      ASSERT_EQ(run.exitCode, 0) << args.join(' ').toStdString() << "\n" << run.err.toStdString();
    }
    qunsetenv("XDG_DATA_HOME");
    written[l] = root.files();
  }
  ASSERT_FALSE(written[0].empty());
  EXPECT_TRUE(written[0].count(QStringLiteral("map_import_info.txt")));
  ASSERT_EQ(written[0].size(), written[1].size());
  for (const auto& [name, bytes] : written[0]) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(written[1].count(name));
    EXPECT_TRUE(bytes == written[1].at(name));
  }
}
