// SPDX-License-Identifier: MIT
#include "render/CompareComposer.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "elevation/Credits.h"
#include "model/ProgramState.h"
#include "render/Annotations.h"
#include "render/ComposeContext.h"
#include "render/MarkDrawing.h"
#include "render/OverlayDrawing.h"

namespace kavalo {

namespace {

constexpr QRgb kDivider = 0xFF404040u;
constexpr QRgb kCrossHair = 0xFFE00000u;

// Composes one era of the view into a picture of a pane's size (in target
// pixels): picture gets the composed view with its overlays, base (when
// given) the same before the overlays.
void composeEra(const ProgramState& session, ViewRequest request, int era, int viewId, QSize paneSize, QImage& picture,
                QImage* base, TileSource* tiles) {
  request.eraIndex = era;
  request.viewId = viewId;
  request.pass = RenderPass::ComparePane;
  const double k = request.devicePixelRatio;
  // A pane of a whole number of target pixels; its view is that divided by
  // the ratio (the same size on a screen of ratio 1).
  request.viewSize = k == 1.0 ? paneSize
                              : QSize(static_cast<int>(std::floor(paneSize.width() / k)),
                                      static_cast<int>(std::floor(paneSize.height() / k)));
  renderView(session, request, picture, tiles, base);
}

// Copies the columns [x0, x1) of row y from src to dst (same size, RGB32).
void copySpan(QImage& dst, const QImage& src, int y, int x0, int x1) {
  if (x1 <= x0) return;
  std::memcpy(reinterpret_cast<QRgb*>(dst.scanLine(y)) + x0, reinterpret_cast<const QRgb*>(src.constScanLine(y)) + x0,
              static_cast<size_t>(x1 - x0) * sizeof(QRgb));
}

void copyWhole(QImage& dst, const QImage& src) {
  if (dst.size() != src.size() || dst.format() != QImage::Format_RGB32) {
    const int dpmX = dst.dotsPerMeterX(), dpmY = dst.dotsPerMeterY();
    dst = QImage(src.size(), QImage::Format_RGB32);
    dst.setDotsPerMeterX(dpmX);
    dst.setDotsPerMeterY(dpmY);
  }
  if (dst.bytesPerLine() == src.bytesPerLine()) {
    std::memcpy(dst.bits(), src.constBits(), static_cast<size_t>(src.sizeInBytes()));
    return;
  }
  for (int y = 0; y < src.height(); ++y) copySpan(dst, src, y, 0, src.width());
}

void fillColumns(QImage& dst, int x0, int x1, QRgb colour) {
  x0 = std::max(0, x0);
  x1 = std::min(dst.width(), x1);
  for (int y = 0; y < dst.height() && x1 > x0; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(dst.scanLine(y));
    std::fill(line + x0, line + x1, colour);
  }
}

// Half the width of a lens row dy away from its centre.
int lensHalfSpan(int radius, int dy) {
  return static_cast<int>(std::floor(std::sqrt(static_cast<double>(radius) * radius - static_cast<double>(dy) * dy)));
}

// The other pane's mark of the place under the pointer: a red cross with a
// white edge, so that it shows on dark and light maps alike, as large and
// as thick in view pixels on every screen.
void crossHair(QImage& frame, const QRect& pane, QPointF local, double ratio) {
  const int x = pane.x() + static_cast<int>(std::floor(local.x()));
  const int y = pane.y() + static_cast<int>(std::floor(local.y()));
  if (!pane.contains(x, y)) return;
  const int arm = static_cast<int>(std::lround(12 * ratio));
  const int half = std::max(0, static_cast<int>(std::lround(ratio)) - 1) / 2;
  auto put = [&](int px, int py, QRgb colour) {
    if (pane.contains(px, py)) frame.setPixel(px, py, colour);
  };
  for (int pass = 0; pass < 2; ++pass) {
    const int edge = pass == 0 ? half + 1 : half;  // the white edge first, one pixel wider
    const QRgb colour = pass == 0 ? qRgb(255, 255, 255) : kCrossHair;
    for (int i = -arm; i <= arm; ++i)
      for (int t = -edge; t <= edge; ++t) {
        put(x + i, y + t, colour);
        put(x + t, y + i, colour);
      }
  }
}

}  // namespace

int swipePeepholeRadius(int x, int split, double ratio) {
  const double away = std::abs(x - split) / ratio;
  // Within the grip the pointer is about to take the divider: no window
  // then, nor while it is dragged.
  constexpr double kGrip = 6.0;
  if (away <= kGrip || away > kPeepholeReach) return 0;
  return static_cast<int>(std::lround(kPeepholeRadius * ratio));
}

SidePanes sideBySidePanes(int width, int height) {
  SidePanes p;
  if (width < 3 || height <= 0) return p;
  const int pane = (width - 1) / 2;
  p.left = QRect(0, 0, pane, height);
  p.divider = QRect(pane, 0, width - 2 * pane, height);
  p.right = QRect(width - pane, 0, pane, height);
  return p;
}

int paneAt(const SidePanes& panes, QPointF position, QPointF* local) {
  const QPoint at(static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y())));
  int index = -1;
  if (panes.left.contains(at))
    index = 0;
  else if (panes.right.contains(at))
    index = 1;
  if (index >= 0 && local) local->setX(position.x() - (index == 0 ? panes.left : panes.right).x());
  if (index >= 0 && local) local->setY(position.y());
  return index;
}

