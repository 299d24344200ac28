// SPDX-License-Identifier: MIT
#include "platform/ValueWriter.h"

#include <QCoreApplication>

#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Numbers.h"

namespace kavalo {

QString ValueWriter::numberField(int64_t v) {
  QString digits = QString::number(v);
  return (v < 0 ? digits : QStringLiteral(" ") + digits) + QStringLiteral(" ");
}

QString ValueWriter::singleField(float v) {
  QString digits = singleToText(v);
  return (digits.startsWith(u'-') ? digits : QStringLiteral(" ") + digits) + QStringLiteral(" ");
}

ValueWriter& ValueWriter::number(int64_t v) {
  content_ += numberField(v);
  return *this;
}

ValueWriter& ValueWriter::single(float v) {
  content_ += singleField(v);
  return *this;
}

ValueWriter& ValueWriter::text(const QString& v) {
  content_ += v;
  return *this;
}

QByteArray ValueWriter::bytes(bool* ok) const { return toSjis(content_, ok); }

bool ValueWriter::save(const QString& path, QString* error) const {
  bool ok = true;
  QByteArray data = bytes(&ok);
  if (!ok) {
    if (error)
      *error = QCoreApplication::translate("kavalo::ValueWriter", "Shift-JISで表せない文字があります: %1").arg(path);
    return false;
  }
  return writeFileAtomically(path, data, error);
}

}  // namespace kavalo
