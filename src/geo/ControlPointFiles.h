// SPDX-License-Identifier: MIT
#pragma once
// The exchange formats of control points, read and written byte for byte as
// the other tools of the field keep them:
// - the desktop GIS points file: a first line "#CRS: <WKT>", then the header
//   "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual" and a line per point;
//   older files are tab-separated with "pixelX,pixelY" in the header. Source
//   y is negative image pixels in files made for unreferenced rasters and
//   positive in some newer ones: the sign is told from the points that fall
//   inside the image. Without a "#CRS:" line the map coordinates are
//   longitude/latitude in the world datum;
// - a CSV of "x,y,lon,lat" as map-warping sites exchange it;
// - the georeference annotation: a web annotation with motivation
//   "georeferencing" whose body is a GeoJSON FeatureCollection of Points
//   (world datum) each with properties.resourceCoords (older files
//   pixelCoords), a transformation {type: polynomial|thinPlateSpline,
//   options: {order}}, and a target whose selector may carry the scan's frame
//   as an SVG polygon.
// A mask file is a polygon in scan pixels: the annotation's SVG form
// ("<svg ...><polygon points="x,y x,y ..."/></svg>") or a GeoJSON Polygon
// whose coordinates are scan pixels.
#include <QByteArray>
#include <QPointF>
#include <QString>
#include <vector>

#include "geo/ControlPoints.h"

namespace kavalo {

enum class ControlPointFormat { Points, Csv, Annotation };

// The most a control-point or mask file may hold: a reader reads at most one
// byte more, and a longer file is refused without being parsed.
inline constexpr qsizetype kMaxControlPointFileBytes = 16 * 1024 * 1024;

// Reads a control-point file of any of the three formats, recognised by its
// content (not its name). imageWidth and imageHeight are the scan's size, used
// to tell the sign of a points file's source y (0 when unknown: then negative
// y is taken as the older convention). False with the reason, in the
// program's words, when the content is none of them or is damaged; nothing of
// a damaged file is returned.
bool readControlPointFile(const QByteArray& content, int imageWidth, int imageHeight, ControlPointFile& out,
                          ControlPointFormat* format, QString* why);

// The desktop GIS points file: "#CRS: " + set.crs (as WKT), the header, and a
// line per point with source y negative (the convention for unreferenced
// rasters, which every version reads). residuals, when given, has one entry
// per point (dX, dY, residual in scan pixels); zeros otherwise.
QByteArray writePointsFile(const ControlPointFile& set, const std::vector<PointResidual>* residuals);

// "x,y,lon,lat" with a line per enabled point; set's map coordinates must be
// longitude/latitude.
QByteArray writeControlPointCsv(const ControlPointFile& set);

// The georeference annotation (JSON, UTF-8) of the set: points as GeoJSON
// Points with resourceCoords, the transform (the polynomial's order, or the
// thin-plate spline; Helmert and projective are written as a polynomial of
// order 1, the nearest the format knows), the scan's name and size in the
// target, and the mask as an SVG selector when there is one. set's map
// coordinates must be longitude/latitude.
QByteArray writeGeoreferenceAnnotation(const ControlPointFile& set, GeorefMethod method);

// Reads a mask file (SVG polygon, GeoJSON Polygon in scan pixels, or an
// annotation that carries one). False with the reason when it holds no
// polygon of at least three points.
bool readMaskFile(const QByteArray& content, std::vector<QPointF>& polygon, QString* why);

// The mask as the annotation's SVG selector value, for a scan of the size.
QByteArray maskSvg(const std::vector<QPointF>& polygon, int width, int height);

}  // namespace kavalo
