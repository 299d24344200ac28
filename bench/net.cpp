// SPDX-License-Identifier: MIT
// Downloads and unpacking against a server on 127.0.0.1.
//
// BM_PackagesKavalo: 20 packages of 25 tiles each, fetched one by one through
// the package download (DownloadPackage) and unpacked (UnZip), each zip
// removed afterwards. BM_PackagesCurlUnzipFloor: the same packages fetched by
// curl and unpacked by unzip -o, the floor to compare with. BM_OnDemandTiles:
// 20 tiles missing on disk fetched through the online tile source, the
// path every tile of a redraw takes; items per second give the time per tile.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <zip.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdlib>
#include <thread>

#include "model/ProgramState.h"
#include "net/OnlineMode.h"
#include "net/PackageDownload.h"
#include "net/TileDownloads.h"
#include "net/Unzip.h"
#include "platform/Prompts.h"
#include "render/Tiles.h"

using namespace kavalo;

namespace {

constexpr int kPackages = 20;
constexpr int kTilesPerPackage = 25;

QByteArray noisyPng(int seed) {
  QImage image(256, 256, QImage::Format_RGB32);
  QRandomGenerator random(static_cast<quint32>(seed));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int v = ((x / 8 + y / 8 + seed) % 7) * 30 + static_cast<int>(random.bounded(24));
      image.setPixel(x, y, qRgb(v, 255 - v, (v * 3) & 255));
    }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

struct Fixture {
  QTemporaryDir dir;
  httplib::Server http;
  std::thread thread;
  int port = 0;
  std::vector<std::string> packages;
  std::vector<QByteArray> tiles;

  Fixture() {
    for (int t = 0; t < kTilesPerPackage; ++t) tiles.push_back(noisyPng(t));
    for (int p = 0; p < kPackages; ++p) {
      const QString path = dir.path() + QStringLiteral("/build.zip");
      int code = 0;
      zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
      for (int t = 0; t < kTilesPerPackage; ++t) {
        const QByteArray name =
            QStringLiteral("%1_%2.png").arg(t, 3, 10, QChar('0')).arg(p, 3, 10, QChar('0')).toLatin1();
        zip_source_t* src = zip_source_buffer(z, tiles[static_cast<size_t>(t)].constData(),
                                              static_cast<zip_uint64_t>(tiles[static_cast<size_t>(t)].size()), 0);
        const zip_int64_t i = zip_file_add(z, name.constData(), src, ZIP_FL_ENC_CP437);
        zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
      }
      zip_close(z);
      QFile f(path);
      f.open(QIODevice::ReadOnly);
      packages.push_back(f.readAll().toStdString());
    }
    http.Get(R"(/m/b/E/(\d\d)\.zip)", [this](const httplib::Request& req, httplib::Response& res) {
      const size_t k = std::stoul(req.matches[1]);
      if (k >= packages.size()) {
        res.status = 404;
        return;
      }
      res.set_content(packages[k], "application/zip");
    });
    http.Get(R"(/kavalo/b/E/(\d\d\d)_000\.png)", [this](const httplib::Request& req, httplib::Response& res) {
      res.set_content(tiles[std::stoul(req.matches[1]) % tiles.size()].toStdString(), "image/png");
    });
    port = http.bind_to_any_port("127.0.0.1");
    thread = std::thread([this] { http.listen_after_bind(); });
    while (!http.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~Fixture() {
    http.stop();
    thread.join();
  }
  QString origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_PackagesKavalo(benchmark::State& st) {
  Fixture& f = fixture();
  const std::vector<DownloadServer> servers = {{f.origin() + QStringLiteral("/m/"), {QStringLiteral("b")}}};
  for (auto _ : st) {
    QTemporaryDir era;
    int cursor = 0;
    for (int k = 0; k < kPackages; ++k) {
      const QString local = era.path() + u'/' + PackageName(k);
      if (!DownloadPackage(servers, QStringLiteral("b"), QStringLiteral("E/") + PackageName(k), local, cursor) ||
          UnZip(local, era.path()) != 0)
        st.SkipWithError("package failed");
      QFile::remove(local);
    }
  }
  st.SetItemsProcessed(st.iterations() * kPackages);
}
BENCHMARK(BM_PackagesKavalo)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_PackagesCurlUnzipFloor(benchmark::State& st) {
  Fixture& f = fixture();
  for (auto _ : st) {
    QTemporaryDir era;
    const QString script = QStringLiteral(
                               "cd '%1' && for k in $(seq -w 0 %2); do curl -sf -o $k.zip %3/m/b/E/$k.zip && "
                               "unzip -o -q $k.zip && rm $k.zip || exit 1; done")
                               .arg(era.path())
                               .arg(kPackages - 1)
                               .arg(f.origin());
    if (std::system(script.toLocal8Bit().constData()) != 0) st.SkipWithError("curl or unzip failed");
  }
  st.SetItemsProcessed(st.iterations() * kPackages);
}
BENCHMARK(BM_PackagesCurlUnzipFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_OnDemandTiles(benchmark::State& st) {
  Fixture& f = fixture();
  QTemporaryDir root;
  QDir().mkpath(root.path() + QStringLiteral("/b/E"));
  ProgramState state;
  state.rootFolder = root.path();
  state.names = FileNameTable::standard(f.origin() + QStringLiteral("/kavalo/"));
  state.dataFolders = {{QStringLiteral("bench"), QStringLiteral("b")}};
  state.datasetFolder = root.path() + QStringLiteral("/b");
  Era era;
  era.name = QStringLiteral("E");
  era.ext = QStringLiteral("png");
  state.eras = {era};
  state.view.loaded = true;
  TileDownloads downloads;
  for (auto _ : st) {
    st.PauseTiming();
    QDir(root.path() + QStringLiteral("/b/E")).removeRecursively();
    QDir().mkpath(root.path() + QStringLiteral("/b/E"));
    state.view.onlineMode = true;
    st.ResumeTiming();
    // One composition's worth: the twenty are asked for, fetched side by
    // side, and waited for.
    downloads.beginView(0);
    for (int c = 0; c < 20; ++c)
      downloads.ensure(state, 0, TileName(c, 0, QStringLiteral("png")), TilePolicy::DiskAndNetwork, 0);
    downloads.endView(0);
    QEventLoop loop;
    QObject::connect(&downloads, &TileDownloads::busyChanged, &loop, [&](bool busy) {
      if (!busy) loop.quit();
    });
    if (downloads.busy()) loop.exec();
    if (downloads.counts().failed > 0) st.SkipWithError("tile failed");
  }
  st.SetItemsProcessed(st.iterations() * 20);
}
BENCHMARK(BM_OnDemandTiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
