// SPDX-License-Identifier: MIT
#include "platform/RememberedValues.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace kavalo {

namespace {

QSettings store() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kavalo"), QStringLiteral("kavalo"));
}

QString folderKey(const QString& kind) { return QStringLiteral("saveFolders/") + kind; }

}  // namespace

QString rememberedValue(const QString& key, const QString& fallback) { return store().value(key, fallback).toString(); }

void rememberValue(const QString& key, const QString& value) {
  QSettings settings = store();
  settings.setValue(key, value);
}

QString saveFolder(const QString& kind) {
  const QString last = rememberedValue(folderKey(kind));
  if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  // A desktop without a documents folder: the home folder.
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void rememberSaveFolder(const QString& kind, const QString& chosenPath) {
  if (chosenPath.isEmpty()) return;
  rememberValue(folderKey(kind), QFileInfo(chosenPath).absolutePath());
}

}  // namespace kavalo
