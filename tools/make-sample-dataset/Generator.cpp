// SPDX-License-Identifier: MIT
#include "Generator.h"

#include <algorithm>
#include <cstdint>

#include <QDir>
#include <cmath>

#include "BinaryFiles.h"
#include "Eras.h"
#include "LegendPainter.h"
#include "Places.h"
#include "SampleRegion.h"
#include "TextFiles.h"
#include "TileWriter.h"
#include "World.h"
#include "model/Marks.h"

namespace sample {

namespace {

bool fail(QString* error, const QString& message) {
  if (error) *error = message;
  return false;
}

// The grid samples the terrain at the north-west corner of each cell: the
// program reads a cell for the points within half a pitch of that corner.
ElevationGrid sampleElevation(const Terrain& terrain) {
  ElevationGrid grid;
  grid.columns = kGridColumns;
  grid.rows = kGridRows;
  grid.cells.resize(static_cast<size_t>(grid.columns) * grid.rows);
  const double pitchX = double(kMosaicWidth) / kGridColumns, pitchY = double(kMosaicHeight) / kGridRows;
  for (int y = 0; y < grid.rows; ++y)
    for (int x = 0; x < grid.columns; ++x) {
      const double px = x * pitchX, py = y * pitchY;
      grid.cells[static_cast<size_t>(y) * grid.columns + x] =
          terrain.isSea(px, py) ? kSea : static_cast<int32_t>(std::lround(terrain.elevation(px, py) * 10));
    }
  grid.reliefDivisor = reliefDivisorFor(grid);
  return grid;
}

bool writeLegends(const QString& dir, QString* error) {
  for (const SheetEra& e : sheetEras()) {
    const QImage legend = paintLegend(e.style, e.worldYear(), e.edition);
    if (!legend.save(dir + u'/' + e.legendFile(), "PNG"))
      return fail(error, QStringLiteral("cannot write %1").arg(e.legendFile()));
  }
  const TwentyThousandEra& twenty = twentyThousandEra();
  const QImage legend = paintLegend(MapStyle::TwentyThousand, twenty.yearFrom, QStringLiteral("正式二万分一地形図"));
  if (!legend.save(dir + QStringLiteral("/legend/2man.png"), "PNG"))
    return fail(error, QStringLiteral("cannot write legend/2man.png"));
  return true;
}

}  // namespace

bool generateSample(const QString& root, QString* error) {
  const QString dir = root + u'/' + QString::fromUtf8(kDatasetFolder);
  QDir d;
  for (const QString& sub : {QStringLiteral("legend"), QStringLiteral("2man")})
    if (!d.mkpath(dir + u'/' + sub)) return fail(error, QStringLiteral("cannot create %1/%2").arg(dir, sub));
  for (const SheetEra& e : sheetEras()) d.mkpath(dir + u'/' + e.folder);
  for (const TileEra& e : tileEras()) d.mkpath(dir + u'/' + e.folder);
  if (!d.mkpath(root + u'/' + QString::fromUtf8(kEmptyFolder)))
    return fail(error, QStringLiteral("cannot create folders"));

  const World world;
  const std::vector<ContourLine> contours = world.terrain().contours(10);
  const kavalo::MapInfo info = sampleMapInfo();

  if (!writeDatasetList(root, error) || !writeDatasetTexts(dir, info, error)) return false;
  const ElevationGrid elevation = sampleElevation(world.terrain());
  if (!writeAltitudeFile(dir + QStringLiteral("/altitude.dat"), elevation, error)) return false;
  int32_t lowest = INT32_MAX, highest = INT32_MIN;
  for (int32_t v : elevation.cells)
    if (v != kSea) {
      lowest = std::min(lowest, v);
      highest = std::max(highest, v);
    }
  if (!writeColorSets(root, lowest, highest, error)) return false;
  if (!writePlaceNameFile(dir + QStringLiteral("/placename.dat"), gazetteer(world, info), error)) return false;
  QString why;
  if (!kavalo::Save_MarkFile(dir + QStringLiteral("/MarkData.kmk"), sampleMarks(world, info), &why))
    return fail(error, QStringLiteral("cannot write MarkData.kmk: %1").arg(why));
  if (!writeLegends(dir, error)) return false;
  return writeAllEras(world, contours, info, dir, error);
}

}  // namespace sample
