// SPDX-License-Identifier: MIT
// Elevation pieces and the elevation grid load.
//
//   bench_elevation --benchmark_filter=Render   cells per second of RenderElevationPiece
//   bench_elevation --benchmark_filter=Load     altitude.dat of 4000 x 4000 cells against
//                                               libdeflate's and zlib's own expansion of the
//                                               same block
#include <benchmark/benchmark.h>

#include <libdeflate.h>
#include <zlib.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <memory>
#include <vector>

#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"
#include "model/ElevationPieces.h"

using namespace kavalo;

namespace {

constexpr int kColumns = 4000;
constexpr int kRows = 4000;
constexpr int kTilesAcross = 40;  // pieces of 100 x 100 cells

// Hills and valleys of a 50 m grid: a few overlapping waves with some
// roughness, the north-west corner under the sea. Tenths of a metre.
std::vector<int32_t> terrain(int columns, int rows) {
  std::vector<int32_t> cells(static_cast<size_t>(columns) * rows);
  uint32_t seed = 12345;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const double h = 9000.0 + 6000.0 * std::sin(x / 170.0) * std::cos(y / 230.0) +
                       2500.0 * std::sin((x + 2 * y) / 55.0) + 600.0 * std::sin(x / 9.0 + y / 13.0) +
                       static_cast<double>(seed >> 24) - 128.0;
      int32_t v = static_cast<int32_t>(h);
      if (x + y < 600) v = kSeaValue;
      cells[static_cast<size_t>(y) * columns + x] = v;
    }
  }
  return cells;
}

MapInfo mapInfo(int tilesAcross, int tilesDown) {
  MapInfo info;
  info.tileWidth = 400;
  info.tileHeight = 320;
  info.sheetsX = tilesAcross / 4;
  info.sheetsY = tilesDown / 4;
  info.tilesPerSheetX = 4;
  info.tilesPerSheetY = 4;
  info.totalCols = tilesAcross;
  info.totalRows = tilesDown;
  return info;
}

struct GridFile {
  QTemporaryDir dir;
  QString path;
  QByteArray block;  // the compressed block
  uLongf expanded = 0;

  GridFile() {
    const std::vector<int32_t> cells = terrain(kColumns, kRows);
    int32_t lowest = 1 << 30, highest = -(1 << 30);
    for (int32_t v : cells)
      if (v != kSeaValue) lowest = std::min(lowest, v), highest = std::max(highest, v);
    QByteArray raw(static_cast<qsizetype>(cells.size() * 4), '\0');
    for (size_t i = 0; i < cells.size(); ++i) qToLittleEndian<int32_t>(cells[i], raw.data() + 4 * i);
    expanded = static_cast<uLongf>(raw.size());
    uLongf length = compressBound(static_cast<uLong>(raw.size()));
    block.resize(static_cast<qsizetype>(length));
    compress2(reinterpret_cast<Bytef*>(block.data()), &length, reinterpret_cast<const Bytef*>(raw.constData()),
              static_cast<uLong>(raw.size()), 6);
    block.resize(static_cast<qsizetype>(length));
    QByteArray file(24, '\0');
    const int32_t header[6] = {kColumns, kRows, lowest, highest, 100, static_cast<int32_t>(block.size())};
    for (int i = 0; i < 6; ++i) qToLittleEndian<int32_t>(header[i], file.data() + 4 * i);
    file += block;
    path = dir.path() + QStringLiteral("/altitude.dat");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(file);
  }
};

GridFile& gridFile() {
  static GridFile file;
  return file;
}

const AltitudeGrid& loadedGrid() {
  static AltitudeGrid grid = [] {
    AltitudeGrid g;
    readAltitudeGrid(gridFile().path, mapInfo(kTilesAcross, kTilesAcross), g, nullptr);
    return g;
  }();
  return grid;
}

