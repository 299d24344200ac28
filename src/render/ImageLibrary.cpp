#include "render/ImageLibrary.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace kavalo {

namespace {

// A JPEG decoder fills a file that ends early with grey and reports success;
// a complete file has its end marker after the last scan's start marker.
// (Inside the compressed data a 0xFF byte is always followed by 0x00 or a
// restart marker, so neither marker can appear there by chance.)
bool jpegComplete(const QByteArray& data) {
  const qsizetype lastScan = data.lastIndexOf(QByteArrayLiteral("\xFF\xDA"));
  const qsizetype end = data.lastIndexOf(QByteArrayLiteral("\xFF\xD9"));
  return lastScan >= 0 && end > lastScan;
}

QImage decodeWith(const QByteArray& data, const QByteArray& format) {
  if (data.isEmpty()) return {};
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(format.isEmpty());
  QImage image;
  // A PNG that ends early is decoded in part and reported as a failure.
  if (!reader.read(&image) || image.isNull()) return {};
  if (reader.format() == "jpeg" && !jpegComplete(data)) return {};
  return toOpaqueRgb32(image);
}

bool writeEncoded(const QString& path, const QByteArray& bytes, QString* error) {
  if (bytes.isEmpty()) {
    if (error) *error = QStringLiteral("画像を変換できません: %1").arg(path);
    return false;
  }
  return writeFileAtomically(path, bytes, error);
}

}  // namespace

QImage toOpaqueRgb32(const QImage& image) {
  if (image.isNull() || image.format() == QImage::Format_RGB32) return image;
  if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
  QImage out(image.size(), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter p(&out);
  p.drawImage(0, 0, image);
  return out;
}

QImage decodePng(const QByteArray& data) { return decodeWith(data, QByteArrayLiteral("png")); }

QImage decodeImage(const QByteArray& data) { return decodeWith(data, QByteArray()); }

QImage PNGtoDIB(const QString& path) {
  QByteArray bytes;
  if (!readFileBytes(path, bytes, nullptr)) return {};
  return decodePng(bytes);
}

QImage DCtoDIB(const QImage& picture, const QRect& rect) {
  if (rect.isEmpty()) return {};
  QImage out(rect.size(), QImage::Format_RGB32);
  out.fill(Qt::white);
  if (picture.isNull()) return out;
  QPainter p(&out);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(0, 0), toOpaqueRgb32(picture), rect);
  return out;
}

bool DIBto8Bit(QImage& image) {
  if (image.isNull()) return false;
  if (image.format() == QImage::Format_Indexed8) return true;
  // Qt keeps the exact colours of an image with no more than 256 of them and
  // dithers over a colour cube otherwise.
  image = toOpaqueRgb32(image).convertToFormat(QImage::Format_Indexed8);
  return !image.isNull() && image.colorCount() <= 256;
}

QByteArray encodePng(const QImage& image) {
  if (image.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  const QImage source = image.format() == QImage::Format_Indexed8 ? image : toOpaqueRgb32(image);
  if (!writer.write(source)) return {};
  return bytes;
}

QByteArray encodeJpeg(const QImage& image, int quality) {
  if (image.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  if (!writer.write(toOpaqueRgb32(image))) return {};
  return bytes;
}

bool DIBtoPNG(const QString& path, const QImage& image, QString* error) {
  return writeEncoded(path, encodePng(image), error);
}

bool DIBtoJPG(const QString& path, const QImage& image, int quality, QString* error) {
  return writeEncoded(path, encodeJpeg(image, quality), error);
}

}  // namespace kavalo
