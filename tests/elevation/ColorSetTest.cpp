// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "model/ColorSet.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

bool sameSet(const ColorSet& a, const ColorSet& b) {
  if (a.name != b.name || a.sea != b.sea || a.bottom != b.bottom || a.top != b.top ||
      a.breakpointCount != b.breakpointCount || a.shading != b.shading || a.strength != b.strength ||
      a.lightDirection != b.lightDirection)
    return false;
  for (int k = 0; k < a.breakpointCount; ++k)
    if (a.elevations[static_cast<size_t>(k)] != b.elevations[static_cast<size_t>(k)] ||
        a.colours[static_cast<size_t>(k)] != b.colours[static_cast<size_t>(k)])
      return false;
  return true;
}

ColorSetList twoSets() {
  ColorSetList list = defaultColorSetList();
  ColorSet hills;
  hills.name = QStringLiteral("丘陵");
  hills.sea = rgbColour(0, 0, 100);
  hills.bottom = rgbColour(10, 20, 30);
  hills.top = rgbColour(250, 240, 230);
  hills.breakpointCount = 3;
  hills.elevations = {150.0f, 12.5f, -3.25f, 0, 0};
  hills.colours = {rgbColour(1, 2, 3), rgbColour(100, 200, 0), rgbColour(255, 255, 255), 0, 0};
  hills.shading = 0;
  hills.strength = 350;
  hills.lightDirection = 3;
  list.sets.push_back(hills);
  list.selected = 1;
  return list;
}

}  // namespace

TEST(ColorSet, TheInitialSetHasItsBreakpointAtHalfTheGridsRange) {
  const ColorSetList list = defaultColorSetList();
  ASSERT_EQ(list.sets.size(), 1u);
  EXPECT_EQ(list.selected, 0);
  const ColorSet& s = list.current();
  EXPECT_EQ(s.name, QStringLiteral("初期設定"));
  EXPECT_EQ(s.sea, 0x640000u);     // blue 100
  EXPECT_EQ(s.bottom, 0xC8C864u);  // red 100, green 200, blue 200
  EXPECT_EQ(s.top, 0x0000C8u);     // red 200
  EXPECT_EQ(s.breakpointCount, 1);
  EXPECT_EQ(s.colours[0], 0x00C864u);  // red 100, green 200
  // Built before any grid is loaded: both limits are 0.
  EXPECT_EQ(s.elevations[0], 0.0f);
  EXPECT_EQ(s.shading, 1);
  EXPECT_EQ(s.strength, 200);
  EXPECT_EQ(s.lightDirection, 0);
  // With a grid of -12.3 m to 3776 m (tenths): (37760 + 123) / 2 / 10.
  EXPECT_EQ(defaultColorSet(-123, 37760).elevations[0], 1894.15f);
  EXPECT_EQ(defaultColorSet(0, 1000, QStringLiteral("新規")).name, QStringLiteral("新規"));
}

TEST(ColorSet, TheFileHoldsTopBeforeBottomAndFramedNumbers) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/colorset.txt");
  ASSERT_TRUE(writeColorSetFile(path, twoSets()));
  const QString expected = QStringLiteral(
      " 2 \r\n 1 \r\n"
      "初期設定\r\n 6553600 \r\n 200 \r\n 13158500 \r\n 1 \r\n 0 \r\n 51300 \r\n 1 \r\n 200 \r\n 0 \r\n"
      "丘陵\r\n 6553600 \r\n 15134970 \r\n 1971210 \r\n 3 \r\n"
      " 150 \r\n 197121 \r\n 12.5 \r\n 51300 \r\n-3.25 \r\n 16777215 \r\n"
      " 0 \r\n 350 \r\n 3 \r\n");
  EXPECT_EQ(test::readSjis(path), expected);
  // Shift-JIS on disk.
  EXPECT_TRUE(test::readBytes(path).contains(QByteArray("\x8f\x89\x8a\xfa\x90\xdd\x92\xe8")));
}

