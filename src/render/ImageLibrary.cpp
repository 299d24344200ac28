// SPDX-License-Identifier: MIT
#include "render/ImageLibrary.h"

#include "render/DeflateRle.h"
#include "render/PaletteQuantizer.h"
#include "render/PngRowEncoder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "render/PaletteQuantizer.h"

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

// keepPalette: a palette image comes back as it is (four times smaller than
// its RGB32 picture; the stretch reads it through its colours).
QImage decodeWith(const QByteArray& data, const QByteArray& format, bool keepPalette = false) {
  if (data.isEmpty()) return {};
  // The reader names no format when it decided from the content, so a JPEG
  // is known by its start-of-image marker; one that ends early is not
  // decoded at all (the decoder would fill it with grey and call it whole).
  const bool jpeg = format == "jpeg" || (format.isEmpty() && data.startsWith(QByteArrayLiteral("\xFF\xD8")));
  if (jpeg && !jpegComplete(data)) return {};
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(format.isEmpty());
  QImage image;
  // A PNG that ends early is decoded in part and reported as a failure.
  if (!reader.read(&image) || image.isNull()) return {};
  if (keepPalette && image.format() == QImage::Format_Indexed8) return image;
  return toOpaqueRgb32(image);
}

bool writeEncoded(const QString& path, const QByteArray& bytes, QString* error) {
  if (bytes.isEmpty()) {
    if (error) *error = QCoreApplication::translate("kavalo::ImageLibrary", "画像を変換できません: %1").arg(path);
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

QImage decodeTilePicture(const QByteArray& data, bool png) {
  return decodeWith(data, png ? QByteArrayLiteral("png") : QByteArray(), true);
}

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
  // The exact colours of an image with no more than 256 of them; otherwise a
  // palette of its own colours, dithered only where they stray far from it
  // (a fixed colour cube spreads a dot pattern over every flat tint).
  image = quantizeToPalette(toOpaqueRgb32(image));
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

namespace {

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

QByteArray encodePngFast(const QImage& image, int level) {
  if (image.isNull()) return {};
  const QImage source = toOpaqueRgb32(image);
  const size_t width = static_cast<size_t>(source.width());
  const size_t height = static_cast<size_t>(source.height());
  const size_t rowBytes = 1 + 3 * width;  // the filter byte, then R G B
  const size_t total = rowBytes * height;
  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(std::clamp(level, 1, 12)));
  if (!compressor) return {};
  std::unique_ptr<unsigned char[]> rows;
  std::unique_ptr<unsigned char[]> packed;
  size_t bound = 0;
  try {
    rows.reset(new unsigned char[total]);
    bound = libdeflate_zlib_compress_bound(compressor.get(), total);
    packed.reset(new unsigned char[bound]);
  } catch (const std::bad_alloc&) {
    return {};
  }
  // Every row is filtered by the row above (the first by a row of zeros):
  // on elevation colours this saves a quarter of the file against no
  // filter, on line maps it costs a fifth, and it takes one subtraction per
  // byte where choosing a filter per row would take several passes.
  //
  // A large picture at the fastest level is compressed on two processors:
  // its top rows by the run coder on another thread (render/DeflateRle.h),
  // the rest by the one-shot compressor here, the two raw streams joined
  // into one.
  constexpr size_t kSplitBytes = size_t(1) << 20;
  // The run coder takes the top half: both end about together on map
  // pictures (bench_png), and the file grows by a twentieth on the sample
  // region's maps (by a fifth on the benchmark region's repeated tiles,
  // whose long repeats only the one-shot compressor finds).
  const size_t top = height / 2;
  if (level <= kFastPngLevel && total >= kSplitBytes && top > 0 && std::thread::hardware_concurrency() >= 2) {
    std::vector<unsigned char> stream = {0x78, 0x01};  // deflate, 32 KiB window, fastest
    bool headOk = false;
    std::thread worker;
    try {
      worker = std::thread([&] {
        png::filterRowsUp(source, 0, static_cast<int>(top), rows.get());
        headOk = png::deflateRuns(rows.get(), rowBytes * top, stream);
      });
    } catch (const std::system_error&) {
      // No thread to be had: the whole picture is compressed here below.
    }
    if (worker.joinable()) {
      unsigned char* rest = rows.get() + rowBytes * top;
      png::filterRowsUp(source, static_cast<int>(top), static_cast<int>(height - top), rest);
      const size_t tail =
          libdeflate_deflate_compress(compressor.get(), rest, rowBytes * (height - top), packed.get(), bound);
      worker.join();
      if (!headOk || tail == 0) return {};
      try {
        stream.insert(stream.end(), packed.get(), packed.get() + tail);
        unsigned char check[4];
        qToBigEndian<uint32_t>(libdeflate_adler32(1, rows.get(), total), check);
        stream.insert(stream.end(), check, check + 4);
      } catch (const std::bad_alloc&) {
        return {};
      }
      return png::assemble(source.size(), source.dotsPerMeterX(), source.dotsPerMeterY(), stream.data(),
                           stream.size());
    }
  }
  png::filterRowsUp(source, 0, static_cast<int>(height), rows.get());
  const size_t length = libdeflate_zlib_compress(compressor.get(), rows.get(), total, packed.get(), bound);
  if (length == 0) return {};
  return png::assemble(source.size(), source.dotsPerMeterX(), source.dotsPerMeterY(), packed.get(), length);
}

bool DIBtoPNG(const QString& path, const QImage& image, QString* error) {
  return writeEncoded(path, encodePng(image), error);
}

bool DIBtoJPG(const QString& path, const QImage& image, int quality, QString* error) {
  return writeEncoded(path, encodeJpeg(image, quality), error);
}

}  // namespace kavalo
