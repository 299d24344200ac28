// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <random>

#include "model/ElevationPieces.h"

using namespace kavalo;

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "rgb(" << c.r << "," << c.g << "," << c.b << ")";
}

Rgb rgbOf(QRgb p) { return Rgb{qRed(p), qGreen(p), qBlue(p)}; }

AltitudeGrid makeGrid(int columns, int rows, std::vector<int32_t> cells, int32_t lowest, int32_t highest,
                      int32_t divisor) {
  AltitudeGrid g;
  g.columns = columns;
  g.rows = rows;
  g.lowest = lowest;
  g.highest = highest;
  g.reliefDivisor = divisor;
  g.cells.assign(cells.begin(), cells.end());
  g.pitchX = g.pitchY = 1.0f;
  return g;
}

// A set whose colours are easy to follow: bottom black, top (200, 100, 40),
// no breakpoints, sea (0, 0, 100).
ColorSet plainSet(int shading = 0, int strength = 200, int light = 0) {
  ColorSet s;
  s.name = QStringLiteral("t");
  s.sea = rgbColour(0, 0, 100);
  s.bottom = rgbColour(0, 0, 0);
  s.top = rgbColour(200, 100, 40);
  s.breakpointCount = 0;
  s.shading = shading;
  s.strength = strength;
  s.lightDirection = light;
  return s;
}

// Renders the whole grid as one piece.
QImage renderAll(const AltitudeGrid& g, const ColorSet& set) {
  ElevationPieces p;
  p.prepare(&g, set, 1, 1);
  return p.piece(0, 0);
}

Rgb pixel(const QImage& image, int x, int y) { return rgbOf(image.pixel(x, y)); }

// ---- The colouring as written, step by step, with the library's rounding:
// the oracle for the renderer on many random grids.
struct WrittenRamp {
  int m;
  float elevation[7];
  int bytes[7][3];  // blue, green, red
};

WrittenRamp writtenRamp(const ColorSet& s, const AltitudeGrid& g) {
  WrittenRamp r{};
  const int n = s.breakpointCount;
  r.m = n + 2;
  auto split = [](Colour c, int* out) {
    out[0] = static_cast<int>((c >> 16) & 0xFF);
    out[1] = static_cast<int>((c >> 8) & 0xFF);
    out[2] = static_cast<int>(c & 0xFF);
  };
  r.elevation[0] = static_cast<float>(g.lowest / 10.0);
  split(s.bottom, r.bytes[0]);
  for (int k = 1; k <= n; ++k) {
    r.elevation[k] = s.elevations[static_cast<size_t>(n - k)];
    split(s.colours[static_cast<size_t>(n - k)], r.bytes[k]);
  }
  r.elevation[n + 1] = static_cast<float>(g.highest / 10.0);
  split(s.top, r.bytes[n + 1]);
  return r;
}

Rgb writtenPixel(const AltitudeGrid& g, const ColorSet& s, int x, int y) {
  const WrittenRamp r = writtenRamp(s, g);
  static const int dxs[4] = {1, -1, 1, -1}, dys[4] = {1, 1, -1, -1};
  const int dx = dxs[s.lightDirection], dy = dys[s.lightDirection];
  const int edgeColumn = dx > 0 ? g.columns - 1 : 0, edgeRow = dy > 0 ? g.rows - 1 : 0;
  const int32_t v = g.cell(x, y);
  double shade = 0;
  if (s.shading == 1) {
    int32_t t;
    if (x == edgeColumn || y == edgeRow) {
      const int ox = x - dx, oy = y - dy;
      t = (ox >= 0 && ox < g.columns && oy >= 0 && oy < g.rows) ? g.cell(ox, oy) : v;
    } else {
      t = g.cell(x + dx, y + dy);
    }
    const int32_t tt = t == kSeaValue ? 0 : t, vv = v == kSeaValue ? 0 : v;
    shade = std::nearbyint((static_cast<double>(tt) - vv) / g.reliefDivisor * s.strength);
  }
  auto bgr = [](Colour c) { return Rgb{int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)}; };
  if (v == kSeaValue) return bgr(s.sea);
  if (v == g.highest) return bgr(s.top);
  const float e = static_cast<float>(v / 10.0);
  int k = 1;
  while (k <= r.m - 1 && !(e < r.elevation[k])) ++k;
  if (k > r.m - 1) k = r.m - 1;
  const double span = static_cast<double>(r.elevation[k]) - r.elevation[k - 1];
  // A segment of no length (a value outside the header's range) gives its start.
  const float f = span == 0 ? 0.0f : static_cast<float>((v / 10.0 - r.elevation[k - 1]) / span);
  int out[3];
  for (int c = 0; c < 3; ++c) {
    double value =
        std::nearbyint(f * static_cast<double>(r.bytes[k][c] - r.bytes[k - 1][c]) + r.bytes[k - 1][c] + shade);
    if (std::isnan(value)) value = 0;
    out[c] = value >= 256 ? 255 : (value < 0 ? 0 : static_cast<int>(value));
  }
  return Rgb{out[2], out[1], out[0]};
}

}  // namespace

