// SPDX-License-Identifier: MIT
#include "model/EraInfoFiles.h"

#include <QCoreApplication>
#include <QStringList>

#include "model/MapInfo.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "platform/ValueWriter.h"

namespace kavalo {

namespace {

QString shortCountMessage(const QString& file, const QString& path) {
  return QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」の内容が件数より少なくなっています。\n%2")
      .arg(file, path);
}

bool readCount(ValueReader& r, int32_t& count) { return r.readInt(count) && count >= 0; }

// Years of the maps and photos of a data folder; anything else is a damaged
// file, and would only reach the labels as nonsense.
constexpr int32_t kMinYear = 0;
constexpr int32_t kMaxYear = 9999;
// Aerial-photo period codes are small numbers (0 to 5 are known).
constexpr int32_t kMaxPeriodCode = 99;

bool validYears(const Era& e) {
  return e.yearFrom >= kMinYear && e.yearFrom <= kMaxYear && e.yearTo >= kMinYear && e.yearTo <= kMaxYear;
}

}  // namespace

bool readEraLines(const QString& path, const QString& label, const std::function<bool(ValueReader&)>& parse,
                  QString* error) {
  if (!FileExists(path)) return true;
  QByteArray bytes;
  if (!readFileBytes(path, bytes, error)) return false;
  bool decoded = true;
  const QStringList lines = fromSjis(bytes, &decoded).split(u'\n');
  if (!decoded) {
    if (error)
      *error = QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」はShift-JISのテキストではありません。\n%2")
                   .arg(label, path);
    return false;
  }
  for (qsizetype n = 0; n < lines.size(); ++n) {
    QString line = lines[n];
    line.remove(u'\r');
    if (line.trimmed().isEmpty()) continue;
    ValueReader r(line);
    if (!parse(r)) {
      if (error)
        *error = QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」の%2行目が正しくありません。\n%3")
                     .arg(label)
                     .arg(n + 1)
                     .arg(path);
      return false;
    }
  }
  return true;
}

bool openInfoReader(const QString& path, const QString& file, ValueReader& reader, QString* error) {
  QString readError;
  if (!ValueReader::fromFile(path, reader, &readError)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」を読み込めません。\n%2").arg(file, readError);
    return false;
  }
  return true;
}

// The checks every era read from a file must pass: its folder and image
// names stay inside the data folder and its years are years.
bool checkEra(const Era& e, const QString& file, const QString& path, QString* error) {
  if (!isSingleName(e.name)) {
    if (error)
      *error =
          QCoreApplication::translate(
              "kavalo::EraInfoFiles",
              "「%1」の時期名「%2」はフォルダ名として使えません（「..」、区切り文字、ドライブ名は使えません）。\n%3")
              .arg(file, e.name, path);
    return false;
  }
  if (!isSingleName(e.ext)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::EraInfoFiles",
                                           "「%1」の時期「%2」の拡張子「%3」が正しくありません。\n%4")
                   .arg(file, e.name, e.ext, path);
    return false;
  }
  if (!validYears(e)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::EraInfoFiles",
                                           "「%1」の時期「%2」の年（%3、%4）が正しくありません。\n%5")
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
  if (!openInfoReader(path, file, r, error)) return false;
  int32_t count = 0;
  if (!readCount(r, count)) {
    if (error)
      *error =
          QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」の件数が正しくありません。\n%2").arg(file, path);
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
        *error = QCoreApplication::translate("kavalo::EraInfoFiles",
                                             "「%1」の時期「%2」の図郭の種類（%3）が正しくありません。\n%4")
                     .arg(file, e.name)
                     .arg(e.frameType)
                     .arg(path);
      return false;
    }
    // The history columns of the scanned-sheet eras are 0 to count - 1.
    if (e.historyColumn < 0 || e.historyColumn >= count) {
      if (error)
        *error =
            QCoreApplication::translate("kavalo::EraInfoFiles",
                                        "「%1」の時期「%2」の図歴の列（%3）が正しくありません（0から%4まで）。\n%5")
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
  if (!openInfoReader(path, file, r, error)) return false;
  int32_t count = 0;
  if (!readCount(r, count)) {
    if (error)
      *error =
          QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」の件数が正しくありません。\n%2").arg(file, path);
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

QByteArray agencyInfoBytes(const std::vector<Era>& fileEras) {
  ValueWriter w;
  w.numberLine(static_cast<int64_t>(fileEras.size()));
  for (const Era& e : fileEras)
    w.text(e.name).comma().number(e.yearFrom).comma().number(e.yearTo).comma().textLine(e.acquiredText);
  return w.bytes();
}

bool readOrthoInfo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  ValueReader r{QString()};
  if (!openInfoReader(path, file, r, error)) return false;
  int32_t count = 0;
  if (!readCount(r, count)) {
    if (error)
      *error =
          QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」の件数が正しくありません。\n%2").arg(file, path);
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
        *error = QCoreApplication::translate("kavalo::EraInfoFiles",
                                             "「%1」の時期「%2」の撮影時期の番号（%3）が正しくありません。\n%4")
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

bool readRapidSurveyInfo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  ValueReader r{QString()};
  int32_t flag = 0;
  if (!openInfoReader(path, file, r, error)) return false;
  if (!r.readInt(flag) || flag != 1) return true;
  Era e;
  e.name = QStringLiteral("JINNSOKU");
  e.yearFrom = 1880;
  e.yearTo = 1885;
  e.kind = kRapidSurvey;
  e.tileStyle = kPhoto;
  e.frameType = kWorldFrame;
  e.ext = QStringLiteral("jpg");
  e.historyColumn = -1;
  eras.push_back(e);
  return true;
}

static bool readGeoBox(ValueReader& r, GeoBox& box) {
  return r.readSingle(box.west) && r.readSingle(box.east) && r.readSingle(box.north) && r.readSingle(box.south);
}

bool readTwentyThousandInfo(const QString& path, const QString& file, Era& e, QString* error) {
  ValueReader r{QString()};
  if (!openInfoReader(path, file, r, error)) return false;
  auto broken = [&]() {
    if (error)
      *error = QCoreApplication::translate("kavalo::EraInfoFiles", "「%1」の形式が正しくありません（%2行目付近）。\n%3")
                   .arg(file)
                   .arg(r.lineNumber())
                   .arg(path);
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
        *error = QCoreApplication::translate("kavalo::EraInfoFiles",
                                             "「%1」の画像名「%2」が正しくありません（%3行目付近）。\n%4")
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

}  // namespace kavalo
