// SPDX-License-Identifier: MIT
// The online switch and the tile source that fetches missing tiles in the
// background while the map is drawn, against a web folder on 127.0.0.1.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "net/Network.h"
#include "net/OnlineMode.h"
#include "net/TileDownloads.h"
#include "render/RenderFixture.h"
#include "render/Tiles.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

namespace {

struct OnlineFixture : test::RenderFixture {
  LoopbackServer server;
  std::vector<bool> looks;  // the indicator's looks, in order (true: online)
  OnlineView view;
  TileDownloads downloads;
  QStringList failures;

  OnlineFixture() {
    data.write();
    solidTiles(QStringLiteral("E1900"), test::tileColour);
    EXPECT_TRUE(load());
    state.names[kWebBaseUrl] = server.url(QStringLiteral("/kavalo/"));
    view.setIndicator = [this](bool online) { looks.push_back(online); };
    QObject::connect(&downloads, &TileDownloads::fetchFailed, &downloads,
                     [this](const QString& url, const QString&) { failures << url; });
  }
  QString tileName(int col, int row) const { return TileName(col, row, QStringLiteral("png")); }
  // Moves a tile away from the data folder onto the server.
  void moveToServer(const QString& name) {
    server.serve(QStringLiteral("/kavalo/a/E1900/") + name, test::readBytes(eraFile(QStringLiteral("E1900"), name)));
    QFile::remove(eraFile(QStringLiteral("E1900"), name));
  }
  // A composition of the view that asks the source for what it lacks.
  const QImage& composeOnline(int viewId = 0) {
    ViewRequest r = request();
    r.viewId = viewId;
    renderView(state, r, picture, &downloads);
    return picture;
  }
  // Lets the requests run until none is left (or ten seconds pass).
  void waitIdle() {
    QElapsedTimer clock;
    clock.start();
    while (downloads.busy() && clock.elapsed() < 10000) {
      QEventLoop loop;
      QTimer::singleShot(10, &loop, &QEventLoop::quit);
      loop.exec();
    }
    QEventLoop loop;  // the arrival notice comes on the next turn
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
  }
};

}  // namespace

TEST(OnlineSwitch, QuestionServerCheckAndMessages) {
  OnlineFixture f;
  f.server.serve(QStringLiteral("/kavalo/servercheck.txt"), "", 404);  // any answer will do
  f.server.start();

  f.prompts.answer(false);
  EXPECT_FALSE(SwitchOnline(f.state, f.prompts, f.view));
  EXPECT_FALSE(f.state.view.onlineMode);
  EXPECT_EQ(f.prompts.questions(), QStringList{QStringLiteral("サーバーへの接続を行いますか？")});

  EXPECT_TRUE(SwitchOnline(f.state, f.prompts, f.view));
  EXPECT_TRUE(f.state.view.onlineMode);
  EXPECT_EQ(f.prompts.messages(), QStringList{QStringLiteral("サーバーに接続しました。")});
  EXPECT_EQ(f.looks, std::vector<bool>{true});

  // Online already: not even the question.
  EXPECT_FALSE(SwitchOnline(f.state, f.prompts, f.view));
  EXPECT_EQ(f.prompts.questions().size(), 2);

  f.state.view.onlineMode = false;
  f.state.names[kWebBaseUrl] = QStringLiteral("http://127.0.0.1:%1/kavalo/").arg(test::deadPort());
  EXPECT_FALSE(SwitchOnline(f.state, f.prompts, f.view));
  EXPECT_FALSE(f.state.view.onlineMode);
  EXPECT_EQ(f.prompts.messages().last(), QStringLiteral("サーバーに接続できませんでした。"));
  EXPECT_EQ(f.looks.size(), 1u);

  // The first tile that fails: one message, offline; a second says nothing.
  f.state.view.onlineMode = true;
  TileFetchFailed(f.state, f.prompts, f.view);
  TileFetchFailed(f.state, f.prompts, f.view);
  EXPECT_EQ(f.prompts.messages().filter(QStringLiteral("サーバー接続が中断しました。")).size(), 1);
  EXPECT_FALSE(f.state.view.onlineMode);
  EXPECT_EQ(f.looks, (std::vector<bool>{true, false}));
}

