// SPDX-License-Identifier: MIT
// kavalo-cli render as a script uses it: what it reads, and where it writes.
#include <gtest/gtest.h>

#include "render/ImageLibrary.h"
#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

// One data folder of 4 x 4 tiles of 100 x 80 over a grid of 8 x 8 cells.
struct HeadlessFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  HeadlessFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    data.folder = root.path(QStringLiteral("a"));
    data.write();
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col)
        test::writeSolidImage(
            data.folder + QStringLiteral("/E1900/%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0')),
            100, 80, QColor(40 * col + 20, 30 * row + 10, 200));
  }
  QStringList view(const QString& layers) const {
    return {QStringLiteral("render"),  QStringLiteral("--root"),   root.root(), QStringLiteral("--size"),
            QStringLiteral("320x200"), QStringLiteral("--layers"), layers};
  }
};

}  // namespace

// A truncated grid shows itself by its message: a render that reads the grid
// reports it, a render without the elevation layer never reads it.
TEST(HeadlessRender, TheElevationGridIsReadOnlyForAViewThatShowsIt) {
  HeadlessFixture f;
  const QString grid = f.data.folder + QStringLiteral("/altitude.dat");
  test::writeBytes(grid, test::readBytes(grid).left(30));
  const struct {
    const char* layers;
    bool gridRead;
  } cases[] = {
      {"tiles", false},
      {"tiles,lines,scale,marks", false},
      {"tiles,altitude", true},
      {"altitude", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layers);
    const QString out = f.root.path(QStringLiteral("view.png"));
    const test::ProgramRun r =
        test::runCli(f.view(QString::fromLatin1(c.layers)) + QStringList{QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.contains(QStringLiteral("altitude.dat")), c.gridRead) << r.err.toStdString();
    EXPECT_EQ(PNGtoDIB(out).size(), QSize(320, 200));
  }
}

TEST(HeadlessRender, DashWritesThePictureToStandardOutputOnly) {
  HeadlessFixture f;
  const QString out = f.root.path(QStringLiteral("view.png"));
  const QStringList view = f.view(QStringLiteral("tiles,altitude,lines,scale"));
  const test::ProgramRun toFile = test::runCli(view + QStringList{QStringLiteral("-o"), out});
  ASSERT_EQ(toFile.exitCode, 0) << toFile.err.toStdString();
  const test::ProgramRun toOut = test::runCli(view + QStringList{QStringLiteral("-o"), QStringLiteral("-")});
  ASSERT_EQ(toOut.exitCode, 0) << toOut.err.toStdString();
  // The same bytes: nothing else is printed on standard output.
  EXPECT_EQ(toOut.out, test::readBytes(out));
  const QImage picture = decodePng(toOut.out);
  ASSERT_EQ(picture.size(), QSize(320, 200));
  EXPECT_NE(picture.pixel(160, 100), qRgb(255, 255, 255));
  EXPECT_FALSE(QFile::exists(f.root.path(QStringLiteral("-"))));
}
