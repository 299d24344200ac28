// SPDX-License-Identifier: MIT
#pragma once
// The image files of the program: PNG and JPEG decoding, and PNG, 8-bit PNG
// and JPEG encoding, over QImage. Decoded pictures are always RGB32 (palette,
// grey and alpha images are converted once after decoding; transparent parts
// take the white of the picture behind them). A file that cannot be read or
// decoded, or that ends early, gives a null image: the caller draws it blank.
// Encoded files are standard files that other programs open; a file of the
// same name is replaced whole or not at all.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

namespace kavalo {

// RGB32 without transparency: alpha is composed over white.
QImage toOpaqueRgb32(const QImage& image);

// A complete PNG in memory, decoded; null for anything else (a JPEG too).
QImage decodePng(const QByteArray& data);
// A tile, mask or sheet image of a data folder for drawing: as decodeImage
// (as decodePng when png), but a palette image stays a palette image; the
// raster operations read it through its colours, so it draws exactly as its
// RGB32 picture would, in a quarter of the memory.
QImage decodeTilePicture(const QByteArray& data, bool png);

// An image in any format the program reads (JPEG, PNG, BMP, GIF), decided by
// its content; null when it cannot be decoded or a JPEG lacks its end.
QImage decodeImage(const QByteArray& data);

// The PNG file at path, decoded; null when it cannot be read or decoded.
QImage PNGtoDIB(const QString& path);

// A copy of a rectangle of a picture at the moment of the call (the part
// outside the picture is white).
QImage DCtoDIB(const QImage& picture, const QRect& rect);

// Reduces the image in place to 8 bits per pixel with at most 256 colours
// (the exact colours when it has no more than 256, else a palette of its own
// colours: render/PaletteQuantizer.h). False when the image is null.
bool DIBto8Bit(QImage& image);

// Writes the image as a PNG file (8-bit with a palette for an image reduced
// by DIBto8Bit). False with a message when it could not be written.
bool DIBtoPNG(const QString& path, const QImage& image, QString* error = nullptr);

// Writes the image as a baseline JPEG file of the given quality (the program
// always uses 80).
bool DIBtoJPG(const QString& path, const QImage& image, int quality = 80, QString* error = nullptr);

// The encoded bytes, for callers that keep them in memory.
QByteArray encodePng(const QImage& image);
QByteArray encodeJpeg(const QImage& image, int quality = 80);

// The deflate level of a picture written once and not kept, such as a
// headless render. On 1920 x 1080 views level 1 writes files about as large
// as the usual encoder's (line maps the same, elevation colours 3 % larger)
// in a quarter to an eighth of its time; level 2 saves a tenth on line maps
// for a fifth to two fifths more time (bench_png measures it).
constexpr int kFastPngLevel = 1;

// The image as an 8-bit truecolour PNG written for speed: each row filtered
// by the one above, the rows compressed at the given deflate level (1
// fastest to 12 smallest), the resolution kept. At the fastest level a
// picture of a megabyte and more is compressed on two processors, its top
// half by a run coder (render/DeflateRle.h). Every decoder reads it as it
// reads any PNG. Empty for a null image.
QByteArray encodePngFast(const QImage& image, int level = kFastPngLevel);

}  // namespace kavalo
