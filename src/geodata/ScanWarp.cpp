#include "geodata/ScanWarp.h"

#include <cpl_string.h>
#include <gdal_alg.h>
#include <gdal_priv.h>
#include <gdal_utils.h>
#include <gdalwarper.h>
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

struct DatasetCloser {
  void operator()(GDALDatasetH d) const {
    if (d) GDALClose(d);
  }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

struct TransformerDeleter {
  void (*destroy)(void*) = nullptr;
  void operator()(void* t) const {
    if (t && destroy) destroy(t);
  }
};
using Transformer = std::unique_ptr<void, TransformerDeleter>;

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

class GdalScan : public ScanSource {
 public:
  bool open(const QString& path, ScanStatus& status, QString* detail);
  const ScanDescription& description() const override { return description_; }
  ScanStatus warp(const LatLonGrid& grid, QImage& out, const std::function<bool(double)>& progress,
                  QString* detail) override;

 private:
  bool outline();

  Dataset original_;
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

bool GdalScan::open(const QString& path, ScanStatus& status, QString* detail) {
  const QByteArray name = path.toUtf8();
  original_.reset(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!original_ || GDALGetRasterCount(original_.get()) < 1) {
    status = ScanStatus::Unreadable;
    if (detail) *detail = lastError();
    return false;
  }
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

  const QByteArray srcOption = (QStringLiteral("SRC_SRS=") + srcWkt).toUtf8();
  const QByteArray dstOption = (QStringLiteral("DST_SRS=") + worldWkt()).toUtf8();
  const char* options[] = {srcOption.constData(), dstOption.constData(), nullptr};
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
  if (!approx_ || !outline()) {
    status = ScanStatus::NoTransform;
    if (detail) *detail = lastError();
    return false;
  }
  status = ScanStatus::Ok;
  return true;
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
  GDALGenImgProjTransform(exact_.get(), FALSE, static_cast<int>(x.size()), x.data(), y.data(), z.data(), ok.data());
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
  GDALSetGenImgProjTransformerDstGeoTransform(exact_.get(), gt);

  GDALWarpOptions* options = GDALCreateWarpOptions();
  options->hSrcDS = source_;
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
  options->pfnTransformer = GDALApproxTransform;
  options->pTransformerArg = approx_.get();
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
  if (!scan->open(path, status, detail)) return nullptr;
  return scan;
}

}  // namespace kavalo::geodata
