// SPDX-License-Identifier: MIT
#pragma once
// Whether a text shown in English still holds Japanese: kana, kanji or
// full-width forms.
#include <QRegularExpression>
#include <QString>

namespace kavalo::test {

inline bool hasJapanese(const QString& text) {
  static const QRegularExpression japanese(
      QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  return text.contains(japanese);
}

}  // namespace kavalo::test
