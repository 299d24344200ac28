// SPDX-License-Identifier: MIT
#include "render/ImageCheck.h"

#include <zlib.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QtEndian>

#include <array>
#include <csetjmp>
#include <cstdio>

// libjpeg's header needs the standard types declared first.
#include <jpeglib.h>

#include "render/ImageLibrary.h"

namespace kavalo {

namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// A JPEG's frame header comes after its tables and application segments;
// cameras put thumbnails there, tile servers nothing that large.
constexpr qsizetype kMaxJpegHeaderBytes = 256 * 1024;

inline uint32_t be32(const QByteArray& b, qsizetype at) {
  return qFromBigEndian<uint32_t>(reinterpret_cast<const uchar*>(b.constData()) + at);
}
inline int be16(const QByteArray& b, qsizetype at) {
  return (static_cast<uchar>(b[at]) << 8) | static_cast<uchar>(b[at + 1]);
}

ImageHeader invalid() { return {ImageHeader::State::Invalid, {}, {}}; }

ImageHeader parsePngHeader(const QByteArray& b) {
  // The signature, the IHDR length (13) and its type: fixed bytes.
  static const QByteArray fixed =
      QByteArray(reinterpret_cast<const char*>(kPngSignature), 8) + QByteArray("\x00\x00\x00\x0DIHDR", 8);
  const qsizetype n = std::min<qsizetype>(b.size(), fixed.size());
  if (b.left(n) != fixed.left(n)) return invalid();
  if (b.size() < 24) return {};
  const uint32_t w = be32(b, 16), h = be32(b, 20);
  if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) return invalid();
  return {ImageHeader::State::Known, QByteArrayLiteral("png"), QSize(static_cast<int>(w), static_cast<int>(h))};
}

bool isFrameMarker(int m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

ImageHeader parseJpegHeader(const QByteArray& b) {
  if (b.size() < 2) return {};
  if (static_cast<uchar>(b[1]) != 0xD8) return invalid();
  qsizetype pos = 2;
  for (;;) {
    if (pos >= kMaxJpegHeaderBytes) return invalid();
    if (pos >= b.size()) return {};
    if (static_cast<uchar>(b[pos]) != 0xFF) return invalid();
    // Fill bytes may stand before a marker.
    while (pos + 1 < b.size() && static_cast<uchar>(b[pos + 1]) == 0xFF) ++pos;
    if (pos + 1 >= b.size()) return {};
    const int marker = static_cast<uchar>(b[pos + 1]);
    pos += 2;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    // A second start, the end or the data before any frame: not an image.
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || marker == 0x00) return invalid();
    if (pos + 2 > b.size()) return {};
    const int length = be16(b, pos);
    if (length < 2) return invalid();
    if (isFrameMarker(marker)) {
      if (length < 8) return invalid();
      if (pos + 7 > b.size()) return {};
      const int h = be16(b, pos + 3), w = be16(b, pos + 5);
      // A height of 0 (to be given later by a DNL marker) is not served by anyone.
      if (w == 0 || h == 0) return invalid();
      return {ImageHeader::State::Known, QByteArrayLiteral("jpeg"), QSize(w, h)};
    }
    pos += length;
  }
}

// PNG: channels of a colour type and the bit depths it allows.
int pngBitsPerPixel(int colourType, int depth) {
  auto in = [depth](std::initializer_list<int> allowed) {
    for (int a : allowed)
      if (a == depth) return true;
    return false;
  };
  switch (colourType) {
    case 0:
      return in({1, 2, 4, 8, 16}) ? depth : 0;
    case 2:
      return in({8, 16}) ? 3 * depth : 0;
    case 3:
      return in({1, 2, 4, 8}) ? depth : 0;
    case 4:
      return in({8, 16}) ? 2 * depth : 0;
    case 6:
      return in({8, 16}) ? 4 * depth : 0;
    default:
      return 0;
  }
}

