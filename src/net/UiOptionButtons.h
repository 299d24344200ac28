// SPDX-License-Identifier: MIT
#pragma once
// The acquisition dialogs keep their choices in rows of option buttons.
#include <QList>

class QAbstractButton;

namespace kavalo {

// The index of the first checked button, scanning from 0; -1 when none is
// (a missing button counts as unchecked).
int SelectedOptionIndex(const QList<QAbstractButton*>& options);

}  // namespace kavalo
