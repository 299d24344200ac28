// SPDX-License-Identifier: MIT
// The rapid-survey run with the map service played in memory: where each
// cell lands in a tile, the retry, the second run and the run with nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QUrlQuery>
#include <cmath>

#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "net/RapidSurvey.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// Cells coloured by their place in the service's grid.
QRgb cellColour(long k, long l) {
  return qRgb(static_cast<int>(40 + 20 * (k % 8)), static_cast<int>(40 + 20 * (l % 8)), 7);
}

struct FakeService {
  std::map<QString, int> failuresLeft;  // request -> failures still to give
  bool down = false;
  int failFrom = -1;  // every request from this one on fails
  int requests = 0;
  std::map<QRgb, QByteArray> encoded;
  TransferResult fetch(const QString& url) {
    ++requests;
    const TransferResult failed{TransferOutcome::HttpError, 503, QStringLiteral("Service Unavailable"), 0, {}};
    if (down || (failFrom >= 0 && requests > failFrom)) return failed;
    auto it = failuresLeft.find(url);
    if (it != failuresLeft.end() && it->second > 0) {
      --it->second;
      return failed;
    }
    const QStringList box = QUrlQuery(QUrl(url).query()).queryItemValue("BBOX").split(u',');
    const long k = std::lround((box[0].toDouble() - kWmsOriginLon) / kWmsCellSize);
    const long l = std::lround((kWmsOriginLat - box[3].toDouble()) / kWmsCellSize);
    QByteArray& png = encoded[cellColour(k, l)];
    if (png.isEmpty()) {
      QImage cell(256, 256, QImage::Format_RGB32);
      cell.fill(cellColour(k, l));
      png = encodePng(cell);
    }
    return {TransferOutcome::Ok, 200, QString(), png.size(), png};
  }
};

struct RapidDataset {
  test::RootFixture root;
  ProgramState state;
  RapidDataset() {
    state.rootFolder = root.root();
    state.datasetFolder = root.path("d");
    QDir().mkpath(state.datasetFolder);
    MapInfo& m = state.mapInfo;
    m.title = QStringLiteral("迅速");
    m.sheetsX = m.sheetsY = 1;
    // 5 x 4 tiles of 4.6 x 3.8 cells each: the tiles start anywhere in a
    // cell.
    m.tilesPerSheetX = 5;
    m.tilesPerSheetY = 4;
    m.tileWidth = m.tileHeight = 64;
    // On a cell edge (west) and half a cell under one (north).
    m.west = static_cast<float>(kWmsOriginLon + 16 * kWmsCellSize);
    m.north = static_cast<float>(kWmsOriginLat - 0.5 * kWmsCellSize);
    m.rapidSurvey = QStringLiteral("1");
  }
  AcquireContext context(FakeService& service, ScriptedPrompts& prompts) {
    AcquireContext ctx;
    ctx.prompts = &prompts;
    ctx.net.fetchImage = [&service](const QString& url, const ImageRule&) { return service.fetch(url); };
    ctx.net.reachable = [](const QString&) { return true; };
    return ctx;
  }
  QString path(const QString& name) const { return state.datasetFolder + u'/' + name; }
};

// The cell under a tile pixel's centre, as the service's grid places it.
QRgb expectedAt(const MapInfo& m, int col, int row, int x, int y) {
  const double lon = static_cast<double>(m.west) + (col + (x + 0.5) / m.tileWidth) * 0.125 / m.tilesPerSheetX;
  const double lat = static_cast<double>(m.north) - (row + (y + 0.5) / m.tileHeight) * (5.0 / 60.0) / m.tilesPerSheetY;
  return cellColour(static_cast<long>(std::floor((lon - kWmsOriginLon) / kWmsCellSize)),
                    static_cast<long>(std::floor((kWmsOriginLat - lat) / kWmsCellSize)));
}

}  // namespace

