// SPDX-License-Identifier: MIT
#include "net/AgencyAcquisition.h"

#include <QDir>
#include <QFile>
#include <map>

#include "net/TileWriteQueue.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "render/RasterOps.h"
#include "render/Tiles.h"

namespace kavalo {

ImageRule pieceRule(bool png) {
  return {png ? QByteArrayLiteral("png") : QByteArrayLiteral("jpeg"),
          QSize(kMaxFetchedImageSide, kMaxFetchedImageSide)};
}

QImage decodePiece(const QByteArray& bytes, bool png) { return decodeFetchedImage(bytes, pieceRule(png)); }

void MakeMapMask(QImage& tile, QImage& mask) {
  tile = tile.convertToFormat(QImage::Format_RGB32);
  mask = QImage(tile.size(), QImage::Format_RGB32);
  mask.fill(qRgb(0, 0, 0));
  for (int y = 0; y < tile.height(); ++y) {
    QRgb* t = reinterpret_cast<QRgb*>(tile.scanLine(y));
    QRgb* m = reinterpret_cast<QRgb*>(mask.scanLine(y));
    for (int x = 0; x < tile.width(); ++x) {
      if (qRed(t[x]) + qGreen(t[x]) + qBlue(t[x]) > 749) {
        m[x] = qRgb(255, 255, 255);
        t[x] = qRgb(0, 0, 0);
      }
    }
  }
}

QImage stitchTile(const std::vector<QImage>& pieces, const TileCover& cover, int w, int h, int width, int height) {
  const int cols = cover.columns(), rows = cover.rows();
  QImage block(cols * w, rows * h, QImage::Format_RGB32);
  block.fill(qRgb(255, 255, 255));
  const QRegion whole(block.rect());
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      const QImage& piece = pieces[static_cast<size_t>(r * cols + c)];
      if (piece.isNull()) continue;
      // Each piece fills its own place of w x h, at w x pc: pieces of another
      // size than the last one are fitted rather than leaving gaps.
      stretchBlt(block, QRect(c * w, r * h, w, h), piece, piece.rect(), RasterOp::Copy, whole);
    }
  const QRect box(roundToInt(cover.left * w), roundToInt(cover.top * h), roundToInt(cover.width * w),
                  roundToInt(cover.height * h));
  QImage tile(width, height, QImage::Format_RGB32);
  tile.fill(qRgb(255, 255, 255));
  stretchBlt(tile, tile.rect(), block, box, RasterOp::Copy, QRegion(tile.rect()));
  return tile;
}

bool writeEraTile(const QString& folder, const QString& name, QImage tile, bool map, QString* error) {
  if (!map) return DIBtoJPG(folder + u'/' + name, tile, 80, error);
  QImage mask;
  MakeMapMask(tile, mask);
  DIBto8Bit(tile);
  DIBto8Bit(mask);
  return DIBtoPNG(folder + u'/' + name, tile, error) && DIBtoPNG(folder + QStringLiteral("/M_") + name, mask, error);
}

namespace {

struct PieceKey {
  int i, j;
  bool operator<(const PieceKey& o) const { return i != o.i ? i < o.i : j < o.j; }
};

// The pieces of one cell fetched so far, as the server sent them; a piece
// shared by two tiles is asked for once. Decoding is left to the tile's job
// on the helper thread, so that the next request goes out at once.
class CellPieces {
 public:
  CellPieces(const AcquireContext& ctx, const QString& server, int pieceSource, const MeshCode& cell,
             AreaResult& result)
      : ctx_(ctx), server_(server), source_(pieceSource), cell_(cell), result_(result) {}

  // The piece's body; empty when the server has none (or the run stops:
  // see stopped()).
  QByteArray get(int i, int j) {
    auto it = pieces_.find({i, j});
    if (it != pieces_.end()) return it->second;
    if (stopped()) return {};
    if (ctx_.cancelled()) {
      result_.cancelled = true;
      return {};
    }
    const int64_t x = pieceCodeX(cell_, i), y = pieceCodeY(cell_, j);
    const QString url = pieceUrl(server_, source_, x, y);
    ++result_.requests;
    TransferResult r;
    if (ctx_.net.fetchImage) r = ctx_.net.fetchImage(url, pieceRule(pieceKind(source_).png));
    result_.counts.add(url, r);
    if (r.outcome == TransferOutcome::Aborted) result_.cancelled = true;
    return pieces_.emplace(PieceKey{i, j}, r.ok() ? r.body : QByteArray()).first->second;
  }

  // A piece failed or the run was cancelled: nothing more is asked.
  bool stopped() const { return result_.cancelled || result_.counts.failed > 0; }

  // Pieces west of column i are not needed again.
  void dropWestOf(int i) {
    for (auto it = pieces_.begin(); it != pieces_.end();) it = it->first.i < i ? pieces_.erase(it) : std::next(it);
  }

