// SPDX-License-Identifier: MIT
#include "geodata/VectorReader.h"

#include <gdal_priv.h>
#include <ogr_featurestyle.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cpl_error.h>
#include <cpl_vsi.h>

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <memory>

namespace kavalo::geodata {

namespace {

struct DatasetCloser {
  void operator()(GDALDataset* d) const { GDALClose(d); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

struct TransformDeleter {
  void operator()(OGRCoordinateTransformation* t) const { OGRCoordinateTransformation::DestroyCT(t); }
};
using TransformPtr = std::unique_ptr<OGRCoordinateTransformation, TransformDeleter>;

// The library's failures while a file is opened and read, kept to tell the
// user why instead of printed.
class FailureLog {
 public:
  FailureLog() {
    CPLErrorReset();
    CPLPushErrorHandlerEx(&FailureLog::keep, this);
  }
  ~FailureLog() { CPLPopErrorHandler(); }
  FailureLog(const FailureLog&) = delete;
  FailureLog& operator=(const FailureLog&) = delete;
  QStringList failures;

 private:
  static void CPL_STDCALL keep(CPLErr kind, CPLErrorNum, const char* text) {
    auto* self = static_cast<FailureLog*>(CPLGetErrorHandlerUserData());
    if (self && kind >= CE_Failure && self->failures.size() < 32) self->failures << QString::fromUtf8(text);
  }
};

// Whether a failure says the file itself is broken (cut short, not well
// formed), and the line it names.
bool damageOf(const QStringList& failures, VectorFileData& result) {
  static const QRegularExpression line(QStringLiteral("(?:at|on) line (\\d+)"),
                                       QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression broken(QStringLiteral("pars|unterminated|corrupt|truncat|unexpected|too much data"),
                                         QRegularExpression::CaseInsensitiveOption);
  bool damaged = false, tooLong = false;
  for (const QString& f : failures) {
    if (!broken.match(f).hasMatch()) continue;
    if (!damaged) result.detail = f;
    damaged = true;
    tooLong |= f.contains(QStringLiteral("Too much data"), Qt::CaseInsensitive);
    const QRegularExpressionMatch m = line.match(f);
    if (m.hasMatch() && result.line == 0) result.line = m.captured(1).toInt();
  }
  if (damaged) result.status = tooLong ? VectorStatus::ValueTooLong : VectorStatus::Damaged;
  return damaged;
}

bool isZipArchive(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\x03\x04", 4);
}

// A KMZ (or any archive the library would look into) is checked as a package
// is before anything in it is parsed: its number of entries, what they
// declare together, how much they grow over the archive, and what they
// really yield when unpacked, each within the limits of GeoData.h.
bool archiveWithinLimits(const QString& path, qint64 archiveBytes, VectorFileData& result) {
  const QByteArray root = "/vsizip/" + path.toUtf8();
  char** names = VSIReadDirRecursive(root.constData());
  const int count = names ? CSLCount(names) : 0;
  auto refuse = [&](const QString& why) {
    CSLDestroy(names);
    result.status = VectorStatus::TooLarge;
    result.detail = why;
    return false;
  };
  if (count > kMaxKmzEntries) {
    result.limitEntries = kMaxKmzEntries;
    return refuse(QStringLiteral("%1 entries").arg(count));
  }
  result.limitBytes = kMaxVectorFileBytes;
  std::vector<QByteArray> files;
  qint64 declared = 0;
  for (int i = 0; i < count; ++i) {
    const QByteArray entry = root + '/' + names[i];
    VSIStatBufL st;
    if (VSIStatL(entry.constData(), &st) != 0 || !VSI_ISREG(st.st_mode)) continue;
    declared += static_cast<qint64>(st.st_size);
    files.push_back(entry);
    if (declared > kMaxVectorFileBytes) return refuse(QStringLiteral("%1 bytes declared").arg(declared));
  }
  // Small archives may grow as they like; a large one that grows a hundred
  // times over is blanks or a bomb, not a drawing.
  if (declared > kMaxVectorFileBytes / 16 && declared > kMaxKmzRatio * std::max<qint64>(archiveBytes, 1))
    return refuse(QStringLiteral("%1 bytes from %2").arg(declared).arg(archiveBytes));
  // What an entry declares is the archive's word; what it yields is counted.
  qint64 yielded = 0;
  std::vector<char> buffer(1 << 20);
  for (const QByteArray& entry : files) {
    VSILFILE* f = VSIFOpenL(entry.constData(), "rb");
    if (!f) continue;
    size_t n = 0;
    while ((n = VSIFReadL(buffer.data(), 1, buffer.size(), f)) > 0) {
      yielded += static_cast<qint64>(n);
      if (yielded > kMaxVectorFileBytes) {
        VSIFCloseL(f);
        return refuse(QStringLiteral("more than %1 bytes unpacked").arg(kMaxVectorFileBytes));
      }
    }
    VSIFCloseL(f);
  }
  CSLDestroy(names);
  return true;
}

DatasetPtr openVector(const QString& path) {
  const QByteArray name = path.toUtf8();
  return DatasetPtr(GDALDataset::Open(name.constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
}

// "#RRGGBB" or "#RRGGBBAA" of an OGR style string.
bool styleColour(const char* text, QRgb& out) {
  int r = 0, g = 0, b = 0, a = 255;
  if (!text || text[0] != '#') return false;
  const int n = std::sscanf(text + 1, "%2x%2x%2x%2x", &r, &g, &b, &a);
  if (n < 3) return false;
  out = qRgba(r, g, b, n == 4 ? a : 255);
  return true;
}

FeatureStyle featureStyle(OGRFeature& feature, OGRStyleTable* table) {
  FeatureStyle style;
  OGRStyleMgr manager(table);
  const char* text = manager.InitFromFeature(&feature);
  if (!text || !*text) return style;
  for (int i = 0; i < manager.GetPartCount(); ++i) {
    std::unique_ptr<OGRStyleTool> tool(manager.GetPart(i));
    if (!tool) continue;
    GBool isNull = TRUE;
    if (tool->GetType() == OGRSTCPen) {
      auto* pen = static_cast<OGRStylePen*>(tool.get());
      pen->SetUnit(OGRSTUPixel);
      const char* colour = pen->Color(isNull);
      if (!isNull) style.hasPen = styleColour(colour, style.pen);
      const double width = pen->Width(isNull);
      if (!isNull && std::isfinite(width) && width > 0.0) style.penWidth = std::min(width, 50.0);
    } else if (tool->GetType() == OGRSTCBrush) {
      auto* brush = static_cast<OGRStyleBrush*>(tool.get());
      const char* colour = brush->ForeColor(isNull);
      if (!isNull) style.hasBrush = styleColour(colour, style.brush);
    }
  }
  return style;
}

// A name is shown beside its feature and in lists: a few hundred characters
// say all a name can; beyond that it is cut with an ellipsis.
QString boundedName(const QString& name) {
  constexpr qsizetype kMaxName = 200;
  return name.size() <= kMaxName ? name : name.left(kMaxName - 1) + QChar(0x2026);
}

QString featureName(OGRFeature& feature) {
  static const char* const kNames[] = {"name", "Name", "NAME", "title", "label"};
  for (const char* key : kNames) {
    const int index = feature.GetFieldIndex(key);
    if (index >= 0 && feature.IsFieldSetAndNotNull(index))
      return boundedName(QString::fromUtf8(feature.GetFieldAsString(index)).trimmed());
  }
  return QString();
}

// The parts of a geometry gathered by kind: points, lines and polygon rings.
struct Gathered {
  VectorFeature points, lines, polygons;
};

void addRing(VectorFeature& f, const OGRLineString& ring) {
  const int n = ring.getNumPoints();
  if (n < 1) return;
  f.parts.push_back(static_cast<int>(f.points.size()));
  for (int i = 0; i < n; ++i) f.points.push_back(GeoPoint{ring.getX(i), ring.getY(i)});
}

void gather(const OGRGeometry& g, Gathered& out) {
  if (g.hasCurveGeometry()) {
    std::unique_ptr<OGRGeometry> linear(g.getLinearGeometry());
    if (linear && !linear->hasCurveGeometry()) gather(*linear, out);
    return;
  }
  switch (wkbFlatten(g.getGeometryType())) {
    case wkbPoint: {
      const auto& p = *g.toPoint();
      if (p.IsEmpty()) return;
      out.points.parts.push_back(static_cast<int>(out.points.points.size()));
      out.points.points.push_back(GeoPoint{p.getX(), p.getY()});
      return;
    }
    case wkbLineString:
    case wkbLinearRing:
      addRing(out.lines, *g.toLineString());
      return;
    case wkbPolygon: {
      const auto& polygon = *g.toPolygon();
      for (const OGRLinearRing* ring : polygon) addRing(out.polygons, *ring);
      return;
    }
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
      for (const OGRGeometry* part : *g.toGeometryCollection()) gather(*part, out);
      return;
    default:
      return;
  }
}

bool worldRange(const OGREnvelope& e) {
  return e.MinX >= -180.0 && e.MaxX <= 360.0 && e.MinY >= -90.0 && e.MaxY <= 90.0;
}

}  // namespace

VectorFileData readVectorFile(const QString& path) {
  VectorFileData result;
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable()) return result;
  if (info.size() > kMaxVectorFileBytes) {
    result.status = VectorStatus::TooLarge;
    result.limitBytes = kMaxVectorFileBytes;
    return result;
  }
  if (isZipArchive(path)) {
    result.archive = true;
    if (!archiveWithinLimits(path, info.size(), result)) return result;
  }
  FailureLog log;
  DatasetPtr dataset = openVector(path);
  if (!dataset && info.suffix().compare(QStringLiteral("kmz"), Qt::CaseInsensitive) == 0)
    dataset = openVector(QStringLiteral("/vsizip/") + path + QStringLiteral("/doc.kml"));
  if (!dataset) {
    if (!damageOf(log.failures, result)) {
      result.status = info.size() == 0 || log.failures.isEmpty() ? VectorStatus::NotVector : VectorStatus::Unreadable;
      result.detail = log.failures.value(0);
    }
    return result;
  }
  const bool gpx = EQUAL(dataset->GetDriverName(), "GPX");
  OGRSpatialReference world;
  world.SetWellKnownGeogCS("WGS84");
  world.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  OGRStyleTable* datasetStyles = dataset->GetStyleTable();
  bool untransformable = false;

  for (OGRLayer* layer : dataset->GetLayers()) {
    const QString layerName = QString::fromUtf8(layer->GetName());
    // The points of routes and tracks come again as their own layers.
    if (gpx && (layerName == u"route_points" || layerName == u"track_points")) continue;
    TransformPtr transform;
    if (const OGRSpatialReference* own = layer->GetSpatialRef()) {
      OGRSpatialReference source(*own);
      source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
      if (!source.IsSame(&world)) {
        // A system without a way to the world datum is told as such, not as
        // a broken file.
        const qsizetype before = log.failures.size();
        transform.reset(OGRCreateCoordinateTransformation(&source, &world));
        log.failures.resize(before);
        if (!transform) {
          untransformable = true;
          result.detail = QString::fromUtf8(CPLGetLastErrorMsg());
          continue;
        }
      }
    } else {
      // A file that names no coordinate system is taken as longitude and
      // latitude, as GPX, KML and GeoJSON are by definition; a Shapefile
      // without its .prj whose numbers cannot be degrees is not guessed at.
      OGREnvelope extent;
      if (layer->GetExtent(&extent, TRUE) == OGRERR_NONE && !worldRange(extent)) {
        untransformable = true;
        result.detail = QStringLiteral("no coordinate system");
        continue;
      }
    }
    OGRStyleTable* styles = layer->GetStyleTable() ? layer->GetStyleTable() : datasetStyles;
    VectorLayerData out;
    out.name = layerName;
    layer->ResetReading();
    for (auto& feature : *layer) {
      const OGRGeometry* geometry = feature->GetGeometryRef();
      if (!geometry || geometry->IsEmpty()) continue;
      std::unique_ptr<OGRGeometry> copy;
      if (transform) {
        copy.reset(geometry->clone());
        if (copy->transform(transform.get()) != OGRERR_NONE) {
          untransformable = true;
          continue;
        }
        geometry = copy.get();
      }
      Gathered g;
      gather(*geometry, g);
      const QString name = featureName(*feature);
      const FeatureStyle style = featureStyle(*feature, styles);
      const std::pair<VectorFeature*, FeatureKind> kinds[] = {
          {&g.polygons, FeatureKind::Polygon}, {&g.lines, FeatureKind::Line}, {&g.points, FeatureKind::Point}};
      for (auto [f, kind] : kinds) {
        if (f->points.empty()) continue;
        f->kind = kind;
        f->name = name;
        f->style = style;
        out.features.push_back(std::move(*f));
      }
    }
    if (!out.features.empty()) result.layers.push_back(std::move(out));
  }
  // A file that breaks off half way is refused whole: what came before the
  // break may be a track cut anywhere.
  if (damageOf(log.failures, result)) {
    result.layers.clear();
    return result;
  }
  // A file whose every feature failed to transform is a coordinate system
  // problem; a file with some features is read with what could be placed.
  result.status = result.layers.empty() && untransformable ? VectorStatus::NoTransform : VectorStatus::Ok;
  return result;
}

}  // namespace kavalo::geodata
