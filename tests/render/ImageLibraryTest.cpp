// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QtEndian>

#include "render/ImageLibrary.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// The colour type and bit depth of a PNG file's header (after checking the
// signature and that IHDR comes first), or {-1, -1}.
std::pair<int, int> pngHeader(const QByteArray& bytes) {
  if (!bytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1a\n")) || bytes.size() < 33) return {-1, -1};
  if (bytes.mid(12, 4) != "IHDR") return {-1, -1};
  return {static_cast<uint8_t>(bytes[25]), static_cast<uint8_t>(bytes[24])};
}

QImage fewColours() {
  QImage image(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb((x * 37) % 200, (y * 11) % 3 * 60, 17));
  return image;
}

}  // namespace

TEST(ImageLibrary, PngRoundTripIsExact) {
  test::RootFixture root;
  const QString path = root.path(QStringLiteral("out.png"));
  const QImage image = fewColours();
  ASSERT_TRUE(DIBtoPNG(path, image));
  const QByteArray bytes = test::readBytes(path);
  EXPECT_EQ(pngHeader(bytes), std::make_pair(2, 8));  // truecolour, 8 bits per channel
  const QImage back = PNGtoDIB(path);
  ASSERT_EQ(back.size(), image.size());
  EXPECT_EQ(back, image);
  // A JPEG is not a PNG.
  EXPECT_TRUE(decodePng(encodeJpeg(image)).isNull());
}

TEST(ImageLibrary, EightBitPngKeepsUpTo256ColoursExactly) {
  test::RootFixture root;
  QImage image = fewColours();
  const QImage original = image.copy();
  ASSERT_TRUE(DIBto8Bit(image));
  EXPECT_EQ(image.format(), QImage::Format_Indexed8);
  EXPECT_LE(image.colorCount(), 256);
  const QString path = root.path(QStringLiteral("8bit.png"));
  ASSERT_TRUE(DIBtoPNG(path, image));
  EXPECT_EQ(pngHeader(test::readBytes(path)), std::make_pair(3, 8));  // palette, 8 bits
  EXPECT_EQ(PNGtoDIB(path), original);

  // Many colours are reduced to at most 256.
  QImage rich(300, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) rich.setPixel(x, y, qRgb(x % 256, y, (x + y) % 256));
  ASSERT_TRUE(DIBto8Bit(rich));
  EXPECT_LE(rich.colorCount(), 256);
  EXPECT_EQ(PNGtoDIB((DIBtoPNG(path, rich), path)).size(), QSize(300, 200));
  QImage none;
  EXPECT_FALSE(DIBto8Bit(none));
}

TEST(ImageLibrary, JpegAtQuality80IsAStandardFile) {
  test::RootFixture root;
  QImage image(120, 90, QImage::Format_RGB32);
  image.fill(qRgb(90, 140, 200));
  const QString path = root.path(QStringLiteral("out.jpg"));
  ASSERT_TRUE(DIBtoJPG(path, image));
  const QByteArray bytes = test::readBytes(path);
  EXPECT_TRUE(bytes.startsWith(QByteArrayLiteral("\xFF\xD8\xFF")));
  EXPECT_TRUE(bytes.endsWith(QByteArrayLiteral("\xFF\xD9")));
  const QImage back = decodeImage(bytes);
  ASSERT_EQ(back.size(), image.size());
  EXPECT_LE(std::abs(qRed(back.pixel(60, 45)) - 90), 3);
  EXPECT_LE(std::abs(qBlue(back.pixel(60, 45)) - 200), 3);
  // A lower quality gives a smaller file of a detailed picture.
  QImage detailed(120, 90, QImage::Format_RGB32);
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 120; ++x)
      detailed.setPixel(x, y, qRgb((x * 7 + y * 13) % 256, (x * x + y) % 256, (y * 5) % 256));
  EXPECT_LT(encodeJpeg(detailed, 80).size(), encodeJpeg(detailed, 100).size());
}

TEST(ImageLibrary, WritesReplaceWholeFilesOrFailCleanly) {
  test::RootFixture root;
  const QString path = root.path(QStringLiteral("same.png"));
  test::writeBytes(path, QByteArray(100000, 'x'));
  QImage small(2, 2, QImage::Format_RGB32);
  small.fill(Qt::red);
  ASSERT_TRUE(DIBtoPNG(path, small));
  EXPECT_EQ(PNGtoDIB(path).size(), QSize(2, 2));
  EXPECT_LT(test::readBytes(path).size(), 1000);

  QString error;
  EXPECT_FALSE(DIBtoPNG(root.path(QStringLiteral("no/such/folder/x.png")), small, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(DIBtoJPG(root.path(QStringLiteral("y.jpg")), QImage(), 80, &error));
}

TEST(ImageLibrary, CopyOfARectangle) {
  QImage picture(10, 10, QImage::Format_RGB32);
  picture.fill(qRgb(1, 2, 3));
  picture.setPixel(9, 9, qRgb(7, 8, 9));
  const QImage part = DCtoDIB(picture, QRect(8, 8, 4, 4));
  ASSERT_EQ(part.size(), QSize(4, 4));
  EXPECT_EQ(part.pixel(0, 0), qRgb(1, 2, 3));
  EXPECT_EQ(part.pixel(1, 1), qRgb(7, 8, 9));
  EXPECT_EQ(part.pixel(3, 3), qRgb(255, 255, 255));  // outside the picture
  // The copy does not follow later changes of the picture.
  picture.fill(Qt::black);
  EXPECT_EQ(part.pixel(0, 0), qRgb(1, 2, 3));
}
