// SPDX-License-Identifier: MIT
#include "render/Tiles.h"

#include <cstring>

#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "render/ImageLibrary.h"
#include "render/TileCache.h"
#include "render/TileSource.h"

namespace kavalo {

namespace {

QString threeDigits(int n) { return (QStringLiteral("00") + QString::number(n)).right(3); }

}  // namespace

QString TileName(int col, int row, const QString& ext) {
  return threeDigits(col) + u'_' + threeDigits(row) + u'.' + ext;
}

QString MaskName(int col, int row, const QString& ext) { return QStringLiteral("M_") + TileName(col, row, ext); }

QString TilePath(const ProgramState& state, int eraIndex, const QString& fileName) {
  const Era& era = state.eras[static_cast<size_t>(eraIndex)];
  return joinPath(state.datasetFolder, u'\\' + era.name + u'\\' + fileName);
}

std::optional<ResolvedTile> ResolveTile(const ProgramState& state, int eraIndex, int col, int row) {
  const Era& e = state.eras[static_cast<size_t>(eraIndex)];
  if (eraSource(e).sheets != EraSheets::History) return ResolvedTile{eraIndex, TileName(col, row, e.ext), false};

  const MapInfo& m = state.mapInfo;
  const int sc = col / m.tilesPerSheetX;
  const int sr = row / m.tilesPerSheetY;
  const int64_t h = e.historyColumn;
  const QString& own = state.history.atEra(sc, sr, h, 0);
  if (!own.isEmpty()) return ResolvedTile{eraIndex, TileName(col, row, e.ext), false};
  const QString& substitute = state.history.atEra(sc, sr, h, 1);
  if (substitute.isEmpty()) return std::nullopt;

  // The history columns belong to the scanned-sheet eras; the agency and
  // photo eras (history column -1) lie on other grids and lend nothing.
  const int64_t target = h + roundToInt(leadingNumber(substitute));
  for (size_t i = 0; i < state.eras.size(); ++i) {
    const Era& s = state.eras[i];
    if (eraSource(s).sheets == EraSheets::History && s.historyColumn == target)
      return ResolvedTile{static_cast<int>(i), TileName(col, row, s.ext), true};
  }
  return std::nullopt;
}

bool LoadPngToPicture(const QString& path, QImage& picture) {
  QImage image = PNGtoDIB(path);
  if (image.isNull()) return false;
  picture = std::move(image);
  return true;
}

namespace {

QImage decodeTileFile(const QString& path, const QString& ext) {
  QByteArray bytes;
  if (!readFileBytes(path, bytes, nullptr)) return QImage();
  return decodeTilePicture(bytes, ext == u"png");
}

}  // namespace

bool LoadTileImage(const QString& path, const QString& ext, QImage& picture) {
  // Every tile, mask and sheet image is decoded here, so the cache of
  // decoded pictures stands at this one place.
  picture = TileCache::shared().load(path, [&] { return decodeTileFile(path, ext); });
  return !picture.isNull();
}

bool DrawPictureToDC(const QImage& picture, int x, int y, int w, int h, RasterOp rop, QImage& target,
                     const QRegion& clip) {
  if (picture.isNull() || target.isNull() || w <= 0 || h <= 0) return true;
  stretchBlt(target, QRect(x, y, w, h), picture, picture.rect(), rop, clip);
  return false;
}

int ReadPicturePixels(const QImage& picture, std::vector<uint32_t>& pixels) {
  if (picture.isNull()) return -1;
  const QImage rgb = toOpaqueRgb32(picture);
  const int w = rgb.width(), h = rgb.height();
  pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
    uint32_t* out = pixels.data() + static_cast<size_t>(y) * w;
    for (int x = 0; x < w; ++x) out[x] = line[x] & 0x00FFFFFFu;
  }
  return w * h;
}

int WritePicturePixels(QImage& picture, const std::vector<uint32_t>& pixels) {
  if (picture.isNull()) return -1;
  const int w = picture.width(), h = picture.height();
  if (pixels.size() < static_cast<size_t>(w) * static_cast<size_t>(h)) return -1;
  if (picture.format() != QImage::Format_RGB32) picture = QImage(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<uint32_t*>(picture.scanLine(y));
    const uint32_t* in = pixels.data() + static_cast<size_t>(y) * w;
    for (int x = 0; x < w; ++x) line[x] = in[x] | 0xFF000000u;
  }
  return 0;
}

GridFiles FetchGridPosition(const ProgramState& state, int shownEra, const ResolvedTile& tile, const TileAsk& ask) {
  TileSource& tiles = ask.source ? *ask.source : diskTileSource();
  auto onDisk = [&](const QString& fileName) {
    return tiles.ensure(state, tile.sourceEra, fileName, ask.policy, ask.viewId);
  };
  const Era& source = state.eras[static_cast<size_t>(tile.sourceEra)];
  GridFiles files;
  files.ext = source.ext;
  if (onDisk(tile.fileName)) files.tilePath = TilePath(state, tile.sourceEra, tile.fileName);

  const Era& shown = state.eras[static_cast<size_t>(shownEra)];
  if (eraSource(shown).datedByTiles && shown.acquiredText.isEmpty())
    shown.acquiredText = fileModifiedText(TilePath(state, tile.sourceEra, tile.fileName));

  if (source.tileStyle == kMaskedMap) {
    const QString mask = QStringLiteral("M_") + tile.fileName;
    if (onDisk(mask)) files.maskPath = TilePath(state, tile.sourceEra, mask);
  }
  return files;
}

void DecodeGridFiles(const GridFiles& files, GridPictures& out) {
  out.tile = QImage();
  out.mask = QImage();
  if (!files.tilePath.isEmpty()) LoadTileImage(files.tilePath, files.ext, out.tile);
  if (!files.maskPath.isEmpty()) LoadTileImage(files.maskPath, files.ext, out.mask);
}

void LoadGridPosition(const ProgramState& state, int shownEra, const ResolvedTile& tile, GridPictures& out) {
  DecodeGridFiles(FetchGridPosition(state, shownEra, tile), out);
}

}  // namespace kavalo
