// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "model/EraLabels.h"

using namespace kavalo;

namespace {

Era era(int kind, int from, int to, int periodCode = 0) {
  Era e;
  e.kind = kind;
  e.yearFrom = from;
  e.yearTo = to;
  e.periodCode = periodCode;
  return e;
}

}  // namespace

TEST(JapaneseEraYear, EveryEraFromItsFirstYear) {
  EXPECT_EQ(JapaneseEraYear(1880), QStringLiteral("明治13"));
  EXPECT_EQ(JapaneseEraYear(1911), QStringLiteral("明治44"));
  EXPECT_EQ(JapaneseEraYear(1912), QStringLiteral("大正1"));
  EXPECT_EQ(JapaneseEraYear(1925), QStringLiteral("大正14"));
  EXPECT_EQ(JapaneseEraYear(1926), QStringLiteral("昭和1"));
  EXPECT_EQ(JapaneseEraYear(1988), QStringLiteral("昭和63"));
  EXPECT_EQ(JapaneseEraYear(1989), QStringLiteral("平成1"));
  EXPECT_EQ(JapaneseEraYear(2018), QStringLiteral("平成30"));
  // Reiwa began in 2019.
  EXPECT_EQ(JapaneseEraYear(2019), QStringLiteral("令和1"));
  EXPECT_EQ(JapaneseEraYear(2024), QStringLiteral("令和6"));
}

TEST(EraPeriodText, WesternAndJapaneseStyles) {
  EXPECT_EQ(EraPeriodText(era(0, 1974, 1978), 0), QStringLiteral("1974-78年"));
  EXPECT_EQ(EraPeriodText(era(0, 1974, 1978), 1), QStringLiteral("昭和49-53年"));
  EXPECT_EQ(EraPeriodText(era(0, 1925, 1927), 1), QStringLiteral("大正14-昭和2年"));
  EXPECT_EQ(EraPeriodText(era(0, 2011, 2011), 0), QStringLiteral("2011年"));
  EXPECT_EQ(EraPeriodText(era(0, 2011, 2011), 1), QStringLiteral("平成23年"));
  // Only equal first two characters are dropped.
  EXPECT_EQ(EraPeriodText(era(0, 1999, 2001), 0), QStringLiteral("1999-2001年"));
  EXPECT_EQ(EraPeriodText(era(0, 2018, 2020), 1), QStringLiteral("平成30-令和2年"));
  EXPECT_EQ(EraPeriodText(era(0, 2019, 2023), 1), QStringLiteral("令和1-5年"));
  EXPECT_EQ(EraPeriodText(era(0, 1974, 1978), 2), QString());
}

TEST(Get_cboAge_Text, TheSuffixOfEveryKind) {
  EXPECT_EQ(Get_cboAge_Text(era(kScannedSheets, 1930, 1931), 0), QStringLiteral("1930-31年"));
  EXPECT_EQ(Get_cboAge_Text(era(kAgencyBasicMap, 2010, 2010), 0), QStringLiteral("2010年（ウォッちず）"));
  EXPECT_EQ(Get_cboAge_Text(era(kAgencyBasicMap, 2011, 2011), 0), QStringLiteral("2011年（電子国土基本図）"));
  EXPECT_EQ(Get_cboAge_Text(era(kAerialPhoto, 2011, 2011, 4), 0), QStringLiteral("2011年（3～4月上旬東日本大震災後）"));
  EXPECT_EQ(Get_cboAge_Text(era(kAerialPhoto, 2011, 2011, 5), 1), QStringLiteral("平成23年（5～6月東日本大震災後）"));
  EXPECT_EQ(Get_cboAge_Text(era(kAerialPhoto, 1974, 1978, 0), 0), QStringLiteral("1974-78年（空中写真）"));
  EXPECT_EQ(Get_cboAge_Text(era(kRapidSurvey, 1880, 1885), 1), QStringLiteral("明治13-18年（迅速測図）"));
  EXPECT_EQ(Get_cboAge_Text(era(kTwentyThousand, 1909, 1909), 0), QStringLiteral("1909年（1/2万）"));
  EXPECT_EQ(Get_cboAge_Text(era(kAgencyOrtho, 2019, 2020), 1), QStringLiteral("令和1-2年（空中写真）"));
}

TEST(OrthoPeriodLabel, EarthquakeCodesAndYearRanges) {
  EXPECT_EQ(OrthoPeriodLabel(0), QStringLiteral("1974-1978年（空中写真）"));
  EXPECT_EQ(OrthoPeriodLabel(3), QStringLiteral("1987-1990年（空中写真）"));
  EXPECT_EQ(OrthoPeriodLabel(4), QStringLiteral("2011年東日本大震災被災後"));
  EXPECT_EQ(OrthoPeriodLabel(5), QStringLiteral("東日本大震災被災地2011年5～6月撮影"));
}
