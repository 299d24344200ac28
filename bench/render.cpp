// SPDX-License-Identifier: MIT
// Speed of the map view on a large region: a full redraw of a 1920 x 1080
// view at 50 %, 100 % and 200 % with the elevation colouring on and off, the
// step of a drag (the uncovered strips, then the snapshot moved onto the
// picture), and as the floor the reading and decoding of the PNG tiles the
// full redraw needs.
//
// The region (20 x 20 sheets of 5 x 5 tiles of 370 x 300 pixels, an
// elevation grid of 30 x 30 cells per tile) is generated once into
// $KAVALO_BENCH_ROOT or the temporary folder; the tiles are a dozen distinct
// map-like PNG files hard-linked under every tile name.
#include <benchmark/benchmark.h>

#include <zlib.h>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "geo/TileGeometry.h"
#include "model/ProgramState.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "render/RasterOps.h"
#include "render/Tiles.h"
#include "render/ViewComposer.h"

using namespace kavalo;

namespace {

constexpr int kSheets = 20;
constexpr int kTilesPerSheet = 5;
constexpr int kTileW = 370;
constexpr int kTileH = 300;
constexpr int kCellsPerTile = 30;
constexpr int kDistinctTiles = 12;
constexpr int kViewW = 1920;
constexpr int kViewH = 1080;

void writeText(const QString& path, const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  f.write(toSjis(crlf));
}

// A tile drawn like a map: paper, contour lines, roads, buildings and
// lettering, antialiased. A scanned tile also has the grain of the paper and
// the scanner's noise (a small random change of every channel), which makes
// it decode about as slowly as real scanned sheets.
QImage mapLikeTile(int seed, bool scanned = false) {
  std::mt19937 rng(static_cast<unsigned>(seed));
  QImage image(kTileW, kTileH, QImage::Format_RGB32);
  image.fill(QColor(250, 248, 240));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(170, 110, 60), 1.0));
  for (int c = 0; c < 14; ++c) {
    QPainterPath path;
    double y = rng() % kTileH;
    path.moveTo(-5, y);
    for (int x = 0; x <= kTileW + 20; x += 20) {
      y += static_cast<int>(rng() % 21) - 10;
      path.lineTo(x, y);
    }
    p.drawPath(path);
  }
  p.setPen(QPen(QColor(20, 20, 20), 2.0));
  for (int r = 0; r < 4; ++r) p.drawLine(rng() % kTileW, rng() % kTileH, rng() % kTileW, rng() % kTileH);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40));
  for (int b = 0; b < 40; ++b) p.drawRect(rng() % kTileW, rng() % kTileH, 3 + rng() % 5, 3 + rng() % 5);
  p.setPen(QColor(10, 10, 10));
  p.setFont(QFont(QStringLiteral("IPAGothic"), 9));
  const QString names[] = {QStringLiteral("山田"), QStringLiteral("川口村"), QStringLiteral("大沢"),
                           QStringLiteral("峠")};
  for (int t = 0; t < 6; ++t) p.drawText(rng() % (kTileW - 40), 10 + rng() % (kTileH - 10), names[rng() % 4]);
  p.end();
  if (scanned) {
    for (int y = 0; y < kTileH; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < kTileW; ++x) {
        auto grain = [&](int c) { return std::clamp(c + static_cast<int>(rng() % 5) - 2, 0, 255); };
        line[x] = qRgb(grain(qRed(line[x])), grain(qGreen(line[x])), grain(qBlue(line[x])));
      }
    }
  }
  return image;
}

void writeAltitude(const QString& path) {
  const int columns = kSheets * kTilesPerSheet * kCellsPerTile;
  const int rows = columns;
  std::vector<int32_t> cells(static_cast<size_t>(columns) * rows);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x) {
      const double v =
          4000.0 + 3000.0 * std::sin(x * 0.004) * std::cos(y * 0.003) + 800.0 * std::sin(x * 0.03 + y * 0.02);
      cells[static_cast<size_t>(y) * columns + x] = x + y < 300 ? -9999 : static_cast<int32_t>(std::max(0.0, v));
    }
  QByteArray raw(static_cast<qsizetype>(cells.size() * 4), '\0');
  for (size_t i = 0; i < cells.size(); ++i) qToLittleEndian<int32_t>(cells[i], raw.data() + 4 * i);
  uLongf length = compressBound(static_cast<uLong>(raw.size()));
  QByteArray block(static_cast<qsizetype>(length), '\0');
  compress2(reinterpret_cast<Bytef*>(block.data()), &length, reinterpret_cast<const Bytef*>(raw.constData()),
            static_cast<uLong>(raw.size()), 1);
  block.resize(static_cast<qsizetype>(length));
  QByteArray data(24, '\0');
  const int32_t header[6] = {columns, rows, 0, 80000, 100, static_cast<int32_t>(block.size())};
  for (int i = 0; i < 6; ++i) qToLittleEndian<int32_t>(header[i], data.data() + 4 * i);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  f.write(data + block);
}

