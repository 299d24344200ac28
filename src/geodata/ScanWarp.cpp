// SPDX-License-Identifier: MIT
#include "geodata/ScanWarp.h"

#include <cpl_string.h>
#include <gdal_alg.h>
#include <gdal_priv.h>
#include <gdal_utils.h>
#include <gdalwarper.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <vector>

namespace kavalo::geodata {

namespace {

// The warper's working memory per call; the block cache is bounded where the
// module starts.
constexpr double kWarpMemory = 64.0 * 1024 * 1024;
// Points along each edge of the scan for its outline in the world datum: a
// projected scan's edges are curves there.
constexpr int kEdgeSteps = 32;
// Scans up to this many pixels are averaged when read at the tiles'
// resolution (a 20,000 x 15,000 scan is 3 x 10^8).
constexpr double kAveragedPixels = 1.0e9;

struct TransformerDeleter {
  void (*destroy)(void*) = nullptr;
  void operator()(void* t) const {
    if (t && destroy) destroy(t);
  }
};
using Transformer = std::unique_ptr<void, TransformerDeleter>;

}  // namespace

QString lastError() { return QString::fromUtf8(CPLGetLastErrorMsg()); }

QString worldWkt() {
  OGRSpatialReference world;
  world.SetWellKnownGeogCS("WGS84");
  char* wkt = nullptr;
  world.exportToWkt(&wkt);
  const QString text = QString::fromUtf8(wkt);
  CPLFree(wkt);
  return text;
}

namespace {

// A .prj beside the image: GDAL reads the world file of a PNG or JPEG but not
// the coordinate system written next to it in the GIS's usual way.
QString sidecarCrs(const QString& path) {
  const QFileInfo info(path);
  for (const QString& suffix : {QStringLiteral(".prj"), QStringLiteral(".PRJ")}) {
    QFile file(info.path() + u'/' + info.completeBaseName() + suffix);
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray text = file.read(1 << 20).trimmed();
    OGRSpatialReference srs;
    if (srs.SetFromUserInput(text.constData()) != OGRERR_NONE) return QString();
    char* wkt = nullptr;
    if (srs.exportToWkt(&wkt) != OGRERR_NONE) return QString();
    const QString out = QString::fromUtf8(wkt);
    CPLFree(wkt);
    return out;
  }
  return QString();
}

bool hasGeoTransform(GDALDatasetH ds) {
  double gt[6];
  if (GDALGetGeoTransform(ds, gt) != CE_None) return false;
  // GDAL reports the identity when there is none.
  return !(gt[0] == 0 && gt[1] == 1 && gt[2] == 0 && gt[3] == 0 && gt[4] == 0 && gt[5] == 1);
}

}  // namespace

// Palette and non-byte scans become plain bytes of red, green, blue (and
// alpha) through a virtual copy, so that the warper interpolates colours and
// not palette indices.
Dataset plainBytes(GDALDatasetH ds, bool& hasAlpha, QString* detail) {
  GDALRasterBandH first = GDALGetRasterBand(ds, 1);
  const bool palette = GDALGetRasterColorTable(first) != nullptr;
  const bool bytes = GDALGetRasterDataType(first) == GDT_Byte;
  if (!palette && bytes) return Dataset();
  CPLStringList args;
  args.AddString("-of");
  args.AddString("VRT");
  if (palette) {
    args.AddString("-expand");
    args.AddString("rgba");
  }
  if (!bytes) {
    args.AddString("-ot");
    args.AddString("Byte");
    args.AddString("-scale");
  }
  GDALTranslateOptions* options = GDALTranslateOptionsNew(args.List(), nullptr);
  if (!options) return Dataset();
  int usage = 0;
  Dataset out(GDALTranslate("", ds, options, &usage));
  GDALTranslateOptionsFree(options);
  if (!out && detail) *detail = lastError();
  if (palette) hasAlpha = true;
  return out;
}

Dataset virtualCopy(GDALDatasetH ds, QString* detail) {
  const char* argv[] = {"-of", "VRT", nullptr};
  GDALTranslateOptions* options = GDALTranslateOptionsNew(const_cast<char**>(argv), nullptr);
  if (!options) return Dataset();
  int usage = 0;
  Dataset out(GDALTranslate("", ds, options, &usage));
  GDALTranslateOptionsFree(options);
  if (!out && detail) *detail = lastError();
  return out;
}

std::vector<GDAL_GCP> gdalPoints(const GeorefWarp& plan) {
  std::vector<GDAL_GCP> gcps(plan.points.size());
  GDALInitGCPs(static_cast<int>(gcps.size()), gcps.data());
  for (size_t i = 0; i < gcps.size(); ++i) {
    CPLFree(gcps[i].pszId);
    gcps[i].pszId = CPLStrdup(QByteArray::number(static_cast<int>(i + 1)).constData());
    gcps[i].dfGCPPixel = plan.points[i].pixel;
    gcps[i].dfGCPLine = plan.points[i].line;
    gcps[i].dfGCPX = plan.points[i].x;
    gcps[i].dfGCPY = plan.points[i].y;
  }
  return gcps;
}

void freePoints(std::vector<GDAL_GCP>& gcps) {
  GDALDeinitGCPs(static_cast<int>(gcps.size()), gcps.data());
  gcps.clear();
}

namespace {

// The scan's pixels to the world datum through control points when the warp
// is projective: GDAL's transformers know polynomials and splines but not the
// homography, which is exact here both ways.
struct ProjectiveTransformer {
  double forward[9];  // scan pixel -> plane
  double inverse[9];
  OGRCoordinateTransformation* toPlane = nullptr;
  OGRCoordinateTransformation* toWorld = nullptr;
  bool hasDst = false;
  double dst[6];  // the target grid's geotransform and its inverse
  double dstInverse[6];
  ~ProjectiveTransformer() {
    OGRCoordinateTransformation::DestroyCT(toPlane);
    OGRCoordinateTransformation::DestroyCT(toWorld);
  }
};

bool invert3(const double* m, double* out) {
  const double det =
      m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) + m[2] * (m[3] * m[7] - m[4] * m[6]);
  if (!std::isfinite(det) || det == 0.0) return false;
  out[0] = (m[4] * m[8] - m[5] * m[7]) / det;
  out[1] = (m[2] * m[7] - m[1] * m[8]) / det;
  out[2] = (m[1] * m[5] - m[2] * m[4]) / det;
  out[3] = (m[5] * m[6] - m[3] * m[8]) / det;
  out[4] = (m[0] * m[8] - m[2] * m[6]) / det;
  out[5] = (m[2] * m[3] - m[0] * m[5]) / det;
  out[6] = (m[3] * m[7] - m[4] * m[6]) / det;
  out[7] = (m[1] * m[6] - m[0] * m[7]) / det;
  out[8] = (m[0] * m[4] - m[1] * m[3]) / det;
  return true;
}

int CPL_STDCALL projectiveTransform(void* arg, int dstToSrc, int count, double* x, double* y, double* z, int* ok) {
  auto* t = static_cast<ProjectiveTransformer*>(arg);
  for (int i = 0; i < count; ++i) ok[i] = TRUE;
  if (dstToSrc) {
    if (t->hasDst)
      for (int i = 0; i < count; ++i) {
        const double px = x[i], py = y[i];
        x[i] = t->dst[0] + px * t->dst[1] + py * t->dst[2];
        y[i] = t->dst[3] + px * t->dst[4] + py * t->dst[5];
      }
    if (!t->toPlane->Transform(count, x, y, z, ok)) return FALSE;
    for (int i = 0; i < count; ++i) {
      const double* h = t->inverse;
      const double w = h[6] * x[i] + h[7] * y[i] + h[8];
      if (!ok[i] || w == 0.0) {
        ok[i] = FALSE;
        continue;
      }
      const double px = (h[0] * x[i] + h[1] * y[i] + h[2]) / w, py = (h[3] * x[i] + h[4] * y[i] + h[5]) / w;
      x[i] = px;
      y[i] = py;
    }
    return TRUE;
  }
  for (int i = 0; i < count; ++i) {
    const double* h = t->forward;
    const double w = h[6] * x[i] + h[7] * y[i] + h[8];
    if (w == 0.0) {
      ok[i] = FALSE;
      continue;
    }
    const double px = (h[0] * x[i] + h[1] * y[i] + h[2]) / w, py = (h[3] * x[i] + h[4] * y[i] + h[5]) / w;
    x[i] = px;
    y[i] = py;
  }
  if (!t->toWorld->Transform(count, x, y, z, ok)) return FALSE;
  if (t->hasDst)
    for (int i = 0; i < count; ++i) {
      const double gx = x[i], gy = y[i];
      x[i] = t->dstInverse[0] + gx * t->dstInverse[1] + gy * t->dstInverse[2];
      y[i] = t->dstInverse[3] + gx * t->dstInverse[4] + gy * t->dstInverse[5];
    }
  return TRUE;
}

// The transformer of a scan read at 1/factor of its size.
struct ScaledTransformer {
  void* approx;
  double fx, fy;  // scan pixels per pixel read, along x and y
};

int CPL_STDCALL scaledTransform(void* arg, int dstToSrc, int count, double* x, double* y, double* z, int* ok) {
  auto* t = static_cast<ScaledTransformer*>(arg);
  if (!dstToSrc)
    for (int i = 0; i < count; ++i) {
      x[i] *= t->fx;
      y[i] *= t->fy;
    }
  const int result = GDALApproxTransform(t->approx, dstToSrc, count, x, y, z, ok);
  if (dstToSrc)
    for (int i = 0; i < count; ++i) {
      x[i] /= t->fx;
      y[i] /= t->fy;
    }
  return result;
}

class GdalScan : public ScanSource {
 public:
  bool open(const QString& path, const GeorefWarp* plan, ScanStatus& status, QString* detail);
  const ScanDescription& description() const override { return description_; }
  ScanStatus warp(const LatLonGrid& grid, QImage& out, const std::function<bool(double)>& progress,
                  QString* detail) override;

