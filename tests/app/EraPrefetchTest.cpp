// SPDX-License-Identifier: MIT
// The idle window's prefetch of the eras before and after the one shown:
// decoded from disk into the cache, fetched online after everything a view
// asks for, and dropped when the view moves.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <thread>

#include "app/EraPrefetch.h"
#include "net/TileDownloads.h"
#include "render/RenderFixture.h"
#include "render/TileCache.h"
#include "render/TilePrefetcher.h"
#include "render/Tiles.h"
#include "render/ViewComposer.h"
#include "support/LoopbackServer.h"

using namespace kavalo;

namespace {

struct PrefetchFixture : test::RenderFixture {
  PrefetchFixture() {
    data.tikeizuLines = {QStringLiteral("E1900,0,1900,1900,0,1,0,png"), QStringLiteral("E1930,1,1930,1931,0,2,1,png"),
                         QStringLiteral("E1950,1,1950,1951,0,2,2,png")};
    data.write();
    for (const char* era : {"E1900", "E1930", "E1950"}) {
      solidTiles(QString::fromLatin1(era), test::tileColour);
      // Files older than the grain of file times, as tiles on disk are: the
      // cache trusts only those.
      for (const QFileInfo& tile : QDir(data.folder + u'/' + QString::fromLatin1(era)).entryInfoList(QDir::Files)) {
        QFile file(tile.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
      }
    }
    EXPECT_TRUE(load());
    // The whole mosaic in view: every tile of an era is asked for.
    state.view.viewWidth = 400;
    state.view.viewHeight = 320;
    TileCache::shared().clear();
  }
  ~PrefetchFixture() { TileCache::shared().clear(); }
  QStringList decodedEras(const EraPrefetch& p) const {
    QStringList eras;
    for (const auto& [path, ext] : p.lastDecoded()) {
      const QString era = path.section(u'/', -2, -2);
      if (!eras.contains(era)) eras << era;
    }
    return eras;
  }
};

void runEvents(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

TEST(EraPrefetch, TheNeighbouringErasAreDecodedIntoTheCache) {
  struct Case {
    int shown;
    QStringList eras;  // decoded, in order
  };
  const Case cases[] = {{0, {"E1930"}}, {1, {"E1950", "E1900"}}, {2, {"E1930"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    PrefetchFixture f;
    f.state.view.eraIndex = c.shown;
    EraPrefetch prefetch;
    const EraPrefetch::Asked asked = prefetch.prefetch(f.state, f.request(), nullptr);
    EXPECT_EQ(asked.fetch, 0);
    EXPECT_EQ(asked.decode, 16 * c.eras.size());
    EXPECT_EQ(f.decodedEras(prefetch), c.eras);
    TilePrefetcher::shared().waitIdle();
    for (const auto& [path, ext] : prefetch.lastDecoded()) EXPECT_TRUE(TileCache::shared().contains(path));
    // What the cache holds already is not asked for again.
    EXPECT_EQ(prefetch.prefetch(f.state, f.request(), nullptr).decode, 0);
  }
}

TEST(EraPrefetch, OnlineTheFilesComeLastAndAreDroppedWhenTheViewMoves) {
  PrefetchFixture f;
  test::LoopbackServer server;
  // E1930 lies on the server only, and its answers never finish.
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      const QString name = TileName(col, row, QStringLiteral("png"));
      const QString file = f.eraFile(QStringLiteral("E1930"), name);
      server.serveStall(QStringLiteral("/kavalo/a/E1930/") + name, test::readBytes(file), 10);
      QFile::remove(file);
    }
  server.start();
  f.state.names[kWebBaseUrl] = server.url(QStringLiteral("/kavalo/"));
  f.state.view.onlineMode = true;
  TileDownloads downloads;
  int arrived = 0;
  QObject::connect(&downloads, &TileDownloads::tilesArrived, &downloads, [&arrived] { ++arrived; });

  EraPrefetch prefetch;
  const EraPrefetch::Asked asked = prefetch.prefetch(f.state, f.request(), &downloads);
  EXPECT_EQ(asked.fetch, 16);
  EXPECT_EQ(asked.decode, 0);  // E1930 is the only neighbour of E1900
  EXPECT_EQ(downloads.pending(), 16);
  runEvents(50);
  // The same view composed again (its own tiles arriving) keeps the
  // prefetch; once it moves, what did not start is forgotten and at most one
  // connection per request the host allows runs on.
  prefetch.viewShown(&downloads, f.request());
  EXPECT_EQ(downloads.pending(), 16);
  ViewRequest moved = f.request();
  moved.centerX += 10;
  prefetch.viewShown(&downloads, moved);
  EXPECT_EQ(downloads.pending(), TileDownloads::kPerHost);
  EXPECT_EQ(arrived, 0);
  downloads.reset();
  server.stop();
}

TEST(EraPrefetch, FetchedFilesAreDecodedAsTheyArrive) {
  PrefetchFixture f;
  test::LoopbackServer server;
  QStringList files;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      const QString name = TileName(col, row, QStringLiteral("png"));
      const QString file = f.eraFile(QStringLiteral("E1930"), name);
      // The server lacks one tile: nobody asked to see it, nobody is told.
      if (row + col > 0) {
        server.serve(QStringLiteral("/kavalo/a/E1930/") + name, test::readBytes(file));
        files << file;
      }
      QFile::remove(file);
    }
  server.start();
  f.state.names[kWebBaseUrl] = server.url(QStringLiteral("/kavalo/"));
  f.state.view.onlineMode = true;
  TileDownloads downloads;
  EraPrefetch prefetch;
  QObject::connect(&downloads, &TileDownloads::fileFetched, &downloads, [&prefetch](const QString& path, bool background) {
    EXPECT_TRUE(background);
    prefetch.fetched(path);
  });
  int told = 0;
  QObject::connect(&downloads, &TileDownloads::fetchFailed, &downloads, [&told] { ++told; });

  EXPECT_EQ(prefetch.prefetch(f.state, f.request(), &downloads).fetch, 16);
  // Nobody waits for the prefetch: the window is not busy.
  EXPECT_EQ(downloads.pending(), 16);
  EXPECT_FALSE(downloads.busy());
  for (int i = 0; i < 500 && downloads.pending() > 0; ++i) runEvents(10);
  ASSERT_EQ(downloads.pending(), 0);
  TilePrefetcher::shared().waitIdle();
  // Fetched a moment ago and already decoded: the step to E1930 finds every
  // tile in the cache, and the next round has nothing left to do.
  for (const QString& file : files) EXPECT_TRUE(TileCache::shared().contains(file)) << file.toStdString();
  EXPECT_EQ(downloads.counts().failed, 1);
  EXPECT_EQ(told, 0);
  const EraPrefetch::Asked again = prefetch.prefetch(f.state, f.request(), &downloads);
  EXPECT_EQ(again.fetch, 1);  // the missing tile, asked again
  EXPECT_EQ(again.decode, 0);
  server.stop();
}

TEST(EraPrefetch, AViewTakesOverTheFilesThePrefetchIsFetching) {
  PrefetchFixture f;
  // A corner of the mosaic: few enough tiles that all are on their way at once.
  f.state.view.viewWidth = 100;
  f.state.view.viewHeight = 80;
  test::LoopbackServer server;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      const QString name = TileName(col, row, QStringLiteral("png"));
      const QString file = f.eraFile(QStringLiteral("E1930"), name);
      const std::string body = test::readBytes(file).toStdString();
      QFile::remove(file);
      server.http().Get(("/kavalo/a/E1930/" + name).toStdString(),
                        [body](const httplib::Request&, httplib::Response& res) {
                          std::this_thread::sleep_for(std::chrono::milliseconds(300));
                          res.set_content(body, "image/png");
                        });
    }
  server.start();
  f.state.names[kWebBaseUrl] = server.url(QStringLiteral("/kavalo/"));
  f.state.view.onlineMode = true;
  TileDownloads downloads;
  int told = 0;
  QObject::connect(&downloads, &TileDownloads::tilesArrived, &downloads, [&told] { ++told; });

  EraPrefetch prefetch;
  const int asked = prefetch.prefetch(f.state, f.request(), &downloads).fetch;
  ASSERT_GT(asked, 0);
  ASSERT_LE(asked, TileDownloads::kPerHost);
  runEvents(50);
  EXPECT_FALSE(downloads.busy());
  // The step to E1930 while they are on their way: the view waits for them
  // and is told when they are in.
  f.state.view.eraIndex = 1;
  ViewRequest step = f.request();
  step.tiles = TilePolicy::DiskAndNetwork;
  askForTiles(f.state, step, downloads);
  EXPECT_EQ(downloads.pending(), asked);  // nothing asked twice
  EXPECT_TRUE(downloads.busy());
  for (int i = 0; i < 300 && downloads.busy(); ++i) runEvents(10);
  EXPECT_FALSE(downloads.busy());
  EXPECT_GT(told, 0);
  server.stop();
}
