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
  Unreadable,  // not a file of a known vector format, or damaged
  NoTransform  // a coordinate system that cannot be turned into the world datum
};

struct VectorFileData {
  VectorStatus status = VectorStatus::Unreadable;
  QString detail;  // the library's own words, for the log
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

  // ---- One-file exports of an era ----------------------------------------
  // Writes the raster in the job's format. progress(done fraction) returns
  // false to stop. False with the library's words in *error; the file at
  // job.path is then as it was (a file that exists is never written over).
  virtual bool writeRasterFile(const RasterFileJob& job, const std::function<bool(double)>& progress,
                               QString* error) = 0;
};

// The module's one exported function has this name and type; the version
// guards against a module left over from another build (2: the one-file
// exports).
inline constexpr int kGeoDataInterfaceVersion = 2;
inline constexpr const char* kGeoDataFactoryName = "kavalo_geodata_create";
using GeoDataFactory = GeoData* (*)(int interfaceVersion);

}  // namespace kavalo
