// SPDX-License-Identifier: MIT
#include "render/StretchPass.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "render/ImageLibrary.h"
#include "render/StretchKernels.h"
#include "render/StretchTaps.h"

namespace kavalo::stretch {

namespace {

// A source that covers the rectangle: the image itself, or a white canvas
// holding what of the rectangle lies inside the image. RGB32, or a palette
// image whose rows are looked up through its colours as they are read: a
// palette tile is four times smaller in memory, and only the rows a stretch
// reads are ever expanded.
struct PreparedSource {
  QImage image;
  QRect rect;
  bool indexed = false;
  std::array<uint32_t, 256> palette{};

  // Pixels [from, to) of a row of the image as RGB32, into out.
  void expand(int y, int from, int to, uint32_t* out) const {
    if (!indexed) {
      std::memcpy(out, reinterpret_cast<const uint32_t*>(image.constScanLine(y)) + from,
                  static_cast<size_t>(to - from) * 4);
      return;
    }
    const uchar* in = image.constScanLine(y) + from;
    for (int x = 0; x < to - from; ++x) out[x] = palette[in[x]];
  }
};

// The colours of a palette as the conversion to opaque RGB32 makes them (a
// colour with alpha over white), so that a palette image stretches exactly as
// its converted picture would.
std::array<uint32_t, 256> opaquePalette(const QList<QRgb>& colours) {
  QImage strip(256, 1, QImage::Format_Indexed8);
  QList<QRgb> table = colours;
  table.resize(256, 0xFF000000u);
  strip.setColorTable(table);
  for (int i = 0; i < 256; ++i) strip.scanLine(0)[i] = static_cast<uchar>(i);
  const QImage rgb = toOpaqueRgb32(strip);
  std::array<uint32_t, 256> out{};
  std::memcpy(out.data(), rgb.constScanLine(0), sizeof(out));
  return out;
}

PreparedSource prepareSource(const QImage& src, const QRect& srcRect) {
  PreparedSource p;
  if (src.format() == QImage::Format_Indexed8 && src.rect().contains(srcRect)) {
    p.image = src;
    p.rect = srcRect;
    p.indexed = true;
    p.palette = opaquePalette(src.colorTable());
    return p;
  }
  QImage rgb = toOpaqueRgb32(src);
  if (rgb.rect().contains(srcRect)) {
    p.image = std::move(rgb);
    p.rect = srcRect;
    return p;
  }
  QImage canvas(srcRect.size(), QImage::Format_RGB32);
  canvas.fill(0xFFFFFFFFu);
  const QRect inside = srcRect.intersected(rgb.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const auto* from = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y)) + inside.left();
    auto* to = reinterpret_cast<uint32_t*>(canvas.scanLine(y - srcRect.top())) + (inside.left() - srcRect.left());
    std::memcpy(to, from, static_cast<size_t>(inside.width()) * 4);
  }
  p.image = std::move(canvas);
  p.rect = p.image.rect();
  return p;
}

// One clipped destination rectangle of a stretch: the columns [c0, c1) and
// rows [r0, r1) of the destination rectangle, whose top-left pixel lies at
// (dx, dy) in the destination image.
struct Span {
  int c0, c1, r0, r1;
  int dx, dy;
};

class RowPass {
 public:
  RowPass(const PreparedSource& src, const QRect& srcRect, const AxisTaps& h, int columns)
      : src_(src), srcRect_(srcRect), h_(h), columns_(columns) {
    lo_ = h.start.front();
    int hi = 0;
    for (int i = 0; i < columns; ++i) hi = std::max(hi, h.start[static_cast<size_t>(i)] + h.taps);
    hi = std::min(hi, srcRect.width());
    hiUsed_ = hi;
    line_.assign(static_cast<size_t>(hi - lo_ + h.taps + 2), 0u);
  }

  // out: columns x 4 channels (+ room for one more column).
  void run(int row, int16_t* out);

 private:
  const PreparedSource& src_;
  QRect srcRect_;
  const AxisTaps& h_;
  int columns_;
  int lo_ = 0;
  int hiUsed_ = 0;
  std::vector<uint32_t> line_;
};

void RowPass::run(int row, int16_t* out) {
  src_.expand(srcRect_.top() + row, srcRect_.left() + lo_, srcRect_.left() + hiUsed_, line_.data());
  const int taps = h_.taps;
#if KAVALO_STRETCH_SSE2
  const uint32_t* base = line_.data() - lo_;
  const int* starts = h_.start.data();
  int done = 0;
#if KAVALO_STRETCH_AVX2
  if (haveAvx2()) done = rowPassAvx2(base, starts, h_.wide.data(), taps, columns_, out);
#endif
  if (done < columns_)
    rowPassSse2(base, starts + done, h_.pairs.data() + static_cast<size_t>(done) * (taps / 2), taps, columns_ - done,
                out + 4 * done);
#else
  for (int i = 0; i < columns_; ++i) {
    const uint32_t* p = line_.data() + (h_.start[static_cast<size_t>(i)] - lo_);
    const int16_t* w = h_.weightsOf(i);
    int acc[4] = {0, 0, 0, 0};
    for (int t = 0; t < taps; ++t) {
      const uint32_t px = p[t];
      for (int c = 0; c < 4; ++c) acc[c] += w[t] * static_cast<int>((px >> (8 * c)) & 0xFF);
    }
    for (int c = 0; c < 4; ++c) out[4 * i + c] = static_cast<int16_t>((acc[c] + (1 << (kMidShift - 1))) >> kMidShift);
  }
#endif
}

