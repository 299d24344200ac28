// SPDX-License-Identifier: MIT
#pragma once
// The user's marks of a data folder: named points in the world datum, kept in
// a .kmk file in the data folder.
#include <QString>
#include <vector>

namespace kavalo {

struct Mark {
  float lat = 0.0f;  // degrees, world datum
  float lon = 0.0f;
  QString name;
};

// A count and an array of slots. Adding to a full array grows it to count + 6
// slots; after a load it has count + 1 slots.
class MarkList {
 public:
  int count() const { return count_; }
  int slotCount() const { return static_cast<int>(slots_.size()); }
  const Mark& at(int i) const { return slots_[static_cast<size_t>(i)]; }
  Mark& at(int i) { return slots_[static_cast<size_t>(i)]; }

  void add(const Mark& mark);
  // Removes mark i; the later marks move down by one place.
  void removeAt(int i);
  void clear();
  // Replaces the list with loaded marks (count + 1 slots).
  void assignLoaded(std::vector<Mark> marks);

 private:
  int count_ = 0;
  std::vector<Mark> slots_;
};

// The .kmk form: the count line, then one line per mark:
// " lat , lon ,name" (singles framed by the sign blank and a trailing blank).
// Loading a missing file gives an empty list and true. A malformed file gives
// false with a message; the list is then left as it was.
bool Get_MarkFile(const QString& path, MarkList& marks, QString* error);
bool Save_MarkFile(const QString& path, const MarkList& marks, QString* error = nullptr);

// A name as the file can hold it and give back unchanged. The format has no
// quoting, so a comma becomes the full-width "，" and a leading double quote
// the full-width "＂"; line breaks become blanks; blanks around the name are
// dropped (the reader skips them); a character that Shift-JIS cannot write
// becomes "?" (otherwise the whole file could not be written and every mark
// would be lost at exit). Names typed by the user are stored in this form at
// once, so that the list shows what the file will hold.
QString storableMarkName(const QString& name);

}  // namespace kavalo