TEST(OnDemandTiles, TheDrawingNeverWaitsAndTheTilesFollowOnceArrived) {
  OnlineFixture f;
  f.moveToServer(f.tileName(0, 0));
  f.moveToServer(f.tileName(1, 0));
  f.server.start();

  // Offline nothing is asked for; the tiles are drawn as absent.
  f.composeOnline();
  EXPECT_FALSE(f.downloads.busy());
  EXPECT_TRUE(f.server.requests().isEmpty());

  f.state.view.onlineMode = true;
  int arrivals = 0;
  QObject::connect(&f.downloads, &TileDownloads::tilesArrived, [&] { ++arrivals; });
  std::vector<bool> busy;
  QObject::connect(&f.downloads, &TileDownloads::busyChanged, [&](bool b) { busy.push_back(b); });
  EXPECT_NE(f.composeOnline().pixel(10, 10), test::tileColour(0, 0) | 0xFF000000u);  // drawn at once, without
  EXPECT_TRUE(f.downloads.busy());
  f.waitIdle();
  EXPECT_EQ(f.downloads.counts().fetched, 2);
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
  EXPECT_GE(arrivals, 1);
  EXPECT_LE(arrivals, 2);
  QStringList asked = f.server.requests();
  asked.sort();
  EXPECT_EQ(asked, (QStringList{QStringLiteral("/kavalo/a/E1900/000_000.png"),
                                QStringLiteral("/kavalo/a/E1900/001_000.png")}));
  EXPECT_EQ(f.composeOnline().pixel(10, 10), test::tileColour(0, 0) | 0xFF000000u);

  // On disk now: never fetched again.
  f.composeOnline();
  EXPECT_FALSE(f.downloads.busy());
  EXPECT_EQ(f.server.requests().size(), 2);
  EXPECT_TRUE(f.failures.isEmpty());
}

// Every tile of E1900 on the server only, each answered after a while; the
// server counts the requests it holds at once and notes the order they came.
struct HeldTiles {
  std::atomic<int> holding{0}, most{0};
  QStringList order;  // read once the requests are over
  std::mutex orderMutex;

  HeldTiles(OnlineFixture& f, int answerMs) {
    const QByteArray body = test::readBytes(f.eraFile(QStringLiteral("E1900"), f.tileName(0, 0)));
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col) QFile::remove(f.eraFile(QStringLiteral("E1900"), f.tileName(col, row)));
    f.server.http().Get(R"(/kavalo/a/E1900/(.*))", [this, body, answerMs](const httplib::Request& req,
                                                                          httplib::Response& res) {
      {
        std::lock_guard<std::mutex> lock(orderMutex);
        order << QString::fromStdString(req.matches[1]);
      }
      const int now = ++holding;
      for (int m = most; now > m && !most.compare_exchange_weak(m, now);) {
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(answerMs));
      --holding;
      res.set_content(body.constData(), static_cast<size_t>(body.size()), "image/png");
    });
    f.server.http().new_task_queue = [] { return new httplib::ThreadPool(16); };
    f.server.start();
    f.state.view.onlineMode = true;
  }
};

TEST(OnDemandTiles, OneRequestPerFileSixAtATimeNewestViewFirstAndLeftTilesDropped) {
  OnlineFixture f;
  HeldTiles held(f, 150);
  std::atomic<int>& most = held.most;
  QStringList& order = held.order;

  // The view and a comparison's second era ask for the same files: each is
  // asked of the server once.
  f.state.view.zoomPercent = 50;  // the whole grid in the view
  f.composeOnline(0);
  f.composeOnline(1);
  EXPECT_EQ(f.downloads.pending(), 16);

  // The view moves on (one file now): what it asked for before and no longer
  // shows is forgotten once neither view wants it, unless already running.
  f.state.view.zoomPercent = 400;
  f.state.view.centerX = 350;
  f.state.view.centerY = 280;  // tile (3, 3)
  f.composeOnline(0);
  f.composeOnline(1);
  f.waitIdle();
  EXPECT_EQ(most.load(), TileDownloads::kPerHost);
  // Six ran from the first round; of the rest only (3, 3) was still wanted,
  // and it came first after them as the newest view's file.
  ASSERT_EQ(order.size(), 7) << order.join(u' ').toStdString();
  EXPECT_EQ(order.last(), f.tileName(3, 3));
  EXPECT_EQ(order.removeDuplicates(), 0);
  EXPECT_TRUE(f.failures.isEmpty());
}

// A batch handed to the HTTP layer ahead of its connections (kavalo-cli)
// still uses six connections, and asks for each file once, round by round
// in the order asked.
TEST(OnDemandTiles, ALookAheadKeepsSixConnectionsAndTheOrderAsked) {
  OnlineFixture f;
  HeldTiles held(f, 120);
  QStringList asked;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) asked << f.tileName(col, row);
  const QStringList& order = held.order;
  f.downloads.setLookAhead(TileDownloads::kPerHost);
  f.state.view.zoomPercent = 50;  // the whole grid in the view
  f.composeOnline(0);
  f.waitIdle();
  EXPECT_EQ(held.most.load(), TileDownloads::kPerHost);
  ASSERT_EQ(order.size(), asked.size()) << order.join(u' ').toStdString();
  for (int first = 0; first < asked.size(); first += TileDownloads::kPerHost) {
    QStringList served = order.mid(first, TileDownloads::kPerHost), wanted = asked.mid(first, TileDownloads::kPerHost);
    served.sort();
    wanted.sort();
    EXPECT_EQ(served, wanted) << "round from " << first;
  }
  for (const QString& name : asked) EXPECT_TRUE(QFile::exists(f.eraFile(QStringLiteral("E1900"), name)));
  EXPECT_TRUE(f.failures.isEmpty());
}

