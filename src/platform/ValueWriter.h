// SPDX-License-Identifier: MIT
#pragma once
// Writes the program's text files in their fixed form: numbers framed by the
// sign place (a blank, or "-") and one trailing blank, singles with at most
// seven significant digits, texts as they are, lines ended by CR LF, the whole
// encoded as Shift-JIS.
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace kavalo {

class ValueWriter {
 public:
  ValueWriter& number(int64_t v);
  ValueWriter& single(float v);
  ValueWriter& text(const QString& v);
  ValueWriter& comma() { return text(QStringLiteral(",")); }
  ValueWriter& endLine() { return text(QStringLiteral("\r\n")); }

  // One number (or text) alone on its line.
  ValueWriter& numberLine(int64_t v) { return number(v).endLine(); }
  ValueWriter& singleLine(float v) { return single(v).endLine(); }
  ValueWriter& textLine(const QString& v) { return text(v).endLine(); }

  const QString& content() const { return content_; }

  // The Shift-JIS bytes; *ok becomes false when a character has no Shift-JIS
  // form.
  QByteArray bytes(bool* ok = nullptr) const;

  // Replaces the file atomically (the old file or the new one, never half).
  bool save(const QString& path, QString* error = nullptr) const;

  static QString numberField(int64_t v);
  static QString singleField(float v);

 private:
  QString content_;
};

}  // namespace kavalo