TEST(ElevationRamp, BreakpointsAreReversedIntoAscendingOrderBetweenTheGridsLimits) {
  const AltitudeGrid g = makeGrid(1, 1, {0}, -25, 37760, 100);
  ColorSet s = plainSet(1, 300, 3);
  s.breakpointCount = 2;
  s.elevations = {1500.0f, 250.5f, 99.0f, 0, 0};  // entry 2 is not used
  s.colours = {rgbColour(1, 2, 3), rgbColour(4, 5, 6), rgbColour(9, 9, 9), 0, 0};
  const ElevationRamp r = buildElevationRamp(s, g);
  ASSERT_EQ(r.entries, 4);
  EXPECT_EQ(r.elevation[0], -2.5f);
  EXPECT_EQ(r.elevation[1], 250.5f);
  EXPECT_EQ(r.elevation[2], 1500.0f);
  EXPECT_EQ(r.elevation[3], 3776.0f);
  EXPECT_EQ(r.colour[1], rgbColour(4, 5, 6));
  EXPECT_EQ(r.bytes[2].red, 1);
  EXPECT_EQ(r.bytes[2].blue, 3);
  EXPECT_EQ(r.bytes[3].red, 200);
  EXPECT_EQ(r.seaBytes.blue, 100);
  EXPECT_EQ(r.strength, 300);
  // South-east light: the north-west neighbour, edges at column and row 0.
  EXPECT_EQ(r.dx, -1);
  EXPECT_EQ(r.dy, -1);
  EXPECT_EQ(r.edgeColumn, 0);
  EXPECT_EQ(r.edgeRow, 0);
}

