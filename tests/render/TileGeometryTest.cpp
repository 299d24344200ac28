// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>

#include "geo/TileGeometry.h"
#include "model/ProgramState.h"
#include "render/ViewComposer.h"

using namespace kavalo;

namespace {

// A grid of 4 x 4 tiles of 100 x 80 image pixels; 2.3125 mm per image pixel,
// so that a view of 2.3125 mm per screen pixel shows one image pixel per
// screen pixel at 100 %.
MapInfo grid(int tileWidth = 100) {
  MapInfo m;
  m.tileWidth = tileWidth;
  m.tileHeight = 80;
  m.sheetsX = m.sheetsY = 2;
  m.tilesPerSheetX = m.tilesPerSheetY = 2;
  m.totalCols = m.totalRows = 4;
  return m;
}

Viewport view(const MapInfo& m, float cx, float cy, int zoom, int w, int h, double mm = 2.3125) {
  return Viewport(&m, computeScaleFactors(m, mm, mm), cx, cy, zoom, w, h);
}

}  // namespace

TEST(VisibleTileRange, ViewInsideTheGrid) {
  const MapInfo m = grid();
  const Viewport v = view(m, 200.0f, 160.0f, 100, 300, 200);
  const TileRange r = VisibleTileRange(v, 0, 0);
  // left 50, top 60, right 350, bottom 260
  EXPECT_EQ(r.firstCol, 0);
  EXPECT_EQ(r.firstRow, 0);
  EXPECT_EQ(r.lastCol, 3);
  EXPECT_EQ(r.lastRow, 3);
  EXPECT_EQ(r.offX, -50);
  EXPECT_EQ(r.offY, -60);
  EXPECT_EQ(tileViewX(v, r, 2), 150);
  EXPECT_EQ(tileViewY(v, r, 1), 20);
}

TEST(VisibleTileRange, NegativeDividendsStepOneFurther) {
  const MapInfo m = grid();
  // left = 30 - 150 = -120 -> -1 - 1 = -2; top = 20 - 100 = -80 -> exact, still -1 - 1 = -2.
  const Viewport v = view(m, 30.0f, 20.0f, 100, 300, 200);
  const TileRange r = VisibleTileRange(v, 0, 0);
  EXPECT_EQ(r.firstCol, -2);
  EXPECT_EQ(r.firstRow, -2);
  EXPECT_EQ(r.lastCol, 1);  // right 180
  EXPECT_EQ(r.lastRow, 1);  // bottom 120
  EXPECT_EQ(r.offX, -80);   // (-200 - -120)
  EXPECT_EQ(r.offY, -80);   // (-160 - -80)
  // A frame offset moves the grid: centre - fx truncates toward zero.
  const TileRange shifted = VisibleTileRange(view(m, 200.5f, 160.0f, 100, 300, 200), 12, -8);
  // cx' = trunc(188.5) = 188, left = 38; cy' = 168, top = 68
  EXPECT_EQ(shifted.offX, -38);
  EXPECT_EQ(shifted.offY, -68);
}

TEST(TileSize, OnePixelOfOverlapAndHalfToEven) {
  const MapInfo m = grid();
  EXPECT_EQ(tileViewWidth(view(m, 0, 0, 100, 10, 10)), 101);
  EXPECT_EQ(tileViewHeight(view(m, 0, 0, 100, 10, 10)), 81);
  EXPECT_EQ(tileViewWidth(view(m, 0, 0, 200, 10, 10)), 201);
  // 105 x 0.5 = 52.5 rounds to the even 52.
  const MapInfo odd = grid(105);
  EXPECT_EQ(tileViewWidth(view(odd, 0, 0, 50, 10, 10)), 53);
  // At 96 dpi: ScreenPerImage = single(2.3125 / single(25.4 / 96)).
  const float spi = static_cast<float>(2.3125 / static_cast<double>(static_cast<float>(25.4 / 96.0)));
  const Viewport screen = view(m, 0, 0, 100, 10, 10, 25.4 / 96.0);
  EXPECT_EQ(tileViewWidth(screen), static_cast<int>(std::nearbyint(static_cast<double>(spi) * 100.0)) + 1);
}

