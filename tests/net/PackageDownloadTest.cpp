// The map-sheet package download against servers on 127.0.0.1: the shortage
// list, the server list, the spreading of packages over the servers, and
// whole runs with their messages.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "model/EraLabels.h"
#include "net/Network.h"
#include "net/PackageDownload.h"
#include "net/ZipFixture.h"
#include "platform/Codec.h"
#include "render/RenderFixture.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

namespace {

// The render fixture's data folder "a" with eras E1900 and E1930; E1900's
// check list names two files it lacks.
struct PackageFixture : test::RenderFixture {
  PackageFixture() {
    data.write();
    solidTiles(QStringLiteral("E1900"), test::tileColour);
    solidTiles(QStringLiteral("E1930"), test::tileColour);
    QFile::remove(eraFile(QStringLiteral("E1900"), QStringLiteral("001_001.png")));
    test::writeSjis(eraFile(QStringLiteral("E1900"), QStringLiteral("gazo_check_list.txt")),
                    QStringLiteral("000_000.png,001_001.png\n\n凡例.png,\n"));
    EXPECT_TRUE(load());
  }
  QString label(int era) const { return Get_cboAge_Text(state.eras[static_cast<size_t>(era)], 0); }
};

QByteArray zipBytes(const std::vector<test::ZipEntry>& entries) {
  QTemporaryDir dir;
  return test::readBytes(test::makeZip(dir.path() + QStringLiteral("/p.zip"), entries));
}

}  // namespace

TEST(Shortage, ChecksListedFilesAgainstTheFolder) {
  PackageFixture f;
  const std::vector<EraShortage> list = BuildShortageList(f.state);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].eraIndex, 0);
  EXPECT_EQ(list[0].missingNames, (QStringList{QStringLiteral("001_001.png"), QStringLiteral("凡例.png")}));
  EXPECT_EQ(ShortageListText(f.state, list[0]), f.label(0) + QStringLiteral("／2ファイルが不足"));
  // No check list: nothing is known to be missing.
  EXPECT_EQ(list[1].missingCount, 0);
  EXPECT_EQ(ShortageListText(f.state, list[1]), f.label(1) + QStringLiteral(":すべて取得済み"));
}

