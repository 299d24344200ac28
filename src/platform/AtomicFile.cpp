// SPDX-License-Identifier: MIT
#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace kavalo {

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::AtomicFile", "ファイルを書き込めません: %1 (%2)")
                   .arg(path, file.errorString());
    return false;
  }
  if (file.write(data) != data.size()) {
    if (error)
      *error = QCoreApplication::translate("kavalo::AtomicFile", "ファイルを書き込めません: %1 (%2)")
                   .arg(path, file.errorString());
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error)
      *error = QCoreApplication::translate("kavalo::AtomicFile", "ファイルを書き込めません: %1 (%2)")
                   .arg(path, file.errorString());
    return false;
  }
  return true;
}

namespace {

bool sameContent(const QString& a, const QString& b) {
  QFile fa(a), fb(b);
  if (fa.size() != fb.size()) return false;
  if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
  while (!fa.atEnd()) {
    if (fa.read(1 << 16) != fb.read(1 << 16)) return false;
  }
  return true;
}

}  // namespace

QString keepAside(const QString& path) {
  // A file that stays unreadable is met again at every start: one copy of it
  // is enough, so a copy with the same content is reused.
  QString target = path + QStringLiteral(".bak");
  for (int i = 1; QFile::exists(target) && i < 1000; ++i) {
    if (sameContent(path, target)) return target;
    target = path + QStringLiteral(".bak%1").arg(i);
  }
  if (QFile::exists(target)) return sameContent(path, target) ? target : QString();
  if (!QFile::copy(path, target)) return {};
  return target;
}

}  // namespace kavalo

namespace kavalo {

FileSnapshot snapshotFile(const QString& path) {
  FileSnapshot s;
  s.path = path;
  QFile file(path);
  s.existed = file.exists();
  if (s.existed && file.open(QIODevice::ReadOnly)) s.bytes = file.readAll();
  return s;
}

bool restoreSnapshot(const FileSnapshot& snapshot, QString* error) {
  if (snapshot.existed) return writeFileAtomically(snapshot.path, snapshot.bytes, error);
  if (!QFile::exists(snapshot.path) || QFile::remove(snapshot.path)) return true;
  if (error)
    *error = QCoreApplication::translate("kavalo::AtomicFile", "ファイルを削除できません: %1").arg(snapshot.path);
  return false;
}

}  // namespace kavalo
