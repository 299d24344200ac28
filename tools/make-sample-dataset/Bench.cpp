// SPDX-License-Identifier: MIT
// The large region for benchmarks: 20 x 20 sheet units of 5 x 5 tiles, three
// eras of ten thousand tiles each (or any square of whole sheet units, up to
// a million tiles per era and beyond). Only six tiles per era are drawn; every
// tile file is a hard link to one of them, so the region costs little time
// and disk while the program still opens one file per tile.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cmath>

#include "BinaryFiles.h"
#include "Generator.h"
#include "LegendPainter.h"
#include "MapPainter.h"
#include "Palette.h"
#include "PhotoPainter.h"
#include "TextFiles.h"
#include "TileWriter.h"
#include "World.h"
#include "platform/ValueWriter.h"

namespace sample {

namespace {

// Sheet units across and down, and tiles across and down a sheet: 20 of 5 by
// default; --tiles asks for another size.
int benchSheets = 20;
int benchTilesPerSheet = 5;
bool benchResized = false;
int benchTiles() { return benchSheets * benchTilesPerSheet; }
// The 50 m pitch of the real grids up to 100 x 100 tiles; a larger region
// keeps the grid at 4,000 x 4,000 cells (the largest the program reads is
// 64 Mi cells), one cell per tile at least.
int benchCellsPerTile() { return std::max(1, std::min(40, 4000 / benchTiles())); }
constexpr const char* kBenchFolder = "bench";

struct BenchEra {
  const char* folder;
  int frameType;
  int year;
  int tileStyle;
  int legendNumber;
  MapStyle style;
  bool photo;
};

constexpr BenchEra kBenchEras[] = {
    {"B1970", 1, 1970, 0, 3, MapStyle::LateShowa, false},
    {"B2001", 2, 2001, 1, 4, MapStyle::Heisei, false},
    {"DKO00", 2, 2019, 2, 0, MapStyle::Agency, true},
};

// Six places of the sample world that the tiles repeat: town, plain,
// hills, shore, sea and cape.
constexpr QPointF kSources[] = {{1300, 1150}, {1000, 800}, {500, 400}, {1100, 1420}, {800, 1900}, {2200, 1700}};
constexpr int kSourceCount = static_cast<int>(std::size(kSources));

bool fail(QString* error, const QString& message) {
  if (error) *error = message;
  return false;
}

bool save(const kavalo::ValueWriter& w, const QString& path, QString* error) {
  QString why;
  return w.save(path, &why) || fail(error, QStringLiteral("cannot write %1: %2").arg(path, why));
}

kavalo::MapInfo benchMapInfo() {
  kavalo::MapInfo m;
  m.title = QStringLiteral("ベンチマーク用地域（架空）");
  m.tileWidth = kTileWidth;
  m.tileHeight = kTileHeight;
  m.sheetsX = m.sheetsY = benchSheets;
  m.tilesPerSheetX = m.tilesPerSheetY = benchTilesPerSheet;
  m.scaleUnit = QStringLiteral("km");
  for (int i = 0; i < 3; ++i)
    m.frame[i] = {kFrameOffsets[static_cast<size_t>(i)].x, kFrameOffsets[static_cast<size_t>(i)].y};
  m.west = static_cast<float>(kWest);
  m.north = static_cast<float>(kNorth + 0.5);
  m.approval = QStringLiteral("ベンチマーク用の架空の地域です。（承認番号　見本第0号）");
  // The default region starts at its centre; one of another size where the
  // 400-tile region's centre is, so that the first pictures of any two sizes
  // show the same tiles.
  const int startTile = benchResized ? 10 : benchTiles() / 2;
  m.initialX = static_cast<float>(kTileWidth * startTile);
  m.initialY = static_cast<float>(kTileHeight * startTile);
  m.initialZoom = 100;
  m.initialEra = 0;
  m.meshNW = meshCode(m.north - 2.5 / 60, kWest + 0.0625);
  m.meshSE = meshCode(m.north - (benchSheets - 0.5) * 5 / 60, kWest + (benchSheets - 0.5) * 0.125);
  m.orthoFlags = QStringLiteral("000000");
  kavalo::deriveGrid(m, nullptr);
  return m;
}

// The sample terrain folded back and forth over the large region, at the
// 50 m pitch of the real grids.
ElevationGrid benchElevation(const Terrain& terrain) {
  ElevationGrid grid;
  grid.columns = grid.rows = benchTiles() * benchCellsPerTile();
  grid.cells.resize(static_cast<size_t>(grid.columns) * grid.rows);
  const double pitchX = double(kTileWidth) / benchCellsPerTile(), pitchY = double(kTileHeight) / benchCellsPerTile();
  auto fold = [](double v, double size) {
    const double m = std::fmod(v, 2 * size);
    return m < size ? m : 2 * size - m;
  };
  parallelFor(grid.rows, [&](int y) {
    for (int x = 0; x < grid.columns; ++x) {
      const double px = fold(x * pitchX, kMosaicWidth), py = fold(y * pitchY, kMosaicHeight);
      grid.cells[static_cast<size_t>(y) * grid.columns + x] =
          terrain.isSea(px, py) ? kSea : static_cast<int32_t>(std::lround(terrain.elevation(px, py) * 10));
    }
  });
  grid.reliefDivisor = reliefDivisorFor(grid);
  return grid;
}

// A file takes some 65,000 names at most: past that the tile is a copy, and
// the later tiles are names of that copy.
bool linkOrCopy(QString& source, const QString& target) {
  const QByteArray from = QFile::encodeName(source), to = QFile::encodeName(target);
  if (::link(from.constData(), to.constData()) == 0) return true;
  const bool full = errno == EMLINK;
  if (!QFile::copy(source, target)) return false;
  if (full) source = target;
  return true;
}

// Draws the six source tiles of an era, then links every tile name to one.
bool writeBenchEra(const World& world, const std::vector<ContourLine>& contours, const BenchEra& era,
                   const QString& folder, QStringList& names, QString* error) {
  QDir().mkpath(folder + QStringLiteral("/source"));
  const Scene scene(world, era.year, contours);
  const QString ext = era.photo ? QStringLiteral("jpg") : QStringLiteral("png");
  QStringList sources;
  for (int i = 0; i < kSourceCount; ++i) {
    const QRectF rect(kSources[i], QSizeF(kTileWidth, kTileHeight));
    const QSize size(kTileWidth, kTileHeight);
    const QImage picture =
        era.photo ? paintPhoto(scene, PhotoLook::Digital, rect, size) : paintMap(scene, lookFor(era.style), rect, size);
    const QString base = folder + QStringLiteral("/source/%1.").arg(i) + ext;
    QImage tile = picture, mask;
    if (era.tileStyle == 1) {
      splitMask(picture, tile, mask);
      if (!mask.save(folder + QStringLiteral("/source/M_%1.png").arg(i), "PNG"))
        return fail(error, QStringLiteral("cannot write a mask"));
    }
    if (era.tileStyle != 1 && !era.photo) tile = toPalette(picture);
    if (!(era.photo ? tile.save(base, "JPEG", 80) : tile.save(base, "PNG")))
      return fail(error, QStringLiteral("cannot write %1").arg(base));
    sources << base;
  }
  QStringList masks;
  for (int i = 0; i < kSourceCount; ++i) masks << folder + QStringLiteral("/source/M_%1.png").arg(i);
  for (int row = 0; row < benchTiles(); ++row)
    for (int column = 0; column < benchTiles(); ++column) {
      const int s = (column * 7 + row * 3 + (column / 5) * (row / 5)) % kSourceCount;
      const QString name = tileName(column, row, ext);
      if (!linkOrCopy(sources[s], folder + u'/' + name)) return fail(error, QStringLiteral("cannot link %1").arg(name));
      names << name;
      if (era.tileStyle == 1) {
        if (!linkOrCopy(masks[s], folder + QStringLiteral("/M_") + name))
          return fail(error, QStringLiteral("cannot link M_%1").arg(name));
        names << QStringLiteral("M_") + name;
      }
    }
  // The source files stay only as the links' other names; drop them.
  QDir(folder + QStringLiteral("/source")).removeRecursively();
  return true;
}

bool writeBenchTexts(const QString& dir, const kavalo::MapInfo& info, QString* error) {
  if (!writeMapInfo(dir + QStringLiteral("/mapinfo.txt"), info, error)) return false;
  kavalo::ValueWriter tikeizu, history, ortho;
  int column = 0;
  tikeizu.numberLine(2);
  for (const BenchEra& e : kBenchEras) {
    if (e.photo) continue;
    tikeizu.text(QString::fromUtf8(e.folder)).comma().number(e.frameType).comma().number(e.year).comma().number(e.year);
    tikeizu.comma()
        .number(e.tileStyle)
        .comma()
        .number(e.legendNumber)
        .comma()
        .number(column++)
        .comma()
        .textLine(QStringLiteral("png"));
  }
  for (int row = 0; row < benchSheets; ++row) {
    for (int h = 0; h < 3; ++h) {
      QStringList cells;
      for (int c = 0; c < benchSheets; ++c)
        cells << (h == 0 ? QStringLiteral("図%1-%2").arg(row + 1).arg(c + 1) : QStringLiteral("第%1版").arg(h))
              << QString();
      history.textLine(cells.join(u','));
    }
  }
  ortho.numberLine(1)
      .text(QStringLiteral("DKO00"))
      .comma()
      .number(2019)
      .comma()
      .number(2019)
      .comma()
      .textLine(QStringLiteral("2019/11/15"));
  return save(tikeizu, dir + QStringLiteral("/map_tikeizu_info.txt"), error) &&
         save(history, dir + QStringLiteral("/図歴.csv"), error) &&
         save(ortho, dir + QStringLiteral("/map_densikokudo_ortho_info.txt"), error);
}

}  // namespace

bool setBenchTiles(int tilesPerEra) {
  const int side = static_cast<int>(std::lround(std::sqrt(static_cast<double>(tilesPerEra))));
  if (side * side != tilesPerEra || side < 10 || side > 1000) return false;
  // Sheets of 10 x 10 tiles (a million tiles make the 10,000 sheets the
  // program takes), so that regions of any two sizes have sheets alike.
  for (int perSheet = 10; perSheet <= 100; ++perSheet) {
    if (side % perSheet != 0 || (side / perSheet) * (side / perSheet) > 10000) continue;
    benchTilesPerSheet = perSheet;
    benchSheets = side / perSheet;
    benchResized = true;
    return true;
  }
  return false;
}

bool generateBench(const QString& root, QString* error) {
  const QString dir = root + u'/' + QString::fromUtf8(kBenchFolder);
  if (!QDir().mkpath(dir + QStringLiteral("/legend"))) return fail(error, QStringLiteral("cannot create %1").arg(dir));
  kavalo::ValueWriter list;
  list.numberLine(1)
      .text(QStringLiteral("ベンチマーク用地域（架空）"))
      .comma()
      .textLine(QString::fromUtf8(kBenchFolder));
  if (!save(list, root + QStringLiteral("/dataset.txt"), error)) return false;

  const World world;
  const std::vector<ContourLine> contours = world.terrain().contours(10);
  const kavalo::MapInfo info = benchMapInfo();
  if (!writeBenchTexts(dir, info, error)) return false;
  if (!writeAltitudeFile(dir + QStringLiteral("/altitude.dat"), benchElevation(world.terrain()), error, 1))
    return false;
  std::vector<GazetteerEntry> places;
  for (int i = 0; i < 8; ++i)
    places.push_back({QStringLiteral("地点%1").arg(i + 1), info.west + 0.3f * (i + 1), info.north - 0.2f * (i + 1), i,
                      QStringLiteral("ちてん")});
  if (!writePlaceNameFile(dir + QStringLiteral("/placename.dat"), places, error)) return false;

  for (const BenchEra& e : kBenchEras) {
    const QString folder = dir + u'/' + QString::fromUtf8(e.folder);
    QStringList names;
    if (!writeBenchEra(world, contours, e, folder, names, error)) return false;
    if (e.photo) continue;
    kavalo::ValueWriter check;
    for (const QString& n : names) check.textLine(n);
    if (!save(check, folder + QStringLiteral("/gazo_check_list.txt"), error)) return false;
    const QImage legend = paintLegend(e.style, e.year, QStringLiteral("ベンチマーク用"));
    if (!legend.save(dir + QStringLiteral("/legend/%1.png").arg(e.legendNumber, 2, 10, QLatin1Char('0')), "PNG"))
      return fail(error, QStringLiteral("cannot write a legend"));
  }
  return true;
}

}  // namespace sample
