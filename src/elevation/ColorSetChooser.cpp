// SPDX-License-Identifier: MIT
#include "elevation/ColorSetChooser.h"

#include <algorithm>

namespace kavalo {

bool sameColouring(const ColorSet& a, const ColorSet& b) {
  if (a.top != b.top || a.bottom != b.bottom || a.sea != b.sea || a.lightDirection != b.lightDirection ||
      a.shading != b.shading || a.strength != b.strength || a.breakpointCount != b.breakpointCount)
    return false;
  const int n = std::clamp(a.breakpointCount, 0, kMaxBreakpoints);
  for (size_t i = 0; i < static_cast<size_t>(n); ++i) {
    if (a.elevations[i] != b.elevations[i] || a.colours[i] != b.colours[i]) return false;
  }
  return true;
}

ColorSetWorkingList::ColorSetWorkingList(const ColorSetList& list) : sets_(list.sets), marked_(list.sets.size()) {
  // The list is never empty once the program has started; an empty one
  // (nothing read yet) gets the starting set so every row has a set.
  if (sets_.empty()) {
    sets_.push_back(defaultColorSetList().sets.front());
    marked_.assign(1, false);
  }
  selected_ = std::clamp(list.selected, 0, count() - 1);
  snapshot_ = set(selected_);
}

void ColorSetWorkingList::select(int i) {
  if (i >= 0 && i < count()) selected_ = i;
}

void ColorSetWorkingList::setMarked(int i, bool marked) {
  if (i >= 0 && i < count()) marked_[static_cast<size_t>(i)] = marked;
}

void ColorSetWorkingList::add(const AltitudeGrid& grid) {
  sets_.push_back(defaultColorSet(grid.lowest, grid.highest, QStringLiteral("新規")));  // stored
  marked_.push_back(false);
}

void ColorSetWorkingList::copy(int i, const AltitudeGrid& grid) {
  if (i < 0 || i >= count()) return;
  add(grid);
  sets_.back() = set(i);
  sets_.back().name = set(i).name + QStringLiteral("(コピー)");  // stored
}

ColorSetWorkingList::Outcome ColorSetWorkingList::confirm(ColorSetList& list) const {
  if (marked(selected_)) return Outcome::SelectedMarked;
  ColorSetList next;
  for (int i = 0; i < count(); ++i) {
    if (marked(i)) continue;
    if (i == selected_) next.selected = static_cast<int32_t>(next.sets.size());
    next.sets.push_back(set(i));
  }
  const bool same = sameColouring(next.current(), snapshot_);
  list = std::move(next);
  return same ? Outcome::Unchanged : Outcome::Changed;
}

int scrollToShow(int selectedRow, int firstShown, int visible, int count) {
  const int last = std::max(0, count - std::max(visible, 1));
  int first = std::clamp(firstShown, 0, last);
  if (selectedRow < first) first = selectedRow;
  if (visible > 0 && selectedRow > first + visible - 1) first = selectedRow - visible + 1;
  return std::clamp(first, 0, last);
}

}  // namespace kavalo
