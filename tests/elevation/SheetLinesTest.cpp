// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QPainter>

#include "OverlayState.h"
#include "elevation/SheetLines.h"
#include "render/SheetLineDrawing.h"

using namespace kavalo;

namespace {

bool isBlack(QRgb c) { return qRed(c) < 40 && qGreen(c) < 40 && qBlue(c) < 40; }

std::vector<std::pair<int, int>> pairs(const std::vector<GridLine>& lines) {
  std::vector<std::pair<int, int>> out;
  for (const GridLine& l : lines) out.emplace_back(l.tile, l.pos);
  return out;
}

using Pairs = std::vector<std::pair<int, int>>;

// One image pixel is one view pixel (tiles 100 x 80, two of them across and
// down one sheet). A view 400 x 300 centred on (520, 320) starts 320 image
// pixels in, at tile column 3 (20 pixels of it hidden), and at row 2.
test::OverlayState columnThreeView() {
  test::OverlayState f(400, 300);
  f.state.view.centerX = 520;
  f.state.view.centerY = 320;
  return f;
}

}  // namespace

TEST(SheetGrid, LinesOnlyAtTheTilesWhereSheetsBegin) {
  test::OverlayState f = columnThreeView();
  const SheetGridLines lines = sheetGridLines(f.state.viewport(), kOldFrame);
  // Columns 3 to 7 are visible; sheets begin at 4 and 6.
  EXPECT_EQ(pairs(lines.vertical), (Pairs{{4, 80}, {6, 280}}));
  // Rows 2 to 5 (first row 10 pixels above the view); sheets begin at 2, 4.
  EXPECT_EQ(pairs(lines.horizontal), (Pairs{{2, -10}, {4, 150}}));
}

TEST(SheetGrid, AViewNarrowerThanASheetMayHaveNoLine) {
  test::OverlayState f(80, 300);
  f.state.view.centerX = 350;  // tile column 3 only
  f.state.view.centerY = 320;
  EXPECT_TRUE(sheetGridLines(f.state.viewport(), kOldFrame).vertical.empty());
}

TEST(SheetGrid, WestOfTheGridEveryOtherNegativeTileIsASheetEdge) {
  test::OverlayState f(400, 300);
  f.state.view.centerX = 100;  // left edge at -100: first column -2
  f.state.view.centerY = 320;
  EXPECT_EQ(pairs(sheetGridLines(f.state.viewport(), kOldFrame).vertical), (Pairs{{-2, -100}, {0, 100}, {2, 300}}));
}

TEST(SheetGrid, LinesFollowTheFrameOffsetOfTheErasFrameType) {
  test::OverlayState f = columnThreeView();
  f.state.mapInfo.frame[kTokyoFrame] = FrameOffset{30, 0};
  // The Tokyo-datum grid starts 30 pixels further east: so do its lines.
  EXPECT_EQ(pairs(sheetGridLines(f.state.viewport(), kTokyoFrame).vertical), (Pairs{{2, -90}, {4, 110}, {6, 310}}));
  EXPECT_EQ(pairs(sheetGridLines(f.state.viewport(), kOldFrame).vertical), (Pairs{{4, 80}, {6, 280}}));
  EXPECT_TRUE(sheetGridLines(f.state.viewport(), 3).vertical.empty());
}

TEST(SheetLineDrawing, BlackLinesAcrossTheViewForScannedSheetsOnly) {
  test::OverlayState f = columnThreeView();
  f.addEra(kScannedSheets);
  f.addEra(kAgencyBasicMap, kWorldFrame);
  {
    QPainter p(&f.picture);
    DrawSheetLines(p, f.screen());
  }
  const QImage& img = f.picture;
  for (int y : {0, 100, 299}) {
    EXPECT_TRUE(isBlack(img.pixel(80, y)));
    EXPECT_TRUE(isBlack(img.pixel(280, y)));
    EXPECT_FALSE(isBlack(img.pixel(180, y)));  // tile 5 begins no sheet
  }
  for (int x : {0, 200, 399}) EXPECT_TRUE(isBlack(img.pixel(x, 150)));
  EXPECT_FALSE(isBlack(img.pixel(200, 70)));  // row 3

  // Other kinds have no lines.
  f.state.view.eraIndex = 1;
  f.picture.fill(Qt::white);
  {
    QPainter p(&f.picture);
    DrawSheetLines(p, f.screen());
  }
  for (int x = 0; x < 400; ++x) ASSERT_EQ(f.picture.pixel(x, 150), qRgb(255, 255, 255));
}