TEST(RapidSurveyRun, TilesAreCutFromTheCellsThatCoverThem) {
  RapidDataset d;
  FakeService service;
  // The first cell of the first tile fails once: the retry is used.
  const QString first = rapidSurveyRequest("http://s", kWmsOriginLon + 16 * kWmsCellSize, kWmsOriginLat - kWmsCellSize,
                                           kWmsOriginLon + 17 * kWmsCellSize, kWmsOriginLat);
  service.failuresLeft[first] = 1;
  ScriptedPrompts prompts;
  const RunOutcome out = runRapidSurveyAcquisition(d.state, "http://s", "http://site", d.context(service, prompts));
  EXPECT_TRUE(out.added);
  EXPECT_EQ(out.tiles, 20);
  EXPECT_EQ(prompts.messages().back(), "迅速に迅速測図画像を追加しました。");
  EXPECT_EQ(test::readBytes(d.path("map_Jinnsoku_info.txt")), QByteArray(" 1 \r\n"));
  EXPECT_FALSE(QFile::exists(d.path("JINNSOKU/download.png")));
  // Pixels well inside a cell show that cell's colour (JPEG: nearly), in
  // tiles on an edge (left = 0) and elsewhere.
  for (auto [col, row] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{3, 2}, std::pair{4, 3}}) {
    const QImage tile = decodeImage(test::readBytes(d.path(
        QStringLiteral("JINNSOKU/%1_%2.jpg").arg(col, 3, 10, QLatin1Char('0')).arg(row, 3, 10, QLatin1Char('0')))));
    ASSERT_EQ(tile.size(), QSize(64, 64)) << col << row;
    for (auto [x, y] : {std::pair{4, 4}, std::pair{59, 4}, std::pair{4, 59}, std::pair{59, 59}}) {
      if (expectedAt(d.state.mapInfo, col, row, x, y) != expectedAt(d.state.mapInfo, col, row, x + 3, y + 3) ||
          expectedAt(d.state.mapInfo, col, row, x, y) != expectedAt(d.state.mapInfo, col, row, x - 3, y - 3))
        continue;  // too near a cell edge for a JPEG
      const QRgb want = expectedAt(d.state.mapInfo, col, row, x, y), got = tile.pixel(x, y);
      EXPECT_NEAR(qRed(got), qRed(want), 6) << col << "," << row << " at " << x << "," << y;
      EXPECT_NEAR(qGreen(got), qGreen(want), 6) << col << "," << row << " at " << x << "," << y;
    }
  }

  // A second run on the dataset that has the era: updated, info untouched.
  Era rapid;
  rapid.name = QStringLiteral("JINNSOKU");
  rapid.kind = kRapidSurvey;
  d.state.eras.push_back(rapid);
  QFile::remove(d.path("map_Jinnsoku_info.txt"));
  ScriptedPrompts again;
  EXPECT_TRUE(runRapidSurveyAcquisition(d.state, "http://s", "http://site", d.context(service, again)).added);
  EXPECT_EQ(again.messages().back(), "迅速の迅速測図画像を更新しました。");
  EXPECT_FALSE(QFile::exists(d.path("map_Jinnsoku_info.txt")));

  // An update that fails half way leaves every tile of the era as it was.
  QMap<QString, QByteArray> before;
  for (const QString& name : QDir(d.path("JINNSOKU")).entryList(QDir::Files))
    before[name] = test::readBytes(d.path("JINNSOKU/" + name));
  service.requests = 0;
  service.failFrom = 40;
  ScriptedPrompts half;
  EXPECT_FALSE(runRapidSurveyAcquisition(d.state, "http://s", "http://site", d.context(service, half)).added);
  EXPECT_TRUE(half.messages().back().endsWith("\n迅速測図画像の取得に失敗しました。"));
  QMap<QString, QByteArray> after;
  for (const QString& name : QDir(d.path("JINNSOKU")).entryList(QDir::Files))
    after[name] = test::readBytes(d.path("JINNSOKU/" + name));
  EXPECT_EQ(after, before);
  EXPECT_EQ(QDir(d.state.datasetFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"JINNSOKU"});
  service.failFrom = -1;

  // A service that gives nothing on a second run: a failure, and the tiles
  // of the first run stay.
  service.down = true;
  ScriptedPrompts down;
  EXPECT_FALSE(runRapidSurveyAcquisition(d.state, "http://s", "http://site", d.context(service, down)).added);
  EXPECT_TRUE(down.messages().back().endsWith("\n迅速測図画像の取得に失敗しました。"));
  EXPECT_TRUE(down.messages().back().contains("HTTP 503"));
  EXPECT_TRUE(QFile::exists(d.path("JINNSOKU/000_000.jpg")));
}

TEST(RapidSurveyRun, FirstRunWithNothingLeavesNothing) {
  RapidDataset d;
  FakeService service;
  service.down = true;
  ScriptedPrompts prompts;
  const RunOutcome out = runRapidSurveyAcquisition(d.state, "http://s", "http://site", d.context(service, prompts));
  EXPECT_FALSE(out.added);
  EXPECT_TRUE(out.closeDialog);
  EXPECT_TRUE(prompts.messages().back().endsWith("\n迅速測図画像の取得に失敗しました。"));
  // The first cell was tried twice, and the run stopped there.
  EXPECT_EQ(service.requests, 2);
  EXPECT_TRUE(QDir(d.state.datasetFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
  // An unreachable site stops before the question.
  ScriptedPrompts site;
  AcquireContext ctx = d.context(service, site);
  ctx.net.reachable = [](const QString&) { return false; };
  EXPECT_FALSE(runRapidSurveyAcquisition(d.state, "http://s", "http://site", ctx).closeDialog);
  EXPECT_TRUE(site.questions().isEmpty());
  EXPECT_EQ(site.messages().back(), "「歴史的農業環境閲覧システム」サーバーに接続できません。");
}
