// SPDX-License-Identifier: MIT
#include "render/ViewComposer.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "elevation/SheetLines.h"
#include "geo/TileGeometry.h"
#include "model/ProgramState.h"
#include "platform/Numbers.h"
#include "render/Annotations.h"
#include "render/ComposeContext.h"
#include "render/MarkDrawing.h"
#include "render/OverlayDrawing.h"
#include "render/RasterOps.h"
#include "render/SheetLineDrawing.h"
#include "render/TileCache.h"
#include "render/TileDecodeQueue.h"
#include "render/TilePrefetcher.h"
#include "render/TileSource.h"
#include "render/Tiles.h"

namespace kavalo {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

// A cut that leaves a few view pixels of a small source can round the source
// to nothing, which would leave a gap in the map along the view's edge; the
// edge pixel of the source is stretched over them instead.
ClippedTile clipTile(int x, int y, int w, int h, int sw, int sh, int viewWidth, int viewHeight) {
  ClippedTile c = ClipTileRect(x, y, w, h, sw, sh, viewWidth, viewHeight);
  if (c.dest.width() > 0 && c.source.width() <= 0 && sw > 0)
    c.source = QRect(std::min(c.source.x(), sw - 1), c.source.y(), 1, c.source.height());
  if (c.dest.height() > 0 && c.source.height() <= 0 && sh > 0)
    c.source = QRect(c.source.x(), std::min(c.source.y(), sh - 1), c.source.width(), 1);
  return c;
}

// One run of the composition. On the screen the map's positions are the
// picture's pixels (the map viewport is in target pixels); in the print pass
// each view position x becomes round(k x + ox) on the page and each size s
// becomes round(k s).
class Composer {
 public:
  Composer(const ProgramState& session, const ViewRequest& request, QImage& picture, TileSource* tiles,
           QImage* beforeOverlays, const QRect& rows = QRect())
      : st_(session),
        req_(request),
        print_(request.scaled()),
        view_(request.mapViewport(session.mapInfo)),
        target_(&picture),
        tiles_(tiles ? tiles : &diskTileSource()),
        beforeOverlays_(beforeOverlays),
        rows_(rows) {}

  bool run();
  // The files of the era's grid the composition would draw, each with its
  // rectangle on the picture; false when there is nothing to compose or the
  // era is drawn by sheets.
  bool placeFiles(std::vector<PlacedFile>& out);

 private:
  QRect pageRect(int x, int y, int w, int h) const {
    return QRect(ctx_.targetX(x), ctx_.targetY(y), ctx_.targetSize(w), ctx_.targetSize(h));
  }
  // A picture (null: the blank white picture) over a destination rectangle.
  void blit(const QImage& picture, const QRect& dest, const QRect& source, RasterOp rop) {
    if (picture.isNull())
      fillRect(*target_, dest, kWhite, rop, clip_);
    else
      stretchBlt(*target_, dest, picture, source, rop, clip_);
  }

