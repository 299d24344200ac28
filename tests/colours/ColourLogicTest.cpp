// SPDX-License-Identifier: MIT
// The rules behind the colour-set dialogs: the picker's palette, the rows of
// the editor, its checks before OK, the chooser's OK and where dialogs open.
#include <gtest/gtest.h>

#include <functional>

#include "elevation/ColorPalette.h"
#include "elevation/ColorSetChooser.h"
#include "elevation/ColorSetEditing.h"
#include "elevation/ColorSetPreview.h"
#include "elevation/FormPlacement.h"
#include "model/ElevationPieces.h"
#include "platform/Prompts.h"

using namespace kavalo;

namespace {

const Colour A = rgbColour(1, 0, 0), B = rgbColour(2, 0, 0), C = rgbColour(3, 0, 0), D = rgbColour(4, 0, 0),
             E = rgbColour(5, 0, 0);

// Breakpoint rows from 3 on with these texts and colours; the fixed swatches
// are white.
ColourEntries rows(std::vector<std::pair<QString, Colour>> shown, std::vector<Colour> hidden = {}) {
  ColourEntries e;
  e.colours.fill(kWhite);
  size_t r = kFirstBreakpointRow;
  for (const auto& [text, colour] : shown) {
    e.texts[r] = text;
    e.colours[r++] = colour;
  }
  e.shownRows = static_cast<int>(shown.size());
  for (Colour c : hidden) e.colours[r++] = c;
  return e;
}

std::vector<std::pair<QString, Colour>> shownRows(const ColourEntries& e) {
  std::vector<std::pair<QString, Colour>> out;
  for (int r = kFirstBreakpointRow; r < kFirstBreakpointRow + e.shownRows; ++r)
    out.emplace_back(e.texts[static_cast<size_t>(r)], e.colours[static_cast<size_t>(r)]);
  return out;
}

AltitudeGrid gridOf(int32_t lowest, int32_t highest) {
  AltitudeGrid g;
  g.lowest = lowest;
  g.highest = highest;
  return g;
}

}  // namespace

TEST(ColourPicker, PaletteAndLayout) {
  const struct {
    int n, r, g, b;
  } cases[] = {
      {0, 0, 0, 255},  {6, 255, 255, 255}, {7, 0, 0, 128},      {12, 128, 128, 0},   {13, 0, 0, 0},    {14, 0, 0, 64},
      {16, 0, 0, 192}, {17, 85, 85, 192},  {19, 255, 255, 192}, {20, 219, 219, 219}, {21, 64, 0, 0},   {28, 64, 0, 64},
      {35, 0, 64, 0},  {45, 85, 192, 192}, {49, 64, 64, 0},     {54, 192, 192, 255}, {55, 37, 37, 37},
  };
  for (const auto& c : cases) EXPECT_EQ(pickerSwatchColour(c.n), rgbColour(c.r, c.g, c.b)) << "swatch " << c.n;
  // Both margins are half a swatch width; the rows step by the height.
  EXPECT_EQ(pickerSwatchPosition(0, 20, 10), QPointF(10, 10));
  EXPECT_EQ(pickerSwatchPosition(8, 20, 10), QPointF(10 + 22, 10 + 11));
  EXPECT_EQ(pickerSwatchPosition(55, 20, 10), QPointF(10 + 7 * 22, 10 + 6 * 11));
}

TEST(ColourEditorRows, ExchangeSortPutsTheHighestFirstAndMayReorderEqualValues) {
  // Equal values: the exchange with the later, higher row moves the second
  // 20 ahead of the first.
  ColourEntries e = rows({{"20", A}, {"20", B}, {"30", C}});
  arrangeBreakpointRows(e);
  EXPECT_EQ(shownRows(e), (std::vector<std::pair<QString, Colour>>{{"30", C}, {"20", B}, {"20", A}}));
  // Texts are read by their leading number, none counting as 0; full-width
  // digits are digits.
  e = rows({{"abc", A}, {"12.5m", B}, {"-3", C}, {"１００", D}, {"12.75", E}});
  arrangeBreakpointRows(e);
  EXPECT_EQ(shownRows(e), (std::vector<std::pair<QString, Colour>>{
                              {"１００", D}, {"12.75", E}, {"12.5m", B}, {"abc", A}, {"-3", C}}));
}

