// SPDX-License-Identifier: MIT
#pragma once
// A region as a web map: per era a pyramid of standard web tiles
// (EPSG:3857, {z}/{x}/{y}.png, 256 x 256) with its TileJSON, one list of the
// eras in time order, and the map page that shows them (index.html with the
// map library beside it). Everything is a plain static file named by a
// relative address, so the folder works from any web server, a CDN or the
// disk itself:
//
//   MAPDIR/index.html, viewer.js, viewer.css, ol/…   the map page
//   MAPDIR/eras.json, eras.js                        the eras (eras.js for file://)
//   MAPDIR/<era>/tilejson.json                       one per era
//   MAPDIR/<era>/<z>/<x>/<y>.png                     its tiles
//
// A tile is written only when its bytes change, and an era none of whose
// sources changed since the last run is not composed again.
#include <QString>
#include <QStringList>

#include "output/WebTileGrid.h"

namespace kavalo {

struct ProgramState;

struct WebMapOptions {
  bool elevation = false;  // the elevation colours under the maps
  int threads = 0;         // 0: one per core
  // The folder of the map page's files; empty: webViewerFolder().
  QString viewerFolder;
};

struct WebMapReport {
  int eras = 0;          // eras published
  int erasComposed = 0;  // eras whose sources changed (or were new)
  qint64 written = 0;    // tiles written (new or changed)
  qint64 unchanged = 0;  // tiles composed but equal to what was there
  qint64 removed = 0;    // tiles no longer part of the map
  WebZoomRange zooms;
  QStringList notes;
};

// The folder where the program finds the map page's files: $KAVALO_WEB_VIEWER,
// web/ beside the executable (the build tree), ../share/kavalo/web beside it
// (an installed tree) or the installed data folder. Empty when none holds
// index.html.
QString webViewerFolder();

// The folder name under a web folder that holds the web maps of its data
// folders: WEBDIR/maps/<dataset>/.
inline const QString kWebMapsFolder = QStringLiteral("maps");

// Writes or updates the web map of the loaded data folder in mapFolder.
// False with the reason when something could not be read or written; tiles
// written before the failure are whole files.
bool publishWebMap(const ProgramState& state, const QString& mapFolder, const WebMapOptions& options,
                   WebMapReport& report, QString* error);

// The eras.json document (also used by the window's link to the web map).
QByteArray webMapErasDocument(const ProgramState& state, const WebZoomRange& zooms, bool elevation);

}  // namespace kavalo