 private:
  bool outline();
  // The exact and approximating transformers from options (none: the
  // projective transformer is set already), then the outline.
  bool makeTransformers(const char* const* options, ScanStatus& status, QString* detail);
  int decimation(const LatLonGrid& grid);
  GDALDatasetH reduced(int factor, QString* detail);
  void setUpBands(bool paletteAlpha);
  bool openPlaced(const GeorefWarp& plan, ScanStatus& status, QString* detail);
  bool placeByPoints(const GeorefWarp& plan, QString& srcWkt, QString* detail);
  int transform(int dstToSrc, int count, double* x, double* y, double* z, int* ok) {
    return projective_ ? projectiveTransform(projective_.get(), dstToSrc, count, x, y, z, ok)
                       : GDALGenImgProjTransform(exact_.get(), dstToSrc, count, x, y, z, ok);
  }

  Dataset original_;
  Dataset placed_;   // a virtual copy that carries the control points
  Dataset reduced_;  // the scan read at 1/reducedFactor_ of its size
  int reducedFactor_ = 1;
  std::unique_ptr<ProjectiveTransformer> projective_;
  std::vector<QPointF> mask_;
  QString method_;
  Dataset plain_;  // the virtual byte copy, when one was needed
  GDALDatasetH source_ = nullptr;
  Transformer exact_;
  Transformer approx_;
  int bands_[3] = {1, 2, 3};
  int alphaBand_ = 0;
  bool noData_ = false;
  double noDataValue_ = 0.0;
  ScanDescription description_;
};

bool GdalScan::open(const QString& path, const GeorefWarp* plan, ScanStatus& status, QString* detail) {
  const QByteArray name = path.toUtf8();
  original_.reset(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!original_ || GDALGetRasterCount(original_.get()) < 1) {
    status = ScanStatus::Unreadable;
    if (detail) *detail = lastError();
    return false;
  }
  if (plan) return openPlaced(*plan, status, detail);
  GDALDatasetH ds = original_.get();
  const bool gcps = GDALGetGCPCount(ds) > 0;
  if (!hasGeoTransform(ds) && !gcps) {
    status = ScanStatus::NotGeoreferenced;
    return false;
  }
  OGRSpatialReferenceH own = gcps && !hasGeoTransform(ds) ? GDALGetGCPSpatialRef(ds) : GDALGetSpatialRef(ds);
  QString srcWkt;
  if (own) {
    char* wkt = nullptr;
    if (OSRExportToWkt(own, &wkt) == OGRERR_NONE) srcWkt = QString::fromUtf8(wkt);
    CPLFree(wkt);
  }
  if (srcWkt.isEmpty()) srcWkt = sidecarCrs(path);
  if (srcWkt.isEmpty()) {
    status = ScanStatus::NoCrs;
    return false;
  }
  {
    OGRSpatialReference srs;
    const QByteArray w = srcWkt.toUtf8();
    if (srs.importFromWkt(w.constData()) == OGRERR_NONE) {
      const char* n = srs.GetName();
      description_.crsName = n ? QString::fromUtf8(n) : QString();
    }
  }

  bool paletteAlpha = false;
  plain_ = plainBytes(ds, paletteAlpha, detail);
  source_ = plain_ ? plain_.get() : ds;
  setUpBands(paletteAlpha);

  const QByteArray srcOption = (QStringLiteral("SRC_SRS=") + srcWkt).toUtf8();
  const QByteArray dstOption = (QStringLiteral("DST_SRS=") + worldWkt()).toUtf8();
  const char* options[] = {srcOption.constData(), dstOption.constData(), nullptr};
  return makeTransformers(options, status, detail);
}

bool GdalScan::makeTransformers(const char* const* options, ScanStatus& status, QString* detail) {
  if (options) {
    exact_ = Transformer(GDALCreateGenImgProjTransformer2(source_, nullptr, const_cast<char**>(options)),
                         TransformerDeleter{GDALDestroyGenImgProjTransformer});
    if (!exact_) {
      status = ScanStatus::NoTransform;
      if (detail) *detail = lastError();
      return false;
    }
    // As GDAL's own warp tool does: exact at the ends of each run of pixels,
    // interpolated between them within an eighth of a pixel.
    approx_ = Transformer(GDALCreateApproxTransformer(GDALGenImgProjTransform, exact_.get(), 0.125),
                          TransformerDeleter{GDALDestroyApproxTransformer});
  }
  if (!approx_ || !outline()) {
    status = ScanStatus::NoTransform;
    if (detail) *detail = lastError();
    return false;
  }
  status = ScanStatus::Ok;
  return true;
}

void GdalScan::setUpBands(bool paletteAlpha) {
  const int count = GDALGetRasterCount(source_);
  if (count >= 3) {
    for (int b = 1; b <= count; ++b)
      if (GDALGetRasterColorInterpretation(GDALGetRasterBand(source_, b)) == GCI_AlphaBand) alphaBand_ = b;
    if (!alphaBand_ && count == 4) alphaBand_ = 4;
  } else {
    bands_[0] = bands_[1] = bands_[2] = 1;  // grey
    if (count == 2) alphaBand_ = 2;
  }
  if (paletteAlpha && count == 4) alphaBand_ = 4;
  int has = 0;
  noDataValue_ = GDALGetRasterNoDataValue(GDALGetRasterBand(source_, 1), &has);
  noData_ = has && !alphaBand_;

  description_.width = GDALGetRasterXSize(source_);
  description_.height = GDALGetRasterYSize(source_);
}

bool GdalScan::openPlaced(const GeorefWarp& plan, ScanStatus& status, QString* detail) {
  GDALDatasetH ds = original_.get();
  bool paletteAlpha = false;
  plain_ = plainBytes(ds, paletteAlpha, detail);
  // The control points go on a virtual copy: the user's file is never touched.
  if (plain_) {
    source_ = plain_.get();
  } else {
    placed_ = virtualCopy(ds, detail);
    if (!placed_) {
      status = ScanStatus::Unreadable;
      return false;
    }
    source_ = placed_.get();
  }
  setUpBands(paletteAlpha);
  mask_ = plan.mask;
  method_ = plan.methodName;

  OGRSpatialReference plane;
  const QByteArray planeWkt = plan.planeWkt.toUtf8();
  if (plane.importFromWkt(planeWkt.constData()) != OGRERR_NONE) {
    status = ScanStatus::NoCrs;
    if (detail) *detail = lastError();
    return false;
  }
  plane.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  description_.crsName = plane.GetName() ? QString::fromUtf8(plane.GetName()) : QString();

  if (plan.method == WarpMethod::Projective) {
    auto t = std::make_unique<ProjectiveTransformer>();
    if (plan.coefficients.size() != 9 || !invert3(plan.coefficients.data(), t->inverse)) {
      status = ScanStatus::NoTransform;
      return false;
    }
    std::copy(plan.coefficients.begin(), plan.coefficients.end(), t->forward);
    OGRSpatialReference world;
    world.SetWellKnownGeogCS("WGS84");
    world.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    t->toPlane = OGRCreateCoordinateTransformation(&world, &plane);
    t->toWorld = OGRCreateCoordinateTransformation(&plane, &world);
    if (!t->toPlane || !t->toWorld) {
      status = ScanStatus::NoTransform;
      if (detail) *detail = lastError();
      return false;
    }
    projective_ = std::move(t);
    approx_ = Transformer(GDALCreateApproxTransformer(projectiveTransform, projective_.get(), 0.125),
                          TransformerDeleter{GDALDestroyApproxTransformer});
  } else {
    const char* method = "GCP_POLYNOMIAL";
    if (plan.method == WarpMethod::Affine) {
      if (plan.coefficients.size() != 6) {
        status = ScanStatus::NoTransform;
        return false;
      }
      double gt[6];
      std::copy(plan.coefficients.begin(), plan.coefficients.end(), gt);
      GDALSetGeoTransform(source_, gt);
      GDALSetSpatialRef(source_, OGRSpatialReference::ToHandle(&plane));
      method = "GEOTRANSFORM";
    } else {
      std::vector<GDAL_GCP> gcps = gdalPoints(plan);
      GDALSetGCPs2(source_, static_cast<int>(gcps.size()), gcps.data(), OGRSpatialReference::ToHandle(&plane));
      freePoints(gcps);
      if (plan.method == WarpMethod::ThinPlateSpline) method = "GCP_TPS";
    }
    const QByteArray srcOption = (QStringLiteral("SRC_SRS=") + plan.planeWkt).toUtf8();
    const QByteArray dstOption = (QStringLiteral("DST_SRS=") + worldWkt()).toUtf8();
    const QByteArray methodOption = QByteArray("METHOD=") + method;
    // The spline is GDAL's choice only where no polynomial order is asked for.
    const QByteArray orderOption = QByteArray("MAX_GCP_ORDER=") +
                                   (plan.method == WarpMethod::ThinPlateSpline ? "0" : QByteArray::number(plan.order));
    const char* options[] = {srcOption.constData(), dstOption.constData(), methodOption.constData(),
                             orderOption.constData(), nullptr};
    return makeTransformers(options, status, detail);
  }
  return makeTransformers(nullptr, status, detail);
}

bool GdalScan::outline() {
  const double w = description_.width, h = description_.height;
  std::vector<double> x, y, z;
  auto edge = [&](double x0, double y0, double x1, double y1) {
    for (int i = 0; i < kEdgeSteps; ++i) {
      const double t = static_cast<double>(i) / kEdgeSteps;
      x.push_back(x0 + (x1 - x0) * t);
      y.push_back(y0 + (y1 - y0) * t);
    }
  };
  edge(0, 0, w, 0);
  edge(w, 0, w, h);
  edge(w, h, 0, h);
  edge(0, h, 0, 0);
  z.assign(x.size(), 0.0);
  std::vector<int> ok(x.size(), 0);
  // Without a destination geotransform the transformer gives world-datum
  // longitude and latitude.
  transform(FALSE, static_cast<int>(x.size()), x.data(), y.data(), z.data(), ok.data());
  description_.footprint.clear();
  description_.west = description_.south = 1e300;
  description_.east = description_.north = -1e300;
  for (size_t i = 0; i < x.size(); ++i) {
    if (!ok[i] || !std::isfinite(x[i]) || !std::isfinite(y[i])) continue;
    description_.footprint.push_back(GeoPoint{x[i], y[i]});
    description_.west = std::min(description_.west, x[i]);
    description_.east = std::max(description_.east, x[i]);
    description_.south = std::min(description_.south, y[i]);
    description_.north = std::max(description_.north, y[i]);
  }
  return description_.footprint.size() >= 3;
}

int GdalScan::decimation(const LatLonGrid& grid) {
  // Scan pixels per target pixel around the grid's centre.
  double x[3] = {grid.width / 2.0, grid.width / 2.0 + 1, grid.width / 2.0};
  double y[3] = {grid.height / 2.0, grid.height / 2.0, grid.height / 2.0 + 1};
  double z[3] = {0, 0, 0};
  int ok[3] = {0, 0, 0};
  if (!transform(TRUE, 3, x, y, z, ok) || !ok[0] || !ok[1] || !ok[2]) return 1;
  const double step = std::sqrt(std::hypot(x[1] - x[0], y[1] - y[0]) * std::hypot(x[2] - x[0], y[2] - y[0]));
  if (!std::isfinite(step) || step < 2.0) return 1;
  // Whole factors only, and never below a few pixels of scan.
  const int longest = std::max(description_.width, description_.height);
  return std::clamp(static_cast<int>(std::floor(step)), 1, std::max(1, longest / 16));
}

GDALDatasetH GdalScan::reduced(int factor, QString* detail) {
  if (reduced_ && reducedFactor_ == factor) return reduced_.get();
  reduced_.reset();
  const QByteArray w = QByteArray::number(std::max(1, description_.width / factor));
  const QByteArray h = QByteArray::number(std::max(1, description_.height / factor));
  // Averaged, so that a fine line still tints the tile's pixel it falls in;
  // beyond any real scan's size (a sparse file that declares more) every
  // f-th pixel, so that the time follows the tiles and not the declared size.
  const double pixels = static_cast<double>(description_.width) * description_.height;
  const char* resampling = pixels <= kAveragedPixels ? "average" : "nearest";
  const char* argv[] = {"-of", "VRT", "-outsize", w.constData(), h.constData(), "-r", resampling, nullptr};
  GDALTranslateOptions* options = GDALTranslateOptionsNew(const_cast<char**>(argv), nullptr);
  if (!options) return nullptr;
  int usage = 0;
  reduced_.reset(GDALTranslate("", source_, options, &usage));
  GDALTranslateOptionsFree(options);
  if (!reduced_) {
    if (detail) *detail = lastError();
    return nullptr;
  }
  reducedFactor_ = factor;
  return reduced_.get();
}

struct ProgressState {
  const std::function<bool(double)>* progress = nullptr;
  bool stopped = false;
};

int CPL_STDCALL onProgress(double done, const char*, void* data) {
  auto* state = static_cast<ProgressState*>(data);
  if (state->progress && *state->progress && !(*state->progress)(done)) state->stopped = true;
  return state->stopped ? FALSE : TRUE;
}

ScanStatus GdalScan::warp(const LatLonGrid& grid, QImage& out, const std::function<bool(double)>& progress,
                          QString* detail) {
  out = QImage();
  if (grid.width < 1 || grid.height < 1) return ScanStatus::Failed;
  GDALDriverH mem = GDALGetDriverByName("MEM");
  Dataset target(mem ? GDALCreate(mem, "", grid.width, grid.height, 4, GDT_Byte, nullptr) : nullptr);
  if (!target) {
    if (detail) *detail = lastError();
    return ScanStatus::Failed;
  }
  double gt[6] = {grid.west, grid.lonPerPx, 0.0, grid.north, 0.0, -grid.latPerPx};
  GDALSetGeoTransform(target.get(), gt);
  if (projective_) {
    std::copy(gt, gt + 6, projective_->dst);
    GDALInvGeoTransform(gt, projective_->dstInverse);
    projective_->hasDst = true;
  } else {
    GDALSetGenImgProjTransformerDstGeoTransform(exact_.get(), gt);
  }

  // A scan much finer than the tiles is read at the tiles' resolution (from
  // its overviews where it has them), as the warp then needs no more.
  const int factor = decimation(grid);
  GDALDatasetH read = source_;
  ScaledTransformer scaled{approx_.get(), 1.0, 1.0};
  if (factor > 1) {
    read = reduced(factor, detail);
    if (!read) return ScanStatus::Failed;
    scaled.fx = static_cast<double>(description_.width) / GDALGetRasterXSize(read);
    scaled.fy = static_cast<double>(description_.height) / GDALGetRasterYSize(read);
  }

  GDALWarpOptions* options = GDALCreateWarpOptions();
  options->hSrcDS = read;
  options->hDstDS = target.get();
  options->eResampleAlg = GRA_Bilinear;
  options->dfWarpMemoryLimit = kWarpMemory;
  options->nBandCount = 3;
  options->panSrcBands = static_cast<int*>(CPLMalloc(sizeof(int) * 3));
  options->panDstBands = static_cast<int*>(CPLMalloc(sizeof(int) * 3));
  for (int i = 0; i < 3; ++i) {
    options->panSrcBands[i] = bands_[i];
    options->panDstBands[i] = i + 1;
  }
  options->nSrcAlphaBand = alphaBand_;
  options->nDstAlphaBand = 4;
  if (noData_) {
    options->padfSrcNoDataReal = static_cast<double*>(CPLMalloc(sizeof(double) * 3));
    for (int i = 0; i < 3; ++i) options->padfSrcNoDataReal[i] = noDataValue_;
  }
  options->papszWarpOptions = CSLSetNameValue(options->papszWarpOptions, "INIT_DEST", "0");
  if (mask_.size() >= 3) {
    // The scan's frame: the warper leaves out what lies outside it (the
    // margins, the legend, the title block). It is given in scan pixels.
    OGRLinearRing ring;
    for (const QPointF& p : mask_) ring.addPoint(p.x() / scaled.fx, p.y() / scaled.fy);
    ring.closeRings();
    auto* polygon = new OGRPolygon();
    polygon->addRing(&ring);
    options->hCutline = OGRGeometry::ToHandle(polygon);
  }
  options->pfnTransformer = factor > 1 ? scaledTransform : GDALApproxTransform;
  options->pTransformerArg = factor > 1 ? static_cast<void*>(&scaled) : approx_.get();
  ProgressState state{&progress, false};
  options->pfnProgress = onProgress;
  options->pProgressArg = &state;

  GDALWarpOperation operation;
  CPLErr err = operation.Initialize(options);
  if (err == CE_None) err = operation.ChunkAndWarpImage(0, 0, grid.width, grid.height);
  options->pTransformerArg = nullptr;  // ours, destroyed with the scan
  GDALDestroyWarpOptions(options);
  if (state.stopped) return ScanStatus::Cancelled;
  if (err != CE_None) {
    if (detail) *detail = lastError();
    return ScanStatus::Failed;
  }
  QImage image(grid.width, grid.height, QImage::Format_ARGB32);
  if (image.isNull()) return ScanStatus::Failed;
  // QImage keeps ARGB32 as 32-bit words, bytes blue, green, red, alpha.
  int order[4] = {3, 2, 1, 4};
  err = GDALDatasetRasterIO(target.get(), GF_Read, 0, 0, grid.width, grid.height, image.bits(), grid.width, grid.height,
                            GDT_Byte, 4, order, 4, image.bytesPerLine(), 1);
  if (err != CE_None) {
    if (detail) *detail = lastError();
    return ScanStatus::Failed;
  }
  out = image;
  return ScanStatus::Ok;
}

}  // namespace

std::unique_ptr<ScanSource> openScan(const QString& path, ScanStatus& status, QString* detail) {
  auto scan = std::make_unique<GdalScan>();
  if (!scan->open(path, nullptr, status, detail)) return nullptr;
  return scan;
}

std::unique_ptr<ScanSource> openScanWithPoints(const QString& path, const GeorefWarp& plan, ScanStatus& status,
                                               QString* detail) {
  auto scan = std::make_unique<GdalScan>();
  if (!scan->open(path, &plan, status, detail)) return nullptr;
  return scan;
}

}  // namespace kavalo::geodata
