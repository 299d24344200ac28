// SPDX-License-Identifier: MIT
#pragma once
// The chooser's working list: a copy of the colour sets that the chooser
// changes freely and hands back only on OK, with the rule that decides
// whether the map must be coloured anew.
#include <vector>

#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"

namespace kavalo {

// True when two sets colour the map alike: the three fixed colours, the
// shading, its strength and light, and the breakpoints in use. The name and
// breakpoint entries beyond the count do not colour anything.
bool sameColouring(const ColorSet& a, const ColorSet& b);

class ColorSetWorkingList {
 public:
  explicit ColorSetWorkingList(const ColorSetList& list);

  int count() const { return static_cast<int>(sets_.size()); }
  int selected() const { return selected_; }
  const ColorSet& set(int i) const { return sets_[static_cast<size_t>(i)]; }
  ColorSet& set(int i) { return sets_[static_cast<size_t>(i)]; }
  bool marked(int i) const { return marked_[static_cast<size_t>(i)]; }
  // The selected set as the chooser found it.
  const ColorSet& snapshot() const { return snapshot_; }

  void select(int i);
  void setMarked(int i, bool marked);
  // A new set with the starting values, named "新規"; its breakpoint lies
  // halfway up the grid's elevation range. The selection stays.
  void add(const AltitudeGrid& grid);
  // A new last set like set i, named after it with "(コピー)".
  void copy(int i, const AltitudeGrid& grid);

  enum class Outcome {
    SelectedMarked,  // refused: the selected set is marked for deletion
    Unchanged,       // accepted; the selected set colours the map as before
    Changed,         // accepted; the map must be coloured anew
  };
  // OK: the unmarked sets in order become the list, the selection follows
  // its set. The list is left alone when the answer is SelectedMarked.
  Outcome confirm(ColorSetList& list) const;

 private:
  std::vector<ColorSet> sets_;
  std::vector<bool> marked_;
  int selected_ = 0;
  ColorSet snapshot_;
};

// The chooser shows `visible` rows at a time; the first row shown for a
// selected row, moving as little as possible from the first row shown now.
int scrollToShow(int selectedRow, int firstShown, int visible, int count);

}  // namespace kavalo
