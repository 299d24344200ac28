// SPDX-License-Identifier: MIT
#include "model/SheetHistory.h"

#include <QCoreApplication>

#include "platform/ValueReader.h"

namespace kavalo {

void SheetHistory::reset(int sheetsX, int sheetsY, int historyColumns) {
  sheetsX_ = sheetsX;
  sheetsY_ = sheetsY;
  columns_ = historyColumns;
  texts_.assign(static_cast<size_t>(sheetsX) * sheetsY * historyColumns * 2, QString());
}

const QString& SheetHistory::at(int sheetColumn, int sheetRow, int historyColumn, int slot) const {
  static const QString kEmpty;
  if (!contains(sheetColumn, sheetRow, historyColumn) || slot < 0 || slot > 1) return kEmpty;
  return texts_[index(sheetColumn, sheetRow, historyColumn, slot)];
}

void SheetHistory::set(int sheetColumn, int sheetRow, int historyColumn, int slot, const QString& text) {
  if (!contains(sheetColumn, sheetRow, historyColumn) || slot < 0 || slot > 1) return;
  texts_[index(sheetColumn, sheetRow, historyColumn, slot)] = text;
}

bool readSheetHistory(ValueReader& reader, SheetHistory& history, QString* error) {
  for (int row = 0; row < history.sheetsY(); ++row) {
    for (int column = 0; column < history.historyColumns(); ++column) {
      for (int sheet = 0; sheet < history.sheetsX(); ++sheet) {
        for (int slot = 0; slot < 2; ++slot) {
          QString text;
          if (!reader.readText(text)) {
            if (error)
              *error = QCoreApplication::translate("kavalo::SheetHistory", "図歴.csvの値が足りません（%1行目）。")
                           .arg(reader.lineNumber());
            return false;
          }
          history.set(sheet, row, column, slot, text);
        }
      }
    }
  }
  return true;
}

}  // namespace kavalo
