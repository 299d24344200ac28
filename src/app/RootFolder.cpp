#include "app/RootFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kavalo {

bool copyFolderTree(const QString& from, const QString& to) {
  QDir source(from);
  if (!source.exists()) return false;
  if (!QDir().mkpath(to)) return false;
  bool ok = true;
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString rel = source.relativeFilePath(path);
    const QString target = to + u'/' + rel;
    QFileInfo info(path);
    if (info.isDir()) {
      ok = QDir().mkpath(target) && ok;
    } else if (!QFileInfo::exists(target)) {
      QDir().mkpath(QFileInfo(target).absolutePath());
      ok = QFile::copy(path, target) && ok;
    }
  }
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
      if (note) *note = QStringLiteral("サンプルのデータセットを %1 にコピーしました。").arg(root);
    }
  }
  QDir().mkpath(root);
  return root;
}

}  // namespace kavalo
