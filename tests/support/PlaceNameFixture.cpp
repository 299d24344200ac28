// SPDX-License-Identifier: MIT
#include "support/PlaceNameFixture.h"

#include <QtEndian>

#include <cstring>

#include "platform/Codec.h"

namespace kavalo::test {

namespace {
template <typename T>
void append(QByteArray& out, T value) {
  char bytes[sizeof(T)];
  qToLittleEndian<T>(value, bytes);
  out.append(bytes, sizeof(T));
}
void appendFloat(QByteArray& out, float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  append<uint32_t>(out, bits);
}
}  // namespace

QByteArray placeRecordBytes(const PlaceRecord& r) {
  QByteArray out;
  const QByteArray name = toSjis(r.name);
  const QByteArray text = toSjis(r.text);
  append<uint16_t>(out, static_cast<uint16_t>(name.size()));
  out += name;
  appendFloat(out, r.lon);
  appendFloat(out, r.lat);
  append<int32_t>(out, r.category);
  append<uint16_t>(out, static_cast<uint16_t>(text.size()));
  out += text;
  return out;
}

QByteArray placeNameFileBytes(const std::vector<PlaceRecord>& records, int32_t count) {
  QByteArray out;
  append<int32_t>(out, count);
  for (const PlaceRecord& r : records) out += placeRecordBytes(r);
  return out;
}

}  // namespace kavalo::test
