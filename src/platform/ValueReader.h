// SPDX-License-Identifier: MIT
#pragma once
// Reads the program's text files as a list of values, the way they have
// always been written: a value ends at a comma or at the end of a line, blanks
// around it are skipped, and a value that begins with a double quote runs to
// the closing quote (so it may hold commas). A blank line and the empty field
// after a trailing comma are empty values. Numbers are the longest leading
// decimal number of the value (0 when there is none); integers are rounded
// half to even.
#include <QString>
#include <cstdint>

namespace kavalo {

// The longest line a file may have. Real lines are short (a 図歴.csv written
// on one line of a large region is some hundred kilobytes); a longer one is
// not text of the program, and reading it would take many times its size.
inline constexpr qsizetype kMaxLineBytes = 4 * 1024 * 1024;

class ValueReader {
 public:
  explicit ValueReader(QString text);

  // Reads a whole file as Shift-JIS. False (with a message in *error) when the
  // file cannot be read; invalid Shift-JIS and a line longer than
  // kMaxLineBytes are errors too.
  static bool fromFile(const QString& path, ValueReader& reader, QString* error);

  // True when no value is left. A comma at the very end still leaves one
  // empty field to read, as a CSV line "a,b," has three fields.
  bool atEnd() const { return pos_ >= text_.size() && !afterComma_; }

  // Each read returns false when the data ended before the value (reading past
  // the end); integer reads also fail when the number does not fit.
  bool readText(QString& out);
  bool readInt(int32_t& out);
  bool readInt16(int16_t& out);
  bool readSingle(float& out);
  bool readDouble(double& out);

  // Skips the rest of the current line (a heading line); false at the end.
  bool skipLine();

  // 1-based line number of the next value, for messages.
  int lineNumber() const { return line_; }

 private:
  void skipBlanks();
  void consumeLineEnd();
  void finishValue();

  QString text_;
  qsizetype pos_ = 0;
  bool afterComma_ = false;  // the last delimiter was a comma: an empty field may follow at the end
  int line_ = 1;
};

}  // namespace kavalo