TEST(ColorSet, AWrittenListReadsBackTheSame) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/colorset.txt");
  ColorSetList written = twoSets();
  written.sets[1].elevations[1] = 1894.15f;  // needs every digit of the single
  ASSERT_TRUE(writeColorSetFile(path, written));
  ColorSetList read;
  QString error;
  ASSERT_TRUE(readColorSetFile(path, read, &error)) << error.toStdString();
  ASSERT_EQ(read.sets.size(), 2u);
  EXPECT_EQ(read.selected, 1);
  EXPECT_TRUE(sameSet(read.sets[0], written.sets[0]));
  EXPECT_TRUE(sameSet(read.sets[1], written.sets[1]));
}

TEST(ColorSet, ValuesMayShareALineSeparatedByCommasAndBlanks) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/colorset.txt");
  test::writeSjis(path, QStringLiteral("1,0\n  春 , 6553600,200,13158500\n2, 500.5 ,255, 100,65280\n0,100,2\n"));
  ColorSetList list;
  ASSERT_TRUE(readColorSetFile(path, list, nullptr));
  ASSERT_EQ(list.sets.size(), 1u);
  const ColorSet& s = list.sets[0];
  EXPECT_EQ(s.name, QStringLiteral("春"));
  EXPECT_EQ(s.top, 200u);
  EXPECT_EQ(s.bottom, 13158500u);
  EXPECT_EQ(s.breakpointCount, 2);
  EXPECT_EQ(s.elevations[0], 500.5f);
  EXPECT_EQ(s.colours[0], 255u);
  EXPECT_EQ(s.elevations[1], 100.0f);
  EXPECT_EQ(s.colours[1], 65280u);
  EXPECT_EQ(s.shading, 0);
  EXPECT_EQ(s.strength, 100);
  EXPECT_EQ(s.lightDirection, 2);
}

TEST(ColorSet, NamesThatTheFormatCannotHoldAreStoredSoThatNoValueShifts) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/colorset.txt");
  ColorSetList list = twoSets();
  list.sets[0].name = QStringLiteral("\"海,山\"\r\n版😀");
  ASSERT_TRUE(writeColorSetFile(path, list));
  ColorSetList read;
  ASSERT_TRUE(readColorSetFile(path, read, nullptr));
  ASSERT_EQ(read.sets.size(), 2u);
  EXPECT_EQ(read.sets[0].name, QStringLiteral("＂海，山\"  版?"));
  read.sets[0].name = list.sets[0].name;
  EXPECT_TRUE(sameSet(read.sets[0], list.sets[0]));
  EXPECT_TRUE(sameSet(read.sets[1], list.sets[1]));
}

TEST(ColorSet, HandEditedOddValuesAreTamed) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/colorset.txt");
  // A selection beyond the list and an unknown light direction.
  test::writeSjis(path, QStringLiteral("1\n5\nA\n1\n2\n3\n0\n1\n200\n7\n"));
  ColorSetList list;
  ASSERT_TRUE(readColorSetFile(path, list, nullptr));
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(list.current().lightDirection, 0);
}

TEST(ColorSet, AMalformedFileIsRefusedAndTheListKept) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/colorset.txt");
  const QString cases[] = {
      QStringLiteral("0\n0\n"),                            // no set
      QStringLiteral("2\n0\nA\n1\n2\n3\n0\n1\n200\n0\n"),  // one set short
      QStringLiteral("1\n0\nA\n1\n2\n3\n6\n"),             // more than five breakpoints
      QStringLiteral("1\n0\nA\n1\n2\n3\n1\n100\n"),        // a breakpoint without its colour
      QStringLiteral("1\n0\nA\n1\n2\n3\n0\n1\n200\n"),     // no light direction
  };
  for (const QString& text : cases) {
    test::writeSjis(path, text);
    ColorSetList list = twoSets();
    QString error;
    EXPECT_FALSE(readColorSetFile(path, list, &error)) << text.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("colorset.txt")));
    EXPECT_EQ(list.sets.size(), 2u);
  }
  ColorSetList list = twoSets();
  EXPECT_FALSE(readColorSetFile(dir.path() + QStringLiteral("/none.txt"), list, nullptr));
  EXPECT_EQ(list.sets.size(), 2u);
}
