// SPDX-License-Identifier: MIT
#include "geo/OverlayData.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>

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

// The format a file's name promises, in the user's words.
QString promisedFormat(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == u"gpx") return QStringLiteral("GPX");
  if (ext == u"kml") return QStringLiteral("KML");
  if (ext == u"kmz") return QStringLiteral("KMZ");
  if (ext == u"geojson" || ext == u"json") return QStringLiteral("GeoJSON");
  if (ext == u"shp") return QCoreApplication::translate("kavalo::OverlayData", "シェープ");
  return QString();
}

QString megabytes(qint64 bytes) { return QString::number(bytes / (1024 * 1024)); }

// Why a file could not be read, as the user can act on it: not the format
// its name says, cut short at a line, a value beyond reason, too large.
QString unreadableReason(const QString& path, const VectorFileData& data) {
  switch (data.status) {
    case VectorStatus::NotVector: {
      if (QFileInfo(path).size() == 0) return QCoreApplication::translate("kavalo::OverlayData", "ファイルが空です。");
      const QString format = promisedFormat(path);
      if (format.isEmpty())
        return QCoreApplication::translate("kavalo::OverlayData",
                                           "GPX・KML・KMZ・GeoJSON・シェープのどのファイルでもありません。");
      return QCoreApplication::translate("kavalo::OverlayData", "%1ファイルではありません。").arg(format);
    }
    case VectorStatus::Damaged:
      if (data.line > 0)
        return QCoreApplication::translate("kavalo::OverlayData", "%1行目で途切れているか、壊れています。")
            .arg(data.line);
      return QCoreApplication::translate("kavalo::OverlayData", "途中で途切れているか、壊れています。");
    case VectorStatus::ValueTooLong:
      if (data.line > 0)
        return QCoreApplication::translate("kavalo::OverlayData",
                                           "%1行目に長すぎる値（名前や説明）があり、壊れたファイルと見られます。")
            .arg(data.line);
      return QCoreApplication::translate("kavalo::OverlayData",
                                         "長すぎる値（名前や説明）があり、壊れたファイルと見られます。");
    case VectorStatus::TooLarge:
      if (data.limitEntries > 0)
        return QCoreApplication::translate("kavalo::OverlayData", "中のファイルが多すぎます（上限%1個）。")
            .arg(data.limitEntries);
      if (data.archive)
        return QCoreApplication::translate("kavalo::OverlayData", "展開すると大きすぎます（上限%1MB）。")
            .arg(megabytes(data.limitBytes));
      return QCoreApplication::translate("kavalo::OverlayData", "ファイルが大きすぎます（上限%1MB）。")
          .arg(megabytes(data.limitBytes));
    default:
      return QString();
  }
}

// Longitudes of a line or ring made continuous: a step of more than half the
// world is the short way over the 180th meridian, not across every
// longitude, so the next point goes on past ±180 (179.9 is followed by
// 180.1, not -179.9).
std::vector<GeoPoint> unwrapped(const VectorFeature& f) {
  std::vector<GeoPoint> points = f.points;
  if (f.kind == FeatureKind::Point) return points;
  for (size_t part = 0; part < f.parts.size(); ++part) {
    const size_t begin = static_cast<size_t>(f.parts[part]);
    const size_t end = part + 1 < f.parts.size() ? static_cast<size_t>(f.parts[part + 1]) : points.size();
    for (size_t i = begin + 1; i < end && i < points.size(); ++i) {
      const double step = points[i].lon - points[i - 1].lon;
      if (step > 180.0)
        points[i].lon -= 360.0 * std::ceil((step - 180.0) / 360.0);
      else if (step < -180.0)
        points[i].lon += 360.0 * std::ceil((-step - 180.0) / 360.0);
    }
  }
  return points;
}

GeoBox boxOf(const std::vector<GeoPoint>& points, double shift) {
  GeoBox box{1e30f, -1e30f, -1e30f, 1e30f};
  for (const GeoPoint& p : points) {
    box.west = std::min(box.west, static_cast<float>(p.lon + shift));
    box.east = std::max(box.east, static_cast<float>(p.lon + shift));
    box.south = std::min(box.south, static_cast<float>(p.lat));
    box.north = std::max(box.north, static_cast<float>(p.lat));
  }
  return box;
}

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
      const std::vector<GeoPoint> points = unwrapped(f);
      // Only what touches the region is kept: a nationwide file keeps the
      // few features of this place. A line carried past ±180 may touch it
      // a world further east or west.
      double shift = 0.0;
      bool touches = false;
      for (const double s : {0.0, -360.0, 360.0}) {
        if (BoxRelation(boxOf(points, s), region) == -1) continue;
        shift = s;
        touches = true;
        break;
      }
      if (!touches) continue;
      OverlayFeature out;
      out.kind = f.kind;
      out.name = f.name;
      out.parts = f.parts;
      out.points.reserve(f.points.size());
      double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
      for (const GeoPoint& p : points) {
        const ImagePoint ip = LatLonToImage(info, static_cast<float>(p.lat), static_cast<float>(p.lon + shift), 1);
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
    return say(OverlayOpen::Unreadable,
               QCoreApplication::translate("kavalo::OverlayData", "「%1」を読み込めません。").arg(name));
  const VectorFileData data = geo->readVectorFile(path);
  if (data.status != VectorStatus::Ok && data.status != VectorStatus::NoTransform)
    return say(OverlayOpen::Unreadable, QCoreApplication::translate("kavalo::OverlayData", "「%1」を読み込めません。%2")
                                            .arg(name, unreadableReason(path, data)));
  if (data.status == VectorStatus::NoTransform)
    return say(
        OverlayOpen::NoTransform,
        QCoreApplication::translate("kavalo::OverlayData", "「%1」の座標系を世界測地系に変換できません。").arg(name));
  auto file = placeOverlay(path, data, info, firstLayer);
  if (file->layers.empty())
    return say(
        OverlayOpen::NotInRegion,
        QCoreApplication::translate("kavalo::OverlayData", "「%1」には、この地域にかかる地物がありません。").arg(name));
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