QPointF paneToViewPosition(const SidePanes& panes, QPointF local, int viewWidth) {
  return QPointF(local.x() - panes.left.width() / 2.0 + viewWidth / 2.0, local.y());
}

int clampSplit(int split, int width) { return std::clamp(split, 0, std::max(0, width)); }

QRegion lensRegion(QPoint centre, int radius, QSize view) {
  QRegion region;
  if (radius <= 0) return region;
  const int top = std::max(0, centre.y() - radius);
  const int bottom = std::min(view.height() - 1, centre.y() + radius);
  for (int y = top; y <= bottom; ++y) {
    const int half = lensHalfSpan(radius, y - centre.y());
    const int x0 = std::max(0, centre.x() - half);
    const int x1 = std::min(view.width(), centre.x() + half + 1);
    if (x1 > x0) region += QRect(x0, y, x1 - x0, 1);
  }
  return region;
}

void blendPictures(const QImage& a, const QImage& b, int opacity, QImage& out) {
  const uint32_t w = static_cast<uint32_t>(std::lround(2.56 * std::clamp(opacity, 0, 100)));
  const uint32_t v = 256 - w;
#if defined(__SSE2__)
  // Eight channels at a time in 16 bits: a * v + b * w + 128 is at most
  // 255 * 256 + 128, which fits.
  const __m128i zero = _mm_setzero_si128();
  const __m128i wv = _mm_set1_epi16(static_cast<short>(w));
  const __m128i vv = _mm_set1_epi16(static_cast<short>(v));
  const __m128i half = _mm_set1_epi16(128);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  auto mix = [&](__m128i x, __m128i y) {
    const __m128i sum = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(x, vv), _mm_mullo_epi16(y, wv)), half);
    return _mm_srli_epi16(sum, 8);
  };
#endif
  for (int y = 0; y < a.height(); ++y) {
    const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    QRgb* po = reinterpret_cast<QRgb*>(out.scanLine(y));
    int x = 0;
#if defined(__SSE2__)
    for (; x + 4 <= a.width(); x += 4) {
      const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pa + x));
      const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pb + x));
      const __m128i lo = mix(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero));
      const __m128i hi = mix(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(po + x), _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
    }
#endif
    // Red and blue, then green, each channel in its own 16 bits.
    for (; x < a.width(); ++x) {
      const uint32_t rb = ((pa[x] & 0xFF00FFu) * v + (pb[x] & 0xFF00FFu) * w + 0x800080u) >> 8;
      const uint32_t g = ((pa[x] & 0x00FF00u) * v + (pb[x] & 0x00FF00u) * w + 0x008000u) >> 8;
      po[x] = 0xFF000000u | (rb & 0xFF00FFu) | (g & 0x00FF00u);
    }
  }
}

void CompareComposer::clear() {
  a_ = QImage();
  b_ = QImage();
  spareA_ = QImage();
  spareB_ = QImage();
  frameSize_ = QSize();
}

namespace {

int eraBOf(const ProgramState& session, const ViewRequest& view, const CompareView& compare) {
  return compare.eraB >= 0 && compare.eraB < static_cast<int>(session.eras.size()) ? compare.eraB : view.eraIndex;
}

}  // namespace

