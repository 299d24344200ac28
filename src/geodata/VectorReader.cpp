#include "geodata/VectorReader.h"

#include <gdal_priv.h>
#include <ogr_featurestyle.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <QColor>
#include <QFileInfo>
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

QString featureName(OGRFeature& feature) {
  static const char* const kNames[] = {"name", "Name", "NAME", "title", "label"};
  for (const char* key : kNames) {
    const int index = feature.GetFieldIndex(key);
    if (index >= 0 && feature.IsFieldSetAndNotNull(index))
      return QString::fromUtf8(feature.GetFieldAsString(index)).trimmed();
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
  DatasetPtr dataset = openVector(path);
  if (!dataset && QFileInfo(path).suffix().compare(QStringLiteral("kmz"), Qt::CaseInsensitive) == 0)
    dataset = openVector(QStringLiteral("/vsizip/") + path + QStringLiteral("/doc.kml"));
  if (!dataset) {
    result.detail = QString::fromUtf8(CPLGetLastErrorMsg());
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
        transform.reset(OGRCreateCoordinateTransformation(&source, &world));
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
  // A file whose every feature failed to transform is a coordinate system
  // problem; a file with some features is read with what could be placed.
  result.status = result.layers.empty() && untransformable ? VectorStatus::NoTransform : VectorStatus::Ok;
  return result;
}

}  // namespace kavalo::geodata
