// SPDX-License-Identifier: MIT
#include "output/WebMapPublish.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <mutex>
#include <vector>

#include "elevation/Credits.h"
#include "model/EraLabels.h"
#include "model/ProgramState.h"
#include "output/ParallelWork.h"
#include "output/WebTileRender.h"
#include "output/WebViewerTexts.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace kavalo {

namespace {

// Changes whenever the same sources would give other tiles: an era whose
// stamp names another version is composed again.
constexpr int kTileVersion = 1;
const QString kTilesFolder = QStringLiteral("tiles");
const QString kStampFile = QStringLiteral(".sources");
const QString kTileJson = QStringLiteral("tilejson.json");

bool fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

bool plainName(const QString& name) {
  return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\') &&
         !name.startsWith(u'.');
}

QString urlSegment(const QString& name) { return QString::fromLatin1(QUrl::toPercentEncoding(name)); }

enum class WriteOutcome { Written, Unchanged, Failed };

// Writes the bytes unless the file holds them already: a web server, a CDN
// and a copy tool see only what really changed.
WriteOutcome writeIfChanged(const QString& path, const QByteArray& bytes, QString* error) {
  const QFileInfo info(path);
  if (info.isFile() && info.size() == bytes.size()) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes) return WriteOutcome::Unchanged;
  }
  if (!QDir().mkpath(info.absolutePath())) {
    if (error) *error = QStringLiteral("cannot create %1").arg(info.absolutePath());
    return WriteOutcome::Failed;
  }
  return writeFileAtomically(path, bytes, error) ? WriteOutcome::Written : WriteOutcome::Failed;
}

QString tilePath(const QString& eraDir, const WebTile& t) {
  return QStringLiteral("%1/%2/%3/%4.png").arg(eraDir).arg(t.z).arg(t.x).arg(t.y);
}

// What an era's tiles are made of: every file of the data folder and of its
// era folders (a sheet may be borrowed from another edition), named with its
// size and time, and the options.
QByteArray sourcesStamp(const ProgramState& state, const WebMapOptions& options) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QByteArray::number(kTileVersion) + (options.elevation ? "+elevation" : "") + '\n');
  auto addFolder = [&hash](const QString& folder) {
    QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    hash.addData(folder.toUtf8() + '\n');
    for (const QFileInfo& f : files)
      hash.addData(f.fileName().toUtf8() + ' ' + QByteArray::number(f.size()) + ' ' +
                   QByteArray::number(f.lastModified().toMSecsSinceEpoch()) + '\n');
  };
  addFolder(state.datasetFolder);
  for (const Era& era : state.eras) addFolder(joinPath(state.datasetFolder, u'\\' + era.name));
  if (options.elevation) addFolder(state.rootFolder);
  return hash.result().toHex();
}

LonLatBox eraLonLatBox(const ProgramState& state, int eraIndex) {
  const ImageBox b = eraImageBox(state, eraIndex);
  return imageBoxLonLat(regionGeometry(state.mapInfo), b.left, b.top, b.right, b.bottom);
}

std::vector<int> publishedEras(const ProgramState& state, WebMapReport* report) {
  std::vector<int> eras;
  QSet<QString> seen;
  for (size_t i = 0; i < state.eras.size(); ++i) {
    const Era& era = state.eras[i];
    if (!era.listed || seen.contains(era.name.toLower())) continue;
    seen.insert(era.name.toLower());
    if (!plainName(era.name) || !QFileInfo(joinPath(state.datasetFolder, u'\\' + era.name)).isDir()) {
      if (report) report->notes << QStringLiteral("%1: no era folder, no web tiles").arg(era.name);
      continue;
    }
    eras.push_back(static_cast<int>(i));
  }
  return eras;
}

QJsonArray boundsArray(const LonLatBox& b) {
  auto r = [](double v) { return std::round(v * 1e7) / 1e7; };
  return QJsonArray{r(b.west), r(b.south), r(b.east), r(b.north)};
}