ColorSet benchColours(int shading) {
  ColorSet set = defaultColorSet(loadedGrid().lowest, loadedGrid().highest);
  set.breakpointCount = 3;
  set.elevations = {1200.0f, 800.0f, 300.0f, 0.0f, 0.0f};
  set.colours = {rgbColour(150, 100, 50), rgbColour(200, 180, 60), rgbColour(100, 200, 0), 0, 0};
  set.shading = shading;
  set.strength = 200;
  return set;
}

// Renders every piece of the grid once per iteration.
void renderAll(benchmark::State& st, int shading) {
  const AltitudeGrid& grid = loadedGrid();
  const ColorSet set = benchColours(shading);
  ElevationPieces pieces;
  for (auto _ : st) {
    st.PauseTiming();
    pieces.prepare(&grid, set, kTilesAcross, kTilesAcross);
    st.ResumeTiming();
    for (int b = 0; b < kTilesAcross; ++b)
      for (int a = 0; a < kTilesAcross; ++a) pieces.RenderElevationPiece(a, b);
    benchmark::DoNotOptimize(pieces.piece(kTilesAcross - 1, kTilesAcross - 1).constBits());
  }
  st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(kColumns) * kRows);
  st.counters["cells/s"] =
      benchmark::Counter(static_cast<double>(st.iterations()) * kColumns * kRows, benchmark::Counter::kIsRate);
}

void BM_RenderElevationPieces_Shaded(benchmark::State& st) { renderAll(st, 1); }
void BM_RenderElevationPieces_Unshaded(benchmark::State& st) { renderAll(st, 0); }
BENCHMARK(BM_RenderElevationPieces_Shaded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderElevationPieces_Unshaded)->Unit(benchmark::kMillisecond);

// The whole load: header, block read, one expansion into the grid.
void BM_LoadAltitudeGrid(benchmark::State& st) {
  const GridFile& file = gridFile();
  const MapInfo info = mapInfo(kTilesAcross, kTilesAcross);
  for (auto _ : st) {
    AltitudeGrid grid;
    if (!readAltitudeGrid(file.path, info, grid, nullptr)) st.SkipWithError("load failed");
    benchmark::DoNotOptimize(grid.cells.data());
  }
  st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(file.expanded));
}
BENCHMARK(BM_LoadAltitudeGrid)->Unit(benchmark::kMillisecond);

// The floor: zlib's uncompress of the same block, already in memory, into a
// buffer allocated once outside the loop.
void BM_LoadFloor_ZlibUncompress(benchmark::State& st) {
  const GridFile& file = gridFile();
  std::unique_ptr<Bytef[]> out(new Bytef[file.expanded]);
  for (auto _ : st) {
    uLongf length = file.expanded;
    const int rc = uncompress(out.get(), &length, reinterpret_cast<const Bytef*>(file.block.constData()),
                              static_cast<uLong>(file.block.size()));
    if (rc != Z_OK) st.SkipWithError("uncompress failed");
    benchmark::DoNotOptimize(out.get());
  }
  st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(file.expanded));
}
BENCHMARK(BM_LoadFloor_ZlibUncompress)->Unit(benchmark::kMillisecond);

// The floor of the reader as it is: libdeflate's one-shot expansion of the
// same block, already in memory, into a buffer allocated once.
void BM_LoadFloor_Libdeflate(benchmark::State& st) {
  const GridFile& file = gridFile();
  std::unique_ptr<Bytef[]> out(new Bytef[file.expanded]);
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  for (auto _ : st) {
    size_t length = 0;
    if (libdeflate_zlib_decompress(d, file.block.constData(), static_cast<size_t>(file.block.size()), out.get(),
                                   file.expanded, &length) != LIBDEFLATE_SUCCESS)
      st.SkipWithError("libdeflate failed");
    benchmark::DoNotOptimize(out.get());
  }
  libdeflate_free_decompressor(d);
  st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(file.expanded));
}
BENCHMARK(BM_LoadFloor_Libdeflate)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
