// SPDX-License-Identifier: MIT
#include "render/PngRowEncoder.h"

#include <QtEndian>

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace kavalo {

namespace png {

namespace {

void appendChunk(QByteArray& out, const char* type, const unsigned char* data, size_t length) {
  unsigned char head[8];
  qToBigEndian<uint32_t>(static_cast<uint32_t>(length), head);
  std::memcpy(head + 4, type, 4);
  out.append(reinterpret_cast<const char*>(head), 8);
  out.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
  // The check covers the type and the data, not the length.
  // (A null buffer would restart the check at 0, hence the test.)
  uint32_t crc = libdeflate_crc32(0, head + 4, 4);
  if (length > 0) crc = libdeflate_crc32(crc, data, length);
  unsigned char tail[4];
  qToBigEndian<uint32_t>(crc, tail);
  out.append(reinterpret_cast<const char*>(tail), 4);
}

}  // namespace

void filterRowsUp(const QImage& picture, int first, int count, unsigned char* out) {
  const size_t width = static_cast<size_t>(picture.width());
  const QRgb zeros[1] = {0};
  for (int y = first; y < first + count; ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    const QRgb* above = y > 0 ? reinterpret_cast<const QRgb*>(picture.constScanLine(y - 1)) : zeros;
    const size_t step = y > 0 ? 1 : 0;
    *out++ = 2;  // Up
    for (size_t x = 0; x < width; ++x, out += 3) {
      const QRgb a = above[x * step];
      out[0] = static_cast<unsigned char>(qRed(from[x]) - qRed(a));
      out[1] = static_cast<unsigned char>(qGreen(from[x]) - qGreen(a));
      out[2] = static_cast<unsigned char>(qBlue(from[x]) - qBlue(a));
    }
  }
}

QByteArray assemble(QSize size, int dotsPerMeterX, int dotsPerMeterY, const unsigned char* zlibData, size_t length) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(length + 128 + length / (1 << 20) * 12));
  out.append("\x89PNG\r\n\x1a\n", 8);
  unsigned char header[13];
  qToBigEndian<uint32_t>(static_cast<uint32_t>(size.width()), header);
  qToBigEndian<uint32_t>(static_cast<uint32_t>(size.height()), header + 4);
  header[8] = 8;   // bits per sample
  header[9] = 2;   // truecolour
  header[10] = 0;  // deflate
  header[11] = 0;  // the five row filters
  header[12] = 0;  // not interlaced
  appendChunk(out, "IHDR", header, sizeof header);
  if (dotsPerMeterX > 0 && dotsPerMeterY > 0) {
    unsigned char physical[9];
    qToBigEndian<uint32_t>(static_cast<uint32_t>(dotsPerMeterX), physical);
    qToBigEndian<uint32_t>(static_cast<uint32_t>(dotsPerMeterY), physical + 4);
    physical[8] = 1;  // per metre
    appendChunk(out, "pHYs", physical, sizeof physical);
  }
  // Data chunks of a megabyte, as other writers make them.
  constexpr size_t kChunk = size_t(1) << 20;
  for (size_t at = 0; at < length; at += kChunk) appendChunk(out, "IDAT", zlibData + at, std::min(kChunk, length - at));
  appendChunk(out, "IEND", nullptr, 0);
  return out;
}

}  // namespace png

struct PngRowEncoder::Stream {
  z_stream z{};
  bool open = false;
  std::vector<unsigned char> rows;  // one band, filtered
  std::vector<unsigned char> out;   // the zlib stream so far
  ~Stream() {
    if (open) deflateEnd(&z);
  }
  // Compresses what is in z's input (all of it); with Z_SYNC_FLUSH also
  // what zlib holds back, up to a byte boundary. False when zlib fails or
  // memory runs out.
  bool run(int flush) {
    try {
      for (;;) {
        if (out.size() - z.total_out < 65536) out.resize(out.size() + std::max<size_t>(out.size() / 2, 1 << 20));
        z.next_out = out.data() + z.total_out;
        const size_t room = std::min<size_t>(out.size() - z.total_out, std::numeric_limits<uInt>::max());
        z.avail_out = static_cast<uInt>(room);
        const int status = deflate(&z, flush);
        // (Without room to write, zlib makes no progress and says so; with
        // room, it is a fault.)
        if (status != Z_OK && !(status == Z_BUF_ERROR && z.avail_out == 0)) return false;
        // Done with the input, and zlib had room left over: it has written
        // all it was asked to.
        if (z.avail_in == 0 && z.avail_out > 0) return true;
      }
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
};

PngRowEncoder::PngRowEncoder(QSize size) : size_(size), stream_(std::make_unique<Stream>()) {
  failed_ = size.isEmpty() || deflateInit(&stream_->z, 1) != Z_OK;
  stream_->open = !failed_;
}

PngRowEncoder::~PngRowEncoder() = default;

bool PngRowEncoder::addRows(const QImage& picture, int count) {
  if (failed_ || count <= 0 || picture.size() != size_ || rowsDone_ + count > size_.height() ||
      picture.format() != QImage::Format_RGB32) {
    failed_ = true;
    return false;
  }
  Stream& s = *stream_;
  const size_t rowBytes = 1 + 3 * static_cast<size_t>(size_.width());
  try {
    s.rows.resize(rowBytes * static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    failed_ = true;
    return false;
  }
  png::filterRowsUp(picture, rowsDone_, count, s.rows.data());
  if (rowsDone_ + count < size_.height()) {
    // zlib takes at most 4 GiB at a call; a band is far below that.
    s.z.next_in = s.rows.data();
    s.z.avail_in = static_cast<uInt>(s.rows.size());
    if (!s.run(Z_NO_FLUSH)) {
      failed_ = true;
      return false;
    }
  } else if (!endWith(s.rows)) {
    failed_ = true;
    return false;
  }
  rowsDone_ += count;
  return true;
}

bool PngRowEncoder::endWith(const std::vector<unsigned char>& rows) {
  // The last rows are what is left to do once the picture is complete:
  // they go through the faster one-shot compressor, whose stream ends the
  // data, after what zlib holds is flushed to a byte boundary. The stream's
  // check covers both.
  Stream& s = *stream_;
  s.z.next_in = nullptr;
  s.z.avail_in = 0;
  if (!s.run(Z_SYNC_FLUSH)) return false;
  std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> compressor(libdeflate_alloc_compressor(1),
                                                                                     libdeflate_free_compressor);
  if (!compressor) return false;
  const size_t bound = libdeflate_deflate_compress_bound(compressor.get(), rows.size());
  try {
    s.out.resize(s.z.total_out + bound + 4);
  } catch (const std::bad_alloc&) {
    return false;
  }
  unsigned char* at = s.out.data() + s.z.total_out;
  const size_t length = libdeflate_deflate_compress(compressor.get(), rows.data(), rows.size(), at, bound);
  if (length == 0) return false;
  qToBigEndian<uint32_t>(libdeflate_adler32(static_cast<uint32_t>(s.z.adler), rows.data(), rows.size()), at + length);
  s.out.resize(s.z.total_out + length + 4);
  return true;
}

QByteArray PngRowEncoder::finish(int dotsPerMeterX, int dotsPerMeterY) {
  if (failed_ || rowsDone_ != size_.height()) return {};
  failed_ = true;  // the file is written once
  const Stream& s = *stream_;
  return png::assemble(size_, dotsPerMeterX, dotsPerMeterY, s.out.data(), s.out.size());
}

}  // namespace kavalo
