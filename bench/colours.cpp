// SPDX-License-Identifier: MIT
// The colour-set editor's live pictures: what one change in the editor costs
// (a ramp strip and a shaded preview of the loaded grid, drawn afresh).
//
//   bench_colours    one refresh for grids of 1000 x 1000 and 4000 x 4000 cells
#include <benchmark/benchmark.h>

#include <cmath>

#include "elevation/ColorSetPreview.h"
#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"

using namespace kavalo;

namespace {

// Rolling hills from 0 to about 1500 m, the western strip under the sea.
AltitudeGrid hills(int side) {
  AltitudeGrid g;
  g.columns = side;
  g.rows = side;
  g.lowest = 0;
  g.highest = 15000;
  g.reliefDivisor = 100;
  g.cells.resize(static_cast<size_t>(side) * static_cast<size_t>(side));
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const double h = 7500.0 + 7000.0 * std::sin(x / 97.0) * std::cos(y / 131.0);
      g.cells[static_cast<size_t>(y) * static_cast<size_t>(side) + static_cast<size_t>(x)] =
          x < side / 20 ? kSeaValue : static_cast<int32_t>(h);
    }
  return g;
}

void EditorRefresh(benchmark::State& state) {
  const AltitudeGrid grid = hills(static_cast<int>(state.range(0)));
  ColorSet set = defaultColorSet(grid.lowest, grid.highest);
  for (auto _ : state) {
    set.strength = set.strength == 200 ? 210 : 200;  // a change, as a slider step makes
    benchmark::DoNotOptimize(rampStrip(set, grid, QSize(260, 18)));
    benchmark::DoNotOptimize(shadedPreview(set, grid, 200));
  }
}
BENCHMARK(EditorRefresh)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
