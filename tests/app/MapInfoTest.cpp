// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "model/MapInfo.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

struct MapInfoFile {
  QTemporaryDir dir;
  QString path() const { return dir.filePath(QStringLiteral("mapinfo.txt")); }
  bool read(const QString& text, MapInfo& info, QString* error = nullptr) {
    test::writeSjis(path(), text);
    return readMapInfo(path(), info, error);
  }
};

}  // namespace

TEST(MapInfo, ReadsEveryKey) {
  MapInfoFile f;
  MapInfo m;
  ASSERT_TRUE(
      f.read(QStringLiteral(
                 "タイトル=架空の町\n画像幅=370\n画像高さ=300\n横方向地形図数=2\n縦方向地形図数=3\n"
                 "地形図１枚あたり横方向画像数=4\n地形図１枚あたり縦方向画像数=5\nスケール単位=km\n"
                 "旧図郭=10,20\n日本測地系図郭=-3,4\n世界測地系図郭=-35,28\n西端経度=139.875\n北端緯度=35.75\n"
                 "承認=承認番号　第1号\n初期表示位置X=1234.5\n初期表示位置Y=999.25\n初期表示ズーム=150\n初期時期=2\n"
                 "北西メッシュ=533946\n東南メッシュ=533957\nオルソ化空中写真=101010\n迅速測図=1\n正式二万=1\n"),
             m));
  EXPECT_EQ(m.title, QStringLiteral("架空の町"));
  EXPECT_EQ(m.tileWidth, 370);
  EXPECT_EQ(m.tileHeight, 300);
  EXPECT_EQ(m.sheetsX, 2);
  EXPECT_EQ(m.sheetsY, 3);
  EXPECT_EQ(m.tilesPerSheetX, 4);
  EXPECT_EQ(m.tilesPerSheetY, 5);
  EXPECT_EQ(m.scaleUnit, QStringLiteral("km"));
  EXPECT_EQ(m.frame[0].x, 10);
  EXPECT_EQ(m.frame[0].y, 20);
  EXPECT_EQ(m.frame[1].x, -3);
  EXPECT_EQ(m.frame[1].y, 4);
  EXPECT_EQ(m.frame[2].x, -35);
  EXPECT_EQ(m.frame[2].y, 28);
  EXPECT_EQ(m.west, 139.875f);
  EXPECT_EQ(m.north, 35.75f);
  EXPECT_EQ(m.approval, QStringLiteral("承認番号　第1号"));
  EXPECT_EQ(m.initialX, 1234.5f);
  EXPECT_EQ(m.initialY, 999.25f);
  EXPECT_EQ(m.initialZoom, 150);
  EXPECT_EQ(m.initialEra, 2);
  EXPECT_EQ(m.meshNW, 533946);
  EXPECT_EQ(m.meshSE, 533957);
  EXPECT_EQ(m.orthoFlags, QStringLiteral("101010"));
  EXPECT_EQ(m.rapidSurvey, QStringLiteral("1"));
  EXPECT_EQ(m.twentyThousand, QStringLiteral("1"));
  ASSERT_TRUE(deriveGrid(m, nullptr));
  EXPECT_EQ(m.totalCols, 8);
  EXPECT_EQ(m.totalRows, 15);
  EXPECT_EQ(m.east, 140.125f);
  EXPECT_EQ(m.south, static_cast<float>(35.75 - 3 * 5.0 / 60.0));
}

TEST(MapInfo, LaterEntriesOverrideAndUnknownLinesAreIgnored) {
  MapInfoFile f;
  MapInfo m;
  ASSERT_TRUE(f.read(QStringLiteral("画像幅=100\nコメントのない行\n未知のキー=5\n画像幅=200\n"), m));
  EXPECT_EQ(m.tileWidth, 200);
}

TEST(MapInfo, KeysTheFileOmitsKeepTheirValues) {
  MapInfoFile f;
  MapInfo m;
  m.title = QStringLiteral("前のデータセット");
  m.rapidSurvey = QStringLiteral("1");
  ASSERT_TRUE(f.read(QStringLiteral("画像幅=100\n"), m));
  EXPECT_EQ(m.title, QStringLiteral("前のデータセット"));
  EXPECT_EQ(m.rapidSurvey, QStringLiteral("1"));
}

TEST(MapInfo, NumbersAreLeadingDecimalNumbersRoundedHalfToEven) {
  MapInfoFile f;
  MapInfo m;
  ASSERT_TRUE(f.read(QStringLiteral("画像幅=370px\n画像高さ=abc\n初期表示ズーム=102.5\n初期時期=3.5\n"), m));
  EXPECT_EQ(m.tileWidth, 370);
  EXPECT_EQ(m.tileHeight, 0);
  EXPECT_EQ(m.initialZoom, 102);
  EXPECT_EQ(m.initialEra, 4);
}

TEST(MapInfo, TextValuesAreCutAtACommaAndLeadingZerosOfThePhotoFlagsReturn) {
  MapInfoFile f;
  MapInfo m;
  ASSERT_TRUE(f.read(QStringLiteral("タイトル=北町, 南町\nオルソ化空中写真=1010\n"), m));
  EXPECT_EQ(m.title, QStringLiteral("北町"));
  EXPECT_EQ(m.orthoFlags, QStringLiteral("001010"));
  ASSERT_TRUE(f.read(QStringLiteral("オルソ化空中写真=11111\n"), m));
  EXPECT_EQ(m.orthoFlags, QStringLiteral("011111"));
  ASSERT_TRUE(f.read(QStringLiteral("オルソ化空中写真=1111111\n"), m));
  EXPECT_EQ(m.orthoFlags, QStringLiteral("1111111"));
  ASSERT_TRUE(f.read(QStringLiteral("オルソ化空中写真=111\n"), m));
  EXPECT_EQ(m.orthoFlags, QStringLiteral("111"));
}

TEST(MapInfo, AnEmptyFileOrAFrameKeyWithoutItsSecondValueFails) {
  MapInfoFile f;
  MapInfo m;
  QString error;
  EXPECT_FALSE(f.read(QString(), m, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("mapinfo.txt")));
  error.clear();
  m.frame[2] = {7, 8};
  EXPECT_FALSE(f.read(QStringLiteral("画像幅=3\n世界測地系図郭=5"), m, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("世界測地系図郭")));
  EXPECT_EQ(m.frame[2].x, 7);
  EXPECT_EQ(m.tileWidth, 0);  // a failed read changes nothing
}

TEST(MapInfo, GridSizesMustBePositiveAndFitThirtyTwoBits) {
  MapInfo m;
  m.tileWidth = 100;
  m.tileHeight = 100;
  m.sheetsX = 2;
  m.sheetsY = 2;
  m.tilesPerSheetX = 0;
  m.tilesPerSheetY = 2;
  QString error;
  EXPECT_FALSE(deriveGrid(m, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("地形図１枚あたり横方向画像数")));
  m.tilesPerSheetX = 1000000;
  m.sheetsX = 1000;
  EXPECT_FALSE(deriveGrid(m, &error));
  m.sheetsX = 2;
  m.tilesPerSheetX = 2;
  EXPECT_TRUE(deriveGrid(m, &error));
}
