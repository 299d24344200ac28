// SPDX-License-Identifier: MIT
#pragma once
// The small map symbols, drawn with lines so that the tiles do not depend on
// an installed font. The legends draw the same symbols.
#include <QColor>
#include <QPainter>

#include "World.h"

namespace sample {

// A land-use symbol (paddy, field, orchard, forest, wasteland) centred at p;
// size is its height in pixels. Other land uses have no symbol.
void drawLandUseSymbol(QPainter& p, LandUse use, QPointF at, double size, const QColor& ink, double width);

// A landmark symbol centred at p, about size pixels across.
void drawLandmarkSymbol(QPainter& p, Symbol symbol, QPointF at, double size, const QColor& ink, const QColor& paper,
                        double width);

// True for land uses that carry a symbol.
bool hasLandUseSymbol(LandUse use);

}  // namespace sample
