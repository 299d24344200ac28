// SPDX-License-Identifier: MIT
// kavalo-cli's fetch commands: exit statuses, the closing message on
// standard output, and the tile cache that spares the server a second run.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "FastServer.h"
#include "app/DatasetLoader.h"
#include "elevation/Credits.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

// The commands keep fetched tiles in the user's cache folder: a folder of
// the test's own instead, for the commands it starts.
struct OwnCacheFolder {
  QTemporaryDir dir;
  QByteArray saved = qgetenv("XDG_CACHE_HOME");
  OwnCacheFolder() { qputenv("XDG_CACHE_HOME", dir.path().toUtf8()); }
  ~OwnCacheFolder() {
    if (saved.isEmpty())
      qunsetenv("XDG_CACHE_HOME");
    else
      qputenv("XDG_CACHE_HOME", saved);
  }
  QStringList cachedFiles() const {
    QStringList files;
    QDirIterator it(dir.path() + "/kavalo/xyz", QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    return files;
  }
};

struct XyzRegion {
  test::RootFixture root;
  XyzRegion() {
    root.writeDatasetList({{QStringLiteral("試験"), QStringLiteral("d")}});
    test::DatasetFixture d;
    d.folder = root.path("d");
    d.extraMapInfo = {QStringLiteral("北西メッシュ=533970"), QStringLiteral("東南メッシュ=533961")};
    d.write();
  }
};

// The counts line: every request is answered, absent, failed or cancelled.
void expectCountsAddUp(const test::ProgramRun& run, const char* what) {
  static const QRegularExpression counts(
      "(\\d+) requests: (\\d+) answered, (\\d+) absent, (\\d+) failed, (\\d+) cancelled");
  const QRegularExpressionMatch m = counts.match(QString::fromUtf8(run.out));
  ASSERT_TRUE(m.hasMatch()) << what << run.out.toStdString();
  EXPECT_EQ(m.captured(1).toInt(), m.captured(2).toInt() + m.captured(3).toInt() + m.captured(4).toInt() +
                                       m.captured(5).toInt())
      << what << m.captured(0).toStdString();
}

}  // namespace

TEST(FetchCommands, XyzRunsTwiceAskingOnce) {
  OwnCacheFolder cache;
  test::FastServer server;
  std::atomic<int> asked{0}, absentTiles{0};
  QImage tile(256, 256, QImage::Format_RGB32);
  tile.fill(qRgb(30, 120, 60));
  const std::string png = encodePng(tile).toStdString();
  server.http().Get(R"(/t/(\d+)/(\d+)/(\d+)\.png)", [&](const httplib::Request& req, httplib::Response& res) {
    ++asked;
    // Some tiles the service does not have.
    if ((std::stoi(req.matches[2]) + std::stoi(req.matches[3])) % 3 == 0) {
      ++absentTiles;
      res.status = 404;
      return;
    }
    res.set_content(png, "image/png");
  });
  server.start();

  test::RootFixture root;
  root.writeDatasetList({{QStringLiteral("試験"), QStringLiteral("d")}});
  test::DatasetFixture d;
  d.folder = root.path("d");
  d.extraMapInfo = {QStringLiteral("北西メッシュ=533970"), QStringLiteral("東南メッシュ=533961")};
  d.write();
  const QStringList common = {"fetch-xyz", "--root", root.root(), "--url", server.url("/t/{z}/{x}/{y}.png"),
                              "--zoom",    "11"};
  const test::ProgramRun first = test::runCli(common + QStringList{"--kind", "photo", "--attribution", "© 試験"});
  ASSERT_EQ(first.exitCode, 0) << first.err.toStdString() << first.out.toStdString();
  // The counts, and the tiles kept outside the data folder.
  EXPECT_TRUE(QString::fromUtf8(first.out).contains(
      QStringLiteral("answered, %1 absent, 0 failed, 0 cancelled").arg(absentTiles.load())))
      << first.out.toStdString();
  EXPECT_EQ(cache.cachedFiles().size(), asked.load());
  EXPECT_FALSE(QDir(root.path("xyzcache")).exists());
  EXPECT_EQ(QString::fromUtf8(first.out).split(u'\n').first(), "テスト地域にXYZタイル（写真）を追加しました。");
  const int firstAsked = asked;
  EXPECT_GT(firstAsked, 0);
  // Filed as a tile-service photo of its own list, not as the agency's.
  EXPECT_FALSE(QDir(root.path("d/XYZ00")).entryList({"*.jpg"}, QDir::Files).isEmpty());
  EXPECT_FALSE(QFile::exists(root.path("d/XYZ00/attribution.txt")));
  EXPECT_FALSE(QFile::exists(root.path("d/map_densikokudo_ortho_info.txt")));
  const QString date = QDate::currentDate().toString("yyyy/MM/dd");
  const QString line = QStringLiteral("XYZ00, %1 ,\"%2\",\"%1年（127.0.0.1）\",\"%3\",\"(C) 試験\",photo\r\n")
                           .arg(date.left(4), date, server.url("/t/{z}/{x}/{y}.png"));
  EXPECT_EQ(test::readSjis(root.path("d/map_xyz_info.txt")), line);
  // The data folder read again lists the era, and its credits name the
  // service.
  DatasetConfig config;
  ASSERT_EQ(readDatasetConfig(root.path("d"), FileNameTable::standard("http://x/"), MapInfo(), config, nullptr),
            LoadStatus::Loaded);
  auto era = std::find_if(config.eras.begin(), config.eras.end(), [](const Era& e) { return e.name == u"XYZ00"; });
  ASSERT_NE(era, config.eras.end());
  EXPECT_EQ(era->kind, kXyzPhoto);
  EXPECT_EQ(creditLines(*era, QString(), false)[1], "(C) 試験");

  // The same service again: refused without --update, and with it the era
  // is fetched anew from the cache (nothing is asked of the server).
  const QStringList again = common + QStringList{"--kind", "photo", "--attribution", "© 試験"};
  const test::ProgramRun refused = test::runCli(again);
  EXPECT_EQ(refused.exitCode, 1) << refused.err.toStdString();
  EXPECT_TRUE(refused.err.contains("--update")) << refused.err.toStdString();
  const test::ProgramRun second = test::runCli(again + QStringList{"--update"});
  ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
  EXPECT_EQ(asked, firstAsked);
  EXPECT_EQ(test::readSjis(root.path("d/map_xyz_info.txt")), line);
  EXPECT_FALSE(QDir(root.path("d/XYZ01")).exists());
  // Without an attribution there is no run at all.
  EXPECT_EQ(test::runCli(common + QStringList{"--kind", "map"}).exitCode, 2);

  // Usage errors, and a run that adds nothing.
  EXPECT_EQ(test::runCli(common + QStringList{"--kind", "video"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"fetch-agency", "--root", root.root(), "--source", "3"}).exitCode, 2);
  // The server has no agency pieces (any answer of the portal counts).
  const test::ProgramRun none = test::runCli({"fetch-agency", "--root", root.root(), "--source", "2", "--tile-server",
                                              server.url(), "--portal", server.url()});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.err.trimmed(), "電子国土基本図（地図情報）の取得に失敗しました。");
  EXPECT_FALSE(QDir(root.path("d/DKO00")).exists());
}

