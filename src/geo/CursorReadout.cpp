#include "geo/CursorReadout.h"

#include <cstdlib>

#include "model/AltitudeGrid.h"
#include "model/EraLabels.h"
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "model/XyzEras.h"
#include "platform/Numbers.h"

namespace kavalo {

QString secondsText(float seconds) { return shortestSingleText(seconds).left(4); }

namespace {

constexpr QChar kCR = QChar(13);

// "北緯35度40分12.3秒", ended by a carriage return.
void appendDmsLine(QString& out, const QString& prefix, float degrees) {
  const DMS dms = DegToDMS(degrees);
  out += prefix;
  out += QString::number(std::abs(dms.degrees));
  out += QStringLiteral("度");
  out += QString::number(dms.minutes);
  out += QStringLiteral("分");
  out += secondsText(dms.seconds);
  out += QStringLiteral("秒");
  out += kCR;
}

void appendElevation(QString& out, const Elevation& e) {
  out += QStringLiteral("標高：");
  if (e.kind == ElevationKind::Sea) {
    out += QStringLiteral("海面");
  } else if (e.kind == ElevationKind::Land) {
    out += shortestDoubleText(e.tenths / 10.0);
    out += u'm';
  }
}

// "(edition,date発行)" of the era column `column` (history column + 1) at a
// sheet cell.
void appendEdition(QString& out, const SheetHistory& history, const SheetCell& cell, int64_t column) {
  out += u'(';
  out += history.atEra(cell.column, cell.row, column, 0);
  out += u',';
  out += history.atEra(cell.column, cell.row, column, 1);
  out += QStringLiteral("発行)");
  out += kCR;
}

// The scanned sheet of the era under the point: its own edition, none, or
// the edition it borrows (then shown in bold).
void scannedSheetText(PointInfo& info, const ProgramState& state, const Era& era, float x, float y) {
  const SheetCell cell = SheetCellAt(state.mapInfo, x, y, era.frameType);
  if (!cell.inRange) {
    info.lblMap = QStringLiteral("地形図：範囲外");
    return;
  }
  const SheetHistory& history = state.history;
  const int64_t e = era.historyColumn;
  const QString& sheetName = history.at(cell.column, cell.row, 0, 0);
  const QString& own = history.atEra(cell.column, cell.row, e, 0);
  const QString& borrowed = history.atEra(cell.column, cell.row, e, 1);
  QString& out = info.lblMap;
  if (!own.isEmpty()) {
    out = QStringLiteral("地形図：");
    out += sheetName;
    appendEdition(out, history, cell, e);
  } else if (borrowed.isEmpty()) {
    out = QStringLiteral("地形図なし");
    out += kCR;
  } else {
    const int64_t g = roundToInt(static_cast<double>(e) + leadingNumber(borrowed));
    out = QStringLiteral("地形図：!!");
    out += sheetName;
    appendEdition(out, history, cell, g);
    info.bold = true;
  }
}

}  // namespace

QString usersEraSourceText(const Era& era) {
  if (eraSource(era).readout == EraReadoutStyle::Scan) {
    // The scan's file and the credit the user gave it.
    QString text =
        (era.kind == kImportedPhoto ? QStringLiteral("取り込んだ写真：") : QStringLiteral("取り込んだ地図："));
    text += era.origin.isEmpty() ? era.label : era.origin;
    if (!era.attribution.isEmpty()) text += QStringLiteral("（") + era.attribution + QStringLiteral("）");
    return text;
  }
  // The service by its host (the last version kept only its attribution)
  // and the day its tiles were fetched.
  QString service = xyzServiceHost(era.origin);
  if (service.isEmpty()) service = era.attribution;
  return QStringLiteral("XYZタイル（") + service + QStringLiteral("）：") + era.acquiredText + QStringLiteral("保存");
}

namespace {

const Era* eraAt(const ProgramState& state, int eraIndex) {
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size())) return nullptr;
  return &state.eras[static_cast<size_t>(eraIndex)];
}

}  // namespace

QString Get_2manSheetInfo(const ProgramState& state, const Viewport& view, float px, float py) {
  return Get_2manSheetInfo(state, view, state.view.eraIndex, px, py);
}

QString Get_2manSheetInfo(const ProgramState& state, const Viewport& view, int eraIndex, float px, float py) {
  const Era* shown = eraAt(state, eraIndex);
  if (shown == nullptr) return QStringLiteral("なし");
  const Era& era = *shown;
  const ImagePoint p = view.ScreenToImage(px, py);
  // The sheet index is kept in the datum of the era's frames.
  const LatLon ll = ImageToLatLon(state.mapInfo, p.x, p.y, era.frameType == kWorldFrame ? 1 : 0);
  for (const SheetIndexEntry& s : era.sheetIndex) {
    if (s.box.west <= ll.lon && ll.lon < s.box.east && s.box.south <= ll.lat && ll.lat < s.box.north)
      return s.code + u'(' + s.name + u')';
  }
  return QStringLiteral("なし");
}

PointInfo computePointInfo(const ProgramState& state, const Viewport& view, float px, float py) {
  return computePointInfo(state, view, state.view.eraIndex, px, py);
}

PointInfo computePointInfo(const ProgramState& state, const Viewport& view, int eraIndex, float px, float py) {
  PointInfo info;
  const ImagePoint p = view.ScreenToImage(px, py);
  const int datum = state.view.datumFlag;
  const LatLon ll = ImageToLatLon(state.mapInfo, p.x, p.y, datum);

  QString& text = info.lblInfo;
  text.reserve(64);
  appendDmsLine(text, QStringLiteral("北緯"), ll.lat);
  appendDmsLine(text, QStringLiteral("東経"), ll.lon);
  text += datum == 1 ? QStringLiteral("　　　(世界測地系)") : QStringLiteral("　　　(日本測地系)");
  text += kCR;
  appendElevation(text, ElevationAt(state.altitude, p.x, p.y));

  const Era* described = eraAt(state, eraIndex);
  if (described == nullptr) return info;
  const Era& era = *described;
  switch (eraSource(era).readout) {
    case EraReadoutStyle::SheetHistory:
      scannedSheetText(info, state, era, p.x, p.y);
      break;
    case EraReadoutStyle::AgencyMap:
      info.lblMap = QStringLiteral("電子国土基本図（地図情報）／ウォッちず（国土地理院）：") + era.acquiredText +
                    QStringLiteral("保存");
      break;
    case EraReadoutStyle::AirPhoto:
      info.lblMap = QStringLiteral("国土画像情報") + QString::number(static_cast<int64_t>(era.periodCode) + 1) +
                    QStringLiteral("期（") + EraPeriodText(era, state.view.eraLabelStyle) + QStringLiteral("）");
      break;
    case EraReadoutStyle::RapidSurvey:
      info.lblMap = QStringLiteral("歴史的農業環境閲覧システム（農業環境技術研究所）：迅速測図（") +
                    EraPeriodText(era, state.view.eraLabelStyle) + QStringLiteral("）");
      break;
    case EraReadoutStyle::SheetIndex:
      info.lblMap = QStringLiteral("1/20,000地形図：") + Get_2manSheetInfo(state, view, eraIndex, px, py);
      break;
    case EraReadoutStyle::AgencyOrtho:
      info.lblMap = QStringLiteral("電子国土基本図（オルソ画像）：") + era.acquiredText + QStringLiteral("保存");
      break;
    case EraReadoutStyle::TileService:
    case EraReadoutStyle::Scan:
      info.lblMap = usersEraSourceText(era);
      break;
    case EraReadoutStyle::None:
      break;
  }
  return info;
}

}  // namespace kavalo
