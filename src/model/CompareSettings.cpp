// SPDX-License-Identifier: MIT
#include "model/CompareSettings.h"

#include <algorithm>

#include "platform/Paths.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"

namespace kavalo {

namespace {

const char* const kModeNames[] = {"side", "swipe", "lens", "blend"};

}  // namespace

QString compareModeName(CompareMode mode) {
  const int i = std::clamp(static_cast<int>(mode), 0, 3);
  return QString::fromLatin1(kModeNames[i]);
}

bool compareModeFromName(const QString& name, CompareMode& mode) {
  for (int i = 0; i < 4; ++i) {
    if (name == QLatin1String(kModeNames[i])) {
      mode = static_cast<CompareMode>(i);
      return true;
    }
  }
  return false;
}

CompareSettings readCompareSettings(const QString& path, bool* unreadable) {
  CompareSettings s;
  if (unreadable) *unreadable = false;
  if (!FileExists(path)) return s;
  ValueReader reader{QString()};
  if (!ValueReader::fromFile(path, reader, nullptr)) {
    if (unreadable) *unreadable = true;
    return s;
  }
  // Each value is taken when it reads and lies in its range; the rest keep
  // their defaults.
  int32_t v = 0;
  if (reader.readInt(v) && (v == 0 || v == 1)) s.on = v == 1;
  if (reader.readInt(v) && v >= 0 && v <= 3) s.mode = static_cast<CompareMode>(v);
  if (reader.readInt(v) && v >= 0) s.eraB = v;
  if (reader.readInt(v) && v >= 0 && v <= 1000) s.splitPermille = v;
  if (reader.readInt(v) && v >= CompareSettings::kMinLensRadius && v <= CompareSettings::kMaxLensRadius)
    s.lensRadius = v;
  if (reader.readInt(v) && v >= 0 && v <= 100) s.opacity = v;
  if (reader.readInt(v) && v >= 0 && v <= CompareSettings::kMaxCacheMiB) s.cacheMiB = v;
  return s;
}

bool writeCompareSettings(const QString& path, const CompareSettings& s, QString* error) {
  ValueWriter w;
  w.numberLine(s.on ? 1 : 0)
      .numberLine(static_cast<int32_t>(s.mode))
      .numberLine(s.eraB)
      .numberLine(s.splitPermille)
      .numberLine(s.lensRadius)
      .numberLine(s.opacity)
      .numberLine(s.cacheMiB);
  return w.save(path, error);
}

}  // namespace kavalo
