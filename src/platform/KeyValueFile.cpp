// SPDX-License-Identifier: MIT
#include "platform/KeyValueFile.h"

#include <QFile>

namespace kavalo {

std::vector<KeyValueLine> parseKeyValueText(const QString& text) {
  std::vector<KeyValueLine> out;
  const QStringList lines = text.split(u'\n');
  for (int i = 0; i < lines.size(); ++i) {
    const QString line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    KeyValueLine l;
    l.number = i + 1;
    l.text = line;
    const qsizetype eq = line.indexOf(u'=');
    if (eq > 0) {
      l.key = line.left(eq).trimmed();
      l.value = line.mid(eq + 1).trimmed();
    }
    out.push_back(l);
  }
  return out;
}

bool readKeyValueFile(const QString& path, std::vector<KeyValueLine>& lines, QString* error) {
  lines.clear();
  QFile file(path);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  lines = parseKeyValueText(QString::fromUtf8(file.readAll()));
  return true;
}

}  // namespace kavalo
