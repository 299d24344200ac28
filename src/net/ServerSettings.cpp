#include "net/ServerSettings.h"

#include <QFile>

#include "model/ProgramState.h"
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
  QFile file(path);
  if (file.exists()) {
    if (!file.open(QIODevice::ReadOnly)) {
      if (problems) *problems << QStringLiteral("%1: %2").arg(path, file.errorString());
    } else {
      const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
      for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype eq = line.indexOf(u'=');
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed();
        const QString value = eq < 0 ? QString() : line.mid(eq + 1).trimmed();
        bool known = false;
        for (const Key& k : kKeys) {
          if (key == QLatin1String(k.name) && !value.isEmpty()) {
            s.*k.field = value;
            known = true;
          }
        }
        if (!known && problems) *problems << QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(line);
      }
    }
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
