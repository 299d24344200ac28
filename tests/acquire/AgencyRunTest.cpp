// SPDX-License-Identifier: MIT
// An agency run against a server on 127.0.0.1: which tiles come of which
// pieces, and what a failed run leaves behind (nothing).
#include <gtest/gtest.h>
#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <thread>

#include "FastServer.h"
#include "app/DatasetLoader.h"
#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "net/AgencyTiles.h"
#include "net/Network.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"

using namespace kavalo;

namespace {

constexpr int32_t kCell = 533945;

// A colour for each piece of the cell, never near white.
QRgb pieceColour(int i, int j) { return qRgb(10 + 12 * i, 20 + 15 * j, 90); }

// How the server answers one piece, when not with the piece itself.
enum class Odd { Page, Truncated, Huge, Busy, Stall, OtherSize };

struct PieceServer {
  test::FastServer server;
  // Pieces answered 404; pieces answered otherwise.
  std::set<std::pair<int, int>> missing;
  std::map<std::pair<int, int>, Odd> odd;
  std::atomic<int> asked{0};

  PieceServer() {
    server.http().Get("/portal/index.html",
                      [](const httplib::Request&, httplib::Response& res) { res.set_content("<html/>", "text/html"); });
    server.http().Get(
        R"(/data/30nti/new/(\d+)/(\d+)-(\d+)-img\.png)", [this](const httplib::Request& req, httplib::Response& res) {
          ++asked;
          const MeshCode cell = splitMeshCode(kCell);
          const int i = static_cast<int>((std::stoll(req.matches[2]) / 1000 - 360 * (cell.qq + 100) - 45 * cell.c) / 3);
          const int j = static_cast<int>((std::stoll(req.matches[3]) / 1000 - 240 * cell.pp - 30 * cell.r) / 3);
          if (missing.count({i, j})) {
            res.status = 404;
            return;
          }
          const auto it = odd.find({i, j});
          const int side = it != odd.end() && it->second == Odd::OtherSize ? 40 : 30;
          QImage piece(side, side, QImage::Format_RGB32);
          piece.fill(pieceColour(i, j));
          QByteArray bytes = encodePng(piece);
          if (it != odd.end()) switch (it->second) {
              case Odd::Page:
                bytes = "<html>busy</html>";
                break;
              case Odd::Truncated:
                bytes.chop(bytes.size() / 3);
                break;
              case Odd::Huge:
                bytes = test::hugePng(5790, 5790);
                break;
              case Odd::Busy:
                res.status = 503;
                return;
              case Odd::Stall:
                std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                break;
              case Odd::OtherSize:
                break;
            }
          res.set_content(bytes.toStdString(), "image/png");
        });
    server.start();
  }
};

struct AgencyDataset {
  test::RootFixture root;
  ProgramState state;
  AgencyDataset() {
    state.rootFolder = root.root();
    state.datasetFolder = root.path("d");
    QDir().mkpath(state.datasetFolder);
    MapInfo& m = state.mapInfo;
    m.title = QStringLiteral("テスト");
    m.tileWidth = 90;  // 3 pieces of 30: the block at its own size
    m.tileHeight = 60;
    m.sheetsX = m.sheetsY = 1;
    m.tilesPerSheetX = m.tilesPerSheetY = 5;
    m.meshNW = m.meshSE = kCell;
    m.orthoFlags = QStringLiteral("110000");
    state.eras.resize(1);
    state.eras[0].name = QStringLiteral("1970");
  }
  QString path(const QString& name) const { return state.datasetFolder + u'/' + name; }
};

AcquireContext programContext(ScriptedPrompts& prompts) {
  AcquireContext ctx;
  ctx.prompts = &prompts;
  ctx.net = programNetAccess();
  return ctx;
}

}  // namespace

TEST(AgencyRun, OneCellGivesItsBlocksAndSkipsTheEmptyOne) {
  PieceServer pieces;
  // Block (0, 0): no piece at all. Block (1, 0): only piece (5, 1), the
  // north-east one. Pieces of block (2, 2) come as a page and a cut file.
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 2; ++j) pieces.missing.insert({i, j});
  for (int i = 3; i < 6; ++i)
    for (int j = 0; j < 2; ++j)
      if (!(i == 5 && j == 1)) pieces.missing.insert({i, j});
  AgencyDataset d;
  ScriptedPrompts prompts;
  const RunOutcome out = runAgencyAcquisition(d.state, pieces.server.url(), pieces.server.url("/portal"),
                                              {kAgencyMapSource, -1}, programContext(prompts), QDate(2026, 5, 6));
  EXPECT_TRUE(out.added);
  EXPECT_EQ(out.tiles, 24);
  EXPECT_EQ(pieces.asked, 150);
  EXPECT_EQ(prompts.messages().back(), "テストに電子国土基本図（地図情報）を追加しました。");
  ASSERT_EQ(prompts.questions().size(), 1);
  EXPECT_TRUE(prompts.questions()[0].endsWith("処理には時間がかがります。よろしいですか？"));

  // The block without pieces has no tile; the others have tile and mask.
  EXPECT_FALSE(QFile::exists(d.path("W00/000_004.png")));
  EXPECT_TRUE(QFile::exists(d.path("W00/M_001_004.png")));
  EXPECT_EQ(QDir(d.path("W00")).entryList(QDir::Files).size(), 48);
  // Tile (3, 1) is block (3, 3): pieces 9..11 x 6..7, the northern row on
  // top, each at 30 pixels.
  const QImage t = PNGtoDIB(d.path("W00/003_001.png"));
  ASSERT_EQ(t.size(), QSize(90, 60));
  EXPECT_EQ(t.pixel(5, 5), pieceColour(9, 7));
  EXPECT_EQ(t.pixel(85, 55), pieceColour(11, 6));
  // The lone piece keeps its place; the empty rest is paper: black in the
  // tile, white in the mask.
  const QImage lone = PNGtoDIB(d.path("W00/001_004.png"));
  const QImage loneMask = PNGtoDIB(d.path("W00/M_001_004.png"));
  EXPECT_EQ(lone.pixel(75, 15), pieceColour(5, 1));
  EXPECT_EQ(lone.pixel(15, 45), qRgb(0, 0, 0));
  EXPECT_EQ(loneMask.pixel(15, 45), qRgb(255, 255, 255));
  EXPECT_EQ(loneMask.pixel(75, 15), qRgb(0, 0, 0));
  EXPECT_EQ(out.counts.answered, 150 - 11);
  EXPECT_EQ(out.counts.absent, 11);
  EXPECT_EQ(out.counts.failed, 0);

  // The info file holds the era, and a fresh load lists it.
  EXPECT_EQ(test::readBytes(d.path("map_watizu_info.txt")), QByteArray(" 1 \r\nW00, 2026 , 2026 ,2026/05/06\r\n"));
  ASSERT_EQ(d.state.eras.size(), 2u);
  EXPECT_EQ(d.state.eras.back().name, "W00");
}

