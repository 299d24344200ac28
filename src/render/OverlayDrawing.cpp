// SPDX-License-Identifier: MIT
#include "render/OverlayDrawing.h"

#include "render/ComposeContext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <cmath>
#include <map>
#include <mutex>

#include "render/OverlayDetail.h"

namespace kavalo {

namespace {

// The family of all text drawn on the map.
const QString kLabelFamily = QStringLiteral("IPAGothic");
constexpr double kLabelPixels = 12.0;
constexpr double kMarkerDiameter = 7.0;
constexpr double kSmallMarkerDiameter = 4.0;
constexpr int kCrowdedMarkers = 2000;
constexpr size_t kPrefetchAhead = 8;
// Names kept drawn, over all files and sizes.
constexpr size_t kKeptLabels = 4000;
// Beyond this many segments in view, wide lines take the fast way.
constexpr int kFineSegments = 300;

// Boxes that touch, also those without area (a straight north-south run, a
// single point), which QRectF::intersects leaves out.
bool overlaps(const QRectF& a, const QRectF& b) {
  return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

const OverlayFeature& featureOf(const OverlayFile& file, int layer, int feature) {
  return file.layers[static_cast<size_t>(layer)].features[static_cast<size_t>(feature)];
}

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

// A wide line is stroked as a polygon, which costs some microseconds a
// segment; a one-pixel line takes the painter's fast path. With many
// segments in view, a wide line is drawn as one-pixel lines side by side.
void strokeRun(QPainter& painter, const std::vector<QPointF>& points, double width, bool fast) {
  if (points.size() == 1) {
    painter.drawPoint(points.front());
    return;
  }
  if (!fast || width <= 1.0) {
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    return;
  }
  const int passes = std::max(1, static_cast<int>(std::lround(width)) - 1);
  for (int i = 0; i < passes; ++i) {
    // Whole pixels along the diagonal: thick in every direction.
    const double o = i - (passes - 1) / 2;
    painter.translate(o, o);
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    painter.translate(-o, -o);
  }
}

void drawRuns(QPainter& painter, const OverlayFile& file, const OverlayDetail& d, const OverlayView& view,
              const QRectF& clip, std::vector<QPointF>& buffer) {
  int segments = 0;
  for (const OverlayDetail::Run& r : d.runs)
    if (overlaps(r.bounds, clip)) segments += r.end - r.begin;
  const bool fast = segments > kFineSegments;
  painter.setRenderHint(QPainter::Antialiasing, !fast);
  const OverlayFeature* current = nullptr;
  double width = 1.0;
  painter.setBrush(Qt::NoBrush);
  for (const OverlayDetail::Run& r : d.runs) {
    if (!overlaps(r.bounds, clip)) continue;
    const OverlayFeature& f = featureOf(file, r.layer, r.feature);
    if (&f != current) {
      current = &f;
      width = f.penWidth * view.deviceScale;
      QPen pen(f.pen, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      // Round ends and joins would send even a one-pixel line down the slow
      // way.
      if (fast) pen = QPen(f.pen, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
      painter.setPen(pen);
    }
    buffer.clear();
    for (int i = r.begin; i < r.end; ++i) buffer.push_back(view.imageToTarget.map(d.points[static_cast<size_t>(i)]));
    strokeRun(painter, buffer, width, fast);
  }
}

// x times a / 255 on the four bytes of a pixel at once.
inline QRgb byteMul(QRgb x, uint a) {
  uint t = (x & 0xff00ff) * a;
  t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
  x = ((x >> 8) & 0xff00ff) * a;
  x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
  return x | t;
}

// A marker drawn once per colour and size, kept as its visible pixels, and
// stamped straight into an image's pixels: ten thousand markers are then
// about a millisecond, where the painter takes several. The painter draws
// it where the target is not a plain image or is clipped or turned.
class MarkerStamps {
 public:
  struct Stamp {
    QImage image;  // premultiplied
    std::vector<std::pair<QPoint, QRgb>> pixels;
  };
  const Stamp& stamp(const QColor& colour, double diameter) {
    const auto key = std::make_pair(colour.rgba(), static_cast<int>(std::lround(diameter * 4)));
    auto it = stamps_.find(key);
    if (it != stamps_.end()) return it->second;
    const int side = static_cast<int>(std::ceil(diameter + 2.0));
    Stamp s;
    s.image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    s.image.fill(Qt::transparent);
    QPainter p(&s.image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, std::max(1.0, diameter / 5.0)));
    p.setBrush(colour);
    const double inset = (side - diameter) / 2.0;
    p.drawEllipse(QRectF(inset, inset, diameter, diameter));
    p.end();
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x)
        if (const QRgb c = s.image.pixel(x, y); qAlpha(c) > 0) s.pixels.emplace_back(QPoint(x, y), c);
    return stamps_.emplace(key, std::move(s)).first->second;
  }

 private:
  std::map<std::pair<QRgb, int>, Stamp> stamps_;
};

// The image a painter draws straight into, with its shift; null when it must
// go through the painter.
QImage* plainTarget(QPainter& painter, QPoint& shift) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image || painter.hasClipping()) return nullptr;
  const QTransform& t = painter.worldTransform();
  if (t.type() > QTransform::TxTranslate) return nullptr;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied) return nullptr;
  // On a high-density image the painter scales; its pixels are not the
  // view's.
  if (image->devicePixelRatio() != 1.0) return nullptr;
  shift = QPoint(static_cast<int>(std::lround(t.dx())), static_cast<int>(std::lround(t.dy())));
  return image;
}

