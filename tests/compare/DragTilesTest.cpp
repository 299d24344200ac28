// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDirIterator>

#include <chrono>
#include <filesystem>

#include "geo/Navigation.h"
#include "render/RenderFixture.h"
#include "render/TileCache.h"
#include "render/TilePrefetcher.h"

using namespace kavalo;
using test::tileColour;

namespace {

// Files that have been on disk a while (young files are not trusted by the
// cache, see TileCache).
void ageFolder(const QString& folder) {
  const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) std::filesystem::last_write_time(QFile::encodeName(it.next()).toStdString(), when);
}

}  // namespace

TEST(DragTiles, TheStripsGetTheDecodedTilesAndTheOthersFollowOnceDecoded) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ageFolder(f.data.folder);
  ASSERT_TRUE(f.load());
  TileCache::shared().clear();

  for (const bool altitude : {false, true}) {
    f.state.view.showAltitude = altitude;
    const QImage full = f.compose().copy();  // decodes into the cache
    const QImage background = [&] {
      f.state.view.showTiles = false;
      QImage b = f.compose().copy();
      f.state.view.showTiles = true;
      return b;
    }();

    // A drag of (+30, -20): the left and bottom strips are drawn as the full
    // redraw draws them, the rest is left for the moved snapshot.
    const QRgb sentinel = qRgb(1, 2, 3);
    auto dragStep = [&] {
      f.picture.fill(sentinel);
      ViewRequest drag = f.request(RenderPass::Drag);
      drag.dragOffset = QPoint(30, -20);
      renderView(f.state, drag, f.picture);
      return f.picture.copy();
    };
    const QPoint inStrips[] = {QPoint(0, 0), QPoint(29, 100), QPoint(299, 180), QPoint(120, 199)};
    QImage p = dragStep();
    for (const QPoint pt : inStrips) EXPECT_EQ(p.pixel(pt), full.pixel(pt)) << altitude << " " << pt.x();
    EXPECT_NE(p.pixel(0, 0), background.pixel(0, 0));
    EXPECT_EQ(p.pixel(30, 100), sentinel);

    // Tiles not decoded yet: the background now, the tiles once they arrive.
    TileCache::shared().clear();
    p = dragStep();
    for (const QPoint pt : inStrips) EXPECT_EQ(p.pixel(pt), background.pixel(pt)) << altitude << " " << pt.x();
    TilePrefetcher::shared().waitIdle();
    p = dragStep();
    for (const QPoint pt : inStrips) EXPECT_EQ(p.pixel(pt), full.pixel(pt)) << altitude << " " << pt.x();
  }
  TileCache::shared().clear();
}

TEST(DragTiles, TheOverlaysStayWhereTheFullRedrawPutsThem) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  f.state.view.showScale = true;
  const QImage full = f.compose().copy();
  ASSERT_NE(full, f.snapshot);  // the overlays are on the picture only

  // The snapshot moved by nothing, then the overlays: the full redraw again.
  moveSnapshot(f.picture, f.snapshot, QPoint(0, 0));
  ASSERT_EQ(f.picture, f.snapshot);
  drawViewOverlays(f.state, f.request(RenderPass::Drag), f.picture);
  EXPECT_EQ(f.picture, full);
}