TEST(ServerList, FieldsAndNames) {
  const auto servers = ParseServerList(QStringLiteral("  http://a/|x||y  \r\nhttp://b/|x|\r\n\r\nhttp://c/\r\n"));
  ASSERT_EQ(servers.size(), 3u);
  EXPECT_EQ(servers[0].baseUrl, QStringLiteral("http://a/"));
  EXPECT_EQ(servers[0].datasets, (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
  EXPECT_EQ(servers[1].datasets, QStringList{QStringLiteral("x")});
  EXPECT_TRUE(servers[2].datasets.isEmpty());
  EXPECT_TRUE(ServerHoldsDataset(servers, 0, QStringLiteral("y")));
  EXPECT_FALSE(ServerHoldsDataset(servers, 0, QStringLiteral("Y")));
  EXPECT_FALSE(ServerHoldsDataset(servers, 3, QStringLiteral("x")));

  const std::vector<std::pair<int, const char*>> names = {{0, "00.zip"},  {9, "09.zip"},   {10, "10.zip"},
                                                          {99, "99.zip"}, {100, "00.zip"}, {123, "23.zip"}};
  for (const auto& [index, name] : names) EXPECT_EQ(PackageName(index), QLatin1String(name)) << index;
}

TEST(Packages, CountAndCursorSpreadOverServers) {
  LoopbackServer server;
  for (const char* s : {"/s0", "/s1"})
    for (const char* p : {"00", "01", "02"})
      server.serve(QStringLiteral("%1/x/E/%2.zip").arg(QLatin1String(s), QLatin1String(p)), "zip");
  server.serve(QStringLiteral("/s1/x/E/zipfilenum.txt"), " 12 個\r\n");
  server.serve(QStringLiteral("/s0/x/Z/zipfilenum.txt"), "0");
  server.start();
  const QString s0 = server.url(QStringLiteral("/s0/")), s1 = server.url(QStringLiteral("/s1/"));
  const std::vector<DownloadServer> both = {{s0, {QStringLiteral("x")}}, {s1, {QStringLiteral("x")}}};

  // s0 has no count for E (404): the next server that holds the dataset says.
  EXPECT_EQ(GetPackageCount(both, QStringLiteral("x"), QStringLiteral("E")), 12);
  EXPECT_EQ(GetPackageCount(both, QStringLiteral("x"), QStringLiteral("Z")), 0);
  EXPECT_EQ(GetPackageCount(both, QStringLiteral("x"), QStringLiteral("none")), -1);
  EXPECT_EQ(GetPackageCount(both, QStringLiteral("other"), QStringLiteral("E")), -1);

  QTemporaryDir dir;
  int cursor = 0;
  const int before = static_cast<int>(server.requests().size());
  for (const char* p : {"00", "01", "02"})
    EXPECT_TRUE(DownloadPackage(both, QStringLiteral("x"), QStringLiteral("E/%1.zip").arg(QLatin1String(p)),
                                dir.path() + QStringLiteral("/p.zip"), cursor));
  EXPECT_EQ(server.requests().mid(before),
            (QStringList{QStringLiteral("/s0/x/E/00.zip"), QStringLiteral("/s1/x/E/01.zip"),
                         QStringLiteral("/s0/x/E/02.zip")}));

  // Server 0 holds the dataset but lacks the package, server 1 does not hold
  // it: one round, then failure, the cursor back where it started.
  const std::vector<DownloadServer> failing = {{s0, {QStringLiteral("x")}}, {s1, {QStringLiteral("y")}}};
  cursor = 0;
  const int mark = static_cast<int>(server.requests().size());
  EXPECT_FALSE(DownloadPackage(failing, QStringLiteral("x"), QStringLiteral("E/07.zip"),
                               dir.path() + QStringLiteral("/p.zip"), cursor));
  EXPECT_EQ(cursor, 0);
  EXPECT_EQ(server.requests().mid(mark), QStringList{QStringLiteral("/s0/x/E/07.zip")});
}

TEST(PackageRun, CollectsEveryFailureAndUnpacksTheRest) {
  PackageFixture f;
  LoopbackServer server;
  const QString s0 = server.url(QStringLiteral("/s0/")), s1 = server.url(QStringLiteral("/s1/"));
  const QString list =
      s0 + QStringLiteral("|a\r\nhttp://127.0.0.1:%1/|a\r\n").arg(test::deadPort()) + s1 + QStringLiteral("|b||a|\r\n");
  server.serve(QStringLiteral("/kavalo/download_serverlist210.txt"), toSjis(list));
  server.serve(QStringLiteral("/s0/a/E1900/zipfilenum.txt"), "3");
  server.serve(QStringLiteral("/s0/a/E1900/00.zip"),
               zipBytes({{"001_001.png", "tile"}, {toSjis(QStringLiteral("凡例.png")), "legend"}}));
  server.serve(QStringLiteral("/s1/a/E1900/01.zip"), zipBytes({{"../../escape.png", "x"}}));
  server.start();
  f.state.names[kWebBaseUrl] = server.url(QStringLiteral("/kavalo/"));
  f.state.names[kServerListUrl] = server.url(QStringLiteral("/kavalo/download_serverlist210.txt"));

  std::vector<EraShortage> shortages = BuildShortageList(f.state);
  shortages[1].missingCount = 1;  // E1930 chosen too: no server has a count for it
  std::vector<DownloadServer> servers;
  QStringList captions;
  PackageRunView view;
  view.setCaption = [&](const QString& c) { captions << c; };
  const PackageRunOutcome out = RunPackageDownload(f.state, f.prompts, shortages, {0, 1}, servers, view);

  ASSERT_EQ(servers.size(), 2u);  // the dead one is left out
  EXPECT_EQ(out.result, PackageRunResult::Finished);
  EXPECT_FALSE(out.success);
  const QString e1900 = f.data.folder + QStringLiteral("/E1900");
  // A package that no server gives is named by its address (of the first
  // server asked), not by the local file it would have become.
  const QString expected = QStringLiteral("解凍できません。\r\n") + QStringLiteral("ネットのファイルが開けません。") +
                           s0 + QStringLiteral("a/E1900/02.zip\r\n") +
                           QStringLiteral("ネット上のファイルが開けません。") +
                           ShortageListText(f.state, shortages[1]) + QStringLiteral("\r\n");
  EXPECT_EQ(f.prompts.messages(), QStringList{expected});
  EXPECT_EQ(f.prompts.questions().size(), 1);
  EXPECT_EQ(captions, (QStringList{QStringLiteral("ダウンロード中1/3"), QStringLiteral("ダウンロード中2/3"),
                                   QStringLiteral("ダウンロード中3/3")}));
  EXPECT_EQ(test::readBytes(e1900 + QStringLiteral("/凡例.png")), "legend");
  EXPECT_EQ(BuildShortageList(f.state)[0].missingCount, 0);
  EXPECT_TRUE(QDir(e1900).entryList({QStringLiteral("*.zip")}).isEmpty());
  EXPECT_FALSE(QFile::exists(f.data.folder + QStringLiteral("/escape.png")));
  EXPECT_FALSE(QFile::exists(f.root.path(QStringLiteral("escape.png"))));
}

TEST(PackageRun, StopsBeforeTheRunWithItsMessage) {
  PackageFixture f;
  LoopbackServer server;
  server.serve(QStringLiteral("/gone/download_serverlist210.txt"), "not found", 404);
  server.start();
  struct Case {
    std::vector<int> selected;
    QString listUrl;
    PackageRunResult result;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{},
       server.url(QStringLiteral("/gone/download_serverlist210.txt")),
       PackageRunResult::NothingSelected,
       "取得するデータを選択してください。"},
      {{0},
       QStringLiteral("http://127.0.0.1:%1/x.txt").arg(test::deadPort()),
       PackageRunResult::ServerUnreachable,
       "サーバーに接続できません。"},
      // A not-found page is no server list.
      {{0},
       server.url(QStringLiteral("/gone/download_serverlist210.txt")),
       PackageRunResult::NoServerList,
       "サーバーリストを取得できません。"},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    f.state.names[kServerListUrl] = c.listUrl;
    std::vector<DownloadServer> servers;
    const auto out = RunPackageDownload(f.state, prompts, BuildShortageList(f.state), c.selected, servers, {});
    EXPECT_EQ(out.result, c.result);
    EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_TRUE(prompts.questions().isEmpty());
  }
  // Nothing of the program's own is written beside it.
  EXPECT_FALSE(QFile::exists(f.root.path(QStringLiteral("serverlist.txt"))));
}
