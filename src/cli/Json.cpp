// SPDX-License-Identifier: MIT
#include "cli/Json.h"

#include "platform/Numbers.h"

namespace kavalo {

void JsonWriter::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ += u',';
    first_.back() = false;
  }
}

JsonWriter& JsonWriter::beginObject() {
  separate();
  out_ += u'{';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endObject() {
  out_ += u'}';
  first_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::beginArray() {
  separate();
  out_ += u'[';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endArray() {
  out_ += u']';
  first_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::key(const QString& name) {
  separate();
  out_ += quote(name) + u':';
  afterKey_ = true;
  return *this;
}

QString JsonWriter::quote(const QString& text) {
  QString q = QStringLiteral("\"");
  for (QChar c : text) {
    switch (c.unicode()) {
      case '"':
        q += QStringLiteral("\\\"");
        break;
      case '\\':
        q += QStringLiteral("\\\\");
        break;
      case '\n':
        q += QStringLiteral("\\n");
        break;
      case '\r':
        q += QStringLiteral("\\r");
        break;
      case '\t':
        q += QStringLiteral("\\t");
        break;
      default:
        if (c.unicode() < 0x20)
          q += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
          q += c;
    }
  }
  q += u'"';
  return q;
}

JsonWriter& JsonWriter::value(const QString& text) {
  separate();
  out_ += quote(text);
  return *this;
}

JsonWriter& JsonWriter::value(int64_t number) {
  separate();
  out_ += QString::number(number);
  return *this;
}

JsonWriter& JsonWriter::value(float number) {
  separate();
  out_ += shortestSingleText(number);
  return *this;
}

JsonWriter& JsonWriter::value(double number) {
  separate();
  out_ += shortestDoubleText(number);
  return *this;
}

JsonWriter& JsonWriter::null() {
  separate();
  out_ += QStringLiteral("null");
  return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
  separate();
  out_ += flag ? QStringLiteral("true") : QStringLiteral("false");
  return *this;
}

}  // namespace kavalo
