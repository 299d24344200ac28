// SPDX-License-Identifier: MIT
#pragma once
// The geographic data services the program loads on first use, from the
// module kavalo-geodata: vector files (GPX, KML/KMZ, GeoJSON, Shapefile) read
// into plain features in the world datum, geodesic lengths and areas on the
// world ellipsoid, and georeferenced scans warped onto a lat/lon grid of the
// world datum. They live in a module of their own so that starting the window
// or kavalo-cli never pays for loading the libraries behind them.
//
// Only plain values cross between the program and the module: both sides are
// built together from these headers, and the module links no code of the
// program (it would carry a second copy of the program's own state).
#include <QImage>
#include <QPointF>
#include <QRgb>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace kavalo {

// Longitude and latitude in degrees, world datum (EPSG:4326, lon first).
struct GeoPoint {
  double lon = 0.0;
  double lat = 0.0;
};

enum class FeatureKind { Point, Line, Polygon };

// What a file says about drawing a feature; without it the layer's own
// colours apply.
struct FeatureStyle {
  bool hasPen = false;
  QRgb pen = 0;           // with alpha
  double penWidth = 0.0;  // pixels
  bool hasBrush = false;
  QRgb brush = 0;  // with alpha
};

struct VectorFeature {
  FeatureKind kind = FeatureKind::Point;
  std::vector<GeoPoint> points;
  // Where each part begins in points: the lines of a multi-line, the rings of
  // a polygon (all rings of all its polygons, holes included). A point
  // feature has one part per point.
  std::vector<int> parts;
  QString name;
  FeatureStyle style;
};

struct VectorLayerData {
  QString name;
  std::vector<VectorFeature> features;
};

enum class VectorStatus {
  Ok,
  Unreadable,    // the file cannot be opened at all
  NoTransform,   // a coordinate system that cannot be turned into the world datum
  NotVector,     // no vector format the library knows
  Damaged,       // cut short or broken inside (line: where, when known)
  ValueTooLong,  // one value (a name, a description) beyond reason (line: where)
  TooLarge       // the file, or what its archive unpacks to, beyond limitBytes
};

// Nothing larger is read: the library holds a whole GPX, KML or GeoJSON in
// memory, twice over, while it reads it.
inline constexpr qint64 kMaxVectorFileBytes = qint64{256} * 1024 * 1024;
// A KMZ is an archive that may unpack to far more than it weighs: besides the
// size, the number of its entries and how much they grow are limited.
inline constexpr int kMaxKmzEntries = 10000;
inline constexpr int kMaxKmzRatio = 100;

struct VectorFileData {
  VectorStatus status = VectorStatus::Unreadable;
  QString detail;         // the library's own words, for the log
  int line = 0;           // the line of a damaged file where the reader stopped (0: not known)
  qint64 limitBytes = 0;  // TooLarge: the limit of the file or of what it unpacks to
  int limitEntries = 0;   // TooLarge: the archive holds more entries than this
  bool archive = false;   // the file is an archive (a KMZ)
  std::vector<VectorLayerData> layers;
};

// A raster in the world datum: pixel (0, 0) has its north-west corner at
// (west, north); each pixel is lonPerPx wide and latPerPx high.
struct LatLonGrid {
  double west = 0.0;
  double north = 0.0;
  double lonPerPx = 0.0;
  double latPerPx = 0.0;
  int width = 0;
  int height = 0;
};

enum class ScanStatus {
  Ok,
  Unreadable,        // the file is no image the library reads
  NotGeoreferenced,  // no geotransform, no ground control points
  NoCrs,             // georeferenced, but in no known coordinate system
  NoTransform,       // a coordinate system that cannot be turned into the world datum
  Failed,            // the warp itself failed
  Cancelled
};

struct ScanDescription {
  int width = 0;
  int height = 0;
  QString crsName;
  // The outline of the scan in the world datum, its edges densified, and the
  // box around it.
  std::vector<GeoPoint> footprint;
  double west = 0.0, east = 0.0, south = 0.0, north = 0.0;
};

// An opened scan. warp() may be called for one grid after another (the import
// runs band by band); it is not safe to call from two threads at once.
class ScanSource {
 public:
  virtual ~ScanSource() = default;
  virtual const ScanDescription& description() const = 0;
  // The scan resampled onto the grid: ARGB32 (not premultiplied), alpha 0
  // where the scan has no pixel. progress(done fraction) returns false to
  // stop; the result is then Cancelled.
  virtual ScanStatus warp(const LatLonGrid& grid, QImage& out, const std::function<bool(double)>& progress,
                          QString* detail) = 0;
};

// A coordinate system as the user or a file names it (an EPSG code, WKT,
// PROJ text), as the library understands it.
struct CrsDescription {
  bool ok = false;
  QString wkt;
  QString name;
  bool projected = false;
  QString error;  // the library's own words when not ok
};

// What a georeferenced warp is built on: control points from scan pixels
// (x right, y down from the top-left corner) to a projected plane.
enum class WarpMethod { Affine, Polynomial, Projective, ThinPlateSpline };

struct WarpControlPoint {
  double pixel = 0.0;
  double line = 0.0;
  double x = 0.0;  // plane metres
  double y = 0.0;
};

