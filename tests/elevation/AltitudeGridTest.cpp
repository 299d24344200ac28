// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <zlib.h>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

#include <cmath>
#include <limits>

#include "elevation/ElevationPicture.h"
#include "model/AltitudeGrid.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// 4 x 4 tiles of 100 x 80 pixels: a mosaic of 400 x 320.
MapInfo tileGrid() { return test::smallGridInfo(); }

std::vector<int32_t> numbered(int columns, int rows) {
  std::vector<int32_t> cells(static_cast<size_t>(columns) * rows);
  for (size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<int32_t>(i) * 7 - 20;
  return cells;
}

QByteArray le32(std::initializer_list<int32_t> values) {
  QByteArray out;
  for (int32_t v : values) {
    char b[4];
    qToLittleEndian<int32_t>(v, b);
    out.append(b, 4);
  }
  return out;
}

QByteArray cellBytes(const std::vector<int32_t>& cells) {
  QByteArray out;
  for (int32_t v : cells) out += le32({v});
  return out;
}

QByteArray deflated(const QByteArray& raw) {
  uLongf length = compressBound(static_cast<uLong>(raw.size()));
  QByteArray out(static_cast<qsizetype>(length), '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(raw.constData()),
            static_cast<uLong>(raw.size()), 9);
  out.resize(static_cast<qsizetype>(length));
  return out;
}

// A file of the given header and block.
QByteArray gridFile(int32_t columns, int32_t rows, int32_t blockLength, const QByteArray& block) {
  return le32({columns, rows, -50, 12000, 100, blockLength}) + block;
}

struct FileState {
  QByteArray bytes;
  timespec mtime{};
};

FileState snapshot(const QString& path) {
  FileState s;
  s.bytes = test::readBytes(path);
  struct stat st;
  if (::stat(QFile::encodeName(path).constData(), &st) == 0) s.mtime = st.st_mtim;
  return s;
}

}  // namespace

TEST(AltitudeGrid, AZlibBlockIsExpandedWithTheHeaderAndThePitches) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/altitude.dat");
  // Square cells on tiles of 100 x 80: 40 pixels across a cell, 32 down.
  const std::vector<int32_t> cells = numbered(10, 10);
  test::writeAltitude(path, 10, 10, -20, 673, 250, cells);
  AltitudeGrid g;
  QString error;
  ASSERT_TRUE(readAltitudeGrid(path, tileGrid(), g, &error)) << error.toStdString();
  EXPECT_EQ(g.columns, 10);
  EXPECT_EQ(g.rows, 10);
  EXPECT_EQ(g.lowest, -20);
  EXPECT_EQ(g.highest, 673);
  EXPECT_EQ(g.reliefDivisor, 250);
  EXPECT_EQ(std::vector<int32_t>(g.cells.begin(), g.cells.end()), cells);
  EXPECT_EQ(g.pitchX, 40.0f);
  EXPECT_EQ(g.pitchY, 32.0f);
  EXPECT_EQ(g.cell(3, 2), cells[2 * 10 + 3]);
}

TEST(AltitudeGrid, PitchesAreSinglesOfTheMosaicOverTheCells) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/altitude.dat");
  test::writeAltitude(path, 3, 7, 0, 10, 100, std::vector<int32_t>(21, 5));
  AltitudeGrid g;
  ASSERT_TRUE(readAltitudeGrid(path, tileGrid(), g, nullptr));
  EXPECT_EQ(g.pitchX, static_cast<float>(400.0 / 3.0));
  EXPECT_EQ(g.pitchY, static_cast<float>(320.0 / 7.0));
}

TEST(AltitudeGrid, ABlockOfExactlyTheCellsThatIsNoZlibStreamHoldsTheRawCells) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/altitude.dat");
  std::vector<int32_t> cells = numbered(4, 4);
  test::writeAltitude(path, 4, 4, 0, 100, 100, cells, /*raw=*/true);
  AltitudeGrid g;
  ASSERT_TRUE(readAltitudeGrid(path, tileGrid(), g, nullptr));
  EXPECT_EQ(std::vector<int32_t>(g.cells.begin(), g.cells.end()), cells);

  // A first cell of 37.6 m (376 = 78 01 00 00) looks like a zlib header.
  cells[0] = 376;
  cells[1] = 500;
  test::writeAltitude(path, 4, 4, 0, 1000, 100, cells, /*raw=*/true);
  ASSERT_TRUE(readAltitudeGrid(path, tileGrid(), g, nullptr));
  EXPECT_EQ(std::vector<int32_t>(g.cells.begin(), g.cells.end()), cells);
}

