// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>

#include "render/RenderFixture.h"
#include "render/TileCache.h"
#include "render/Tiles.h"

using namespace kavalo;

namespace {

// Files written by a test are younger than the file system's time grain and
// the cache would rightly not trust them; setting their time back makes them
// files that have been on disk a while. offsetSeconds tells files apart.
void age(const QString& path, int offsetSeconds = 0) {
  const auto when =
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(1) + std::chrono::seconds(offsetSeconds);
  std::filesystem::last_write_time(QFile::encodeName(path).toStdString(), when);
}

void ageFolder(const QString& folder) {
  QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) age(it.next());
}

// A 10 x 10 RGB32 picture costs 400 bytes.
QString solid(const QTemporaryDir& dir, const QString& name, QColor colour) {
  const QString path = dir.filePath(name);
  test::writeSolidImage(path, 10, 10, colour);
  return path;
}

QRgb loadedColour(TileCache& cache, const QString& path, int* decodes = nullptr) {
  const QImage picture = cache.load(path, [&] {
    if (decodes) ++*decodes;
    QImage image;
    image.load(path);
    return image.convertToFormat(QImage::Format_RGB32);
  });
  return picture.isNull() ? 0 : picture.pixel(5, 5);
}

}  // namespace

TEST(TileCache, HitsMissesAndLeastRecentlyUsedEvictionUnderTheBudget) {
  QTemporaryDir dir;
  const QString a = solid(dir, QStringLiteral("a.png"), Qt::red);
  const QString b = solid(dir, QStringLiteral("b.png"), Qt::green);
  const QString c = solid(dir, QStringLiteral("c.png"), Qt::blue);
  for (const QString& p : {a, b, c}) age(p);
  TileCache cache(1000);  // room for two pictures

  struct Step {
    const QString* path;
    bool decoded;  // the file was decoded (a miss)
    bool aKept, bKept, cKept;
  };
  const Step steps[] = {
      {&a, true, true, false, false}, {&b, true, true, true, false},
      {&a, false, true, true, false},  // a becomes the most recently used
      {&c, true, true, false, true},   // b, the least recently used, goes
      {&b, true, false, true, true},   // then a
      {&c, false, false, true, true},
  };
  int decodes = 0;
  for (size_t i = 0; i < std::size(steps); ++i) {
    const Step& s = steps[i];
    const int before = decodes;
    EXPECT_NE(loadedColour(cache, *s.path, &decodes), 0u) << i;
    EXPECT_EQ(decodes > before, s.decoded) << i;
    EXPECT_EQ(cache.contains(a), s.aKept) << i;
    EXPECT_EQ(cache.contains(b), s.bKept) << i;
    EXPECT_EQ(cache.contains(c), s.cKept) << i;
    EXPECT_LE(cache.bytes(), cache.budget()) << i;
  }
  EXPECT_EQ(cache.stats().hits, 2);
  EXPECT_EQ(cache.stats().misses, 4);
  EXPECT_EQ(cache.stats().evictions, 2);

  // A lower budget drops at once; a budget of 0 keeps nothing.
  cache.setBudget(400);
  EXPECT_EQ(cache.count(), 1u);
  EXPECT_TRUE(cache.contains(c));
  cache.setBudget(0);
  EXPECT_EQ(cache.count(), 0u);
  EXPECT_EQ(loadedColour(cache, a), qRgb(255, 0, 0));
  EXPECT_EQ(cache.count(), 0u);
}

TEST(TileCache, AChangedFileIsDecodedAgain) {
  QTemporaryDir dir;
  TileCache cache;
  const QString path = solid(dir, QStringLiteral("t.png"), Qt::red);
  age(path);
  EXPECT_EQ(loadedColour(cache, path), qRgb(255, 0, 0));
  int decodes = 0;
  EXPECT_EQ(loadedColour(cache, path, &decodes), qRgb(255, 0, 0));
  EXPECT_EQ(decodes, 0);

  // Rewritten in place, same size, another time: decoded again.
  solid(dir, QStringLiteral("t.png"), Qt::blue);
  age(path, 7);
  EXPECT_EQ(loadedColour(cache, path), qRgb(0, 0, 255));

  // Replaced by another file under the same name and time (as a download
  // renamed into place): another file on disk, decoded again.
  const QString other = solid(dir, QStringLiteral("other.png"), Qt::green);
  age(other, 7);
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QFile::rename(other, path));
  EXPECT_EQ(loadedColour(cache, path), qRgb(0, 255, 0));

  // Rewritten just now, twice within the file system's grain: a young file
  // is never trusted, so the second content shows too.
  solid(dir, QStringLiteral("t.png"), Qt::red);
  EXPECT_EQ(loadedColour(cache, path), qRgb(255, 0, 0));
  solid(dir, QStringLiteral("t.png"), Qt::blue);
  EXPECT_EQ(loadedColour(cache, path), qRgb(0, 0, 255));

  // A file the program has just put in place itself is trusted while young:
  // decoded once. Another file renamed over it after the note is not.
  const QString fetched = solid(dir, QStringLiteral("fetched.png"), Qt::green);
  cache.noteOwnWrite(fetched);
  decodes = 0;
  EXPECT_EQ(loadedColour(cache, fetched, &decodes), qRgb(0, 255, 0));
  EXPECT_EQ(loadedColour(cache, fetched, &decodes), qRgb(0, 255, 0));
  EXPECT_EQ(decodes, 1);
  const QString replacement = solid(dir, QStringLiteral("replacement.png"), Qt::red);
  ASSERT_TRUE(QFile::remove(fetched));
  ASSERT_TRUE(QFile::rename(replacement, fetched));
  EXPECT_EQ(loadedColour(cache, fetched, &decodes), qRgb(255, 0, 0));
  EXPECT_EQ(loadedColour(cache, fetched, &decodes), qRgb(255, 0, 0));
  EXPECT_EQ(decodes, 3);
  ASSERT_TRUE(QFile::remove(fetched));
  EXPECT_EQ(loadedColour(cache, fetched), 0u);

  // A file that is gone or cannot be decoded is not kept.
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_EQ(loadedColour(cache, path), 0u);
  test::writeBytes(path, QByteArray("not an image"));
  age(path);
  EXPECT_EQ(loadedColour(cache, path), 0u);
  EXPECT_EQ(cache.count(), 0u);
}

