// SPDX-License-Identifier: MIT
#include "platform/Trash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace kavalo {

namespace {

// Where a file of the home's disk goes: the trash of the user's data folder.
// Qt moves the file into the working folder when it cannot make that trash,
// so the trash is made here first.
bool homeTrashUsable(const QString& path) {
  if (QStorageInfo(path).rootPath() != QStorageInfo(QDir::homePath()).rootPath()) return true;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty()) return false;
  const QDir trash(data + QStringLiteral("/Trash"));
  return trash.mkpath(QStringLiteral("files")) && trash.mkpath(QStringLiteral("info"));
}

}  // namespace

bool moveToTrash(const QString& path, QString* error) {
  const QFileInfo info(path);
  const QString absolute = info.absoluteFilePath();
  auto fail = [&] {
    if (error)
      *error = QCoreApplication::translate("kavalo::Trash", "「%1」をごみ箱に移動できません。")
                   .arg(QDir::toNativeSeparators(absolute));
    return false;
  };
  if (!info.exists() || !homeTrashUsable(absolute)) return fail();
  QString inTrash;
  if (!QFile::moveToTrash(absolute, &inTrash)) return fail();
  if (QFileInfo(inTrash).isAbsolute()) return true;
  // A trash in the working folder is no trash: the file goes back.
  const QDir here = QDir::current();
  QDir().rename(here.absoluteFilePath(inTrash), absolute);
  QFile::remove(here.absoluteFilePath(QStringLiteral("info/") + info.fileName() + QStringLiteral(".trashinfo")));
  for (const char* sub : {"files", "info"}) here.rmdir(QString::fromLatin1(sub));
  return fail();
}

}  // namespace kavalo
