// SPDX-License-Identifier: MIT
#include "net/UiOptionButtons.h"

#include <QAbstractButton>

namespace kavalo {

int SelectedOptionIndex(const QList<QAbstractButton*>& options) {
  for (qsizetype i = 0; i < options.size(); ++i)
    if (options[i] && options[i]->isChecked()) return static_cast<int>(i);
  return -1;
}

}  // namespace kavalo