struct GeorefWarp {
  QString planeWkt;  // the plane the points' x and y are in
  WarpMethod method = WarpMethod::Polynomial;
  int order = 1;  // the polynomial's
  std::vector<WarpControlPoint> points;
  // Affine: the six geotransform coefficients (x = c0 + c1 px + c2 line,
  // y = c3 + c4 px + c5 line). Projective: the homography's nine, row by row.
  std::vector<double> coefficients;
  // The scan's frame in scan pixels; the scan outside it is not warped.
  std::vector<QPointF> mask;
  // A name for the transform in files that keep it ("poly2", "tps", ...).
  QString methodName;
};

// A raster as the georeferencer shows it: its size and a copy reduced to at
// most maxSide pixels along its longer side.
struct RasterPreview {
  int width = 0;
  int height = 0;
  bool georeferenced = false;
  QImage image;  // RGB32, or ARGB32 where the raster has alpha
};

// One era in one file for other tools: a raster handed to the module as
// picture files on disk, each placed in the raster's pixels, written through
// the library's own drivers.
enum class RasterFileFormat {
  GeoPackage,    // a tile set in the web's common scheme, with its lower zooms
  MBTiles,       // the same in an MBTiles file
  CloudGeoTiff,  // a Cloud-Optimised GeoTIFF with its overviews
};

// A picture file (PNG, RGB or RGBA) that is part of the raster. Pixels the
// pieces leave out are transparent.
struct RasterPiece {
  QString path;
  int x = 0;  // its top-left pixel in the raster
  int y = 0;
  int width = 0;
  int height = 0;
};

struct RasterFileJob {
  RasterFileFormat format = RasterFileFormat::CloudGeoTiff;
  QString path;  // written beside itself and renamed only when complete
  int width = 0;
  int height = 0;
  // Pixel (0, 0)'s north-west corner and the size of a pixel, in the units
  // of the coordinate system (degrees lon/lat for 4326, metres for 3857).
  double originX = 0.0;
  double originY = 0.0;
  double pixelWidth = 0.0;
  double pixelHeight = 0.0;  // positive: y grows to the south
  int epsg = 4326;
  std::vector<RasterPiece> pieces;
  // Tile sets: the zooms to fill (the raster is at maxZoom).
  int minZoom = 0;
  int maxZoom = 0;
  QString name;  // the layer's name
  QString description;
  QString attribution;
};

// The services of the module. One object for the life of the program.
class GeoData {
 public:
  virtual ~GeoData() = default;

  // Reads every layer of a vector file, transformed into the world datum.
  virtual VectorFileData readVectorFile(const QString& path) = 0;

  // Geodesic length in metres of the path through the points on the WGS84
  // ellipsoid; closed: back to the first point too, and *area gets the
  // enclosed area in square metres (never negative).
  virtual double geodesicLength(const std::vector<GeoPoint>& points, bool closed, double* area) = 0;

  // Opens a georeferenced scan. status and detail say why when null.
  virtual std::unique_ptr<ScanSource> openScan(const QString& path, ScanStatus& status, QString* detail) = 0;

  // Georeferencing a plain scan.
  virtual CrsDescription describeCrs(const QString& userInput) = 0;
  // Transforms points in place, longitude before latitude and easting before
  // northing whatever the system's own axis order. False with the library's
  // words when the systems or any point cannot be transformed.
  virtual bool transformPoints(const QString& fromCrs, const QString& toCrs, std::vector<double>& x,
                               std::vector<double>& y, QString* detail) = 0;
  // Size and a reduced copy of any raster the library reads (overviews are
  // used where the file has them, so a large scan is not read whole); the
  // size alone when maxSide is 0.
  virtual ScanStatus readRaster(const QString& path, int maxSide, RasterPreview& out, QString* detail) = 0;
  // Opens a scan with the warp the control points define; the source then
  // warps like a georeferenced scan.
  virtual std::unique_ptr<ScanSource> openScanWithPoints(const QString& path, const GeorefWarp& plan,
                                                         ScanStatus& status, QString* detail) = 0;
  // Writes the scan as a GeoTIFF: its pixels unchanged with the control
  // points as ground control points and the transform's name in its
  // metadata, or (warped) resampled onto the plane.
  virtual bool writeGeoTiff(const QString& scanPath, const GeorefWarp& plan, bool warped, const QString& outPath,
                            const std::function<bool(double)>& progress, QString* detail) = 0;
  // ---- One-file exports of an era ----------------------------------------
  // Writes the raster in the job's format. progress(done fraction) returns
  // false to stop. False with the library's words in *error; the file at
  // job.path is then as it was (a file that exists is never written over).
  virtual bool writeRasterFile(const RasterFileJob& job, const std::function<bool(double)>& progress,
                               QString* error) = 0;
};

// The module's one exported function has this name and type; the version
// guards against a module left over from another build (2: georeferencing
// and the one-file exports).
inline constexpr int kGeoDataInterfaceVersion = 2;
inline constexpr const char* kGeoDataFactoryName = "kavalo_geodata_create";
using GeoDataFactory = GeoData* (*)(int interfaceVersion);

}  // namespace kavalo