 private:
  const AcquireContext& ctx_;
  const QString& server_;
  int source_;
  MeshCode cell_;
  AreaResult& result_;
  std::map<PieceKey, QByteArray> pieces_;
};

// Decodes the pieces of one tile (in the order they were asked for, so that
// the last one decoded sets the size of the places), stitches and writes it.
TileWriteQueue::Done buildTile(const std::vector<QByteArray>& bodies, const TileCover& cover, bool map,
                               const QString& folder, const QString& name, int width, int height, QString* error) {
  std::vector<QImage> got(bodies.size());
  int k = 0, w = 0, h = 0;
  for (int i = 0; i < cover.columns(); ++i)
    for (int r = cover.rows() - 1; r >= 0; --r) {
      const size_t at = static_cast<size_t>(r * cover.columns() + i);
      if (bodies[at].isEmpty()) continue;  // the server has no piece here
      got[at] = decodePiece(bodies[at], map);
      if (got[at].isNull()) {
        if (error) *error = QStringLiteral("%1: a piece cannot be decoded").arg(name);
        return TileWriteQueue::Done::Failed;
      }
      // The pieces of one tile share one size, whatever that size is.
      if (k > 0 && got[at].size() != QSize(w, h)) {
        if (error)
          *error = QStringLiteral("%1: pieces of %2 x %3 and %4 x %5 pixels in one tile")
                       .arg(name)
                       .arg(w)
                       .arg(h)
                       .arg(got[at].width())
                       .arg(got[at].height());
        return TileWriteQueue::Done::Failed;
      }
      w = got[at].width();
      h = got[at].height();
      ++k;
    }
  if (k == 0) return TileWriteQueue::Done::Nothing;  // no piece at all: no tile here
  return writeEraTile(folder, name, stitchTile(got, cover, w, h, width, height), map, error)
             ? TileWriteQueue::Done::Written
             : TileWriteQueue::Done::Failed;
}

void AcquireCell(const AcquireContext& ctx, const QString& folder, const QString& server, int pieceSource,
                 const MeshCell& cell, const MapInfo& info, TileWriteQueue& queue, AreaResult& result) {
  const int tilesX = info.tilesPerSheetX, tilesY = info.tilesPerSheetY;
  const int width = info.tileWidth, height = info.tileHeight;
  const bool map = pieceKind(pieceSource).png;
  const QString ext = map ? QStringLiteral("png") : QStringLiteral("jpg");
  CellPieces pieces(ctx, server, pieceSource, cell.mesh, result);
  for (int tc = 0; tc < tilesX; ++tc) {
    // From the south, as the blocks of a cell are walked.
    for (int tr = tilesY - 1; tr >= 0; --tr) {
      if (queue.failed()) return;
      const TileCover cover = tileCover(tc, tr, tilesX, tilesY);
      pieces.dropWestOf(cover.i0);
      std::vector<QByteArray> bodies(static_cast<size_t>(cover.columns() * cover.rows()));
      for (int i = cover.i0; i <= cover.i1; ++i)
        for (int j = cover.j0; j <= cover.j1; ++j)
          bodies[static_cast<size_t>((cover.j1 - j) * cover.columns() + (i - cover.i0))] = pieces.get(i, j);
      // A tile some of whose pieces could not be had is not written.
      if (pieces.stopped()) return;
      const QString name = TileName(tilesX * cell.column + tc, tilesY * cell.row + tr, ext);
      queue.push([=](QString* error) { return buildTile(bodies, cover, map, folder, name, width, height, error); });
    }
  }
}

}  // namespace

AreaResult AcquireArea(const AcquireContext& ctx, const QString& folder, const QString& server, int pieceSource,
                       const MapInfo& info) {
  AreaResult result;
  // Codes that are not six digits, or a grid without tiles, give no cells.
  const bool sound = info.meshNW >= 100000 && info.meshNW <= 999999 && info.meshSE >= 100000 && info.meshSE <= 999999 &&
                     info.tilesPerSheetX > 0 && info.tilesPerSheetY > 0 && info.tileWidth > 0 && info.tileHeight > 0;
  const std::vector<MeshCell> cells = sound ? meshCellWalk(info.meshNW, info.meshSE) : std::vector<MeshCell>();
  const int total = static_cast<int>(cells.size());
  ctx.showProgress(0, total);
  TileWriteQueue queue;
  int done = 0;
  for (const MeshCell& cell : cells) {
    ctx.showProgress(++done, total);
    if (ctx.prompts) ctx.prompts->processEvents();
    if (ctx.cancelled()) {
      result.cancelled = true;
      break;
    }
    AcquireCell(ctx, folder, server, pieceSource, cell, info, queue, result);
    if (queue.failed() || result.cancelled || result.counts.failed > 0) break;
  }
  result.tiles = queue.finish(&result.writeError);
  ctx.showProgress(0, -1);
  return result;
}

}  // namespace kavalo
