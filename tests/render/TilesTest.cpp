// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "RenderFixture.h"
#include "render/ImageLibrary.h"
#include "render/TileSource.h"
#include "render/Tiles.h"

using namespace kavalo;

namespace {

// Eras in list order: two scanned editions (history columns 0 and 1), an
// agency map era (history column -1) and a third edition (column 2).
ProgramState historyState() {
  ProgramState s;
  s.mapInfo.tilesPerSheetX = 2;
  s.mapInfo.tilesPerSheetY = 2;
  auto era = [](const char* name, int kind, int column, const char* ext) {
    Era e;
    e.name = QString::fromLatin1(name);
    e.kind = kind;
    e.historyColumn = column;
    e.ext = QString::fromLatin1(ext);
    return e;
  };
  s.eras = {era("E1900", kScannedSheets, 0, "png"), era("E1930", kScannedSheets, 1, "jpg"),
            era("W2010", kAgencyBasicMap, -1, "png"), era("E1960", kScannedSheets, 2, "png")};
  s.history.reset(2, 2, 4);
  return s;
}

}  // namespace

TEST(TileName, ThreeDigitsOfColumnAndRow) {
  EXPECT_EQ(TileName(5, 42, QStringLiteral("png")), QStringLiteral("005_042.png"));
  EXPECT_EQ(TileName(0, 0, QStringLiteral("jpg")), QStringLiteral("000_000.jpg"));
  EXPECT_EQ(TileName(999, 123, QStringLiteral("png")), QStringLiteral("999_123.png"));
  // Only the last three digits are kept: column 1000 is named like column 0.
  EXPECT_EQ(TileName(1000, 12345, QStringLiteral("png")), QStringLiteral("000_345.png"));
  EXPECT_EQ(MaskName(5, 42, QStringLiteral("png")), QStringLiteral("M_005_042.png"));
}

TEST(ResolveTile, OwnBorrowedAndMissingSheets) {
  ProgramState s = historyState();
  // Sheet (1, 0) of E1930 (history column 2): its own edition.
  s.history.set(1, 0, 2, 0, QStringLiteral("昭和5年"));
  auto own = ResolveTile(s, 1, 2, 1);
  ASSERT_TRUE(own);
  EXPECT_EQ(own->sourceEra, 1);
  EXPECT_EQ(own->fileName, QStringLiteral("002_001.jpg"));
  EXPECT_FALSE(own->borrowed);

  // Sheet (0, 0) of E1930: "-1" borrows E1900's sheet, with E1900's extension.
  s.history.set(0, 0, 2, 1, QStringLiteral("-1"));
  auto borrowed = ResolveTile(s, 1, 1, 1);
  ASSERT_TRUE(borrowed);
  EXPECT_EQ(borrowed->sourceEra, 0);
  EXPECT_EQ(borrowed->fileName, QStringLiteral("001_001.png"));
  EXPECT_TRUE(borrowed->borrowed);

  // E1960 (column 3 of the table) borrows two editions back.
  s.history.set(0, 1, 3, 1, QStringLiteral("-2"));
  auto back = ResolveTile(s, 3, 0, 2);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->sourceEra, 0);

  // Both slots empty: no sheet of any edition there.
  EXPECT_FALSE(ResolveTile(s, 1, 3, 3));
  // A substitute column that no era has.
  s.history.set(1, 1, 2, 1, QStringLiteral("5"));
  EXPECT_FALSE(ResolveTile(s, 1, 2, 2));
  // Column -1 belongs to no scanned edition: the agency era lends nothing.
  s.history.set(1, 1, 1, 1, QStringLiteral("-1"));
  EXPECT_FALSE(ResolveTile(s, 0, 2, 2));

  // Eras of other kinds always show their own tiles.
  auto agency = ResolveTile(s, 2, 7, 9);
  ASSERT_TRUE(agency);
  EXPECT_EQ(agency->sourceEra, 2);
  EXPECT_EQ(agency->fileName, QStringLiteral("007_009.png"));
  EXPECT_FALSE(agency->borrowed);
}

TEST(TileFiles, WindowsNamedFilesAreFoundAndLoaded) {
  test::RenderFixture f;
  f.data.write();
  ASSERT_TRUE(f.load());
  test::writeSolidImage(f.eraFile(QStringLiteral("E1900"), QStringLiteral("001_002.PNG")), 100, 80, QColor(10, 20, 30));
  TileSource& disk = diskTileSource();
  EXPECT_TRUE(disk.ensure(f.state, 0, QStringLiteral("001_002.png"), TilePolicy::DiskOnly, 0));
  EXPECT_FALSE(disk.ensure(f.state, 0, QStringLiteral("002_002.png"), TilePolicy::DiskOnly, 0));
  QImage picture;
  ASSERT_TRUE(LoadTileImage(TilePath(f.state, 0, QStringLiteral("001_002.png")), QStringLiteral("png"), picture));
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  EXPECT_EQ(picture.size(), QSize(100, 80));
  EXPECT_EQ(picture.pixel(50, 40), qRgb(10, 20, 30));
}

