// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/Codec.h"
#include "platform/Numbers.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"
#include "support/Fixtures.h"

using namespace kavalo;

TEST(ValueWriter, NumbersTakeTheSignPlaceAndATrailingBlank) {
  ValueWriter w;
  w.numberLine(2).numberLine(0).numberLine(-3);
  EXPECT_EQ(w.content(), QStringLiteral(" 2 \r\n 0 \r\n-3 \r\n"));
}

TEST(ValueWriter, PositionLineForm) {
  ValueWriter w;
  w.single(1234.5f).comma().single(-56.25f).comma().number(3).comma().number(100).endLine();
  EXPECT_EQ(w.content(), QStringLiteral(" 1234.5 ,-56.25 , 3 , 100 \r\n"));
}

TEST(ValueWriter, SinglesKeepAtMostSevenSignificantDigits) {
  EXPECT_EQ(singleToText(12345.678f), QStringLiteral("12345.68"));
  EXPECT_EQ(singleToText(35.68123f), QStringLiteral("35.68123"));
  EXPECT_EQ(singleToText(139.7671f), QStringLiteral("139.7671"));
  EXPECT_EQ(singleToText(0.1f), QStringLiteral("0.1"));
  EXPECT_EQ(singleToText(100.0f), QStringLiteral("100"));
  EXPECT_EQ(singleToText(-0.0f), QStringLiteral("0"));
  EXPECT_EQ(singleToText(1.0f / 3.0f), QStringLiteral("0.3333333"));
  EXPECT_EQ(singleToText(123456789.0f), QStringLiteral("123456800"));
  // Beyond 2^53 the digits after the seventh are zeros too, rounded half to
  // even on the exact value (12345675 is a single).
  EXPECT_EQ(singleToText(1e28f), QStringLiteral("9999999000000000000000000000"));
  EXPECT_EQ(singleToText(-3.4028235e38f), QStringLiteral("-340282300000000000000000000000000000000"));
  EXPECT_EQ(singleToText(12345675.0f), QStringLiteral("12345680"));
  EXPECT_EQ(singleToText(12345665.0f), QStringLiteral("12345660"));
  EXPECT_EQ(singleToText(19999998.0f), QStringLiteral("20000000"));
  EXPECT_EQ(singleToText(0.000012345678f), QStringLiteral("0.00001234568"));
}

TEST(ValueWriter, ShortestTextsNeverUseAnExponent) {
  EXPECT_EQ(shortestSingleText(12.345678f), QStringLiteral("12.345678"));
  EXPECT_EQ(shortestSingleText(7.0f), QStringLiteral("7"));
  EXPECT_EQ(shortestSingleText(1e-5f), QStringLiteral("0.00001"));
  EXPECT_EQ(shortestDoubleText(123 / 10.0), QStringLiteral("12.3"));
  EXPECT_EQ(shortestDoubleText(-1.5), QStringLiteral("-1.5"));
}

TEST(ValueWriter, WrittenValuesReadBack) {
  ValueWriter w;
  w.textLine(QStringLiteral("名前～①髙")).single(35.68123f).comma().number(-7).endLine();
  ValueReader r(fromSjis(w.bytes()));
  QString name;
  float f = 0;
  int32_t i = 0;
  ASSERT_TRUE(r.readText(name));
  ASSERT_TRUE(r.readSingle(f));
  ASSERT_TRUE(r.readInt(i));
  EXPECT_EQ(name, QStringLiteral("名前～①髙"));
  EXPECT_EQ(f, 35.68123f);
  EXPECT_EQ(i, -7);
}

TEST(ValueWriter, BytesAreShiftJis) {
  ValueWriter w;
  w.textLine(QStringLiteral("～"));
  bool ok = false;
  const QByteArray bytes = w.bytes(&ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(bytes, QByteArray("\x81\x60\r\n"));
}

TEST(ValueWriter, TextWithoutShiftJisFormIsRefusedAndNothingIsWritten) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("out.txt"));
  test::writeBytes(path, QByteArray("old"));
  ValueWriter w;
  w.textLine(QStringLiteral("emoji \U0001F600"));
  QString error;
  EXPECT_FALSE(w.save(path, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(test::readBytes(path), QByteArray("old"));
}

TEST(Numbers, RoundingIsHalfToEven) {
  EXPECT_EQ(roundToInt(0.5), 0);
  EXPECT_EQ(roundToInt(1.5), 2);
  EXPECT_EQ(roundToInt(2.5), 2);
  EXPECT_EQ(roundToInt(-0.5), 0);
  EXPECT_EQ(roundToInt(-1.5), -2);
  EXPECT_EQ(roundToInt(2.5000001), 3);
  EXPECT_EQ(floorDiv(-1, 4), -1);
  EXPECT_EQ(floorDiv(-4, 4), -1);
  EXPECT_EQ(floorDiv(3, 4), 0);
}
