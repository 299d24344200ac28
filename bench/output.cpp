// SPDX-License-Identifier: MIT
// Speed of the output: the export of every era of the sample region at
// 1920 x 1080 as PNG and as JPEG against its floor (the same compositions and
// encodes done alone, without files), the PNG encode alone at each zlib level
// (time and size), and the print pass of an A4 page at 600 dpi.
//
// The sample region is read from $KAVALO_SAMPLE, else from the build's
// sample folder beside bin/.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "model/ProgramState.h"
#include "output/Export.h"
#include "output/ExportDocuments.h"
#include "output/PictureSave.h"
#include "output/PrintJob.h"
#include "output/PrintLayout.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/ComposeContext.h"
#include "render/ViewComposer.h"

#include <QBuffer>
#include <QImageWriter>

using namespace kavalo;

namespace {

QString sampleRoot() {
  const QString env = qEnvironmentVariable("KAVALO_SAMPLE");
  return env.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../sample") : env;
}

struct SampleView {
  ProgramState state;
  ScriptedPrompts prompts;
  QImage picture;

  SampleView() {
    if (!startProgram(state, sampleRoot(), prompts)) std::abort();
    state.datasetFolder = joinPath(state.rootFolder, QStringLiteral("\\sample"));
    if (LoadDataset(state, prompts) != LoadStatus::Loaded) std::abort();
    const double mm = 25.4 / 96;
    state.mmPerScreenPxX = state.mmPerScreenPxY = mm;
    state.scale = computeScaleFactors(state.mapInfo, mm, mm);
    state.view.viewWidth = 1920;
    state.view.viewHeight = 1080;
    redraw();  // the elevation pieces are rendered once and kept
  }
  ViewRequest request(RenderPass pass = RenderPass::Export) const { return currentViewRequest(state, pass); }
  void redraw() { renderView(state, request(), picture); }
};

SampleView& sample() {
  static SampleView view;
  return view;
}

void BM_Export(benchmark::State& s) {
  SampleView& v = sample();
  QTemporaryDir dir;
  ExportOptions o;
  o.path = dir.path() + QStringLiteral("/bench.kml");
  o.format = ExportFormat::Kml;
  o.jpeg = s.range(0) == 1;
  for (auto _ : s)
    if (!ExportView(v.state, v.request(), o, v.prompts)) std::abort();
  s.counters["eras"] = static_cast<double>(exportEraList(v.state).size());
}

// The floor: each era composed and encoded (the export does the same
// compositions), without writing anything.
void BM_ExportFloor(benchmark::State& s) {
  SampleView& v = sample();
  const bool jpeg = s.range(0) == 1;
  const std::vector<ExportEra> eras = exportEraList(v.state);
  const int shown = v.state.view.eraIndex;
  qint64 bytes = 0;
  for (auto _ : s) {
    for (const ExportEra& e : eras) {
      v.state.view.eraIndex = e.eraIndex;
      v.redraw();
      bytes += encodePicture(v.picture, jpeg).size();
    }
    v.state.view.eraIndex = shown;
  }
  benchmark::DoNotOptimize(bytes);
}

// The compositions alone, for the encode share.
void BM_ComposeEras(benchmark::State& s) {
  SampleView& v = sample();
  const std::vector<ExportEra> eras = exportEraList(v.state);
  const int shown = v.state.view.eraIndex;
  for (auto _ : s) {
    for (const ExportEra& e : eras) {
      v.state.view.eraIndex = e.eraIndex;
      v.redraw();
    }
    v.state.view.eraIndex = shown;
  }
}

// The PNG encode of one era's view at a zlib level (Qt's quality q gives the
// level (100 - q) * 9 / 91): time, and the file size as a counter.
void BM_PngLevel(benchmark::State& s) {
  SampleView& v = sample();
  v.state.view.eraIndex = 4;
  v.redraw();
  const QImage picture = v.picture.copy();
  const int level = static_cast<int>(s.range(0));
  const int quality = 100 - (level * 91 + 8) / 9;
  qint64 size = 0;
  for (auto _ : s) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(quality);
    writer.write(picture);
    size = bytes.size();
  }
  s.counters["kB"] = size / 1024.0;
}

// The print pass of the view onto an A4 sheet at 600 dpi (5 mm margins),
// fitted at 100 %: the page image's composition.
void BM_PrintPassA4(benchmark::State& s) {
  SampleView& v = sample();
  PrinterMetrics m;
  m.dpiX = m.dpiY = 600;
  m.paper = QSizeF(4961, 7016);
  m.printable = QSizeF(4961 - 236, 7016 - 236);
  m.printableMm = m.printable * (25.4 / 600);
  PrintLayout layout;
  layout.PaperSizeSet(m, QSizeF(v.state.viewWidth(), v.state.viewHeight()));
  const PrintPass pass = layout.printPass(v.state.viewWidth());
  qint64 pixels = 0;
  for (auto _ : s) {
    const QImage page = composePrintPage(v.state, v.request(RenderPass::Print), pass.k);
    pixels = page.sizeInBytes();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  s.counters["page_MB"] = pixels / 1048576.0;
  s.counters["peak_RSS_MB"] = usage.ru_maxrss / 1024.0;
}

// The whole print pass into a PDF file (the PDF entry, 300 dpi) on a sheet
// (0 A4, 1 A3, 2 A0), the map fitted at 100 %: time, and the growth of the
// resident set over the program's own before the first print. Run one sheet
// per process (--benchmark_filter) for its own peak.
void BM_PrintPdf(benchmark::State& s) {
  SampleView& v = sample();
  const QPageSize::PageSizeId ids[] = {QPageSize::A4, QPageSize::A3, QPageSize::A0};
  QTemporaryDir dir;
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  for (auto _ : s) {
    QPrinter printer(QPrinter::HighResolution);
    selectPrinter(printer, pdfPrinterEntry(), dir.path() + QStringLiteral("/bench.pdf"));
    printer.setPageSize(QPageSize(ids[s.range(0)]));
    PrintLayout layout;
    layout.PaperSizeSet(printerMetrics(printer), QSizeF(v.state.viewWidth(), v.state.viewHeight()));
    const PrintPass pass = layout.printPass(v.state.viewWidth());
    if (!printView(v.state, v.request(RenderPass::Print), printer, pass, v.prompts)) std::abort();
  }
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  s.counters["peak_RSS_MB"] = after.ru_maxrss / 1024.0;
  s.counters["above_own_MB"] = (after.ru_maxrss - before.ru_maxrss) / 1024.0;
}

}  // namespace

BENCHMARK(BM_Export)->Arg(0)->Arg(1)->ArgName("jpeg")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportFloor)->Arg(0)->Arg(1)->ArgName("jpeg")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ComposeEras)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngLevel)->DenseRange(1, 9, 1)->ArgName("level")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PrintPassA4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PrintPdf)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("sheet")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
