// SPDX-License-Identifier: MIT
#include "platform/Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kavalo {

bool sjisAvailable() {
  QStringDecoder decoder("CP932");
  QStringEncoder encoder("CP932");
  return decoder.isValid() && encoder.isValid();
}

QString fromSjis(const QByteArray& bytes, bool* ok) {
  QStringDecoder decoder("CP932");
  if (!decoder.isValid()) {
    if (ok) *ok = false;
    return QString::fromLatin1(bytes);
  }
  QString text = decoder.decode(bytes);
  if (ok) *ok = !decoder.hasError();
  return text;
}

QByteArray toSjis(const QString& text, bool* ok) {
  QStringEncoder encoder("CP932");
  if (!encoder.isValid()) {
    if (ok) *ok = false;
    return text.toLatin1();
  }
  QByteArray bytes = encoder.encode(text);
  if (ok) *ok = !encoder.hasError();
  return bytes;
}

}  // namespace kavalo