TEST(TileFiles, BadFilesGiveABlankPicture) {
  test::RootFixture root;
  const QString dir = root.path(QStringLiteral("t"));
  test::writeSolidImage(dir + QStringLiteral("/good.png"), 40, 30, QColor(1, 2, 3));
  test::writeSolidImage(dir + QStringLiteral("/good.jpg"), 40, 30, QColor(200, 100, 50), "JPEG");
  const QByteArray png = test::readBytes(dir + QStringLiteral("/good.png"));
  const QByteArray jpg = test::readBytes(dir + QStringLiteral("/good.jpg"));
  test::writeBytes(dir + QStringLiteral("/empty.png"), QByteArray());
  test::writeBytes(dir + QStringLiteral("/cut.png"), png.left(png.size() - 20));
  test::writeBytes(dir + QStringLiteral("/cut.jpg"), jpg.left(jpg.size() * 2 / 3));
  test::writeBytes(dir + QStringLiteral("/text.png"), "not an image at all");
  test::writeBytes(dir + QStringLiteral("/jpeg-inside.png"), jpg);

  const QImage sentinel(5, 5, QImage::Format_RGB32);
  for (const char* name : {"missing.png", "empty.png", "cut.png", "text.png", "jpeg-inside.png"}) {
    QImage picture = sentinel;
    EXPECT_FALSE(LoadTileImage(dir + u'/' + QString::fromLatin1(name), QStringLiteral("png"), picture)) << name;
    EXPECT_TRUE(picture.isNull()) << name;
  }
  for (const char* name : {"missing.jpg", "cut.jpg", "text.png"}) {
    QImage picture = sentinel;
    EXPECT_FALSE(LoadTileImage(dir + u'/' + QString::fromLatin1(name), QStringLiteral("jpg"), picture)) << name;
    EXPECT_TRUE(picture.isNull()) << name;
  }
  // The general loader reads what the content is; the PNG route only PNG.
  QImage picture;
  EXPECT_TRUE(LoadTileImage(dir + QStringLiteral("/good.png"), QStringLiteral("jpg"), picture));
  EXPECT_TRUE(LoadTileImage(dir + QStringLiteral("/good.jpg"), QStringLiteral("jpg"), picture));
  EXPECT_EQ(picture.size(), QSize(40, 30));
  // The extension is compared exactly: "PNG" goes through the general loader.
  EXPECT_TRUE(LoadTileImage(dir + QStringLiteral("/jpeg-inside.png"), QStringLiteral("PNG"), picture));
}

