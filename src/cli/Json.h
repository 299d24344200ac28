// SPDX-License-Identifier: MIT
#pragma once
// A small JSON writer for the command-line tool: keys in the order written,
// singles in their shortest form that reads back as the same single.
#include <QString>
#include <cstdint>
#include <vector>

namespace kavalo {

class JsonWriter {
 public:
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  JsonWriter& key(const QString& name);
  JsonWriter& value(const QString& text);
  JsonWriter& value(const char* text) { return value(QString::fromUtf8(text)); }
  JsonWriter& value(int64_t number);
  JsonWriter& value(int number) { return value(static_cast<int64_t>(number)); }
  JsonWriter& value(float number);
  JsonWriter& value(double number);
  JsonWriter& value(bool flag);
  JsonWriter& null();

  template <typename T>
  JsonWriter& field(const QString& name, const T& v) {
    key(name);
    return value(v);
  }

  const QString& text() const { return out_; }
  static QString quote(const QString& text);

 private:
  void separate();
  QString out_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool afterKey_ = false;
};

}  // namespace kavalo
