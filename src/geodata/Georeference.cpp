// SPDX-License-Identifier: MIT
#include "geodata/Georeference.h"

#include <cpl_string.h>
#include <gdal_priv.h>
#include <gdal_utils.h>
#include <ogr_spatialref.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>

#include "geodata/ScanWarp.h"

namespace kavalo::geodata {

namespace {

// A coordinate system from the user's words, never from a file or the
// network: an EPSG code alone is taken as one.
bool parseCrs(const QString& input, OGRSpatialReference& srs, QString* error) {
  QString text = input.trimmed();
  if (text.isEmpty()) {
    if (error) *error = QStringLiteral("empty");
    return false;
  }
  bool number = false;
  text.toInt(&number);
  if (number) text = QStringLiteral("EPSG:") + text;
  const QByteArray bytes = text.toUtf8();
  const char* options[] = {"ALLOW_NETWORK_ACCESS=NO", "ALLOW_FILE_ACCESS=NO", nullptr};
  if (srs.SetFromUserInput(bytes.constData(), options) != OGRERR_NONE) {
    if (error) *error = lastError();
    return false;
  }
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return true;
}

// Coordinate transformations are costly to set up and the live overlay asks
// for the same pair many times a second: they are kept, one per pair.
class TransformCache {
 public:
  bool transform(const QString& from, const QString& to, std::vector<double>& x, std::vector<double>& y,
                 QString* detail) {
    std::lock_guard<std::mutex> lock(mutex_);
    const QString key = from + u'\n' + to;
    auto it = cache_.find(key);
    if (it == cache_.end()) {
      OGRSpatialReference a, b;
      QString error;
      if (!parseCrs(from, a, &error) || !parseCrs(to, b, &error)) {
        if (detail) *detail = error;
        return false;
      }
      OGRCoordinateTransformation* ct = OGRCreateCoordinateTransformation(&a, &b);
      if (!ct) {
        if (detail) *detail = lastError();
        return false;
      }
      if (cache_.size() > 16) clear();
      it = cache_.emplace(key, ct).first;
    }
    if (x.size() != y.size()) return false;
    if (x.empty()) return true;
    std::vector<int> ok(x.size(), 0);
    std::vector<double> z(x.size(), 0.0);
    if (!it->second->Transform(static_cast<int>(x.size()), x.data(), y.data(), z.data(), ok.data())) {
      if (detail) *detail = lastError();
      return false;
    }
    for (size_t i = 0; i < x.size(); ++i)
      if (!ok[i] || !std::isfinite(x[i]) || !std::isfinite(y[i])) {
        if (detail) *detail = QStringLiteral("point %1 cannot be transformed").arg(i + 1);
        return false;
      }
    return true;
  }
  ~TransformCache() { clear(); }

