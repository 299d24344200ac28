// SPDX-License-Identifier: MIT
// The sample region loads in the program without a message and offers what
// a first-time user should find: every kind of era in year order, place
// names of every category, marks, and the sheet history's special cases.
#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <set>

#include "SampleRun.h"
#include "app/DatasetLoader.h"
#include "model/Coordinates.h"

using namespace sampletest;
using kavalo::LoadStatus;

TEST(SampleRegionLoad, LoadsWithoutAnyMessage) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  EXPECT_TRUE(r.prompts.messages().isEmpty()) << r.prompts.messages().join(u'\n').toStdString();
  EXPECT_EQ(r.state.dataFolders.front().folder, QStringLiteral("sample"));
  EXPECT_EQ(r.state.mapInfo.title, QStringLiteral("サンプル市（架空）"));
  EXPECT_FALSE(r.state.altitude.empty());
  EXPECT_TRUE(r.state.mapInfo.approval.contains(QStringLiteral("承認番号")));
}

TEST(SampleRegionLoad, OffersEveryKindOfEraInYearOrderAndOpensOn1970) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  std::set<int> kinds;
  for (size_t i = 0; i < r.state.eras.size(); ++i) {
    kinds.insert(r.state.eras[i].kind);
    if (i > 0) {
      EXPECT_LE(r.state.eras[i - 1].yearFrom, r.state.eras[i].yearFrom) << "era " << i;
    }
  }
  EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5}));
  int scanned = 0;
  for (const kavalo::Era& e : r.state.eras) scanned += e.kind == kavalo::kScannedSheets;
  EXPECT_GE(scanned, 4);
  ASSERT_TRUE(r.state.hasEra());
  EXPECT_EQ(r.state.currentEra().name, QStringLiteral("1970"));
  EXPECT_EQ(r.state.view.zoomPercent, 100);
}

TEST(SampleRegionLoad, EraSettingsMatchTheirSources) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  bool masked = false;
  for (const kavalo::Era& e : r.state.eras) {
    if (e.kind == kavalo::kScannedSheets) {
      EXPECT_TRUE(e.legendNumber > 0) << e.name.toStdString();
      masked = masked || (e.tileStyle == kavalo::kMaskedMap && e.frameType == kavalo::kWorldFrame);
    }
    if (e.kind == kavalo::kTwentyThousand) {
      EXPECT_GE(e.sheets.size(), 2u);
      EXPECT_EQ(e.sheets.size(), e.sheetIndex.size());
    }
    if (e.kind == kavalo::kAgencyBasicMap || e.kind == kavalo::kAgencyOrtho) {
      EXPECT_FALSE(e.acquiredText.isEmpty());
    }
  }
  EXPECT_TRUE(masked) << "a world-frame masked sheet era";
  std::set<int> frames;
  for (const kavalo::Era& e : r.state.eras)
    if (e.kind == kavalo::kScannedSheets) frames.insert(e.frameType);
  EXPECT_EQ(frames, (std::set<int>{0, 1, 2}));
}

TEST(SampleRegionLoad, CommandLineInfoListsTheErasInYearOrder) {
  QProcess cli;
  cli.start(cliPath(), {QStringLiteral("info"), QStringLiteral("--root"), sampleRoot()});
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  const QJsonObject info = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
  const QJsonArray eras = info.value(QStringLiteral("eras")).toArray();
  ASSERT_GE(eras.size(), 9);
  std::set<int> kinds;
  int previous = 0;
  for (const QJsonValue& v : eras) {
    const QJsonObject e = v.toObject();
    kinds.insert(e.value(QStringLiteral("kind")).toInt());
    EXPECT_GE(e.value(QStringLiteral("yearFrom")).toInt(), previous);
    previous = e.value(QStringLiteral("yearFrom")).toInt();
  }
  EXPECT_EQ(kinds.size(), 6u);
}

TEST(SampleRegionLoad, SecondFolderIsTheOneWithoutConfiguration) {
  kavalo::ProgramState state;
  kavalo::ScriptedPrompts prompts;
  EXPECT_EQ(loadRegion(sampleRoot(), 1, state, prompts), LoadStatus::NoMapInfo);
  EXPECT_EQ(state.dataFolders.size(), 2u);
}

TEST(SampleRegionLoad, PlaceNamesCoverEveryCategoryInsideTheRegion) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  const auto& names = r.state.placeNames;
  EXPECT_GE(names.size(), 45u);
  EXPECT_LE(names.size(), 70u);
  std::set<int> categories;
  QStringList all;
  const kavalo::MapInfo& m = r.state.mapInfo;
  for (const kavalo::PlaceName& p : names) {
    categories.insert(p.category);
    all << p.name;
    EXPECT_FALSE(p.text.isEmpty()) << p.name.toStdString();
    EXPECT_TRUE(p.lon >= m.west && p.lon <= m.east && p.lat >= m.south && p.lat <= m.north) << p.name.toStdString();
  }
  EXPECT_EQ(categories, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  for (const QString& wanted : {QStringLiteral("サンプル駅"), QStringLiteral("本町"), QStringLiteral("大川")})
    EXPECT_TRUE(all.contains(wanted)) << wanted.toStdString();
  EXPECT_FALSE(all.filter(QStringLiteral("港")).isEmpty());
}

TEST(SampleRegionLoad, ThreeMarksInsideTheRegion) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  ASSERT_EQ(r.state.marks.count(), 3);
  const kavalo::MapInfo& m = r.state.mapInfo;
  for (int i = 0; i < 3; ++i) {
    const kavalo::Mark& mark = r.state.marks.at(i);
    EXPECT_FALSE(mark.name.isEmpty());
    // Marks are in the world datum: their image position must lie on the map.
    const kavalo::ImagePoint p = kavalo::LatLonToImage(m, mark.lat, mark.lon, 1);
    EXPECT_TRUE(p.x > 0 && p.y > 0 && p.x < m.totalCols * m.tileWidth && p.y < m.totalRows * m.tileHeight)
        << mark.name.toStdString();
  }
}

TEST(SampleRegionLoad, SheetHistoryHasABorrowedSheetAndACellWithoutSheet) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  const kavalo::SheetHistory& h = r.state.history;
  int borrowed = 0, none = 0;
  for (int row = 0; row < h.sheetsY(); ++row)
    for (int col = 0; col < h.sheetsX(); ++col) {
      EXPECT_FALSE(h.at(col, row, 0, 0).isEmpty()) << "sheet name";
      for (int column = 1; column < h.historyColumns(); ++column) {
        const QString& own = h.at(col, row, column, 0);
        const QString& other = h.at(col, row, column, 1);
        if (own.isEmpty() && other == u"-1") {
          ++borrowed;
          // The edition borrowed from is a sheet era with its own sheet there.
          EXPECT_GT(column, 1);
          EXPECT_FALSE(h.at(col, row, column - 1, 0).isEmpty());
        }
        if (own.isEmpty() && other.isEmpty()) ++none;
      }
    }
  EXPECT_GE(borrowed, 1);
  EXPECT_GE(none, 1);
}