void prefetchRows(const QImage& image, QPoint at, int rows) {
  if (at.x() < 0 || at.x() >= image.width()) return;
  const uchar* bits = image.constBits();
  for (int r = 0; r < rows; ++r) {
    const int y = at.y() + r - rows / 2;
    if (y >= 0 && y < image.height()) __builtin_prefetch(bits + y * image.bytesPerLine() + at.x() * 4, 1);
  }
}

void dotInto(QImage& image, QRgb colour, QPoint centre, int side) {
  const int x0 = std::max(0, centre.x() - side / 2), y0 = std::max(0, centre.y() - side / 2);
  const int x1 = std::min(image.width(), centre.x() - side / 2 + side);
  const int y1 = std::min(image.height(), centre.y() - side / 2 + side);
  const QRgb c = 0xff000000 | colour;
  for (int y = y0; y < y1; ++y) std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)) + x0, std::max(0, x1 - x0), c);
}

void stampInto(QImage& image, const MarkerStamps::Stamp& stamp, QPoint at) {
  const int w = image.width(), h = image.height();
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const bool inside =
      at.x() >= 0 && at.y() >= 0 && at.x() + stamp.image.width() <= w && at.y() + stamp.image.height() <= h;
  for (const auto& [p, s] : stamp.pixels) {
    const int x = at.x() + p.x(), y = at.y() + p.y();
    if (!inside && (x < 0 || y < 0 || x >= w || y >= h)) continue;
    QRgb& d = reinterpret_cast<QRgb*>(bits + y * stride)[x];
    d = s + byteMul(d, 255 - qAlpha(s));
  }
}

struct Label {
  QPointF at;
  const QString* text;
};

// A name on its white box, drawn once and kept: laying out text is the
// dearest part of a redraw, and the same names come back at every one.
QImage labelImage(const QString& text, int pixelSize, double deviceScale) {
  static std::mutex mutex;
  static std::map<std::pair<QString, int>, QImage> cache;
  const std::lock_guard<std::mutex> lock(mutex);
  const auto key = std::make_pair(text, pixelSize);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  if (cache.size() > kKeptLabels) cache.clear();
  QFont font(kLabelFamily);
  font.setPixelSize(pixelSize);
  const QFontMetricsF metrics(font);
  const double pad = 2.0 * deviceScale;
  QImage image(static_cast<int>(std::ceil(metrics.horizontalAdvance(text) + 2 * pad)),
               static_cast<int>(std::ceil(metrics.height())), QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(255, 255, 255, 200));
  QPainter p(&image);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QPointF(pad, metrics.ascent()), text);
  p.end();
  return cache.emplace(key, image).first->second;
}

