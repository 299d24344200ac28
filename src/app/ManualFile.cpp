// SPDX-License-Identifier: MIT
#include "app/ManualFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace kavalo {

namespace {
const QString kJapaneseManual = QStringLiteral("kavalo.pdf");

QString found(const QStringList& folders, const QString& name) {
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    const QString path = QDir(folder).filePath(name);
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}
}  // namespace

QString manualFile(const QStringList& folders, const QString& language) {
  // Only a plain language code names a file: "en", "pt_BR"; anything else
  // (empty, a path) is the Japanese manual.
  static const QRegularExpression plain(QStringLiteral("^[a-z]{2,3}(_[A-Z]{2})?$"));
  if (language != QLatin1String("ja") && plain.match(language).hasMatch()) {
    const QString own = found(folders, QStringLiteral("kavalo-%1.pdf").arg(language));
    if (!own.isEmpty()) return own;
  }
  const QString japanese = found(folders, kJapaneseManual);
  if (!japanese.isEmpty()) return japanese;
  return folders.isEmpty() ? kJapaneseManual : QDir(folders.constFirst()).filePath(kJapaneseManual);
}

}  // namespace kavalo
