// SPDX-License-Identifier: MIT
// Elevation pieces stretched one by one meet as if the whole picture had been
// stretched at once: no seam at their borders.
#include <gtest/gtest.h>

#include <QImage>

#include "model/ElevationPieces.h"
#include "render/RasterOps.h"

using namespace kavalo;

namespace {

// A grid of two equal pieces side by side (and two rows of them), each a
// slope rising to the east, unshaded: the piece borders are where the
// colours jump back.
AltitudeGrid twoEqualPieces(int pieceWidth, int pieceHeight) {
  AltitudeGrid g;
  g.columns = 2 * pieceWidth;
  g.rows = 2 * pieceHeight;
  g.lowest = 0;
  g.highest = 1000;
  g.reliefDivisor = 10;
  g.pitchX = g.pitchY = 1.0f;
  for (int y = 0; y < g.rows; ++y)
    for (int x = 0; x < g.columns; ++x) g.cells.push_back(50 + 40 * (x % pieceWidth) + 3 * y);
  return g;
}

ColorSet rampSet(int shading) {
  ColorSet s;
  s.name = QStringLiteral("t");
  s.sea = rgbColour(0, 0, 100);
  s.bottom = rgbColour(0, 40, 0);
  s.top = rgbColour(250, 200, 60);
  s.breakpointCount = 0;
  s.shading = shading;
  s.strength = 100;
  s.lightDirection = 0;
  return s;
}

// The four pieces as one picture.
QImage wholePicture(ElevationPieces& p) {
  const int pw = p.pieceWidth(), ph = p.pieceHeight();
  QImage whole(2 * pw, 2 * ph, QImage::Format_RGB32);
  for (int b = 0; b < 2; ++b)
    for (int a = 0; a < 2; ++a) {
      const QImage& piece = p.piece(a, b);
      for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) whole.setPixel(a * pw + x, b * ph + y, piece.pixel(x, y));
    }
  return whole;
}

}  // namespace

TEST(PieceSeam, PiecesStretchedOneByOneEqualTheWholeStretchedAtOnce) {
  for (int shading : {0, 1}) {
    const AltitudeGrid grid = twoEqualPieces(10, 8);
    ElevationPieces pieces;
    pieces.prepare(&grid, rampSet(shading), 2, 2);
    const QImage whole = wholePicture(pieces);
    // Each piece over its share of the view: enlarged 3, 2.5 and 4.2 times
    // (8 rows over 34 and 10 columns over 42), and shrunk.
    for (const QSize place : {QSize(30, 24), QSize(25, 20), QSize(42, 34), QSize(5, 4)}) {
      QImage ideal(2 * place.width(), 2 * place.height(), QImage::Format_RGB32);
      stretchBlt(ideal, ideal.rect(), whole, whole.rect(), RasterOp::Copy, QRegion(ideal.rect()));
      QImage pieced(ideal.size(), QImage::Format_RGB32);
      pieced.fill(Qt::magenta);
      for (int b = 0; b < 2; ++b)
        for (int a = 0; a < 2; ++a) {
          const QRect dest(QPoint(a * place.width(), b * place.height()), place);
          stretchBltWithApron(pieced, dest, pieces.apronPiece(a, b), QRect(1, 1, 10, 8), RasterOp::Copy, QRegion(dest));
        }
      for (int y = 0; y < ideal.height(); ++y)
        for (int x = 0; x < ideal.width(); ++x)
          ASSERT_EQ(pieced.pixel(x, y), ideal.pixel(x, y))
              << x << "," << y << " at " << place.width() << "x" << place.height() << " shading " << shading;
    }
  }
}
