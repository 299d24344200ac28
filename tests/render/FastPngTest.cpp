// SPDX-License-Identifier: MIT
// The PNG written for speed and the composition of a picture that is only
// written out.
#include <gtest/gtest.h>

#include <QtEndian>

#include <zlib.h>

#include <functional>
#include <random>
#include <vector>

#include "render/ImageLibrary.h"
#include "render/PngRowEncoder.h"
#include "render/RenderFixture.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

QImage noise(int width, int height, unsigned seed) {
  std::mt19937 rng(seed);
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  return image;
}

// The rows a PNG file's data stream inflates to, read the way a strict
// decoder reads it: every chunk's check, the stream's own check, nothing
// left over. Empty when anything is wrong.
QByteArray strictRows(const QByteArray& png) {
  if (!png.startsWith("\x89PNG\r\n\x1a\n")) return {};
  QByteArray stream;
  for (qsizetype at = 8; at + 12 <= png.size();) {
    const uint32_t length = qFromBigEndian<uint32_t>(png.constData() + at);
    if (at + 12 + qsizetype(length) > png.size()) return {};
    const QByteArray typeAndData = png.mid(at + 4, 4 + qsizetype(length));
    const uint32_t crc = ::crc32(0, reinterpret_cast<const Bytef*>(typeAndData.constData()),
                                 static_cast<uInt>(typeAndData.size()));
    if (crc != qFromBigEndian<uint32_t>(png.constData() + at + 8 + length)) return {};
    if (typeAndData.startsWith("IDAT")) stream += typeAndData.mid(4);
    at += 12 + qsizetype(length);
  }
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return {};
  QByteArray rows(64 << 20, Qt::Uninitialized);
  z.next_in = reinterpret_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(rows.data());
  z.avail_out = static_cast<uInt>(rows.size());
  const int status = inflate(&z, Z_FINISH);
  const bool whole = status == Z_STREAM_END && z.avail_in == 0;
  rows.truncate(static_cast<qsizetype>(z.total_out));
  inflateEnd(&z);
  return whole ? rows : QByteArray();
}

}  // namespace

// Any size and any colour comes back from a standard decoder exactly, with
// its resolution; noise too large for one data chunk as well.
TEST(FastPng, DecodesToTheSamePixelsAtEverySizeAndLevel) {
  QImage twoColours(3, 2, QImage::Format_RGB32);
  twoColours.fill(qRgb(1, 2, 3));
  twoColours.setPixel(2, 1, qRgb(254, 0, 128));
  QImage dotted = noise(257, 3, 1);
  dotted.setDotsPerMeterX(2835);
  dotted.setDotsPerMeterY(5000);
  // Half-transparent paint over white, as every picture of the program.
  QImage translucent(5, 4, QImage::Format_ARGB32);
  translucent.fill(qRgba(200, 0, 0, 128));

  const struct {
    const char* what;
    QImage image;
    int level;
  } cases[] = {
      {"one pixel", QImage(1, 1, QImage::Format_RGB32), kFastPngLevel},
      {"two colours", twoColours, 6},
      {"odd width with a resolution", dotted, 12},
      {"more than a megabyte of data", noise(700, 600, 2), kFastPngLevel},
      {"alpha", translucent, kFastPngLevel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QByteArray png = encodePngFast(c.image, c.level);
    ASSERT_FALSE(png.isEmpty());
    EXPECT_EQ(strictRows(png).size(), c.image.height() * (1 + 3 * c.image.width()));
    const QImage back = decodePng(png);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back, toOpaqueRgb32(c.image));
    EXPECT_EQ(back.dotsPerMeterX(), c.image.dotsPerMeterX());
    EXPECT_EQ(back.dotsPerMeterY(), c.image.dotsPerMeterY());
  }
  EXPECT_GT(encodePngFast(noise(700, 600, 2)).size(), 1 << 20);
  EXPECT_TRUE(encodePngFast(QImage()).isEmpty());
}

TEST(FastPng, APictureOnlyWrittenOutKeepsNoDragSnapshotAndLooksTheSame) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles(QStringLiteral("E1900"), [](int col, int row) { return qRgb(30 * col, 40 * row, 90); });
  ASSERT_TRUE(f.load());
  const QImage dragged = f.compose().copy();
  ASSERT_FALSE(f.snapshot.isNull());

  QImage written;
  renderView(f.state, f.request(RenderPass::Export), written);
  EXPECT_EQ(written, dragged);
}

// Rows handed over a band at a time make a file every decoder reads back
// exactly: bands of one row, odd bands, and more than a megabyte of data.
TEST(FastPng, RowsCompressedBandByBandDecodeToThePicture) {
  QImage dotted = noise(701, 600, 3);
  dotted.setDotsPerMeterX(3780);
  dotted.setDotsPerMeterY(3779);
  QImage flat(4, 3, QImage::Format_RGB32);
  flat.fill(qRgb(9, 8, 7));
  const struct {
    const char* what;
    QImage image;
    std::vector<int> bands;
  } cases[] = {
      {"one band", flat, {3}},
      {"a row at a time", flat, {1, 1, 1}},
      {"uneven bands over a megabyte", dotted, {1, 7, 300, 291, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PngRowEncoder encoder(c.image.size());
    for (const int rows : c.bands) ASSERT_TRUE(encoder.addRows(c.image, rows));
    const QByteArray png = encoder.finish(c.image.dotsPerMeterX(), c.image.dotsPerMeterY());
    EXPECT_EQ(strictRows(png).size(), c.image.height() * (1 + 3 * c.image.width()));
    const QImage back = decodePng(png);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back, c.image);
    EXPECT_EQ(back.dotsPerMeterX(), c.image.dotsPerMeterX());
    EXPECT_EQ(back.dotsPerMeterY(), c.image.dotsPerMeterY());
  }

  // What does not fit is refused, and the encoder then takes nothing more.
  const QImage argb = flat.convertToFormat(QImage::Format_ARGB32);
  const struct {
    const char* what;
    std::function<bool(PngRowEncoder&)> misuse;
  } refusals[] = {
      {"another size", [&](PngRowEncoder& e) { return e.addRows(noise(4, 4, 1), 1); }},
      {"another format", [&](PngRowEncoder& e) { return e.addRows(argb, 1); }},
      {"rows past the end", [&](PngRowEncoder& e) { return e.addRows(flat, 4); }},
      {"no rows", [&](PngRowEncoder& e) { return e.addRows(flat, 0); }},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.what);
    PngRowEncoder encoder(flat.size());
    EXPECT_FALSE(r.misuse(encoder));
    EXPECT_FALSE(encoder.addRows(flat, 3));
    EXPECT_TRUE(encoder.finish(0, 0).isEmpty());
  }
  PngRowEncoder early(flat.size());
  ASSERT_TRUE(early.addRows(flat, 2));
  EXPECT_TRUE(early.finish(0, 0).isEmpty());
}
