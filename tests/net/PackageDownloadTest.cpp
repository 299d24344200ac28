// SPDX-License-Identifier: MIT
// The map-sheet package download against servers on 127.0.0.1: the shortage
// list, the server list, the spreading of packages over the servers, and
// whole runs with their messages.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>

#include "model/EraLabels.h"
#include "net/Network.h"
#include "net/PackageDownload.h"
#include "net/Transfer.h"
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
  void writeE1930List(const QString& text) {
    test::writeSjis(eraFile(QStringLiteral("E1930"), QStringLiteral("gazo_check_list.txt")), text);
  }
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
  EXPECT_FALSE(list[0].checkListMissing);
  // No check list: nothing says the era is whole, so it lacks everything.
  EXPECT_TRUE(list[1].checkListMissing);
  EXPECT_TRUE(list[1].lacksFiles());
  EXPECT_EQ(ShortageListText(f.state, list[1]), f.label(1) + QStringLiteral("／ファイル一覧なし：全ファイルが不足"));
}

TEST(Shortage, AnEraWithoutAUsableListIsNeverComplete) {
  struct Case {
    const char* what;
    std::function<void(PackageFixture&)> damage;
    bool lacks;
  };
  const std::vector<Case> cases = {
      {"a list naming present files", [](PackageFixture& f) { f.writeE1930List("000_000.png\n"); }, false},
      {"the folder emptied",
       [](PackageFixture& f) { QDir(f.eraFile(QStringLiteral("E1930"), QString())).removeRecursively(); }, true},
      {"the files deleted with the list",
       [](PackageFixture& f) {
         for (const QString& n : QDir(f.eraFile(QStringLiteral("E1930"), QString())).entryList(QDir::Files))
           QFile::remove(f.eraFile(QStringLiteral("E1930"), n));
       },
       true},
      {"an empty list", [](PackageFixture& f) { f.writeE1930List("\n,\n"); }, true},
  };
  for (const Case& c : cases) {
    PackageFixture f;
    c.damage(f);
    const EraShortage s = BuildShortageList(f.state)[1];
    EXPECT_EQ(s.lacksFiles(), c.lacks) << c.what;
    EXPECT_EQ(ShortageListText(f.state, s).endsWith(QStringLiteral(":すべて取得済み")), !c.lacks) << c.what;
  }
}

