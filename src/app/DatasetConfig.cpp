// SPDX-License-Identifier: MIT
#include "app/DatasetConfig.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "geo/SortingSearch.h"
#include "model/EraInfoFiles.h"
#include "model/EraSources.h"
#include "model/ViewState.h"
#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/ValueReader.h"

namespace kavalo {

namespace {

QString fileLabel(const QString& backslashName) { return nativeRelative(backslashName); }

// Sheet cells x history columns of 図歴.csv: a few hundred sheets of a few
// dozen editions is a large region; the table is allocated before it is read.
constexpr int64_t kMaxHistoryCells = 1000000;

// A centre the view can be opened at: finite and no further outside the
// mosaic than the mosaic is large (the view may be dragged past its edges,
// but not to a place that only a damaged file could name).
bool soundCenter(const MapInfo& m, float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  const double w = static_cast<double>(m.tileWidth) * m.totalCols;
  const double h = static_cast<double>(m.tileHeight) * m.totalRows;
  return x >= -w && x <= 2 * w && y >= -h && y <= 2 * h;
}

// The saved position; a file that cannot be read leaves the initial view, and
// a saved centre that is not sound leaves the initial centre.
void readPosition(const QString& path, DatasetConfig& c) {
  ValueReader r{QString()};
  if (!ValueReader::fromFile(path, r, nullptr)) return;
  float cx = 0, cy = 0;
  int32_t era = 0, zoom = 0;
  if (!r.readSingle(cx) || !r.readSingle(cy) || !r.readInt(era) || !r.readInt(zoom)) return;
  // The rest of the record (era, zoom, marks file) still holds.
  if (soundCenter(c.mapInfo, cx, cy)) {
    c.centerX = cx;
    c.centerY = cy;
  }
  c.eraIndex = era;
  c.zoomPercent = zoom;
  c.positionRestored = true;
  QString marks;
  if (r.readText(marks) && !marks.isEmpty()) c.marksFileName = sanitizeMarksFileName(marks);
}

// 図歴.csv, for the scanned-sheet eras read so far.
bool readHistory(const QString& folder, const FileNameTable& names, DatasetConfig& c, int scannedCount,
                 QString* error) {
  const QString tikeizu = joinPath(folder, names[kTikeizuInfoFile]);
  if (static_cast<int64_t>(c.mapInfo.sheetsX) * c.mapInfo.sheetsY * (scannedCount + 1) > kMaxHistoryCells) {
    if (error)
      *error = QCoreApplication::translate("kavalo::DatasetConfig",
                                           "「%1」の時期の数（%2）が地形図の数に対して多すぎます。\n%3")
                   .arg(fileLabel(names[kTikeizuInfoFile]))
                   .arg(scannedCount)
                   .arg(tikeizu);
    return false;
  }
  c.history.reset(c.mapInfo.sheetsX, c.mapInfo.sheetsY, scannedCount + 1);
  const QString historyPath = joinPath(folder, names[kSheetHistoryFile]);
  if (!FileExists(historyPath)) return true;
  ValueReader r{QString()};
  if (!openInfoReader(historyPath, fileLabel(names[kSheetHistoryFile]), r, error)) return false;
  QString historyError;
  if (!readSheetHistory(r, c.history, &historyError)) {
    if (error) *error = historyError + u'\n' + historyPath;
    return false;
  }
  return true;
}

}  // namespace

QString sanitizeMarksFileName(const QString& name) {
  static const QString kDefault = QStringLiteral("\\MarkData.kmk");
  QString n = name.trimmed();
  if (n.isEmpty()) return kDefault;
  if (!n.startsWith(u'\\') && !n.startsWith(u'/')) n.prepend(u'\\');
  const QStringList parts = n.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
  if (parts.isEmpty()) return kDefault;
  for (const QString& p : parts) {
    if (p == u".." || p.contains(u':')) return kDefault;
  }
  return n;
}

void SortErasByYear(std::vector<Era>& eras) {
  std::vector<int32_t> years;
  years.reserve(eras.size());
  for (const Era& e : eras) years.push_back(e.yearFrom);
  SortingSearch sorter;
  sorter.Set_Data_Long(static_cast<int>(years.size()), years);
  std::vector<Era> sorted;
  sorted.reserve(eras.size());
  for (int i = 0; i < sorter.NumofData(); ++i)
    sorted.push_back(std::move(eras[static_cast<size_t>(sorter.DataPosition(i))]));
  eras = std::move(sorted);
}

LoadStatus readDatasetConfig(const QString& folder, const FileNameTable& names, const MapInfo& previous,
                             DatasetConfig& config, QString* error) {
  const QString mapInfoPath = joinPath(folder, names[kMapInfoFile]);
  if (!FileExists(mapInfoPath)) return LoadStatus::NoMapInfo;

  DatasetConfig c;
  c.mapInfo = previous;
  if (!readMapInfo(mapInfoPath, c.mapInfo, error)) return LoadStatus::Failed;
  QString gridError;
  if (!deriveGrid(c.mapInfo, &gridError)) {
    if (error) *error = gridError + u'\n' + mapInfoPath;
    return LoadStatus::Failed;
  }

  // Every source's info file in its order; the sheet history follows the
  // scanned sheets, whose count gives its columns.
  for (const EraInfoFile& f : eraInfoFiles()) {
    const QString name = QString::fromLatin1(f.name);
    const QString path = joinPath(folder, name);
    const bool sheets = name == names[kTikeizuInfoFile];
    const bool offered = (f.when != InfoFileWhen::RapidSurveyOffered || c.mapInfo.rapidSurvey == u"1") &&
                         (f.when != InfoFileWhen::TwentyThousandOffered || c.mapInfo.twentyThousand == u"1");
    if (!offered) continue;
    const bool required = f.when == InfoFileWhen::Required || f.when == InfoFileWhen::TwentyThousandOffered;
    if (!FileExists(path)) {
      if (!required) continue;
      if (error)
        *error = QCoreApplication::translate("kavalo::DatasetConfig", "「%1」が見つかりません。\n%2")
                     .arg(fileLabel(name), path);
      return LoadStatus::Failed;
    }
    const size_t first = c.eras.size();
    if (!f.read(path, fileLabel(name), c.eras, error)) return LoadStatus::Failed;
    for (size_t i = first; i < c.eras.size(); ++i)
      if (c.eras[i].infoFile.isEmpty()) c.eras[i].infoFile = name;
    if (sheets && !readHistory(folder, names, c, static_cast<int>(c.eras.size()), error)) return LoadStatus::Failed;
  }

  SortErasByYear(c.eras);
  for (Era& e : c.eras) e.listed = true;

  c.centerX = c.mapInfo.initialX;
  c.centerY = c.mapInfo.initialY;
  if (!soundCenter(c.mapInfo, c.centerX, c.centerY)) {
    // An initial position a damaged mapinfo.txt gives: the middle of the map.
    c.centerX = toSingle(static_cast<double>(c.mapInfo.tileWidth) * c.mapInfo.totalCols / 2.0);
    c.centerY = toSingle(static_cast<double>(c.mapInfo.tileHeight) * c.mapInfo.totalRows / 2.0);
  }
  c.eraIndex = c.mapInfo.initialEra;
  c.zoomPercent = c.mapInfo.initialZoom;
  const QString positionPath = joinPath(folder, names[kPositionFile]);
  if (FileExists(positionPath)) readPosition(positionPath, c);

  // A saved or initial era beyond the list (after eras were removed) opens on
  // the first era; a zoom outside the slider's range is brought into it.
  if (c.eraIndex < 0 || c.eraIndex >= static_cast<int32_t>(c.eras.size())) c.eraIndex = 0;
  c.zoomPercent = std::clamp(c.zoomPercent, kMinZoom, kMaxZoom);
  config = std::move(c);
  return LoadStatus::Loaded;
}

}  // namespace kavalo