 private:
  void clear() {
    for (auto& [key, ct] : cache_) OGRCoordinateTransformation::DestroyCT(ct);
    cache_.clear();
  }
  std::mutex mutex_;
  std::map<QString, OGRCoordinateTransformation*> cache_;
};

TransformCache& transforms() {
  static TransformCache cache;
  return cache;
}

struct ProgressArg {
  const std::function<bool(double)>* progress;
};

int CPL_STDCALL reportProgress(double done, const char*, void* data) {
  auto* arg = static_cast<ProgressArg*>(data);
  return (!arg->progress || !*arg->progress || (*arg->progress)(done)) ? TRUE : FALSE;
}

}  // namespace

CrsDescription describeCrs(const QString& userInput) {
  CrsDescription d;
  OGRSpatialReference srs;
  if (!parseCrs(userInput, srs, &d.error)) return d;
  char* wkt = nullptr;
  const char* options[] = {"FORMAT=WKT2_2018", nullptr};
  if (srs.exportToWkt(&wkt, options) != OGRERR_NONE) {
    CPLFree(wkt);
    d.error = lastError();
    return d;
  }
  d.wkt = QString::fromUtf8(wkt);
  CPLFree(wkt);
  d.name = srs.GetName() ? QString::fromUtf8(srs.GetName()) : QString();
  d.projected = srs.IsProjected();
  d.ok = true;
  return d;
}

bool transformPoints(const QString& fromCrs, const QString& toCrs, std::vector<double>& x, std::vector<double>& y,
                     QString* detail) {
  return transforms().transform(fromCrs, toCrs, x, y, detail);
}

ScanStatus readRaster(const QString& path, int maxSide, RasterPreview& out, QString* detail) {
  out = RasterPreview();
  const QByteArray name = path.toUtf8();
  Dataset original(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!original || GDALGetRasterCount(original.get()) < 1) {
    if (detail) *detail = lastError();
    return ScanStatus::Unreadable;
  }
  double gt[6];
  out.georeferenced = GDALGetGCPCount(original.get()) > 0 ||
                      (GDALGetGeoTransform(original.get(), gt) == CE_None &&
                       !(gt[0] == 0 && gt[1] == 1 && gt[2] == 0 && gt[3] == 0 && gt[4] == 0 && gt[5] == 1));
  bool alpha = false;
  Dataset plain = plainBytes(original.get(), alpha, detail);
  GDALDatasetH ds = plain ? plain.get() : original.get();
  out.width = GDALGetRasterXSize(ds);
  out.height = GDALGetRasterYSize(ds);
  if (out.width < 1 || out.height < 1) return ScanStatus::Unreadable;
  if (maxSide <= 0) return ScanStatus::Ok;
  const double f = std::min(1.0, static_cast<double>(maxSide) / std::max(out.width, out.height));
  const int w = std::max(1, static_cast<int>(std::lround(out.width * f)));
  const int h = std::max(1, static_cast<int>(std::lround(out.height * f)));
  const int count = GDALGetRasterCount(ds);
  int bands[4] = {1, 2, 3, 0};
  int alphaBand = 0;
  if (count >= 3) {
    for (int b = 1; b <= count; ++b)
      if (GDALGetRasterColorInterpretation(GDALGetRasterBand(ds, b)) == GCI_AlphaBand) alphaBand = b;
    if (!alphaBand && count == 4) alphaBand = 4;
  } else {
    bands[1] = bands[2] = 1;
    if (count == 2) alphaBand = 2;
  }
  QImage image(w, h, alphaBand ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) return ScanStatus::Failed;
  image.fill(0xff000000);
  // Averaged, so that the reduced copy of a fine map keeps its thin lines as
  // tints rather than dropping them; overviews are used where the file has them.
  GDALRasterIOExtraArg extra;
  INIT_RASTERIO_EXTRA_ARG(extra);
  extra.eResampleAlg = f < 1.0 ? GRIORA_Average : GRIORA_NearestNeighbour;
  // QImage keeps 32-bit pixels as bytes blue, green, red, alpha.
  const int offsets[4] = {2, 1, 0, 3};
  for (int i = 0; i < (alphaBand ? 4 : 3); ++i) {
    const int band = i < 3 ? bands[i] : alphaBand;
    const CPLErr err = GDALRasterIOEx(GDALGetRasterBand(ds, band), GF_Read, 0, 0, out.width, out.height,
                                      image.bits() + offsets[i], w, h, GDT_Byte, 4, image.bytesPerLine(), &extra);
    if (err != CE_None) {
      if (detail) *detail = lastError();
      return ScanStatus::Unreadable;
    }
  }
  out.image = image;
  return ScanStatus::Ok;
}

bool writeGeoTiff(const QString& scanPath, const GeorefWarp& plan, bool warped, const QString& outPath,
                  const std::function<bool(double)>& progress, QString* detail) {
  const QByteArray name = scanPath.toUtf8();
  Dataset original(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!original) {
    if (detail) *detail = lastError();
    return false;
  }
  Dataset placed = virtualCopy(original.get(), detail);
  if (!placed) return false;
  OGRSpatialReference plane;
  const QByteArray planeWkt = plan.planeWkt.toUtf8();
  if (plane.importFromWkt(planeWkt.constData()) != OGRERR_NONE) {
    if (detail) *detail = lastError();
    return false;
  }
  // A projective warp is carried to other tools by a dense net of points
  // taken from it: their warpers know polynomials and splines only.
  GeorefWarp points = plan;
  if (plan.method == WarpMethod::Projective && plan.coefficients.size() == 9) {
    const double* hm = plan.coefficients.data();
    const double w = GDALGetRasterXSize(original.get()), h = GDALGetRasterYSize(original.get());
    points.points.clear();
    for (int j = 0; j <= 8; ++j)
      for (int i = 0; i <= 8; ++i) {
        const double px = w * i / 8.0, py = h * j / 8.0;
        const double d = hm[6] * px + hm[7] * py + hm[8];
        points.points.push_back({px, py, (hm[0] * px + hm[1] * py + hm[2]) / d, (hm[3] * px + hm[4] * py + hm[5]) / d});
      }
  }
  std::vector<GDAL_GCP> gcps = gdalPoints(points);
  GDALSetGCPs2(placed.get(), static_cast<int>(gcps.size()), gcps.data(), OGRSpatialReference::ToHandle(&plane));
  freePoints(gcps);
  GDALSetMetadataItem(placed.get(), "GEOREF_TRANSFORM", plan.methodName.toUtf8().constData(), nullptr);
  if (plan.method == WarpMethod::Polynomial)
    GDALSetMetadataItem(placed.get(), "GEOREF_ORDER", QByteArray::number(plan.order).constData(), nullptr);

  const QString part = outPath + QStringLiteral(".part");
  const QByteArray partName = part.toUtf8();
  ProgressArg arg{&progress};
  bool ok = false;
  if (!warped) {
    GDALDriverH driver = GDALGetDriverByName("GTiff");
    const char* options[] = {"COMPRESS=DEFLATE", "TILED=YES", "BIGTIFF=IF_SAFER", nullptr};
    Dataset out(driver ? GDALCreateCopy(driver, partName.constData(), placed.get(), FALSE, const_cast<char**>(options),
                                        reportProgress, &arg)
                       : nullptr);
    ok = out != nullptr;
    if (out) {
      CPLErrorReset();
      GDALFlushCache(out.get());
      ok = CPLGetLastErrorType() != CE_Failure;
    }
  } else {
    CPLStringList args;
    for (const char* a : {"-of", "GTiff", "-co", "COMPRESS=DEFLATE", "-co", "TILED=YES", "-co", "BIGTIFF=IF_SAFER",
                          "-r", "bilinear", "-dstalpha"})
      args.AddString(a);
    if (plan.method == WarpMethod::ThinPlateSpline || plan.method == WarpMethod::Projective) {
      args.AddString("-tps");
    } else {
      args.AddString("-order");
      args.AddString(QByteArray::number(plan.method == WarpMethod::Affine ? 1 : plan.order).constData());
    }
    if (plan.mask.size() >= 3) {
      // The frame as a cutline in scan pixels, kept for the warper alone.
      QString wkt = QStringLiteral("POLYGON((");
      for (const QPointF& p : plan.mask) wkt += QStringLiteral("%1 %2,").arg(p.x(), 0, 'g', 12).arg(p.y(), 0, 'g', 12);
      wkt += QStringLiteral("%1 %2))").arg(plan.mask[0].x(), 0, 'g', 12).arg(plan.mask[0].y(), 0, 'g', 12);
      args.AddString("-wo");
      args.AddString(("CUTLINE=" + wkt).toUtf8().constData());
    }
    GDALWarpAppOptions* options = GDALWarpAppOptionsNew(args.List(), nullptr);
    if (!options) {
      if (detail) *detail = lastError();
      return false;
    }
    GDALWarpAppOptionsSetProgress(options, reportProgress, &arg);
    GDALDatasetH sources[] = {placed.get()};
    int usage = 0;
    Dataset out(GDALWarp(partName.constData(), nullptr, 1, sources, options, &usage));
    GDALWarpAppOptionsFree(options);
    ok = out != nullptr && !usage;
    if (out) {
      CPLErrorReset();
      GDALFlushCache(out.get());
      ok = ok && CPLGetLastErrorType() != CE_Failure;
    }
  }
  if (!ok) {
    if (detail) *detail = lastError();
    QFile::remove(part);
    return false;
  }
  // Whole, then in place: a cut-off run never leaves half a file under the
  // name the user chose.
  if (std::rename(partName.constData(), outPath.toUtf8().constData()) != 0) {
    if (detail) *detail = QStringLiteral("cannot rename %1").arg(part);
    QFile::remove(part);
    return false;
  }
  return true;
}

}  // namespace kavalo::geodata
