// SPDX-License-Identifier: MIT
// A view composed a band of rows at a time, each band once its files are on
// disk, and compressed as it goes: the same pixels as the whole composition.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "RenderFixture.h"
#include "render/ImageLibrary.h"
#include "render/ProgressiveRender.h"

using namespace kavalo;

namespace {

constexpr QRgb kSentinel = 0xFFFF00FFu;

// Tiles with detail in every pixel, so that a stretch cut differently at a
// band's edge would show.
void patternedTiles(test::RenderFixture& f, const QString& era, bool masks = false) {
  QDir().mkpath(f.data.folder + u'/' + era);
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      QImage tile(100, 80, QImage::Format_RGB32), mask(100, 80, QImage::Format_RGB32);
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
          tile.setPixel(x, y, qRgb((x * 7 + col * 60) & 255, (y * 5 + row * 50) & 255, (x * y + 31) & 255));
          mask.setPixel(x, y, (x + y) % 9 < 4 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
      const QString name = QStringLiteral("%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0'));
      ASSERT_TRUE(tile.save(f.eraFile(era, name)));
      if (masks) {
        ASSERT_TRUE(mask.save(f.eraFile(era, QStringLiteral("M_") + name)));
      }
    }
}

// A region with a scanned era, a masked map and elevation colours.
void writeRegion(test::RenderFixture& f) {
  f.data.tikeizuLines << QStringLiteral("E1950,0,1950,1950,1,3,2,png");
  f.data.write();
  f.gentleAltitude();
  patternedTiles(f, QStringLiteral("E1900"));
  patternedTiles(f, QStringLiteral("E1950"), true);
}

}  // namespace

// Each band gets exactly its rows of the whole composition and leaves every
// other row alone: through stretched tiles, masks, elevation colours, sheet
// lines, the scale bar and the credits.
TEST(ProgressiveRender, RowsComposeExactlyTheirPartOfTheWholeView) {
  test::RenderFixture f;
  writeRegion(f);
  ASSERT_TRUE(f.load());
  f.state.view.showSheetLines = true;
  f.state.view.showScale = true;
  const struct {
    const char* what;
    int era;
    int zoom;
    bool altitude;
  } cases[] = {
      {"one to one", 0, 100, false},
      {"stretched, elevation colours", 0, 137, true},
      {"shrunk, elevation colours", 0, 63, true},
      {"masked map, stretched", 2, 173, true},
      {"masked map on white", 2, 81, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    f.state.view.eraIndex = c.era;
    f.state.view.zoomPercent = c.zoom;
    f.state.view.showAltitude = c.altitude;
    const ViewRequest request = f.request(RenderPass::Export);
    QImage whole;
    ASSERT_TRUE(renderView(f.state, request, whole));
    const int h = whole.height();
    // Bands of one row, cuts through the tiles, the scale bar and the credits.
    const int cuts[] = {0, 1, 41, 42, h / 2, h - 13, h - 7, h - 1, h};
    for (size_t i = 0; i + 1 < std::size(cuts); ++i) {
      const int top = cuts[i], bottom = cuts[i + 1];
      QImage band(whole.size(), QImage::Format_RGB32);
      band.fill(kSentinel);
      ASSERT_TRUE(renderViewRows(f.state, request, band, top, bottom)) << top;
      for (int y = 0; y < h; ++y) {
        const bool inside = y >= top && y < bottom;
        const QImage expected = inside ? whole.copy(0, y, whole.width(), 1) : QImage();
        const QImage row = band.copy(0, y, band.width(), 1);
        if (inside) {
          ASSERT_EQ(row, expected) << "band " << top << ".." << bottom << " row " << y;
        } else {
          QImage sentinel(band.width(), 1, QImage::Format_RGB32);
          sentinel.fill(kSentinel);
          ASSERT_EQ(row, sentinel) << "band " << top << ".." << bottom << " touched row " << y;
        }
      }
    }
  }
  // Rows go into a picture of the view's size only; nothing is made anew.
  QImage small(10, 10, QImage::Format_RGB32);
  EXPECT_FALSE(renderViewRows(f.state, f.request(RenderPass::Export), small, 0, 5));
  QImage sized(f.request(RenderPass::Export).targetSize(), QImage::Format_RGB32);
  EXPECT_FALSE(renderViewRows(f.state, f.request(RenderPass::Screen), sized, 0, 5));
  EXPECT_FALSE(renderViewRows(f.state, f.request(RenderPass::Export), sized, 7, 7));
}

// The files arrive in any order, one of them never: the picture and its
// file are those of the whole composition of what is on disk at the end.
TEST(ProgressiveRender, AViewWrittenWhileItsFilesArriveIsTheWholeView) {
  test::RenderFixture f;
  writeRegion(f);
  ASSERT_TRUE(f.load());
  f.state.view.eraIndex = 2;  // tiles and masks
  f.state.view.zoomPercent = 120;
  f.state.view.showScale = true;
  const ViewRequest request = f.request(RenderPass::Export);
  std::vector<PlacedFile> placed;
  ASSERT_TRUE(placedTileFiles(f.state, request, placed));
  ASSERT_GT(placed.size(), 8u);
  for (const PlacedFile& p : placed) ASSERT_TRUE(QFile::exists(p.path)) << p.path.toStdString();

  // Everything at hand: the whole composition is quicker.
  EXPECT_FALSE(ProgressiveRender(f.state, request).usable());

  // All files away; they come back last row first, and the view's first
  // file last of all. One mask never comes.
  for (const PlacedFile& p : placed) ASSERT_TRUE(QFile::rename(p.path, p.path + QStringLiteral(".away")));
  std::vector<PlacedFile> arriving(placed.rbegin(), placed.rend() - 1);
  arriving.push_back(placed.front());
  const QString never = placed[3].path;
  ASSERT_TRUE(never.contains(QStringLiteral("/M_")));

  QImage picture;
  QByteArray png;
  {
    ProgressiveRender halted(f.state, request);
    ASSERT_TRUE(halted.usable());
    halted.halt();
    EXPECT_FALSE(halted.finish(picture, png));
  }
  ProgressiveRender bands(f.state, request);
  ASSERT_TRUE(bands.usable());
  for (const PlacedFile& p : arriving) {
    if (p.path == never) continue;
    ASSERT_TRUE(QFile::rename(p.path + QStringLiteral(".away"), p.path));
    bands.fileArrived(p.path);
    bands.fileArrived(QStringLiteral("/not/in/the/view.png"));
  }
  ASSERT_TRUE(bands.finish(picture, png));

  QImage whole;
  ASSERT_TRUE(renderView(f.state, request, whole));
  EXPECT_EQ(picture, whole);
  const QImage decoded = decodePng(png);
  EXPECT_EQ(decoded, whole);
  EXPECT_EQ(decoded.dotsPerMeterX(), whole.dotsPerMeterX());
  EXPECT_EQ(decoded.dotsPerMeterY(), whole.dotsPerMeterY());
}