// The bytes the image data inflates to: a filter byte and the packed pixels
// of each row, pass by pass when interlaced.
qint64 pngRawSize(qint64 w, qint64 h, int bpp, bool interlaced) {
  auto rows = [bpp](qint64 pw, qint64 ph) { return pw > 0 && ph > 0 ? ph * (1 + (pw * bpp + 7) / 8) : 0; };
  if (!interlaced) return rows(w, h);
  static constexpr int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                       {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  qint64 total = 0;
  for (const auto& p : passes) {
    const qint64 pw = w > p[0] ? (w - p[0] + p[2] - 1) / p[2] : 0;
    const qint64 ph = h > p[1] ? (h - p[1] + p[3] - 1) / p[3] : 0;
    total += rows(pw, ph);
  }
  return total;
}

struct Inflater {
  z_stream z{};
  bool open = false;
  bool ended = false;
  qint64 out = 0;
  Inflater() { open = inflateInit(&z) == Z_OK; }
  ~Inflater() {
    if (open) inflateEnd(&z);
  }
  // False when the data is damaged or runs past its end.
  bool feed(const uchar* data, qsizetype size, qint64 limit) {
    if (ended) return size == 0;
    std::array<uchar, 64 * 1024> scratch;
    z.next_in = const_cast<uchar*>(data);
    z.avail_in = static_cast<uInt>(size);
    while (z.avail_in > 0 && !ended) {
      z.next_out = scratch.data();
      z.avail_out = static_cast<uInt>(scratch.size());
      const int r = inflate(&z, Z_NO_FLUSH);
      out += static_cast<qint64>(scratch.size() - z.avail_out);
      if (out > limit) return false;
      if (r == Z_STREAM_END) {
        ended = true;
        break;
      }
      if (r != Z_OK) return false;
    }
    // Compressed data after the end of the stream is a decoder's complaint.
    return !(ended && z.avail_in > 0);
  }
};

QString pngWholeRefusal(const QByteArray& b, const ImageRule& rule) {
  const ImageHeader header = parsePngHeader(b);
  if (header.state != ImageHeader::State::Known)
    return QCoreApplication::translate("kavalo::ImageCheck", "PNG画像ではありません");
  if (QString why = headerRefusal(header, rule); !why.isEmpty()) return why;
  if (b.size() < 33) return QCoreApplication::translate("kavalo::ImageCheck", "PNGがヘッダーの途中で切れています");
  const int depth = static_cast<uchar>(b[24]), colourType = static_cast<uchar>(b[25]);
  const int interlace = static_cast<uchar>(b[28]);
  const int bpp = pngBitsPerPixel(colourType, depth);
  if (bpp == 0 || b[26] != 0 || b[27] != 0 || interlace > 1)
    return QCoreApplication::translate("kavalo::ImageCheck", "PNGのヘッダーが壊れています");
  const qint64 expected = pngRawSize(header.size.width(), header.size.height(), bpp, interlace == 1);

  Inflater inflater;
  if (!inflater.open) return QCoreApplication::translate("kavalo::ImageCheck", "PNGを確かめるメモリがありません");
  bool seenData = false, dataDone = false, seenPalette = false;
  qsizetype pos = 8;
  for (bool first = true;; first = false) {
    if (pos + 12 > b.size())
      return QCoreApplication::translate("kavalo::ImageCheck", "PNGが終わりのチャンクの前で切れています");
    const uint32_t length = be32(b, pos);
    if (length > 0x7FFFFFFFu || pos + 12 + static_cast<qint64>(length) > b.size())
      return QCoreApplication::translate("kavalo::ImageCheck", "PNGが終わりのチャンクの前で切れています");
    const QByteArray type = b.mid(pos + 4, 4);
    const uchar* data = reinterpret_cast<const uchar*>(b.constData()) + pos + 8;
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(b.constData()) + pos + 4, length + 4);
    if (crc != be32(b, pos + 8 + length))
      return QCoreApplication::translate("kavalo::ImageCheck", "PNGのチャンクが壊れています（%1）")
          .arg(QLatin1String(type));
    if (first != (type == "IHDR") || (type == "IHDR" && length != 13))
      return QCoreApplication::translate("kavalo::ImageCheck", "PNGのヘッダーが壊れています");
    if (type == "IDAT") {
      if (dataDone) return QCoreApplication::translate("kavalo::ImageCheck", "PNGの画像データが分かれています");
      seenData = true;
      if (!inflater.feed(data, length, expected))
        return QCoreApplication::translate("kavalo::ImageCheck", "PNGの画像データが壊れています");
    } else {
      dataDone = seenData;
      if (type == "PLTE") seenPalette = true;
      if (type == "IEND") break;
      // An unknown critical chunk (upper-case first letter) stops a decoder.
      const bool critical = (static_cast<uchar>(type[0]) & 0x20) == 0;
      if (critical && type != "IHDR" && type != "PLTE")
        return QCoreApplication::translate("kavalo::ImageCheck", "PNGに知らないチャンクがあります");
    }
    pos += 12 + length;
  }
  if (!seenData || !inflater.ended || inflater.out != expected)
    return QCoreApplication::translate("kavalo::ImageCheck", "PNGの画像データが足りません");
  if (colourType == 3 && !seenPalette)
    return QCoreApplication::translate("kavalo::ImageCheck", "PNGにパレットがありません");
  return {};
}

