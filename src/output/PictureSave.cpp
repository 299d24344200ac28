// SPDX-License-Identifier: MIT
#include "output/PictureSave.h"

#include <QBuffer>
#include <QImageWriter>

#include "platform/AtomicFile.h"
#include "render/ImageLibrary.h"

namespace kavalo {

namespace {

// Qt's PNG writer turns a quality q into the zlib level (100 - q) * 9 / 91.
constexpr int kPngQuality = 70;  // zlib level 2

bool save(const QImage& picture, const QString& path, bool jpeg) {
  const QByteArray bytes = encodePicture(picture, jpeg);
  return !bytes.isEmpty() && writeFileAtomically(path, bytes);
}

}  // namespace

QByteArray encodePicture(const QImage& picture, bool jpeg) {
  if (picture.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, jpeg ? "jpeg" : "png");
  writer.setQuality(jpeg ? kJpegQuality : kPngQuality);
  if (!writer.write(toOpaqueRgb32(picture))) return {};
  return bytes;
}

bool SavePictureAsPng(const QImage& picture, const QString& path) { return save(picture, path, false); }

bool SavePictureAsJpeg(const QImage& picture, const QString& path) { return save(picture, path, true); }

}  // namespace kavalo
