// SPDX-License-Identifier: MIT
#include "geo/GeorefSession.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "platform/GeoDataLoader.h"

namespace kavalo {

namespace {

constexpr const char* kWorld = "EPSG:4326";

// The plane rectangular zones of the world datum: origin latitude and
// longitude, EPSG code of zone I + n.
struct Zone {
  double lat, lon;
};
constexpr Zone kZones[] = {{33, 129.5},
                           {33, 131},
                           {36, 132 + 1 / 6.0},
                           {33, 133.5},
                           {36, 134 + 1 / 3.0},
                           {36, 136},
                           {36, 137 + 1 / 6.0},
                           {36, 138.5},
                           {36, 139 + 5 / 6.0},
                           {40, 140 + 5 / 6.0},
                           {44, 140.25},
                           {44, 142.25},
                           {44, 144.25},
                           {26, 142},
                           {26, 127.5},
                           {26, 124},
                           {26, 131},
                           {20, 136},
                           {26, 154}};
constexpr int kFirstZoneCode = 6669;

// The projected plane for a place: the zone whose origin is nearest inside
// Japan, the UTM zone of the world datum elsewhere.
QString planeFor(double lon, double lat) {
  if (lon >= 122 && lon <= 154 && lat >= 20 && lat <= 46) {
    int best = 0;
    double bestDistance = 1e300;
    for (int i = 0; i < static_cast<int>(std::size(kZones)); ++i) {
      const double dx = (lon - kZones[i].lon) * std::cos(lat * 3.14159265358979323846 / 180.0);
      const double dy = lat - kZones[i].lat;
      const double d = dx * dx + dy * dy;
      if (d < bestDistance) {
        bestDistance = d;
        best = i;
      }
    }
    return QStringLiteral("EPSG:%1").arg(kFirstZoneCode + best);
  }
  const int zone = std::clamp(static_cast<int>(std::floor((lon + 180.0) / 6.0)) + 1, 1, 60);
  return QStringLiteral("EPSG:%1").arg((lat >= 0 ? 32600 : 32700) + zone);
}

bool readSmallFile(const QString& path, QByteArray& content, QString* why) {
  QFile file(path);
  const QString name = QFileInfo(path).fileName();
  if (!file.open(QIODevice::ReadOnly)) {
    if (why) *why = QCoreApplication::translate("kavalo::GeorefSession", "「%1」を開けません。").arg(name);
    return false;
  }
  // Read with a bound, not by the size the file says: a pipe says nothing.
  content = file.read(kMaxControlPointFileBytes + 1);
  if (content.size() > kMaxControlPointFileBytes) {
    content.clear();
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefSession", "「%1」は大きすぎます（16MBまで）。").arg(name);
    return false;
  }
  return true;
}

}  // namespace

bool GeorefSession::openScan(const QString& path, QString* why, bool preview) {
  QString error;
  GeoData* geo = geoData(&error);
  if (!geo) {
    if (why) *why = error;
    return false;
  }
  RasterPreview raster;
  QString detail;
  if (geo->readRaster(path, preview ? kGeorefPreviewSide : 0, raster, &detail) != ScanStatus::Ok) {
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefSession", "「%1」を読み込めません。")
                 .arg(QFileInfo(path).fileName());
    return false;
  }
  setScan(path, raster.width, raster.height, raster.image);
  georeferenced_ = raster.georeferenced;
  return true;
}

void GeorefSession::setScan(const QString& path, int width, int height, const QImage& reduced) {
  scanPath_ = path;
  width_ = width;
  height_ = height;
  georeferenced_ = false;
  // Kept as the live overlay draws it, so that no update converts it.
  reduced_ = reduced.isNull() ? reduced : reduced.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  points_.clear();
  undo_.clear();
  redo_.clear();
  mask_.clear();
  maskedReduced_ = QImage();
  changed();
}

QString GeorefSession::scanName() const { return QFileInfo(scanPath_).fileName(); }

double GeorefSession::reducedScale() const {
  if (width_ < 1 || reduced_.isNull()) return 1.0;
  return static_cast<double>(reduced_.width()) / width_;
}

const QImage& GeorefSession::maskedReducedScan() const {
  if (mask_.size() < 3) return reduced_;
  if (maskedReduced_.isNull() && !reduced_.isNull()) {
    QImage out(reduced_.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    QPainterPath path;
    const double k = reducedScale();
    QPolygonF polygon;
    for (const QPointF& p : mask_) polygon << p * k;
    path.addPolygon(polygon);
    painter.setClipPath(path);
    painter.drawImage(0, 0, reduced_);
    painter.end();
    maskedReduced_ = out;
  }
  return maskedReduced_;
}

void GeorefSession::pushUndo() {
  undo_.push_back(Snapshot{points_, mask_});
  redo_.clear();
}

void GeorefSession::changed() { dirty_ = true; }

int GeorefSession::addPoint(double scanX, double scanY, double lon, double lat) {
  pushUndo();
  int id = 0;
  for (const ControlPoint& p : points_) id = std::max(id, p.id);
  points_.push_back(ControlPoint{id + 1, true, scanX, scanY, lon, lat});
  changed();
  return static_cast<int>(points_.size()) - 1;
}

void GeorefSession::moveScanPlace(int index, double scanX, double scanY) {
  if (index < 0 || index >= static_cast<int>(points_.size())) return;
  ControlPoint& p = points_[index];
  if (p.scanX == scanX && p.scanY == scanY) return;
  pushUndo();
  points_[index].scanX = scanX;
  points_[index].scanY = scanY;
  changed();
}

void GeorefSession::moveMapPlace(int index, double lon, double lat) {
  if (index < 0 || index >= static_cast<int>(points_.size())) return;
  ControlPoint& p = points_[index];
  if (p.lon == lon && p.lat == lat) return;
  pushUndo();
  points_[index].lon = lon;
  points_[index].lat = lat;
  changed();
}

void GeorefSession::setEnabled(int index, bool enabled) {
  if (index < 0 || index >= static_cast<int>(points_.size()) || points_[index].enabled == enabled) return;
  pushUndo();
  points_[index].enabled = enabled;
  changed();
}

void GeorefSession::removePoint(int index) {
  if (index < 0 || index >= static_cast<int>(points_.size())) return;
  pushUndo();
  points_.erase(points_.begin() + index);
  changed();
}

void GeorefSession::renumber() {
  bool same = true;
  for (size_t i = 0; i < points_.size(); ++i) same &= points_[i].id == static_cast<int>(i + 1);
  if (same) return;
  pushUndo();
  for (size_t i = 0; i < points_.size(); ++i) points_[i].id = static_cast<int>(i + 1);
  changed();
}

void GeorefSession::setPoints(const std::vector<ControlPoint>& points) {
  pushUndo();
  points_ = points;
  changed();
}

bool GeorefSession::undo() {
  if (undo_.empty()) return false;
  redo_.push_back(Snapshot{points_, mask_});
  points_ = undo_.back().points;
  mask_ = undo_.back().mask;
  undo_.pop_back();
  maskedReduced_ = QImage();
  changed();
  return true;
}

bool GeorefSession::redo() {
  if (redo_.empty()) return false;
  undo_.push_back(Snapshot{points_, mask_});
  points_ = redo_.back().points;
  mask_ = redo_.back().mask;
  redo_.pop_back();
  maskedReduced_ = QImage();
  changed();
  return true;
}

void GeorefSession::setMethod(GeorefMethod method) {
  if (method == method_) return;
  method_ = method;
  changed();
}

bool GeorefSession::setTypedCrs(const QString& crs, QString* why) {
  if (crs.trimmed().isEmpty()) {
    typedCrs_.clear();
    typedProjected_ = false;
    changed();
    return true;
  }
  QString error;
  GeoData* geo = geoData(&error);
  if (!geo) {
    if (why) *why = error;
    return false;
  }
  const CrsDescription d = geo->describeCrs(crs);
  if (!d.ok) {
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefSession", "座標系「%1」がわかりません。").arg(crs.trimmed());
    return false;
  }
  typedCrs_ = crs.trimmed();
  typedProjected_ = d.projected;
  changed();
  return true;
}

bool GeorefSession::typedToWorld(double x, double y, double& lon, double& lat, QString* why) const {
  if (!std::isfinite(x) || !std::isfinite(y)) {
    if (why) *why = QCoreApplication::translate("kavalo::GeorefSession", "座標が数ではありません。");
    return false;
  }
  if (typedCrs_.isEmpty()) {
    if (x < -180 || x > 180 || y < -90 || y > 90) {
      if (why)
        *why =
            QCoreApplication::translate("kavalo::GeorefSession", "経度は-180～180、緯度は-90～90で入力してください。");
      return false;
    }
    lon = x;
    lat = y;
    return true;
  }
  QString error;
  GeoData* geo = geoData(&error);
  std::vector<double> xs{x}, ys{y};
  if (!geo || !geo->transformPoints(typedCrs_, QString::fromLatin1(kWorld), xs, ys, &error)) {
    if (why) *why = QCoreApplication::translate("kavalo::GeorefSession", "座標を経緯度に変換できません。");
    return false;
  }
  lon = xs[0];
  lat = ys[0];
  return true;
}

bool GeorefSession::worldToTyped(std::vector<double>& x, std::vector<double>& y) const {
  if (typedCrs_.isEmpty()) return false;
  GeoData* geo = geoData(nullptr);
  return geo && geo->transformPoints(QString::fromLatin1(kWorld), typedCrs_, x, y, nullptr);
}

void GeorefSession::chooseAutoPlane() const {
  // The scan's centre: where a similarity through the points puts it (on a
  // local plate carrée), else the points' mean.
  std::vector<const ControlPoint*> on;
  for (const ControlPoint& p : points_)
    if (p.enabled) on.push_back(&p);
  if (on.empty())
    for (const ControlPoint& p : points_) on.push_back(&p);
  if (on.empty()) {
    autoPlane_.clear();
    return;
  }
  double lon = 0, lat = 0;
  for (const ControlPoint* p : on) {
    lon += p->lon;
    lat += p->lat;
  }
  lon /= on.size();
  lat /= on.size();
  if (on.size() >= 2 && width_ > 0) {
    const double k = std::cos(lat * 3.14159265358979323846 / 180.0);
    std::vector<PlanePoint> s, m;
    for (const ControlPoint* p : on) {
      s.push_back({p->scanX, p->scanY});
      m.push_back({p->lon * k, p->lat});
    }
    if (auto t = GeorefTransform::fit(GeorefMethod::Helmert, s, m, nullptr)) {
      const PlanePoint c = t->apply({width_ / 2.0, height_ / 2.0});
      if (std::isfinite(c.x) && std::isfinite(c.y) && k > 0) {
        lon = c.x / k;
        lat = c.y;
      }
    }
  }
  autoPlane_ = planeFor(lon, lat);
}

QString GeorefSession::planeCrs() const {
  if (!typedCrs_.isEmpty() && typedProjected_) return typedCrs_;
  chooseAutoPlane();
  return autoPlane_;
}

QString GeorefSession::planeName() const {
  const QString crs = planeCrs();
  if (crs.isEmpty()) return QString();
  if (crs != planeNameOf_) {
    planeNameOf_ = crs;
    planeName_ = crs;
    if (GeoData* geo = geoData(nullptr)) {
      const CrsDescription d = geo->describeCrs(crs);
      if (d.ok && !d.name.isEmpty()) planeName_ = d.name;
    }
  }
  return planeName_;
}

const GeorefAnalysis& GeorefSession::analysis() const {
  if (!dirty_) return analysis_;
  dirty_ = false;
  analysis_ = GeorefAnalysis();
  plane_.clear();
  planeUsed_ = planeCrs();
  if (points_.empty() || planeUsed_.isEmpty()) {
    analysis_ = analyseControlPoints(method_, points_, plane_, width_, height_);
    if (points_.empty())
      analysis_.why =
          QCoreApplication::translate("kavalo::GeorefSession", "この変換には有効な点が%1点必要です（いま0点）。")
              .arg(minimumPoints(method_));
    return analysis_;
  }
  std::vector<double> x, y;
  for (const ControlPoint& p : points_) {
    x.push_back(p.lon);
    y.push_back(p.lat);
  }
  QString error;
  GeoData* geo = geoData(&error);
  if (!geo || !geo->transformPoints(QString::fromLatin1(kWorld), planeUsed_, x, y, &error)) {
    analysis_.points.resize(points_.size());
    analysis_.why = QCoreApplication::translate("kavalo::GeorefSession", "点の地図上の位置を平面（%1）に移せません。")
                        .arg(planeUsed_);
    return analysis_;
  }
  for (size_t i = 0; i < x.size(); ++i) plane_.push_back({x[i], y[i]});
  analysis_ = analyseControlPoints(method_, points_, plane_, width_, height_);
  return analysis_;
}

void GeorefSession::setMask(const std::vector<QPointF>& polygon) {
  if (polygon == mask_) return;
  pushUndo();
  mask_ = polygon.size() >= 3 ? polygon : std::vector<QPointF>();
  maskedReduced_ = QImage();
  changed();
}

ControlPointFile GeorefSession::exchangeSet() const {
  ControlPointFile set;
  set.crs = QString::fromLatin1(kWorld);
  set.scanName = scanName();
  set.scanWidth = width_;
  set.scanHeight = height_;
  set.method = method_;
  set.mask = mask_;
  for (const ControlPoint& p : points_)
    set.points.push_back(FileControlPoint{p.enabled, p.scanX, p.scanY, p.lon, p.lat});
  return set;
}

bool GeorefSession::applyExchangeSet(const ControlPointFile& set, QString* why) {
  const bool sizeDiffers =
      set.scanWidth > 0 && set.scanHeight > 0 && width_ > 0 && (set.scanWidth != width_ || set.scanHeight != height_);
  const bool nameDiffers =
      !set.scanName.isEmpty() && !scanPath_.isEmpty() && set.scanName.compare(scanName(), Qt::CaseInsensitive) != 0;
  if (sizeDiffers || (nameDiffers && set.scanWidth <= 0)) {
    if (why) {
      const QString size = set.scanWidth > 0 ? QStringLiteral("%1×%2").arg(set.scanWidth).arg(set.scanHeight)
                                             : QCoreApplication::translate("kavalo::GeorefSession", "大きさ不明");
      *why = QCoreApplication::translate("kavalo::GeorefSession", "この点の組は別の画像（%1、%2）のものです。")
                 .arg(set.scanName.isEmpty() ? QCoreApplication::translate("kavalo::GeorefSession", "名前不明")
                                             : set.scanName,
                      size);
    }
    return false;
  }
  std::vector<double> x, y;
  for (const FileControlPoint& p : set.points) {
    x.push_back(p.mapX);
    y.push_back(p.mapY);
  }
  QString error;
  GeoData* geo = geoData(&error);
  if (!geo) {
    if (why) *why = error;
    return false;
  }
  const CrsDescription crs = geo->describeCrs(set.crs);
  if (!crs.ok || !geo->transformPoints(set.crs, QString::fromLatin1(kWorld), x, y, &error)) {
    if (why) *why = QCoreApplication::translate("kavalo::GeorefSession", "点の座標系を経緯度に変換できません。");
    return false;
  }
  std::vector<ControlPoint> points;
  for (size_t i = 0; i < set.points.size(); ++i)
    points.push_back(ControlPoint{static_cast<int>(i + 1), set.points[i].enabled, set.points[i].scanX,
                                  set.points[i].scanY, x[i], y[i]});
  pushUndo();
  points_ = points;
  if (!set.mask.empty()) {
    mask_ = set.mask;
    maskedReduced_ = QImage();
  }
  if (set.method) method_ = *set.method;
  // Points given in a projected system are fitted in it.
  if (crs.projected) {
    typedCrs_ = set.crs;
    typedProjected_ = true;
  }
  changed();
  return true;
}

bool GeorefSession::loadPoints(const QString& path, QString* why) {
  QByteArray content;
  if (!readSmallFile(path, content, why)) return false;
  ControlPointFile set;
  ControlPointFormat format;
  QString error;
  if (!readControlPointFile(content, width_, height_, set, &format, &error)) {
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefSession", "「%1」を読み込めません。%2")
                 .arg(QFileInfo(path).fileName(), error);
    return false;
  }
  return applyExchangeSet(set, why);
}

bool GeorefSession::savePoints(const QString& path, ControlPointFormat format, QString* why) const {
  ControlPointFile set = exchangeSet();
  QByteArray bytes;
  switch (format) {
    case ControlPointFormat::Points: {
      QString error;
      GeoData* geo = geoData(&error);
      const CrsDescription world = geo ? geo->describeCrs(QString::fromLatin1(kWorld)) : CrsDescription();
      if (world.ok) set.crs = world.wkt;
      std::vector<PointResidual> residuals;
      const GeorefAnalysis& a = analysis();
      if (a.ok) {
        for (const GeorefPointResult& r : a.points) {
          // The residual in scan pixels along the scan's axes, as the format's
          // readers show it.
          const double len = r.residualMetres > 0 ? r.residualPixels / r.residualMetres : 0.0;
          residuals.push_back(PointResidual{r.dX * len, -r.dY * len, r.residualPixels});
        }
      }
      bytes = writePointsFile(set, a.ok ? &residuals : nullptr);
      break;
    }
    case ControlPointFormat::Csv:
      bytes = writeControlPointCsv(set);
      break;
    case ControlPointFormat::Annotation:
      bytes = writeGeoreferenceAnnotation(set, method_);
      break;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefSession", "「%1」に保存できません。")
                 .arg(QFileInfo(path).fileName());
    return false;
  }
  return true;
}

bool GeorefSession::loadMask(const QString& path, QString* why) {
  QByteArray content;
  if (!readSmallFile(path, content, why)) return false;
  std::vector<QPointF> polygon;
  QString error;
  if (!readMaskFile(content, polygon, &error)) {
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefSession", "「%1」を読み込めません。%2")
                 .arg(QFileInfo(path).fileName(), error);
    return false;
  }
  setMask(polygon);
  return true;
}

bool GeorefSession::warpPlan(GeorefWarp& plan, QString* why) const {
  const GeorefAnalysis& a = analysis();
  if (!a.ok) {
    if (why) *why = a.why;
    return false;
  }
  for (const ControlPoint& p : points_)
    if (p.enabled && (p.scanX < 0 || p.scanY < 0 || p.scanX > width_ || p.scanY > height_)) {
      if (why)
        *why = QCoreApplication::translate("kavalo::GeorefSession", "点%1は画像の外にあります（%2×%3ピクセル）。")
                   .arg(p.id)
                   .arg(width_)
                   .arg(height_);
      return false;
    }
  if (a.folds) {
    if (why) *why = a.warnings.value(0);
    return false;
  }
  QString error;
  GeoData* geo = geoData(&error);
  const CrsDescription plane = geo ? geo->describeCrs(planeUsed_) : CrsDescription();
  if (!plane.ok) {
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefSession", "平面の座標系（%1）がわかりません。").arg(planeUsed_);
    return false;
  }
  plan = GeorefWarp();
  plan.planeWkt = plane.wkt;
  plan.methodName = methodKey(method_);
  plan.mask = mask_;
  for (size_t i = 0; i < points_.size(); ++i)
    if (points_[i].enabled) plan.points.push_back({points_[i].scanX, points_[i].scanY, plane_[i].x, plane_[i].y});
  switch (method_) {
    case GeorefMethod::Helmert:
    case GeorefMethod::Poly1:
      plan.method = WarpMethod::Affine;
      plan.coefficients = a.transform->coefficients();
      plan.order = 1;
      break;
    case GeorefMethod::Poly2:
    case GeorefMethod::Poly3:
      plan.method = WarpMethod::Polynomial;
      plan.order = polynomialOrder(method_);
      break;
    case GeorefMethod::Projective:
      plan.method = WarpMethod::Projective;
      plan.coefficients = a.transform->coefficients();
      break;
    case GeorefMethod::ThinPlateSpline:
      plan.method = WarpMethod::ThinPlateSpline;
      break;
  }
  return true;
}

bool GeorefSession::scanToWorld(double scanX, double scanY, double& lon, double& lat) const {
  std::vector<double> x{scanX}, y{scanY};
  if (!scanToWorld(x, y)) return false;
  lon = x[0];
  lat = y[0];
  return true;
}

bool GeorefSession::scanToWorld(std::vector<double>& x, std::vector<double>& y) const {
  const GeorefAnalysis& a = analysis();
  if (!a.ok || x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i) {
    const PlanePoint p = a.transform->apply({x[i], y[i]});
    x[i] = p.x;
    y[i] = p.y;
  }
  GeoData* geo = geoData(nullptr);
  return geo && geo->transformPoints(planeUsed_, QString::fromLatin1(kWorld), x, y, nullptr);
}

}  // namespace kavalo
