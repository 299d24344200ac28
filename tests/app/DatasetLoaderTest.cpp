// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "model/ProgramState.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// A root folder with one data folder "d" built from a DatasetFixture.
struct LoaderFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  ScriptedPrompts prompts;
  ProgramState state;

  LoaderFixture() {
    root.writeDatasetList({{QStringLiteral("テスト"), QStringLiteral("d")}});
    data.folder = root.path(QStringLiteral("d"));
  }
  void file(const QString& name, const QString& text) { test::writeSjis(data.folder + u'/' + name, text); }
  LoadStatus load() {
    data.writeMapInfo();
    data.writeTikeizuInfo();
    data.writeAltitudeGrid();
    EXPECT_TRUE(startProgram(state, root.root(), prompts));
    state.datasetFolder = data.folder;
    return LoadDataset(state, prompts);
  }
  QStringList eraNames() const {
    QStringList names;
    for (const Era& e : state.eras) names << e.name;
    return names;
  }
};

}  // namespace

TEST(DatasetLoader, ErasOfEverySourceAreSortedByFirstYear) {
  LoaderFixture f;
  f.data.extraMapInfo = {QStringLiteral("迅速測図=1")};
  f.data.tikeizuLines = {QStringLiteral("S1909,0,1909,1909,0,1,0,png"), QStringLiteral("S1930,1,1930,1930,0,2,1,png"),
                         QStringLiteral("S1970,1,1970,1972,0,3,2,png")};
  f.file(QStringLiteral("map_watizu_info.txt"), QStringLiteral("1\nW00,2011,2011,2011/05/01\n"));
  f.file(QStringLiteral("map_Jinnsoku_info.txt"), QStringLiteral("1\n"));
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  EXPECT_EQ(f.eraNames(), (QStringList{"JINNSOKU", "S1909", "S1930", "S1970", "W00"}));
  const Era& w = f.state.eras[4];
  EXPECT_EQ(w.kind, kAgencyBasicMap);
  EXPECT_EQ(w.tileStyle, kMaskedMap);
  EXPECT_EQ(w.frameType, kWorldFrame);
  EXPECT_EQ(w.ext, QStringLiteral("png"));
  EXPECT_EQ(w.historyColumn, -1);
  EXPECT_EQ(w.acquiredText, QStringLiteral("2011/05/01"));
  EXPECT_FALSE(w.hasLegend);
  const Era& j = f.state.eras[0];
  EXPECT_EQ(j.kind, kRapidSurvey);
  EXPECT_EQ(j.yearFrom, 1880);
  EXPECT_EQ(j.yearTo, 1885);
  EXPECT_EQ(j.ext, QStringLiteral("jpg"));
  const Era& s = f.state.eras[2];
  EXPECT_EQ(s.kind, kScannedSheets);
  EXPECT_EQ(s.frameType, 1);
  EXPECT_EQ(s.legendNumber, 2);
  EXPECT_EQ(s.historyColumn, 1);
  EXPECT_TRUE(s.hasLegend);
  EXPECT_TRUE(s.hasSheetLines);
  EXPECT_TRUE(s.listed);
  EXPECT_TRUE(f.prompts.records.empty());
}

TEST(DatasetLoader, EqualYearsEndInTheOrderTheShellSortLeaves) {
  LoaderFixture f;
  // Reading order A, B, C, D with years 1930, 1930, 1900, 1930: the pass
  // with gap 2 moves C before A, and B ends before A.
  f.data.tikeizuLines = {QStringLiteral("A,0,1930,1930,0,1,0,png"), QStringLiteral("B,0,1930,1930,0,1,1,png"),
                         QStringLiteral("C,0,1900,1900,0,1,2,png"), QStringLiteral("D,0,1930,1930,0,1,3,png")};
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  EXPECT_EQ(f.eraNames(), (QStringList{"C", "B", "A", "D"}));
}

TEST(DatasetLoader, AerialPhotoPeriodsGiveTheirYears) {
  LoaderFixture f;
  f.file(QStringLiteral("map_ortho_info.txt"), QStringLiteral("2\nORTHO2,2\nORTHO4,4\n"));
  f.file(QStringLiteral("map_densikokudo_ortho_info.txt"), QStringLiteral("1\nDKO00,2012,2012,2012/03/04\n"));
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  EXPECT_EQ(f.eraNames(), (QStringList{"E1900", "E1930", "ORTHO2", "ORTHO4", "DKO00"}));
  EXPECT_EQ(f.state.eras[2].yearFrom, 1984);
  EXPECT_EQ(f.state.eras[2].yearTo, 1986);
  EXPECT_EQ(f.state.eras[2].kind, kAerialPhoto);
  EXPECT_EQ(f.state.eras[3].yearFrom, 2011);
  EXPECT_EQ(f.state.eras[4].kind, kAgencyOrtho);
  EXPECT_EQ(f.state.eras[4].tileStyle, kPhoto);
  EXPECT_EQ(f.state.eras[4].ext, QStringLiteral("jpg"));
}

