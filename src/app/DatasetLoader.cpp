#include "app/DatasetLoader.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <new>

#include "elevation/ElevationPicture.h"
#include "geo/SortingSearch.h"
#include "model/ProgramState.h"
#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/ValueReader.h"

namespace kavalo {

namespace {

QString fileLabel(const QString& backslashName) { return nativeRelative(backslashName); }

QString shortCountMessage(const QString& file, const QString& path) {
  return QStringLiteral("「%1」の内容が件数より少なくなっています。\n%2").arg(file, path);
}

bool openReader(const QString& path, const QString& file, ValueReader& reader, QString* error) {
  QString readError;
  if (!ValueReader::fromFile(path, reader, &readError)) {
    if (error) *error = QStringLiteral("「%1」を読み込めません。\n%2").arg(file, readError);
    return false;
  }
  return true;
}

bool readCount(ValueReader& r, int32_t& count) { return r.readInt(count) && count >= 0; }

// Years of the maps and photos of a data folder; anything else is a damaged
// file, and would only reach the labels as nonsense.
constexpr int32_t kMinYear = 0;
constexpr int32_t kMaxYear = 9999;
// Aerial-photo period codes are small numbers (0 to 5 are known).
constexpr int32_t kMaxPeriodCode = 99;
// Sheet cells x history columns of 図歴.csv: a few hundred sheets of a few
// dozen editions is a large region; the table is allocated before it is read.
constexpr int64_t kMaxHistoryCells = 1000000;

bool validYears(const Era& e) {
  return e.yearFrom >= kMinYear && e.yearFrom <= kMaxYear && e.yearTo >= kMinYear && e.yearTo <= kMaxYear;
}

// The checks every era read from a file must pass: its folder and image
// names stay inside the data folder and its years are years.
bool checkEra(const Era& e, const QString& file, const QString& path, QString* error) {
  if (!isSingleName(e.name)) {
    if (error)
      *error =
          QStringLiteral(
              "「%1」の時期名「%2」はフォルダ名として使えません（「..」、区切り文字、ドライブ名は使えません）。\n%3")
              .arg(file, e.name, path);
    return false;
  }
  if (!isSingleName(e.ext)) {
    if (error)
      *error =
          QStringLiteral("「%1」の時期「%2」の拡張子「%3」が正しくありません。\n%4").arg(file, e.name, e.ext, path);
    return false;
  }
  if (!validYears(e)) {
    if (error)
      *error = QStringLiteral("「%1」の時期「%2」の年（%3、%4）が正しくありません。\n%5")
                   .arg(file, e.name)
                   .arg(e.yearFrom)
                   .arg(e.yearTo)
                   .arg(path);
    return false;
  }
  return true;
}

bool readTikeizuInfo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  ValueReader r{QString()};
  if (!openReader(path, file, r, error)) return false;
  int32_t count = 0;
  if (!readCount(r, count)) {
    if (error) *error = QStringLiteral("「%1」の件数が正しくありません。\n%2").arg(file, path);
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    Era e;
    if (!r.readText(e.name) || !r.readInt(e.frameType) || !r.readInt(e.yearFrom) || !r.readInt(e.yearTo) ||
        !r.readInt(e.tileStyle) || !r.readInt(e.legendNumber) || !r.readInt(e.historyColumn) || !r.readText(e.ext)) {
      if (error) *error = shortCountMessage(file, path);
      return false;
    }
    if (e.frameType < 0 || e.frameType > 2) {
      if (error)
        *error = QStringLiteral("「%1」の時期「%2」の図郭の種類（%3）が正しくありません。\n%4")
                     .arg(file, e.name)
                     .arg(e.frameType)
                     .arg(path);
      return false;
    }
    // The history columns of the scanned-sheet eras are 0 to count - 1.
    if (e.historyColumn < 0 || e.historyColumn >= count) {
      if (error)
        *error = QStringLiteral("「%1」の時期「%2」の図歴の列（%3）が正しくありません（0から%4まで）。\n%5")
                     .arg(file, e.name)
                     .arg(e.historyColumn)
                     .arg(count - 1)
                     .arg(path);
      return false;
    }
    if (!checkEra(e, file, path, error)) return false;
    e.kind = kScannedSheets;
    e.acquiredText.clear();
    e.hasLegend = true;
    e.hasSheetLines = true;
    e.bySheetIndex = false;
    eras.push_back(e);
  }
  return true;
}

// The agency eras: name, first year, last year, acquisition date.
bool readAgencyInfo(const QString& path, const QString& file, int32_t kind, int32_t tileStyle, const QString& ext,
                    std::vector<Era>& eras, QString* error) {
  ValueReader r{QString()};
  if (!openReader(path, file, r, error)) return false;
  int32_t count = 0;
  if (!readCount(r, count)) {
    if (error) *error = QStringLiteral("「%1」の件数が正しくありません。\n%2").arg(file, path);
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    Era e;
    if (!r.readText(e.name) || !r.readInt(e.yearFrom) || !r.readInt(e.yearTo) || !r.readText(e.acquiredText)) {
      if (error) *error = shortCountMessage(file, path);
      return false;
    }
    e.kind = kind;
    e.tileStyle = tileStyle;
    e.frameType = kWorldFrame;
    e.ext = ext;
    e.historyColumn = -1;
    if (!checkEra(e, file, path, error)) return false;
    eras.push_back(e);
  }
  return true;
}

bool readOrthoInfo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  ValueReader r{QString()};
  if (!openReader(path, file, r, error)) return false;
  int32_t count = 0;
  if (!readCount(r, count)) {
    if (error) *error = QStringLiteral("「%1」の件数が正しくありません。\n%2").arg(file, path);
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    Era e;
    if (!r.readText(e.name) || !r.readInt(e.periodCode)) {
      if (error) *error = shortCountMessage(file, path);
      return false;
    }
    if (e.periodCode < 0 || e.periodCode > kMaxPeriodCode) {
      if (error)
        *error = QStringLiteral("「%1」の時期「%2」の撮影時期の番号（%3）が正しくありません。\n%4")
                     .arg(file, e.name)
                     .arg(e.periodCode)
                     .arg(path);
      return false;
    }
    const YearRange years = OrthoPeriodYears(e.periodCode);
    e.yearFrom = years.from;
    e.yearTo = years.to;
    e.kind = kAerialPhoto;
    e.tileStyle = kPhoto;
    e.frameType = kWorldFrame;
    e.ext = QStringLiteral("jpg");
    e.historyColumn = -1;
    if (!checkEra(e, file, path, error)) return false;
    eras.push_back(e);
  }
  return true;
}

