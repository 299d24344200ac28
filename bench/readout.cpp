// SPDX-License-Identifier: MIT
// The cursor readout of one mouse move (without the labels' update):
//
//   bench_readout
#include <benchmark/benchmark.h>

#include "geo/CursorReadout.h"
#include "model/ProgramState.h"

using namespace kavalo;

namespace {

// A region of 4 x 4 sheets of 4 x 4 tiles of 400 x 320 pixels with a
// 4000 x 4000 grid, the view 1200 x 900 pixels at 100 %.
ProgramState makeState(int kind) {
  ProgramState st;
  MapInfo& m = st.mapInfo;
  m.tileWidth = 400;
  m.tileHeight = 320;
  m.sheetsX = m.sheetsY = 4;
  m.tilesPerSheetX = m.tilesPerSheetY = 4;
  m.totalCols = m.totalRows = 16;
  m.west = 139.5f;
  m.north = 35.8333f;
  m.frame[2] = {-37, 29};
  AltitudeGrid& g = st.altitude;
  g.columns = g.rows = 4000;
  g.lowest = 0;
  g.highest = 30000;
  g.reliefDivisor = 100;
  g.cells.resize(4000u * 4000u);
  for (size_t i = 0; i < g.cells.size(); ++i) g.cells[i] = static_cast<int32_t>((i * 7919u) % 30000u);
  g.pitchX = 1.6f;
  g.pitchY = 1.28f;
  Era e;
  e.kind = kind;
  e.historyColumn = 0;
  e.yearFrom = 1974;
  e.yearTo = 1978;
  e.acquiredText = QStringLiteral("2012/04/01");
  for (int i = 0; i < 40; ++i)
    e.sheetIndex.push_back({QStringLiteral("NI-54-%1").arg(i), QStringLiteral("図%1").arg(i),
                            GeoBox{139.0f + i * 0.01f, 139.01f + i * 0.01f, 36.0f, 35.0f}});
  st.eras = {e};
  st.history.reset(4, 4, 2);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      st.history.set(c, r, 0, 0, QStringLiteral("東京西北部"));
      st.history.set(c, r, 1, 0, QStringLiteral("明治42測図"));
      st.history.set(c, r, 1, 1, QStringLiteral("明治44.3.30"));
    }
  st.view.datumFlag = 1;
  st.view.centerX = 3200.0f;
  st.view.centerY = 2560.0f;
  st.scale = computeScaleFactors(m, 25.4 / 96, 25.4 / 96);
  return st;
}

void readout(benchmark::State& bs, int kind) {
  const ProgramState st = makeState(kind);
  const Viewport view(&st.mapInfo, st.scale, st.view.centerX, st.view.centerY, 100, 1200, 900);
  float px = 0.0f;
  for (auto _ : bs) {
    // A pointer moving along the view, one pixel per event.
    px = px >= 1199.0f ? 0.0f : px + 1.0f;
    PointInfo info = computePointInfo(st, view, px, 450.0f);
    benchmark::DoNotOptimize(info);
  }
}

void BM_Readout_ScannedSheet(benchmark::State& bs) { readout(bs, kScannedSheets); }
void BM_Readout_TwentyThousand(benchmark::State& bs) { readout(bs, kTwentyThousand); }
BENCHMARK(BM_Readout_ScannedSheet);
BENCHMARK(BM_Readout_TwentyThousand);

}  // namespace

BENCHMARK_MAIN();
