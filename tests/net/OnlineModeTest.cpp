// The online switch and the fetching of missing tiles while the map draws,
// against a web folder on 127.0.0.1.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "net/OnlineMode.h"
#include "render/RenderFixture.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

namespace {

struct OnlineFixture : test::RenderFixture {
  LoopbackServer server;
  std::vector<bool> looks;  // the indicator's looks, in order (true: online)
  int notices = 0;
  OnlineView view;

  OnlineFixture() {
    data.write();
    solidTiles(QStringLiteral("E1900"), test::tileColour);
    EXPECT_TRUE(load());
    state.names[kWebBaseUrl] = server.url(QStringLiteral("/kavalo/"));
    view.setIndicator = [this](bool online) { looks.push_back(online); };
    view.showDownloadNotice = [this](bool shown) { notices += shown ? 1 : 0; };
    InstallOnlineFetcher(state, prompts, view);
  }
  // Moves a tile away from the data folder onto the server.
  void moveToServer(const QString& name) {
    server.serve(QStringLiteral("/kavalo/a/E1900/") + name, test::readBytes(eraFile(QStringLiteral("E1900"), name)));
    QFile::remove(eraFile(QStringLiteral("E1900"), name));
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
}

TEST(OnDemandTiles, FetchedOnceWhileDrawingAndNeverAgain) {
  OnlineFixture f;
  f.moveToServer(QStringLiteral("000_000.png"));
  f.moveToServer(QStringLiteral("001_000.png"));
  f.server.start();

  // Offline nothing is asked for; the tiles are drawn as absent.
  f.compose();
  EXPECT_TRUE(f.server.requests().isEmpty());

  f.state.view.onlineMode = true;
  const QImage& picture = f.compose();
  EXPECT_EQ(f.server.requests(), (QStringList{QStringLiteral("/kavalo/a/E1900/000_000.png"),
                                              QStringLiteral("/kavalo/a/E1900/001_000.png")}));
  EXPECT_EQ(f.notices, 2);
  EXPECT_EQ(picture.pixel(10, 10), test::tileColour(0, 0) | 0xFF000000u);
  EXPECT_TRUE(QFile::exists(f.eraFile(QStringLiteral("E1900"), QStringLiteral("000_000.png"))));
  EXPECT_TRUE(f.prompts.messages().isEmpty());

  // On disk now: never fetched again.
  f.compose();
  EXPECT_EQ(f.server.requests().size(), 2);
  EXPECT_TRUE(f.state.view.onlineMode);
}

TEST(OnDemandTiles, FirstFailureSwitchesOfflineWithOneMessage) {
  OnlineFixture f;
  for (const char* name : {"000_000.png", "001_000.png", "000_001.png"}) QFile::remove(f.eraFile("E1900", name));
  f.server.start();  // the web folder knows none of them
  f.state.view.onlineMode = true;
  f.compose();
  EXPECT_EQ(f.prompts.messages(), QStringList{QStringLiteral("サーバー接続が中断しました。")});
  EXPECT_FALSE(f.state.view.onlineMode);
  EXPECT_EQ(f.looks, std::vector<bool>{false});
  EXPECT_EQ(f.server.requests().size(), 1);
  // Nothing half-written is left to be drawn next time.
  EXPECT_FALSE(QFile::exists(f.eraFile(QStringLiteral("E1900"), QStringLiteral("000_000.png"))));
}
