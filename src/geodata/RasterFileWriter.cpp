// SPDX-License-Identifier: MIT
#include "geodata/RasterFileWriter.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <algorithm>
#include <memory>
#include <vector>

namespace kavalo::geodata {

namespace {

struct DatasetCloser {
  void operator()(void* d) const {
    if (d) GDALClose(static_cast<GDALDatasetH>(d));
  }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

bool fail(QString* error, const QString& what) {
  if (error) {
    const QString detail = QString::fromUtf8(CPLGetLastErrorMsg());
    *error = detail.isEmpty() ? what : what + QStringLiteral(": ") + detail;
  }
  return false;
}

QByteArray xml(const QString& text) {
  char* escaped = CPLEscapeString(text.toUtf8().constData(), -1, CPLES_XML);
  QByteArray out(escaped);
  CPLFree(escaped);
  return out;
}

// Whether a PNG file carries alpha: its header's colour type (4 grey with
// alpha, 6 truecolour with alpha). -1 when the file is no PNG.
int pngHasAlpha(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray head = file.read(26);
  if (head.size() < 26 || !head.startsWith("\x89PNG\r\n\x1a\n")) return -1;
  const auto type = static_cast<unsigned char>(head[25]);
  return type == 4 || type == 6 ? 1 : 0;
}

// The virtual raster of the pieces: four bands, the fourth alpha (opaque
// pieces give 255 there).
bool virtualRaster(const RasterFileJob& job, QByteArray& out, QString* error) {
  OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
  if (OSRImportFromEPSG(srs, job.epsg) != OGRERR_NONE) {
    OSRDestroySpatialReference(srs);
    return fail(error, QStringLiteral("unknown coordinate system EPSG:%1").arg(job.epsg));
  }
  char* wkt = nullptr;
  OSRExportToWkt(srs, &wkt);
  const QByteArray srsText = xml(QString::fromUtf8(wkt));
  CPLFree(wkt);
  OSRDestroySpatialReference(srs);
  // The pieces' alpha, read once per piece.
  std::vector<int> alpha;
  alpha.reserve(job.pieces.size());
  for (const RasterPiece& p : job.pieces) {
    const int a = pngHasAlpha(p.path);
    if (a < 0) return fail(error, QStringLiteral("%1 is no PNG picture").arg(p.path));
    alpha.push_back(a);
  }
  // Longitude first: the geotransform's x is the longitude.
  const char* mapping = job.epsg == 4326 ? "2,1" : "1,2";
  out = QByteArray("<VRTDataset rasterXSize=\"") + QByteArray::number(job.width) + "\" rasterYSize=\"" +
        QByteArray::number(job.height) + "\">\n<SRS dataAxisToSRSAxisMapping=\"" + mapping + "\">" + srsText +
        "</SRS>\n<GeoTransform>" + QByteArray::number(job.originX, 'g', 17) + "," +
        QByteArray::number(job.pixelWidth, 'g', 17) + ",0," + QByteArray::number(job.originY, 'g', 17) + ",0," +
        QByteArray::number(-job.pixelHeight, 'g', 17) + "</GeoTransform>\n";
  const char* colours[4] = {"Red", "Green", "Blue", "Alpha"};
  for (int band = 1; band <= 4; ++band) {
    out += "<VRTRasterBand dataType=\"Byte\" band=\"" + QByteArray::number(band) + "\"><ColorInterp>" +
           colours[band - 1] + "</ColorInterp>\n";
    for (size_t i = 0; i < job.pieces.size(); ++i) {
      const RasterPiece& p = job.pieces[i];
      const QByteArray rect = "<SrcRect xOff=\"0\" yOff=\"0\" xSize=\"" + QByteArray::number(p.width) + "\" ySize=\"" +
                              QByteArray::number(p.height) + "\"/><DstRect xOff=\"" + QByteArray::number(p.x) +
                              "\" yOff=\"" + QByteArray::number(p.y) + "\" xSize=\"" + QByteArray::number(p.width) +
                              "\" ySize=\"" + QByteArray::number(p.height) + "\"/>";
      const QByteArray file = "<SourceFilename relativeToVRT=\"0\">" + xml(p.path) + "</SourceFilename>";
      if (band == 4 && !alpha[i])
        // An opaque piece: its first band scaled to a constant 255.
        out += "<ComplexSource>" + file + "<SourceBand>1</SourceBand>" + rect +
               "<ScaleOffset>255</ScaleOffset><ScaleRatio>0</ScaleRatio></ComplexSource>\n";
      else
        out += "<SimpleSource>" + file + "<SourceBand>" + QByteArray::number(band) + "</SourceBand>" + rect +
               "</SimpleSource>\n";
    }
    out += "</VRTRasterBand>\n";
  }
  out += "</VRTDataset>\n";
  return true;
}

struct ProgressScale {
  const std::function<bool(double)>* progress;
  double from;
  double span;
};

int CPL_STDCALL onProgress(double done, const char*, void* arg) {
  const auto* p = static_cast<const ProgressScale*>(arg);
  if (!p->progress || !*p->progress) return TRUE;
  return (*p->progress)(p->from + done * p->span) ? TRUE : FALSE;
}

class Options {
 public:
  ~Options() { CSLDestroy(list_); }
  void set(const char* key, const QString& value) { list_ = CSLSetNameValue(list_, key, value.toUtf8().constData()); }
  char** get() const { return list_; }

