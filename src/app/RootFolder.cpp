// SPDX-License-Identifier: MIT
#include "app/RootFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kavalo {

QString bundledSampleFolder(const QString& executableFolder) {
  for (const char* relative : {"/../sample", "/../share/kavalo/sample"}) {
    const QString folder = QDir::cleanPath(executableFolder + QLatin1String(relative));
    if (QFileInfo::exists(folder + QStringLiteral("/dataset.txt"))) return folder;
  }
  return QString();
}

namespace {

bool copyOneFile(const QString& path, const QString& target) {
  if (QFileInfo::exists(target)) return true;
  QDir().mkpath(QFileInfo(target).absolutePath());
  if (!QFile::copy(path, target)) return false;
  // An installed sample is read-only; the user's copy is theirs to change.
  QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
  return true;
}

}  // namespace

bool copyFolderTree(const QString& from, const QString& to) {
  QDir source(from);
  if (!source.exists()) return false;
  if (!QDir().mkpath(to)) return false;
  bool ok = true;
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  const QString list = QDir::cleanPath(from + QStringLiteral("/dataset.txt"));
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = to + u'/' + source.relativeFilePath(path);
    if (QFileInfo(path).isDir())
      ok = QDir().mkpath(target) && ok;
    else if (QDir::cleanPath(path) != list)
      ok = copyOneFile(path, target) && ok;
  }
  if (ok && QFileInfo::exists(list)) ok = copyOneFile(list, to + QStringLiteral("/dataset.txt"));
  return ok;
}

QString determineRootFolder(const QString& executableFolder, const QString& sampleSource, QString* note) {
  const QString env = qEnvironmentVariable("KAVALO_ROOT");
  if (!env.isEmpty()) return QDir::cleanPath(QDir(env).absolutePath());
  if (!executableFolder.isEmpty() && QFileInfo::exists(executableFolder + QStringLiteral("/dataset.txt")))
    return QDir::cleanPath(executableFolder);
  QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.local/share");
  const QString root = QDir::cleanPath(home + QStringLiteral("/kavalo"));
  if (!QFileInfo::exists(root + QStringLiteral("/dataset.txt")) && !sampleSource.isEmpty() &&
      QFileInfo::exists(sampleSource + QStringLiteral("/dataset.txt"))) {
    if (copyFolderTree(sampleSource, root)) {
      if (note)
        *note = QCoreApplication::translate("kavalo::RootFolder", "サンプルのデータセットを %1 にコピーしました。")
                    .arg(root);
    }
  }
  QDir().mkpath(root);
  return root;
}

}  // namespace kavalo