// Every kind of bad file: reported with the file's name and path, the grid
// left empty (no elevation), and the file neither created nor changed.
TEST(AltitudeGrid, BadFilesAreReportedAndLeftAsTheyAre) {
  const QByteArray cells16 = cellBytes(numbered(4, 4));
  const QByteArray z16 = deflated(cells16);
  const QByteArray z15 = deflated(cellBytes(numbered(5, 3)));
  const QByteArray z20 = deflated(cellBytes(numbered(5, 4)));
  QByteArray corrupt = z16;
  corrupt[corrupt.size() / 2] = static_cast<char>(corrupt[corrupt.size() / 2] ^ 0x5A);
  // 4000 x 4000 cells of zeros deflate to about 62 kB: a header asking for
  // them from 60 bytes is not believed (and nothing of 64 MB is allocated).
  const QByteArray zeros = deflated(QByteArray(4 * 4000 * 4000, '\0'));

  const struct {
    const char* what;
    QByteArray file;
  } cases[] = {
      {"short header", le32({4, 4, 0})},
      {"no columns", gridFile(0, 4, static_cast<int32_t>(z16.size()), z16)},
      {"negative rows", gridFile(4, -4, static_cast<int32_t>(z16.size()), z16)},
      {"empty block", gridFile(4, 4, 0, QByteArray())},
      {"negative block length", gridFile(4, 4, -64, cells16)},
      {"more cells than deflate can give", gridFile(4000, 4000, 60, zeros.left(60))},
      {"block beyond the end", gridFile(4, 4, static_cast<int32_t>(z16.size()) + 1, z16)},
      {"truncated raw block", gridFile(4, 4, 64, cells16.left(63))},
      {"short expansion", gridFile(4, 4, static_cast<int32_t>(z15.size()), z15)},
      {"long expansion", gridFile(4, 4, static_cast<int32_t>(z20.size()), z20)},
      {"corrupt stream", gridFile(4, 4, static_cast<int32_t>(corrupt.size()), corrupt)},
      {"truncated stream", gridFile(4, 4, static_cast<int32_t>(z16.size()) - 3, z16.left(z16.size() - 3))},
  };
  ASSERT_LT(zeros.size() * 1032 / 1000, 4 * 4000 * 4000 / 60);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/altitude.dat");
    test::writeBytes(path, c.file);
    // A file time in the past, so that any write would show.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000), QFileDevice::FileModificationTime));
    f.close();
    const FileState before = snapshot(path);

    AltitudeGrid g;
    g.columns = 9;  // whatever was there goes
    QString error;
    EXPECT_FALSE(readAltitudeGrid(path, tileGrid(), g, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("altitude.dat")));
    EXPECT_TRUE(error.contains(path));
    EXPECT_TRUE(g.empty());
    EXPECT_EQ(g.columns, 0);
    EXPECT_EQ(ElevationAt(g, 10.0f, 10.0f).kind, ElevationKind::Outside);

    const FileState after = snapshot(path);
    EXPECT_EQ(after.bytes, before.bytes);
    EXPECT_EQ(after.mtime.tv_sec, before.mtime.tv_sec);
    EXPECT_EQ(after.mtime.tv_nsec, before.mtime.tv_nsec);
  }
}

TEST(AltitudeGrid, AMissingFileOrAFolderIsReportedAndNothingIsCreated) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/altitude.dat");
  AltitudeGrid g;
  QString error;
  EXPECT_FALSE(readAltitudeGrid(path, tileGrid(), g, &error));
  EXPECT_TRUE(error.contains(path));
  EXPECT_FALSE(QFileInfo::exists(path));

  QDir().mkpath(path);
  error.clear();
  EXPECT_FALSE(readAltitudeGrid(path, tileGrid(), g, &error));
  EXPECT_TRUE(error.contains(path));
  EXPECT_TRUE(g.empty());
}

TEST(AltitudeGrid, AFileNamedInOtherLettersIsFound) {
  QTemporaryDir dir;
  test::writeAltitude(dir.path() + QStringLiteral("/ALTITUDE.DAT"), 2, 2, 0, 3, 100, {0, 1, 2, 3});
  AltitudeGrid g;
  EXPECT_TRUE(readAltitudeGrid(dir.path() + QStringLiteral("/altitude.dat"), tileGrid(), g, nullptr));
  EXPECT_EQ(g.cell(1, 1), 3);
}

namespace {

// 4 x 3 cells with a pitch of 10 across and 20 down.
AltitudeGrid smallGrid() {
  AltitudeGrid g;
  g.columns = 4;
  g.rows = 3;
  g.cells = {0,  1,         2,  3,   //
             10, kSeaValue, 12, 13,  //
             20, 21,        22, -5};
  g.pitchX = 10.0f;
  g.pitchY = 20.0f;
  return g;
}

int32_t tenthsAt(const AltitudeGrid& g, float x, float y) {
  const Elevation e = ElevationAt(g, x, y);
  EXPECT_EQ(e.kind, ElevationKind::Land) << x << "," << y;
  return e.tenths;
}

}  // namespace

