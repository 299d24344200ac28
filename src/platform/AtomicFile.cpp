#include "platform/AtomicFile.h"

#include <QFile>
#include <QSaveFile>

namespace kavalo {

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = QStringLiteral("ファイルを書き込めません: %1 (%2)").arg(path, file.errorString());
    return false;
  }
  if (file.write(data) != data.size()) {
    if (error) *error = QStringLiteral("ファイルを書き込めません: %1 (%2)").arg(path, file.errorString());
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error) *error = QStringLiteral("ファイルを書き込めません: %1 (%2)").arg(path, file.errorString());
    return false;
  }
  return true;
}

QString keepAside(const QString& path) {
  QString target = path + QStringLiteral(".bak");
  for (int i = 1; QFile::exists(target) && i < 1000; ++i) target = path + QStringLiteral(".bak%1").arg(i);
  if (QFile::exists(target)) return {};
  if (!QFile::copy(path, target)) return {};
  return target;
}

}  // namespace kavalo