TEST(ElevationPieces, SeaAndTopCellsTakeTheirColoursUnshaded) {
  // Row 0: sea next to high land; row 1: the top value next to low land.
  const AltitudeGrid g = makeGrid(3, 3, {kSeaValue, 1000, 0, 1000, 0, 500, 0, 0, 0}, 0, 1000, 100);
  const QImage image = renderAll(g, plainSet(1, 200));
  EXPECT_EQ(pixel(image, 0, 0), (Rgb{0, 0, 100}));
  EXPECT_EQ(pixel(image, 0, 1), (Rgb{200, 100, 40}));
  // One tenth below the top is interpolated and shaded.
  const AltitudeGrid h = makeGrid(2, 2, {999, 0, 0, 0}, 0, 1000, 100);
  // f = 99.9 / 100 as a single; shade = round(-999 / 100 x 200) = -1998.
  EXPECT_EQ(pixel(renderAll(h, plainSet(0)), 0, 0), (Rgb{200, 100, 40}));
  EXPECT_EQ(pixel(renderAll(h, plainSet(1, 200)), 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(pixel(renderAll(h, plainSet(1, 1)), 0, 0), (Rgb{190, 90, 30}));
}

TEST(ElevationPieces, LandNextToTheSeaIsShadedAsIfTheSeaWereAtZero) {
  // North-west light: cell (0, 0) looks at (1, 1), which is sea.
  const AltitudeGrid g = makeGrid(2, 2, {50, 0, 0, kSeaValue}, 0, 1000, 100);
  // Base colour: f = 5 / 100 = 0.05 of the way to (200, 100, 40) = (10, 5, 2);
  // shade = round((0 - 50) / 100 x 10) = -5.
  EXPECT_EQ(pixel(renderAll(g, plainSet(1, 10)), 0, 0), (Rgb{5, 0, 0}));
}

TEST(ElevationPieces, TheLowestValueTakesTheBottomColourPlusItsShade) {
  const AltitudeGrid g = makeGrid(2, 2, {-30, 0, 0, 20}, -30, 1000, 100);
  ColorSet s = plainSet(1, 200);
  s.bottom = rgbColour(10, 20, 30);
  // shade = (20 - -30) / 100 x 200 = 100.
  EXPECT_EQ(pixel(renderAll(g, s), 0, 0), (Rgb{110, 120, 130}));
}

TEST(ElevationPieces, AFiveMetreRiseAtStrength200DrivesAChannelOf200To255) {
  ColorSet s = plainSet(1, 200);
  s.bottom = rgbColour(200, 200, 200);
  s.top = rgbColour(200, 200, 200);
  const AltitudeGrid g = makeGrid(2, 2, {100, 0, 0, 150}, 0, 1000, 100);
  EXPECT_EQ(pixel(renderAll(g, s), 0, 0), (Rgb{255, 255, 255}));
  // Falling instead: 200 - 100.
  const AltitudeGrid h = makeGrid(2, 2, {150, 0, 0, 100}, 0, 1000, 100);
  EXPECT_EQ(pixel(renderAll(h, s), 0, 0), (Rgb{100, 100, 100}));
  // Far below: clamped at 0.
  const AltitudeGrid k = makeGrid(2, 2, {900, 0, 0, 0}, 0, 1000, 100);
  EXPECT_EQ(pixel(renderAll(k, s), 0, 0), (Rgb{0, 0, 0}));
}

TEST(ElevationPieces, ShadeAndChannelsRoundHalfToEven) {
  // n = 0, bottom 0, top (1, 3, 5): a cell at half the range has f = 0.5,
  // channels 0.5, 1.5, 2.5 -> 0, 2, 2.
  const AltitudeGrid g = makeGrid(2, 2, {10, 0, 0, 0}, 0, 20, 2);
  ColorSet s = plainSet(0);
  s.top = rgbColour(1, 3, 5);
  EXPECT_EQ(pixel(renderAll(g, s), 0, 0), (Rgb{0, 2, 2}));
  // The shade is rounded on its own before it is added: (11 - 10) / 2 x 1 =
  // 0.5 -> 0 leaves the channels as they were; (13 - 10) / 2 = 1.5 -> 2.
  const AltitudeGrid h = makeGrid(2, 2, {10, 0, 0, 11}, 0, 20, 2);
  ColorSet shaded = s;
  shaded.shading = 1;
  shaded.strength = 1;
  EXPECT_EQ(pixel(renderAll(h, shaded), 0, 0), (Rgb{0, 2, 2}));
  const AltitudeGrid k = makeGrid(2, 2, {10, 0, 0, 13}, 0, 20, 2);
  EXPECT_EQ(pixel(renderAll(k, shaded), 0, 0), (Rgb{2, 4, 4}));
}

TEST(ElevationPieces, ABreakpointExactlyHitTakesItsOwnColour) {
  ColorSet s = plainSet(0);
  s.breakpointCount = 2;
  s.elevations = {60.0f, 25.0f, 0, 0, 0};
  s.colours = {rgbColour(0, 250, 0), rgbColour(0, 0, 250), 0, 0, 0};
  const AltitudeGrid g = makeGrid(4, 1, {250, 600, 249, 602}, 0, 1000, 100);
  const QImage image = renderAll(g, s);
  EXPECT_EQ(pixel(image, 0, 0), (Rgb{0, 0, 250}));
  EXPECT_EQ(pixel(image, 1, 0), (Rgb{0, 250, 0}));
  // Just below 25 m: nearly the breakpoint's colour, from black.
  EXPECT_EQ(pixel(image, 2, 0), (Rgb{0, 0, 249}));
  // Just above 60 m: leaving green towards the top colour (f = 0.005).
  EXPECT_EQ(pixel(image, 3, 0), (Rgb{1, 249, 0}));
}

TEST(ElevationPieces, WithoutBreakpointsTheColourRunsStraightFromBottomToTop) {
  ColorSet s = plainSet(0);
  s.bottom = rgbColour(0, 100, 200);
  s.top = rgbColour(200, 100, 0);
  const AltitudeGrid g = makeGrid(3, 1, {0, 250, 500}, 0, 1000, 100);
  const QImage image = renderAll(g, s);
  EXPECT_EQ(pixel(image, 0, 0), (Rgb{0, 100, 200}));
  EXPECT_EQ(pixel(image, 1, 0), (Rgb{50, 100, 150}));
  EXPECT_EQ(pixel(image, 2, 0), (Rgb{100, 100, 100}));
}

// Every light direction on a 3 x 3 grid whose value is 10 x column + 100 x
// row: the shade of each cell is the difference to the neighbour it compares,
// strength 100 over divisor 100.
TEST(ElevationPieces, EdgeCellsCompareTheOppositeNeighbourForEveryLight) {
  std::vector<int32_t> cells;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) cells.push_back(10 * x + 100 * y);
  const AltitudeGrid g = makeGrid(3, 3, cells, 0, 5000, 100);
  ColorSet s = plainSet(1, 100);
  s.bottom = s.top = rgbColour(128, 128, 128);
  const struct {
    int light;
    int expected[3][3];  // shade of (x, y) as [y][x]
  } lights[] = {
      // North-west: the south-east neighbour; the last column and row look
      // north-west (the corner too), and where that lies outside the grid
      // the cell is unshaded.
      {0, {{110, 110, 0}, {110, 110, -110}, {0, -110, -110}}},
      // North-east: south-west; column 0 and the last row look north-east.
      {1, {{0, 90, 90}, {-90, 90, 90}, {-90, -90, 0}}},
      // South-west: north-east; the last column and row 0 look south-west.
      {2, {{0, 90, 90}, {-90, -90, 90}, {-90, -90, 0}}},
      // South-east: north-west; column 0 and row 0 look south-east: (0, 0)
      // is compared with (1, 1).
      {3, {{110, 110, 0}, {110, -110, -110}, {0, -110, -110}}},
  };
  for (const auto& l : lights) {
    s.lightDirection = l.light;
    const QImage image = renderAll(g, s);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(pixel(image, x, y).g, std::clamp(128 + l.expected[y][x], 0, 255))
            << "light " << l.light << " cell " << x << "," << y;
  }
}

TEST(ElevationPieces, AGridOneCellWideLeavesItsEdgeCellsUnshaded) {
  ColorSet s = plainSet(1, 100);
  s.bottom = s.top = rgbColour(128, 128, 128);
  const AltitudeGrid g = makeGrid(1, 3, {0, 50, 90}, 0, 1000, 100);
  for (int light = 0; light < 4; ++light) {
    s.lightDirection = light;
    const QImage image = renderAll(g, s);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(pixel(image, 0, y), (Rgb{128, 128, 128})) << light << " " << y;
  }
}

TEST(ElevationPieces, ADivisorOfZeroDrawsTheGridUnshaded) {
  const AltitudeGrid g = makeGrid(2, 2, {500, 0, 0, 900}, 0, 1000, 0);
  EXPECT_EQ(pixel(renderAll(g, plainSet(1, 500)), 0, 0), (Rgb{100, 50, 20}));
}

TEST(ElevationPieces, PiecesAreCutPerTileAndRenderedOnlyWhenAsked) {
  // 5 x 4 cells over 2 x 2 tiles: pieces of 2 x 2, the last column unseen.
  std::vector<int32_t> cells;
  for (int i = 0; i < 20; ++i) cells.push_back(i * 10);
  const AltitudeGrid g = makeGrid(5, 4, cells, 0, 1000, 100);
  ElevationPieces p;
  p.prepare(&g, plainSet(0), 2, 2);
  ASSERT_TRUE(p.available());
  EXPECT_EQ(p.pieceWidth(), 2);
  EXPECT_EQ(p.pieceHeight(), 2);
  EXPECT_FALSE(p.isRendered(1, 1));
  const QImage piece = p.piece(1, 1);
  EXPECT_TRUE(p.isRendered(1, 1));
  EXPECT_FALSE(p.isRendered(0, 1));
  ASSERT_EQ(piece.size(), QSize(2, 2));
  // Pixel (k, i) of piece (1, 1) shows cell (2 + k, 2 + i): value 10 x (5 x (2 + i) + 2 + k).
  EXPECT_EQ(pixel(piece, 1, 1), writtenPixel(g, plainSet(0), 3, 3));
  EXPECT_EQ(pixel(piece, 0, 0), (Rgb{24, 12, 5}));  // 120 tenths: f = 0.12
  EXPECT_TRUE(p.piece(2, 0).isNull());
  EXPECT_TRUE(p.piece(-1, 0).isNull());

  // A new preparation forgets every piece.
  p.prepare(&g, plainSet(1), 2, 2);
  EXPECT_FALSE(p.isRendered(1, 1));
  // Fewer cells than tiles: nothing to draw.
  p.prepare(&g, plainSet(0), 8, 2);
  EXPECT_FALSE(p.available());
  EXPECT_TRUE(p.piece(0, 0).isNull());
}

TEST(ElevationPieces, AGridReplacedAfterPreparationIsNeverReadWithTheOldShape) {
  AltitudeGrid g = makeGrid(4, 4, std::vector<int32_t>(16, 5), 0, 10, 100);
  ElevationPieces p;
  p.prepare(&g, plainSet(1), 2, 2);
  g = AltitudeGrid();
  EXPECT_TRUE(p.piece(1, 1).isNull());
}

// The renderer against the written steps on random grids and colour sets:
// breakpoints inside and outside the grid's range (a ramp that is not
// ascending), every light, strengths and divisors that saturate, cells beyond
// the header's range and steep neighbours.
TEST(ElevationPieces, MatchTheWrittenArithmeticOnRandomGrids) {
  std::mt19937 rng(20240611);
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 300; ++round) {
    const int columns = uniform(1, 24), rows = uniform(1, 24);
    const int32_t lowest = uniform(-500, 2000);
    const int32_t highest = round % 10 == 0 ? lowest + uniform(200000, 400000) : lowest + uniform(0, 30000);
    std::vector<int32_t> cells(static_cast<size_t>(columns) * rows);
    for (auto& c : cells) {
      const int pick = uniform(0, 19);
      if (pick == 0)
        c = kSeaValue;
      else if (pick == 1)
        c = highest;
      else if (pick == 2)
        c = lowest;
      else if (pick == 3)
        c = uniform(lowest - 3000, highest + 3000);  // beyond the header's range
      else
        c = uniform(lowest, highest);
    }
    const int32_t divisor = std::array<int32_t, 5>{1, 3, 100, 250, -7}[static_cast<size_t>(uniform(0, 4))];
    const AltitudeGrid g = makeGrid(columns, rows, cells, lowest, highest, divisor);
    ColorSet s;
    s.sea = static_cast<Colour>(uniform(0, 0xFFFFFF));
    s.bottom = static_cast<Colour>(uniform(0, 0xFFFFFF));
    s.top = static_cast<Colour>(uniform(0, 0xFFFFFF));
    s.breakpointCount = uniform(0, 5);
    std::vector<float> points;
    for (int k = 0; k < s.breakpointCount; ++k)
      points.push_back(static_cast<float>(uniform(lowest - 1000, highest + 1000) / 10.0 + uniform(0, 3) * 0.25));
    std::sort(points.rbegin(), points.rend());
    for (int k = 0; k < s.breakpointCount; ++k) {
      s.elevations[static_cast<size_t>(k)] = points[static_cast<size_t>(k)];
      s.colours[static_cast<size_t>(k)] = static_cast<Colour>(uniform(0, 0xFFFFFF));
    }
    s.shading = uniform(0, 1);
    s.strength = uniform(100, 500);
    s.lightDirection = uniform(0, 3);

    const QImage image = renderAll(g, s);
    ASSERT_EQ(image.size(), QSize(columns, rows));
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < columns; ++x)
        ASSERT_EQ(pixel(image, x, y), writtenPixel(g, s, x, y))
            << "round " << round << " cell " << x << "," << y << " value " << g.cell(x, y);
  }
}