void drawLabels(QPainter& painter, const std::vector<Label>& labels, const OverlayView& view) {
  const int pixelSize = std::max(1, static_cast<int>(std::lround(kLabelPixels * view.deviceScale)));
  const double gap = kMarkerDiameter * view.deviceScale / 2.0;
  std::vector<QRect> placed;
  for (const Label& l : labels) {
    const QImage image = labelImage(*l.text, pixelSize, view.deviceScale);
    const QRect box(static_cast<int>(std::lround(l.at.x() + gap)),
                    static_cast<int>(std::lround(l.at.y() - image.height() / 2.0)), image.width(), image.height());
    // A name that would cover one already drawn is left out.
    bool covered = false;
    for (const QRect& p : placed) covered |= p.intersects(box);
    if (covered) continue;
    placed.push_back(box);
    painter.drawImage(box.topLeft(), image);
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
  MarkerStamps stamps;
  QPoint shift;
  QImage* plain = plainTarget(painter, shift);
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
    // Crowded markers are drawn smaller.
    int inView = 0;
    for (const OverlayDetail::Marker& m : detail->markers) inView += clip.contains(m.at);
    // Crowded markers are plain dots: written, not blended, they cost the
    // picture's memory no reads.
    const bool crowded = inView > kCrowdedMarkers;
    const double diameter = (crowded ? kSmallMarkerDiameter : kMarkerDiameter) * view.deviceScale;
    const int dot = std::max(2, static_cast<int>(std::lround(3.0 * view.deviceScale)));
    QRgb lastPen = 0;
    const MarkerStamps::Stamp* lastStamp = nullptr;
    const std::vector<OverlayDetail::Marker>& markers = detail->markers;
    for (size_t i = 0; i < markers.size(); ++i) {
      const OverlayDetail::Marker& m = markers[i];
      // The rows of a marker some way ahead are asked for now, so that they
      // are in the cache when it is stamped.
      if (plain && i + kPrefetchAhead < markers.size())
        prefetchRows(*plain, view.imageToTarget.map(markers[i + kPrefetchAhead].at).toPoint() + shift,
                     static_cast<int>(diameter) + 2);
      if (!clip.contains(m.at)) continue;
      const OverlayFeature& f = featureOf(file, m.layer, m.feature);
      // Each point is a feature of its own; most share their layer's colour.
      if (!lastStamp || m.pen != lastPen) {
        lastStamp = &stamps.stamp(f.pen, diameter);
        lastPen = m.pen;
      }
      const MarkerStamps::Stamp& stamp = *lastStamp;
      const QPointF at = view.imageToTarget.map(m.at);
      const QPoint corner(static_cast<int>(std::lround(at.x() - stamp.image.width() / 2.0)),
                          static_cast<int>(std::lround(at.y() - stamp.image.height() / 2.0)));
      if (plain && crowded)
        dotInto(*plain, m.pen | 0xFF000000u, at.toPoint() + shift, dot);
      else if (plain)
        stampInto(*plain, stamp, corner + shift);
      else
        painter.drawImage(corner, stamp.image);
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

void UserOverlays_Print(QPainter& painter, const ComposeContext& context) {
  if (context.state == nullptr || context.st().overlays.files.empty()) return;
  drawOverlayFeatures(painter, context.st().overlays,
                      overlayViewOf(context.view, context.print.k, context.print.ox, context.print.oy));
}

}  // namespace kavalo