TEST(AgencyRun, RunsThatCannotWorkChangeNothing) {
  PieceServer pieces;
  for (int i = 0; i < 15; ++i)
    for (int j = 0; j < 10; ++j) pieces.missing.insert({i, j});
  struct Case {
    const char* what;
    AgencyChoice choice;
    QString portal;
    bool answer;
    QString message;  // empty: no message
    bool asked;       // the pieces were asked for
  };
  const Case cases[] = {
      {"portal down",
       {0, -1},
       QStringLiteral("http://127.0.0.1:%1").arg(test::deadPort()),
       true,
       "電子国土サーバーに接続できません。",
       false},
      {"no period", {1, -1}, pieces.server.url("/portal"), true, "時期を選択してください。", false},
      {"period not offered", {1, 3}, pieces.server.url("/portal"), true, "時期を選択してください。", false},
      {"answered No", {2, -1}, pieces.server.url("/portal"), false, "", false},
      {"no piece at all",
       {0, -1},
       pieces.server.url("/portal"),
       true,
       "電子国土基本図（地図情報）の取得に失敗しました。",
       true},
  };
  test::ShortWaits shortWaits;
  for (const Case& c : cases) {
    AgencyDataset d;
    ScriptedPrompts prompts;
    prompts.answer(c.answer);
    pieces.asked = 0;
    const RunOutcome out =
        runAgencyAcquisition(d.state, pieces.server.url(), c.portal, c.choice, programContext(prompts));
    EXPECT_FALSE(out.added) << c.what;
    EXPECT_EQ(prompts.messages().isEmpty() ? QString() : prompts.messages().back(), c.message) << c.what;
    EXPECT_EQ(pieces.asked > 0, c.asked) << c.what;
    EXPECT_EQ(d.state.eras.size(), 1u) << c.what;
    // Nothing is left in the data folder: no era folder, no info file.
    EXPECT_TRUE(QDir(d.state.datasetFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty()) << c.what;
  }
}

TEST(AgencyRun, APieceThatFailsFailsTheRunAndLeavesNothing) {
  test::ShortWaits shortWaits;  // a stall of 1.5 s is past the stall limit
  struct Case {
    const char* what;
    Odd answer;
  };
  const Case cases[] = {
      {"a page for a piece", Odd::Page},
      {"a piece cut to two thirds", Odd::Truncated},
      {"a piece of 5790 x 5790 pixels", Odd::Huge},
      {"503 for a piece", Odd::Busy},
      {"a piece that never comes", Odd::Stall},
      {"pieces of two sizes in one tile", Odd::OtherSize},
  };
  for (const Case& c : cases) {
    PieceServer pieces;
    // A piece of the first tile, so the run stops early.
    pieces.odd[{1, 0}] = c.answer;
    AgencyDataset d;
    ScriptedPrompts prompts;
    const RunOutcome out = runAgencyAcquisition(d.state, pieces.server.url(), pieces.server.url("/portal"),
                                                {kAgencyMapSource, -1}, programContext(prompts));
    EXPECT_FALSE(out.added) << c.what;
    EXPECT_TRUE(out.closeDialog) << c.what;
    ASSERT_FALSE(prompts.messages().isEmpty()) << c.what;
    // Why, then the written failure.
    const QStringList lines = prompts.messages().back().split(u'\n');
    ASSERT_EQ(lines.size(), 2) << c.what;
    EXPECT_EQ(lines[1], "電子国土基本図（地図情報）の取得に失敗しました。") << c.what;
    EXPECT_TRUE(lines[0].contains(c.answer == Odd::OtherSize ? "pieces of" : "/data/30nti/new/"))
        << c.what << lines[0].toStdString();
    // The run stopped at the piece: no request after it (but for the piece
    // of the other size, which shows only when its tile is made).
    if (c.answer != Odd::OtherSize) {
      EXPECT_EQ(out.counts.failed, 1) << c.what;
      EXPECT_LE(pieces.asked, 6) << c.what;
    } else {
      // Tiles are made a few behind the requests.
      EXPECT_LT(pieces.asked, 150) << c.what;
    }
    // No era folder, no info file, no era in the list.
    EXPECT_TRUE(QDir(d.state.datasetFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty()) << c.what;
    EXPECT_EQ(d.state.eras.size(), 1u) << c.what;
  }
}
