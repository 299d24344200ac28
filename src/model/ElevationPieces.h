// SPDX-License-Identifier: MIT
#pragma once
// The elevation picture cut into one piece per map tile. Each piece is
// pw x ph pixels, one pixel per grid cell (pw = C div TotalCols, ph = R div
// TotalRows), and is rendered from the grid the first time it is needed; it
// stays valid until the next preparation (new grid or new colours). The
// pieces kept are bounded by a budget: past it the pieces used least lately
// (those far from where the user looks) are dropped and rendered again when
// they are needed, so that roaming a large region never keeps its whole
// elevation picture.
#include <QImage>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"

namespace kavalo {

// The selected colour set prepared for one grid: ascending elevations with
// the colours split into bytes, and the light direction's neighbour.
struct ElevationRamp {
  int entries = 0;                                     // n + 2
  std::array<float, kMaxBreakpoints + 2> elevation{};  // metres
  std::array<Colour, kMaxBreakpoints + 2> colour{};
  std::array<Quad, kMaxBreakpoints + 2> bytes{};
  Quad topBytes;
  Quad seaBytes;
  int32_t shading = 0;
  int32_t strength = 0;
  int dx = 1;
  int dy = 1;
  int edgeColumn = 0;
  int edgeRow = 0;
};

ElevationRamp buildElevationRamp(const ColorSet& set, const AltitudeGrid& grid);

class ElevationPieces {
 public:
  static constexpr int64_t kDefaultBudget = int64_t{32} * 1024 * 1024;

  // Builds the ramp from the set and the grid, sizes the pieces for the tile
  // grid and marks every piece unrendered. The grid is read when pieces are
  // rendered and must stay in place until the next prepare or clear.
  void prepare(const AltitudeGrid* grid, const ColorSet& set, int totalCols, int totalRows);
  // No grid: nothing to draw.
  void clear();

  // True when a grid is loaded and the pieces have at least one pixel.
  bool available() const { return grid_ != nullptr && pieceWidth_ > 0 && pieceHeight_ > 0; }
  int pieceWidth() const { return pieceWidth_; }
  int pieceHeight() const { return pieceHeight_; }
  int totalCols() const { return totalCols_; }
  int totalRows() const { return totalRows_; }
  const ElevationRamp& ramp() const { return ramp_; }
  // Differs for every preparation made in the process (and for every clear):
  // pictures derived from the pieces are kept under it, and a new grid or new
  // colours never meet what was kept for the old ones.
  uint64_t generation() const { return generation_; }

  bool isRendered(int a, int b) const;
  // Computes piece (a, b) into its picture and marks it rendered.
  void RenderElevationPiece(int a, int b);
  // The picture of piece (a, b), rendered first when needed; a null image
  // outside the tile grid or without a grid.
  const QImage& piece(int a, int b);
  // The picture of piece (a, b) with a one-pixel apron of its neighbours'
  // cells around it ((pw + 2) x (ph + 2); beyond the grid's edge the edge
  // cells repeat), so that a stretch interpolates across the piece's border
  // as it does inside the piece. The piece itself is at (1, 1).
  const QImage& apronPiece(int a, int b);
  // A reference handed out by piece() or apronPiece() stays valid until the
  // next call of either (which may drop it).

  // A small picture of the whole elevation picture, width x height: each
  // pixel the colour of the grid cell under its centre, as a piece shows
  // it. No piece is rendered or dropped for it (the map's corner overview,
  // rebuilt whenever the region changes, must not churn the pieces the view
  // needs). A null image without a grid.
  QImage sampledPicture(int width, int height);

  // Bytes of the pieces and aprons kept, and their bound (kept through
  // preparations).
  int64_t bytes() const { return bytes_; }
  int64_t budget() const { return budget_; }
  void setBudget(int64_t bytes);

 private:
  size_t index(int a, int b) const {
    return static_cast<size_t>(a) + static_cast<size_t>(b) * static_cast<size_t>(totalCols_);
  }
  bool gridUnchanged() const;
  void buildTables();
  // The colour of one cell, computed as the rendering loop computes it.
  uint32_t cellPixel(int x, int y) const;

  static uint64_t nextGeneration();
  // Drops the pieces used least lately (never keep) while the kept bytes
  // exceed the budget.
  void keepWithinBudget(size_t keep);

  uint64_t generation_ = nextGeneration();
  const AltitudeGrid* grid_ = nullptr;
  // The grid's shape when prepared: a grid replaced behind our back is never
  // read with the old shape.
  int32_t columns_ = 0;
  int32_t rows_ = 0;
  ElevationRamp ramp_;
  int totalCols_ = 0;
  int totalRows_ = 0;
  int pieceWidth_ = 0;
  int pieceHeight_ = 0;
  // The rendered pieces by their index: only those, never one entry per
  // position of the grid (a region may have a million).
  struct Kept {
    QImage picture;
    QImage apron;  // null until asked for
    uint64_t lastUse = 0;
  };
  std::unordered_map<size_t, Kept> kept_;
  uint64_t tick_ = 0;
  int64_t bytes_ = 0;
  int64_t budget_ = kDefaultBudget;

  // The unshaded colour of every land value from lowest to highest - 1, as
  // the interpolation forms it before the shade is added (blue, green, red).
  // Built on the first render; values outside it are computed one by one.
  struct BaseColour {
    double channel[3];
  };
  std::vector<BaseColour> valueTable_;
  int32_t tableLowest_ = 0;
  // The rounded shade of every neighbour difference up to kShadeReach tenths
  // either way; larger differences are computed one by one.
  std::vector<double> shadeTable_;
  bool tableBuilt_ = false;
};

}  // namespace kavalo