TEST(ElevationAt, TheCellIndexIsRoundedHalfToEven) {
  const AltitudeGrid g = smallGrid();
  // A little west of the first column still answers for it.
  EXPECT_EQ(tenthsAt(g, -4.9f, 0.0f), 0);
  // Half a pitch goes to the even neighbour: column 0; 1.5 pitches: column 2.
  EXPECT_EQ(tenthsAt(g, 5.0f, 0.0f), 0);
  EXPECT_EQ(tenthsAt(g, 5.01f, 0.0f), 1);
  EXPECT_EQ(tenthsAt(g, 15.0f, 0.0f), 2);
  EXPECT_EQ(tenthsAt(g, 25.0f, 0.0f), 2);
  // Each direction uses its own pitch: 30 down is 1.5 rows, row 2.
  EXPECT_EQ(tenthsAt(g, 0.0f, 30.0f), 20);
  EXPECT_EQ(tenthsAt(g, 0.0f, 10.0f), 0);
  EXPECT_EQ(tenthsAt(g, 0.0f, 10.5f), 10);
  EXPECT_EQ(tenthsAt(g, 34.9f, 49.9f), -5);
}

TEST(ElevationAt, SeaLandAndOutside) {
  const AltitudeGrid g = smallGrid();
  EXPECT_EQ(ElevationAt(g, 10.0f, 20.0f).kind, ElevationKind::Sea);
  // 0 m is land, and so is a value below 0.
  EXPECT_EQ(ElevationAt(g, 0.0f, 0.0f).kind, ElevationKind::Land);
  EXPECT_EQ(tenthsAt(g, 30.0f, 40.0f), -5);
  for (auto [x, y] : {std::pair{-5.01f, 0.0f},
                      {0.0f, -10.01f},
                      {35.0f, 0.0f},
                      {0.0f, 50.01f},
                      {1e30f, 0.0f},
                      {std::nanf(""), 0.0f},
                      {0.0f, -std::numeric_limits<float>::infinity()}}) {
    EXPECT_EQ(ElevationAt(g, x, y).kind, ElevationKind::Outside) << x << "," << y;
  }
  // 35 is 3.5 columns, rounded to 4: beyond the last column; 50 is 2.5 rows,
  // rounded to 2: the last row.
  EXPECT_EQ(ElevationAt(g, 34.99f, 0.0f).kind, ElevationKind::Land);
  EXPECT_EQ(tenthsAt(g, 0.0f, 50.0f), 20);
  EXPECT_EQ(ElevationAt(AltitudeGrid(), 0.0f, 0.0f).kind, ElevationKind::Outside);
}

namespace {

struct PictureFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  ScriptedPrompts prompts;
  ProgramState state;

  PictureFixture() {
    data.folder = root.path(QStringLiteral("d"));
    data.write();
    state.datasetFolder = data.folder;
    state.mapInfo = tileGrid();
    state.colorSets = defaultColorSetList();
  }
};

}  // namespace

TEST(ElevationPicture, AGoodGridPreparesPiecesAndABadOneShowsOneMessageAndNoColours) {
  PictureFixture f;
  ASSERT_TRUE(init_Altitude_Picture(f.state, f.prompts));
  EXPECT_TRUE(f.prompts.records.empty());
  EXPECT_TRUE(f.state.pieces.available());
  EXPECT_EQ(f.state.pieces.pieceWidth(), 2);
  EXPECT_EQ(f.state.pieces.pieceHeight(), 2);
  EXPECT_FALSE(f.state.pieces.isRendered(0, 0));
  EXPECT_EQ(ElevationAt(f.state.altitude, 0.0f, 40.0f).kind, ElevationKind::Land);

  // The same folder with a truncated file: the grid of before is gone.
  const QString path = f.data.folder + QStringLiteral("/altitude.dat");
  const QByteArray good = test::readBytes(path);
  test::writeBytes(path, good.left(good.size() - 10));
  EXPECT_FALSE(init_Altitude_Picture(f.state, f.prompts));
  ASSERT_EQ(f.prompts.messages().size(), 1);
  EXPECT_EQ(f.prompts.records[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(f.prompts.messages()[0].contains(QStringLiteral("altitude.dat")));
  EXPECT_TRUE(f.prompts.messages()[0].contains(path));
  EXPECT_FALSE(f.state.pieces.available());
  EXPECT_TRUE(f.state.pieces.piece(0, 0).isNull());
  EXPECT_EQ(ElevationAt(f.state.altitude, 0.0f, 40.0f).kind, ElevationKind::Outside);
  EXPECT_EQ(test::readBytes(path), good.left(good.size() - 10));
}