TEST(ClipTileRect, CutsOnEverySide) {
  // Entirely inside: nothing cut.
  ClippedTile c = ClipTileRect(10, 20, 101, 81, 100, 80, 300, 200);
  EXPECT_FALSE(c.cut);
  EXPECT_EQ(c.dest, QRect(10, 20, 101, 81));
  EXPECT_EQ(c.source, QRect(0, 0, 100, 80));

  // Left and top: the source origin moves by round(|x| / w * sw).
  c = ClipTileRect(-50, -60, 101, 81, 100, 80, 300, 200);
  EXPECT_TRUE(c.cut);
  EXPECT_EQ(c.dest, QRect(0, 0, 51, 21));
  EXPECT_EQ(c.source.x(), static_cast<int>(std::nearbyint(50.0 / 101 * 100)));  // 49.5 -> 50
  EXPECT_EQ(c.source.width(), 100 - c.source.x());
  EXPECT_EQ(c.source.y(), static_cast<int>(std::nearbyint(60.0 / 81 * 80)));  // 59.26 -> 59
  EXPECT_EQ(c.source.height(), 80 - 59);

  // Right and bottom: the source is shortened to round(sw * width / w).
  c = ClipTileRect(250, 150, 101, 81, 100, 80, 300, 200);
  EXPECT_EQ(c.dest, QRect(250, 150, 50, 50));
  EXPECT_EQ(c.source, QRect(0, 0, static_cast<int>(std::nearbyint(100.0 * 50 / 101)),
                            static_cast<int>(std::nearbyint(80.0 * 50 / 81))));

  // A tile wider than the view is cut on both sides; the right cut sets the
  // source width from the remaining width.
  c = ClipTileRect(-10, 0, 400, 81, 100, 80, 300, 200);
  EXPECT_EQ(c.dest, QRect(0, 0, 300, 81));
  EXPECT_EQ(c.source.x(), static_cast<int>(std::nearbyint(10.0 / 400 * 100)));
  EXPECT_EQ(c.source.width(), 75);

  // A tile beyond the left edge leaves nothing to draw.
  EXPECT_FALSE(ClipTileRect(-120, 0, 101, 81, 100, 80, 300, 200).drawable());
}

TEST(BuildViewClipRegion, FullRedrawAndDragStrips) {
  ViewRequest s;
  s.viewSize = QSize(300, 200);
  s.pass = RenderPass::Screen;
  s.dragOffset = QPoint(30, 0);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(0, 0, 300, 200));

  s.pass = RenderPass::Drag;
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(0, 0, 30, 200));  // drag right: the left strip
  s.dragOffset = QPoint(-30, 0);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(270, 0, 30, 200));
  s.dragOffset = QPoint(0, 20);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(0, 0, 300, 20));
  s.dragOffset = QPoint(0, -20);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(0, 180, 300, 20));

  // (+30, -20): an L along the left and bottom edges.
  s.dragOffset = QPoint(30, -20);
  const QRegion l = BuildViewClipRegion(s);
  EXPECT_EQ(l, QRegion(0, 0, 30, 200) + QRegion(0, 180, 300, 20));
  EXPECT_TRUE(l.contains(QPoint(29, 0)));
  EXPECT_TRUE(l.contains(QPoint(299, 199)));
  EXPECT_FALSE(l.contains(QPoint(30, 179)));
  // (-30, +20): right and top.
  s.dragOffset = QPoint(-30, 20);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(270, 0, 30, 200) + QRegion(0, 0, 300, 20));

  // No offset: the whole view is the drawing area.
  s.dragOffset = QPoint(0, 0);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(0, 0, 300, 200));
  // An offset beyond the view stays inside it.
  s.dragOffset = QPoint(500, 0);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(0, 0, 300, 200));
  // On a screen of ratio 2 the strips are in the picture's own pixels.
  s.devicePixelRatio = 2.0;
  s.dragOffset = QPoint(60, 0);
  EXPECT_EQ(BuildViewClipRegion(s), QRegion(0, 0, 60, 400));
}