TEST(ElevationPieces, RoamingKeepsThePiecesWithinTheirBudgetAndRedrawsDroppedOnesAlike) {
  // 80 x 60 cells over 8 x 6 tiles: pieces of 10 x 10 (400 bytes, aprons 576).
  std::vector<int32_t> cells;
  for (int i = 0; i < 80 * 60; ++i) cells.push_back((i * 37) % 1000);
  const AltitudeGrid g = makeGrid(80, 60, cells, 0, 1000, 100);
  ElevationPieces p;
  p.setBudget(8 * 1000);  // about eight pieces with their aprons
  p.prepare(&g, plainSet(1), 8, 6);
  EXPECT_EQ(p.budget(), 8000);  // kept through a preparation
  const QImage first = p.apronPiece(0, 0).copy();
  const QImage firstPiece = p.piece(0, 0).copy();
  int64_t most = 0;
  for (int b = 0; b < 6; ++b)
    for (int a = 0; a < 8; ++a) {
      ASSERT_FALSE(p.apronPiece(a, b).isNull());
      // The piece in hand is whole while the others make room for it.
      EXPECT_TRUE(p.isRendered(a, b));
      most = std::max(most, p.bytes());
    }
  EXPECT_LE(most, p.budget());
  // The first piece, far behind, was dropped; asked again it is the same.
  EXPECT_FALSE(p.isRendered(0, 0));
  EXPECT_EQ(p.apronPiece(0, 0), first);
  EXPECT_EQ(p.piece(0, 0), firstPiece);
  // The most recent pieces stay.
  EXPECT_TRUE(p.isRendered(7, 5));
  // A budget of nothing keeps only the piece in hand.
  p.setBudget(0);
  EXPECT_FALSE(p.piece(3, 3).isNull());
  EXPECT_FALSE(p.isRendered(7, 5));
}

