// SPDX-License-Identifier: MIT
#include "model/ElevationPieces.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/Numbers.h"

namespace kavalo {

namespace {

struct LightDirection {
  int dx, dy;
};

// North-west, north-east, south-west, south-east: the neighbour compared lies
// on the far side from the light (x grows eastwards, y southwards).
constexpr LightDirection kLight[4] = {{+1, +1}, {-1, +1}, {+1, -1}, {-1, -1}};

// Values up to this many tenths apart share one table of unshaded colours
// (3 MB); a wider header range is computed cell by cell.
constexpr int64_t kMaxValueTable = 1 << 17;

// Neighbour differences (tenths) whose shade is looked up rather than divided
// out: steep enough for the cliffs of a 50 m grid, small enough for the cache.
constexpr int kShadeReach = 2047;

// Half to even for |x| < 2^51: adding 1.5 x 2^52 leaves no fraction bits, so
// the sum is rounded by the FPU's own rule (nearest, ties to even) and taking
// the constant away again is exact. A plain add and subtract, where
// std::nearbyint is a library call on the x86-64 baseline.
inline double rintSmall(double x) {
  constexpr double kShift = 6755399441055744.0;  // 1.5 x 2^52
  return (x + kShift) - kShift;
}

// Half to even for any value; beyond 2^51 only the library knows the halves.
inline double roundShade(double x) { return std::fabs(x) < 0x1p51 ? rintSmall(x) : roundHalfEven(x); }

// One colour channel: rounded half to even, then 256 or more gives 255 and
// below 0 gives 0. Values beyond -1 and 256 round to the same clamped result,
// so they are cut first to keep the rounding in range; NaN gives 0. On x86 the
// cut and the rounding (the FPU's default mode, ties to even) are single
// instructions without branches: shading drives many pixels to a limit, and
// mispredicted comparisons would cost more than the rest of the pixel.
inline uint32_t channel(double x) {
#if defined(__SSE2__)
  __m128d v = _mm_max_sd(_mm_set_sd(x), _mm_set_sd(-1.0));  // NaN takes the second operand
  v = _mm_min_sd(v, _mm_set_sd(256.0));
  const int r = _mm_cvtsd_si32(v);
#else
  x = x > -1.0 ? x : -1.0;
  x = x < 256.0 ? x : 256.0;
  const int r = static_cast<int>(rintSmall(x));
#endif
  return static_cast<uint32_t>(std::min(std::max(r, 0), 255));
}

inline uint32_t pack(const Quad& q) {
  return 0xFF000000u | (uint32_t(q.red) << 16) | (uint32_t(q.green) << 8) | uint32_t(q.blue);
}

// The interpolated colour of a land value before the shade is added: the
// first ramp entry strictly above the cell ends its segment; the fraction
// along the segment is kept as a single. A segment of zero length (only when
// the value lies outside the header's range) gives the colour of its start.
void baseColour(const ElevationRamp& r, int32_t v, double out[3]) {
  const double metres = v / 10.0;
  const float e = toSingle(metres);
  const int last = r.entries - 1;
  int k = 1;
  while (k < last && !(e < r.elevation[static_cast<size_t>(k)])) ++k;
  const float lo = r.elevation[static_cast<size_t>(k - 1)];
  const float hi = r.elevation[static_cast<size_t>(k)];
  const double span = static_cast<double>(hi) - lo;
  const float f = span != 0.0 ? toSingle((metres - lo) / span) : 0.0f;
  const Quad& q0 = r.bytes[static_cast<size_t>(k - 1)];
  const Quad& q1 = r.bytes[static_cast<size_t>(k)];
  out[0] = static_cast<double>(f) * (int(q1.blue) - int(q0.blue)) + q0.blue;
  out[1] = static_cast<double>(f) * (int(q1.green) - int(q0.green)) + q0.green;
  out[2] = static_cast<double>(f) * (int(q1.red) - int(q0.red)) + q0.red;
}

// The neighbour value of a cell on the edge column or edge row: the opposite
// neighbour when it lies inside the grid, else the cell itself (no relief).
inline int32_t edgeNeighbour(const AltitudeGrid& g, const ElevationRamp& r, int x, int y, int32_t v) {
  const int ox = x - r.dx, oy = y - r.dy;
  return (ox >= 0 && ox < g.columns && oy >= 0 && oy < g.rows) ? g.cell(ox, oy) : v;
}

}  // namespace

ElevationRamp buildElevationRamp(const ColorSet& set, const AltitudeGrid& grid) {
  ElevationRamp r;
  const int n = std::clamp(set.breakpointCount, 0, kMaxBreakpoints);
  r.entries = n + 2;
  r.elevation[0] = toSingle(grid.lowest / 10.0);
  r.colour[0] = set.bottom;
  for (int k = 1; k <= n; ++k) {
    r.elevation[static_cast<size_t>(k)] = set.elevations[static_cast<size_t>(n - k)];
    r.colour[static_cast<size_t>(k)] = set.colours[static_cast<size_t>(n - k)];
  }
  r.elevation[static_cast<size_t>(n + 1)] = toSingle(grid.highest / 10.0);
  r.colour[static_cast<size_t>(n + 1)] = set.top;
  for (int k = 0; k < r.entries; ++k) r.bytes[static_cast<size_t>(k)] = ColorToQuad(r.colour[static_cast<size_t>(k)]);
  r.topBytes = ColorToQuad(set.top);
  r.seaBytes = ColorToQuad(set.sea);
  r.shading = set.shading;
  r.strength = set.strength;
  // A hand-edited direction outside the four is taken as north-west.
  const int dir = (set.lightDirection >= 0 && set.lightDirection <= 3) ? set.lightDirection : 0;
  r.dx = kLight[dir].dx;
  r.dy = kLight[dir].dy;
  r.edgeColumn = r.dx > 0 ? grid.columns - 1 : 0;
  r.edgeRow = r.dy > 0 ? grid.rows - 1 : 0;
  return r;
}

uint64_t ElevationPieces::nextGeneration() {
  static std::atomic<uint64_t> counter{0};
  return ++counter;
}

void ElevationPieces::clear() {
  const int64_t budget = budget_;
  *this = ElevationPieces();
  budget_ = budget;
}

void ElevationPieces::setBudget(int64_t bytes) {
  budget_ = std::max<int64_t>(0, bytes);
  keepWithinBudget(static_cast<size_t>(-1));
}

void ElevationPieces::keepWithinBudget(size_t keep) {
  if (bytes_ <= budget_) return;
  // Down to three quarters of the budget at once, so that a roaming view
  // drops pieces in batches rather than one scan per new piece.
  const int64_t target = budget_ / 4 * 3;
  while (bytes_ > target) {
    auto oldest = kept_.end();
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
      if (it->first == keep) continue;
      if (oldest == kept_.end() || it->second.lastUse < oldest->second.lastUse) oldest = it;
    }
    if (oldest == kept_.end()) return;  // only the piece in hand is kept
    bytes_ -= oldest->second.picture.sizeInBytes() + oldest->second.apron.sizeInBytes();
    kept_.erase(oldest);
  }
}

