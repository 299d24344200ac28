// SPDX-License-Identifier: MIT
// The online indicator of the main window, with the web folder named in
// servers.txt of the RootFolder.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <memory>

#include "app/frmSCR.h"
#include "net/TileDownloads.h"
#include "platform/Logging.h"
#include "platform/Prompts.h"
#include "render/TileCache.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

namespace {

// Runs the window's event loop until its tiles are in and drawn.
void settle(frmSCR& w) {
  QElapsedTimer clock;
  clock.start();
  while ((w.tileDownloads().busy() || clock.elapsed() < 200) && clock.elapsed() < 10000) {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
}

// The warnings printed while it is installed (after those the program drops).
QStringList& warnings() {
  static QStringList list;
  return list;
}
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtWarningMsg) warnings() << message;
}

// A RootFixture with one dataset "a" whose era E1900 has no tile on disk,
// its web base pointed at a server.
struct OnlineRoot {
  test::RootFixture root;
  test::DatasetFixture d;
  OnlineRoot() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    QDir().mkpath(d.folder + QStringLiteral("/E1900"));
  }
  // Every tile of E1900 on the server, in one colour.
  void serveTiles(LoopbackServer& server, const QColor& colour) {
    const QString tmp = root.path(QStringLiteral("t.png"));
    test::writeSolidImage(tmp, d.tileWidth, d.tileHeight, colour);
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col)
        server.serve(
            QStringLiteral("/kavalo/a/E1900/%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0')),
            test::readBytes(tmp));
  }
  void webBase(const QString& url) {
    test::writeBytes(root.path(QStringLiteral("servers.txt")), ("web_base = " + url + "\n").toUtf8());
  }
};

}  // namespace

TEST(OnlineWindow, IndicatorFetchAndFallBack) {
  // What the program prints on standard error is collected: the server's
  // death must reach the user once, as a message, and nowhere else.
  const QtMessageHandler earlier = qInstallMessageHandler(&collectWarnings);
  dropQtNetworkNoise();
  OnlineRoot f;
  test::RootFixture& root = f.root;
  test::DatasetFixture& d = f.d;
  // Every tile of E1900 lies on the server only.
  LoopbackServer server;
  f.serveTiles(server, Qt::darkGreen);
  server.serve(QStringLiteral("/kavalo/servercheck.txt"), "OK");
  server.start();
  f.webBase(server.url(QStringLiteral("/kavalo")));

  ScriptedPrompts prompts;
  ScreenInfo screen;
  frmSCR w(root.root(), screen, prompts);
  w.Form_Load();
  w.show();
  w.state().view.eraIndex = 0;
  EXPECT_EQ(w.lblOffLine->text(), QStringLiteral("オフライン"));

  const int before = w.compositionCount();
  w.lblOffLine_Click();
  EXPECT_EQ(w.lblOffLine->text(), QStringLiteral("オンライン"));
  // The tiles went out with the server check: those in when it answered are
  // drawn at once, the rest a few arrivals at a time.
  settle(w);
  EXPECT_GT(w.compositionCount(), before + 1);
  EXPECT_LT(w.compositionCount(), before + 1 + w.tileDownloads().counts().fetched);
  const QImage& shown = w.viewPicture();
  EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), QColor(Qt::darkGreen).rgb());
  QStringList fetched = server.requests().filter(QStringLiteral("/kavalo/a/E1900/"));
  ASSERT_GE(fetched.size(), 2);
  for (QString& path : fetched) {
    path = d.folder + path.mid(QStringLiteral("/kavalo/a").size());
    EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
  }
  EXPECT_FALSE(w.lblDownload->isVisible());
  EXPECT_EQ(w.phase(), frmSCR::Phase::Ready);

  // The server goes away: one message, and the indicator is offline again.
  server.stop();
  QFile::remove(fetched[0]);
  QFile::remove(fetched[1]);
  w.PrintGazo();
  settle(w);
  EXPECT_EQ(prompts.messages(),
            (QStringList{QStringLiteral("サーバーに接続しました。"), QStringLiteral("サーバー接続が中断しました。")}));
  EXPECT_EQ(w.lblOffLine->text(), QStringLiteral("オフライン"));
  EXPECT_FALSE(w.state().view.onlineMode);
  w.Form_Unload();
  EXPECT_FALSE(warnings().join(u'\n').contains(QStringLiteral("must only be called once")))
      << warnings().join(u'\n').toStdString();
  qInstallMessageHandler(earlier);
}

TEST(OnlineWindow, LastArrivalComposesAtOnce) {
  OnlineRoot f;
  test::RootFixture& root = f.root;
  test::DatasetFixture& d = f.d;
  LoopbackServer server;
  f.serveTiles(server, Qt::darkBlue);
  server.serve(QStringLiteral("/kavalo/servercheck.txt"), "OK");
  server.start();
  f.webBase(server.url(QStringLiteral("/kavalo")));

  ScriptedPrompts prompts;
  ScreenInfo screen;
  frmSCR w(root.root(), screen, prompts);
  w.Form_Load();
  w.show();
  w.state().view.eraIndex = 0;
  // Told after the window (connected later): by then the window has seen
  // every arrival. Once nothing is pending the view must already show the
  // last tile, not after the interval that gathers arrivals.
  int told = 0, lastTold = 0;
  bool composedBeforeIdle = false;
  w.lblOffLine_Click();
  settle(w);
  // Online, with the view's tiles to fetch again.
  for (const QString& name : QDir(d.folder + QStringLiteral("/E1900")).entryList(QDir::Files))
    QFile::remove(d.folder + QStringLiteral("/E1900/") + name);
  TileCache::shared().clear();
  w.PrintGazo();
  ASSERT_TRUE(w.tileDownloads().busy());
  QObject::connect(&w.tileDownloads(), &TileDownloads::tilesArrived, &w, [&] {
    ++told;
    if (w.tileDownloads().busy()) return;
    lastTold = told;
    const QImage& shown = w.viewPicture();
    composedBeforeIdle = shown.pixel(shown.width() / 2, shown.height() / 2) == QColor(Qt::darkBlue).rgb();
  });
  settle(w);
  ASSERT_GT(told, 0);
  EXPECT_EQ(lastTold, told);
  EXPECT_TRUE(composedBeforeIdle);
  w.Form_Unload();
}

TEST(OnlineWindow, TheCheckGoesOutWithTheFirstTilesAndAFailedOneKeepsNone) {
  OnlineRoot f;
  test::RootFixture& root = f.root;
  test::DatasetFixture& d = f.d;
  // A server that closes every connection without a word: the check fails.
  test::RawServer server{QByteArray()};
  f.webBase(server.url(QStringLiteral("/kavalo/")));

  ScriptedPrompts prompts;
  ScreenInfo screen;
  frmSCR w(root.root(), screen, prompts);
  w.Form_Load();
  w.show();
  w.state().view.eraIndex = 0;
  w.lblOffLine_Click();
  settle(w);
  EXPECT_EQ(w.lblOffLine->text(), QStringLiteral("オフライン"));
  EXPECT_FALSE(w.state().view.onlineMode);
  EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("サーバーに接続できませんでした。")});
  // The view's tiles were asked for with the check (a connection each, up
  // to the host's share), not after it; nothing stays, under its name or aside.
  EXPECT_GE(server.connections(), TileDownloads::kPerHost);
  EXPECT_EQ(QDir(d.folder + QStringLiteral("/E1900")).entryList(QDir::Files), QStringList());
  w.Form_Unload();
}
