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

TEST(LegendLayout, ThePanelHoldsThePictureAndTheScrollBarBelowTheButtonBand) {
  const LegendLayout l = layoutLegend(QSize(200, 900), 600, 16);
  EXPECT_EQ(l.picBox, QRect(0, 50, 216, 550));
  EXPECT_EQ(l.scrollBar, QRect(200, 0, 16, 550));
  EXPECT_EQ(l.innerWidth, 216);
  // A window shorter than the band gets an empty panel.
  EXPECT_EQ(layoutLegend(QSize(200, 900), 30, 16).picBox.height(), 0);
}

TEST(LegendLayout, ScrollingMovesThePicture) {
  // Taller than the panel: 0 shows the top, 100 the bottom, 50 the middle.
  EXPECT_EQ(legendPictureTop(900, 550, 0), 0);
  EXPECT_EQ(legendPictureTop(900, 550, 50), -175);
  EXPECT_EQ(legendPictureTop(900, 550, 100), -350);
  // Shorter: the picture moves down as the value grows.
  EXPECT_EQ(legendPictureTop(300, 550, 100), 250);
  EXPECT_EQ(legendPictureTop(300, 550, 10), 25);
  // Half a pixel rounds to even.
  EXPECT_EQ(legendPictureTop(905, 550, 10), -36);  // -35.5
  EXPECT_EQ(legendPictureTop(915, 550, 10), -36);  // -36.5
}
