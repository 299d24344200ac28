#include "render/OverlayDrawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <cmath>
#include <map>

#include "render/OverlayDetail.h"

namespace kavalo {

namespace {

// The family of all text drawn on the map.
const QString kLabelFamily = QStringLiteral("IPAGothic");
constexpr double kLabelPixels = 12.0;
constexpr double kMarkerDiameter = 7.0;

// Boxes that touch, also those without area (a straight north-south run, a
// single point), which QRectF::intersects leaves out.
bool overlaps(const QRectF& a, const QRectF& b) {
  return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

const OverlayFeature& featureOf(const OverlayFile& file, int layer, int feature) {
  return file.layers[static_cast<size_t>(layer)].features[static_cast<size_t>(feature)];
}

// A marker drawn once per colour and stamped at every point: a few hundred
// times faster than drawing each circle.
class MarkerStamps {
 public:
  explicit MarkerStamps(double deviceScale) : diameter_(kMarkerDiameter * deviceScale) {}
  const QImage& stamp(const QColor& colour) {
    auto it = stamps_.find(colour.rgba());
    if (it != stamps_.end()) return it->second;
    const int side = static_cast<int>(std::ceil(diameter_ + 2.0));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, std::max(1.0, diameter_ / 5.0)));
    p.setBrush(colour);
    const double inset = (side - diameter_) / 2.0;
    p.drawEllipse(QRectF(inset, inset, diameter_, diameter_));
    p.end();
    return stamps_.emplace(colour.rgba(), image).first->second;
  }

 private:
  double diameter_;
  std::map<QRgb, QImage> stamps_;
};

void drawShapes(QPainter& painter, const OverlayFile& file, const OverlayDetail& d, const OverlayView& view,
                const QRectF& clip) {
  for (const OverlayDetail::Shape& s : d.shapes) {
    if (!overlaps(s.bounds, clip)) continue;
    const OverlayFeature& f = featureOf(file, s.layer, s.feature);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const OverlayDetail::Run& r : s.rings) {
      QPolygonF ring;
      ring.reserve(r.end - r.begin);
      for (int i = r.begin; i < r.end; ++i) ring << view.imageToTarget.map(d.points[static_cast<size_t>(i)]);
      path.addPolygon(ring);
      path.closeSubpath();
    }
    painter.setPen(QPen(f.pen, f.penWidth * view.deviceScale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(f.brush.alpha() > 0 ? QBrush(f.brush) : QBrush(Qt::NoBrush));
    painter.drawPath(path);
  }
}

void drawRuns(QPainter& painter, const OverlayFile& file, const OverlayDetail& d, const OverlayView& view,
              const QRectF& clip, std::vector<QPointF>& buffer) {
  const OverlayFeature* current = nullptr;
  painter.setBrush(Qt::NoBrush);
  for (const OverlayDetail::Run& r : d.runs) {
    if (!overlaps(r.bounds, clip)) continue;
    const OverlayFeature& f = featureOf(file, r.layer, r.feature);
    if (&f != current) {
      current = &f;
      painter.setPen(QPen(f.pen, f.penWidth * view.deviceScale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    buffer.clear();
    for (int i = r.begin; i < r.end; ++i) buffer.push_back(view.imageToTarget.map(d.points[static_cast<size_t>(i)]));
    if (buffer.size() == 1)
      painter.drawPoint(buffer.front());
    else
      painter.drawPolyline(buffer.data(), static_cast<int>(buffer.size()));
  }
}

struct Label {
  QPointF at;
  const QString* text;
};

void drawLabels(QPainter& painter, const std::vector<Label>& labels, const OverlayView& view) {
  QFont font(kLabelFamily);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(kLabelPixels * view.deviceScale))));
  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  const double gap = kMarkerDiameter * view.deviceScale / 2.0 + 2.0 * view.deviceScale;
  const double pad = 2.0 * view.deviceScale;
  std::vector<QRectF> placed;
  for (const Label& l : labels) {
    const QRectF text(l.at.x() + gap, l.at.y() - metrics.height() / 2.0, metrics.horizontalAdvance(*l.text),
                      metrics.height());
    const QRectF box = text.adjusted(-pad, 0, pad, 0);
    // A name that would cover one already drawn is left out.
    bool covered = false;
    for (const QRectF& p : placed) covered |= p.intersects(box);
    if (covered) continue;
    placed.push_back(box);
    painter.fillRect(box, QColor(255, 255, 255, 200));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(text.left(), text.top() + metrics.ascent()), *l.text);
  }
}

}  // namespace

OverlayView overlayViewOf(const Viewport& view, double k, double ox, double oy) {
  OverlayView v;
  const double sx = static_cast<double>(view.scale().screenPerImageX) * view.zoomPercent() / 100.0;
  const double sy = static_cast<double>(view.scale().screenPerImageY) * view.zoomPercent() / 100.0;
  // view x = W/2 + (x - cx) sx; target = k view + o.
  v.imageToTarget = QTransform(k * sx, 0, 0, k * sy, k * (view.width() / 2.0 - view.centerX() * sx) + ox,
                               k * (view.height() / 2.0 - view.centerY() * sy) + oy);
  const double w = view.width() / sx, h = view.height() / sy;
  v.visibleImageRect = QRectF(view.centerX() - w / 2.0, view.centerY() - h / 2.0, w, h);
  v.imagePxPerTargetPx = 1.0 / (k * std::max(sx, 1e-12));
  v.deviceScale = k;
  return v;
}

void drawOverlayFeatures(QPainter& painter, const OverlaySet& set, const OverlayView& view) {
  const int level = overlayDetailLevel(view.imagePxPerTargetPx);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  std::vector<QPointF> buffer;
  std::vector<Label> labels;
  MarkerStamps stamps(view.deviceScale);
  bool tooMany = false;
  for (const auto& filePtr : set.files) {
    const OverlayFile& file = *filePtr;
    if (!file.visible || file.layers.empty()) continue;
    // Wide lines reach beyond their points by half their width.
    const double margin = 10.0 * view.deviceScale * view.imagePxPerTargetPx;
    const QRectF clip = view.visibleImageRect.adjusted(-margin, -margin, margin, margin);
    if (!overlaps(file.bounds, clip)) continue;
    const std::shared_ptr<const OverlayDetail> detail = overlayDetail(file, level);
    drawShapes(painter, file, *detail, view, clip);
    drawRuns(painter, file, *detail, view, clip, buffer);
    for (const OverlayDetail::Marker& m : detail->markers) {
      if (!clip.contains(m.at)) continue;
      const OverlayFeature& f = featureOf(file, m.layer, m.feature);
      const QImage& stamp = stamps.stamp(f.pen);
      const QPointF at = view.imageToTarget.map(m.at);
      painter.drawImage(QPointF(std::round(at.x() - stamp.width() / 2.0), std::round(at.y() - stamp.height() / 2.0)),
                        stamp);
      if (f.name.isEmpty() || tooMany) continue;
      if (static_cast<int>(labels.size()) >= kMaxOverlayLabels) {
        tooMany = true;
        labels.clear();
        continue;
      }
      labels.push_back({at, &f.name});
    }
  }
  if (!tooMany && !labels.empty()) drawLabels(painter, labels, view);
  painter.restore();
}

}  // namespace kavalo
