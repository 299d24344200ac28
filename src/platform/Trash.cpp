#include "platform/Trash.h"

#include <QDir>
#include <QFile>

namespace kavalo {

bool moveToTrash(const QString& path, QString* error) {
  if (QFile::moveToTrash(path)) return true;
  if (error) *error = QStringLiteral("「%1」をごみ箱に移動できません。").arg(QDir::toNativeSeparators(path));
  return false;
}

}  // namespace kavalo
