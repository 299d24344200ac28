// SPDX-License-Identifier: MIT
#include "geo/PointFacts.h"

#include "geo/CursorReadout.h"
#include "model/AltitudeGrid.h"
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "platform/Numbers.h"

namespace kavalo {

namespace {

// The scanned sheet under the point, read from the sheet history exactly as
// the lblMap caption reads it.
void scannedSheetFacts(PointFacts& facts, const ProgramState& state, const Era& era, float x, float y) {
  const SheetCell cell = SheetCellAt(state.mapInfo, x, y, era.frameType);
  if (!cell.inRange) return;
  const SheetHistory& history = state.history;
  const int64_t e = era.historyColumn;
  const QString& own = history.atEra(cell.column, cell.row, e, 0);
  const QString& borrowed = history.atEra(cell.column, cell.row, e, 1);
  int64_t column = e;
  if (own.isEmpty()) {
    if (borrowed.isEmpty()) return;  // no sheet of this era there
    column = roundToInt(static_cast<double>(e) + leadingNumber(borrowed));
    facts.borrowed = true;
  }
  facts.sheet = history.at(cell.column, cell.row, 0, 0);
  facts.edition = history.atEra(cell.column, cell.row, column, 0);
  facts.issued = history.atEra(cell.column, cell.row, column, 1);
}

}  // namespace

PointFacts computePointFacts(const ProgramState& state, const Viewport& view, float px, float py) {
  PointFacts facts;
  const ImagePoint p = view.ScreenToImage(px, py);
  facts.tokyo = ImageToLatLon(state.mapInfo, p.x, p.y, 0);
  facts.world = ImageToLatLon(state.mapInfo, p.x, p.y, 1);
  const Elevation e = ElevationAt(state.altitude, p.x, p.y);
  facts.sea = e.kind == ElevationKind::Sea;
  if (e.kind == ElevationKind::Land) facts.elevation = e.tenths / 10.0;
  if (!state.hasEra()) return facts;
  const Era& era = state.currentEra();
  const EraSheets sheets = eraSource(era).sheets;
  if (sheets == EraSheets::History) {
    scannedSheetFacts(facts, state, era, p.x, p.y);
  } else if (sheets == EraSheets::Index) {
    if (const SheetIndexEntry* s = sheetIndexEntryAt(state, view, era, px, py))
      facts.sheet = s->code + u'(' + s->name + u')';
  }
  return facts;
}

}  // namespace kavalo
