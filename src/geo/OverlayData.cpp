#include "geo/OverlayData.h"

#include <QFileInfo>

#include "model/Coordinates.h"
#include "model/GeoBox.h"
#include "platform/GeoDataLoader.h"

namespace kavalo {

QColor overlayLayerColour(int n) {
  static const QRgb kColours[] = {0xe41a1c, 0x377eb8, 0x4daf4a, 0x984ea3, 0xff7f00, 0xa65628, 0xf781bf, 0x00a0a0};
  constexpr int count = sizeof(kColours) / sizeof(kColours[0]);
  return QColor::fromRgb(kColours[((n % count) + count) % count]);
}

GeoBox regionWorldBox(const MapInfo& info) {
  const float w = static_cast<float>(static_cast<double>(info.tileWidth) * info.totalCols);
  const float h = static_cast<float>(static_cast<double>(info.tileHeight) * info.totalRows);
  const LatLon nw = ImageToLatLon(info, 0.0f, 0.0f, 1);
  const LatLon se = ImageToLatLon(info, w, h, 1);
  return GeoBox{nw.lon, se.lon, nw.lat, se.lat};
}

namespace {

constexpr double kLineWidth = 3.0;
constexpr double kOutlineWidth = 2.0;
constexpr int kBrushAlpha = 60;

QString bareName(const QString& path) { return QFileInfo(path).fileName(); }

QColor fromRgba(QRgb c) { return QColor::fromRgba(c); }

}  // namespace

std::unique_ptr<OverlayFile> placeOverlay(const QString& path, const VectorFileData& data, const MapInfo& info,
                                          int firstLayer) {
  auto file = std::make_unique<OverlayFile>();
  file->path = path;
  const GeoBox region = regionWorldBox(info);
  int layerNumber = firstLayer;
  double fx0 = 1e300, fy0 = 1e300, fx1 = -1e300, fy1 = -1e300;
  for (const VectorLayerData& in : data.layers) {
    OverlayLayer layer;
    layer.name = in.name;
    const QColor colour = overlayLayerColour(layerNumber++);
    for (const VectorFeature& f : in.features) {
      if (f.points.empty()) continue;
      GeoBox box{1e30f, -1e30f, -1e30f, 1e30f};
      for (const GeoPoint& p : f.points) {
        box.west = std::min(box.west, static_cast<float>(p.lon));
        box.east = std::max(box.east, static_cast<float>(p.lon));
        box.south = std::min(box.south, static_cast<float>(p.lat));
        box.north = std::max(box.north, static_cast<float>(p.lat));
      }
      // Only what touches the region is kept: a nationwide file keeps the
      // few features of this place.
      if (BoxRelation(box, region) == -1) continue;
      OverlayFeature out;
      out.kind = f.kind;
      out.name = f.name;
      out.parts = f.parts;
      out.points.reserve(f.points.size());
      double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
      for (const GeoPoint& p : f.points) {
        const ImagePoint ip = LatLonToImage(info, static_cast<float>(p.lat), static_cast<float>(p.lon), 1);
        out.points.emplace_back(ip.x, ip.y);
        x0 = std::min(x0, static_cast<double>(ip.x));
        x1 = std::max(x1, static_cast<double>(ip.x));
        y0 = std::min(y0, static_cast<double>(ip.y));
        y1 = std::max(y1, static_cast<double>(ip.y));
      }
      out.bounds = QRectF(QPointF(x0, y0), QPointF(x1, y1));
      out.pen = f.style.hasPen ? fromRgba(f.style.pen) : colour;
      out.penWidth =
          f.style.penWidth > 0 ? f.style.penWidth : (f.kind == FeatureKind::Polygon ? kOutlineWidth : kLineWidth);
      if (f.kind == FeatureKind::Polygon) {
        if (f.style.hasBrush) {
          out.brush = fromRgba(f.style.brush);
        } else {
          out.brush = out.pen;
          out.brush.setAlpha(kBrushAlpha);
        }
      }
      // By hand: QRectF::united drops a box without area (one point).
      fx0 = std::min(fx0, x0);
      fy0 = std::min(fy0, y0);
      fx1 = std::max(fx1, x1);
      fy1 = std::max(fy1, y1);
      layer.features.push_back(std::move(out));
    }
    if (!layer.features.empty()) file->layers.push_back(std::move(layer));
  }
  if (!file->layers.empty()) file->bounds = QRectF(QPointF(fx0, fy0), QPointF(fx1, fy1));
  return file;
}

OverlayOpen openOverlay(const QString& path, const MapInfo& info, int firstLayer, std::unique_ptr<OverlayFile>& out,
                        QString* message) {
  out.reset();
  const QString name = bareName(path);
  auto say = [message](OverlayOpen result, const QString& text) {
    if (message) *message = text;
    return result;
  };
  QString error;
  GeoData* geo = geoData(&error);
  if (!geo) return say(OverlayOpen::NoModule, error);
  if (!QFileInfo(path).isFile())
    return say(OverlayOpen::Unreadable, QStringLiteral("「%1」を読み込めません。").arg(name));
  const VectorFileData data = geo->readVectorFile(path);
  if (data.status == VectorStatus::Unreadable)
    return say(OverlayOpen::Unreadable, QStringLiteral("「%1」を読み込めません。").arg(name));
  if (data.status == VectorStatus::NoTransform)
    return say(OverlayOpen::NoTransform, QStringLiteral("「%1」の座標系を世界測地系に変換できません。").arg(name));
  auto file = placeOverlay(path, data, info, firstLayer);
  if (file->layers.empty())
    return say(OverlayOpen::NotInRegion, QStringLiteral("「%1」には、この地域にかかる地物がありません。").arg(name));
  out = std::move(file);
  return OverlayOpen::Opened;
}

void openOverlayList(const OverlayList& list, const MapInfo& info, OverlaySet& set, QStringList& messages) {
  set.files.clear();
  for (const OverlayEntry& e : list.entries()) {
    std::unique_ptr<OverlayFile> file;
    QString message;
    const OverlayOpen result = openOverlay(e.path, info, set.layerCount(), file, &message);
    if (result != OverlayOpen::Opened) {
      if (!messages.contains(message)) messages << message;
      // Kept in its place, empty, so that the set stays in step with the
      // list; the file may be back at the next start (a drive plugged in).
      file = std::make_unique<OverlayFile>();
      file->path = e.path;
    }
    file->visible = e.visible;
    set.files.push_back(std::move(file));
  }
}

}  // namespace kavalo
