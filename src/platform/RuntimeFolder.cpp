// SPDX-License-Identifier: MIT
#include "platform/RuntimeFolder.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace kavalo {

void ensureRuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QString dir = QDir::tempPath() + QStringLiteral("/kavalo-runtime-") + QString::number(getuid());
  QDir().mkpath(dir);
  QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

}  // namespace kavalo
