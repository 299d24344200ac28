// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

using test::runCli;
using CliResult = test::ProgramRun;

struct InfoFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  InfoFixture() {
    root.writeDatasetList(
        {{QStringLiteral("地域A"), QStringLiteral("a")}, {QStringLiteral("空"), QStringLiteral("empty")}});
    data.folder = root.path(QStringLiteral("a"));
    data.west = 139.8123;
    data.extraMapInfo = {QStringLiteral("迅速測図=1"), QStringLiteral("オルソ化空中写真=1001")};
    data.write();
    test::writeSjis(data.folder + QStringLiteral("/map_Jinnsoku_info.txt"), QStringLiteral("1\n"));
    test::writeSjis(data.folder + QStringLiteral("/PositionRecored.txt"),
                    QStringLiteral(" 150.5 , 77.25 , 2 , 200 \n\\my.kmk\n"));
  }
  QJsonObject info(const QStringList& extra = {}) {
    const CliResult r = runCli(QStringList{QStringLiteral("info"), QStringLiteral("--root"), root.root()} + extra);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
  }
};

}  // namespace

TEST(InfoCommand, PrintsTheLoadedDataset) {
  InfoFixture f;
  f.root.writeFile(QStringLiteral("KAVALO.ini"), QStringLiteral(" 0 \n 1 \n 0 \n"));
  const QJsonObject o = f.info();
  ASSERT_FALSE(o.isEmpty());
  EXPECT_EQ(o[QStringLiteral("dataset")].toInt(), 0);
  EXPECT_EQ(o[QStringLiteral("datasets")].toArray().size(), 2);
  EXPECT_EQ(o[QStringLiteral("datasets")].toArray()[0].toObject()[QStringLiteral("folder")].toString(),
            QStringLiteral("a"));
  const QJsonObject settings = o[QStringLiteral("settings")].toObject();
  EXPECT_EQ(settings[QStringLiteral("eraLabelStyle")].toInt(), 1);
  EXPECT_EQ(settings[QStringLiteral("datumFlag")].toInt(), 0);

  const QJsonObject m = o[QStringLiteral("mapinfo")].toObject();
  EXPECT_EQ(m[QStringLiteral("title")].toString(), QStringLiteral("テスト地域"));
  EXPECT_EQ(m[QStringLiteral("tileWidth")].toInt(), 100);
  EXPECT_EQ(m[QStringLiteral("orthoFlags")].toString(), QStringLiteral("001001"));
  EXPECT_EQ(m[QStringLiteral("frameOffsets")].toArray()[2].toArray()[0].toInt(), 12);
  EXPECT_EQ(m[QStringLiteral("frameOffsets")].toArray()[2].toArray()[1].toInt(), -8);
  // Floats read back as the same single.
  EXPECT_EQ(static_cast<float>(m[QStringLiteral("west")].toDouble()), 139.8123f);
  const QJsonObject d = o[QStringLiteral("derived")].toObject();
  EXPECT_EQ(d[QStringLiteral("totalCols")].toInt(), 4);
  EXPECT_EQ(static_cast<float>(d[QStringLiteral("east")].toDouble()), static_cast<float>(139.8123f + 0.25));

  const QJsonObject v = o[QStringLiteral("view")].toObject();
  EXPECT_EQ(static_cast<float>(v[QStringLiteral("centerX")].toDouble()), 150.5f);
  EXPECT_EQ(v[QStringLiteral("eraIndex")].toInt(), 2);
  EXPECT_EQ(v[QStringLiteral("zoomPercent")].toInt(), 200);
  EXPECT_EQ(o[QStringLiteral("marksFile")].toString(), QStringLiteral("\\my.kmk"));

  const QJsonArray eras = o[QStringLiteral("eras")].toArray();
  ASSERT_EQ(eras.size(), 3);
  const QJsonObject first = eras[0].toObject();
  EXPECT_EQ(first[QStringLiteral("name")].toString(), QStringLiteral("JINNSOKU"));
  EXPECT_EQ(first[QStringLiteral("kind")].toInt(), 3);
  EXPECT_EQ(first[QStringLiteral("label")].toString(), QStringLiteral("明治13-18年（迅速測図）"));
  EXPECT_EQ(eras[2].toObject()[QStringLiteral("label")].toString(), QStringLiteral("昭和5-6年"));
  EXPECT_EQ(eras[1].toObject()[QStringLiteral("historyColumn")].toInt(), 0);
  EXPECT_TRUE(eras[1].toObject()[QStringLiteral("hasLegend")].toBool());

  // sheetHistory[row][column][historyColumn] = [slot0, slot1]
  const QJsonArray history = o[QStringLiteral("sheetHistory")].toArray();
  ASSERT_EQ(history.size(), 2);
  const QJsonArray cell = history[1].toArray()[0].toArray();
  ASSERT_EQ(cell.size(), 3);
  EXPECT_EQ(cell[0].toArray()[0].toString(), QStringLiteral("図1-0"));
  EXPECT_EQ(cell[2].toArray()[1].toString(), QStringLiteral("発行2"));
}

TEST(InfoCommand, SettingsDefaultWhenAbsentAndTheSavedIndexFallsBack) {
  InfoFixture f;
  QJsonObject o = f.info();
  EXPECT_EQ(o[QStringLiteral("settings")].toObject()[QStringLiteral("datumFlag")].toInt(), 1);
  f.root.writeFile(QStringLiteral("KAVALO.ini"), QStringLiteral(" 5 \n 0 \n 1 \n"));
  o = f.info();
  EXPECT_EQ(o[QStringLiteral("dataset")].toInt(), 0);
  EXPECT_EQ(o[QStringLiteral("settings")].toObject()[QStringLiteral("dataFolderIndex")].toInt(), 5);
}

TEST(InfoCommand, AFailedLoadPrintsTheProgramsMessageAndExitsOne) {
  InfoFixture f;
  // A data folder without its configuration (a missing one has a message of
  // its own: ExitStatus.TheCommandLineItselfAndTheRootFolder).
  ASSERT_TRUE(QDir().mkpath(f.root.path(QStringLiteral("empty"))));
  CliResult r = runCli({QStringLiteral("info"), QStringLiteral("--root"), f.root.root(), QStringLiteral("--dataset"),
                        QStringLiteral("1")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_TRUE(r.err.contains(QStringLiteral("設定ファイル「mapinfo.txt」が見つかりません。")));

  test::writeSjis(f.data.folder + QStringLiteral("/map_tikeizu_info.txt"), QStringLiteral("4\nA,0,1,1,0,1,0,png\n"));
  r = runCli({QStringLiteral("info"), QStringLiteral("--root"), f.root.root()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("map_tikeizu_info.txt")));

  r = runCli({QStringLiteral("info"), QStringLiteral("--root"), f.root.path(QStringLiteral("nowhere"))});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("RootFolder not found: ")));
}
