// SPDX-License-Identifier: MIT
// Values no sound file holds but a damaged one can still carry to the
// arithmetic (after the load's own checks, or from a file written by another
// tool): the results stay what the program means by them, with no integer
// wrapping around.
#include <gtest/gtest.h>

#include <limits>

#include "geo/CursorReadout.h"
#include "geo/TileGeometry.h"
#include "model/EraLabels.h"
#include "model/ProgramState.h"
#include "render/Tiles.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// Two scanned-sheet eras over the small test grid; sheet (0, 0) of era 1
// borrows by the given substitute.
ProgramState sheetState(int32_t secondColumn, const QString& substitute) {
  ProgramState state;
  state.mapInfo = test::smallGridInfo();
  Era first;
  first.kind = kScannedSheets;
  first.historyColumn = 0;
  first.ext = QStringLiteral("png");
  Era second = first;
  second.historyColumn = secondColumn;
  state.eras = {first, second};
  state.history.reset(2, 2, 3);
  state.history.set(0, 0, 0, 0, QStringLiteral("北"));
  state.history.set(0, 0, 1, 0, QStringLiteral("明治"));
  state.history.set(0, 0, 2, 1, substitute);
  state.view.eraIndex = 1;
  state.scale = computeScaleFactors(state.mapInfo, 2.3125, 2.3125);
  return state;
}

}  // namespace

TEST(ExtremeValues, BorrowedSheetsOutsideTheTableAreNone) {
  struct Case {
    const char* what;
    int32_t column;
    QString substitute;
    bool resolves;
    QString readout;
  };
  const std::vector<Case> cases = {
      {"borrows the edition before", 1, "-1", true, QStringLiteral("地形図：!!北(明治,発行)\r")},
      {"substitute of the largest integer", 1, "2147483647", false, QStringLiteral("地形図：!!北(,発行)\r")},
      {"substitute beyond every integer", 1, "1e39", false, QStringLiteral("地形図：!!北(,発行)\r")},
      {"substitute of the smallest integer", 1, "-2147483648", false, QStringLiteral("地形図：!!北(,発行)\r")},
      {"era column of the largest integer", kMax, "-1", false, QStringLiteral("地形図なし\r")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProgramState state = sheetState(c.column, c.substitute);
    const auto tile = ResolveTile(state, 1, 0, 0);
    EXPECT_EQ(tile.has_value(), c.resolves);
    if (tile) {
      EXPECT_EQ(tile->sourceEra, 0);
    }
    const Viewport view(&state.mapInfo, state.scale, 200.0f, 160.0f, 100, 400, 320);
    EXPECT_EQ(computePointInfo(state, view, 10.0f, 10.0f).lblMap, c.readout);
  }
}

TEST(ExtremeValues, LabelsCountWide) {
  EXPECT_EQ(JapaneseEraYear(kMin), QStringLiteral("明治-2147485515"));
  EXPECT_EQ(JapaneseEraYear(kMax), QStringLiteral("令和2147481629"));
  ProgramState state = sheetState(1, QString());
  Era photo;
  photo.kind = kAerialPhoto;
  photo.periodCode = kMax;
  state.eras = {photo};
  state.view.eraIndex = 0;
  const Viewport view(&state.mapInfo, state.scale, 200.0f, 160.0f, 100, 400, 320);
  EXPECT_TRUE(computePointInfo(state, view, 1.0f, 1.0f).lblMap.startsWith(QStringLiteral("国土画像情報2147483648期")));
}

TEST(ExtremeValues, PositionsOffEveryMapStayInRange) {
  const float inf = std::numeric_limits<float>::infinity();
  for (float v : {inf, -inf, 3e38f, -3e38f, std::numeric_limits<float>::quiet_NaN()}) {
    const DMS dms = DegToDMS(v);
    EXPECT_EQ(dms.degrees, 0);
    EXPECT_EQ(dms.minutes, 0);
  }
  const DMS sound = DegToDMS(-35.5f);
  EXPECT_EQ(sound.degrees, -36);
  EXPECT_EQ(sound.minutes, 30);

  const MapInfo info = test::smallGridInfo();
  const ScaleFactors scale = computeScaleFactors(info, 2.3125, 2.3125);
  struct Case {
    float cx, cy;
    int fx, fy;
  };
  for (const Case& c : std::vector<Case>{{3e38f, 160, 0, 0},
                                         {200, -inf, 0, 0},
                                         {std::numeric_limits<float>::quiet_NaN(), 160, 0, 0},
                                         {200, 160, kMin, kMax},
                                         {-3e38f, 3e38f, kMax, kMin}}) {
    SCOPED_TRACE(testing::Message() << c.cx << ", " << c.cy << " frame " << c.fx << ", " << c.fy);
    const TileRange r = VisibleTileRange(Viewport(&info, scale, c.cx, c.cy, 100, 400, 320), c.fx, c.fy);
    // However far off, the view still spans its few tiles in order.
    EXPECT_GE(r.lastCol, r.firstCol);
    EXPECT_LE(r.lastCol - r.firstCol, 5);
    EXPECT_GE(r.lastRow, r.firstRow);
    EXPECT_LE(r.lastRow - r.firstRow, 5);
  }
}
