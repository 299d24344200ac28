// SPDX-License-Identifier: MIT
#include "model/Settings.h"

#include "platform/Paths.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"

namespace kavalo {

Settings readSettings(const QString& path) {
  Settings s;
  if (!FileExists(path)) return s;
  ValueReader reader{QString()};
  if (!ValueReader::fromFile(path, reader, nullptr)) return s;
  int32_t index = 0;
  if (!reader.readInt(index)) return s;
  s.dataFolderIndex = index;
  int16_t style = 0;
  if (!reader.readInt16(style)) return s;
  s.eraLabelStyle = style;
  int32_t datum = 0;
  if (!reader.readInt(datum)) return s;
  s.datumFlag = datum;
  return s;
}

bool writeSettings(const QString& path, const Settings& settings, QString* error) {
  ValueWriter w;
  w.numberLine(settings.dataFolderIndex).numberLine(settings.eraLabelStyle).numberLine(settings.datumFlag);
  return w.save(path, error);
}

QString versionCaption() {
  return QStringLiteral("Kavalo Ver.%1.%2%3")
      .arg(KAVALO_VERSION_MAJOR)
      .arg(KAVALO_VERSION_MINOR)
      .arg(KAVALO_VERSION_PATCH);
}

QString programVersion() {
  return QStringLiteral("%1.%2.%3").arg(KAVALO_VERSION_MAJOR).arg(KAVALO_VERSION_MINOR).arg(KAVALO_VERSION_PATCH);
}

}  // namespace kavalo
