// SPDX-License-Identifier: MIT
#pragma once
// The texts of an export: the names of the files, the KML document, the HTML
// page with its era switcher, and the world files that let a GIS place each
// image. Pure functions of their inputs, so each text can be checked alone.
#include <QString>
#include <vector>

#include "model/GeoBox.h"

namespace kavalo {

struct ProgramState;

// One era of an export, in the order of the era list.
struct ExportEra {
  int eraIndex = 0;
  QString name;  // the display name with its kind suffix
  int firstYear = 0;
};

// The eras offered in the era list, in list order (every listed era when the
// list has not been built).
std::vector<ExportEra> exportEraList(const ProgramState& state);

// Path routines. Paths are native; both "/" and "\" end a folder.
// The folder of a path (without its last separator); empty without one.
QString FolderOf(const QString& path);
// The file name after the last separator.
QString FileNameOf(const QString& path);
// The text before the last "."; the whole text without one.
QString StripExtension(const QString& name);
// The name with everything after its last "." replaced by ext; ext added after
// a "." when the name has none.
QString ReplaceExtension(const QString& name, const QString& ext);
// True when the name ends in "." + ext (letter case ignored).
bool HasExtension(const QString& name, const QString& ext);

// The bare name of the i-th image: base + i + "." + ext.
QString imageFileName(const QString& base, int index, const QString& ext);

// Text escaped for XML and HTML: & < > always, and the quotes too for the
// value of an attribute.
QString escapeMarkup(const QString& text, bool attribute = false);

// The KML document (lines ended by CR LF, no byte-order mark): a folder of
// ground overlays over one box, each with the time span from its era's first
// year to the year before the next era's.
QString kmlText(const QString& title, const std::vector<ExportEra>& eras, const QString& base, const QString& ext,
                const GeoBox& box);

// The end of a time span: the last day of the year before the next era's
// first year, or the era's own first day when the next era begins in the same
// year (never before the span's begin).
QString kmlSpanEnd(int firstYear, int nextFirstYear);

// The HTML page (lines ended by CR LF) showing the last era's image first,
// width x height pixels, with one link per era that switches the image.
QString htmlText(const std::vector<ExportEra>& eras, const QString& base, const QString& ext, int width, int height);

// The world file of an image of width x height pixels covering the box: the
// pixel size in degrees, no rotation, and the centre of the top-left pixel.
QString worldFileText(const GeoBox& box, int width, int height);
// "pgw" for "png", "jgw" for "jpg".
QString worldFileExtension(const QString& imageExt);
// The coordinate system of the world datum (EPSG:4326) in the .prj form.
QString worldDatumPrj();
// The same coordinate system as GDAL's sidecar of an image (image.png.aux.xml).
QString worldDatumAuxXml();

}  // namespace kavalo