LonLatBox regionBox(const ProgramState& state, const std::vector<int>& eras) {
  LonLatBox box;
  bool first = true;
  for (int e : eras) {
    const LonLatBox b = eraLonLatBox(state, e);
    if (first) box = b;
    box.west = std::min(box.west, b.west);
    box.south = std::min(box.south, b.south);
    box.east = std::max(box.east, b.east);
    box.north = std::max(box.north, b.north);
    first = false;
  }
  if (first) {
    const RegionGeometry g = regionGeometry(state.mapInfo);
    box = imageBoxLonLat(g, 0, 0, static_cast<double>(state.mapInfo.totalCols) * state.mapInfo.tileWidth,
                         static_cast<double>(state.mapInfo.totalRows) * state.mapInfo.tileHeight);
  }
  return box;
}

QStringList eraCredits(const ProgramState& state, const Era& era, bool elevation) {
  QStringList lines;
  for (const QString& line : creditLines(era, state.mapInfo.approval, elevation))
    if (!line.trimmed().isEmpty()) lines << line.trimmed();
  return lines;
}

QString htmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

QByteArray tileJson(const ProgramState& state, int eraIndex, const WebZoomRange& zooms, bool elevation) {
  const Era& era = state.eras[static_cast<size_t>(eraIndex)];
  const LonLatBox box = eraLonLatBox(state, eraIndex);
  QJsonObject o;
  o[QStringLiteral("tilejson")] = QStringLiteral("3.0.0");
  o[QStringLiteral("name")] = Get_cboAge_Text(era, state.view.eraLabelStyle);
  o[QStringLiteral("description")] = state.mapInfo.title;
  QStringList credits;
  for (const QString& line : eraCredits(state, era, elevation)) credits << htmlEscaped(line);
  o[QStringLiteral("attribution")] = credits.join(QStringLiteral(" | "));
  o[QStringLiteral("scheme")] = QStringLiteral("xyz");
  o[QStringLiteral("format")] = QStringLiteral("png");
  o[QStringLiteral("tiles")] = QJsonArray{QStringLiteral("{z}/{x}/{y}.png")};
  o[QStringLiteral("minzoom")] = zooms.minZoom;
  o[QStringLiteral("maxzoom")] = zooms.maxZoom;
  o[QStringLiteral("bounds")] = boundsArray(box);
  o[QStringLiteral("center")] = QJsonArray{(box.west + box.east) / 2.0, (box.south + box.north) / 2.0, zooms.maxZoom};
  return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

struct EraRun {
  const ProgramState& state;
  int eraIndex;
  QString eraDir;
  WebZoomRange zooms;
  WebTileLayers layers;
  int threads;
  std::mutex mutex;
  QSet<QString> produced;
  std::atomic<qint64> written{0}, unchanged{0};

  bool store(const WebTile& t, const QImage& tile, QString* error) {
    if (webTileInvisible(tile)) return true;
    const QByteArray bytes = encodeWebTile(tile);
    const QString path = tilePath(eraDir, t);
    if (bytes.isEmpty()) return fail(error, QStringLiteral("cannot encode the tile %1").arg(path));
    switch (writeIfChanged(path, bytes, error)) {
      case WriteOutcome::Failed:
        return false;
      case WriteOutcome::Written:
        ++written;
        break;
      case WriteOutcome::Unchanged:
        ++unchanged;
        break;
    }
    std::lock_guard lock(mutex);
    produced.insert(path);
    return true;
  }

  bool topLevel(QString* error) {
    const WebTileRange range = webTilesCovering(eraLonLatBox(state, eraIndex), zooms.maxZoom);
    const qsizetype width = range.maxX - range.minX + 1;
    // Each thread composes from its own copy of the session: the caches a
    // composition fills are the session's, not shared between threads.
    std::vector<ProgramState> sessions(static_cast<size_t>(std::max(1, threads)), state);
    return runParallel(
        range.count(), threads,
        [&](int worker, qsizetype i, QString* why) {
          const WebTile t{zooms.maxZoom, range.minX + static_cast<int>(i % width),
                          range.minY + static_cast<int>(i / width)};
          return store(t, renderWebTile(sessions[static_cast<size_t>(worker)], eraIndex, t, layers), why);
        },
        error);
  }

  bool lowerLevel(int z, QString* error) {
    const WebTileRange range = webTilesCovering(eraLonLatBox(state, eraIndex), z);
    const qsizetype width = range.maxX - range.minX + 1;
    return runParallel(
        range.count(), threads,
        [&](int, qsizetype i, QString* why) {
          const WebTile t{z, range.minX + static_cast<int>(i % width), range.minY + static_cast<int>(i / width)};
          QImage children[4];
          bool any = false;
          for (int k = 0; k < 4; ++k) {
            const QString child = tilePath(eraDir, {z + 1, 2 * t.x + k % 2, 2 * t.y + k / 2});
            bool made = false;
            {
              std::lock_guard lock(mutex);
              made = produced.contains(child);
            }
            if (made && children[k].load(child, "PNG")) any = true;
          }
          return any ? store(t, webTileFromChildren(children), why) : true;
        },
        error);
  }

  // Tiles of this era that the map no longer has (a zoom out of range, a
  // place the era lost) would be served stale.
  qint64 removeStale() {
    qint64 removed = 0;
    QDirIterator it(eraDir, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList stale;
    while (it.hasNext()) {
      const QString path = it.next();
      if (!produced.contains(path)) stale << path;
    }
    for (const QString& path : stale)
      if (QFile::remove(path)) ++removed;
    QDirIterator dirs(eraDir, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList folders;
    while (dirs.hasNext()) folders << dirs.next();
    std::sort(folders.begin(), folders.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& f : folders) QDir().rmdir(f);  // only empty ones go
    return removed;
  }
};

}  // namespace

QString webViewerFolder() {
  QStringList candidates;
  const QString env = qEnvironmentVariable("KAVALO_WEB_VIEWER");
  if (!env.isEmpty()) candidates << env;
  const QString app = QCoreApplication::applicationDirPath();
  if (!app.isEmpty()) {
    candidates << app + QStringLiteral("/web");
    candidates << app + QStringLiteral("/../share/kavalo/web");
  }
  for (const QString& c : candidates)
    if (QFileInfo(c + QStringLiteral("/index.html")).isFile()) return QDir::cleanPath(c);
  return QString();
}

QByteArray webMapErasDocument(const ProgramState& state, const WebZoomRange& zooms, bool elevation) {
  const std::vector<int> eras = publishedEras(state, nullptr);
  const double zoom100 = webZoomAt100(state.mapInfo, kDefaultMmPerScreenPx);
  QJsonObject o;
  const auto d = static_cast<size_t>(state.dataFolderIndex);
  o[QStringLiteral("dataset")] = d < state.dataFolders.size() ? state.dataFolders[d].folder : QString();
  o[QStringLiteral("title")] = state.mapInfo.title;
  o[QStringLiteral("bounds")] = boundsArray(regionBox(state, eras));
  o[QStringLiteral("minzoom")] = zooms.minZoom;
  o[QStringLiteral("maxzoom")] = zooms.maxZoom;
  o[QStringLiteral("zoom100")] = std::round(zoom100 * 1e6) / 1e6;
  const RegionGeometry g = regionGeometry(state.mapInfo);
  // The region's own pixel grid in the world datum, for tools that set the
  // map beside the program's pictures.
  o[QStringLiteral("grid")] = QJsonObject{{QStringLiteral("west"), g.west},
                                          {QStringLiteral("north"), g.north},
                                          {QStringLiteral("lonPerPx"), g.lonPerPx},
                                          {QStringLiteral("latPerPx"), g.latPerPx}};
  const double startZoom = webZoomForPercent(std::max(1, state.view.zoomPercent), zoom100);
  o[QStringLiteral("center")] =
      QJsonArray{std::round(g.lon(state.view.centerX) * 1e7) / 1e7, std::round(g.lat(state.view.centerY) * 1e7) / 1e7,
                 std::round(startZoom * 100) / 100};
  QJsonArray list;
  for (int e : eras) {
    const Era& era = state.eras[static_cast<size_t>(e)];
    const QString base = kTilesFolder + u'/' + urlSegment(era.name) + u'/';
    QJsonObject item;
    item[QStringLiteral("folder")] = era.name;
    item[QStringLiteral("label")] = Get_cboAge_Text(era, state.view.eraLabelStyle);
    item[QStringLiteral("from")] = era.yearFrom;
    item[QStringLiteral("to")] = era.yearTo;
    item[QStringLiteral("photo")] = era.tileStyle == kPhoto;
    item[QStringLiteral("credits")] = QJsonArray::fromStringList(eraCredits(state, era, elevation));
    item[QStringLiteral("tilejson")] = base + kTileJson;
    item[QStringLiteral("tiles")] = base + QStringLiteral("{z}/{x}/{y}.png");
    item[QStringLiteral("bounds")] = boundsArray(eraLonLatBox(state, e));
    list.append(item);
  }
  o[QStringLiteral("eras")] = list;
  return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool publishWebMap(const ProgramState& state, const QString& mapFolder, const WebMapOptions& options,
                   WebMapReport& report, QString* error) {
  const QString viewer = options.viewerFolder.isEmpty() ? webViewerFolder() : options.viewerFolder;
  if (viewer.isEmpty() || !QFileInfo(viewer + QStringLiteral("/index.html")).isFile())
    return fail(error,
                QStringLiteral("the map page's files are not installed (set KAVALO_WEB_VIEWER to their folder)"));
  const RegionGeometry g = regionGeometry(state.mapInfo);
  if (!(g.lonPerPx > 0.0)) return fail(error, QStringLiteral("the data folder has no map grid"));
  const std::vector<int> eras = publishedEras(state, &report);
  report.zooms = webZoomRange(regionBox(state, eras), g.lonPerPx);
  const QString root = QDir::cleanPath(QDir(mapFolder).absolutePath());
  const QString tilesRoot = root + u'/' + kTilesFolder;
  if (!QDir().mkpath(tilesRoot)) return fail(error, QStringLiteral("cannot create %1").arg(tilesRoot));
  const int threads = threadsFor(options.threads);
  const QByteArray stamp = sourcesStamp(state, options);

  QSet<QString> folders;
  for (int e : eras) {
    const Era& era = state.eras[static_cast<size_t>(e)];
    const QString eraDir = tilesRoot + u'/' + era.name;
    folders.insert(era.name);
    ++report.eras;
    const QString stampPath = eraDir + u'/' + kStampFile;
    QFile old(stampPath);
    const bool same =
        old.open(QIODevice::ReadOnly) && old.readAll() == stamp + '\n' && QFileInfo(eraDir + u'/' + kTileJson).isFile();
    if (!same) {
      EraRun run{state, e, eraDir, report.zooms, WebTileLayers{options.elevation}, threads, {}, {}, {}, {}};
      if (!QDir().mkpath(eraDir)) return fail(error, QStringLiteral("cannot create %1").arg(eraDir));
      // A stamp is taken away before the tiles change and put back when they
      // are whole: a run broken off composes the era again next time.
      if (QFileInfo::exists(stampPath) && !QFile::remove(stampPath))
        return fail(error, QStringLiteral("cannot remove %1").arg(stampPath));
      if (!run.topLevel(error)) return false;
      for (int z = report.zooms.maxZoom - 1; z >= report.zooms.minZoom; --z)
        if (!run.lowerLevel(z, error)) return false;
      report.removed += run.removeStale();
      report.written += run.written;
      report.unchanged += run.unchanged;
      ++report.erasComposed;
    }
    if (writeIfChanged(eraDir + u'/' + kTileJson, tileJson(state, e, report.zooms, options.elevation), error) ==
        WriteOutcome::Failed)
      return false;
    if (!same && !writeFileAtomically(stampPath, stamp + '\n', error)) return false;
  }
  // Eras gone from the data folder leave the map.
  for (const QString& name : QDir(tilesRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    if (!folders.contains(name)) QDir(tilesRoot + u'/' + name).removeRecursively();

  const QByteArray list = webMapErasDocument(state, report.zooms, options.elevation);
  // eras.js carries the same list to a page opened from the disk, where a
  // browser refuses to fetch the JSON file beside it.
  const QByteArray script = "window.KAVALO_ERAS = " + list.trimmed() + ";\n";
  if (writeIfChanged(root + QStringLiteral("/eras.json"), list, error) == WriteOutcome::Failed ||
      writeIfChanged(root + QStringLiteral("/eras.js"), script, error) == WriteOutcome::Failed)
    return false;
  QDirIterator files(viewer, QDir::Files, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString from = files.next();
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) return fail(error, QStringLiteral("cannot read %1").arg(from));
    const QString relative = QDir(viewer).relativeFilePath(from);
    if (writeIfChanged(root + u'/' + relative, localizedViewerFile(relative, in.readAll()), error) ==
        WriteOutcome::Failed)
      return false;
  }
  return true;
}

}  // namespace kavalo
