// SPDX-License-Identifier: MIT
// One exit rule for every command of kavalo-cli: 0 success, 1 the work
// failed (standard error says what), 2 a usage error. Each row is a command
// line, its status and the start of the first line on standard error.
#include <gtest/gtest.h>

#include <QDir>

#include "cli/CliFixture.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::CliRootFixture;

namespace {

struct Row {
  QStringList args;
  int status;
  QString firstError;  // the first line of standard error starts with it; empty: standard error is empty
};

void checkRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args.join(u' ').toStdString());
    const test::ProgramRun run = test::runCli(row.args);
    EXPECT_EQ(run.exitCode, row.status) << run.err.toStdString();
    if (row.firstError.isEmpty())
      EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    else
      EXPECT_TRUE(test::firstLine(run.err).startsWith(row.firstError)) << run.err.toStdString();
  }
}

}  // namespace

TEST(ExitStatus, TheCommandLineItselfAndTheRootFolder) {
  CliRootFixture f;
  test::RootFixture noData;  // a RootFolder whose only data folder is missing
  noData.writeDatasetList({{QStringLiteral("無い"), QStringLiteral("gone")}});
  test::RootFixture noList;
  const QString missing = f.path(QStringLiteral("nowhere"));
  checkRows({
      {{}, 2, "no command given"},
      {{"bogus"}, 2, "unknown command 'bogus'"},
      {{"--bogus", "info"}, 2, "unknown option '--bogus'"},
      {{"info"}, 2, "--root DIR is required"},
      {{"info", "--root", missing}, 1, "RootFolder not found: "},
      {{"info", "--root", noList.root()}, 1, "not a RootFolder (it has no dataset.txt)"},
      {{"info", "--root", noData.root()}, 1, "data folder not found: "},
      {f.with("info", {"--dataset", "7"}), 2, "--dataset must be an index of dataset.txt's list (0 to 0)"},
      {f.with("info", {"--dataset", "x"}), 2, "--dataset must be"},
      {f.with("info", {"--what"}), 2, "Unknown option 'what'"},
      {f.with("info", {"stray"}), 2, "unexpected argument: stray"},
      {f.with("info", {}), 0, ""},
      {f.with("shortage", {"--dataset", "-1"}), 2, "--dataset must be"},
      {f.with("shortage", {}), 0, ""},
  });
}

TEST(ExitStatus, ViewCommands) {
  CliRootFixture f;
  const QString png = f.path(QStringLiteral("v.png"));
  checkRows({
      {f.with("render", {}), 2, "-o FILE.png is required"},
      {f.with("render", {"--era", "9", "-o", png}), 2, "--era must be an era index from 0 to 2"},
      {f.with("render", {"--zoom", "10", "-o", png}), 2, "--zoom must be 50 to 400"},
      {f.with("render", {"--size", "big", "-o", png}), 2, "--size must be WxH"},
      {f.with("render", {"--layers", "roads", "-o", png}), 2, "unknown layer: roads"},
      {f.with("render", {"--split", "10", "-o", png}), 2, "--split needs --compare B"},
      {f.with("render", {"--compare", "9", "-o", png}), 2, "--compare must be an era index"},
      {f.with("render", {"--web-base", "http://127.0.0.1:1/", "-o", png}), 2, "--web-base goes with --online"},
      {f.with("render", {"--era", "2", "--layers", "legend", "-o", png}), 2,
       "--layers legend: era 2 (W00) has no legend"},
      {f.with("render", {"--layers", "legend", "--compare", "1", "-o", png}), 2,
       "--layers legend goes with a single era"},
      {f.with("render", {"--era", "1", "--layers", "legend", "-o", png}), 1, "the legend picture cannot be read"},
      {f.with("render", {"-o", f.path("no/folder/v.png")}), 1, "ファイルを書き込めません: "},
      {f.with("render", {"--overlay", f.path("none.gpx"), "-o", png}), 1, "「none.gpx」を読み込めません。"},
      {f.with("render", {"--link", "http://x/", "-o", png}), 2, "--link: "},
      {f.with("render", {"--link", "kavalo://view?dataset=elsewhere&lat=35&lon=139", "-o", png}), 2,
       "--link names a data folder dataset.txt does not list: elsewhere"},
      {f.with("render", {"--link", "kavalo://view?era=E2099&lat=35&lon=139", "-o", png}), 2,
       "--link names an era this data folder does not have: E2099"},
      {f.with("readout", {}), 2, "--at PX,PY (view pixels) is required"},
      {f.with("readout", {"--at", "1,2", "--datum", "2"}), 2, "--datum must be 0"},
      {f.with("readout", {"--at", "1,2", "--era", "9"}), 2, "--era must be"},
      {f.with("export", {"--format", "pdf", "-o", f.path("e.html")}), 2, "--format must be html, kml or kmz"},
      {f.with("export", {"--format", "kmz", "--world-files", "-o", f.path("e.kmz")}), 2, "--world-files goes with"},
      {f.with("export", {"--format", "html"}), 2, "-o FILE is required"},
      {f.with("export", {"--layers", "legend", "-o", f.path("e.html")}), 2, "--layers legend is not exported"},
      {f.with("print", {}), 2, "give --printer NAME or --pdf FILE"},
      {f.with("print", {"--pdf", f.path("p.pdf"), "--print-size", "150"}), 2, "--print-size must be"},
      {f.with("print", {"--pdf", f.path("p.pdf"), "--offset-mm", "x"}), 2, "--offset-mm must be X,Y"},
      {f.with("print", {"--pdf", f.path("p.pdf"), "--orientation", "up"}), 2, "--orientation must be"},
      {f.with("print", {"--pdf", f.path("p.pdf"), "--layers", "legend"}), 2, "--layers legend is not printed"},
      {f.with("print", {"--printer", "no such printer"}), 1, "no printer named no such printer"},
  });
  // The failed write names what it could not do and leaves nothing behind.
  EXPECT_FALSE(QFile::exists(f.path("no/folder/v.png")));
}

