// SPDX-License-Identifier: MIT
#pragma once
// What the colour-set editor holds while the user works: the eight colour
// swatches (highest point, lowest point, sea, then up to five breakpoint
// rows) and the elevation texts of the breakpoint rows, with the rules of
// adding, erasing, sorting, checking and storing them.
#include <QString>
#include <array>
#include <optional>

#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"

namespace kavalo {

class Prompts;

constexpr int kTopSwatch = 0;
constexpr int kBottomSwatch = 1;
constexpr int kSeaSwatch = 2;
constexpr int kFirstBreakpointRow = 3;
constexpr int kLastBreakpointRow = 7;
constexpr int kSwatches = 8;

struct ColourEntries {
  std::array<Colour, kSwatches> colours{};
  std::array<QString, kSwatches> texts;  // rows 3 to 7
  int shownRows = 0;                     // breakpoint rows shown, from row 3 on, 0 to 5

  bool shown(int row) const { return row >= kFirstBreakpointRow && row < kFirstBreakpointRow + shownRows; }
};

// The editor's entries for a set: its breakpoints in rows 3 on. Hidden rows
// keep the colours the set still holds past its count, so a row added again
// shows the colour it had.
ColourEntries entriesFromSet(const ColorSet& set);

// Shows the first hidden row with the text "0" and whatever colour it last
// had. Nothing happens with all five rows shown.
void addBreakpointRow(ColourEntries& e);

// Erases breakpoint row `row` (3 to 7): every row from it to row 6 takes the
// text and colour of the row below, then the lowest shown row is hidden.
void eraseBreakpointRow(ColourEntries& e, int row);

// Sorts the shown rows by the value of their texts, highest first, by
// exchanging texts and colours of any lower row whose value is greater.
// Rows of equal value may change places.
void arrangeBreakpointRows(ColourEntries& e);

// The value of an elevation text as the range check and the sort read it:
// the leading number, full-width digits read as digits, 0 when there is none.
double elevationTextValue(const QString& text);

// The elevation an entire text stands for, or nothing when the text is not
// one finite number (blank, "12m", "abc").
std::optional<float> parseElevationText(const QString& text);

// The checks before OK, both always made: every shown row must hold a number
// between the grid's lowest and highest elevation (the first failing row is
// reported), and not every shown swatch may be white. False with the
// messages shown when either fails.
bool validateColourEntries(const ColourEntries& e, const AltitudeGrid& grid, Prompts& prompts);

// Puts the colours and breakpoints into a set (name, shading and light are
// the form's). Rows whose text is not a number are left out; on OK every row
// has been checked before.
void storeColourEntries(const ColourEntries& e, ColorSet& set);

}  // namespace kavalo
