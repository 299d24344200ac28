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
// PNG uses a light compression: on a map view the files grow by a few per
// cent against the strongest level and are written several times faster.
QByteArray encodePicture(const QImage& picture, bool jpeg);

bool SavePictureAsPng(const QImage& picture, const QString& path);
bool SavePictureAsJpeg(const QImage& picture, const QString& path);

}  // namespace kavalo
