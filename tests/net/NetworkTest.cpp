// SPDX-License-Identifier: MIT
// The network routines against a server on 127.0.0.1 with injected faults,
// and the server settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "net/Network.h"
#include "net/ServerSettings.h"
#include "platform/Codec.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

namespace {

// Short limits so that a silent server fails the test quickly.
struct ShortTimeouts {
  NetworkTimeouts saved = networkTimeouts();
  ShortTimeouts() { setNetworkTimeouts({400, 5000}); }
  ~ShortTimeouts() { setNetworkTimeouts(saved); }
};

QByteArray body(int n) {
  QByteArray b(n, '\0');
  for (int i = 0; i < n; ++i) b[i] = static_cast<char>('a' + i % 26);
  return b;
}

// A tile image of some 300 KB: noise does not compress.
QByteArray noisePng() {
  QImage image(320, 320, QImage::Format_RGB32);
  quint32 x = 12345;
  for (int y = 0; y < image.height(); ++y)
    for (int i = 0; i < image.width(); ++i) image.setPixel(i, y, (x = x * 1664525u + 1013904223u) >> 8);
  return encodePng(image);
}

}  // namespace

TEST(Download, OnlyAWholeSuccessfulBodyReplacesTheTarget) {
  ShortTimeouts limits;
  LoopbackServer server;
  const QByteArray full = noisePng();
  server.serve(QStringLiteral("/ok.png"), full);
  server.serve(QStringLiteral("/gone.png"), "not here", 404);
  server.serve(QStringLiteral("/broken.png"), "oops", 500);
  server.serveDropped(QStringLiteral("/dropped.png"), full, full.size() / 3);
  server.serveStall(QStringLiteral("/stalled.png"), full, 1000);
  server.start();
  const QString refused = QStringLiteral("http://127.0.0.1:%1/x.png").arg(test::deadPort());

  struct Case {
    QString url;
    bool ok;
  };
  const std::vector<Case> cases = {
      {server.url(QStringLiteral("/ok.png")), true},       {server.url(QStringLiteral("/gone.png")), false},
      {server.url(QStringLiteral("/broken.png")), false},  {server.url(QStringLiteral("/dropped.png")), false},
      {server.url(QStringLiteral("/stalled.png")), false}, {refused, false},
      {QStringLiteral("file:///etc/hostname"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url.toStdString());
    QTemporaryDir dir;
    const QString target = dir.path() + QStringLiteral("/tile.png");
    test::writeBytes(target, "old content");
    EXPECT_EQ(DownloadUrlToFile(c.url, target), c.ok);
    EXPECT_EQ(test::readBytes(target), c.ok ? full : QByteArray("old content"));
    // Nothing else is left in the folder: no temporary, no partial file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("tile.png")});
  }
}

TEST(Download, FailureLeavesNoFileWhereThereWasNone) {
  ShortTimeouts limits;
  LoopbackServer server;
  server.serveDropped(QStringLiteral("/dropped.png"), body(50000), 20000);
  server.start();
  QTemporaryDir dir;
  EXPECT_FALSE(DownloadUrlToFile(server.url(QStringLiteral("/dropped.png")), dir.path() + QStringLiteral("/a.png")));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
  // A folder that does not exist is not created.
  EXPECT_FALSE(DownloadUrlToFile(server.url(QStringLiteral("/dropped.png")), dir.path() + QStringLiteral("/no/a.png")));
  EXPECT_FALSE(QDir(dir.path() + QStringLiteral("/no")).exists());
}

TEST(FetchText, DecodesShiftJisAndRefusesErrorPages) {
  ShortTimeouts limits;
  LoopbackServer server;
  server.serve(QStringLiteral("/zipfilenum.txt"), toSjis(QStringLiteral("12 個\r\n")));
  server.serve(QStringLiteral("/missing.txt"), "3", 404);
  server.serveDropped(QStringLiteral("/cut.txt"), body(4000), 1000);
  server.start();
  QString text = QStringLiteral("unchanged");
  EXPECT_TRUE(FetchUrlText(server.url(QStringLiteral("/zipfilenum.txt")), text));
  EXPECT_EQ(text, QStringLiteral("12 個\r\n"));
  text = QStringLiteral("unchanged");
  EXPECT_FALSE(FetchUrlText(server.url(QStringLiteral("/missing.txt")), text));
  EXPECT_FALSE(FetchUrlText(server.url(QStringLiteral("/cut.txt")), text));
  EXPECT_EQ(text, QStringLiteral("unchanged"));
}

TEST(Reachable, AnyAnswerCountsButSilenceAndRefusalDoNot) {
  ShortTimeouts limits;
  LoopbackServer server;
  server.serve(QStringLiteral("/servercheck.txt"), "", 404);
  server.serveStall(QStringLiteral("/slow"), body(10), 0);
  server.start();
  ScriptedPrompts prompts;
  EXPECT_TRUE(UrlReachable(server.url(QStringLiteral("/servercheck.txt")), &prompts));
  EXPECT_TRUE(UrlReachable(server.url(QStringLiteral("/anything-else")), &prompts));  // 404 from the server
  EXPECT_FALSE(UrlReachable(QStringLiteral("http://127.0.0.1:%1/").arg(test::deadPort()), &prompts));
  EXPECT_FALSE(UrlReachable(QStringLiteral("not an address"), &prompts));
  EXPECT_EQ(prompts.waitDepth, 0);
  EXPECT_GT(prompts.maxWaitDepth, 0);
}

TEST(Folders, ListFolderAndEnsureFolder) {
  QTemporaryDir dir;
  for (int i = 0; i < 25; ++i) test::writeBytes(dir.path() + QStringLiteral("/f%1.png").arg(i, 2, 10, QChar('0')), "x");
  QDir(dir.path()).mkdir(QStringLiteral("sub"));
  QStringList withSlash, withBackslash, bare, withDirs;
  EXPECT_EQ(ListFolder(dir.path() + u'/', withSlash, false), 25);
  EXPECT_EQ(ListFolder(dir.path() + u'\\', withBackslash, false), 25);
  EXPECT_EQ(ListFolder(dir.path(), bare, false), 25);
  EXPECT_EQ(withSlash, bare);
  EXPECT_EQ(withBackslash, bare);
  EXPECT_EQ(ListFolder(dir.path(), withDirs, true), 26);
  EXPECT_TRUE(withDirs.contains(QStringLiteral("sub")));
  EXPECT_FALSE(withDirs.contains(QStringLiteral(".")) || withDirs.contains(QStringLiteral("..")));
  QTemporaryDir empty;
  QStringList none{QStringLiteral("stale")};
  EXPECT_EQ(ListFolder(empty.path(), none, true), 0);
  EXPECT_TRUE(none.isEmpty());

  ScriptedPrompts prompts;
  EXPECT_TRUE(EnsureFolder(dir.path() + QStringLiteral("/sub"), prompts));
  EXPECT_TRUE(EnsureFolder(dir.path() + QStringLiteral("/new"), prompts));
  EXPECT_TRUE(FolderExists(dir.path() + QStringLiteral("/new")));
  EXPECT_TRUE(prompts.messages().isEmpty());
  const QString deep = dir.path() + QStringLiteral("/a/b");
  EXPECT_FALSE(EnsureFolder(deep, prompts));  // one level only
  ASSERT_EQ(prompts.messages().size(), 2);
  EXPECT_EQ(prompts.messages()[1], QStringLiteral("フォルダ") + deep + QStringLiteral("を作成できませんでした。"));
}

TEST(ServerSettingsFile, FileThenEnvironmentWithBasesNormalized) {
  test::RootFixture root;
  test::writeBytes(root.path(QStringLiteral("servers.txt")),
                   "# local servers\r\n"
                   "web_base = http://127.0.0.1:9000/kavalo\r\n"
                   "agency_tiles=http://127.0.0.1:9001/tiles/\r\n"
                   "nonsense line\r\n"
                   "wms = http://127.0.0.1:9002\n");
  qputenv("KAVALO_WMS", "http://127.0.0.1:9100/wms//");
  QStringList problems;
  const ServerSettings s = readServerSettings(root.root(), &problems);
  qunsetenv("KAVALO_WMS");
  EXPECT_EQ(s.webBase, QStringLiteral("http://127.0.0.1:9000/kavalo/"));
  EXPECT_EQ(s.agencyTiles, QStringLiteral("http://127.0.0.1:9001/tiles"));
  EXPECT_EQ(s.wms, QStringLiteral("http://127.0.0.1:9100/wms"));
  EXPECT_EQ(s.agencyPortal, defaultServerSettings().agencyPortal);
  ASSERT_EQ(problems.size(), 1);
  EXPECT_TRUE(problems[0].endsWith(QStringLiteral(":4: nonsense line")));

  test::RootFixture bare;
  EXPECT_EQ(readServerSettings(bare.root()).webBase, defaultServerSettings().webBase);
}

TEST(Download, ATileIsHeldToATilesSizeASheetImageToItsOwn) {
  ShortTimeouts limits;
  LoopbackServer server;
  QImage sheet(1480, 1200, QImage::Format_RGB32);
  sheet.fill(qRgb(240, 230, 200));
  server.serve(QStringLiteral("/sheet.png"), encodePng(sheet));
  server.start();
  QTemporaryDir dir;
  // The sheets of the 1/20,000 era are larger than any tile.
  EXPECT_TRUE(DownloadUrlToFile(server.url(QStringLiteral("/sheet.png")), dir.path() + QStringLiteral("/2man_01.png")));
  EXPECT_FALSE(
      DownloadUrlToFile(server.url(QStringLiteral("/sheet.png")), dir.path() + QStringLiteral("/000_000.png")));
  EXPECT_FALSE(
      DownloadUrlToFile(server.url(QStringLiteral("/sheet.png")), dir.path() + QStringLiteral("/M_001_002.png")));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("2man_01.png")});
}