TEST(ExitStatus, FetchAndPublishCommands) {
  CliRootFixture f;
  const QString dead = QStringLiteral("http://127.0.0.1:%1/").arg(test::deadPort());
  const QString other = f.path(QStringLiteral("other"));  // a folder with something else in it
  test::writeBytes(other + QStringLiteral("/notes.txt"), "mine");
  checkRows({
      {f.with("fetch-agency", {}), 2, "--source 0|1|2 is required"},
      {f.with("fetch-agency", {"--source", "3"}), 2, "--source must be a whole number from 0 to 2"},
      {f.with("fetch-agency", {"--source", "1"}), 2, "--period P is needed for the air photos"},
      {f.with("fetch-agency", {"--source", "0", "--period", "1"}), 2, "--period goes with the air photos"},
      {f.with("fetch-agency", {"--source", "1", "--period", "5"}), 2, "period 5 is not offered by this dataset"},
      // A failure is told on standard error, the counts go to standard output.
      {f.with("fetch-agency", {"--source", "0", "--portal", dead, "--tile-server", dead}), 1,
       QStringLiteral("電子国土サーバーに接続できません。")},
      {f.with("fetch-rapid-survey", {}), 1, "this dataset does not offer the rapid-survey maps"},
      {f.with("fetch-xyz", {"--zoom", "30"}), 2, "--zoom must be a whole number from 0 to 22"},
      {f.with("fetch-xyz", {"--kind", "video"}), 2, "--kind must be map or photo"},
      {f.with("fetch-xyz", {"--url", "ftp://x/{z}/{x}/{y}", "--attribution", "t"}), 2,
       "--url must be an http(s) address"},
      {f.with("fetch-xyz", {"--url", "http://x/{z}/{x}/{y}"}), 2, "--attribution is required"},
      {f.with("fetch-packages", {}), 2, "--eras is required"},
      {f.with("fetch-packages", {"--eras", "2"}), 2, "--eras: 2 is not an era of the dataset's own sheets"},
      {f.with("fetch-packages", {"--eras", "1", "--web-base", dead}), 0, ""},
      {f.with("fetch-packages", {"--eras", "0", "--web-base", dead}), 1, QStringLiteral("サーバーに接続できません。")},
      {f.with("publish", {"-o", f.path("web")}), 2, "--mirror URL is required"},
      {f.with("publish", {"--mirror", "ftp://host/", "-o", f.path("web")}), 2, "--mirror must be an http or https"},
      {f.with("publish", {"--mirror", "http://h/a|b", "-o", f.path("web")}), 2, "--mirror cannot hold"},
      {f.with("publish", {"--mirror", "http://h/"}), 2, "-o WEBDIR is required"},
      {f.with("publish", {"--mirror", "http://h/", "-o", f.root.root()}), 2,
       "-o " + f.root.root() + " would write over"},
      {f.with("publish", {"--mirror", "http://h/", "-o", f.data.folder}), 2,
       "-o " + f.data.folder + " would write over"},
      {f.with("publish", {"--mirror", "http://h/", "-o", other}), 2,
       "-o " + other + " is neither empty nor a web folder"},
  });
}

// The package run of eras that lack nothing says so and succeeds.
TEST(ExitStatus, CompleteErasAreSaidToBeComplete) {
  CliRootFixture f;
  const test::ProgramRun run = test::runCli(f.with("fetch-packages", {"--eras", "1,1"}));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(QString::fromUtf8(run.out), QStringLiteral("1930-31年:すべて取得済み\n"));
}

// render --online: the picture is written, and a view drawn without what
// could not be fetched is a failure.
TEST(ExitStatus, RenderOnlineFailsWhenTheServerOrATileFails) {
  CliRootFixture f;
  test::LoopbackServer server;
  server.serve(QStringLiteral("/kavalo/servercheck.txt"), "OK\r\n");
  server.start();
  const QString png = f.path(QStringLiteral("online.png"));
  const QStringList view = {"--size", "400x320", "--center", "200,160", "--layers", "tiles", "-o", png};
  const QString dead = QStringLiteral("http://127.0.0.1:%1/kavalo/").arg(test::deadPort());
  // The server check fails: nothing can be fetched.
  test::ProgramRun run = test::runCli(f.with("render", QStringList{"--online", "--web-base", dead} + view));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("サーバーに接続できませんでした。"))) << run.err.toStdString();
  EXPECT_TRUE(QFile::exists(png));
  QFile::remove(png);
  // The server answers its check, but not for the tiles E1900 lacks.
  run = test::runCli(f.with("render", QStringList{"--online", "--web-base", server.url("/kavalo/")} + view));
  EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
  EXPECT_TRUE(QFile::exists(png));
  EXPECT_TRUE(server.requests().contains(QStringLiteral("/kavalo/a/E1900/001_001.png")))
      << server.requests().join(u' ').toStdString();
}

TEST(ExitStatus, VerboseTurnsTheLogOn) {
  CliRootFixture f;
  for (const bool verbose : {false, true}) {
    const QStringList args = verbose ? QStringList{"--verbose"} + f.with("info", {}) : f.with("info", {});
    const test::ProgramRun run = test::runCli(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err.contains(QStringLiteral("kavalo.data: RootFolder")), verbose) << run.err.toStdString();
  }
  // After the command too.
  EXPECT_TRUE(test::runCli(f.with("shortage", {"--verbose"})).err.contains(QStringLiteral("kavalo.data")));
}
