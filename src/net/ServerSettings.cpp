// SPDX-License-Identifier: MIT
#include "net/ServerSettings.h"

#include "model/ProgramState.h"
#include "platform/KeyValueFile.h"
#include "platform/Paths.h"

namespace kavalo {

namespace {

struct Key {
  const char* name;
  const char* variable;
  QString ServerSettings::*field;
};

const Key kKeys[] = {
    {"web_base", "KAVALO_WEB_BASE", &ServerSettings::webBase},
    {"agency_tiles", "KAVALO_AGENCY_TILES", &ServerSettings::agencyTiles},
    {"agency_portal", "KAVALO_AGENCY_PORTAL", &ServerSettings::agencyPortal},
    {"wms", "KAVALO_WMS", &ServerSettings::wms},
    {"wms_site", "KAVALO_WMS_SITE", &ServerSettings::wmsSite},
    {"xyz", "KAVALO_XYZ", &ServerSettings::xyzTemplate},
};

void normalize(ServerSettings& s) {
  s.webBase = normalizedWebBase(s.webBase);
  s.agencyTiles = normalizedServiceBase(s.agencyTiles);
  s.agencyPortal = normalizedServiceBase(s.agencyPortal);
  s.wms = normalizedServiceBase(s.wms);
  s.wmsSite = normalizedServiceBase(s.wmsSite);
}

}  // namespace

ServerSettings defaultServerSettings() {
  ServerSettings s;
  s.webBase = QString::fromLatin1(kDefaultWebBaseUrl);
  s.agencyTiles = QStringLiteral("https://tiles.mapping-agency.example");
  s.agencyPortal = QStringLiteral("https://portal.mapping-agency.example");
  s.wms = QStringLiteral("https://wms.research-institute.example");
  s.wmsSite = QStringLiteral("https://www.research-institute.example");
  s.xyzTemplate = QStringLiteral("https://tiles.mapping-agency.example/xyz/std/{z}/{x}/{y}.png");
  return s;
}

QString normalizedWebBase(const QString& address) {
  QString a = address.trimmed();
  if (!a.isEmpty() && !a.endsWith(u'/')) a += u'/';
  return a;
}

QString normalizedServiceBase(const QString& address) {
  QString a = address.trimmed();
  while (a.endsWith(u'/')) a.chop(1);
  return a;
}

ServerSettings readServerSettings(const QString& rootFolder, QStringList* problems) {
  ServerSettings s = defaultServerSettings();
  const QString path = joinPath(rootFolder, QStringLiteral("\\") + QString::fromLatin1(kServerSettingsFile));
  std::vector<KeyValueLine> lines;
  QString error;
  if (!readKeyValueFile(path, lines, &error) && problems) *problems << QStringLiteral("%1: %2").arg(path, error);
  for (const KeyValueLine& line : lines) {
    bool known = false;
    for (const Key& k : kKeys) {
      if (line.key == QLatin1String(k.name) && !line.value.isEmpty()) {
        s.*k.field = line.value;
        known = true;
      }
    }
    if (!known && problems) *problems << QStringLiteral("%1:%2: %3").arg(path).arg(line.number).arg(line.text);
  }
  for (const Key& k : kKeys) {
    const QString value = qEnvironmentVariable(k.variable).trimmed();
    if (!value.isEmpty()) s.*k.field = value;
  }
  normalize(s);
  return s;
}

void useWebBase(ProgramState& state, const QString& webBase) {
  const FileNameTable table = FileNameTable::standard(normalizedWebBase(webBase));
  state.names[kWebBaseUrl] = table[kWebBaseUrl];
  state.names[kServerListUrl] = table[kServerListUrl];
}

}  // namespace kavalo
