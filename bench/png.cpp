// SPDX-License-Identifier: MIT
// PNG encoding of a rendered view: size against time, to choose the setting
// of headless renders.
//
//   build/bin/kavalo-cli render --root REGION --size 1920x1080 --layers tiles -o /tmp/view.png
//   build/bin/bench_png --image=/tmp/view.png
//
// Each benchmark reports the file's size (bytes) beside its time: the
// program's usual encoder at its default setting and at its fastest
// compressing setting, and the fast encoder at several deflate levels.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <cstdio>
#include <cstring>

#include "render/ImageLibrary.h"

using namespace kavalo;

namespace {

QImage& picture() {
  static QImage image;
  return image;
}

void report(benchmark::State& st, qsizetype bytes) {
  st.counters["bytes"] = static_cast<double>(bytes);
  st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(picture().sizeInBytes()));
}

void BM_UsualEncoder(benchmark::State& st) {
  qsizetype size = 0;
  for (auto _ : st) size = encodePng(picture()).size();
  report(st, size);
}
BENCHMARK(BM_UsualEncoder)->Unit(benchmark::kMillisecond);

// The usual encoder at quality 80: deflate level 1 (higher qualities store).
void BM_UsualEncoderFastest(benchmark::State& st) {
  qsizetype size = 0;
  for (auto _ : st) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(80);
    writer.write(picture());
    size = bytes.size();
  }
  report(st, size);
}
BENCHMARK(BM_UsualEncoderFastest)->Unit(benchmark::kMillisecond);

void BM_FastEncoder(benchmark::State& st) {
  qsizetype size = 0;
  for (auto _ : st) size = encodePngFast(picture(), static_cast<int>(st.range(0))).size();
  report(st, size);
}
BENCHMARK(BM_FastEncoder)
    ->ArgName("level")
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Arg(6)
    ->Arg(9)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QString path;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--image=", 8) == 0) path = QString::fromLocal8Bit(argv[i] + 8);
  }
  picture() = toOpaqueRgb32(QImage(path));
  if (picture().isNull()) {
    std::fprintf(stderr,
                 "usage: bench_png --image=VIEW.png [benchmark options] (a view written by kavalo-cli render)\n");
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
