// SPDX-License-Identifier: MIT
#pragma once
// The sheet history table of 図歴.csv: per sheet cell and history column two
// texts. Column 0 holds the sheet name in slot 0. Column k >= 1 belongs to the
// scanned-sheet era of historyColumn k - 1: slot 0 the edition text when the
// era has its own sheet there; slot 0 empty and slot 1 a whole number d when
// the sheet of the era d columns away is shown instead; both empty when there
// is no sheet.
#include <QString>
#include <cstdint>
#include <vector>

namespace kavalo {

class SheetHistory {
 public:
  // An empty table of sheetsX x sheetsY cells and the given history columns
  // (the scanned-sheet era count + 1).
  void reset(int sheetsX, int sheetsY, int historyColumns);

  int sheetsX() const { return sheetsX_; }
  int sheetsY() const { return sheetsY_; }
  int historyColumns() const { return columns_; }

  bool contains(int sheetColumn, int sheetRow, int historyColumn) const {
    return sheetColumn >= 0 && sheetColumn < sheetsX_ && sheetRow >= 0 && sheetRow < sheetsY_ && historyColumn >= 0 &&
           historyColumn < columns_;
  }

  // An empty text for cells outside the table.
  const QString& at(int sheetColumn, int sheetRow, int historyColumn, int slot) const;
  void set(int sheetColumn, int sheetRow, int historyColumn, int slot, const QString& text);

  // The texts of a scanned-sheet era's own column (its historyColumn + 1).
  // Taken wide, as a borrowed column is an era's column plus a number read
  // from the file: any value gives an empty text outside the table.
  const QString& atEra(int sheetColumn, int sheetRow, int64_t eraColumn, int slot) const {
    static const QString kEmpty;
    if (eraColumn < 0 || eraColumn + 1 >= columns_) return kEmpty;
    return at(sheetColumn, sheetRow, static_cast<int>(eraColumn + 1), slot);
  }

 private:
  size_t index(int sc, int sr, int hc, int slot) const {
    return ((static_cast<size_t>(sr) * columns_ + hc) * sheetsX_ + sc) * 2 + slot;
  }
  int sheetsX_ = 0;
  int sheetsY_ = 0;
  int columns_ = 0;
  std::vector<QString> texts_;
};

class ValueReader;

// Reads 図歴.csv: for each sheet row from north to south, each history column,
// each sheet column from west to east, two texts. The line structure is free.
// False with a message when the file ends early.
bool readSheetHistory(ValueReader& reader, SheetHistory& history, QString* error);

}  // namespace kavalo
