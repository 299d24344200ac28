// SPDX-License-Identifier: MIT
#pragma once
// Where the outside services are. The addresses are read from servers.txt in
// the RootFolder (lines "key = address"; "#" starts a comment line), and each
// can be overridden by an environment variable:
//
//   web_base       KAVALO_WEB_BASE       the dataset's web folder (server check,
//                                        server list, tiles fetched on demand)
//   agency_tiles   KAVALO_AGENCY_TILES   the mapping agency's tile server
//   agency_portal  KAVALO_AGENCY_PORTAL  the mapping agency's web portal
//   wms            KAVALO_WMS            the research institute's map service
//   wms_site       KAVALO_WMS_SITE       the research institute's web site
//   xyz            KAVALO_XYZ            the tile template offered for a new XYZ
//                                        era ({z}/{x}/{y}; the agency's standard map)
//
// Addresses are full base addresses ("http://127.0.0.1:8080/kavalo/"). The web
// folder always ends in "/" (names are appended to it); the other four never
// do (their paths, "/index.html", "/data/30…", begin with "/").
#include <QString>
#include <QStringList>

namespace kavalo {

struct ProgramState;

struct ServerSettings {
  QString webBase;
  QString agencyTiles;
  QString agencyPortal;
  QString wms;
  QString wmsSite;
  QString xyzTemplate;  // kept as written: it is a template, not a base
};

// The file's name in the RootFolder.
inline constexpr const char* kServerSettingsFile = "servers.txt";

// The addresses used when neither the file nor the environment names one.
ServerSettings defaultServerSettings();

// Defaults, then the file (when present), then the environment. Lines the
// reader does not understand are skipped and described in *problems.
ServerSettings readServerSettings(const QString& rootFolder, QStringList* problems = nullptr);

// "…/kavalo" -> "…/kavalo/" for the web folder; "…/" -> "…" for the others.
QString normalizedWebBase(const QString& address);
QString normalizedServiceBase(const QString& address);

// Makes webBase the web folder of the program (the web-folder entries of the
// file-name table: the base itself and the server list beside it).
void useWebBase(ProgramState& state, const QString& webBase);

}  // namespace kavalo