TEST(ColourEditorRows, EraseMovesRowsUpAndAddShowsTheColourTheRowLastHad) {
  ColourEntries e = rows({{"50", A}, {"40", B}, {"30", C}, {"20", D}, {"10", E}});
  eraseBreakpointRow(e, 4);
  EXPECT_EQ(shownRows(e), (std::vector<std::pair<QString, Colour>>{{"50", A}, {"30", C}, {"20", D}, {"10", E}}));
  addBreakpointRow(e);  // row 7 comes back with "0" and the colour it kept
  EXPECT_EQ(shownRows(e).back(), std::make_pair(QStringLiteral("0"), E));

  // Erasing the last of five rows and adding one again gives its colour back.
  e = rows({{"50", A}, {"40", B}, {"30", C}, {"20", D}, {"10", E}});
  eraseBreakpointRow(e, 7);
  EXPECT_EQ(e.shownRows, 4);
  addBreakpointRow(e);
  EXPECT_EQ(shownRows(e).back(), std::make_pair(QStringLiteral("0"), E));
  addBreakpointRow(e);  // five rows: nothing more
  EXPECT_EQ(e.shownRows, 5);

  // An erased middle row takes its colours from the rows below, hidden ones
  // included.
  e = rows({{"50", A}, {"40", B}}, {C, D, E});
  eraseBreakpointRow(e, 3);
  EXPECT_EQ(shownRows(e), (std::vector<std::pair<QString, Colour>>{{"40", B}}));
  addBreakpointRow(e);
  EXPECT_EQ(shownRows(e).back(), std::make_pair(QStringLiteral("0"), C));
  eraseBreakpointRow(e, 6);  // not shown: nothing happens
  EXPECT_EQ(e.shownRows, 2);
}

TEST(ColourEditorChecks, RangeNumberAndWhiteChecksInOrder) {
  const QString range = QStringLiteral("数値が最高地点と最低地点の範囲を外れています。");
  const QString white = QStringLiteral("すべての色を白にすることは国土地理院により禁止されています。");
  struct Case {
    const char* what;
    ColourEntries entries;
    std::vector<QString> messages;
  };
  ColourEntries allWhiteButSea = rows({{"0", kWhite}});
  allWhiteButSea.colours[kSeaSwatch] = rgbColour(0, 0, 100);
  ColourEntries hiddenColourOnly = rows({{"0", kWhite}}, {A});
  const Case cases[] = {
      {"at the highest and lowest point", rows({{"1234.5", A}, {"-5.5", B}}), {}},
      {"only the sea coloured", allWhiteButSea, {}},
      {"above the highest point", rows({{"1234.6", A}}), {range}},
      {"below the lowest point", rows({{"-5.6", A}}), {range}},
      {"full-width digits", rows({{"１２３４.５", A}}), {}},
      {"not a number names its row",
       rows({{"10", A}, {"abc", B}}),
       {QStringLiteral("2番目の区切りの標高「abc」は数値ではありません。")}},
      {"a number with a tail",
       rows({{"12m", A}}),
       {QStringLiteral("1番目の区切りの標高「12m」は数値ではありません。")}},
      {"an empty text", rows({{"", A}}), {QStringLiteral("1番目の区切りの標高「」は数値ではありません。")}},
      {"the first failing row only, then the white check", rows({{"2000", kWhite}, {"-100", kWhite}}), {range, white}},
      {"a hidden row's colour does not count", hiddenColourOnly, {white}},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    const bool ok = validateColourEntries(c.entries, gridOf(-55, 12345), prompts);
    EXPECT_EQ(ok, c.messages.empty()) << c.what;
    EXPECT_EQ(prompts.messages(), QStringList(c.messages.begin(), c.messages.end())) << c.what;
  }
}

TEST(ColourEditorChecks, StoringKeepsNumbersAsSinglesAndHiddenColours) {
  ColourEntries e = rows({{"1234.5", A}, {" 12.5 ", B}}, {C, D});
  e.colours[kTopSwatch] = D;
  e.colours[kBottomSwatch] = E;
  e.colours[kSeaSwatch] = C;
  ColorSet s;
  storeColourEntries(e, s);
  EXPECT_EQ(s.breakpointCount, 2);
  EXPECT_EQ(s.elevations[0], 1234.5f);
  EXPECT_EQ(s.elevations[1], 12.5f);
  EXPECT_EQ(std::vector<Colour>(s.colours.begin(), s.colours.begin() + 4), (std::vector<Colour>{A, B, C, D}));
  EXPECT_EQ(s.top, D);
  EXPECT_EQ(s.bottom, E);
  EXPECT_EQ(s.sea, C);
  // And back: the editor shows what was stored, hidden colours included.
  const ColourEntries back = entriesFromSet(s);
  EXPECT_EQ(shownRows(back), (std::vector<std::pair<QString, Colour>>{{"1234.5", A}, {"12.5", B}}));
  EXPECT_EQ(back.colours[5], C);
}

