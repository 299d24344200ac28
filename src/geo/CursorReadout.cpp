// SPDX-License-Identifier: MIT
#include "geo/CursorReadout.h"

#include <QCoreApplication>
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

// "北緯35度40分12.3秒" (the line's text as a whole, with its three numbers),
// ended by a carriage return.
void appendDmsLine(QString& out, const char* line, float degrees) {
  const DMS dms = DegToDMS(degrees);
  out += QCoreApplication::translate("kavalo::CursorReadout", line)
             .arg(QString::number(std::abs(dms.degrees)), QString::number(dms.minutes), secondsText(dms.seconds));
  out += kCR;
}

void appendElevation(QString& out, const Elevation& e) {
  QString value;
  if (e.kind == ElevationKind::Sea) {
    value = QCoreApplication::translate("kavalo::CursorReadout", "海面");
  } else if (e.kind == ElevationKind::Land) {
    value = QCoreApplication::translate("kavalo::CursorReadout", "%1m").arg(shortestDoubleText(e.tenths / 10.0));
  }
  out += QCoreApplication::translate("kavalo::CursorReadout", "標高：%1").arg(value);
}

// "(edition,date発行)" of the era column `column` (history column + 1) at a
// sheet cell.
void appendEdition(QString& out, const SheetHistory& history, const SheetCell& cell, int64_t column) {
  out += QCoreApplication::translate("kavalo::CursorReadout", "(%1,%2発行)")
             .arg(history.atEra(cell.column, cell.row, column, 0), history.atEra(cell.column, cell.row, column, 1));
  out += kCR;
}

// The scanned sheet of the era under the point: its own edition, none, or
// the edition it borrows (then shown in bold).
void scannedSheetText(PointInfo& info, const ProgramState& state, const Era& era, float x, float y) {
  const SheetCell cell = SheetCellAt(state.mapInfo, x, y, era.frameType);
  if (!cell.inRange) {
    info.lblMap = QCoreApplication::translate("kavalo::CursorReadout", "地形図：範囲外");
    return;
  }
  const SheetHistory& history = state.history;
  const int64_t e = era.historyColumn;
  const QString& sheetName = history.at(cell.column, cell.row, 0, 0);
  const QString& own = history.atEra(cell.column, cell.row, e, 0);
  const QString& borrowed = history.atEra(cell.column, cell.row, e, 1);
  QString& out = info.lblMap;
  if (!own.isEmpty()) {
    out = QCoreApplication::translate("kavalo::CursorReadout", "地形図：%1").arg(sheetName);
    appendEdition(out, history, cell, e);
  } else if (borrowed.isEmpty()) {
    out = QCoreApplication::translate("kavalo::CursorReadout", "地形図なし");
    out += kCR;
  } else {
    const int64_t g = roundToInt(static_cast<double>(e) + leadingNumber(borrowed));
    out = QCoreApplication::translate("kavalo::CursorReadout", "地形図：!!%1").arg(sheetName);
    appendEdition(out, history, cell, g);
    info.bold = true;
  }
}

}  // namespace

QString usersEraSourceText(const Era& era) {
  if (eraSource(era).readout == EraReadoutStyle::Scan) {
    // The scan's file and the credit the user gave it.
    const QString scan = era.origin.isEmpty() ? era.label : era.origin;
    QString text = era.kind == kImportedPhoto
                       ? QCoreApplication::translate("kavalo::CursorReadout", "取り込んだ写真：%1").arg(scan)
                       : QCoreApplication::translate("kavalo::CursorReadout", "取り込んだ地図：%1").arg(scan);
    if (!era.attribution.isEmpty())
      text += QCoreApplication::translate("kavalo::CursorReadout", "（%1）", "a scan's credit").arg(era.attribution);
    return text;
  }
  // The service by its host (the last version kept only its attribution)
  // and the day its tiles were fetched.
  QString service = xyzServiceHost(era.origin);
  if (service.isEmpty()) service = era.attribution;
  return QCoreApplication::translate("kavalo::CursorReadout", "XYZタイル（%1）：%2保存").arg(service, era.acquiredText);
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
  if (shown == nullptr) return QCoreApplication::translate("kavalo::CursorReadout", "なし", "no sheet");
  if (const SheetIndexEntry* s = sheetIndexEntryAt(state, view, *shown, px, py)) return s->code + u'(' + s->name + u')';
  return QCoreApplication::translate("kavalo::CursorReadout", "なし", "no sheet");
}

const SheetIndexEntry* sheetIndexEntryAt(const ProgramState& state, const Viewport& view, const Era& era, float px,
                                         float py) {
  const ImagePoint p = view.ScreenToImage(px, py);
  // The sheet index is kept in the datum of the era's frames.
  const LatLon ll = ImageToLatLon(state.mapInfo, p.x, p.y, era.frameType == kWorldFrame ? 1 : 0);
  for (const SheetIndexEntry& s : era.sheetIndex) {
    if (s.box.west <= ll.lon && ll.lon < s.box.east && s.box.south <= ll.lat && ll.lat < s.box.north) return &s;
  }
  return nullptr;
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
  appendDmsLine(text, QT_TRANSLATE_NOOP("kavalo::CursorReadout", "北緯%1度%2分%3秒"), ll.lat);
  appendDmsLine(text, QT_TRANSLATE_NOOP("kavalo::CursorReadout", "東経%1度%2分%3秒"), ll.lon);
  text += datum == 1 ? QCoreApplication::translate("kavalo::CursorReadout", "　　　(世界測地系)")
                     : QCoreApplication::translate("kavalo::CursorReadout", "　　　(日本測地系)");
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
      info.lblMap = QCoreApplication::translate("kavalo::CursorReadout",
                                                "電子国土基本図（地図情報）／ウォッちず（国土地理院）：%1保存")
                        .arg(era.acquiredText);
      break;
    case EraReadoutStyle::AirPhoto:
      info.lblMap = QCoreApplication::translate("kavalo::CursorReadout", "国土画像情報%1期（%2）")
                        .arg(QString::number(static_cast<int64_t>(era.periodCode) + 1),
                             EraPeriodShown(era, state.view.eraLabelStyle));
      break;
    case EraReadoutStyle::RapidSurvey:
      info.lblMap = QCoreApplication::translate("kavalo::CursorReadout",
                                                "歴史的農業環境閲覧システム（農業環境技術研究所）：迅速測図（%1）")
                        .arg(EraPeriodShown(era, state.view.eraLabelStyle));
      break;
    case EraReadoutStyle::SheetIndex:
      info.lblMap = QCoreApplication::translate("kavalo::CursorReadout", "1/20,000地形図：%1")
                        .arg(Get_2manSheetInfo(state, view, eraIndex, px, py));
      break;
    case EraReadoutStyle::AgencyOrtho:
      info.lblMap = QCoreApplication::translate("kavalo::CursorReadout", "電子国土基本図（オルソ画像）：%1保存")
                        .arg(era.acquiredText);
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