// libjpeg reports errors by a jump out of the decoder and warnings through a
// message; both are counted as refusals here.
struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  int warnings;
  char text[JMSG_LENGTH_MAX];
};

void jpegFail(j_common_ptr c) {
  auto* e = reinterpret_cast<JpegErrors*>(c->err);
  (*c->err->format_message)(c, e->text);
  std::longjmp(e->jump, 1);
}

void jpegMessage(j_common_ptr c, int level) {
  auto* e = reinterpret_cast<JpegErrors*>(c->err);
  if (level >= 0) return;  // trace output
  if (e->warnings++ == 0) (*c->err->format_message)(c, e->text);
}

// A progressive file of thousands of tiny scans takes long to decode
// whatever its size; no encoder writes more than a few dozen.
constexpr int kMaxJpegScans = 200;
void jpegProgress(j_common_ptr c) {
  auto* d = reinterpret_cast<j_decompress_ptr>(c);
  if (d->input_scan_number > kMaxJpegScans) {
    auto* e = reinterpret_cast<JpegErrors*>(c->err);
    std::snprintf(e->text, sizeof e->text, "more than %d scans", kMaxJpegScans);
    std::longjmp(e->jump, 2);
  }
}

// Kept free of C++ objects with destructors: a jump out of libjpeg leaves
// this frame without running any.
int jpegDecodeAll(const uchar* data, unsigned long size, int maxW, int maxH, JpegErrors* errors, int* w, int* h) {
  jpeg_decompress_struct cinfo;
  jpeg_progress_mgr progress;
  cinfo.err = jpeg_std_error(&errors->base);
  errors->base.error_exit = jpegFail;
  errors->base.emit_message = jpegMessage;
  errors->warnings = 0;
  errors->text[0] = 0;
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return -1;
  }
  jpeg_create_decompress(&cinfo);
  progress.progress_monitor = jpegProgress;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  *w = static_cast<int>(cinfo.image_width);
  *h = static_cast<int>(cinfo.image_height);
  // Nothing larger than the source delivers is decoded at all.
  if (*w > maxW || *h > maxH) {
    jpeg_destroy_decompress(&cinfo);
    return -2;
  }
  // Every coefficient is read (that is where a cut or a damage shows); the
  // pixels themselves are not wanted, so they come out at an eighth.
  cinfo.scale_num = 1;
  cinfo.scale_denom = 8;
  cinfo.dct_method = JDCT_IFAST;
  cinfo.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&cinfo);
  const JDIMENSION stride = cinfo.output_width * static_cast<JDIMENSION>(cinfo.output_components);
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, stride, 1);
  while (cinfo.output_scanline < cinfo.output_height) jpeg_read_scanlines(&cinfo, row, 1);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return 0;
}