TEST(TileCache, TheCompositionIsTheSameWithAndWithoutTheCacheAndStepsBackWithoutDecoding) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  // Tiles with a pattern, so that a stretch kept from an earlier redraw
  // would show if it differed from stretching afresh.
  for (const QString& era : {QStringLiteral("E1900"), QStringLiteral("E1930")})
    for (int row = 0; row < 4 && QDir().mkpath(f.eraFile(era, QString())); ++row)
      for (int col = 0; col < 4; ++col) {
        QImage tile(100, 80, QImage::Format_RGB32);
        for (int y = 0; y < 80; ++y)
          for (int x = 0; x < 100; ++x)
            tile.setPixel(x, y, qRgb((x * 7 + col * 50) % 256, (y * 5 + row * 40) % 256, (x * y + era.size()) % 256));
        ASSERT_TRUE(tile.save(f.eraFile(era, TileName(col, row, QStringLiteral("png")))));
      }
  ageFolder(f.data.folder);
  ASSERT_TRUE(f.load());
  f.state.view.showScale = true;

  TileCache& cache = TileCache::shared();
  const int64_t budget = cache.budget();
  for (const int zoom : {100, 75, 200}) {
    f.state.view.zoomPercent = zoom;
    cache.clear();
    cache.setBudget(0);
    std::vector<QImage> uncached;
    for (int era : {0, 1}) {
      f.state.view.eraIndex = era;
      uncached.push_back(f.compose().copy());
    }
    cache.setBudget(budget);
    for (int pass = 0; pass < 2; ++pass) {
      cache.resetStats();
      for (int era : {0, 1}) {
        f.state.view.eraIndex = era;
        EXPECT_EQ(f.compose(), uncached[static_cast<size_t>(era)]) << zoom << "% era " << era << " pass " << pass;
      }
      // The second pass, A -> B again, decodes nothing.
      if (pass == 1) {
        EXPECT_EQ(cache.stats().misses, 0) << zoom;
        EXPECT_GT(cache.stats().hits, 0) << zoom;
      }
    }
  }
  // A view moved at every composition keeps no cut tiles: only the whole
  // tiles' entries remain, fewer than a still view at the same places keeps.
  size_t kept[2] = {0, 0};
  for (const bool keep : {true, false}) {
    cache.clear();
    f.state.view.zoomPercent = 75;
    for (int step = 0; step < 6; ++step) {
      f.state.view.centerX += 7;
      ViewRequest r = f.request(RenderPass::ComparePane);
      r.moving = !keep;
      renderView(f.state, r, f.picture);
    }
    kept[keep ? 0 : 1] = cache.count();
  }
  EXPECT_LT(kept[1] + 10, kept[0]);

  // New colours prepare the pieces anew: the background stretched and kept
  // under the old ones must not come back.
  f.state.view.zoomPercent = 75;
  f.state.view.eraIndex = 0;
  const QImage oldColours = f.compose().copy();
  ColorSet bright = f.state.colorSets.current();
  bright.bottom = bright.top = 0x00FF00;
  bright.breakpointCount = 0;
  f.state.colorSets.sets.push_back(bright);
  f.state.colorSets.selected = static_cast<int32_t>(f.state.colorSets.sets.size()) - 1;
  f.state.pieces.prepare(&f.state.altitude, bright, f.state.mapInfo.totalCols, f.state.mapInfo.totalRows);
  const QImage newColours = f.compose().copy();
  cache.setBudget(0);
  EXPECT_EQ(f.compose(), newColours);
  EXPECT_NE(newColours, oldColours);
  cache.setBudget(budget);

  // Drawing into a picture handed out by the cache leaves the kept one as it was.
  QImage picture;
  const QString path = TilePath(f.state, 0, QStringLiteral("000_000.png"));
  ASSERT_TRUE(LoadTileImage(path, QStringLiteral("png"), picture));
  picture.fill(Qt::black);
  ASSERT_TRUE(LoadTileImage(path, QStringLiteral("png"), picture));
  EXPECT_EQ(picture.pixel(1, 1), qRgb(7, 5, 6));
  cache.clear();
}