TEST(DatasetLoader, RapidSurveyNeedsBothTheKeyAndTheFlag) {
  {
    LoaderFixture f;
    f.data.extraMapInfo = {QStringLiteral("迅速測図=1")};
    f.file(QStringLiteral("map_Jinnsoku_info.txt"), QStringLiteral("0\n"));
    ASSERT_EQ(f.load(), LoadStatus::Loaded);
    EXPECT_EQ(f.state.eras.size(), 2u);
  }
  {
    LoaderFixture f;
    f.data.extraMapInfo = {QStringLiteral("迅速測図=0")};
    f.file(QStringLiteral("map_Jinnsoku_info.txt"), QStringLiteral("1\n"));
    ASSERT_EQ(f.load(), LoadStatus::Loaded);
    EXPECT_EQ(f.state.eras.size(), 2u);
  }
}

TEST(DatasetLoader, TwentyThousandEraWithSheetsAndIndex) {
  LoaderFixture f;
  f.data.extraMapInfo = {QStringLiteral("正式二万=1")};
  f.file(QStringLiteral("map_2man_info.txt"),
         QStringLiteral(
             "1886,1890\n2,1\nファイル名,西,東,北,南\nA.png,139.0,139.1,36.0,35.9\nB.png,139.1,139.2,36.0,35.9\n"
             "西,東,北,南,記号,名称\n139.0,139.2,36.0,35.9,二万-1,架空村\n"));
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  const Era& e = f.state.eras[0];
  EXPECT_EQ(e.name, QStringLiteral("2man"));
  EXPECT_EQ(e.kind, kTwentyThousand);
  EXPECT_TRUE(e.bySheetIndex);
  EXPECT_EQ(e.frameType, kOldFrame);
  ASSERT_EQ(e.sheets.size(), 2u);
  EXPECT_EQ(e.sheets[1].fileName, QStringLiteral("B.png"));
  EXPECT_EQ(e.sheets[1].box.west, 139.1f);
  EXPECT_EQ(e.sheets[1].box.south, 35.9f);
  ASSERT_EQ(e.sheetIndex.size(), 1u);
  EXPECT_EQ(e.sheetIndex[0].code, QStringLiteral("二万-1"));
  EXPECT_EQ(e.sheetIndex[0].name, QStringLiteral("架空村"));
  EXPECT_EQ(e.sheetIndex[0].box.east, 139.2f);
}

TEST(DatasetLoader, SheetHistoryIsReadInItsOrderWhateverTheLines) {
  LoaderFixture f;
  f.data.sheetsX = 2;
  f.data.sheetsY = 1;
  // Row 0: column 0 names, column 1 (E1900), column 2 (E1930), all on
  // uneven lines.
  f.file(QStringLiteral("図歴.csv"),
         QStringLiteral("西図,,東図\n,明治42年測図,明治43年,,-1\n大正,\"昭和5年, 修正\"\n,-1\n"));
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  const SheetHistory& h = f.state.history;
  EXPECT_EQ(h.at(0, 0, 0, 0), QStringLiteral("西図"));
  EXPECT_EQ(h.at(1, 0, 0, 0), QStringLiteral("東図"));
  EXPECT_EQ(h.at(0, 0, 1, 0), QStringLiteral("明治42年測図"));
  EXPECT_EQ(h.at(0, 0, 1, 1), QStringLiteral("明治43年"));
  EXPECT_EQ(h.at(1, 0, 1, 0), QString());
  EXPECT_EQ(h.at(1, 0, 1, 1), QStringLiteral("-1"));
  EXPECT_EQ(h.at(0, 0, 2, 0), QStringLiteral("大正"));
  EXPECT_EQ(h.at(0, 0, 2, 1), QStringLiteral("昭和5年, 修正"));
  EXPECT_EQ(h.at(1, 0, 2, 0), QString());
  EXPECT_EQ(h.at(1, 0, 2, 1), QStringLiteral("-1"));
}

TEST(DatasetLoader, ASavedPositionOverridesTheInitialView) {
  LoaderFixture f;
  f.file(QStringLiteral("PositionRecored.txt"), QStringLiteral(" 150.5 , 77.25 , 1 , 200 \n\\other.kmk\n"));
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  EXPECT_EQ(f.state.view.centerX, 150.5f);
  EXPECT_EQ(f.state.view.centerY, 77.25f);
  EXPECT_EQ(f.state.view.eraIndex, 1);
  EXPECT_EQ(f.state.view.zoomPercent, 200);
  EXPECT_EQ(f.state.marksFileName, QStringLiteral("\\other.kmk"));
}

TEST(DatasetLoader, ASavedEraOrZoomOutsideTheirRangesIsBroughtBack) {
  LoaderFixture f;
  f.file(QStringLiteral("PositionRecored.txt"), QStringLiteral(" 1 , 2 , 9 , 1000 \n\\..\\..\\escape.kmk\n"));
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  EXPECT_EQ(f.state.view.eraIndex, 0);
  EXPECT_EQ(f.state.view.zoomPercent, 400);
  EXPECT_EQ(f.state.marksFileName, QStringLiteral("\\MarkData.kmk"));
}

