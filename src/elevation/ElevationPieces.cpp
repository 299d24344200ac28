#include "elevation/ElevationPieces.h"

#include <algorithm>
#include <cmath>

#include "platform/Numbers.h"

namespace kavalo {

namespace {

struct LightDirection {
  int dx, dy;
  bool edgeAtEnd;  // edge column/row is the last one (else the first)
};

// The neighbour compared lies towards the light's opposite side.
constexpr LightDirection kColumnLight[4] = {{+1, +1, true}, {-1, +1, false}, {+1, -1, true}, {-1, -1, false}};

// Half to even and clamped into a colour byte; a value that is not a number
// (an extrapolation over a zero-length segment) gives 0.
inline uint8_t toByte(double v) {
  v = roundHalfEven(v);
  if (!(v >= 0.0)) return 0;
  if (v >= 256.0) return 255;
  return static_cast<uint8_t>(v);
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
  const int dir = (set.lightDirection >= 0 && set.lightDirection <= 3) ? set.lightDirection : 0;
  const LightDirection& d = kColumnLight[dir];
  r.dx = d.dx;
  r.dy = d.dy;
  r.edgeColumn = (d.dx > 0) ? grid.columns - 1 : 0;
  r.edgeRow = (d.dy > 0) ? grid.rows - 1 : 0;
  return r;
}

void ElevationPieces::clear() {
  grid_ = nullptr;
  ramp_ = ElevationRamp();
  totalCols_ = totalRows_ = pieceWidth_ = pieceHeight_ = 0;
  pictures_.clear();
  rendered_.clear();
}

void ElevationPieces::prepare(const AltitudeGrid* grid, const ColorSet& set, int totalCols, int totalRows) {
  clear();
  if (!grid || grid->empty() || totalCols <= 0 || totalRows <= 0) return;
  grid_ = grid;
  ramp_ = buildElevationRamp(set, *grid);
  totalCols_ = totalCols;
  totalRows_ = totalRows;
  pieceWidth_ = grid->columns / totalCols;
  pieceHeight_ = grid->rows / totalRows;
  const size_t count = static_cast<size_t>(totalCols) * static_cast<size_t>(totalRows);
  pictures_.assign(count, QImage());
  rendered_.assign(count, 0);
}

bool ElevationPieces::isRendered(int a, int b) const {
  if (a < 0 || b < 0 || a >= totalCols_ || b >= totalRows_) return false;
  return rendered_[index(a, b)] != 0;
}

const QImage& ElevationPieces::piece(int a, int b) {
  if (!isRendered(a, b)) RenderElevationPiece(a, b);
  static const QImage kNone;
  if (a < 0 || b < 0 || a >= totalCols_ || b >= totalRows_) return kNone;
  return pictures_[index(a, b)];
}

void ElevationPieces::RenderElevationPiece(int a, int b) {
  if (!available() || a < 0 || b < 0 || a >= totalCols_ || b >= totalRows_) return;
  const AltitudeGrid& g = *grid_;
  const ElevationRamp& r = ramp_;
  const int pw = pieceWidth_, ph = pieceHeight_;
  QImage image(pw, ph, QImage::Format_RGB32);
  // A relief divisor of 0 would divide by zero: such a grid is drawn unshaded.
  const bool shadingOn = r.shading == 1 && g.reliefDivisor != 0;
  const int last = r.entries - 1;
  for (int i = 0; i < ph; ++i) {
    const int y = b * ph + i;
    auto* out = reinterpret_cast<uint32_t*>(image.scanLine(i));
    const int32_t* row = g.cells.data() + static_cast<size_t>(y) * static_cast<size_t>(g.columns);
    for (int k = 0; k < pw; ++k) {
      const int x = a * pw + k;
      const int32_t v = row[x];
      if (v == kSeaValue) {
        out[k] = 0xFF000000u | (uint32_t(r.seaBytes.red) << 16) | (uint32_t(r.seaBytes.green) << 8) | r.seaBytes.blue;
        continue;
      }
      if (v == g.highest) {
        out[k] = 0xFF000000u | (uint32_t(r.topBytes.red) << 16) | (uint32_t(r.topBytes.green) << 8) | r.topBytes.blue;
        continue;
      }
      double shade = 0.0;
      if (shadingOn) {
        int32_t t;
        if (x == r.edgeColumn || y == r.edgeRow) {
          const int ox = x - r.dx, oy = y - r.dy;
          t = (ox >= 0 && ox < g.columns && oy >= 0 && oy < g.rows) ? g.cell(ox, oy) : v;
        } else {
          t = g.cell(x + r.dx, y + r.dy);
        }
        if (t == kSeaValue) t = 0;
        // The product is formed in double precision, then rounded half to even.
        shade = roundHalfEven((static_cast<double>(t) - v) / g.reliefDivisor * r.strength);
      }
      const float e = toSingle(v / 10.0);
      int s = 1;
      while (s < last && !(e < r.elevation[static_cast<size_t>(s)])) ++s;
      const float lo = r.elevation[static_cast<size_t>(s - 1)];
      const float hi = r.elevation[static_cast<size_t>(s)];
      const float f = toSingle((v / 10.0 - lo) / (static_cast<double>(hi) - lo));
      const Quad& q0 = r.bytes[static_cast<size_t>(s - 1)];
      const Quad& q1 = r.bytes[static_cast<size_t>(s)];
      const uint8_t blue = toByte(static_cast<double>(f) * (int(q1.blue) - int(q0.blue)) + q0.blue + shade);
      const uint8_t green = toByte(static_cast<double>(f) * (int(q1.green) - int(q0.green)) + q0.green + shade);
      const uint8_t red = toByte(static_cast<double>(f) * (int(q1.red) - int(q0.red)) + q0.red + shade);
      out[k] = 0xFF000000u | (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue;
    }
  }
  pictures_[index(a, b)] = std::move(image);
  rendered_[index(a, b)] = 1;
}

}  // namespace kavalo