// The region with drawn tiles (kind 0) or scanned-looking tiles (kind 1).
QString benchRoot(int kind) {
  QString root = qEnvironmentVariable("KAVALO_BENCH_ROOT");
  if (root.isEmpty()) root = QDir::tempPath() + QStringLiteral("/kavalo-bench-render");
  if (kind == 1) root += QStringLiteral("-scanned");
  const QString done = root + QStringLiteral("/.complete");
  if (QFile::exists(done)) return root;

  std::fprintf(stderr, "generating the bench region in %s ...\n", qPrintable(root));
  QDir(root).removeRecursively();
  const QString data = root + QStringLiteral("/region");
  QDir().mkpath(data + QStringLiteral("/E1980"));
  writeText(root + QStringLiteral("/dataset.txt"), QStringLiteral("1\n試験地域,region\n"));
  const int size = kSheets * kTilesPerSheet;
  writeText(data + QStringLiteral("/mapinfo.txt"),
            QStringLiteral("タイトル=試験地域\n画像幅=%1\n画像高さ=%2\n横方向地形図数=%3\n縦方向地形図数=%3\n"
                           "地形図１枚あたり横方向画像数=%4\n地形図１枚あたり縦方向画像数=%4\nスケール単位=km\n"
                           "旧図郭=0,0\n日本測地系図郭=0,0\n世界測地系図郭=0,0\n西端経度=138.0\n北端緯度=37.0\n"
                           "承認=試験\n初期表示位置X=%5\n初期表示位置Y=%6\n初期表示ズーム=100\n初期時期=0\n")
                .arg(kTileW)
                .arg(kTileH)
                .arg(kSheets)
                .arg(kTilesPerSheet)
                .arg(size * kTileW / 2)
                .arg(size * kTileH / 2));
  writeText(data + QStringLiteral("/map_tikeizu_info.txt"), QStringLiteral("1\nE1980,0,1980,1985,0,1,0,png\n"));
  QString history;
  for (int row = 0; row < kSheets; ++row) {
    QStringList names, editions;
    for (int col = 0; col < kSheets; ++col) {
      names << QStringLiteral("図%1").arg(col) << QString();
      editions << QStringLiteral("版") << QStringLiteral("発行");
    }
    history += names.join(u',') + u'\n' + editions.join(u',') + u'\n';
  }
  writeText(data + QStringLiteral("/図歴.csv"), history);
  writeAltitude(data + QStringLiteral("/altitude.dat"));

  const QString sources = root + QStringLiteral("/sources");
  QDir().mkpath(sources);
  for (int i = 0; i < kDistinctTiles; ++i)
    if (!DIBtoPNG(sources + QStringLiteral("/%1.png").arg(i), mapLikeTile(i, kind == 1))) std::abort();
  for (int row = 0; row < size; ++row)
    for (int col = 0; col < size; ++col) {
      const QByteArray from =
          QFile::encodeName(sources + QStringLiteral("/%1.png").arg((row * 7 + col * 3) % kDistinctTiles));
      const QByteArray to =
          QFile::encodeName(data + QStringLiteral("/E1980/") + TileName(col, row, QStringLiteral("png")));
      if (::link(from.constData(), to.constData()) != 0) std::abort();
    }
  writeText(done, QStringLiteral("1\n"));
  return root;
}

struct BenchView {
  ProgramState state;
  ScriptedPrompts prompts;
  QImage picture;
  QImage snapshot;

  BenchView(int zoom, bool altitude, int kind = 0) {
    if (!startProgram(state, benchRoot(kind), prompts)) std::abort();
    state.datasetFolder = joinPath(state.rootFolder, QStringLiteral("\\region"));
    if (LoadDataset(state, prompts) != LoadStatus::Loaded) std::abort();
    state.view.viewWidth = kViewW;
    state.view.viewHeight = kViewH;
    state.view.zoomPercent = zoom;
    state.view.showAltitude = altitude;
    // The first redraw renders the elevation pieces, which are kept.
    redraw();
  }

  // A full redraw as the window makes it: the snapshot for a drag is kept.
  void redraw() { renderView(state, currentViewRequest(state, RenderPass::Screen), picture, nullptr, &snapshot); }

