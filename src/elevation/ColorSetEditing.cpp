// SPDX-License-Identifier: MIT
#include "elevation/ColorSetEditing.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <utility>

#include "elevation/ColorPalette.h"
#include "platform/Numbers.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

// Elevations typed with the input method come in full-width digits, a
// full-width point or minus; they read as their plain forms.
QString plainDigits(const QString& text) { return text.normalized(QString::NormalizationForm_KC).trimmed(); }

// The whole text as one finite number that a single can hold, in double
// precision: the range check compares it with the grid's tenths as they are,
// so a breakpoint typed exactly at the highest point is not pushed over it
// by the single's rounding.
std::optional<double> wholeNumber(const QString& text) {
  bool ok = false;
  const double v = plainDigits(text).toDouble(&ok);  // C notation, whatever the locale
  if (!ok || !std::isfinite(v) || !std::isfinite(toSingle(v))) return std::nullopt;
  return v;
}

}  // namespace

ColourEntries entriesFromSet(const ColorSet& set) {
  ColourEntries e;
  e.colours[kTopSwatch] = set.top;
  e.colours[kBottomSwatch] = set.bottom;
  e.colours[kSeaSwatch] = set.sea;
  e.shownRows = std::clamp(set.breakpointCount, 0, kMaxBreakpoints);
  for (int i = 0; i < kMaxBreakpoints; ++i) {
    const size_t row = static_cast<size_t>(kFirstBreakpointRow + i);
    e.colours[row] = set.colours[static_cast<size_t>(i)];
    if (i < e.shownRows) e.texts[row] = shortestSingleText(set.elevations[static_cast<size_t>(i)]);
  }
  return e;
}

void addBreakpointRow(ColourEntries& e) {
  if (e.shownRows >= kMaxBreakpoints) return;
  e.texts[static_cast<size_t>(kFirstBreakpointRow + e.shownRows)] = QStringLiteral("0");
  ++e.shownRows;
}

void eraseBreakpointRow(ColourEntries& e, int row) {
  if (!e.shown(row)) return;
  for (size_t r = static_cast<size_t>(row); r < kLastBreakpointRow; ++r) {
    e.texts[r] = e.texts[r + 1];
    e.colours[r] = e.colours[r + 1];
  }
  --e.shownRows;
}

void arrangeBreakpointRows(ColourEntries& e) {
  const size_t first = kFirstBreakpointRow;
  const size_t end = first + static_cast<size_t>(e.shownRows);
  for (size_t a = first; a < end; ++a) {
    for (size_t b = a + 1; b < end; ++b) {
      if (elevationTextValue(e.texts[b]) > elevationTextValue(e.texts[a])) {
        std::swap(e.texts[a], e.texts[b]);
        std::swap(e.colours[a], e.colours[b]);
      }
    }
  }
}

double elevationTextValue(const QString& text) { return leadingNumber(plainDigits(text)); }

std::optional<float> parseElevationText(const QString& text) {
  const auto v = wholeNumber(text);
  if (!v) return std::nullopt;
  return toSingle(*v);
}

bool validateColourEntries(const ColourEntries& e, const AltitudeGrid& grid, Prompts& prompts) {
  bool ok = true;
  const double highest = grid.highest / 10.0;
  const double lowest = grid.lowest / 10.0;
  for (int row = kFirstBreakpointRow; row < kFirstBreakpointRow + e.shownRows; ++row) {
    const QString& text = e.texts[static_cast<size_t>(row)];
    // A text that is not a number cannot be stored: it is refused here,
    // naming its row, rather than passing the range check as 0.
    const auto v = wholeNumber(text);
    if (!v) {
      prompts.message(
          QCoreApplication::translate("kavalo::ColorSetEditing", "%1番目の区切りの標高「%2」は数値ではありません。")
              .arg(row - kFirstBreakpointRow + 1)
              .arg(text),
          MessageIcon::Exclamation);
      ok = false;
      break;
    }
    if (*v > highest || *v < lowest) {
      prompts.message(
          QCoreApplication::translate("kavalo::ColorSetEditing", "数値が最高地点と最低地点の範囲を外れています。"),
          MessageIcon::None);
      ok = false;
      break;
    }
  }
  bool anyColour = false;
  for (int i = 0; i < kSwatches; ++i) {
    if (i >= kFirstBreakpointRow && !e.shown(i)) continue;
    if (e.colours[static_cast<size_t>(i)] != kWhite) anyColour = true;
  }
  if (!anyColour) {
    prompts.message(QCoreApplication::translate("kavalo::ColorSetEditing",
                                                "すべての色を白にすることは国土地理院により禁止されています。"),
                    MessageIcon::Exclamation);
    ok = false;
  }
  return ok;
}

void storeColourEntries(const ColourEntries& e, ColorSet& set) {
  set.sea = e.colours[kSeaSwatch];
  set.top = e.colours[kTopSwatch];
  set.bottom = e.colours[kBottomSwatch];
  int n = 0;
  for (int row = kFirstBreakpointRow; row < kFirstBreakpointRow + e.shownRows; ++row) {
    const auto value = parseElevationText(e.texts[static_cast<size_t>(row)]);
    if (!value) continue;
    set.elevations[static_cast<size_t>(n)] = *value;
    set.colours[static_cast<size_t>(n)] = e.colours[static_cast<size_t>(row)];
    ++n;
  }
  set.breakpointCount = n;
  // The colours of the hidden rows stay with the set, so that a row added at
  // the next edit shows the colour it had.
  for (int row = kFirstBreakpointRow + e.shownRows; row <= kLastBreakpointRow && n < kMaxBreakpoints; ++row, ++n)
    set.colours[static_cast<size_t>(n)] = e.colours[static_cast<size_t>(row)];
}

}  // namespace kavalo