// The second pass: one destination row from the first-pass rows of its taps.
void columnPass(const int16_t* const* rows, const int16_t* w, const int32_t* wpairs, int taps, int columns,
                uint32_t* dst, RasterOp rop) {
#if KAVALO_STRETCH_SSE2
  (void)w;
  int done = 0;
#if KAVALO_STRETCH_AVX2
  if (haveAvx2()) done = columnPassAvx2(rows, wpairs, taps, columns, dst, rop);
#endif
  if (done < columns) columnPassSse2(rows, wpairs, taps, done, columns, dst, rop);
#else
  (void)wpairs;
  for (int i = 0; i < columns; ++i) {
    int acc[4] = {0, 0, 0, 0};
    for (int t = 0; t < taps; ++t)
      for (int c = 0; c < 4; ++c) acc[c] += w[t] * rows[t][4 * i + c];
    uint32_t px = kOpaque;
    for (int c = 0; c < 3; ++c)
      px |= static_cast<uint32_t>(clampByte((acc[c] + (1 << (kFinalShift - 1))) >> kFinalShift)) << (8 * c);
    dst[i] = combine(px, dst[i], rop);
  }
#endif
}

// srcRect includes the margin on each side.
void stretchSpan(QImage& dst, const QRect& dstRect, const PreparedSource& src, const QRect& srcRect, int margin,
                 RasterOp rop, const Span& span) {
  const int columns = span.c1 - span.c0;
  const AxisTaps h = buildTaps(srcRect.width() - 2 * margin, dstRect.width(), span.c0, span.c1, margin);
  const AxisTaps v = buildTaps(srcRect.height() - 2 * margin, dstRect.height(), span.r0, span.r1, margin);
  RowPass pass(src, srcRect, h, columns);

  // First-pass rows live in a ring of v.taps slotCount: the rows a destination
  // row needs only move forward, so a slot is reused only after its row is
  // behind every later destination row.
  const int slotCount = v.taps;
  const size_t stride = static_cast<size_t>(columns + 2) * 4;
  std::vector<int16_t> ring(stride * slotCount, 0);
  std::vector<int> held(static_cast<size_t>(slotCount), -1);
  std::vector<const int16_t*> rows(static_cast<size_t>(v.taps));
  const int lastRow = srcRect.height() - 1;

  for (int r = span.r0; r < span.r1; ++r) {
    const size_t k = static_cast<size_t>(r - span.r0);
    const int first = v.start[k];
    const int16_t* w = v.weightsOf(static_cast<int>(k));
    for (int t = 0; t < v.taps; ++t) {
      // Unused taps (zero weight) read a row already held.
      const int row = (w[t] != 0 || t == 0) ? std::min(first + t, lastRow) : first;
      const int slot = row % slotCount;
      int16_t* buffer = ring.data() + stride * slot;
      if (held[static_cast<size_t>(slot)] != row) {
        pass.run(row, buffer);
        held[static_cast<size_t>(slot)] = row;
      }
      rows[static_cast<size_t>(t)] = buffer;
    }
    auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(span.dy + (r - span.r0))) + span.dx;
    columnPass(rows.data(), w, v.pairsOf(static_cast<int>(k)), v.taps, columns, out, rop);
  }
}

}  // namespace

void stretchRun(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                const QRegion& clip, int margin) {
  if (dst.isNull() || src.isNull() || dstRect.width() <= 0 || dstRect.height() <= 0 || srcRect.width() <= 0 ||
      srcRect.height() <= 0)
    return;
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const QRegion area = clip.intersected(dstRect.intersected(dst.rect()));
  if (area.isEmpty()) return;
  const PreparedSource s = prepareSource(src, srcRect.adjusted(-margin, -margin, margin, margin));
  if (margin == 0 && srcRect.size() == dstRect.size()) {
    // One to one, every destination pixel takes its source pixel whole (the
    // filter's single tap weighs 1): the rows are combined directly, which
    // is what makes a redraw from stretched, cached tiles cheap.
    const int dx = s.rect.left() - dstRect.left();
    const int dy = s.rect.top() - dstRect.top();
    std::vector<uint32_t> expanded;
    for (const QRect& r : area) {
      for (int y = r.top(); y <= r.bottom(); ++y) {
        const uint32_t* in;
        if (s.indexed) {
          expanded.resize(static_cast<size_t>(r.width()));
          s.expand(y + dy, r.left() + dx, r.right() + 1 + dx, expanded.data());
          in = expanded.data();
        } else {
          in = reinterpret_cast<const uint32_t*>(s.image.constScanLine(y + dy)) + (r.left() + dx);
        }
        auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(y)) + r.left();
        // One loop per operation, so that each is vectorised.
        const int n = r.width();
        switch (rop) {
          case RasterOp::Copy:
            std::memcpy(out, in, static_cast<size_t>(n) * 4);
            break;
          case RasterOp::And:
            for (int x = 0; x < n; ++x) out[x] &= in[x];
            break;
          case RasterOp::Paint:
            for (int x = 0; x < n; ++x) out[x] |= in[x];
            break;
        }
      }
    }
    return;
  }
  for (const QRect& r : area) {
    Span span;
    span.c0 = r.left() - dstRect.left();
    span.c1 = r.right() + 1 - dstRect.left();
    span.r0 = r.top() - dstRect.top();
    span.r1 = r.bottom() + 1 - dstRect.top();
    span.dx = r.left();
    span.dy = r.top();
    stretchSpan(dst, dstRect, s, s.rect, margin, rop, span);
  }
}

}  // namespace kavalo::stretch
