// SPDX-License-Identifier: MIT
#pragma once
// The eras fetched from a web-mercator tile service of the user's choice,
// listed in map_xyz_info.txt of the data folder: Shift-JIS with CR LF like
// the other info files, one line per era, seven values:
//
//   folder, year, "date", "label", "URL template", "attribution", map|photo
//
//   XYZ00, 2026 ,"2026/05/01","2026年（tile.example.org）","https://tile.example.org/{z}/{x}/{y}.png","(C) 例",map
//
// The folder is a plain name in the data folder; the year is a number in the
// program's framed form; the fetch date (yyyy/MM/dd), the label shown in the
// era list, the tile template and the attribution are quoted texts, so they
// may hold commas (a double quote or a line break cannot be stored and is
// refused before anything is fetched); the last value says whether the era is
// a masked map (tiles and M_ masks, PNG) or a photo (JPEG). The file is
// rewritten whole and atomically.
//
// The last version filed such eras as the agency's (map_watizu_info.txt for
// maps, map_densikokudo_ortho_info.txt for photos) and marked them with an
// attribution.txt in the era's folder. Those eras are read as tile-service
// eras where they are: their label is made from the attribution, and their
// files are not rewritten until the user renames or deletes such an era (a
// rename moves it into map_xyz_info.txt).
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

#include "model/Era.h"

namespace kavalo {

inline constexpr const char* kXyzInfoFile = "\\map_xyz_info.txt";
// The attribution of an era of the last version lies in its folder.
inline constexpr const char* kLegacyAttributionFile = "\\attribution.txt";

struct XyzEra {
  QString folder;
  int32_t year = 0;
  QString date;  // yyyy/MM/dd, the day of the fetch
  QString label;
  QString urlTemplate;
  QString attribution;
  bool map = true;  // a masked map; false: a photo
};

// The host of a tile template ("tile.example.org"); empty when it has none.
QString xyzServiceHost(const QString& urlTemplate);
// The label an era gets when the user gives none: the year and the
// service's host, "2026年（tile.example.org）".
QString defaultXyzLabel(const QString& urlTemplate, int year);

// Reads the list of a data folder; an absent file is an empty list. False
// with the reason (file and line) when it cannot be read.
bool readXyzEras(const QString& datasetFolder, std::vector<XyzEra>& out, QString* error);
bool readXyzErasFile(const QString& path, std::vector<XyzEra>& out, QString* error);

// The bytes of the file; *ok false when a text cannot be stored.
QByteArray xyzErasBytes(const std::vector<XyzEra>& eras, bool* ok = nullptr);

// Rewrites the file atomically; an empty list removes it.
bool writeXyzEras(const QString& datasetFolder, const std::vector<XyzEra>& eras, QString* error);

// The era-list record of a listed era, and back.
Era eraOfXyz(const XyzEra& xyz);
XyzEra xyzOfEra(const Era& era);

// An agency era of the last version whose folder holds attribution.txt
// becomes a tile-service era of the same folder, years and date; false (and
// the era unchanged) for a true agency era.
bool adoptLegacyXyzEra(const QString& datasetFolder, Era& era);

}  // namespace kavalo
