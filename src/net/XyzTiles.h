// SPDX-License-Identifier: MIT
#pragma once
// Any web-mercator tile service ({z}/{x}/{y}) as a new era: the tiles that
// cover the data folder are fetched (two at a time, kept in a cache folder so
// that a second run asks for nothing again) and every pixel of the folder's
// own tiles is looked up through the coordinate model, in the world datum,
// and read from them.
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "model/MapInfo.h"
#include "net/AcquireContext.h"

namespace kavalo {

// The template with {z}, {x} and {y} replaced.
QString xyzTileUrl(const QString& urlTemplate, int z, int x, int y);
// A template names all three of {z}, {x} and {y} and is an http(s) address.
bool xyzTemplateUsable(const QString& urlTemplate);

// Web-mercator pixel position of a longitude and latitude at zoom z (256
// pixels per tile).
double mercatorX(double lon, int z);
double mercatorY(double lat, int z);

// World-datum longitude of an image x, latitude of an image y: the coordinate
// model's conversion, in double precision (single precision would shift the
// lookups by about half a pixel of a fine zoom).
double imageToWorldLon(const MapInfo& info, double x);
double imageToWorldLat(const MapInfo& info, double y);

// The range of tiles at zoom z that covers the era grid (world-datum frame),
// one pixel of margin included for the interpolation.
struct XyzRange {
  int x0 = 0, x1 = -1, y0 = 0, y1 = -1;
  int count() const { return (x1 < x0 || y1 < y0) ? 0 : (x1 - x0 + 1) * (y1 - y0 + 1); }
};
XyzRange xyzRangeFor(const MapInfo& info, int z);

// What a tile service may send: a PNG or a JPEG of no side beyond 1024.
ImageRule xyzTileRule();

// Fetches (url, file) jobs, a few at a time, each body into its file whole
// or not at all (a tile the server says it does not have becomes an empty
// file); done(index, result) after each. No request starts once stop() is
// true, and those under way are ended.
using XyzFetcher = std::function<void(const std::vector<std::pair<QString, QString>>& jobs,
                                      const std::function<void(int index, const TransferResult& result)>& done,
                                      const std::function<bool()>& stop)>;

// The program's fetcher: at most two requests at a time, on the calling
// thread's network, under the same limits as every request, ended at once
// by the thread's CancelToken.
XyzFetcher networkXyzFetcher();

// Where the tiles of a template are kept between runs, so that a second run
// asks the server for nothing it has answered: the user's cache folder
// (~/.cache/kavalo/xyz/ by XDG), a folder per template.
QString xyzCacheFolder(const QString& urlTemplate);
// Another place than the user's cache folder for the tile caches (empty: the
// user's again).
void setXyzCacheRoot(const QString& folder);

struct XyzRequest {
  QString urlTemplate;
  int zoom = 16;
  bool map = true;      // map: masked 8-bit PNG; photo: JPEG
  QString cacheFolder;  // where fetched tiles are kept
};

struct XyzResult {
  int tiles = 0;         // tiles written
  int requests = 0;      // tiles asked of the server
  int cached = 0;        // tiles found in the cache
  RequestCounts counts;  // answered, absent (404, 410: background), failed
  bool cancelled = false;
  QString writeError;
};

// Reads the era's tile (col, row) from the mercator tiles: pixel centres
// through the coordinate model, bilinear within a tile and averaged over
// the source pixels a tile pixel covers when the zoom is finer. tileAt gives
// the decoded tile (null when missing: read as white).
QImage reprojectTile(const MapInfo& info, int col, int row, int z,
                     const std::function<const QImage&(int tx, int ty)>& tileAt);

// The whole run into folder. The first tile that failed stops it before a
// single tile of the era is made.
XyzResult AcquireXyz(const AcquireContext& ctx, const XyzFetcher& fetch, const QString& folder,
                     const XyzRequest& request, const MapInfo& info);

}  // namespace kavalo
