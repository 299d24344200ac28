// SPDX-License-Identifier: MIT
// The era labels as an English interface shows them, and as the Japanese one
// always has: the composed periods, era names and suffixes are translated,
// the user's own labels are not, and the forms written into files never are.
#include <gtest/gtest.h>

#include "model/EraLabels.h"
#include "model/XyzEras.h"
#include "support/InstalledCatalogue.h"

using namespace kavalo;

namespace {

Era era(int kind, int from, int to, int periodCode = 0, const QString& label = {}, const QString& origin = {}) {
  Era e;
  e.kind = kind;
  e.yearFrom = from;
  e.yearTo = to;
  e.periodCode = periodCode;
  e.label = label;
  e.origin = origin;
  return e;
}

struct LabelCase {
  const char* what;
  Era era;
  int style;
  const char* japanese;
  const char* english;
};

const QString kTiles = QStringLiteral("https://tile.example.org/{z}/{x}/{y}.png");

std::vector<LabelCase> labelCases() {
  return {
      {"a period in one century", era(kScannedSheets, 1930, 1931), 0, "1930-31年", "1930–31"},
      {"a period across centuries", era(kScannedSheets, 1999, 2003), 0, "1999-2003年", "1999–2003"},
      {"one era year", era(kScannedSheets, 1926, 1926), 1, "昭和1年", "Shōwa 1"},
      {"a period across era names", era(kScannedSheets, 1925, 1927), 1, "大正14-昭和2年", "Taishō 14–Shōwa 2"},
      {"the rapid survey", era(kRapidSurvey, 1880, 1885), 1, "明治13-18年（迅速測図）", "Meiji 13–18 (Rapid Survey)"},
      {"the old agency map", era(kAgencyBasicMap, 2010, 2010), 0, "2010年（ウォッちず）", "2010 (Watchizu)"},
      {"the earthquake photos", era(kAerialPhoto, 2011, 2011, 4), 0, "2011年（3～4月上旬東日本大震災後）",
       "2011 (March to early April, after the Great East Japan Earthquake)"},
      {"the 1:20,000 sheets", era(kTwentyThousand, 1909, 1909), 0, "1909年（1/2万）", "1909 (1:20,000)"},
      {"the agency's photos", era(kAgencyOrtho, 2019, 2020), 1, "令和1-2年（空中写真）", "Reiwa 1–2 (aerial photos)"},
      {"a scan labelled by its year", era(kImportedMap, 1970, 1970, 0, QStringLiteral("1970年")), 1, "1970年", "1970"},
      {"a scan's own label", era(kImportedPhoto, 1970, 1970, 0, QStringLiteral("town plan")), 0, "town plan",
       "town plan"},
      {"a label that only looks like a year", era(kImportedMap, 1971, 1971, 0, QStringLiteral("1970年")), 0, "1970年",
       "1970年"},
      {"a tile service by its host", era(kXyzMap, 2026, 2026, 0, QStringLiteral("2026年（tile.example.org）"), kTiles),
       0, "2026年（tile.example.org）", "2026 (tile.example.org)"},
      {"a tile service of the last version", era(kXyzPhoto, 2026, 2026, 0, QStringLiteral("2026年（XYZタイル）")), 0,
       "2026年（XYZタイル）", "2026 (XYZ tiles)"},
      {"a tile service renamed by the user", era(kXyzMap, 2026, 2026, 0, QStringLiteral("2026年（旧版）"), kTiles), 0,
       "2026年（旧版）", "2026年（旧版）"},
  };
}

}  // namespace

TEST(EraLabelsLanguage, ComposedLabelsFollowTheLanguageAndUsersLabelsStay) {
  for (const LabelCase& c : labelCases()) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Get_cboAge_Text(c.era, c.style), QString::fromUtf8(c.japanese));
  }
  test::InstalledCatalogue english(QStringLiteral("en"));
  ASSERT_TRUE(english.installed()) << english.error().toStdString();
  for (const LabelCase& c : labelCases()) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Get_cboAge_Text(c.era, c.style), QString::fromUtf8(c.english));
  }
}

TEST(EraLabelsLanguage, WhatIsWrittenIntoFilesStaysJapanese) {
  test::InstalledCatalogue english(QStringLiteral("en"));
  ASSERT_TRUE(english.installed()) << english.error().toStdString();
  // The shown form did change, so the catalogue is in effect...
  EXPECT_EQ(EraPeriodShown(era(kScannedSheets, 1974, 1978), 1), QStringLiteral("Shōwa 49–53"));
  // ...and the stored forms are still those of every earlier file.
  EXPECT_EQ(EraPeriodText(era(kScannedSheets, 1974, 1978), 0), QStringLiteral("1974-78年"));
  EXPECT_EQ(EraPeriodText(era(kScannedSheets, 1974, 1978), 1), QStringLiteral("昭和49-53年"));
  EXPECT_EQ(JapaneseEraYear(2019), QStringLiteral("令和1"));
  EXPECT_EQ(defaultXyzLabel(kTiles, 2026), QStringLiteral("2026年（tile.example.org）"));
  EXPECT_EQ(defaultXyzLabel(QString(), 2026), QStringLiteral("2026年（XYZタイル）"));
}
