// SPDX-License-Identifier: MIT
#pragma once
// placename.dat builders: records in the binary form the gazetteer is read
// from, with names in Shift-JIS.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace kavalo::test {

struct PlaceRecord {
  QString name;
  float lon = 0.0f;
  float lat = 0.0f;
  int32_t category = 0;
  QString text;
};

// One record's bytes.
QByteArray placeRecordBytes(const PlaceRecord& record);
// The whole file: the count (which may be given apart from the records, to
// build inconsistent files), then the records.
QByteArray placeNameFileBytes(const std::vector<PlaceRecord>& records, int32_t count);
inline QByteArray placeNameFileBytes(const std::vector<PlaceRecord>& records) {
  return placeNameFileBytes(records, static_cast<int32_t>(records.size()));
}

}  // namespace kavalo::test
