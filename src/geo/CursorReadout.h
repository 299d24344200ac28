// SPDX-License-Identifier: MIT
#pragma once
// The description of the point under the mouse: latitude and longitude in
// degrees, minutes and seconds with the datum and the ground elevation
// (lblInfo), and the map sheet or image source of the shown era at that point
// (lblMap, bold when the sheet is borrowed from another edition). Runs on
// every mouse move: arithmetic, one grid read and table look-ups, no files.
#include <QString>

#include "model/Coordinates.h"
#include "model/Era.h"

namespace kavalo {

struct ProgramState;

struct PointInfo {
  QString lblInfo;  // lines separated by carriage returns (character 13)
  QString lblMap;
  bool bold = false;  // lblMap names a sheet of another edition
};

// The seconds of a position line: the first four characters of the shortest
// plain text of the single (12.345678 -> 12.3, 5.6789 -> 5.67, 7 -> 7).
QString secondsText(float seconds);

// The readout at view pixel (px, py) of a view of the state's dataset, in the
// state's datum and era label style, describing era eraIndex (an index of
// state.eras; none out of range). A comparison describes the era under the
// pointer, which need not be the shown one.
PointInfo computePointInfo(const ProgramState& state, const Viewport& view, int eraIndex, float px, float py);
// The same for the shown era.
PointInfo computePointInfo(const ProgramState& state, const Viewport& view, float px, float py);

// What lblMap says of an era the user added: the tile service by its host
// and the day of the fetch, "XYZタイル（tile.example.org）：2026/05/01保存",
// or the scan and its credit, "取り込んだ地図：town plan.tif（市史）".
QString usersEraSourceText(const Era& era);

// The 1:20,000 sheet of era eraIndex at view pixel (px, py): "code(name)" of
// the first sheet of its index that holds the point, "なし" when none does.
QString Get_2manSheetInfo(const ProgramState& state, const Viewport& view, int eraIndex, float px, float py);
// The same for the shown era.
QString Get_2manSheetInfo(const ProgramState& state, const Viewport& view, float px, float py);
// The entry of era's sheet index under view pixel (px, py); null when none
// holds the point.
const SheetIndexEntry* sheetIndexEntryAt(const ProgramState& state, const Viewport& view, const Era& era, float px,
                                         float py);

}  // namespace kavalo