TEST(SheetLineDrawing, ThePrintPassMapsTheLinesOntoThePage) {
  test::OverlayState f = columnThreeView();
  f.addEra(kScannedSheets);
  const ComposeContext page = f.page(2.0, 10, 20);
  {
    QPainter p(&f.pageImage);
    DrawSheetLines(p, page);
  }
  const QImage& img = f.pageImage;
  // x = 2 x 80 + 10, running from the page offset to the view's far edge.
  EXPECT_TRUE(isBlack(img.pixel(170, 21)));
  EXPECT_TRUE(isBlack(img.pixel(170, 300)));
  EXPECT_TRUE(isBlack(img.pixel(170, 619)));
  EXPECT_FALSE(isBlack(img.pixel(170, 15)));
  EXPECT_FALSE(isBlack(img.pixel(170, 625)));
  // y = 2 x 150 + 20, from x = 10 to 2 x 400 + 10.
  EXPECT_TRUE(isBlack(img.pixel(11, 320)));
  EXPECT_TRUE(isBlack(img.pixel(809, 320)));
  EXPECT_FALSE(isBlack(img.pixel(5, 320)));
  EXPECT_FALSE(isBlack(img.pixel(815, 320)));
  EXPECT_FALSE(isBlack(img.pixel(370, 300)));  // 2 x 180 + 10: no line
}

namespace {

// A 1/20,000 era whose sheet index holds a sheet inside the view, one that
// shares the view's west edge and one entirely west of it.
Era& twentyThousandEra(test::OverlayState& f, int frameType, const GeoBox& viewBox) {
  Era& era = f.addEra(kTwentyThousand, frameType);
  const float w = viewBox.west;
  era.sheetIndex = {
      {QStringLiteral("1"), QStringLiteral("内"),
       GeoBox{w + 0.002f, viewBox.east - 0.002f, viewBox.north - 0.002f, viewBox.south + 0.002f}},
      {QStringLiteral("2"), QStringLiteral("接"), GeoBox{w - 0.01f, w, viewBox.north, viewBox.south}},
      {QStringLiteral("3"), QStringLiteral("外"), GeoBox{w - 0.02f, w - 0.01f, viewBox.north, viewBox.south}},
  };
  return era;
}

}  // namespace

TEST(SheetIndexLines, SheetsThatMeetOrTouchTheViewAreOutlined) {
  test::OverlayState f(400, 300);
  const Viewport view = f.state.viewport();
  const Era& era = twentyThousandEra(f, kOldFrame, view.Get_ViewGeoBox(0));
  const std::vector<SheetOutline> outlines = sheetIndexOutlines(view, era);
  ASSERT_EQ(outlines.size(), 2u);
  // The inner sheet lies inside the view; the touching one ends at its edge.
  EXPECT_GT(outlines[0].northWest.x(), 0);
  EXPECT_LT(outlines[0].southEast.x(), 400);
  EXPECT_GT(outlines[0].northWest.y(), 0);
  EXPECT_LT(outlines[0].southEast.y(), 300);
  EXPECT_NEAR(outlines[1].southEast.x(), 0, 1);
  EXPECT_LT(outlines[1].northWest.x(), 0);

  {
    QPainter p(&f.picture);
    DrawSheetLines(p, f.screen());
  }
  const QImage& img = f.picture;
  const QPoint nw = outlines[0].northWest;
  const QPoint se = outlines[0].southEast;
  const int midX = (nw.x() + se.x()) / 2;
  const int midY = (nw.y() + se.y()) / 2;
  EXPECT_TRUE(isBlack(img.pixel(nw.x(), midY)));
  EXPECT_TRUE(isBlack(img.pixel(se.x(), midY)));
  EXPECT_TRUE(isBlack(img.pixel(midX, nw.y())));
  EXPECT_TRUE(isBlack(img.pixel(midX, se.y())));
  EXPECT_FALSE(isBlack(img.pixel(midX, midY)));  // outline only
}

TEST(SheetIndexLines, AWorldDatumFrameReadsTheIndexInWorldDegrees) {
  test::OverlayState f(400, 300);
  f.state.mapInfo.frame[kWorldFrame] = FrameOffset{12, -8};
  const Viewport view = f.state.viewport();
  const GeoBox box = view.Get_ViewGeoBox(0);
  const Era tokyo = twentyThousandEra(f, kOldFrame, box);
  const Era world = twentyThousandEra(f, kWorldFrame, box);
  const SheetOutline a = sheetIndexOutlines(view, tokyo)[0];
  const SheetOutline b = sheetIndexOutlines(view, world)[0];
  // The same degrees lie 12 pixels east and 8 north on the world graticule.
  EXPECT_NEAR(b.northWest.x() - a.northWest.x(), 12, 1);
  EXPECT_NEAR(b.northWest.y() - a.northWest.y(), -8, 1);
}