  const Era& era() const { return st_.eras[static_cast<size_t>(req_.eraIndex)]; }
  bool backgroundShown() const { return req_.layers.altitude && era().tileStyle != kPhoto && st_.pieces.available(); }
  // Pictures the composition stretches are kept for the next one at the same
  // zoom, unless the picture is written out once (export, print): keeping
  // costs a copy, and for the pieces along the view's edge a stretch of their
  // parts outside the view.
  bool keepStretched() const {
    return req_.pass == RenderPass::Screen || req_.pass == RenderPass::Drag || req_.pass == RenderPass::ComparePane;
  }
  // The stretched parts of the tiles the view's edge cuts are kept for the
  // next composition at the same place (an era step); a view that moves at
  // every composition (a comparison being dragged) would only crowd the
  // decoded tiles out of the cache with them.
  bool keepCutTiles() const { return keepStretched() && !req_.moving; }
  // Sets up the composition's geometry, and its picture when it is to be
  // drawn; false when there is nothing to compose.
  bool prepare(bool drawing);
  TileAsk ask() const { return TileAsk{tiles_, req_.tiles, req_.viewId}; }
  // Calls draw(col, row, dest, source) for each grid position of a range that
  // has something to draw: the page rectangle (source empty) in the print
  // pass, the rectangles cut to the view on the screen.
  template <typename Draw>
  void forEachPosition(const TileRange& r, int sw, int sh, Draw draw) const {
    for (int row = r.firstRow; row <= r.lastRow; ++row) forEachPosition(r, sw, sh, row, draw);
  }
  template <typename Draw>
  void forEachPosition(const TileRange& r, int sw, int sh, int row, Draw draw) const;
  // Calls place(tile, placement) for each position of the era's grid that
  // has a sheet, in drawing order.
  template <typename Place>
  void forEachPlacement(Place place) const;
  QRegion plannedCover() const;
  void drawBackground();
  // Copies piece (col, row) stretched over its whole place from the tile
  // cache, stretching and keeping it first when needed; false when it is not
  // to be kept (no cache, or a piece far larger than any view at a deep zoom).
  bool copyKeptPiece(int col, int row, const QRect& whole, const QRegion& area);
  // Asks for the files of the tiles to draw and starts decoding them, so that
  // the decoding runs while the background is drawn.
  void planTiles();
  // During a drag: the tiles of the strips whose pictures the cache holds;
  // the others are asked for in the background and the strips keep their
  // background until then.
  void planDragTiles();
  void drawTiles();
  void drawTilePictures(const GridPictures& pictures, int tileStyle, const QRect& dest, const QRect& source);
  void drawSheetImages();
  void drawSheetLines();
  void takeSnapshot();
  void drawOverlays();

  const ProgramState& st_;
  const ViewRequest& req_;
  const bool print_;
  const Viewport view_;
  ComposeContext ctx_;
  QImage* target_ = nullptr;
  TileSource* tiles_;
  QImage* beforeOverlays_;
  // Rows of an export composition drawn into the picture as it stands (the
  // rest is left alone); null: the whole composition.
  QRect rows_;
  QRegion clip_;
  QRect area_;  // the whole drawing area: the view, or its rectangle on the page
  bool full_ = true;
  int tw_ = 0;
  int th_ = 0;

