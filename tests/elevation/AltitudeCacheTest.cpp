// SPDX-License-Identifier: MIT
// The decoded copy of altitude.dat in the cache folder: used only for the
// file as it was when the copy was made, and never when the copy is short,
// damaged or changed since (the file is then decoded again and the copy
// rewritten).
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <vector>

#include "model/AltitudeCache.h"
#include "model/AltitudeGrid.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

constexpr int kSide = 1024;  // large enough to be kept

std::vector<int32_t> pattern(int32_t seed) {
  std::vector<int32_t> cells(static_cast<size_t>(kSide) * kSide);
  // Smooth, as terrain is (and quick to compress).
  for (size_t i = 0; i < cells.size(); ++i)
    cells[i] = static_cast<int32_t>((i / kSide * 3 + i % kSide / 64 + static_cast<size_t>(seed) * 7) % 30000u);
  cells[3] = kSeaValue;
  return cells;
}

// A cache folder of the test's own, so that no copy lands in the user's.
struct OwnCache {
  QTemporaryDir home;
  QTemporaryDir data;
  QByteArray saved = qgetenv("XDG_CACHE_HOME");
  OwnCache() { qputenv("XDG_CACHE_HOME", home.path().toUtf8()); }
  ~OwnCache() {
    if (saved.isNull())
      qunsetenv("XDG_CACHE_HOME");
    else
      qputenv("XDG_CACHE_HOME", saved);
  }
  QString grid() const { return data.path() + QStringLiteral("/altitude.dat"); }
  QString copy() const { return altitudeCachePath(QFile::encodeName(grid())); }
  void write(const std::vector<int32_t>& cells, int secondsAgo) const {
    test::writeAltitude(grid(), kSide, kSide, 0, 30000, 100, cells);
    QFile f(grid());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
  }
};

struct Read {
  bool ok = false;
  bool mapped = false;
  std::vector<int32_t> cells;
};

Read read(const OwnCache& c) {
  AltitudeGrid g;
  QString error;
  Read r;
  r.ok = readAltitudeGrid(c.grid(), test::smallGridInfo(), g, &error);
  r.mapped = g.cells.isMapped();
  r.cells.assign(g.cells.begin(), g.cells.end());
  return r;
}

void changeByte(const QString& path, qint64 at) {
  // File times move in ticks of a few milliseconds: the change is made in a
  // later tick than the writing, as any real damage is.
  const QDateTime written = QFileInfo(path).metadataChangeTime();
  while (QDateTime::currentDateTime() < written.addMSecs(20)) {
  }
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.seek(at));
  char b = 0;
  ASSERT_TRUE(f.getChar(&b));
  ASSERT_TRUE(f.seek(at));
  ASSERT_TRUE(f.putChar(static_cast<char>(b ^ 0x5a)));
}

}  // namespace

TEST(AltitudeCache, TheSecondReadMapsTheCopyOfTheSameFile) {
  OwnCache c;
  const std::vector<int32_t> cells = pattern(1);
  c.write(cells, 100);
  EXPECT_FALSE(QFile::exists(c.copy()));
  const Read first = read(c);
  ASSERT_TRUE(first.ok);
  EXPECT_FALSE(first.mapped);
  EXPECT_EQ(first.cells, cells);
  EXPECT_EQ(QFile(c.copy()).size(), 64 + static_cast<qint64>(cells.size()) * 4);
  const Read second = read(c);
  ASSERT_TRUE(second.ok);
  EXPECT_TRUE(second.mapped);
  EXPECT_EQ(second.cells, cells);
}

TEST(AltitudeCache, ACopyThatNoLongerFitsIsNeverUsedAndIsWrittenAgain) {
  const std::vector<int32_t> before = pattern(1), after = pattern(2);
  struct Case {
    const char* what;
    std::function<void(const OwnCache&)> spoil;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"altitude.dat changed (same size, another time)", [&](const OwnCache& c) { c.write(after, 50); }, after},
      {"a cell of the copy damaged", [](const OwnCache& c) { changeByte(c.copy(), 64 + 4 * 1000 + 1); }, before},
      {"the copy's header damaged", [](const OwnCache& c) { changeByte(c.copy(), 9); }, before},
      {"the copy's stamp lost", [](const OwnCache& c) { QFile::remove(c.copy() + QStringLiteral(".stamp")); }, before},
      {"the copy cut short",
       [](const OwnCache& c) {
         QFile f(c.copy());
         ASSERT_TRUE(f.resize(f.size() - 4096));
       },
       before},
      {"the copy empty",
       [](const OwnCache& c) {
         QFile f(c.copy());
         ASSERT_TRUE(f.resize(0));
       },
       before},
      {"the copy of another file in its place",
       [](const OwnCache& c) {
         QTemporaryDir other;
         const QString otherGrid = other.path() + QStringLiteral("/altitude.dat");
         test::writeAltitude(otherGrid, kSide, kSide, 0, 30000, 100, pattern(3));
         AltitudeGrid g;
         ASSERT_TRUE(readAltitudeGrid(otherGrid, test::smallGridInfo(), g, nullptr));
         QFile::remove(c.copy());
         ASSERT_TRUE(QFile::copy(altitudeCachePath(QFile::encodeName(otherGrid)), c.copy()));
       },
       before},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    OwnCache c;
    c.write(before, 100);
    ASSERT_TRUE(read(c).ok);
    ASSERT_TRUE(read(c).mapped);
    k.spoil(c);
    const Read spoiled = read(c);
    ASSERT_TRUE(spoiled.ok);
    EXPECT_FALSE(spoiled.mapped);
    EXPECT_EQ(spoiled.cells, k.expected);
    // The copy was written again and serves the next run.
    const Read next = read(c);
    EXPECT_TRUE(next.mapped);
    EXPECT_EQ(next.cells, k.expected);
  }
}

TEST(AltitudeCache, SmallGridsAndUnreadableFilesLeaveNoCopy) {
  OwnCache c;
  test::writeAltitude(c.grid(), 64, 64, 0, 100, 10, std::vector<int32_t>(64 * 64, 50));
  ASSERT_TRUE(read(c).ok);
  EXPECT_FALSE(QFile::exists(c.copy()));
  // A grid whose block is cut short fails as before and leaves no copy.
  c.write(pattern(1), 100);
  QFile f(c.grid());
  ASSERT_TRUE(f.resize(f.size() / 2));
  EXPECT_FALSE(read(c).ok);
  EXPECT_FALSE(QFile::exists(c.copy()));
}