TEST(DatasetLoader, WithoutMapInfoTheLoadFailsQuietly) {
  LoaderFixture f;
  ASSERT_TRUE(startProgram(f.state, f.root.root(), f.prompts));
  f.state.datasetFolder = f.data.folder;
  EXPECT_EQ(LoadDataset(f.state, f.prompts), LoadStatus::NoMapInfo);
  EXPECT_FALSE(f.state.view.loaded);
  EXPECT_TRUE(f.state.view.firstLoadDone);
  EXPECT_TRUE(f.prompts.records.empty());
}

TEST(DatasetLoader, BrokenRequiredFilesFailWithAMessageNamingTheFile) {
  struct Case {
    QString file;
    QString text;
    QString extraKey;
    QString named;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("map_tikeizu_info.txt"), QStringLiteral("3\nA,0,1900,1900,0,1,0,png\n"), QString(),
       QStringLiteral("map_tikeizu_info.txt")},
      {QStringLiteral("map_watizu_info.txt"), QStringLiteral("2\nW00,2011,2011,x\n"), QString(),
       QStringLiteral("map_watizu_info.txt")},
      {QStringLiteral("map_2man_info.txt"), QStringLiteral("1886,1890\n3,0\nh\nA.png,1,2,3,4\n"),
       QStringLiteral("正式二万=1"), QStringLiteral("map_2man_info.txt")},
      {QStringLiteral("図歴.csv"), QStringLiteral("a,b\n"), QString(), QStringLiteral("図歴.csv")},
      {QStringLiteral("map_tikeizu_info.txt"), QStringLiteral("1\nA,5,1900,1900,0,1,0,png\n"), QString(),
       QStringLiteral("map_tikeizu_info.txt")},
  };
  for (const Case& c : cases) {
    LoaderFixture f;
    if (!c.extraKey.isEmpty()) f.data.extraMapInfo = {c.extraKey};
    f.data.writeMapInfo();
    f.data.writeTikeizuInfo();
    f.data.writeAltitudeGrid();
    f.file(c.file, c.text);
    ASSERT_TRUE(startProgram(f.state, f.root.root(), f.prompts));
    f.state.datasetFolder = f.data.folder;
    f.state.mapInfo.title = QStringLiteral("前");
    EXPECT_EQ(LoadDataset(f.state, f.prompts), LoadStatus::Failed) << c.file.toStdString();
    ASSERT_EQ(f.prompts.messages().size(), 1) << c.file.toStdString();
    EXPECT_TRUE(f.prompts.messages()[0].contains(c.named)) << f.prompts.messages()[0].toStdString();
    EXPECT_FALSE(f.state.view.loaded);
    EXPECT_EQ(f.state.mapInfo.title, QStringLiteral("前"));  // nothing half-loaded
    EXPECT_TRUE(f.state.eras.empty());
  }
}

TEST(DatasetLoader, MissingRequiredFilesFail) {
  {
    LoaderFixture f;
    f.data.writeMapInfo();
    ASSERT_TRUE(startProgram(f.state, f.root.root(), f.prompts));
    f.state.datasetFolder = f.data.folder;
    EXPECT_EQ(LoadDataset(f.state, f.prompts), LoadStatus::Failed);
    EXPECT_TRUE(f.prompts.messages().value(0).contains(QStringLiteral("map_tikeizu_info.txt")));
  }
  {
    LoaderFixture f;
    f.data.extraMapInfo = {QStringLiteral("正式二万=1")};
    EXPECT_EQ(f.load(), LoadStatus::Failed);
    EXPECT_TRUE(f.prompts.messages().value(0).contains(QStringLiteral("map_2man_info.txt")));
  }
  {
    LoaderFixture f;
    test::writeSjis(f.data.folder + QStringLiteral("/mapinfo.txt"), QString());
    f.data.writeTikeizuInfo();
    ASSERT_TRUE(startProgram(f.state, f.root.root(), f.prompts));
    f.state.datasetFolder = f.data.folder;
    EXPECT_EQ(LoadDataset(f.state, f.prompts), LoadStatus::Failed);
    EXPECT_TRUE(f.prompts.messages().value(0).contains(QStringLiteral("mapinfo.txt")));
  }
}

TEST(DatasetLoader, ScaleFactorsFollowTheScreen) {
  LoaderFixture f;
  f.data.tileHeight = 370;
  f.data.tilesPerSheetY = 2;
  f.state.mmPerScreenPxX = 0.25;
  f.state.mmPerScreenPxY = 0.5;
  ASSERT_EQ(f.load(), LoadStatus::Loaded);
  const ScaleFactors& s = f.state.scale;
  EXPECT_EQ(s.mmPerImagePx, 0.5f);  // 370 mm over 740 pixels
  EXPECT_EQ(s.screenPerImageX, 2.0f);
  EXPECT_EQ(s.screenPerImageY, 1.0f);
  EXPECT_EQ(s.imagePerScreenX, 0.5f);
  EXPECT_EQ(s.imagePxPer40mm, 80.0f);
}
