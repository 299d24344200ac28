// SPDX-License-Identifier: MIT
#pragma once
// Colour sets of the elevation colouring and their file colorset.txt in the
// RootFolder. The list is independent of the data folders.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace kavalo {

// 0x00BBGGRR: red in the low byte.
using Colour = uint32_t;

constexpr Colour rgbColour(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) | (static_cast<Colour>(b & 0xFF) << 16);
}

struct Quad {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
};

inline Quad ColorToQuad(Colour c) {
  return Quad{static_cast<uint8_t>((c >> 16) & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
              static_cast<uint8_t>(c & 0xFF)};
}

constexpr int kMaxBreakpoints = 5;

struct ColorSet {
  QString name;
  Colour sea = 0;
  Colour bottom = 0;
  Colour top = 0;
  int32_t breakpointCount = 0;                      // 0 to 5
  std::array<Colour, kMaxBreakpoints> colours{};    // entries 0 to n-1
  std::array<float, kMaxBreakpoints> elevations{};  // metres, descending (entry 0 highest)
  int32_t shading = 1;                              // 1 relief shading on
  int32_t strength = 200;                           // 100 to 500
  int32_t lightDirection = 0;                       // 0 NW, 1 NE, 2 SW, 3 SE
};

struct ColorSetList {
  int32_t selected = 0;
  std::vector<ColorSet> sets;

  const ColorSet& current() const { return sets[static_cast<size_t>(selected)]; }
};

// The set the program starts with: one breakpoint at half the elevation range
// of the grid header values given (tenths of a metre).
ColorSet defaultColorSet(int32_t lowest, int32_t highest, const QString& name = QStringLiteral("初期設定"));  // stored

// The list holding only the default set, selected.
ColorSetList defaultColorSetList();

// Reads colorset.txt. False with a message when the file cannot be read or
// is malformed; the list is then left as it was.
bool readColorSetFile(const QString& path, ColorSetList& list, QString* error);

// Writes colorset.txt (replacing the file atomically).
bool writeColorSetFile(const QString& path, const ColorSetList& list, QString* error = nullptr);

}  // namespace kavalo
