// SPDX-License-Identifier: MIT
#pragma once
// Draws every era of the sample region and writes its image files: the tiles
// of each sheet cell (with masks for masked eras) and the 1:20,000 sheets.
#include <QImage>
#include <QString>
#include <QStringList>

#include "Eras.h"
#include "Terrain.h"
#include "World.h"
#include "model/MapInfo.h"

namespace sample {

// CCC_RRR.ext: the tile file name of a column and row.
QString tileName(int column, int row, const QString& ext);

// The image files an era holds, in the order its check list names them.
QStringList sheetEraImages(const SheetEra& era);
QStringList twentyThousandImages();

// True when the file is one of those left out on purpose (never, once
// setWriteLeftOut(true) asked for the complete region).
bool isLeftOut(const QString& era, const QString& file);
void setWriteLeftOut(bool writeThem);

// A masked map as the program draws it: where the map is near white (the
// three channels add up to more than 749) the mask is white and the tile
// black, elsewhere the mask is black and the tile keeps its colour. The tile
// comes back with a palette, the mask in grey levels.
void splitMask(const QImage& map, QImage& tile, QImage& mask);

// Draws all eras into the data folder. False with a message when a file
// could not be written.
bool writeAllEras(const World& world, const std::vector<ContourLine>& contours, const kavalo::MapInfo& info,
                  const QString& datasetDir, QString* error);

}  // namespace sample
