// SPDX-License-Identifier: MIT
// Web-mercator tiles reprojected into a data folder's tiles, and the cache
// that spares the server a second time.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cmath>

#include "model/Coordinates.h"
#include "net/XyzTiles.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

MapInfo xyzInfo() {
  MapInfo m = test::smallGridInfo();
  m.west = 135.0f;
  m.north = 34.0f;
  m.frame[2] = {32, 48};
  return m;
}

// A world of white tiles with a black square of 7 x 7 mercator pixels around
// one place.
struct DotWorld {
  double lat = 33.9123, lon = 135.1377;
  int z = 12;
  std::map<std::pair<int, int>, QImage> tiles;
  const QImage& at(int tx, int ty) {
    auto it = tiles.find({tx, ty});
    if (it != tiles.end()) return it->second;
    QImage t(256, 256, QImage::Format_RGB32);
    t.fill(qRgb(255, 255, 255));
    const double px = mercatorX(lon, z) - tx * 256.0, py = mercatorY(lat, z) - ty * 256.0;
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        if (std::abs(x + 0.5 - px) < 3.5 && std::abs(y + 0.5 - py) < 3.5) t.setPixel(x, y, qRgb(0, 0, 0));
    return tiles.emplace(std::make_pair(tx, ty), t).first->second;
  }
};

}  // namespace

TEST(XyzTiles, TemplatesAndMercator) {
  EXPECT_EQ(xyzTileUrl("http://h/{z}/{x}/{y}.png", 16, 58211, 25806), "http://h/16/58211/25806.png");
  EXPECT_TRUE(xyzTemplateUsable("https://h/t/{z}/{x}/{y}.jpg"));
  EXPECT_FALSE(xyzTemplateUsable("https://h/t/{z}/{x}.jpg"));
  EXPECT_FALSE(xyzTemplateUsable("file:///{z}/{x}/{y}"));
  EXPECT_DOUBLE_EQ(mercatorX(0, 0), 128);
  EXPECT_NEAR(mercatorY(0, 0), 128, 1e-9);
  EXPECT_NEAR(mercatorY(85.0511287798, 0), 0, 1e-6);
  // A well-known tile: Tokyo station lies in tile 16/58211/25806.
  EXPECT_EQ(static_cast<int>(mercatorX(139.7671, 16) / 256), 58211);
  EXPECT_EQ(static_cast<int>(mercatorY(35.6812, 16) / 256), 25806);
}

TEST(XyzTiles, ReprojectedFeatureLiesWhereTheCoordinateModelPutsIt) {
  const MapInfo info = xyzInfo();
  DotWorld world;
  // Where the era (world-datum frame) shows the place.
  const ImagePoint p = LatLonToImage(info, static_cast<float>(world.lat), static_cast<float>(world.lon), 1);
  const double ex = p.x - info.frame[2].x, ey = p.y - info.frame[2].y;
  const int col = static_cast<int>(ex) / info.tileWidth, row = static_cast<int>(ey) / info.tileHeight;
  const QImage tile =
      reprojectTile(info, col, row, world.z, [&](int tx, int ty) -> const QImage& { return world.at(tx, ty); });
  ASSERT_EQ(tile.size(), QSize(info.tileWidth, info.tileHeight));
  // The centre of the dark spot, weighted by darkness.
  double sx = 0, sy = 0, sw = 0;
  for (int y = 0; y < tile.height(); ++y)
    for (int x = 0; x < tile.width(); ++x) {
      const double w = 255 - qRed(tile.pixel(x, y));
      sx += w * (x + 0.5);
      sy += w * (y + 0.5);
      sw += w;
    }
  ASSERT_GT(sw, 0);
  EXPECT_NEAR(sx / sw, ex - col * info.tileWidth, 0.6);
  EXPECT_NEAR(sy / sw, ey - row * info.tileHeight, 0.6);
  // Far from the spot the tile is white.
  EXPECT_EQ(tile.pixel(0, 0) == qRgb(255, 255, 255) || tile.pixel(99, 79) == qRgb(255, 255, 255), true);
}

TEST(XyzTiles, RunWritesEraAndTheCacheSparesASecondRun) {
  test::RootFixture root;
  MapInfo info = xyzInfo();
  DotWorld world;
  world.z = 12;
  const XyzRange range = xyzRangeFor(info, world.z);
  ASSERT_GT(range.count(), 0);
  int asked = 0;
  // The server has no tile in the eastern half of the range, and answers
  // one tile with a page of text.
  const int eastFrom = (range.x0 + range.x1 + 1) / 2;
  XyzFetcher fetch = [&](const std::vector<std::pair<QString, QString>>& jobs,
                         const std::function<void(int, const TransferResult&)>& done, const std::function<bool()>&) {
    for (size_t i = 0; i < jobs.size(); ++i) {
      ++asked;
      const QStringList parts = jobs[i].first.split(u'/');
      const int x = parts[parts.size() - 2].toInt(), y = parts.back().section(u'.', 0, 0).toInt();
      TransferResult r{TransferOutcome::Absent, 404, QString(), 0, {}};
      if (x < eastFrom) {
        // A cache file that holds no image (as an older version could keep)
        // stands in for one tile.
        QFile f(jobs[i].second);
        if (f.open(QIODevice::WriteOnly) &&
            f.write(x == range.x0 && y == range.y0 ? QByteArray("<html/>") : encodePng(world.at(x, y))) > 0)
          r = {TransferOutcome::Ok, 200, QString(), f.size(), {}};
      }
      done(static_cast<int>(i), r);
    }
  };
  XyzRequest request;
  request.urlTemplate = "http://127.0.0.1:1/t/{z}/{x}/{y}.png";
  request.zoom = world.z;
  request.map = true;
  request.cacheFolder = root.path("cache");
  const QString era = root.path("W01");
  QDir().mkpath(era);
  AcquireContext ctx;
  const XyzResult first = AcquireXyz(ctx, fetch, era, request, info);
  EXPECT_EQ(first.requests, range.count());
  EXPECT_EQ(first.cached, 0);
  EXPECT_GT(first.tiles, 0);
  EXPECT_TRUE(first.writeError.isEmpty());
  EXPECT_TRUE(QFile::exists(era + "/000_000.png"));
  EXPECT_TRUE(QFile::exists(era + "/M_000_000.png"));

  // Second run: only what the server did not give (and the page of text,
  // which was not kept) is asked again.
  asked = 0;
  const XyzResult second = AcquireXyz(ctx, fetch, era, request, info);
  EXPECT_EQ(second.requests, first.counts.absent + 1);
  EXPECT_EQ(second.cached, range.count() - first.counts.absent - 1);
  EXPECT_EQ(second.tiles, first.tiles);
}
