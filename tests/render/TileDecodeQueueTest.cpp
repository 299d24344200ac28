// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "render/TileDecodeQueue.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// Twelve tiles of distinct colours, some with masks, one missing and one
// that is not an image.
std::vector<GridFiles> someFiles(const QTemporaryDir& dir) {
  std::vector<GridFiles> files;
  for (int i = 0; i < 12; ++i) {
    GridFiles f;
    f.ext = QStringLiteral("png");
    f.tilePath = dir.filePath(QStringLiteral("%1.png").arg(i));
    test::writeSolidImage(f.tilePath, 30 + i, 20, QColor(10 * i, 255 - 10 * i, 7 * i));
    if (i % 3 == 0) {
      f.maskPath = dir.filePath(QStringLiteral("M_%1.png").arg(i));
      test::writeSolidImage(f.maskPath, 30 + i, 20, QColor(0, 0, 0));
    }
    files.push_back(f);
  }
  files[4].tilePath = dir.filePath(QStringLiteral("missing.png"));
  test::writeBytes(dir.filePath(QStringLiteral("junk.png")), "not an image");
  files[7].tilePath = dir.filePath(QStringLiteral("junk.png"));
  return files;
}

}  // namespace

TEST(TileDecodeQueue, GivesEachEntryAsTheSequentialDecodeWouldWhateverTheWorkers) {
  QTemporaryDir dir;
  const std::vector<GridFiles> files = someFiles(dir);
  std::vector<GridPictures> expected(files.size());
  for (size_t i = 0; i < files.size(); ++i) DecodeGridFiles(files[i], expected[i]);
  ASSERT_TRUE(expected[4].tile.isNull());
  ASSERT_TRUE(expected[7].tile.isNull());
  ASSERT_FALSE(expected[3].mask.isNull());

  for (unsigned workers : {1u, 2u, 5u, 32u}) {
    TileDecodeQueue queue(files, workers);
    ASSERT_EQ(queue.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
      const GridPictures p = queue.take(i);
      EXPECT_EQ(p.tile, expected[i].tile) << "entry " << i << " with " << workers << " workers";
      EXPECT_EQ(p.mask, expected[i].mask) << "entry " << i;
    }
  }
}

TEST(TileDecodeQueue, EntriesMayBeTakenOutOfOrderOrLeftUntaken) {
  QTemporaryDir dir;
  const std::vector<GridFiles> files = someFiles(dir);
  {
    TileDecodeQueue queue(files, 2);
    EXPECT_EQ(queue.take(11).tile.width(), 41);
    EXPECT_EQ(queue.take(0).tile.width(), 30);
  }  // the rest is never taken: the queue still ends
  TileDecodeQueue empty({});
  EXPECT_EQ(empty.size(), 0u);
}
