// SPDX-License-Identifier: MIT
#pragma once
// A PNG compressed while its picture is still being drawn: the rows are
// handed over top to bottom as they become final, each band is filtered and
// compressed at once, and the file is complete soon after the last row. A
// picture composed band by band as its tiles arrive is written this way, so
// that little of the encoding is left when the last tile is in.
//
// The file is of the kind encodePngFast writes (8-bit truecolour, each row
// filtered by the one above, the resolution kept). The bands are compressed
// by zlib at its fastest setting, which can go on from band to band in one
// stream; the last band, the one left when the picture is complete, by the
// faster one-shot compressor that ends the stream.
#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstddef>
#include <memory>
#include <vector>

namespace kavalo {

class PngRowEncoder {
 public:
  explicit PngRowEncoder(QSize size);
  ~PngRowEncoder();
  PngRowEncoder(const PngRowEncoder&) = delete;
  PngRowEncoder& operator=(const PngRowEncoder&) = delete;

  // Filters and compresses the next count rows of picture, which has the
  // encoder's size and is RGB32. The row above the
  // first is read again for its filter, so it must still hold what it held
  // when it was handed over. False when the rows do not follow on, the
  // picture does not fit, or memory ran out: the encoder then takes no more.
  bool addRows(const QImage& picture, int count);
  int rowsDone() const { return rowsDone_; }

  // The whole file, with the given resolution (pixels per metre, none when
  // 0). Empty unless every row was handed over.
  QByteArray finish(int dotsPerMeterX, int dotsPerMeterY);

 private:
  struct Stream;
  // Compresses the last rows (filtered) and ends the stream.
  bool endWith(const std::vector<unsigned char>& rows);
  QSize size_;
  int rowsDone_ = 0;
  bool failed_ = false;
  std::unique_ptr<Stream> stream_;
};

// The parts both PNG writers share.
namespace png {

// Filters rows [first, first + count) of an opaque 32-bit picture into out
// (count * (1 + 3 * width) bytes): the filter byte "up", then the
// differences of R, G and B to the row above (the row above the first row
// of the picture is zeros).
void filterRowsUp(const QImage& picture, int first, int count, unsigned char* out);

// The file around a zlib stream of filtered rows: signature, header, the
// resolution when given, the data in chunks of a megabyte, the end.
QByteArray assemble(QSize size, int dotsPerMeterX, int dotsPerMeterY, const unsigned char* zlibData, size_t length);

}  // namespace png

}  // namespace kavalo
