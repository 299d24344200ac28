// SPDX-License-Identifier: MIT
// Import of a large scan: a 20,000 x 15,000 GeoTIFF in UTM zone 53 (made
// here with GDAL, kept in $KAVALO_BENCH_SCAN or the temporary folder between
// runs) imported into a copy of the sample region by `kavalo-cli import`,
// against the floor: `gdalwarp` of the same scan into one image of the
// region's extent and resolution. Then the same scan placed by 20 control
// points (`kavalo-cli georef`, thin-plate spline and second-order
// polynomial) against `gdalwarp -tps` and `-order 2` of a copy carrying the
// same points, onto the same grid. Each run is a child process; its wall time
// and peak memory (maximum resident set) are printed. The map import is also
// run against `gdalwarp -multi -wo NUM_THREADS=ALL_CPUS`, interleaved
// KAVALO_BENCH_RUNS times (default 1), and the ratio of the medians printed;
// KAVALO_BENCH_MULTI_ONLY=1 stops after that.
#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_srs_api.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "model/MapInfo.h"

namespace {

constexpr int kWidth = 20000;
constexpr int kHeight = 15000;

struct Run {
  double seconds = 0;
  long maxRssKiB = 0;
  int status = -1;
};

Run runChild(const QString& program, const QStringList& args) {
  std::vector<QByteArray> bytes;
  bytes.push_back(program.toLocal8Bit());
  for (const QString& a : args) bytes.push_back(a.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& b : bytes) argv.push_back(b.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Run r;
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.maxRssKiB = usage.ru_maxrss;
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// The scan: map-like content (a grid of lines over soft colour fields) so
// that neither the warp nor the encoders meet a flat image.
bool makeScan(const QString& path, double west, double south, double east, double north) {
  GDALAllRegister();
  OGRSpatialReferenceH wgs = OSRNewSpatialReference(nullptr), utm = OSRNewSpatialReference(nullptr);
  OSRImportFromEPSG(wgs, 4326);
  OSRImportFromEPSG(utm, 32653);
  OSRSetAxisMappingStrategy(wgs, OAMS_TRADITIONAL_GIS_ORDER);
  OSRSetAxisMappingStrategy(utm, OAMS_TRADITIONAL_GIS_ORDER);
  OGRCoordinateTransformationH t = OCTNewCoordinateTransformation(wgs, utm);
  double xs[4] = {west, east, east, west}, ys[4] = {north, north, south, south};
  if (!t || !OCTTransform(t, 4, xs, ys, nullptr)) return false;
  double x0 = xs[0], x1 = xs[0], y0 = ys[0], y1 = ys[0];
  for (int i = 1; i < 4; ++i) {
    x0 = std::min(x0, xs[i]);
    x1 = std::max(x1, xs[i]);
    y0 = std::min(y0, ys[i]);
    y1 = std::max(y1, ys[i]);
  }
  // A margin around the region, as a scanned sheet has.
  const double mx = (x1 - x0) * 0.03, my = (y1 - y0) * 0.03;
  x0 -= mx, x1 += mx, y0 -= my, y1 += my;
  GDALDatasetH ds =
      GDALCreate(GDALGetDriverByName("GTiff"), path.toUtf8().constData(), kWidth, kHeight, 3, GDT_Byte, nullptr);
  if (!ds) return false;
  double gt[6] = {x0, (x1 - x0) / kWidth, 0, y1, 0, -(y1 - y0) / kHeight};
  GDALSetGeoTransform(ds, gt);
  char* wkt = nullptr;
  OSRExportToWkt(utm, &wkt);
  GDALSetProjection(ds, wkt);
  CPLFree(wkt);
  std::vector<uint8_t> row(static_cast<size_t>(kWidth) * 3);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool line = x % 400 < 3 || y % 400 < 3 || (x + y) % 1500 < 2;
      uint8_t* p = &row[static_cast<size_t>(x) * 3];
      p[0] = line ? 40 : static_cast<uint8_t>(200 + (x / 1000 + y / 700) % 50);
      p[1] = line ? 40 : static_cast<uint8_t>(190 + (x / 800) % 60);
      p[2] = line ? 40 : static_cast<uint8_t>(170 + (y / 900) % 80);
    }
    if (GDALDatasetRasterIO(ds, GF_Write, 0, y, kWidth, 1, row.data(), kWidth, 1, GDT_Byte, 3, nullptr, 3,
                            static_cast<GSpacing>(row.size()), 1) != CE_None)
      return false;
  }
  GDALClose(ds);
  OCTDestroyCoordinateTransformation(t);
  OSRDestroySpatialReference(wgs);
  OSRDestroySpatialReference(utm);
  return true;
}

bool copyFolder(const QString& from, const QString& to) {
  QDir().mkpath(to);
  for (const QFileInfo& e : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
    const QString target = to + u'/' + e.fileName();
    if (e.isDir() ? !copyFolder(e.filePath(), target) : !QFile::copy(e.filePath(), target)) return false;
  }
  return true;
}

// The control points: a 5 x 4 grid of the scan with its own UTM places,
// each nudged a little so that the spline and the polynomial have something
// to bend.
struct Points {
  QStringList gdalArgs;  // -gcp px py x y ...
  QByteArray file;       // the desktop GIS points file
};

Points controlPoints(const QString& scan) {
  Points p;
  GDALAllRegister();
  GDALDatasetH ds = GDALOpen(scan.toUtf8().constData(), GA_ReadOnly);
  if (!ds) return p;
  double gt[6];
  GDALGetGeoTransform(ds, gt);
  OGRSpatialReferenceH utm = OSRNewSpatialReference(nullptr);
  OSRImportFromEPSG(utm, 32653);
  char* wkt = nullptr;
  OSRExportToWkt(utm, &wkt);
  p.file = QByteArray("#CRS: ") + wkt + "\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n";
  CPLFree(wkt);
  OSRDestroySpatialReference(utm);
  GDALClose(ds);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 5; ++i) {
      const double px = 1000 + (kWidth - 2000) * i / 4.0, py = 1000 + (kHeight - 2000) * j / 3.0;
      const double x = gt[0] + px * gt[1] + py * gt[2] + ((i + j) % 3 - 1) * 20.0;
      const double y = gt[3] + px * gt[4] + py * gt[5] + ((i * j) % 3 - 1) * 15.0;
      p.gdalArgs << QStringLiteral("-gcp") << QString::number(px, 'f', 3) << QString::number(py, 'f', 3)
                 << QString::number(x, 'f', 3) << QString::number(y, 'f', 3);
      p.file += QStringLiteral("%1,%2,%3,%4,1,0,0,0\n")
                    .arg(x, 0, 'f', 3)
                    .arg(y, 0, 'f', 3)
                    .arg(px, 0, 'f', 3)
                    .arg(-py, 0, 'f', 3)
                    .toUtf8();
    }
  return p;
}