TEST(ElevationPieces, TheSampledPictureShowsEachCellAsItsPieceDoesAndRendersNoPiece) {
  // 80 x 60 cells over 8 x 6 tiles, shaded: a sampled pixel is the colour
  // its cell has in its piece.
  std::vector<int32_t> cells;
  for (int i = 0; i < 80 * 60; ++i) cells.push_back((i * 37) % 1000);
  const AltitudeGrid g = makeGrid(80, 60, cells, 0, 1000, 100);
  ElevationPieces p;
  p.prepare(&g, plainSet(1), 8, 6);
  const QImage sampled = p.sampledPicture(16, 12);
  ASSERT_EQ(sampled.size(), QSize(16, 12));
  for (int b = 0; b < 6; ++b)
    for (int a = 0; a < 8; ++a) EXPECT_FALSE(p.isRendered(a, b));
  // Pixel (i, j) stands for the cell under its centre: (5 i + 2, 5 j + 2).
  for (int j = 0; j < 12; ++j)
    for (int i = 0; i < 16; ++i) {
      const int x = 5 * i + 2, y = 5 * j + 2;
      ASSERT_EQ(sampled.pixel(i, j), p.piece(x / 10, y / 10).pixel(x % 10, y % 10)) << i << "," << j;
    }
  ElevationPieces none;
  EXPECT_TRUE(none.sampledPicture(16, 12).isNull());
}