void CompareComposer::compose(const ProgramState& session, const ViewRequest& view, const CompareView& compare,
                              TileSource* tiles) {
  frameSize_ = QSize();
  if (!session.view.loaded || view.eraIndex < 0 || view.eraIndex >= static_cast<int>(session.eras.size())) return;
  const QSize size = view.targetSize();
  if (size.isEmpty()) return;
  const int eraB = eraBOf(session, view, compare);
  side_ = compare.mode == CompareMode::Side;
  if (side_) {
    const SidePanes panes = sideBySidePanes(size.width(), size.height());
    if (panes.left.isEmpty()) return;
    composeEra(session, view, view.eraIndex, 0, panes.left.size(), a_, nullptr, tiles);
    composeEra(session, view, eraB, 1, panes.right.size(), b_, nullptr, tiles);
  } else {
    // The pictures before their overlays are what the frame is made of.
    composeEra(session, view, view.eraIndex, 0, size, spareA_, &a_, tiles);
    composeEra(session, view, eraB, 1, size, spareB_, &b_, tiles);
  }
  if (!a_.isNull() && !b_.isNull()) frameSize_ = size;
}

bool CompareComposer::composedFor(const ViewRequest& view, const CompareView& compare) const {
  return frameSize_.isValid() && !a_.isNull() && !b_.isNull() && frameSize_ == view.targetSize() &&
         side_ == (compare.mode == CompareMode::Side);
}

bool CompareComposer::makeFrame(const ProgramState& session, const ViewRequest& view, const CompareView& compare,
                                QImage& frame) const {
  if (!composedFor(view, compare)) return false;
  if (frame.size() != frameSize_ || frame.format() != QImage::Format_RGB32)
    frame = QImage(frameSize_, QImage::Format_RGB32);
  setTargetResolution(frame, session, view.devicePixelRatio);
  const int w = frame.width(), h = frame.height();

  switch (compare.mode) {
    case CompareMode::Side: {
      const SidePanes panes = sideBySidePanes(w, h);
      // A pane's picture is its view times the ratio, which on a finer screen
      // may fall short of the pane by a pixel: that pixel stays white.
      const int leftWidth = std::min(panes.left.width(), a_.width());
      const int rightWidth = std::min(panes.right.width(), b_.width());
      for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        if (leftWidth < panes.left.width() || rightWidth < panes.right.width() || y >= a_.height() || y >= b_.height())
          std::fill(line, line + w, 0xFFFFFFFFu);
        if (y < a_.height()) std::memcpy(line, a_.constScanLine(y), static_cast<size_t>(leftWidth) * sizeof(QRgb));
        if (y < b_.height())
          std::memcpy(line + panes.right.x(), b_.constScanLine(y), static_cast<size_t>(rightWidth) * sizeof(QRgb));
      }
      fillColumns(frame, panes.divider.left(), panes.divider.right() + 1, kDivider);
      QPointF local;
      if (compare.cursor) {
        const int pane = paneAt(panes, QPointF(*compare.cursor), &local);
        if (pane >= 0) crossHair(frame, pane == 0 ? panes.right : panes.left, local, view.devicePixelRatio);
      }
      return true;  // each pane carries its own overlays
    }
    case CompareMode::Swipe: {
      const int split = clampSplit(compare.split, w);
      for (int y = 0; y < h; ++y) {
        copySpan(frame, a_, y, 0, split);
        copySpan(frame, b_, y, split, w);
      }
      // A line two pixels wide astride the divider, kept inside the view.
      if (split > 0 && split < w) fillColumns(frame, split - 1, split + 1, kDivider);
      drawOverlays(session, view, frame, compare);
      // Over everything, as the pointer is.
      if (compare.cursor) {
        const QPoint c = *compare.cursor;
        const int r = swipePeepholeRadius(c.x(), split, view.devicePixelRatio);
        if (r > 0 && QRect(0, 0, w, h).contains(c)) {
          const QImage& other = c.x() < split ? b_ : a_;
          for (int y = std::max(0, c.y() - r); y <= std::min(h - 1, c.y() + r); ++y) {
            const int half = lensHalfSpan(r, y - c.y());
            copySpan(frame, other, y, std::max(0, c.x() - half), std::min(w, c.x() + half + 1));
          }
          QPainter p(&frame);
          p.setRenderHint(QPainter::Antialiasing);
          p.setPen(QPen(QColor::fromRgb(kDivider), 1.5 * view.devicePixelRatio));
          p.drawEllipse(QPointF(c.x() + 0.5, c.y() + 0.5), r + 0.5, r + 0.5);
          p.end();
          crossHair(frame, QRect(0, 0, w, h), QPointF(c), view.devicePixelRatio);
        }
      }
      return true;
    }
    case CompareMode::Lens: {
      copyWhole(frame, a_);
      const int r = std::max(0, compare.lensRadius);
      const QPoint c = compare.lens;
      for (int y = std::max(0, c.y() - r); y <= std::min(h - 1, c.y() + r); ++y) {
        const int half = lensHalfSpan(r, y - c.y());
        copySpan(frame, b_, y, std::max(0, c.x() - half), std::min(w, c.x() + half + 1));
      }
      QPainter p(&frame);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(QColor::fromRgb(kDivider), 1.5 * view.devicePixelRatio));
      p.drawEllipse(QPointF(c.x() + 0.5, c.y() + 0.5), r + 0.5, r + 0.5);
      break;
    }
    case CompareMode::Blend:
      blendPictures(a_, b_, compare.opacity, frame);
      break;
  }
  drawOverlays(session, view, frame, compare);
  return true;
}