TEST(TileFiles, TransparentPartsLoadWhite) {
  test::RootFixture root;
  QImage image(4, 4, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  image.setPixel(0, 0, qRgba(255, 0, 0, 255));
  const QString path = root.path(QStringLiteral("alpha.png"));
  ASSERT_TRUE(image.save(path));
  QImage picture;
  ASSERT_TRUE(LoadPngToPicture(path, picture));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(picture.pixel(3, 3), qRgb(255, 255, 255));
}

TEST(PicturePixels, ReadAndWriteRoundTrip) {
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(qRgb(9, 8, 7));
  picture.setPixel(2, 1, qRgb(1, 2, 3));
  std::vector<uint32_t> pixels;
  ASSERT_EQ(ReadPicturePixels(picture, pixels), 6);
  // Blue, green, red and a fourth byte of 0, rows top-down.
  EXPECT_EQ(pixels[0], 0x00090807u);
  EXPECT_EQ(pixels[5], 0x00010203u);
  pixels[1] = 0xAB102030u;  // the fourth byte is ignored on writing
  ASSERT_EQ(WritePicturePixels(picture, pixels), 0);
  EXPECT_EQ(picture.pixel(1, 0), qRgb(0x10, 0x20, 0x30));
  EXPECT_EQ(picture.pixel(2, 1), qRgb(1, 2, 3));

  QImage none;
  EXPECT_EQ(ReadPicturePixels(none, pixels), -1);
  EXPECT_EQ(WritePicturePixels(none, pixels), -1);
  std::vector<uint32_t> shortArray(5);
  EXPECT_EQ(WritePicturePixels(picture, shortArray), -1);
  EXPECT_EQ(picture.pixel(2, 1), qRgb(1, 2, 3));
}

TEST(DrawPictureToDC, StretchesTheWholePictureOrReportsFailure) {
  QImage target(20, 10, QImage::Format_RGB32);
  target.fill(qRgb(0xF0, 0xF0, 0xF0));
  QImage picture(2, 2, QImage::Format_RGB32);
  picture.fill(qRgb(0x33, 0x66, 0x99));
  EXPECT_FALSE(DrawPictureToDC(picture, 5, 2, 10, 6, RasterOp::And, target, QRegion(target.rect())));
  EXPECT_EQ(target.pixel(5, 2), qRgb(0x30, 0x60, 0x90));
  EXPECT_EQ(target.pixel(14, 7), qRgb(0x30, 0x60, 0x90));
  EXPECT_EQ(target.pixel(15, 7), qRgb(0xF0, 0xF0, 0xF0));
  EXPECT_TRUE(DrawPictureToDC(QImage(), 0, 0, 5, 5, RasterOp::Copy, target, QRegion(target.rect())));
  EXPECT_TRUE(DrawPictureToDC(picture, 0, 0, 0, 5, RasterOp::Copy, target, QRegion(target.rect())));
}

TEST(GridPosition, MasksAndTheAcquisitionDateOfPhotoEras) {
  test::RenderFixture f;
  f.data.tikeizuLines << QStringLiteral("E1950,0,1950,1950,1,3,2,png");
  f.data.write();
  test::writeSjis(f.data.folder + QStringLiteral("/map_ortho_info.txt"), QStringLiteral("1\nORTHO1,0\n"));
  ASSERT_TRUE(f.load());
  ASSERT_EQ(f.state.eras.size(), 4u);
  const int masked = 2;  // 1900, 1930, 1950, then the photos of 1974
  const int photo = 3;
  ASSERT_EQ(f.state.eras[masked].tileStyle, kMaskedMap);
  ASSERT_EQ(f.state.eras[photo].kind, kAerialPhoto);

  test::writeSolidImage(f.eraFile(QStringLiteral("E1950"), QStringLiteral("000_000.png")), 100, 80, QColor(1, 1, 1));
  test::writeSolidImage(f.eraFile(QStringLiteral("E1950"), QStringLiteral("M_000_000.png")), 100, 80, QColor(2, 2, 2));
  test::writeSolidImage(f.eraFile(QStringLiteral("E1950"), QStringLiteral("001_000.png")), 100, 80, QColor(3, 3, 3));
  GridPictures pictures;
  LoadGridPosition(f.state, masked, ResolvedTile{masked, QStringLiteral("000_000.png"), false}, pictures);
  EXPECT_EQ(pictures.tile.pixel(0, 0), qRgb(1, 1, 1));
  EXPECT_EQ(pictures.mask.pixel(0, 0), qRgb(2, 2, 2));
  // A missing mask leaves the mask blank; the tile still loads.
  LoadGridPosition(f.state, masked, ResolvedTile{masked, QStringLiteral("001_000.png"), false}, pictures);
  EXPECT_EQ(pictures.tile.pixel(0, 0), qRgb(3, 3, 3));
  EXPECT_TRUE(pictures.mask.isNull());
  // An opaque map has no mask.
  test::writeSolidImage(f.eraFile(QStringLiteral("E1900"), QStringLiteral("M_000_000.png")), 100, 80, QColor(2, 2, 2));
  LoadGridPosition(f.state, 0, ResolvedTile{0, QStringLiteral("000_000.png"), false}, pictures);
  EXPECT_TRUE(pictures.mask.isNull());

  // The first photo tile loaded fixes the era's acquisition text.
  const QString first = f.eraFile(QStringLiteral("ORTHO1"), QStringLiteral("000_000.jpg"));
  const QString second = f.eraFile(QStringLiteral("ORTHO1"), QStringLiteral("001_000.jpg"));
  test::writeSolidImage(first, 100, 80, QColor(50, 60, 70), "JPEG");
  test::writeSolidImage(second, 100, 80, QColor(50, 60, 70), "JPEG");
  {
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadWrite));
    ASSERT_TRUE(a.setFileTime(QDateTime(QDate(2012, 3, 4), QTime(5, 6, 7)), QFileDevice::FileModificationTime));
    ASSERT_TRUE(b.open(QIODevice::ReadWrite));
    ASSERT_TRUE(b.setFileTime(QDateTime(QDate(2015, 1, 1), QTime(0, 0, 0)), QFileDevice::FileModificationTime));
  }
  EXPECT_TRUE(f.state.eras[photo].acquiredText.isEmpty());
  LoadGridPosition(f.state, photo, ResolvedTile{photo, QStringLiteral("000_000.jpg"), false}, pictures);
  EXPECT_EQ(f.state.eras[photo].acquiredText, QStringLiteral("2012/03/04 05:06:07"));
  LoadGridPosition(f.state, photo, ResolvedTile{photo, QStringLiteral("001_000.jpg"), false}, pictures);
  EXPECT_EQ(f.state.eras[photo].acquiredText, QStringLiteral("2012/03/04 05:06:07"));
  EXPECT_FALSE(pictures.tile.isNull());
}