TEST(OnDemandTiles, FailuresAreToldAndLeaveNoFileBehind) {
  OnlineFixture f;
  const QByteArray body = test::readBytes(f.eraFile(QStringLiteral("E1900"), f.tileName(0, 0)));
  for (const QString& name : {f.tileName(0, 0), f.tileName(1, 0), f.tileName(0, 1)})
    QFile::remove(f.eraFile(QStringLiteral("E1900"), name));
  // One missing on the server, one cut short, one never ending in time.
  f.server.serve(QStringLiteral("/kavalo/a/E1900/000_000.png"), "", 404);
  f.server.serveDropped(QStringLiteral("/kavalo/a/E1900/001_000.png"), body, body.size() / 2);
  f.server.serveStall(QStringLiteral("/kavalo/a/E1900/000_001.png"), body, 10);
  f.server.start();
  f.state.view.onlineMode = true;
  const NetworkTimeouts saved = networkTimeouts();
  setNetworkTimeouts(NetworkTimeouts{500, 5000});
  f.composeOnline();
  f.waitIdle();
  setNetworkTimeouts(saved);
  EXPECT_EQ(f.failures.size(), 3);
  EXPECT_EQ(f.downloads.counts().failed, 3);
  for (const QString& name : {f.tileName(0, 0), f.tileName(1, 0), f.tileName(0, 1)})
    EXPECT_FALSE(QFile::exists(f.eraFile(QStringLiteral("E1900"), name))) << name.toStdString();
  // Nor any temporary file beside them.
  EXPECT_EQ(QDir(f.data.folder + QStringLiteral("/E1900")).entryList(QDir::Files).size(), 13);

  // Dropped at once: what waits or runs is abandoned, nothing is told.
  f.downloads.reset();
  f.failures.clear();
  f.server.serveStall(QStringLiteral("/kavalo/a/E1900/000_000.png"), body, 10);
  f.composeOnline();
  EXPECT_TRUE(f.downloads.busy());
  QElapsedTimer clock;
  clock.start();
  f.downloads.reset();
  EXPECT_FALSE(f.downloads.busy());
  EXPECT_LT(clock.elapsed(), 500);
  EXPECT_TRUE(f.failures.isEmpty());
}

// Going online from kavalo-cli: the server check and the first tiles at once.
// The check's server is held back here until the tiles are in, and then
// answers or drops the connection: the tiles wait aside, unseen by any
// drawing, and are put in place only when the check answered.
TEST(OnlineSwitch, ServerCheckWithTheFirstTiles) {
  for (const bool answers : {true, false}) {
    SCOPED_TRACE(answers ? "the check answers" : "the check fails");
    OnlineFixture f;
    const QStringList names = {f.tileName(0, 0), f.tileName(1, 0), f.tileName(0, 1)};
    for (const QString& name : names) f.moveToServer(name);
    f.server.start();
    QTcpServer check;
    ASSERT_TRUE(check.listen(QHostAddress::LocalHost));
    QTcpSocket* asked = nullptr;
    bool refuse = false;  // a second try of the check is dropped as well
    QObject::connect(&check, &QTcpServer::newConnection, &check, [&] {
      QTcpSocket* socket = check.nextPendingConnection();
      if (refuse)
        socket->abort();
      else if (!asked)
        asked = socket;
    });
    int told = 0;
    bool answered = !answers;
    QObject::connect(&f.downloads, &TileDownloads::serverChecked, &f.downloads, [&](bool ok) {
      ++told;
      answered = ok;
    });

    f.downloads.startServerCheck(QStringLiteral("http://127.0.0.1:%1/kavalo/servercheck.txt").arg(check.serverPort()));
    ASSERT_FALSE(f.state.view.onlineMode);
    f.downloads.beginView(0);
    for (const QString& name : names) EXPECT_FALSE(f.downloads.ensure(f.state, 0, name, TilePolicy::DiskAndNetwork, 0));
    f.downloads.endView(0);
    // The tiles come in while the check waits for its answer.
    QElapsedTimer clock;
    clock.start();
    while ((f.downloads.counts().fetched < names.size() || !asked) && clock.elapsed() < 10000) {
      QEventLoop loop;
      QTimer::singleShot(10, &loop, &QEventLoop::quit);
      loop.exec();
    }
    ASSERT_EQ(f.downloads.counts().fetched, names.size());
    ASSERT_NE(asked, nullptr);
    EXPECT_TRUE(f.downloads.checking());
    for (const QString& name : names) EXPECT_FALSE(QFile::exists(f.eraFile(QStringLiteral("E1900"), name)));

    if (answers) {
      asked->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nOK");
      asked->flush();
    } else {
      refuse = true;
      asked->abort();
    }
    f.waitIdle();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(answered, answers);
    EXPECT_FALSE(f.downloads.busy());
    for (const QString& name : names)
      EXPECT_EQ(QFile::exists(f.eraFile(QStringLiteral("E1900"), name)), answers) << name.toStdString();
    // Nothing is left aside either way.
    EXPECT_EQ(QDir(f.data.folder + QStringLiteral("/E1900")).entryList({QStringLiteral("*.unchecked")}, QDir::Files),
              QStringList());
  }
}