void CompareComposer::drawOverlays(const ProgramState& session, const ViewRequest& view, QImage& frame,
                                   const CompareView& compare) const {
  const int eraB = eraBOf(session, view, compare);
  const ComposeContext ctx = makeComposeContext(session, view);
  QPainter p(&frame);
  auto overlay = [&](void (*draw)(QPainter&, const ComposeContext&), const ComposeContext& c) {
    p.save();
    draw(p, c);
    p.restore();
  };
  if (ctx.layers.overlays) overlay(&UserOverlays_Print, ctx);
  if (ctx.layers.scale) overlay(&Scale_Print, ctx);
  if (ctx.layers.marks) overlay(&Mark_Print, ctx);
  const QString& approval = session.mapInfo.approval;
  const bool altitude = view.layers.altitude;
  const bool same =
      eraB == view.eraIndex || creditLines(session.eras[static_cast<size_t>(eraB)], approval, altitude) ==
                                   creditLines(session.eras[static_cast<size_t>(view.eraIndex)], approval, altitude);
  if (compare.mode == CompareMode::Swipe && !same) {
    // Each era's credits stand in its own half, as the panes' do side by
    // side: era A's left of the divider, era B's right of it. A half too
    // narrow for a word has none.
    const double split = compare.split / ctx.scale();
    const double w = ctx.view.width(), h = ctx.view.height();
    constexpr double kLeastHalf = 24.0;
    auto half = [&](int era, double left, double width) {
      if (width < kLeastHalf) return;
      ComposeContext side = ctx;
      side.eraIndex = era;
      side.print.ox = ctx.print.ox + left * ctx.scale();
      side.view = Viewport(&session.mapInfo, ctx.view.scale(), ctx.view.centerX(), ctx.view.centerY(),
                           ctx.view.zoomPercent(), static_cast<int>(std::floor(width)), static_cast<int>(h));
      // The scale bar lies in the right half; only that half steps around it.
      side.layers.scale = ctx.layers.scale && left + width >= w;
      overlay(&Approval_Print, side);
    };
    half(view.eraIndex, 0.0, split);
    half(eraB, split, w - split);
    return;
  }
  overlay(&Approval_Print, ctx);
  // Era B's credits stand above era A's four lines, unless they say the same.
  if (same) return;
  const QFontMetricsF metrics(ComposeContext::mapFont(8), &frame);
  ComposeContext above = ctx;
  above.eraIndex = eraB;
  // Four lines of the credits' font, in view pixels.
  const int lifted = static_cast<int>(std::ceil(4.0 * metrics.height() / ctx.scale()));
  above.view = Viewport(&session.mapInfo, ctx.view.scale(), ctx.view.centerX(), ctx.view.centerY(),
                        ctx.view.zoomPercent(), ctx.view.width(), ctx.view.height() - lifted);
  overlay(&Approval_Print, above);
}

void PrintGazoCompare(const ProgramState& session, const ViewRequest& view, const CompareView& compare,
                      CompareComposer& composer, QImage& frame, TileSource* tiles) {
  composer.compose(session, view, compare, tiles);
  composer.makeFrame(session, view, compare, frame);
}

}  // namespace kavalo