 private:
  char** list_ = nullptr;
};

}  // namespace

bool writeRasterFile(const RasterFileJob& job, const std::function<bool(double)>& progress, QString* error) {
  CPLErrorReset();
  if (job.width <= 0 || job.height <= 0 || job.pieces.empty()) return fail(error, QStringLiteral("the era is empty"));
  if (QFileInfo::exists(job.path)) return fail(error, QStringLiteral("%1 exists already").arg(job.path));
  QByteArray vrtText;
  if (!virtualRaster(job, vrtText, error)) return false;
  const QByteArray vrtName = "/vsimem/kavalo-export-" + QUuid::createUuid().toByteArray(QUuid::Id128) + ".vrt";
  VSILFILE* mem = VSIFileFromMemBuffer(vrtName.constData(), reinterpret_cast<GByte*>(vrtText.data()),
                                       static_cast<vsi_l_offset>(vrtText.size()), FALSE);
  if (!mem) return fail(error, QStringLiteral("cannot gather the pictures"));
  VSIFCloseL(mem);
  struct Unlink {
    QByteArray name;
    ~Unlink() { VSIUnlink(name.constData()); }
  } unlink{vrtName};
  Dataset source(GDALOpen(vrtName.constData(), GA_ReadOnly));
  if (!source) return fail(error, QStringLiteral("cannot gather the pictures"));

  const char* driverName = job.format == RasterFileFormat::GeoPackage ? "GPKG"
                           : job.format == RasterFileFormat::MBTiles  ? "MBTiles"
                                                                      : "COG";
  GDALDriverH driver = GDALGetDriverByName(driverName);
  if (!driver) return fail(error, QStringLiteral("the library has no %1 driver").arg(driverName));
  Options options;
  const bool tiles = job.format != RasterFileFormat::CloudGeoTiff;
  if (tiles) {
    options.set("TILE_FORMAT", QStringLiteral("PNG"));
    options.set("ZOOM_LEVEL_STRATEGY", QStringLiteral("AUTO"));
    options.set("RESAMPLING", QStringLiteral("AVERAGE"));
    if (job.format == RasterFileFormat::GeoPackage) {
      options.set("TILING_SCHEME", QStringLiteral("GoogleMapsCompatible"));
      options.set("RASTER_TABLE", job.name);
      options.set("RASTER_IDENTIFIER", job.name);
      options.set("RASTER_DESCRIPTION", job.description);
    } else {
      options.set("NAME", job.name);
      options.set("DESCRIPTION", job.description);
    }
  } else {
    options.set("COMPRESS", QStringLiteral("DEFLATE"));
    options.set("BLOCKSIZE", QStringLiteral("512"));
    options.set("OVERVIEW_RESAMPLING", QStringLiteral("AVERAGE"));
  }
  // Written beside the target under a name of its own, renamed when whole.
  const QFileInfo target(job.path);
  const QString part = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".part-") +
                       QUuid::createUuid().toString(QUuid::Id128).left(8) + u'.' + target.suffix();
  const QByteArray partName = part.toUtf8();
  auto discard = [&] {
    GDALDeleteDataset(driver, partName.constData());
    QFile::remove(part);
  };
  const int levels = tiles ? std::max(0, job.maxZoom - job.minZoom) : 0;
  ProgressScale copyScale{&progress, 0.0, levels > 0 ? 0.6 : 1.0};
  {
    Dataset out(
        GDALCreateCopy(driver, partName.constData(), source.get(), FALSE, options.get(), onProgress, &copyScale));
    if (!out) {
      discard();
      return fail(error, QStringLiteral("cannot write %1").arg(job.path));
    }
    if (tiles && !job.attribution.isEmpty())
      GDALSetMetadataItem(out.get(), "attribution", job.attribution.toUtf8().constData(), nullptr);
  }
  if (levels > 0) {
    // The lower zooms of the tile set, each half the one above.
    Dataset out(GDALOpen(partName.constData(), GA_Update));
    if (!out) {
      discard();
      return fail(error, QStringLiteral("cannot open %1 again for its lower zooms").arg(job.path));
    }
    std::vector<int> factors;
    for (int k = 1; k <= levels; ++k) factors.push_back(1 << k);
    ProgressScale overviewScale{&progress, 0.6, 0.4};
    if (GDALBuildOverviews(out.get(), "AVERAGE", static_cast<int>(factors.size()), factors.data(), 0, nullptr,
                           onProgress, &overviewScale) != CE_None) {
      out.reset();
      discard();
      return fail(error, QStringLiteral("cannot write the lower zooms of %1").arg(job.path));
    }
  }
  if (QFileInfo::exists(job.path) || !QFile::rename(part, job.path)) {
    discard();
    return fail(error, QStringLiteral("cannot put %1 in place").arg(job.path));
  }
  return true;
}

}  // namespace kavalo::geodata
