// SPDX-License-Identifier: MIT
#pragma once
// The raster operations of the map view on RGB32 images: a source rectangle
// stretched smoothly over a destination rectangle and combined with the
// destination by copy, AND or OR, a solid fill with the same operations, and
// the white veil over borrowed sheets. Every operation writes only the
// pixels inside a clip region (the view, the strips a drag uncovers, or the
// page rectangle of the print pass) and inside the destination image.
//
// Stretching: each axis on its own, an area average when shrinking and a
// linear interpolation between pixel centres when enlarging, with integer
// weights that add up exactly, so that a uniform source keeps its exact
// colour at every size and an unscaled rectangle is copied unchanged.
#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>

namespace kavalo {

enum class RasterOp {
  Copy,   // the source replaces the destination
  And,    // bitwise AND of source and destination (a map over colours)
  Paint,  // bitwise OR (the tile of a masked map over its punched mask)
};

// Stretches srcRect of src over dstRect of dst and combines it by rop, inside
// clip only. Source pixels outside src read as white. Rectangles with no
// pixels draw nothing. src may be of any format; dst must be Format_RGB32.
void stretchBlt(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                const QRegion& clip);

// As stretchBlt, for a source whose srcRect has one more pixel on each side
// (its apron, which must lie inside src): enlarging interpolates into the
// apron at the rectangle's edges instead of holding the edge pixels, so that
// neighbouring pieces stretched one by one meet without a seam.
void stretchBltWithApron(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                         const QRegion& clip);

// A masked map's tile over the destination. The mask is white where the
// background shows and black where the map covers it; the tile is black
// where the mask is white. Both are stretched alike and the tile is laid
// over the destination with coverage 1 - mask: each channel becomes
// t + round(d m / 255), clamped. Where the stretched mask is pure white or
// black this is exactly (d AND mask) OR tile; in between, where the two
// stretched pictures hold mixed values and bitwise operations would make
// false colours, the colours blend.
void stretchMaskedBlt(QImage& dst, const QRect& dstRect, const QImage& tile, const QImage& mask, const QRect& srcRect,
                      const QRegion& clip);

// Copies an image onto dst with its top-left corner at pos, inside clip (the
// snapshot of the view moved by a drag's offset).
void copyImage(QImage& dst, const QPoint& pos, const QImage& src, const QRegion& clip);

// Combines a rectangle of one colour with the destination by rop, inside clip.
void fillRect(QImage& dst, const QRect& rect, QRgb colour, RasterOp rop, const QRegion& clip);

// White at constant alpha 80 of 255 over the rectangle, the ordinary
// source-over blend: each channel d becomes round((80 * 255 + d * 175) / 255),
// so black becomes 80 and white stays white.
void veilRect(QImage& dst, const QRect& rect, const QRegion& clip);

// One channel under the veil (the table veilRect uses).
uint8_t veilChannel(uint8_t d);

}  // namespace kavalo