void ElevationPieces::prepare(const AltitudeGrid* grid, const ColorSet& set, int totalCols, int totalRows) {
  clear();
  if (!grid || grid->empty() || totalCols <= 0 || totalRows <= 0) return;
  grid_ = grid;
  columns_ = grid->columns;
  rows_ = grid->rows;
  ramp_ = buildElevationRamp(set, *grid);
  totalCols_ = totalCols;
  totalRows_ = totalRows;
  pieceWidth_ = grid->columns / totalCols;
  pieceHeight_ = grid->rows / totalRows;
}

bool ElevationPieces::gridUnchanged() const {
  return grid_ && grid_->columns == columns_ && grid_->rows == rows_ &&
         grid_->cells.size() == static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
}

void ElevationPieces::buildTables() {
  tableBuilt_ = true;
  const AltitudeGrid& g = *grid_;
  if (ramp_.shading == 1 && g.reliefDivisor != 0) {
    shadeTable_.resize(2 * kShadeReach + 1);
    for (int d = -kShadeReach; d <= kShadeReach; ++d)
      shadeTable_[static_cast<size_t>(d + kShadeReach)] =
          roundShade(static_cast<double>(d) / g.reliefDivisor * ramp_.strength);
  }
  const int64_t size = static_cast<int64_t>(g.highest) - g.lowest;  // the highest value has its own colour
  if (size <= 0 || size > kMaxValueTable) return;
  tableLowest_ = g.lowest;
  valueTable_.resize(static_cast<size_t>(size));
  for (int64_t i = 0; i < size; ++i)
    baseColour(ramp_, static_cast<int32_t>(g.lowest + i), valueTable_[static_cast<size_t>(i)].channel);
}

