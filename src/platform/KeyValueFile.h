// SPDX-License-Identifier: MIT
#pragma once
// The program's own small settings files (the window settings, the server
// addresses): UTF-8 text, one "key = value" per line, blanks around both
// ignored, empty lines and lines starting with # skipped. Each caller gives
// its keys their meaning; a line that is not key = value comes back with an
// empty key so that the caller can report it.
#include <QString>
#include <vector>

namespace kavalo {

struct KeyValueLine {
  int number = 0;  // 1 for the file's first line
  QString key;     // empty: the line has no "="
  QString value;
  QString text;  // the whole line, trimmed
};

std::vector<KeyValueLine> parseKeyValueText(const QString& text);

// The lines of a file. An absent file has none; false with the reason when
// the file exists but cannot be read.
bool readKeyValueFile(const QString& path, std::vector<KeyValueLine>& lines, QString* error = nullptr);

}  // namespace kavalo