TEST(FetchCommands, XyzRunWhoseServerFailsAddsNothing) {
  OwnCacheFolder cache;
  QImage tile(256, 256, QImage::Format_RGB32);
  tile.fill(qRgb(30, 120, 60));
  const std::string png = encodePng(tile).toStdString();
  const QByteArray jpeg = encodeJpeg(tile);
  struct Case {
    const char* what;
    std::function<void(int n, httplib::Response&)> answer;  // n: the request's number from 1
  };
  const std::vector<Case> cases = {
      {"503 after 3 tiles",
       [&](int n, httplib::Response& res) {
         if (n > 3)
           res.status = 503;
         else
           res.set_content(png, "image/png");
       }},
      {"a JPEG cut to a third",
       [&](int n, httplib::Response& res) {
         res.set_content(n == 4 ? jpeg.left(jpeg.size() / 3).toStdString() : png, "image/png");
       }},
      {"a tile of 5790 x 5790",
       [&](int n, httplib::Response& res) {
         res.set_content(n == 4 ? test::hugePng(5790, 5790).toStdString() : png, "image/png");
       }},
  };
  for (const Case& c : cases) {
    XyzRegion region;
    test::FastServer server;
    std::atomic<int> asked{0};
    server.http().Get(R"(/t/(\d+)/(\d+)/(\d+)\.png)",
                      [&](const httplib::Request&, httplib::Response& res) { c.answer(++asked, res); });
    server.start();
    const test::ProgramRun run =
        test::runCli({"fetch-xyz", "--root", region.root.root(), "--url", server.url("/t/{z}/{x}/{y}.png"), "--zoom",
                      "11", "--kind", "photo", "--attribution", "t"});
    EXPECT_EQ(run.exitCode, 1) << c.what << run.err.toStdString() << run.out.toStdString();
    EXPECT_TRUE(run.err.trimmed().endsWith("XYZタイルの取得に失敗しました。")) << c.what << run.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.out).contains(QRegularExpression(" [1-9][0-9]* failed")))
        << c.what << run.out.toStdString();
    expectCountsAddUp(run, c.what);
    // No era: no folder, no info file.
    EXPECT_FALSE(QDir(region.root.path("d/XYZ00")).exists()) << c.what;
    EXPECT_FALSE(QFile::exists(region.root.path("d/map_xyz_info.txt"))) << c.what;
  }

  // The server goes away in the middle of a run: refused is a failure too.
  XyzRegion region;
  auto server = std::make_unique<test::FastServer>();
  std::atomic<int> asked{0};
  server->http().Get(R"(/t/(\d+)/(\d+)/(\d+)\.png)", [&](const httplib::Request&, httplib::Response& res) {
    // The listener closes; connections end after their answer.
    if (++asked == 3) server->http().stop();
    res.set_content(png, "image/png");
  });
  server->start();
  const test::ProgramRun run =
      test::runCli({"fetch-xyz", "--root", region.root.root(), "--url", server->url("/t/{z}/{x}/{y}.png"), "--zoom",
                    "11", "--kind", "photo", "--attribution", "t"});
  EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
  EXPECT_FALSE(QDir(region.root.path("d/XYZ00")).exists());
  // What did arrive stays in the cache for the next run.
  EXPECT_GT(cache.cachedFiles().size(), 0);
}
