// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/ValueReader.h"

using kavalo::ValueReader;

namespace {

QStringList readAll(const QString& text) {
  ValueReader r(text);
  QStringList values;
  QString v;
  while (r.readText(v)) values << v;
  return values;
}

}  // namespace

TEST(ValueReader, ValuesEndAtCommasAndLineEnds) {
  EXPECT_EQ(readAll(QStringLiteral("a,b\r\nc\r\n")), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(readAll(QStringLiteral("a\nb\rc")), (QStringList{"a", "b", "c"}));
}

TEST(ValueReader, BlanksAroundValuesAreSkipped) {
  EXPECT_EQ(readAll(QStringLiteral("  12 ,\t x y  \r\n")), (QStringList{"12", "x y"}));
}

TEST(ValueReader, QuotedTextsMayHoldCommas) {
  EXPECT_EQ(readAll(QStringLiteral("\"a, b\",c\r\n\"d\" ,e")), (QStringList{"a, b", "c", "d", "e"}));
}

TEST(ValueReader, EmptyFieldsOfCommasAndBlankLines) {
  // A trailing comma leaves one empty field before the line end, and a blank
  // line is one empty value: a CSV row "x,," has three fields.
  EXPECT_EQ(readAll(QStringLiteral("x,,\r\n\r\ny")), (QStringList{"x", "", "", "", "y"}));
  EXPECT_EQ(readAll(QStringLiteral("a,b,")), (QStringList{"a", "b", ""}));
}

TEST(ValueReader, ReadingPastTheEndFails) {
  ValueReader r(QStringLiteral("1\r\n"));
  int32_t v = 0;
  EXPECT_TRUE(r.readInt(v));
  EXPECT_EQ(v, 1);
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.readInt(v));
}

TEST(ValueReader, NumbersAreTheLongestLeadingDecimalNumber) {
  ValueReader r(QStringLiteral("12abc,abc,-3.25e2x, .5,1.,+7,--1,1e,2.5,3.5,-2.5,0.5000001"));
  double d = 0;
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, 12.0);
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, 0.0);
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, -325.0);
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, 0.5);
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, 1.0);
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, 7.0);
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, 0.0);
  ASSERT_TRUE(r.readDouble(d));
  EXPECT_EQ(d, 1.0);
  // Integers are rounded half to even.
  int32_t i = 0;
  ASSERT_TRUE(r.readInt(i));
  EXPECT_EQ(i, 2);
  ASSERT_TRUE(r.readInt(i));
  EXPECT_EQ(i, 4);
  ASSERT_TRUE(r.readInt(i));
  EXPECT_EQ(i, -2);
  ASSERT_TRUE(r.readInt(i));
  EXPECT_EQ(i, 1);
}

TEST(ValueReader, IntegersThatDoNotFitFail) {
  ValueReader r(QStringLiteral("2147483648,2147483647,40000"));
  int32_t i = 0;
  EXPECT_FALSE(r.readInt(i));
  EXPECT_TRUE(r.readInt(i));
  EXPECT_EQ(i, 2147483647);
  int16_t s = 0;
  EXPECT_FALSE(r.readInt16(s));
}

TEST(ValueReader, SinglesAreRoundedFromTheDecimalText) {
  ValueReader r(QStringLiteral("35.68123,0.1"));
  float f = 0;
  ASSERT_TRUE(r.readSingle(f));
  EXPECT_EQ(f, 35.68123f);
  ASSERT_TRUE(r.readSingle(f));
  EXPECT_EQ(f, 0.1f);
}

TEST(ValueReader, SkipLineDropsTheRestOfAHeading) {
  ValueReader r(QStringLiteral("1,2\r\nheading, with, commas\r\n3\r\n"));
  int32_t a = 0, b = 0, c = 0;
  ASSERT_TRUE(r.readInt(a));
  ASSERT_TRUE(r.readInt(b));
  ASSERT_TRUE(r.skipLine());
  ASSERT_TRUE(r.readInt(c));
  EXPECT_EQ(c, 3);
  EXPECT_EQ(r.lineNumber(), 4);
}