  // The tile files a full redraw of this view loads.
  QStringList tilePaths() const {
    const MapInfo& m = state.mapInfo;
    const TileRange r = VisibleTileRange(state.viewport(), m.frame[0].x, m.frame[0].y);
    QStringList paths;
    for (int row = r.firstRow; row <= r.lastRow; ++row)
      for (int col = r.firstCol; col <= r.lastCol; ++col) {
        if (col < 0 || row < 0 || col >= m.totalCols || row >= m.totalRows) continue;
        const auto tile = ResolveTile(state, state.view.eraIndex, col, row);
        if (tile) paths << TilePath(state, tile->sourceEra, tile->fileName);
      }
    return paths;
  }
};

void BM_FullRedraw(benchmark::State& s) {
  BenchView v(static_cast<int>(s.range(0)), s.range(1) != 0, static_cast<int>(s.range(2)));
  for (auto _ : s) {
    v.redraw();
    benchmark::DoNotOptimize(v.picture.constBits());
  }
  s.counters["tiles"] = static_cast<double>(v.tilePaths().size());
}

// The parts without the tiles: the background and the snapshot.
void BM_NoTiles(benchmark::State& s) {
  BenchView v(static_cast<int>(s.range(0)), s.range(1) != 0);
  v.state.view.showTiles = false;
  for (auto _ : s) {
    v.redraw();
    benchmark::DoNotOptimize(v.picture.constBits());
  }
}

void BM_DecodeOnly(benchmark::State& s) {
  BenchView v(static_cast<int>(s.range(0)), false, static_cast<int>(s.range(1)));
  const QStringList paths = v.tilePaths();
  for (auto _ : s) {
    for (const QString& path : paths) {
      QImage image = PNGtoDIB(path);
      benchmark::DoNotOptimize(image.constBits());
    }
  }
  s.counters["tiles"] = static_cast<double>(paths.size());
}

// One step of a drag: the strips the offset uncovers, composed at the moved
// centre, then the snapshot copied onto the picture at the offset.
void dragStep(BenchView& v, int dx, int dy, float pressX, float pressY) {
  ProgramState& st = v.state;
  const Viewport press(&st.mapInfo, st.scale, pressX, pressY, st.view.zoomPercent, kViewW, kViewH);
  st.view.centerX = pressX - press.ScreenToImageDX(dx);
  st.view.centerY = pressY - press.ScreenToImageDY(dy);
  ViewRequest request = currentViewRequest(st, RenderPass::Drag);
  request.dragOffset = QPoint(dx, dy);
  renderView(st, request, v.picture);
  copyImage(v.picture, QPoint(dx, dy), v.snapshot, QRegion(v.picture.rect()));
}

void BM_DragStep(benchmark::State& s) {
  BenchView v(static_cast<int>(s.range(0)), true);
  const float pressX = v.state.view.centerX, pressY = v.state.view.centerY;
  int step = 0;
  for (auto _ : s) {
    // A hand moving to and fro, a few pixels per mouse move.
    const int phase = step++ % 80;
    const int t = phase < 40 ? phase : 80 - phase;
    dragStep(v, 6 * t - 120, 4 * t - 80, pressX, pressY);
    benchmark::DoNotOptimize(v.picture.constBits());
  }
}

}  // namespace

// tiles: 0 drawn, 1 scanned-looking.
BENCHMARK(BM_DecodeOnly)
    ->ArgsProduct({{50, 100, 200}, {0, 1}})
    ->ArgNames({"zoom", "tiles"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FullRedraw)
    ->ArgsProduct({{50, 100, 200}, {0, 1}, {0, 1}})
    ->ArgNames({"zoom", "altitude", "tiles"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_NoTiles)
    ->ArgsProduct({{50, 100, 200}, {0, 1}})
    ->ArgNames({"zoom", "altitude"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DragStep)->Arg(50)->Arg(100)->Arg(200)->ArgName("zoom")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

namespace {
// The stretch alone: a tile shrunk to its size at 100 % (and enlarged to
// 200 %), and an elevation piece enlarged over a tile.
void BM_Stretch(benchmark::State& s) {
  const int sw = static_cast<int>(s.range(0)), sh = static_cast<int>(s.range(1));
  const int dw = static_cast<int>(s.range(2)), dh = static_cast<int>(s.range(3));
  QImage src = mapLikeTile(1).scaled(sw, sh);
  QImage dst(dw, dh, QImage::Format_RGB32);
  dst.fill(Qt::white);
  const QRegion clip(dst.rect());
  for (auto _ : s) {
    stretchBlt(dst, dst.rect(), src, src.rect(), RasterOp::And, clip);
    benchmark::DoNotOptimize(dst.constBits());
  }
  s.counters["ns/px"] = benchmark::Counter(static_cast<double>(dw) * dh,
                                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
}  // namespace
BENCHMARK(BM_Stretch)
    ->Args({370, 300, 346, 281})
    ->Args({370, 300, 691, 561})
    ->Args({370, 300, 173, 141})
    ->Args({30, 30, 346, 281})
    ->Unit(benchmark::kMicrosecond);
