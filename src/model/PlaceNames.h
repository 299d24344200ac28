// SPDX-License-Identifier: MIT
#pragma once
// The place-name gazetteer of a data folder (placename.dat, binary).
#include <QString>
#include <cstdint>
#include <vector>

namespace kavalo {

struct PlaceName {
  QString name;
  float lon = 0.0f;  // degrees, Tokyo datum
  float lat = 0.0f;
  int32_t category = 0;  // 0 to 7
  QString text;          // shown in brackets after the name
};

// Reads placename.dat: N (int32), then N records of name length (uint16),
// name (Shift-JIS), longitude and latitude (float32), category (int32), text
// length (uint16) and text, all little-endian. A missing file or N = 0 gives
// an empty gazetteer and true. A truncated or inconsistent file gives false
// with a message and an empty gazetteer; nothing is allocated beyond what
// the file can hold.
bool Get_PlaceNameFile(const QString& path, std::vector<PlaceName>& out, QString* error);

}  // namespace kavalo
