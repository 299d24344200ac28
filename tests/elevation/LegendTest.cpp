// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "elevation/Legend.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

Era era(int kind, int legendNumber, const char* ext) {
  Era e;
  e.kind = kind;
  e.legendNumber = legendNumber;
  e.ext = QString::fromLatin1(ext);
  return e;
}

}  // namespace

TEST(LegendFile, ScannedSheetsByTheLastTwoDigitsOfTheirNumber) {
  EXPECT_EQ(legendFileName(era(kScannedSheets, 5, "png")), QStringLiteral("\\legend\\05.png"));
  EXPECT_EQ(legendFileName(era(kScannedSheets, 12, "jpg")), QStringLiteral("\\legend\\12.jpg"));
  EXPECT_EQ(legendFileName(era(kScannedSheets, 123, "png")), QStringLiteral("\\legend\\23.png"));
  EXPECT_EQ(legendFileName(era(kScannedSheets, 0, "png")), QStringLiteral("\\legend\\00.png"));
}

TEST(LegendFile, TheTwentyThousandEraHasOneLegendOthersNone) {
  EXPECT_EQ(legendFileName(era(kTwentyThousand, 0, "png")), QStringLiteral("\\legend\\2man.png"));
  for (int kind : {kAgencyBasicMap, kAerialPhoto, kRapidSurvey, kAgencyOrtho})
    EXPECT_TRUE(legendFileName(era(kind, 5, "png")).isEmpty()) << kind;
}

TEST(LegendFile, PicturesAreReadByContentAndWindowsSpellings) {
  QTemporaryDir dir;
  // A data folder copied from Windows: "Legend" and ".PNG".
  test::writeSolidImage(dir.path() + QStringLiteral("/Legend/05.PNG"), 30, 40, Qt::red);
  test::writeSolidImage(dir.path() + QStringLiteral("/Legend/06.jpg"), 20, 10, Qt::blue, "JPG");
  const QImage png = loadLegendPicture(dir.path() + QStringLiteral("/legend/05.png"));
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.size(), QSize(30, 40));
  EXPECT_EQ(png.pixel(3, 3), qRgb(255, 0, 0));
  EXPECT_EQ(png.format(), QImage::Format_RGB32);
  EXPECT_EQ(loadLegendPicture(dir.path() + QStringLiteral("/legend/06.jpg")).size(), QSize(20, 10));
  EXPECT_TRUE(loadLegendPicture(dir.path() + QStringLiteral("/legend/07.png")).isNull());
  test::writeBytes(dir.path() + QStringLiteral("/Legend/08.png"), "not a picture");
  EXPECT_TRUE(loadLegendPicture(dir.path() + QStringLiteral("/legend/08.png")).isNull());
}

TEST(LegendLayout, ThePanelHoldsThePictureAndAScrollBarOnlyWhenItDoesNotFit) {
  struct Case {
    QSize picture;
    int innerHeight;
    QRect picBox, scrollBar;
    int overhang;
  };
  const Case cases[] = {
      // Taller than its panel: the bar scrolls over exactly the 350 pixels
      // that do not fit.
      {QSize(200, 900), 600, QRect(0, 50, 216, 550), QRect(200, 0, 16, 550), 350},
      // One pixel too tall still needs the bar; an exact fit does not.
      {QSize(200, 551), 600, QRect(0, 50, 216, 550), QRect(200, 0, 16, 550), 1},
      {QSize(200, 550), 600, QRect(0, 50, 200, 550), QRect(200, 0, 0, 550), 0},
      {QSize(60, 100), 600, QRect(0, 50, 60, 550), QRect(60, 0, 0, 550), 0},
      // A window shorter than the band gets an empty panel.
      {QSize(200, 900), 30, QRect(0, 50, 216, 0), QRect(200, 0, 16, 0), 900},
  };
  for (const Case& c : cases) {
    const LegendLayout l = layoutLegend(c.picture, c.innerHeight, 16);
    EXPECT_EQ(l.picBox, c.picBox) << c.picture.height() << " in " << c.innerHeight;
    EXPECT_EQ(l.scrollBar, c.scrollBar) << c.picture.height() << " in " << c.innerHeight;
    EXPECT_EQ(l.innerWidth, c.picBox.width());
    EXPECT_EQ(l.overhang, c.overhang);
  }
}
