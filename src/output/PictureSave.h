// SPDX-License-Identifier: MIT
#pragma once
// Saving a picture (the map view) as a PNG or JPEG file of exactly the
// picture's pixel size. The file is replaced whole or not at all. No message
// is shown here: callers word their own.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace kavalo {

// The JPEG quality of every picture the program saves.
inline constexpr int kJpegQuality = 80;

// The picture encoded as PNG or as JPEG of quality 80; empty on failure.
// PNG uses a light compression (zlib level 2): on a map view of 1920 x 1080
// the file is about a tenth larger than at the usual level 6 and is written
// two and a half times faster; the encode is most of an export's time.
QByteArray encodePicture(const QImage& picture, bool jpeg);

bool SavePictureAsPng(const QImage& picture, const QString& path);
bool SavePictureAsJpeg(const QImage& picture, const QString& path);

}  // namespace kavalo
