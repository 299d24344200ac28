// SPDX-License-Identifier: MIT
#include "net/PartFile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

namespace kavalo {

bool PartFile::open() {
  const QFileInfo info(target_);
  for (int attempt = 0; attempt < 16; ++attempt) {
    const QString name = info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                         QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
    file_.setFileName(name);
    // NewOnly: never an existing file (nor a link planted under the name).
    if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return true;
    if (!QFileInfo(info.absolutePath()).isDir()) return false;
  }
  return false;
}

bool PartFile::commit() {
  if (!file_.isOpen()) return false;
  const bool flushed = file_.flush() && file_.error() == QFileDevice::NoError;
  file_.close();
  // rename() replaces the target in one step, whatever it was.
  if (flushed &&
      std::rename(QFile::encodeName(file_.fileName()).constData(), QFile::encodeName(target_).constData()) == 0) {
    file_.setFileName(QString());
    return true;
  }
  cancel();
  return false;
}

void PartFile::cancel() {
  if (file_.fileName().isEmpty()) return;
  if (file_.isOpen()) file_.close();
  QFile::remove(file_.fileName());
  file_.setFileName(QString());
}

}  // namespace kavalo