TEST(ColourChooser, OkComparesTheSelectedSetWithoutItsName) {
  ColorSetList list;
  list.sets = {defaultColorSet(0, 1000, "a"), defaultColorSet(0, 1000, "b"), defaultColorSet(0, 1000, "c")};
  list.sets[2].top = A;
  list.selected = 1;
  const AltitudeGrid grid = gridOf(0, 1000);
  using O = ColorSetWorkingList::Outcome;
  struct Case {
    const char* what;
    std::function<void(ColorSetWorkingList&)> change;
    O outcome;
    int count, selected;
    QString selectedName;
  };
  const Case cases[] = {
      {"copy of the selected set", [&](auto& w) { w.copy(1, grid); }, O::Unchanged, 4, 1, "b"},
      {"rename only", [](auto& w) { w.set(1).name = "x"; }, O::Unchanged, 3, 1, "x"},
      {"a colour", [](auto& w) { w.set(1).colours[0] = B; }, O::Changed, 3, 1, "b"},
      {"an unused breakpoint", [](auto& w) { w.set(1).elevations[3] = 7; }, O::Unchanged, 3, 1, "b"},
      {"fewer breakpoints", [](auto& w) { w.set(1).breakpointCount = 0; }, O::Changed, 3, 1, "b"},
      {"strength", [](auto& w) { w.set(1).strength = 300; }, O::Changed, 3, 1, "b"},
      {"another set selected", [](auto& w) { w.select(2); }, O::Changed, 3, 2, "c"},
      {"an equal set selected", [](auto& w) { w.select(0); }, O::Unchanged, 3, 0, "a"},
      {"a set above deleted", [](auto& w) { w.setMarked(0, true); }, O::Unchanged, 2, 0, "b"},
      {"the selected set marked", [](auto& w) { w.setMarked(1, true); }, O::SelectedMarked, 3, 1, "b"},
  };
  for (const Case& c : cases) {
    ColorSetWorkingList w(list);
    c.change(w);
    ColorSetList out = list;
    EXPECT_EQ(w.confirm(out), c.outcome) << c.what;
    EXPECT_EQ(static_cast<int>(out.sets.size()), c.count) << c.what;
    EXPECT_EQ(out.selected, c.selected) << c.what;
    EXPECT_EQ(out.current().name, c.selectedName) << c.what;
  }
  ColorSetWorkingList w(list);
  w.copy(2, grid);
  w.add(gridOf(-100, 900));
  EXPECT_EQ(w.set(3).name, QStringLiteral("c(コピー)"));
  EXPECT_EQ(w.set(3).top, A);
  EXPECT_EQ(w.set(4).name, QStringLiteral("新規"));
  EXPECT_EQ(w.set(4).elevations[0], 50.0f);  // half the range of 100 m
  EXPECT_EQ(w.selected(), 1);
}

TEST(FormPlacement, BesideTheCursorOnItsScreen) {
  const QRect first(0, 0, 1600, 1000), second(1600, -200, 1280, 1024);
  const struct {
    QPoint cursor;
    QRect screen;
    bool centred;
    QPoint expected;
  } cases[] = {
      {{500, 500}, first, false, {540, 400}},    // a tenth of the width to the right, centred in height
      {{500, 500}, first, true, {300, 400}},     // centred both ways
      {{1500, 500}, first, false, {1060, 400}},  // no room on the right: to the left
      {{500, 950}, first, false, {540, 730}},    // no room below: above
      {{100, 50}, first, true, {0, 0}},          // nothing before the screen's edges
      {{1700, -150}, second, false, {1740, -200}},
      {{2800, 700}, second, false, {2360, 600}},  // its bottom is 824,
  };
  for (const auto& c : cases)
    EXPECT_EQ(nearCursorPosition(c.cursor, QSize(400, 200), c.screen, c.centred), c.expected)
        << c.cursor.x() << "," << c.cursor.y();
}

TEST(ColourPreview, RampRunsFromSeaAndBottomToTopAndPreviewSamplesTheGrid) {
  AltitudeGrid g;
  g.columns = 400;
  g.rows = 100;
  g.lowest = 0;
  g.highest = 3800;
  g.reliefDivisor = 100;
  g.cells.resize(400 * 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 400; ++x) g.cells[static_cast<size_t>(y * 400 + x)] = x < 8 ? kSeaValue : x * 9;
  ColorSet s = defaultColorSet(0, 3800);
  s.shading = 0;
  // A square of sea, then 191 pixels for 0 to 380 m: 2 m a pixel.
  const QImage strip = rampStrip(s, g, QSize(201, 10));
  ASSERT_EQ(strip.size(), QSize(201, 10));
  EXPECT_EQ(strip.pixel(0, 5), toQColor(s.sea).rgb());
  EXPECT_EQ(strip.pixel(10, 5), toQColor(s.bottom).rgb());
  EXPECT_EQ(strip.pixel(10 + 95, 5), toQColor(s.colours[0]).rgb());  // the breakpoint at 190 m
  EXPECT_EQ(strip.pixel(200, 5), toQColor(s.top).rgb());

  // Every fourth cell, and the relief of cells four apart divided by four:
  // the preview pixel is the map's pixel of its cell, shaded or not.
  for (int shading : {0, 1}) {
    s.shading = shading;
    ElevationPieces full;
    full.prepare(&g, s, 1, 1);
    const QImage map = full.piece(0, 0);
    const QImage preview = shadedPreview(s, g, 100);
    ASSERT_EQ(preview.size(), QSize(100, 25));
    for (QPoint p : {QPoint(0, 0), QPoint(1, 3), QPoint(50, 10), QPoint(98, 20)})
      EXPECT_EQ(preview.pixel(p), map.pixel(p * 4)) << "shading " << shading << " at " << p.x() << "," << p.y();
  }
}