bool ElevationPieces::isRendered(int a, int b) const {
  if (a < 0 || b < 0 || a >= totalCols_ || b >= totalRows_) return false;
  return kept_.count(index(a, b)) != 0;
}

const QImage& ElevationPieces::piece(int a, int b) {
  static const QImage kNone;
  if (a < 0 || b < 0 || a >= totalCols_ || b >= totalRows_) return kNone;
  const size_t i = index(a, b);
  auto it = kept_.find(i);
  if (it == kept_.end()) {
    RenderElevationPiece(a, b);
    it = kept_.find(i);
    if (it == kept_.end()) return kNone;
    it->second.lastUse = ++tick_;
    keepWithinBudget(i);
  } else {
    it->second.lastUse = ++tick_;
  }
  return it->second.picture;
}

const QImage& ElevationPieces::apronPiece(int a, int b) {
  static const QImage kNone;
  const QImage& inner = piece(a, b);
  if (inner.isNull()) return kNone;
  QImage& apron = kept_[index(a, b)].apron;
  if (!apron.isNull()) return apron;
  const int pw = pieceWidth_, ph = pieceHeight_;
  QImage image(pw + 2, ph + 2, QImage::Format_RGB32);
  if (image.isNull()) return kNone;
  for (int i = 0; i < ph; ++i)
    std::memcpy(reinterpret_cast<uint32_t*>(image.scanLine(i + 1)) + 1, inner.constScanLine(i),
                static_cast<size_t>(pw) * 4);
  const int x0 = a * pw - 1, y0 = b * ph - 1;
  auto ring = [&](int k, int i) {
    const int x = std::clamp(x0 + k, 0, grid_->columns - 1);
    const int y = std::clamp(y0 + i, 0, grid_->rows - 1);
    reinterpret_cast<uint32_t*>(image.scanLine(i))[k] = cellPixel(x, y);
  };
  for (int k = 0; k < pw + 2; ++k) {
    ring(k, 0);
    ring(k, ph + 1);
  }
  for (int i = 1; i <= ph; ++i) {
    ring(0, i);
    ring(pw + 1, i);
  }
  apron = std::move(image);
  bytes_ += apron.sizeInBytes();
  keepWithinBudget(index(a, b));
  return apron;
}

uint32_t ElevationPieces::cellPixel(int x, int y) const {
  const AltitudeGrid& g = *grid_;
  const ElevationRamp& r = ramp_;
  const int32_t v = g.cell(x, y);
  if (v == kSeaValue) return pack(r.seaBytes);
  if (v == g.highest) return pack(r.topBytes);
  double shade = 0.0;
  if (r.shading == 1 && g.reliefDivisor != 0) {
    int32_t t = (y == r.edgeRow || x == r.edgeColumn) ? edgeNeighbour(g, r, x, y, v) : g.cell(x + r.dx, y + r.dy);
    if (t == kSeaValue) t = 0;
    const int64_t d = static_cast<int64_t>(t) - v;
    shade = (d >= -kShadeReach && d <= kShadeReach && !shadeTable_.empty())
                ? shadeTable_[static_cast<size_t>(d + kShadeReach)]
                : roundShade(static_cast<double>(d) / g.reliefDivisor * r.strength);
  }
  double base[3];
  const uint64_t slot = static_cast<uint64_t>(static_cast<int64_t>(v) - tableLowest_);
  if (slot < valueTable_.size()) {
    for (int c = 0; c < 3; ++c) base[c] = valueTable_[slot].channel[c];
  } else {
    baseColour(r, v, base);
  }
  return 0xFF000000u | (channel(base[2] + shade) << 16) | (channel(base[1] + shade) << 8) | channel(base[0] + shade);
}