QString jpegWholeRefusal(const QByteArray& b, const ImageRule& rule) {
  const ImageHeader header = parseJpegHeader(b);
  if (header.state != ImageHeader::State::Known)
    return QCoreApplication::translate("kavalo::ImageCheck", "JPEG画像ではありません");
  if (QString why = headerRefusal(header, rule); !why.isEmpty()) return why;
  JpegErrors errors;
  int w = 0, h = 0;
  const int r = jpegDecodeAll(reinterpret_cast<const uchar*>(b.constData()), static_cast<unsigned long>(b.size()),
                              rule.maxSize.width(), rule.maxSize.height(), &errors, &w, &h);
  if (r == -2) return QCoreApplication::translate("kavalo::ImageCheck", "JPEGが%1×%2画素あります").arg(w).arg(h);
  if (r != 0)
    return QCoreApplication::translate("kavalo::ImageCheck", "JPEGを読めません（%1）")
        .arg(QString::fromLatin1(errors.text));
  if (errors.warnings > 0)
    return QCoreApplication::translate("kavalo::ImageCheck", "JPEGが壊れています（%1）")
        .arg(QString::fromLatin1(errors.text));
  return {};
}

}  // namespace

ImageHeader parseImageHeader(const QByteArray& prefix) {
  if (prefix.isEmpty()) return {};
  const uchar first = static_cast<uchar>(prefix[0]);
  if (first == kPngSignature[0]) return parsePngHeader(prefix);
  if (first == 0xFF) return parseJpegHeader(prefix);
  return invalid();
}

QString headerRefusal(const ImageHeader& header, const ImageRule& rule) {
  if (header.state == ImageHeader::State::NeedMore)
    return QCoreApplication::translate("kavalo::ImageCheck", "画像がヘッダーの途中で切れています");
  if (header.state == ImageHeader::State::Invalid)
    return QCoreApplication::translate("kavalo::ImageCheck", "PNGでもJPEGでもありません");
  if (!rule.format.isEmpty() && header.format != rule.format)
    return QCoreApplication::translate("kavalo::ImageCheck", "%2を求めたところ%1画像でした")
        .arg(QString::fromLatin1(header.format), QString::fromLatin1(rule.format));
  if (header.size.width() > rule.maxSize.width() || header.size.height() > rule.maxSize.height())
    return QCoreApplication::translate("kavalo::ImageCheck", "画像が%1×%2画素あり、%3×%4を超えています")
        .arg(header.size.width())
        .arg(header.size.height())
        .arg(rule.maxSize.width())
        .arg(rule.maxSize.height());
  return {};
}

QString imageWholeRefusal(const QByteArray& bytes, const ImageRule& rule) {
  const ImageHeader header = parseImageHeader(bytes);
  if (QString why = headerRefusal(header, rule); !why.isEmpty()) return why;
  return header.format == "png" ? pngWholeRefusal(bytes, rule) : jpegWholeRefusal(bytes, rule);
}

QImage decodeFetchedImage(const QByteArray& bytes, const ImageRule& rule) {
  if (!imageWholeRefusal(bytes, rule).isEmpty()) return {};
  QBuffer buffer;
  buffer.setData(bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer);
  // The decoder's own reading of the size, before a pixel is decoded.
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > rule.maxSize.width() || size.height() > rule.maxSize.height()) return {};
  reader.setAllocationLimit(static_cast<int>(qint64(rule.maxSize.width()) * rule.maxSize.height() * 8 / (1 << 20)) + 1);
  QImage image;
  if (!reader.read(&image) || image.isNull() || image.size() != size) return {};
  return toOpaqueRgb32(image);
}

}  // namespace kavalo
