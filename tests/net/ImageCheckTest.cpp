// SPDX-License-Identifier: MIT
// Images from a server judged before they are kept: the header's sides read
// without decoding, the whole file decoded to its end without a complaint;
// and a tile on disk that ends early drawn as missing.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include "render/ImageCheck.h"
#include "render/ImageLibrary.h"
#include "render/Tiles.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"

using namespace kavalo;

namespace {

QImage pattern(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, (x * y) & 255));
  return image;
}

QByteArray progressiveJpeg(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(true);
  writer.write(image);
  return bytes;
}

// A JPEG cut short and closed again with an end marker: the markers look
// whole, only the decoder can tell.
QByteArray jpegCutAndClosed(const QByteArray& jpeg) { return jpeg.left(jpeg.size() / 2) + QByteArray("\xFF\xD9", 2); }

// A PNG whose last data chunk lost bytes but whose chunks were written anew
// around them (lengths and checksums right): only the inflated size tells.
QByteArray pngWithShortData(const QImage& image) {
  QImage half = image.copy(0, 0, image.width(), image.height() / 2);
  QByteArray bytes = encodePng(half);
  // Its header claims the full height.
  QByteArray ihdr = bytes.mid(12, 17);
  const int h = image.height();
  ihdr[8] = char(h >> 24), ihdr[9] = char(h >> 16), ihdr[10] = char(h >> 8), ihdr[11] = char(h);
  bytes.replace(12, 17, ihdr);
  const quint32 crc = test::crc32Of(ihdr);
  bytes[29] = char(crc >> 24), bytes[30] = char(crc >> 16), bytes[31] = char(crc >> 8), bytes[32] = char(crc);
  return bytes;
}

}  // namespace

TEST(ImageCheck, HeaderSidesAreReadWithoutDecoding) {
  const QByteArray png = encodePng(pattern(300, 200)), jpeg = encodeJpeg(pattern(256, 128));
  struct Case {
    const char* what;
    QByteArray bytes;
    ImageHeader::State state;
    QSize size;
  };
  const std::vector<Case> cases = {
      {"png", png, ImageHeader::State::Known, QSize(300, 200)},
      {"png header only", png.left(24), ImageHeader::State::Known, QSize(300, 200)},
      {"png too short to tell", png.left(20), ImageHeader::State::NeedMore, QSize()},
      {"jpeg", jpeg, ImageHeader::State::Known, QSize(256, 128)},
      {"jpeg start only", jpeg.left(4), ImageHeader::State::NeedMore, QSize()},
      {"progressive jpeg", progressiveJpeg(pattern(40, 30)), ImageHeader::State::Known, QSize(40, 30)},
      {"5790 x 5790", test::hugePng(5790, 5790).left(40), ImageHeader::State::Known, QSize(5790, 5790)},
      {"html", "<html>busy</html>", ImageHeader::State::Invalid, QSize()},
      {"gif", "GIF89a\x01\x00\x01\x00", ImageHeader::State::Invalid, QSize()},
      {"empty", QByteArray(), ImageHeader::State::NeedMore, QSize()},
  };
  for (const Case& c : cases) {
    const ImageHeader h = parseImageHeader(c.bytes);
    EXPECT_EQ(int(h.state), int(c.state)) << c.what;
    EXPECT_EQ(h.size, c.size) << c.what;
  }
}

TEST(ImageCheck, OnlyAWholeImageWithinTheRuleIsKept) {
  const QImage tile = pattern(256, 256);
  const QByteArray png = encodePng(tile), jpeg = encodeJpeg(tile);
  const ImageRule any;  // either format, 1024 x 1024 at most
  const ImageRule pngOnly{QByteArrayLiteral("png"), QSize(1024, 1024)};
  struct Case {
    const char* what;
    QByteArray bytes;
    ImageRule rule;
    bool whole;
  };
  const std::vector<Case> cases = {
      {"png", png, any, true},
      {"jpeg", jpeg, any, true},
      {"progressive jpeg", progressiveJpeg(tile), any, true},
      {"palette png", encodePng(tile.convertToFormat(QImage::Format_Indexed8)), any, true},
      {"1024 x 1024", encodePng(pattern(1024, 1024)), any, true},
      {"1025 wide", encodePng(pattern(1025, 8)), any, false},
      {"5790 x 5790 of a few KB", test::hugePng(5790, 5790), any, false},
      {"jpeg where png is asked", jpeg, pngOnly, false},
      {"png cut to a third", png.left(png.size() / 3), any, false},
      {"png without its IEND", png.left(png.size() - 12), any, false},
      {"png with a damaged chunk", QByteArray(png).replace(60, 1, "\x01"), any, false},
      {"png short of rows", pngWithShortData(tile), any, false},
      {"jpeg cut to a third", jpeg.left(jpeg.size() / 3), any, false},
      {"jpeg cut and closed", jpegCutAndClosed(jpeg), any, false},
      {"html", "<html>busy</html>", any, false},
  };
  for (const Case& c : cases) {
    const QString why = imageWholeRefusal(c.bytes, c.rule);
    EXPECT_EQ(why.isEmpty(), c.whole) << c.what << ": " << why.toStdString();
    const QImage image = decodeFetchedImage(c.bytes, c.rule);
    EXPECT_EQ(!image.isNull(), c.whole) << c.what;
    if (!image.isNull()) EXPECT_LE(image.width(), 1024) << c.what;
  }
}

TEST(ImageCheck, ATileOnDiskThatEndsEarlyDrawsAsMissing) {
  QTemporaryDir dir;
  const QByteArray jpeg = encodeJpeg(pattern(200, 160));
  // decodeImage decides the format from the content, as it does for tiles.
  EXPECT_FALSE(decodeImage(jpeg).isNull());
  EXPECT_TRUE(decodeImage(jpeg.left(jpeg.size() / 3)).isNull());
  const QString cut = dir.path() + QStringLiteral("/000_000.jpg");
  test::writeBytes(cut, jpeg.left(jpeg.size() / 3));
  QImage picture;
  EXPECT_FALSE(LoadTileImage(cut, QStringLiteral("jpg"), picture));
  EXPECT_TRUE(picture.isNull());
  const QString whole = dir.path() + QStringLiteral("/001_000.jpg");
  test::writeBytes(whole, jpeg);
  EXPECT_TRUE(LoadTileImage(whole, QStringLiteral("jpg"), picture));
  EXPECT_EQ(picture.size(), QSize(200, 160));
}