QImage ElevationPieces::sampledPicture(int width, int height) {
  if (!available() || width <= 0 || height <= 0 || !gridUnchanged()) return QImage();
  if (!tableBuilt_) buildTables();
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  // The cells the pieces cover: pw x TotalCols across, ph x TotalRows down.
  const double cellsX = static_cast<double>(pieceWidth_) * totalCols_;
  const double cellsY = static_cast<double>(pieceHeight_) * totalRows_;
  for (int j = 0; j < height; ++j) {
    const int y = std::min(static_cast<int>((j + 0.5) * cellsY / height), static_cast<int>(cellsY) - 1);
    auto* line = reinterpret_cast<uint32_t*>(image.scanLine(j));
    for (int i = 0; i < width; ++i) {
      const int x = std::min(static_cast<int>((i + 0.5) * cellsX / width), static_cast<int>(cellsX) - 1);
      line[i] = cellPixel(x, y);
    }
  }
  return image;
}

void ElevationPieces::RenderElevationPiece(int a, int b) {
  if (!available() || a < 0 || b < 0 || a >= totalCols_ || b >= totalRows_) return;
  if (!gridUnchanged()) return;
  if (!tableBuilt_) buildTables();
  const AltitudeGrid& g = *grid_;
  const ElevationRamp& r = ramp_;
  const int pw = pieceWidth_, ph = pieceHeight_;
  QImage image(pw, ph, QImage::Format_RGB32);
  if (image.isNull()) return;

  // A relief divisor of 0 leaves no relief to divide: such a grid is drawn
  // unshaded.
  const bool shadingOn = r.shading == 1 && g.reliefDivisor != 0;
  const double divisor = g.reliefDivisor;
  const double strength = r.strength;
  const double* shadeOf = shadeTable_.empty() ? nullptr : shadeTable_.data() + kShadeReach;
  const uint32_t seaPixel = pack(r.seaBytes);
  const uint32_t topPixel = pack(r.topBytes);
  const int32_t highest = g.highest;
  const BaseColour* table = valueTable_.data();
  const uint64_t tableSize = valueTable_.size();
  const int64_t tableLowest = tableLowest_;
  const size_t stride = static_cast<size_t>(g.columns);
  const int x0 = a * pw;

  for (int i = 0; i < ph; ++i) {
    const int y = b * ph + i;
    auto* out = reinterpret_cast<uint32_t*>(image.scanLine(i));
    const int32_t* row = g.cells.data() + static_cast<size_t>(y) * stride;
    const bool edgeRow = y == r.edgeRow;
    // The neighbour towards the light's far side, for cells off the edges.
    const int32_t* ahead = edgeRow ? row : row + static_cast<ptrdiff_t>(r.dy) * static_cast<ptrdiff_t>(stride) + r.dx;
    for (int k = 0; k < pw; ++k) {
      const int x = x0 + k;
      const int32_t v = row[x];
      if (v == kSeaValue) {
        out[k] = seaPixel;
        continue;
      }
      if (v == highest) {
        out[k] = topPixel;
        continue;
      }
      double shade = 0.0;
      if (shadingOn) {
        int32_t t = (edgeRow || x == r.edgeColumn) ? edgeNeighbour(g, r, x, y, v) : ahead[x];
        if (t == kSeaValue) t = 0;
        const int64_t d = static_cast<int64_t>(t) - v;
        shade = (d >= -kShadeReach && d <= kShadeReach) ? shadeOf[d]
                                                        : roundShade(static_cast<double>(d) / divisor * strength);
      }
      const uint64_t slot = static_cast<uint64_t>(static_cast<int64_t>(v) - tableLowest);
      double base[3];
      if (slot < tableSize) {
        const BaseColour& c = table[slot];
        base[0] = c.channel[0];
        base[1] = c.channel[1];
        base[2] = c.channel[2];
      } else {
        baseColour(r, v, base);
      }
      out[k] =
          0xFF000000u | (channel(base[2] + shade) << 16) | (channel(base[1] + shade) << 8) | channel(base[0] + shade);
    }
  }
  Kept& kept = kept_[index(a, b)];
  bytes_ -= kept.picture.sizeInBytes() + kept.apron.sizeInBytes();
  kept.apron = QImage();
  kept.picture = std::move(image);
  bytes_ += kept.picture.sizeInBytes();
}

}  // namespace kavalo
