// SPDX-License-Identifier: MIT
// Speed of the two ways a tile meets the elevation colours that changed with
// the clean edges: a masked map's tile laid over the background by its
// mask's coverage (against the two bitwise passes it replaces), and an
// elevation piece stretched with its apron of neighbouring cells (against
// the plain stretch that held its edge cells).
//
//   bench_masked
#include <benchmark/benchmark.h>

#include <QImage>

#include <random>

#include "render/RasterOps.h"

using namespace kavalo;

namespace {

QImage noiseTile(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  return image;
}

// A map tile of 370 x 300 with a mask of lines, drawn at zoom z over a
// background of its size there.
struct MaskedCase {
  QImage tile, mask, background;
  QRect dest;
  explicit MaskedCase(int zoom) {
    tile = noiseTile(370, 300, 1);
    mask = QImage(370, 300, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 0; y < 300; y += 7)
      for (int x = 0; x < 370; ++x) mask.setPixel(x, y, 0xFF000000u);
    dest = QRect(0, 0, 370 * zoom / 100 + 1, 300 * zoom / 100 + 1);  // the overlap pixel
    background = noiseTile(dest.width(), dest.height(), 2);
  }
};

void BM_MaskedBitwise(benchmark::State& s) {
  MaskedCase c(static_cast<int>(s.range(0)));
  QImage out = c.background;
  const QRegion clip(out.rect());
  for (auto _ : s) {
    stretchBlt(out, c.dest, c.mask, c.mask.rect(), RasterOp::And, clip);
    stretchBlt(out, c.dest, c.tile, c.tile.rect(), RasterOp::Paint, clip);
    benchmark::DoNotOptimize(out.constBits());
  }
}

void BM_MaskedCoverage(benchmark::State& s) {
  MaskedCase c(static_cast<int>(s.range(0)));
  QImage out = c.background;
  const QRegion clip(out.rect());
  for (auto _ : s) {
    stretchMaskedBlt(out, c.dest, c.tile, c.mask, c.tile.rect(), clip);
    benchmark::DoNotOptimize(out.constBits());
  }
}

// A piece of 30 x 30 cells over a tile's place at 100 % and 200 %.
void BM_PiecePlain(benchmark::State& s) {
  const QImage piece = noiseTile(30, 30, 3);
  QImage out(static_cast<int>(s.range(0)), static_cast<int>(s.range(1)), QImage::Format_RGB32);
  const QRegion clip(out.rect());
  for (auto _ : s) {
    stretchBlt(out, out.rect(), piece, piece.rect(), RasterOp::Copy, clip);
    benchmark::DoNotOptimize(out.constBits());
  }
}

void BM_PieceApron(benchmark::State& s) {
  const QImage apron = noiseTile(32, 32, 3);
  QImage out(static_cast<int>(s.range(0)), static_cast<int>(s.range(1)), QImage::Format_RGB32);
  const QRegion clip(out.rect());
  for (auto _ : s) {
    stretchBltWithApron(out, out.rect(), apron, QRect(1, 1, 30, 30), RasterOp::Copy, clip);
    benchmark::DoNotOptimize(out.constBits());
  }
}

}  // namespace

BENCHMARK(BM_MaskedBitwise)->Arg(100)->Arg(200)->ArgName("zoom")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MaskedCoverage)->Arg(100)->Arg(200)->ArgName("zoom")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PiecePlain)->Args({346, 281})->Args({691, 561})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PieceApron)->Args({346, 281})->Args({691, 561})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