TEST(PackageRun, AnEraWithoutItsListGetsTheListWithThePackages) {
  PackageFixture f;
  for (const QString& n : QDir(f.eraFile(QStringLiteral("E1930"), QString())).entryList(QDir::Files))
    QFile::remove(f.eraFile(QStringLiteral("E1930"), n));
  LoopbackServer server;
  const QString s0 = server.url(QStringLiteral("/s0/"));
  server.serve(QStringLiteral("/kavalo/download_serverlist210.txt"), toSjis(s0 + QStringLiteral("|a\r\n")));
  server.serve(QStringLiteral("/s0/a/E1930/zipfilenum.txt"), "1");
  server.serve(QStringLiteral("/s0/a/E1930/00.zip"), zipBytes({{"000_000.png", "tile"}, {"001_000.png", "tile"}}));
  // The list lies in the web folder, beside the tiles fetched on demand.
  server.serve(QStringLiteral("/kavalo/a/E1930/gazo_check_list.txt"), "000_000.png,001_000.png,009_009.png\r\n");
  server.start();
  f.state.names[kWebBaseUrl] = server.url(QStringLiteral("/kavalo/"));
  f.state.names[kServerListUrl] = server.url(QStringLiteral("/kavalo/download_serverlist210.txt"));

  std::vector<EraShortage> shortages = BuildShortageList(f.state);
  ASSERT_TRUE(shortages[1].checkListMissing);
  std::vector<DownloadServer> servers;
  const PackageRunOutcome out = RunPackageDownload(f.state, f.prompts, shortages, {1}, servers, PackageRunView());
  EXPECT_TRUE(out.success) << f.prompts.messages().join(u'|').toStdString();
  EXPECT_EQ(test::readBytes(f.eraFile(QStringLiteral("E1930"), QStringLiteral("001_000.png"))), "tile");
  // With its list back the era knows what it still lacks.
  const EraShortage after = BuildShortageList(f.state)[1];
  EXPECT_FALSE(after.checkListMissing);
  EXPECT_EQ(after.missingNames, QStringList{QStringLiteral("009_009.png")});

  // No one has the list: said so, never a success.
  QFile::remove(f.eraFile(QStringLiteral("E1930"), QStringLiteral("gazo_check_list.txt")));
  f.state.names[kWebBaseUrl] = server.url(QStringLiteral("/elsewhere/"));
  f.prompts.records.clear();
  const PackageRunOutcome again =
      RunPackageDownload(f.state, f.prompts, BuildShortageList(f.state), {1}, servers, PackageRunView());
  EXPECT_FALSE(again.success);
  ASSERT_EQ(f.prompts.messages().size(), 1);
  EXPECT_TRUE(f.prompts.messages()[0].startsWith(QStringLiteral("ファイル一覧が取得できません。")))
      << f.prompts.messages()[0].toStdString();
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
      server.serve(QStringLiteral("%1/x/E/%2.zip").arg(QLatin1String(s), QLatin1String(p)), zipBytes({{"a", "x"}}));
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
  ASSERT_TRUE(shortages[1].lacksFiles());  // E1930 has no list; no server has a count for it
  std::vector<DownloadServer> servers;
  QStringList captions;
  PackageRunView view;
  view.setCaption = [&](const QString& c) { captions << c; };
  const PackageRunOutcome out = RunPackageDownload(f.state, f.prompts, shortages, {0, 1}, servers, view);

  ASSERT_EQ(servers.size(), 2u);  // the dead one is left out
  EXPECT_EQ(out.result, PackageRunResult::Finished);
  EXPECT_FALSE(out.success);
  const QString e1900 = f.data.folder + QStringLiteral("/E1900");
  // A package no server had is named by its address (the server asked
  // last), not by a file of this machine.
  const QString expected = QStringLiteral("解凍できません。\r\n") + QStringLiteral("ネットのファイルが開けません。") +
                           s1 + QStringLiteral("a/E1900/02.zip\r\n") +
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

TEST(PackageRun, HostilePackagesAreNetworkFaultsAndLeaveTheEraAsItWas) {
  const NetworkTimeouts savedTimes = networkTimeouts();
  const BodyLimits savedLimits = bodyLimits();
  setNetworkTimeouts({400, 5000, 3000, 600, 2048});
  setBodyLimits({64 * 1024, 256 * 1024, 512 * 1024, 0, 8 << 20});
  const QByteArray whole = zipBytes({{"001_001.png", "tile"}, {toSjis(QStringLiteral("凡例.png")), "legend"}});
  const QByteArray chunked(
      "HTTP/1.1 200 OK\r\nContent-Type: application/zip\r\nTransfer-Encoding: chunked\r\n\r\n1000\r\n");
  test::RawServer cut(chunked + whole.left(100));
  struct Case {
    const char* what;
    std::function<void(LoopbackServer&)> serve;  // serves /s/a/E1900/00.zip
    bool onRawServer;                            // the package comes from the cut-chunk server
    bool archiveFault;                           // "解凍できません。" rather than a network fault
  };
  const QString path = QStringLiteral("/s/a/E1900/00.zip");
  const std::vector<Case> cases = {
      {"endless", [&](LoopbackServer& s) { s.serveEndless(path, whole); }, false, false},
      {"64 GiB declared", [&](LoopbackServer& s) { s.serveEndless(path, whole, qint64(64) << 30); }, false, false},
      {"trickled", [&](LoopbackServer& s) { s.serveTrickle(path, whole, 40); }, false, false},
      {"cut by its length", [&](LoopbackServer& s) { s.serveDropped(path, whole, whole.size() / 2); }, false, false},
      {"stalled", [&](LoopbackServer& s) { s.serveStall(path, whole, 10); }, false, false},
      {"503", [&](LoopbackServer& s) { s.serve(path, "busy", 503); }, false, false},
      {"a chunk cut short", [&](LoopbackServer& s) { s.serve(path, "not here", 404); }, true, false},
      {"forty MiB of zeros in entries",
       [&](LoopbackServer& s) { s.serve(path, test::zipOfZeros(40, qint64(1) << 20)); }, false, true},
  };
  for (const Case& c : cases) {
    PackageFixture f;
    LoopbackServer server;
    c.serve(server);
    server.serve(QStringLiteral("/s/a/E1900/zipfilenum.txt"), "1");
    // The cut-chunk server answers everything with its chunk: it is the
    // second server of the list, asked for the package the first lacks.
    QString list = server.url(QStringLiteral("/s/")) + QStringLiteral("|a\r\n");
    if (c.onRawServer) list += cut.url(QStringLiteral("/")) + QStringLiteral("|a\r\n");
    server.serve(QStringLiteral("/kavalo/download_serverlist210.txt"), toSjis(list));
    server.start();
    f.state.names[kServerListUrl] = server.url(QStringLiteral("/kavalo/download_serverlist210.txt"));
    const QString e1900 = f.data.folder + QStringLiteral("/E1900");
    const QStringList before = QDir(e1900).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    std::vector<DownloadServer> servers;
    const PackageRunOutcome out = RunPackageDownload(f.state, f.prompts, BuildShortageList(f.state), {0}, servers, {});
    EXPECT_FALSE(out.success) << c.what;
    ASSERT_EQ(f.prompts.messages().size(), 1) << c.what;
    const QString message = f.prompts.messages()[0];
    if (c.onRawServer) {
      EXPECT_EQ(message, QStringLiteral("ネットのファイルが開けません。") + cut.url(QStringLiteral("/a/E1900/00.zip")) +
                             QStringLiteral("\r\n"))
          << message.toStdString();
    } else if (c.archiveFault) {
      EXPECT_EQ(message, QStringLiteral("解凍できません。\r\n")) << c.what;
    } else {
      EXPECT_EQ(message, QStringLiteral("ネットのファイルが開けません。") + server.url(path) + QStringLiteral("\r\n"))
          << c.what << message.toStdString();
    }
    // Nothing new in the era folder: no package, no part file, no entry.
    EXPECT_EQ(QDir(e1900).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before) << c.what;
  }
  setNetworkTimeouts(savedTimes);
  setBodyLimits(savedLimits);
}
