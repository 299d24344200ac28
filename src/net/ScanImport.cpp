// SPDX-License-Identifier: MIT
#include "net/ScanImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <mutex>

#include "model/ProgramState.h"
#include "net/AgencyAcquisition.h"
#include "net/XyzTiles.h"
#include "output/ParallelWork.h"
#include "platform/GeoDataLoader.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "render/Tiles.h"

namespace kavalo {

namespace {

// Tiles warped at once along a row: a band of 16 tiles of 370 x 300 pixels is
// some 7 MiB, whatever the width of the region.
constexpr int kBandTiles = 16;
// Threads that warp bands side by side at most: each adds a scan, a band and
// a warp buffer to the memory the import holds.
constexpr size_t kImportThreads = 4;
// More imported eras than this in one data folder is a folder gone wrong.
constexpr int kMaxScanFolders = 1000;
// No real scan is this long on a side (a metre of paper at 1,200 dots per
// inch is some 47,000 pixels); a file that says so is damaged or hostile.
constexpr int kMaxScanSide = 200000;
// The folder an import writes into until its era is whole.
constexpr const char* kUnfinishedSuffix = ".importing";

// What an import that was killed left: its unfinished folder, or (from
// earlier versions, which wrote in place) an empty era folder no list names.
void removeUnfinishedImports(const QString& datasetFolder, const std::vector<ImportedEra>& listed) {
  QDir dir(datasetFolder);
  for (const QString& name : dir.entryList({QStringLiteral("SCAN*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString path = dir.filePath(name);
    if (name.endsWith(QLatin1String(kUnfinishedSuffix))) {
      QDir(path).removeRecursively();
      continue;
    }
    bool named = false;
    for (const ImportedEra& e : listed) named |= e.folder.compare(name, Qt::CaseInsensitive) == 0;
    if (!named && QDir(path).isEmpty()) QDir(dir).rmdir(name);
  }
}

QString scanName(const QString& path) { return QFileInfo(path).fileName(); }

QString statusMessage(ScanStatus status, const QString& name) {
  switch (status) {
    case ScanStatus::Unreadable:
      return QCoreApplication::translate("kavalo::ScanImport", "「%1」を読み込めません。").arg(name);
    case ScanStatus::NotGeoreferenced:
      return QCoreApplication::translate(
                 "kavalo::ScanImport",
                 "「%1」には位置の情報がありません。GeoTIFFか、ワールドファイル付きの画像を選んでください。")
          .arg(name);
    case ScanStatus::NoCrs:
      return QCoreApplication::translate(
                 "kavalo::ScanImport",
                 "「%1」の座標系がわかりません。座標系を書いた.prjか.aux.xmlを画像と同じフォルダに置いてください。")
          .arg(name);
    case ScanStatus::NoTransform:
      return QCoreApplication::translate("kavalo::ScanImport", "「%1」の座標系を世界測地系に変換できません。")
          .arg(name);
    default:
      return QCoreApplication::translate("kavalo::ScanImport", "「%1」を地図に合わせられませんでした。").arg(name);
  }
}

// The region's tiles of the world-datum frame, in world-datum degrees.
struct Box {
  double west, east, south, north;
  bool meets(const Box& o) const { return west < o.east && o.west < east && south < o.north && o.south < north; }
};

Box regionBox(const MapInfo& info) {
  const double left = info.frame[2].x, top = info.frame[2].y;
  const double right = left + static_cast<double>(info.totalCols) * info.tileWidth;
  const double bottom = top + static_cast<double>(info.totalRows) * info.tileHeight;
  return Box{imageToWorldLon(info, left), imageToWorldLon(info, right), imageToWorldLat(info, bottom),
             imageToWorldLat(info, top)};
}

Box boxOf(const LatLonGrid& g) {
  return Box{g.west, g.west + g.lonPerPx * g.width, g.north - g.latPerPx * g.height, g.north};
}

// A tile of the band, laid on white: where the scan has no pixel the tile is
// background. Null when the scan does not reach it at all.
QImage tileOfBand(const QImage& band, int index, int width, int height) {
  const QImage part = band.copy(index * width, 0, width, height);
  bool any = false;
  for (int y = 0; y < height && !any; ++y) {
    const auto* p = reinterpret_cast<const QRgb*>(part.constScanLine(y));
    for (int x = 0; x < width; ++x)
      if (qAlpha(p[x]) != 0) {
        any = true;
        break;
      }
  }
  if (!any) return QImage();
  QImage tile(width, height, QImage::Format_RGB32);
  tile.fill(Qt::white);
  QPainter painter(&tile);
  painter.drawImage(0, 0, part);
  return tile;
}

}  // namespace

LatLonGrid tileRowGrid(const MapInfo& info, int row, int col, int count) {
  const double x0 = info.frame[2].x + static_cast<double>(col) * info.tileWidth;
  const double y0 = info.frame[2].y + static_cast<double>(row) * info.tileHeight;
  LatLonGrid g;
  g.width = count * info.tileWidth;
  g.height = info.tileHeight;
  g.west = imageToWorldLon(info, x0);
  g.north = imageToWorldLat(info, y0);
  g.lonPerPx = (imageToWorldLon(info, x0 + g.width) - g.west) / g.width;
  g.latPerPx = (g.north - imageToWorldLat(info, y0 + g.height)) / g.height;
  return g;
}

QString freeScanFolder(const QString& datasetFolder, const std::vector<Era>& eras) {
  for (int n = 0; n < kMaxScanFolders; ++n) {
    const QString name = QStringLiteral("SCAN%1").arg(n, 2, 10, QChar(u'0'));
    bool used = QFileInfo::exists(joinPath(datasetFolder, u'\\' + name));
    for (const Era& e : eras) used |= e.name.compare(name, Qt::CaseInsensitive) == 0;
    if (!used) return name;
  }
  return QString();
}

QString defaultScanLabel(int year, const QString& scanPath) {
  return QStringLiteral("%1年（%2）").arg(year).arg(QFileInfo(scanPath).completeBaseName());  // stored
}

QString shownScanLabel(const ImportedEra& era) {
  if (era.label != defaultScanLabel(era.year, era.sourceFile)) return era.label;
  return QCoreApplication::translate("kavalo::ScanImport", "%1年（%2）", "the label made for an imported scan")
      .arg(era.year)
      .arg(QFileInfo(era.sourceFile).completeBaseName());
}

ScanCheck checkScan(const QString& scanPath, const MapInfo& info, const GeorefWarp* georef) {
  ScanCheck check;
  const QString name = scanName(scanPath);
  QString error;
  GeoData* geo = geoData(&error);
  if (!geo) {
    check.message = error;
    return check;
  }
  if (!QFileInfo(scanPath).isFile()) {
    check.message = statusMessage(ScanStatus::Unreadable, name);
    return check;
  }
  ScanStatus status = ScanStatus::Failed;
  QString detail;
  std::unique_ptr<ScanSource> scan =
      georef ? geo->openScanWithPoints(scanPath, *georef, status, &detail) : geo->openScan(scanPath, status, &detail);
  if (!scan) {
    qCInfo(lcData) << "cannot open" << scanPath << ":" << detail;
    check.message = statusMessage(status, name);
    return check;
  }
  check.description = scan->description();
  const ScanDescription& d = check.description;
  if (!regionBox(info).meets(Box{d.west, d.east, d.south, d.north})) {
    check.message = QCoreApplication::translate("kavalo::ScanImport", "「%1」はこの地域と重なりません。").arg(name);
    return check;
  }
  check.ok = true;
  return check;
}

ScanImportResult runScanImport(ProgramState& state, const ScanImportRequest& request, const ScanImportContext& ctx) {
  ScanImportResult result;
  const MapInfo& info = state.mapInfo;
  const QString name = scanName(request.scanPath);
  auto fail = [&result](const QString& message) {
    result.message = message;
    return result;
  };
  if (request.year < 1 || request.year > 9999)
    return fail(QCoreApplication::translate("kavalo::ScanImport", "年は1～9999で入力してください。"));
  ImportedEra era;
  era.year = request.year;
  era.map = request.map;
  era.credit = request.credit.trimmed();
  era.label =
      request.label.trimmed().isEmpty() ? defaultScanLabel(request.year, request.scanPath) : request.label.trimmed();
  era.sourceFile = name;
  if (era.credit.isEmpty()) return fail(QCoreApplication::translate("kavalo::ScanImport", "出典を入力してください。"));
  // The file name first: the label defaults to it, and a character the lists
  // cannot keep is the file name's fault then, not the label's.
  const std::pair<QString, QString> texts[] = {
      {QCoreApplication::translate("kavalo::ScanImport", "ファイル名"), era.sourceFile},
      {QCoreApplication::translate("kavalo::ScanImport", "名前"), era.label},
      {QCoreApplication::translate("kavalo::ScanImport", "出典"), era.credit}};
  for (const auto& [what, text] : texts)
    if (const QString why = importedTextProblem(text); !why.isEmpty())
      return fail(
          QCoreApplication::translate("kavalo::ScanImport", "%1に%2", "what of the import, what is wrong with it")
              .arg(what, why));
  std::vector<ImportedEra> listed;
  QString error;
  if (!readImportedEras(state.datasetFolder, listed, &error)) return fail(error);

  // The scan, checked before anything is written.
  const GeorefWarp* georef = request.georef ? &*request.georef : nullptr;
  const ScanCheck check = checkScan(request.scanPath, info, georef);
  if (!check.ok) return fail(check.message);
  GeoData* geo = geoData(&error);
  ScanStatus status = ScanStatus::Failed;
  std::unique_ptr<ScanSource> scan = !geo     ? nullptr
                                     : georef ? geo->openScanWithPoints(request.scanPath, *georef, status, &error)
                                              : geo->openScan(request.scanPath, status, &error);
  if (!scan) return fail(statusMessage(status, name));
  const ScanDescription& d = scan->description();
  const Box scanBox{d.west, d.east, d.south, d.north};

  if (d.width > kMaxScanSide || d.height > kMaxScanSide)
    return fail(QCoreApplication::translate(
                    "kavalo::ScanImport",
                    "「%1」は%2×%3ピクセルと大きすぎます。取り込めるのは一辺%4ピクセルまでのスキャンです。")
                    .arg(name)
                    .arg(d.width)
                    .arg(d.height)
                    .arg(kMaxScanSide));

  removeUnfinishedImports(state.datasetFolder, listed);
  era.folder = freeScanFolder(state.datasetFolder, state.eras);
  if (era.folder.isEmpty())
    return fail(QCoreApplication::translate("kavalo::ScanImport", "取り込んだ時期のフォルダ名が尽きました。"));
  // The tiles go into a folder of their own until the era is whole: a run
  // that is killed leaves no era folder behind, only this one, which the
  // next import clears away.
  const QString finalFolder = joinPath(state.datasetFolder, u'\\' + era.folder);
  const QString folder = finalFolder + QLatin1String(kUnfinishedSuffix);
  QDir(folder).removeRecursively();
  if (!QDir().mkpath(folder))
    return fail(QCoreApplication::translate("kavalo::ScanImport", "フォルダ「%1」を作成できません。").arg(folder));
  auto dropFolder = [&folder, &finalFolder] {
    QDir(folder).removeRecursively();
    QDir(finalFolder).removeRecursively();
  };

  // The bands the scan reaches; the others are only counted.
  struct Band {
    int row, col, count;
  };
  std::vector<Band> work;
  const int bandsPerRow = (info.totalCols + kBandTiles - 1) / kBandTiles;
  const int bands = bandsPerRow * info.totalRows;
  for (int row = 0; row < info.totalRows; ++row)
    for (int col = 0; col < info.totalCols; col += kBandTiles) {
      const int count = std::min(kBandTiles, info.totalCols - col);
      if (boxOf(tileRowGrid(info, row, col, count)).meets(scanBox)) work.push_back({row, col, count});
    }
  const QString ext = request.map ? QStringLiteral("png") : QStringLiteral("jpg");
  // Bands are warped and their tiles encoded on every core, each thread with
  // a scan of its own (the library's handles are not shared between
  // threads); memory stays a band and a warp buffer per thread.
  const int threads = static_cast<int>(
      std::min({std::max<size_t>(work.size(), 1), kImportThreads, static_cast<size_t>(threadsFor(0))}));
  std::vector<std::unique_ptr<ScanSource>> scans(static_cast<size_t>(threads));
  scans[0] = std::move(scan);
  std::atomic<int> done{bands - static_cast<int>(work.size())};
  std::atomic<int> written{0};
  std::atomic<bool> cancelled{false};
  QString warpFailure, writeError;
  std::mutex writeMutex;
  if (ctx.progress) ctx.progress(0, bands);
  const bool finished = runParallel(
      static_cast<qsizetype>(work.size()), threads,
      [&](int worker, qsizetype item, QString* why) {
        if (cancelled || ctx.cancelled()) {
          cancelled = true;
          return false;
        }
        std::unique_ptr<ScanSource>& own = scans[static_cast<size_t>(worker)];
        QString detail;
        if (!own) {
          ScanStatus opened = ScanStatus::Failed;
          own = georef ? geo->openScanWithPoints(request.scanPath, *georef, opened, &detail)
                       : geo->openScan(request.scanPath, opened, &detail);
          if (!own) {
            *why = statusMessage(opened, name);
            return false;
          }
        }
        const Band& b = work[static_cast<size_t>(item)];
        QImage band;
        const ScanStatus s = own->warp(
            tileRowGrid(info, b.row, b.col, b.count), band, [&ctx](double) { return !ctx.cancelled(); }, &detail);
        if (s == ScanStatus::Cancelled) {
          cancelled = true;
          return false;
        }
        if (s != ScanStatus::Ok) {
          qCInfo(lcData) << "warp failed:" << detail;
          *why = statusMessage(s, name);
          return false;
        }
        for (int i = 0; i < b.count; ++i) {
          const QImage tile = tileOfBand(band, i, info.tileWidth, info.tileHeight);
          if (tile.isNull()) continue;
          QString writeWhy;
          if (!writeEraTile(folder, TileName(b.col + i, b.row, ext), tile, request.map, &writeWhy)) {
            std::lock_guard lock(writeMutex);
            if (writeError.isEmpty())
              writeError = writeWhy.isEmpty() ? QStringLiteral("a tile could not be written") : writeWhy;
            return false;
          }
          ++written;
        }
        ++done;
        // The progress is told on the run's own thread only.
        if (worker == 0 && ctx.progress) ctx.progress(done, bands);
        return true;
      },
      &warpFailure);
  scans.clear();
  if (finished || !writeError.isEmpty()) warpFailure.clear();
  result.tiles = written;
  if (ctx.progress) ctx.progress(0, -1);
  if (cancelled || ctx.cancelled()) {
    dropFolder();
    result.cancelled = true;
    result.tiles = 0;
    return fail(QCoreApplication::translate("kavalo::ScanImport", "取り込みを中止しました。"));
  }
  if (!warpFailure.isEmpty() || !writeError.isEmpty() || result.tiles < 1) {
    dropFolder();
    result.tiles = 0;
    if (!writeError.isEmpty())
      return fail(writeError +
                  QCoreApplication::translate("kavalo::ScanImport", "\n「%1」を取り込めませんでした。").arg(name));
    if (!warpFailure.isEmpty()) return fail(warpFailure);
    return fail(QCoreApplication::translate("kavalo::ScanImport", "「%1」はこの地域と重なりません。").arg(name));
  }
  if (!QDir().rename(folder, finalFolder)) {
    dropFolder();
    result.tiles = 0;
    return fail(QCoreApplication::translate("kavalo::ScanImport", "フォルダ「%1」を作成できません。").arg(finalFolder) +
                QCoreApplication::translate("kavalo::ScanImport", "\n「%1」を取り込めませんでした。").arg(name));
  }
  listed.push_back(era);
  if (!writeImportedEras(state.datasetFolder, listed, &error)) {
    dropFolder();
    result.tiles = 0;
    return fail(error +
                QCoreApplication::translate("kavalo::ScanImport", "\n「%1」を取り込めませんでした。").arg(name));
  }
  state.eras.push_back(eraOfImported(era));
  result.added = true;
  result.era = era;
  result.message = QCoreApplication::translate("kavalo::ScanImport", "%1に「%2」を追加しました。")
                       .arg(info.title, shownScanLabel(era));
  return result;
}

}  // namespace kavalo