int georefRuns(const QString& scan, const QString& root, const QTemporaryDir& work, const QString& bin,
               const QString& gdalwarp, QStringList floorArgs) {
  const Points points = controlPoints(scan);
  if (points.gdalArgs.isEmpty()) return 1;
  const QString pointsFile = work.filePath(QStringLiteral("scan.points"));
  QFile out(pointsFile);
  if (!out.open(QIODevice::WriteOnly) || out.write(points.file) != points.file.size()) return 1;
  out.close();
  const QString vrt = work.filePath(QStringLiteral("gcps.vrt"));
  const QString translate = QStandardPaths::findExecutable(QStringLiteral("gdal_translate"));
  QStringList vrtArgs = {QStringLiteral("-q"), QStringLiteral("-of"), QStringLiteral("VRT"), QStringLiteral("-a_srs"),
                         QStringLiteral("EPSG:32653")};
  vrtArgs << points.gdalArgs << scan << vrt;
  if (runChild(translate, vrtArgs).status != 0) return 1;
  floorArgs[floorArgs.size() - 2] = vrt;
  const struct {
    const char* transform;
    QStringList gdalOption;
  } cases[] = {{"tps", {QStringLiteral("-tps")}}, {"poly2", {QStringLiteral("-order"), QStringLiteral("2")}}};
  for (const auto& c : cases) {
    const QStringList args = c.gdalOption + floorArgs;
    const Run floor = runChild(gdalwarp, args);
    std::printf("floor (%s): gdalwarp %s\n", c.transform, args.join(u' ').toUtf8().constData());
    std::printf("  %.2f s, peak %ld MiB, status %d\n", floor.seconds, floor.maxRssKiB / 1024, floor.status);
    const QStringList georef = {QStringLiteral("georef"),
                                QStringLiteral("--root"),
                                root,
                                QStringLiteral("--file"),
                                scan,
                                QStringLiteral("--points"),
                                pointsFile,
                                QStringLiteral("--transform"),
                                QString::fromLatin1(c.transform),
                                QStringLiteral("--year"),
                                QStringLiteral("1925"),
                                QStringLiteral("--credit"),
                                QStringLiteral("bench")};
    const Run ours = runChild(bin + QStringLiteral("/kavalo-cli"), georef);
    std::printf("georef (%s): kavalo-cli %s\n", c.transform, georef.join(u' ').toUtf8().constData());
    std::printf("  %.2f s, peak %ld MiB, status %d, %.2f x the floor's time\n", ours.seconds, ours.maxRssKiB / 1024,
                ours.status, ours.seconds / floor.seconds);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString sample = qEnvironmentVariable("KAVALO_SAMPLE", QStringLiteral(KAVALO_SAMPLE_DIR));
  kavalo::MapInfo info;
  QString error;
  if (!kavalo::readMapInfo(sample + QStringLiteral("/sample/mapinfo.txt"), info, &error) ||
      !kavalo::deriveGrid(info, &error)) {
    std::fprintf(stderr, "cannot read the sample region: %s\n", error.toUtf8().constData());
    return 1;
  }
  // The region's tiles of the world-datum frame: west and north are where
  // the grid begins, in world-datum degrees.
  const double west = info.west, north = info.north;
  const double east = west + info.sheetsX * 0.125, south = north - info.sheetsY * 0.08333333;
  const int width = info.totalCols * info.tileWidth, height = info.totalRows * info.tileHeight;

  const QString scan =
      qEnvironmentVariable("KAVALO_BENCH_SCAN", QDir::temp().filePath(QStringLiteral("kavalo-bench-scan.tif")));
  if (!QFileInfo::exists(scan)) {
    std::fprintf(stderr, "making %s (%d x %d, UTM zone 53)...\n", scan.toUtf8().constData(), kWidth, kHeight);
    // In a child of its own: the runs below are forked from this process,
    // and what GDAL held while writing would count in their peak memory.
    const pid_t maker = fork();
    if (maker == 0) _exit(makeScan(scan, west, south, east, north) ? 0 : 1);
    int status = 0;
    waitpid(maker, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      QFile::remove(scan);
      std::fprintf(stderr, "cannot make the scan\n");
      return 1;
    }
  }
  QTemporaryDir work;
  const QString root = work.filePath(QStringLiteral("region"));
  if (!copyFolder(sample, root)) return 1;
  const QString bin = QCoreApplication::applicationDirPath();
  const QString gdalwarp = QStandardPaths::findExecutable(QStringLiteral("gdalwarp"));
  if (gdalwarp.isEmpty()) {
    std::fprintf(stderr, "gdalwarp (gdal-bin) is needed\n");
    return 1;
  }
  // Read the scan once so both start from the same page cache.
  runChild(QStringLiteral("/usr/bin/dd"), {QStringLiteral("if=") + scan, QStringLiteral("of=/dev/null"),
                                           QStringLiteral("bs=4M"), QStringLiteral("status=none")});

  const QStringList floorArgs = {QStringLiteral("-q"),
                                 QStringLiteral("-overwrite"),
                                 QStringLiteral("-r"),
                                 QStringLiteral("bilinear"),
                                 QStringLiteral("-t_srs"),
                                 QStringLiteral("EPSG:4326"),
                                 QStringLiteral("-te"),
                                 QString::number(west, 'f', 8),
                                 QString::number(south, 'f', 8),
                                 QString::number(east, 'f', 8),
                                 QString::number(north, 'f', 8),
                                 QStringLiteral("-ts"),
                                 QString::number(width),
                                 QString::number(height),
                                 scan,
                                 work.filePath(QStringLiteral("floor.tif"))};
  const Run floor = runChild(gdalwarp, floorArgs);
  std::printf("floor: gdalwarp %s\n", floorArgs.join(u' ').toUtf8().constData());
  std::printf("  %.2f s, peak %ld MiB, status %d\n", floor.seconds, floor.maxRssKiB / 1024, floor.status);
  // The stronger floor: GDAL's warper on every core (a thread that reads
  // while others compute, and the computing split over all of them). Runs
  // interleaved with the map import, the median of each is compared.
  const QStringList multiArgs =
      QStringList{QStringLiteral("-multi"), QStringLiteral("-wo"), QStringLiteral("NUM_THREADS=ALL_CPUS")} + floorArgs;
  const int runs = std::max(1, qEnvironmentVariableIntValue("KAVALO_BENCH_RUNS"));
  std::vector<double> multiTimes, importTimes;
  long multiPeak = 0, importPeak = 0;
  const QStringList mapImport = {QStringLiteral("import"),
                                 QStringLiteral("--root"),
                                 root,
                                 QStringLiteral("--file"),
                                 scan,
                                 QStringLiteral("--year"),
                                 QStringLiteral("1926"),
                                 QStringLiteral("--credit"),
                                 QStringLiteral("bench")};
  for (int i = 0; i < runs; ++i) {
    const Run multi = runChild(gdalwarp, multiArgs);
    const Run import = runChild(bin + QStringLiteral("/kavalo-cli"), mapImport);
    if (multi.status != 0 || import.status != 0) {
      std::fprintf(stderr, "gdalwarp -multi (%d) or kavalo-cli import (%d) failed\n", multi.status, import.status);
      return 1;
    }
    multiTimes.push_back(multi.seconds);
    importTimes.push_back(import.seconds);
    multiPeak = std::max(multiPeak, multi.maxRssKiB);
    importPeak = std::max(importPeak, import.maxRssKiB);
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("floor (all cores): gdalwarp %s\n", multiArgs.join(u' ').toUtf8().constData());
  std::printf("  median of %d: %.2f s, peak %ld MiB\n", runs, median(multiTimes), multiPeak / 1024);
  std::printf("import (map), interleaved with it: median %.2f s, peak %ld MiB\n", median(importTimes),
              importPeak / 1024);
  std::printf("  ratio import / gdalwarp -multi: %.2f (goal 1.00), peak %s 512 MiB\n",
              median(importTimes) / median(multiTimes), importPeak / 1024 < 512 ? "under" : "NOT under");
  if (qEnvironmentVariableIsSet("KAVALO_BENCH_MULTI_ONLY")) return 0;
  for (const char* kind : {"map", "photo"}) {
    const QStringList args = {QStringLiteral("import"),
                              QStringLiteral("--root"),
                              root,
                              QStringLiteral("--file"),
                              scan,
                              QStringLiteral("--year"),
                              QStringLiteral("1925"),
                              QStringLiteral("--credit"),
                              QStringLiteral("bench"),
                              QStringLiteral("--kind"),
                              QString::fromLatin1(kind)};
    const Run import = runChild(bin + QStringLiteral("/kavalo-cli"), args);
    std::printf("import (%s): kavalo-cli %s\n", kind, args.join(u' ').toUtf8().constData());
    std::printf("  %.2f s, peak %ld MiB, status %d, %.2f x the floor's time\n", import.seconds, import.maxRssKiB / 1024,
                import.status, import.seconds / floor.seconds);
  }
  return georefRuns(scan, root, work, bin, gdalwarp, floorArgs);
}