  // Where each planned tile goes, and its pictures being decoded.
  struct Placement {
    QRect dest;
    QRect source;  // empty in the print pass: the whole picture
    int style;
    bool borrowed;
  };
  std::vector<Placement> placements_;
  std::unique_ptr<TileDecodeQueue> decoding_;
  std::vector<GridPictures> ready_;     // the drag's pictures, taken from the cache
  std::vector<GridFiles> placedFiles_;  // the files of each placement
  // Pictures stretched to a whole tile's size in the view, from the cache.
  void useScaledPictures(const GridFiles& files, GridPictures& pictures, const QRect& dest, QRect& source) const;
};

bool Composer::prepare(bool drawing) {
  if (!st_.view.loaded || req_.eraIndex < 0 || req_.eraIndex >= static_cast<int>(st_.eras.size())) return false;
  if (req_.viewSize.width() <= 0 || req_.viewSize.height() <= 0) return false;
  if (st_.mapInfo.tileWidth <= 0 || st_.mapInfo.tileHeight <= 0) return false;
  ctx_ = makeComposeContext(st_, req_);

  if (print_) {
    // The print pass always draws everything, onto the page rectangle of the
    // view at scale k; what lies beyond it on the page is left alone.
    if (!drawing || target_->isNull()) return false;
    if (target_->format() != QImage::Format_RGB32) *target_ = target_->convertToFormat(QImage::Format_RGB32);
    const TargetMapping& p = ctx_.print;
    const int w = req_.viewSize.width(), h = req_.viewSize.height();
    area_ = QRect(QPoint(roundToInt(p.ox), roundToInt(p.oy)),
                  QPoint(roundToInt(p.ox + w * p.k) - 1, roundToInt(p.oy + h * p.k) - 1));
    clip_ = QRegion(area_.intersected(target_->rect()));
    full_ = true;
  } else {
    const QSize size = req_.targetSize();
    full_ = req_.pass != RenderPass::Drag;
    if (!drawing) {
      if (size.isEmpty()) return false;
    } else if (!rows_.isNull()) {
      // The rows go into the picture the earlier rows were composed into:
      // it is never made anew.
      if (req_.pass != RenderPass::Export || target_->size() != size || target_->format() != QImage::Format_RGB32)
        return false;
    } else if (full_ && (target_->size() != size || target_->format() != QImage::Format_RGB32)) {
      *target_ = QImage(size, QImage::Format_RGB32);
    }
    if (drawing && (target_->isNull() || target_->size() != size)) return false;
    if (drawing && target_->format() != QImage::Format_RGB32) *target_ = target_->convertToFormat(QImage::Format_RGB32);
    area_ = QRect(QPoint(0, 0), size);
    clip_ = BuildViewClipRegion(req_);
    if (!rows_.isNull()) clip_ &= rows_;
  }
  if (drawing) setTargetResolution(*target_, st_, req_.devicePixelRatio);
  if (clip_.isEmpty()) return false;
  tw_ = tileViewWidth(view_);
  th_ = tileViewHeight(view_);
  return true;
}

bool Composer::run() {
  if (!prepare(true)) return false;

  const bool tiles = req_.layers.tiles && full_;
  const bool dragTiles = req_.layers.tiles && !full_ && !print_;
  tiles_->beginView(req_.viewId);
  if (tiles) planTiles();
  if (dragTiles) planDragTiles();
  tiles_->endView(req_.viewId);
  // The drawing area starts white: a fresh page is white paper, the picture
  // is cleared for a full redraw, and the strips of a drag are cleared too,
  // so that what lies outside the grid shows white and not what the picture
  // held before. What the elevation pieces or copied tiles will cover anyway
  // is left out.
  fillRect(*target_, area_, kWhite, RasterOp::Copy, clip_.subtracted(plannedCover()));

  drawBackground();
  if (tiles || (dragTiles && !placements_.empty())) drawTiles();
  if (req_.layers.sheetLines) drawSheetLines();
  if (full_) {
    if (!print_ && beforeOverlays_) takeSnapshot();
    drawOverlays();
  }
  return true;
}

template <typename Draw>
void Composer::forEachPosition(const TileRange& r, int sw, int sh, int row, Draw draw) const {
  const MapInfo& m = st_.mapInfo;
  if (row < 0 || row >= m.totalRows) return;
  for (int col = r.firstCol; col <= r.lastCol; ++col) {
    if (col < 0 || col >= m.totalCols) continue;
    const int x = tileViewX(view_, r, col);
    const int y = tileViewY(view_, r, row);
    if (print_) {
      draw(col, row, pageRect(x, y, tw_, th_), QRect());
    } else {
      const ClippedTile c = clipTile(x, y, tw_, th_, sw, sh, area_.width(), area_.height());
      if (c.drawable()) draw(col, row, c.dest, c.source);
    }
  }
}

QRegion Composer::plannedCover() const {
  QRegion cover;
  if (backgroundShown()) {
    forEachPosition(VisibleTileRange(view_, 0, 0), st_.pieces.pieceWidth(), st_.pieces.pieceHeight(),
                    [&](int, int, const QRect& dest, const QRect&) { cover += dest; });
  } else if (!print_ && full_ && req_.layers.tiles && !req_.layers.altitude && !era().bySheetIndex) {
    // Tiles are copied (a masked map's rectangle is whitened first), blank
    // ones as white; only positions without any sheet keep the clear.
    const MapInfo& m = st_.mapInfo;
    const FrameOffset frame = m.frame[std::clamp(era().frameType, 0, 2)];
    forEachPosition(VisibleTileRange(view_, frame.x, frame.y), m.tileWidth, m.tileHeight,
                    [&](int col, int row, const QRect& dest, const QRect&) {
                      if (ResolveTile(st_, req_.eraIndex, col, row)) cover += dest;
                    });
  }
  return cover;
}

void Composer::drawBackground() {
  if (!backgroundShown()) return;        // the cleared picture is already white
  ElevationPieces& pieces = st_.pieces;  // a cache: pieces are rendered on first use
  const int pw = pieces.pieceWidth(), ph = pieces.pieceHeight();
  const TileRange r = VisibleTileRange(view_, 0, 0);
  forEachPosition(r, pw, ph, [&](int col, int row, const QRect& dest, const QRect&) {
    // A piece is rendered the first time it meets the drawing area.
    if (!clip_.intersects(dest)) return;
    // The whole piece is stretched over its whole place, of which only the
    // part in the view is drawn; its apron of neighbouring cells lets the
    // relief run on across the border instead of holding the edge cells.
    const QRect whole = print_ ? dest : QRect(tileViewX(view_, r, col), tileViewY(view_, r, row), tw_, th_);
    const QRegion area = clip_.intersected(dest);
    if (!print_ && keepStretched() && copyKeptPiece(col, row, whole, area)) return;
    const QImage& apron = pieces.apronPiece(col, row);
    if (apron.isNull()) return;
    stretchBltWithApron(*target_, whole, apron, QRect(1, 1, pw, ph), RasterOp::Copy, area);
  });
}

bool Composer::copyKeptPiece(int col, int row, const QRect& whole, const QRegion& area) {
  // A stretch depends only on the sizes, not on where it lands, so the piece
  // stretched once into a picture of its own and copied gives the pixels
  // stretching it into the view gives.
  constexpr int64_t kLargestKept = int64_t{16} * 1024 * 1024;
  TileCache& cache = TileCache::shared();
  const int64_t bytes = int64_t{whole.width()} * whole.height() * 4;
  if (whole.isEmpty() || bytes > kLargestKept || bytes > cache.budget() / 8) return false;
  ElevationPieces& pieces = st_.pieces;
  const QString key = QStringLiteral("elevation %1 %2,%3 %4x%5")
                          .arg(pieces.generation())
                          .arg(col)
                          .arg(row)
                          .arg(whole.width())
                          .arg(whole.height());
  const QImage kept = cache.derived(key, [&] {
    const QImage& apron = pieces.apronPiece(col, row);
    if (apron.isNull()) return QImage();
    QImage stretched(whole.size(), QImage::Format_RGB32);
    if (stretched.isNull()) return QImage();
    stretchBltWithApron(stretched, stretched.rect(), apron, QRect(1, 1, pieces.pieceWidth(), pieces.pieceHeight()),
                        RasterOp::Copy, QRegion(stretched.rect()));
    return stretched;
  });
  if (kept.isNull()) return false;
  copyImage(*target_, whole.topLeft(), kept, area);
  return true;
}

void Composer::drawTilePictures(const GridPictures& pictures, int tileStyle, const QRect& dest, const QRect& source) {
  const bool altitude = req_.layers.altitude;
  if (tileStyle == kMaskedMap) {
    if (!altitude && !print_) fillRect(*target_, dest, kWhite, RasterOp::Copy, clip_);
    if (!pictures.mask.isNull() && !pictures.tile.isNull() && pictures.mask.size() == pictures.tile.size()) {
      // Stretched, the mask and the tile hold in-between values along the
      // map's lines, where AND and OR would make false colours: the tile is
      // laid over the background by the mask's coverage instead.
      stretchMaskedBlt(*target_, dest, pictures.tile, pictures.mask, print_ ? pictures.tile.rect() : source, clip_);
    } else {
      // A missing picture is blank white: AND with it keeps the background,
      // OR with it whitens the rectangle.
      blit(pictures.mask, dest, print_ ? pictures.mask.rect() : source, RasterOp::And);
      blit(pictures.tile, dest, print_ ? pictures.tile.rect() : source, RasterOp::Paint);
    }
  } else {
    // Photos lie on white (they get no elevation colours), where the AND would
    // copy them unchanged but for the one-pixel overlap of neighbouring
    // tiles: there two photos ANDed give a seam of false colours. Copying
    // gives the same picture without the seam.
    const bool and_ = altitude && tileStyle != kPhoto;
    blit(pictures.tile, dest, print_ ? pictures.tile.rect() : source, and_ ? RasterOp::And : RasterOp::Copy);
  }
}

template <typename Place>
void Composer::forEachPlacement(Place place) const {
  const MapInfo& m = st_.mapInfo;
  const FrameOffset frame = m.frame[std::clamp(era().frameType, 0, 2)];
  const TileRange r = VisibleTileRange(view_, frame.x, frame.y);
  for (int row = r.firstRow; row <= r.lastRow; ++row) {
    if (row < 0 || row >= m.totalRows) continue;
    for (int col = r.firstCol; col <= r.lastCol; ++col) {
      if (col < 0 || col >= m.totalCols) continue;
      const int x = tileViewX(view_, r, col);
      const int y = tileViewY(view_, r, row);
      const std::optional<ResolvedTile> tile = ResolveTile(st_, req_.eraIndex, col, row);
      if (!tile) continue;  // no sheet here: the background stays
      Placement p;
      p.style = st_.eras[static_cast<size_t>(tile->sourceEra)].tileStyle;
      p.borrowed = tile->borrowed;
      if (print_) {
        p.dest = pageRect(x, y, tw_, th_);
      } else {
        const ClippedTile c = clipTile(x, y, tw_, th_, m.tileWidth, m.tileHeight, area_.width(), area_.height());
        if (!c.drawable()) continue;
        p.dest = c.dest;
        p.source = c.source;
      }
      place(*tile, p);
    }
  }
}

void Composer::planTiles() {
  if (era().bySheetIndex) return;
  // Every position in drawing order: its file is asked for here; the
  // decoding then runs on the other processors while the tiles are drawn one
  // after the other on this thread.
  std::vector<GridFiles> files;
  bool first = true;
  forEachPlacement([&](const ResolvedTile& tile, const Placement& place) {
    // Rows being composed ask only for their own files, and for the first
    // file of the view, which dates an era dated by its tiles.
    const bool outside = !rows_.isNull() && !clip_.intersects(place.dest);
    if (outside && !first) return;
    first = false;
    GridFiles f = FetchGridPosition(st_, req_.eraIndex, tile, ask());
    if (outside) return;
    files.push_back(std::move(f));
    placements_.push_back(place);
    placedFiles_.push_back(files.back());
  });
  decoding_ = std::make_unique<TileDecodeQueue>(std::move(files));
}

bool Composer::placeFiles(std::vector<PlacedFile>& out) {
  if (!prepare(false) || era().bySheetIndex || !req_.layers.tiles || !full_) return false;
  forEachPlacement([&](const ResolvedTile& tile, const Placement& place) {
    out.push_back(PlacedFile{TilePath(st_, tile.sourceEra, tile.fileName), place.dest});
    if (place.style == kMaskedMap)
      out.push_back(PlacedFile{TilePath(st_, tile.sourceEra, QStringLiteral("M_") + tile.fileName), place.dest});
  });
  return true;
}

void Composer::planDragTiles() {
  if (era().bySheetIndex) return;
  const int eraIndex = req_.eraIndex;
  const MapInfo& m = st_.mapInfo;
  const FrameOffset frame = m.frame[std::clamp(era().frameType, 0, 2)];
  const bool online = req_.tiles == TilePolicy::DiskAndNetwork;
  const TileRange r = VisibleTileRange(view_, frame.x, frame.y);
  TileCache& cache = TileCache::shared();
  std::vector<std::pair<QString, QString>> missing;
  for (int row = std::max(0, r.firstRow); row <= std::min(r.lastRow, m.totalRows - 1); ++row) {
    for (int col = std::max(0, r.firstCol); col <= std::min(r.lastCol, m.totalCols - 1); ++col) {
      const ClippedTile c = clipTile(tileViewX(view_, r, col), tileViewY(view_, r, row), tw_, th_, m.tileWidth,
                                     m.tileHeight, area_.width(), area_.height());
      if (!c.drawable() || !clip_.intersects(c.dest)) continue;
      const std::optional<ResolvedTile> tile = ResolveTile(st_, eraIndex, col, row);
      if (!tile) continue;
      const Era& source = st_.eras[static_cast<size_t>(tile->sourceEra)];
      GridPictures pictures;
      const QString tilePath = TilePath(st_, tile->sourceEra, tile->fileName);
      // A picture not at hand is decoded in the background; online, a file
      // not on disk is asked for first.
      auto want = [&](const QString& fileName, const QString& path) {
        if (!online || tiles_->ensure(st_, tile->sourceEra, fileName, req_.tiles, req_.viewId))
          missing.emplace_back(path, source.ext);
      };
      pictures.tile = cache.peek(tilePath);
      if (pictures.tile.isNull()) want(tile->fileName, tilePath);
      bool complete = !pictures.tile.isNull();
      if (source.tileStyle == kMaskedMap) {
        const QString maskPath = TilePath(st_, tile->sourceEra, QStringLiteral("M_") + tile->fileName);
        pictures.mask = cache.peek(maskPath);
        if (pictures.mask.isNull()) want(QStringLiteral("M_") + tile->fileName, maskPath);
        complete = complete && !pictures.mask.isNull();
      }
      if (!complete) continue;
      placements_.push_back(Placement{c.dest, c.source, source.tileStyle, tile->borrowed});
      ready_.push_back(std::move(pictures));
      placedFiles_.push_back(GridFiles{tilePath,
                                       source.tileStyle == kMaskedMap
                                           ? TilePath(st_, tile->sourceEra, QStringLiteral("M_") + tile->fileName)
                                           : QString(),
                                       source.ext});
    }
  }
  if (!missing.empty() && cache.budget() > 0) TilePrefetcher::shared().request(missing);
}

void Composer::drawTiles() {
  if (era().bySheetIndex) {
    drawSheetImages();
    return;
  }
  for (size_t i = 0; i < placements_.size(); ++i) {
    const Placement& place = placements_[i];
    GridPictures pictures = decoding_ ? decoding_->take(i) : std::move(ready_[i]);
    QRect source = place.source;
    if (!print_) useScaledPictures(placedFiles_[i], pictures, place.dest, source);
    drawTilePictures(pictures, place.style, place.dest, source);
    if (place.borrowed) veilRect(*target_, place.dest, clip_);
  }
  decoding_.reset();
}

void Composer::useScaledPictures(const GridFiles& files, GridPictures& pictures, const QRect& dest,
                                 QRect& source) const {
  // A tile, or the part of it in the view, stretched to another size is
  // stretched once and kept; it is then copied one to one, which gives the
  // pixels the stretch gives (an unscaled rectangle is copied unchanged), so
  // stepping back to an era at the same place stretches nothing.
  TileCache& cache = TileCache::shared();
  const int64_t bytes = int64_t{dest.width()} * dest.height() * 4;
  if (!keepStretched() || dest.isEmpty() || dest.size() == source.size() || bytes > cache.budget() / 8) return;
  const bool tile = !pictures.tile.isNull(), mask = !pictures.mask.isNull();
  const QRect whole(0, 0, st_.mapInfo.tileWidth, st_.mapInfo.tileHeight);
  if ((tile && pictures.tile.size() != whole.size()) || (mask && pictures.mask.size() != whole.size())) return;
  // A drag cuts the tiles at the view's edge anew at every step.
  if ((!full_ || !keepCutTiles()) && source != whole) return;
  if ((tile && files.tilePath.isEmpty()) || (mask && files.maskPath.isEmpty())) return;
  auto scaled = [&](const QString& path, const QImage& picture) {
    return cache.scaled(path, source, dest.size(), [&] {
      QImage s(dest.size(), QImage::Format_RGB32);
      if (!s.isNull()) stretchBlt(s, s.rect(), picture, source, RasterOp::Copy, QRegion(s.rect()));
      return s;
    });
  };
  if (tile) pictures.tile = scaled(files.tilePath, pictures.tile);
  if (mask) pictures.mask = scaled(files.maskPath, pictures.mask);
  source = QRect(QPoint(0, 0), dest.size());
}

void Composer::drawSheetImages() {
  const int eraIndex = req_.eraIndex;
  const Era& era = this->era();
  const int datum = era.frameType == kWorldFrame ? 1 : 0;
  const GeoBox viewBox = view_.Get_ViewGeoBox(datum);
  QImage picture;
  for (const SheetImage& sheet : era.sheets) {
    if (BoxRelation(sheet.box, viewBox) == -1) continue;
    picture = QImage();
    if (tiles_->ensure(st_, eraIndex, sheet.fileName, req_.tiles, req_.viewId))
      LoadTileImage(TilePath(st_, eraIndex, sheet.fileName), era.ext, picture);
    const ImagePoint nw = LatLonToImage(st_.mapInfo, sheet.box.north, sheet.box.west, datum);
    const ImagePoint se = LatLonToImage(st_.mapInfo, sheet.box.south, sheet.box.east, datum);
    const QPoint a = view_.ImageToScreen(roundToInt(nw.x), roundToInt(nw.y));
    const QPoint b = view_.ImageToScreen(roundToInt(se.x), roundToInt(se.y));
    const QRect dest = print_ ? pageRect(a.x(), a.y(), b.x() - a.x(), b.y() - a.y())
                              : QRect(a.x(), a.y(), b.x() - a.x(), b.y() - a.y());
    // A sheet image always combines with the background by AND; a sheet that
    // could not be loaded is blank white and leaves it as it is.
    DrawPictureToDC(picture, dest.x(), dest.y(), dest.width(), dest.height(), RasterOp::And, *target_, clip_);
  }
}

void Composer::drawSheetLines() {
  QPainter p(target_);
  p.setClipRegion(clip_);
  DrawSheetLines(p, ctx_);
}

void Composer::takeSnapshot() {
  const QImage& picture = *target_;
  QImage& snapshot = *beforeOverlays_;
  // The snapshot keeps its own pixels (a drag copies it onto the picture
  // every step); its buffer is reused while the view keeps its size.
  if (snapshot.size() != picture.size() || snapshot.format() != picture.format() ||
      snapshot.bytesPerLine() != picture.bytesPerLine())
    snapshot = QImage(picture.size(), picture.format());
  std::memcpy(snapshot.bits(), picture.constBits(), static_cast<size_t>(picture.sizeInBytes()));
  snapshot.setDotsPerMeterX(picture.dotsPerMeterX());
  snapshot.setDotsPerMeterY(picture.dotsPerMeterY());
}

void drawOverlaysOn(QPainter& p, const ComposeContext& ctx) {
  auto overlay = [&](void (*draw)(QPainter&, const ComposeContext&)) {
    p.save();
    draw(p, ctx);
    p.restore();
  };
  // The user's files lie on the map, under the furniture.
  if (ctx.layers.overlays) overlay(&UserOverlays_Print);
  if (ctx.layers.scale) overlay(&Scale_Print);
  if (ctx.layers.marks) overlay(&Mark_Print);
  overlay(&Approval_Print);
}

void Composer::drawOverlays() {
  QPainter p(target_);
  p.setClipRegion(clip_);
  drawOverlaysOn(p, ctx_);
}

}  // namespace

