// SPDX-License-Identifier: MIT
#include "platform/ValueReader.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/Codec.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

namespace kavalo {

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
}  // namespace

ValueReader::ValueReader(QString text) : text_(std::move(text)) {}

bool ValueReader::fromFile(const QString& path, ValueReader& reader, QString* error) {
  QByteArray bytes;
  if (!readFileBytes(path, bytes, error)) return false;
  // Checked on the bytes, before the text (twice their size) is made.
  qsizetype lineStart = 0;
  int line = 1;
  for (qsizetype i = 0;; ++i) {
    if (i == bytes.size() || bytes[i] == '\n') {
      if (i - lineStart > kMaxLineBytes) {
        if (error)
          *error = QCoreApplication::translate("kavalo::ValueReader", "%1行目が長すぎます（%2バイトまで）: %3")
                       .arg(line)
                       .arg(kMaxLineBytes)
                       .arg(path);
        return false;
      }
      if (i == bytes.size()) break;
      lineStart = i + 1;
      ++line;
    }
  }
  bool ok = true;
  QString text = fromSjis(bytes, &ok);
  if (!ok) {
    if (error)
      *error = QCoreApplication::translate("kavalo::ValueReader", "文字コードがShift-JISではありません: %1").arg(path);
    return false;
  }
  reader = ValueReader(std::move(text));
  return true;
}

void ValueReader::skipBlanks() {
  while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
}

void ValueReader::consumeLineEnd() {
  if (pos_ < text_.size() && text_[pos_] == u'\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == u'\n') ++pos_;
  ++line_;
}

// After a value: skip to its delimiter and consume it (a comma, or a line end).
void ValueReader::finishValue() {
  while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == u',') {
    ++pos_;
    afterComma_ = true;
  } else {
    consumeLineEnd();
  }
}

bool ValueReader::readText(QString& out) {
  if (atEnd()) return false;
  afterComma_ = false;
  skipBlanks();
  if (pos_ >= text_.size()) {
    // Blanks alone before the end of the data: an empty last value.
    out.clear();
    return true;
  }
  const QChar c = text_[pos_];
  if (c == u'"') {
    const qsizetype start = pos_ + 1;
    qsizetype close = start;
    while (close < text_.size() && text_[close] != u'"') {
      if (text_[close] == u'\n') ++line_;
      ++close;
    }
    out = text_.mid(start, close - start);
    pos_ = close < text_.size() ? close + 1 : close;
    finishValue();
    return true;
  }
  if (c == u',') {
    out.clear();
    ++pos_;
    afterComma_ = true;
    return true;
  }
  if (isLineEnd(c)) {
    out.clear();
    consumeLineEnd();
    return true;
  }
  const qsizetype start = pos_;
  while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
  qsizetype end = pos_;
  while (end > start && isBlank(text_[end - 1])) --end;
  out = text_.mid(start, end - start);
  finishValue();
  return true;
}

bool ValueReader::readDouble(double& out) {
  QString value;
  if (!readText(value)) return false;
  out = leadingNumber(value);
  return true;
}

bool ValueReader::readSingle(float& out) {
  double d = 0;
  if (!readDouble(d)) return false;
  out = toSingle(d);
  return true;
}

bool ValueReader::readInt(int32_t& out) {
  double d = 0;
  if (!readDouble(d)) return false;
  auto v = toInt32Checked(d);
  if (!v) return false;
  out = *v;
  return true;
}

bool ValueReader::readInt16(int16_t& out) {
  int32_t v = 0;
  if (!readInt(v)) return false;
  if (v < -32768 || v > 32767) return false;
  out = static_cast<int16_t>(v);
  return true;
}

bool ValueReader::skipLine() {
  if (atEnd()) return false;
  afterComma_ = false;
  while (pos_ < text_.size() && !isLineEnd(text_[pos_])) ++pos_;
  if (pos_ < text_.size()) consumeLineEnd();
  return true;
}

}  // namespace kavalo