bool readGeoBox(ValueReader& r, GeoBox& box) {
  return r.readSingle(box.west) && r.readSingle(box.east) && r.readSingle(box.north) && r.readSingle(box.south);
}

bool readTwentyThousandInfo(const QString& path, const QString& file, Era& e, QString* error) {
  ValueReader r{QString()};
  if (!openReader(path, file, r, error)) return false;
  auto broken = [&]() {
    if (error)
      *error =
          QStringLiteral("「%1」の形式が正しくありません（%2行目付近）。\n%3").arg(file).arg(r.lineNumber()).arg(path);
    return false;
  };
  int32_t n = 0, m = 0;
  if (!r.readInt(e.yearFrom) || !r.readInt(e.yearTo)) return broken();
  if (!readCount(r, n) || !readCount(r, m)) return broken();
  if (!r.skipLine()) return broken();
  for (int32_t i = 0; i < n; ++i) {
    SheetImage s;
    if (!r.readText(s.fileName) || !readGeoBox(r, s.box)) {
      if (error) *error = shortCountMessage(file, path);
      return false;
    }
    if (!isSingleName(s.fileName)) {
      if (error)
        *error = QStringLiteral("「%1」の画像名「%2」が正しくありません（%3行目付近）。\n%4")
                     .arg(file, s.fileName)
                     .arg(r.lineNumber())
                     .arg(path);
      return false;
    }
    e.sheets.push_back(s);
  }
  if (m > 0 && !r.skipLine()) {
    if (error) *error = shortCountMessage(file, path);
    return false;
  }
  for (int32_t i = 0; i < m; ++i) {
    SheetIndexEntry s;
    if (!readGeoBox(r, s.box) || !r.readText(s.code) || !r.readText(s.name)) {
      if (error) *error = shortCountMessage(file, path);
      return false;
    }
    e.sheetIndex.push_back(s);
  }
  e.name = QStringLiteral("2man");
  e.kind = kTwentyThousand;
  e.tileStyle = kOpaqueMap;
  e.frameType = kOldFrame;
  e.ext = QStringLiteral("png");
  e.historyColumn = -1;
  e.hasLegend = true;
  e.hasSheetLines = true;
  e.bySheetIndex = true;
  return checkEra(e, file, path, error);
}

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

  const QString tikeizu = joinPath(folder, names[kTikeizuInfoFile]);
  if (!FileExists(tikeizu)) {
    if (error) *error = QStringLiteral("「%1」が見つかりません。\n%2").arg(fileLabel(names[kTikeizuInfoFile]), tikeizu);
    return LoadStatus::Failed;
  }
  if (!readTikeizuInfo(tikeizu, fileLabel(names[kTikeizuInfoFile]), c.eras, error)) return LoadStatus::Failed;
  const int scannedCount = static_cast<int>(c.eras.size());

  if (static_cast<int64_t>(c.mapInfo.sheetsX) * c.mapInfo.sheetsY * (scannedCount + 1) > kMaxHistoryCells) {
    if (error)
      *error = QStringLiteral("「%1」の時期の数（%2）が地形図の数に対して多すぎます。\n%3")
                   .arg(fileLabel(names[kTikeizuInfoFile]))
                   .arg(scannedCount)
                   .arg(tikeizu);
    return LoadStatus::Failed;
  }
  c.history.reset(c.mapInfo.sheetsX, c.mapInfo.sheetsY, scannedCount + 1);
  const QString historyPath = joinPath(folder, names[kSheetHistoryFile]);
  if (FileExists(historyPath)) {
    ValueReader r{QString()};
    if (!openReader(historyPath, fileLabel(names[kSheetHistoryFile]), r, error)) return LoadStatus::Failed;
    QString historyError;
    if (!readSheetHistory(r, c.history, &historyError)) {
      if (error) *error = historyError + u'\n' + historyPath;
      return LoadStatus::Failed;
    }
  }

  struct AgencySource {
    int index;
    int32_t kind;
  };
  for (const AgencySource& s :
       {AgencySource{kWatizuInfoFile, kAgencyBasicMap}, AgencySource{kDensikokudoOrthoInfoFile, kAgencyOrtho}}) {
    const QString path = joinPath(folder, names[s.index]);
    if (!FileExists(path)) continue;
    const bool basicMap = s.kind == kAgencyBasicMap;
    if (!readAgencyInfo(path, fileLabel(names[s.index]), s.kind, basicMap ? kMaskedMap : kPhoto,
                        basicMap ? QStringLiteral("png") : QStringLiteral("jpg"), c.eras, error))
      return LoadStatus::Failed;
  }
  // An era fetched from a tile service of the user's choice names its source
  // in its own folder; the credits show that name.
  for (Era& e : c.eras) {
    if (e.kind != kAgencyBasicMap && e.kind != kAgencyOrtho) continue;
    const QString credit = joinPath(folder, u'\\' + e.name + QStringLiteral("\\attribution.txt"));
    QByteArray bytes;
    if (FileExists(credit) && readFileBytes(credit, bytes, nullptr))
      e.attribution = fromSjis(bytes).section(u'\n', 0, 0).trimmed();
  }
  const QString orthoPath = joinPath(folder, names[kOrthoInfoFile]);
  if (FileExists(orthoPath) && !readOrthoInfo(orthoPath, fileLabel(names[kOrthoInfoFile]), c.eras, error))
    return LoadStatus::Failed;

  if (c.mapInfo.rapidSurvey == u"1") {
    const QString path = joinPath(folder, names[kJinnsokuInfoFile]);
    if (FileExists(path)) {
      ValueReader r{QString()};
      int32_t flag = 0;
      if (!openReader(path, fileLabel(names[kJinnsokuInfoFile]), r, error)) return LoadStatus::Failed;
      if (r.readInt(flag) && flag == 1) {
        Era e;
        e.name = QStringLiteral("JINNSOKU");
        e.yearFrom = 1880;
        e.yearTo = 1885;
        e.kind = kRapidSurvey;
        e.tileStyle = kPhoto;
        e.frameType = kWorldFrame;
        e.ext = QStringLiteral("jpg");
        e.historyColumn = -1;
        c.eras.push_back(e);
      }
    }
  }

  if (c.mapInfo.twentyThousand == u"1") {
    const QString path = joinPath(folder, names[kTwentyThousandInfoFile]);
    if (!FileExists(path)) {
      if (error)
        *error = QStringLiteral("「%1」が見つかりません。\n%2").arg(fileLabel(names[kTwentyThousandInfoFile]), path);
      return LoadStatus::Failed;
    }
    Era e;
    if (!readTwentyThousandInfo(path, fileLabel(names[kTwentyThousandInfoFile]), e, error)) return LoadStatus::Failed;
    c.eras.push_back(e);
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

namespace {

LoadStatus loadChosenFolder(ProgramState& state, Prompts& prompts, ElevationLoad elevation) {
  const QString mapInfoPath = joinPath(state.datasetFolder, state.names[kMapInfoFile]);
  if (!FileExists(mapInfoPath)) {
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    return LoadStatus::NoMapInfo;
  }
  WaitCursor wait(prompts);
  DatasetConfig config;
  QString error;
  const LoadStatus status = readDatasetConfig(state.datasetFolder, state.names, state.mapInfo, config, &error);
  if (status != LoadStatus::Loaded) {
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    if (status == LoadStatus::Failed) prompts.message(error, MessageIcon::Warning);
    return status;
  }
  if (config.eras.empty()) {
    // Nothing could be shown: a data folder needs at least one era.
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    prompts.message(QStringLiteral("「%1」に時期が1つもありません。\n%2")
                        .arg(fileLabel(state.names[kTikeizuInfoFile]),
                             joinPath(state.datasetFolder, state.names[kTikeizuInfoFile])),
                    MessageIcon::Warning);
    return LoadStatus::Failed;
  }

  state.mapInfo = config.mapInfo;
  state.eras = std::move(config.eras);
  state.history = std::move(config.history);
  state.view.centerX = config.centerX;
  state.view.centerY = config.centerY;
  state.view.eraIndex = config.eraIndex;
  state.view.zoomPercent = config.zoomPercent;
  state.marksFileName = config.marksFileName;
  state.names[kMarksFile] = config.marksFileName;
  state.eraListMap.clear();
  state.listedCount = 0;

  // Place names
  QString placeError;
  if (!Get_PlaceNameFile(joinPath(state.datasetFolder, QStringLiteral("\\placename.dat")), state.placeNames,
                         &placeError))
    prompts.message(placeError, MessageIcon::Warning);

  // Marks: a file that cannot be read is reported once and kept aside, and
  // the dataset loads without marks.
  const QString marksPath = joinPath(state.datasetFolder, state.marksFileName);
  QString marksError;
  state.marksUnreadable = false;
  if (!Get_MarkFile(marksPath, state.marks, &marksError)) {
    state.marks.clear();
    state.marksUnreadable = true;
    // Tools that only read leave the data folder as it is.
    const QString aside = state.readOnly ? QString() : keepAside(marksPath);
    prompts.message(
        marksError +
            (aside.isEmpty() ? QString() : QStringLiteral("\n元のファイルは %1 に残してあります。").arg(aside)),
        MessageIcon::Warning);
  }

  if (elevation == ElevationLoad::WithDataset) {
    init_Altitude_Picture(state, prompts);
  } else {
    // Nothing of the previous data folder's grid may stand for this one's.
    state.altitude = AltitudeGrid();
    state.pieces.clear();
  }

  state.scale = computeScaleFactors(state.mapInfo, state.mmPerScreenPxX, state.mmPerScreenPxY);
  state.view.loaded = true;
  state.view.firstLoadDone = true;
  return LoadStatus::Loaded;
}

}  // namespace

LoadStatus LoadDataset(ProgramState& state, Prompts& prompts, ElevationLoad elevation) {
  // The folder name comes from dataset.txt: it must name a folder inside the
  // RootFolder, or the load would read (and the next save write) elsewhere.
  if (state.dataFolderIndex >= 0 && state.dataFolderIndex < static_cast<int>(state.dataFolders.size())) {
    const QString& name = state.dataFolders[static_cast<size_t>(state.dataFolderIndex)].folder;
    if (!isSingleName(name)) {
      state.view.loaded = false;
      state.view.firstLoadDone = true;
      prompts.message(QStringLiteral("データセットの一覧「dataset.txt」のフォルダ名「%1」が正しくありません"
                                     "（「..」、区切り文字、ドライブ名は使えません）。\n%2")
                          .arg(name, joinPath(state.rootFolder, QStringLiteral("\\dataset.txt"))),
                      MessageIcon::Warning);
      return LoadStatus::Failed;
    }
  }
  try {
    return loadChosenFolder(state, prompts, elevation);
  } catch (const std::bad_alloc&) {
    // Whatever was replaced before the failure is not shown or saved: the
    // load counts as failed.
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    prompts.message(QStringLiteral("メモリが足りないため、データセットを読み込めません。\n%1").arg(state.datasetFolder),
                    MessageIcon::Warning);
    return LoadStatus::Failed;
  }
}

bool EnsureElevation(ProgramState& state, Prompts& prompts) {
  if (!state.altitude.empty() && state.pieces.available()) return true;
  return init_Altitude_Picture(state, prompts);
}

}  // namespace kavalo