void drawViewOverlays(const ProgramState& session, const ViewRequest& request, QImage& picture) {
  if (!session.view.loaded || picture.isNull()) return;
  if (request.eraIndex < 0 || request.eraIndex >= static_cast<int>(session.eras.size())) return;
  QPainter p(&picture);
  drawOverlaysOn(p, makeComposeContext(session, request));
}

QRegion BuildViewClipRegion(const ViewRequest& request) {
  const QSize size = request.targetSize();
  const int w = size.width(), h = size.height();
  const QRect view(0, 0, w, h);
  const int dx = request.dragOffset.x(), dy = request.dragOffset.y();
  if (request.pass != RenderPass::Drag || (dx == 0 && dy == 0)) return QRegion(view);
  // Rectangles from (left, top) to (right, bottom), right and bottom excluded.
  auto span = [](int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
  };
  QRegion region;
  if (dx != 0) region += dx < 0 ? span(w + dx, 0, w, h) : span(0, 0, dx, h);
  if (dy != 0) region += dy < 0 ? span(0, h + dy, w, h) : span(0, 0, w, dy);
  return region.intersected(view);
}

void askForTiles(const ProgramState& session, const ViewRequest& request, TileSource& tiles) {
  if (!session.view.loaded || request.eraIndex < 0 || request.eraIndex >= static_cast<int>(session.eras.size())) return;
  const MapInfo& m = session.mapInfo;
  if (m.tileWidth <= 0 || m.tileHeight <= 0 || !request.layers.tiles) return;
  const Era& era = session.eras[static_cast<size_t>(request.eraIndex)];
  const Viewport view = request.mapViewport(m);
  tiles.beginView(request.viewId);
  if (era.bySheetIndex) {
    const int datum = era.frameType == kWorldFrame ? 1 : 0;
    const GeoBox viewBox = view.Get_ViewGeoBox(datum);
    for (const SheetImage& sheet : era.sheets)
      if (BoxRelation(sheet.box, viewBox) != -1)
        tiles.ensure(session, request.eraIndex, sheet.fileName, request.tiles, request.viewId);
  } else {
    const FrameOffset frame = m.frame[std::clamp(era.frameType, 0, 2)];
    const TileRange r = VisibleTileRange(view, frame.x, frame.y);
    const TileAsk ask{&tiles, request.tiles, request.viewId};
    for (int row = std::max(0, r.firstRow); row <= std::min(r.lastRow, m.totalRows - 1); ++row)
      for (int col = std::max(0, r.firstCol); col <= std::min(r.lastCol, m.totalCols - 1); ++col)
        if (const std::optional<ResolvedTile> tile = ResolveTile(session, request.eraIndex, col, row))
          FetchGridPosition(session, request.eraIndex, *tile, ask);
  }
  tiles.endView(request.viewId);
}

bool renderView(const ProgramState& session, const ViewRequest& request, QImage& picture, TileSource* tiles,
                QImage* beforeOverlays) {
  Composer composer(session, request, picture, tiles, beforeOverlays);
  return composer.run();
}

bool renderViewRows(const ProgramState& session, const ViewRequest& request, QImage& picture, int top, int bottom) {
  if (top < 0 || bottom <= top) return false;
  Composer composer(session, request, picture, nullptr, nullptr, QRect(0, top, picture.width(), bottom - top));
  return composer.run();
}

bool placedTileFiles(const ProgramState& session, const ViewRequest& request, std::vector<PlacedFile>& out) {
  QImage picture;
  Composer composer(session, request, picture, nullptr, nullptr);
  out.clear();
  return composer.placeFiles(out);
}

}  // namespace kavalo
