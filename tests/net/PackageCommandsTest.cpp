// SPDX-License-Identifier: MIT
// The package dialog and the command-line run: what can be chosen, a stop
// between packages, and the command's output and exit status.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "net/PackageDownload.h"
#include "net/UiOptionButtons.h"
#include "net/ZipFixture.h"
#include "net/frmGetTikeizu.h"
#include "platform/Codec.h"
#include "render/RenderFixture.h"
#include "support/LoopbackServer.h"
#include "support/Programs.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

namespace {

// Data folder "a": E1900 lacks 001_001.png (named by its check list), E1930
// lacks nothing. The web folder serves one server holding "a" with two
// packages for E1900.
struct CommandFixture : test::RenderFixture {
  LoopbackServer server;
  CommandFixture() {
    data.write();
    solidTiles(QStringLiteral("E1900"), test::tileColour);
    solidTiles(QStringLiteral("E1930"), test::tileColour);
    QFile::remove(eraFile(QStringLiteral("E1900"), QStringLiteral("001_001.png")));
    test::writeSjis(eraFile(QStringLiteral("E1900"), QStringLiteral("gazo_check_list.txt")),
                    QStringLiteral("000_000.png,001_001.png\n"));
    test::writeSjis(eraFile(QStringLiteral("E1930"), QStringLiteral("gazo_check_list.txt")),
                    QStringLiteral("000_000.png\n"));
    server.serve(QStringLiteral("/kavalo/download_serverlist210.txt"),
                 toSjis(server.url(QStringLiteral("/m/")) + QStringLiteral("|a\r\n")));
    server.serve(QStringLiteral("/m/a/E1900/zipfilenum.txt"), "2");
    QTemporaryDir dir;
    server.serve(QStringLiteral("/m/a/E1900/00.zip"),
                 test::readBytes(test::makeZip(dir.path() + QStringLiteral("/z"), {{"001_001.png", "tile"}})));
    server.start();
    EXPECT_TRUE(load());
    state.names[kServerListUrl] = server.url(QStringLiteral("/kavalo/download_serverlist210.txt"));
  }
};

}  // namespace

TEST(PackageDialog, CompleteErasCannotBeChosenAndAStopEndsTheRun) {
  CommandFixture f;
  std::vector<DownloadServer> servers;
  frmGetTikeizu form(f.state, f.prompts, servers);
  ASSERT_EQ(form.lstData->count(), 2);
  EXPECT_TRUE(form.lstData->item(0)->text().endsWith(QStringLiteral("／1ファイルが不足")));
  EXPECT_FALSE(form.ProgressBar->isVisibleTo(&form));
  form.lstData->selectAll();
  EXPECT_TRUE(form.lstData->item(0)->isSelected());
  EXPECT_FALSE(form.lstData->item(1)->isSelected());

  // Asked to stop while the first package runs: the second is never asked
  // for, and the run claims no success.
  PackageRunView view;
  int packages = 0;
  view.setCaption = [&](const QString&) { ++packages; };
  view.stopRequested = [&] { return packages > 0; };
  const auto out = RunPackageDownload(f.state, f.prompts, form.shortages(), {0}, servers, view);
  EXPECT_TRUE(out.stopped);
  EXPECT_FALSE(out.success);
  EXPECT_EQ(packages, 1);
  EXPECT_FALSE(f.server.requests().contains(QStringLiteral("/m/a/E1900/01.zip")));
  EXPECT_TRUE(f.prompts.messages().isEmpty());
}

TEST(PackageDialog, TheRunLeavesTheWindowFreeAndCancelEndsThePackageAtOnce) {
  CommandFixture f;
  // A package that never finishes (the stall limit is far away).
  QTemporaryDir dir;
  const QByteArray zip = test::readBytes(test::makeZip(dir.path() + QStringLiteral("/z"), {{"001_001.png", "tile"}}));
  test::LoopbackServer slow;
  slow.serve(QStringLiteral("/kavalo/download_serverlist210.txt"),
             toSjis(slow.url(QStringLiteral("/m/")) + QStringLiteral("|a\r\n")));
  slow.serve(QStringLiteral("/m/a/E1900/zipfilenum.txt"), "2");
  slow.serveStall(QStringLiteral("/m/a/E1900/00.zip"), zip, 10);
  slow.start();
  f.state.names[kServerListUrl] = slow.url(QStringLiteral("/kavalo/download_serverlist210.txt"));
  std::vector<DownloadServer> servers;
  frmGetTikeizu form(f.state, f.prompts, servers);
  form.show();
  form.lstData->item(0)->setSelected(true);
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(10);
  form.cmdGet->click();
  QElapsedTimer clock;
  clock.start();
  while (!slow.requests().contains(QStringLiteral("/m/a/E1900/00.zip")) && clock.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  const int before = ticks;
  clock.restart();
  while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  ASSERT_TRUE(form.running());
  // The window's loop ran meanwhile, and showed the run's progress.
  EXPECT_GT(ticks - before, 5);
  EXPECT_TRUE(form.lblCap->isVisibleTo(&form));
  EXPECT_EQ(form.lblCap->text(), QStringLiteral("ダウンロード中1/2"));

  clock.restart();
  form.cmdCancel->click();
  while (form.isVisible() && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  EXPECT_FALSE(form.isVisible());
  EXPECT_LT(clock.elapsed(), 5000);  // long before any limit of the request
  EXPECT_TRUE(form.outcome().stopped);
  EXPECT_FALSE(form.outcome().success);
  EXPECT_TRUE(f.prompts.messages().isEmpty());
  EXPECT_FALSE(slow.requests().contains(QStringLiteral("/m/a/E1900/01.zip")));
  // No package and no part of one in the era folder.
  const QString e1900 = f.eraFile(QStringLiteral("E1900"), QString());
  EXPECT_TRUE(QDir(e1900)
                  .entryList({QStringLiteral("*.zip*"), QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden)
                  .isEmpty());
}

TEST(FetchPackagesCommand, OutputAndStatus) {
  CommandFixture f;
  const QString base = QStringLiteral("--web-base=") + f.server.url(QStringLiteral("/kavalo/"));
  struct Case {
    QStringList args;
    int status;
    QByteArray out;
    QString err;  // a failure is told on standard error
  };
  const std::vector<Case> cases = {
      // An era that lacks nothing is complete, not a failure.
      {{QStringLiteral("--eras"), QStringLiteral("1")}, 0, "1930-31年:すべて取得済み\n", QString()},
      {{QStringLiteral("--eras"), QStringLiteral("7")}, 2, "", QString()},
      {{QStringLiteral("--eras"), QStringLiteral("0,1")},
       1,
       "",
       QStringLiteral("ネットのファイルが開けません。") + f.server.url(QStringLiteral("/m/a/E1900/01.zip")) +
           QStringLiteral("\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(u' ').toStdString());
    const auto run = test::runCli(QStringList{QStringLiteral("fetch-packages"), QStringLiteral("--root"), f.root.root(),
                                              QStringLiteral("--dataset"), QStringLiteral("0"), base} +
                                  c.args);
    EXPECT_EQ(run.exitCode, c.status) << run.err.toStdString();
    EXPECT_EQ(run.out, c.out);
    if (!c.err.isEmpty()) EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
  }
  EXPECT_EQ(test::readBytes(f.eraFile(QStringLiteral("E1900"), QStringLiteral("001_001.png"))), "tile");

  // With both packages on the server the run ends in the success message.
  QTemporaryDir dir;
  f.server.serve(QStringLiteral("/m/a/E1900/01.zip"),
                 test::readBytes(test::makeZip(dir.path() + QStringLiteral("/z"), {{"000_000.png", "tile0"}})));
  QFile::remove(f.eraFile(QStringLiteral("E1900"), QStringLiteral("001_001.png")));
  const auto run = test::runCli({QStringLiteral("fetch-packages"), QStringLiteral("--root"), f.root.root(),
                                 QStringLiteral("--eras"), QStringLiteral("0"), base});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, QStringLiteral("画像データを取得しました。\n").toUtf8());
  EXPECT_TRUE(run.err.contains(QStringLiteral("ダウンロード中2/2")));
  EXPECT_EQ(test::readBytes(f.eraFile(QStringLiteral("E1900"), QStringLiteral("000_000.png"))), "tile0");
}

TEST(OptionButtons, FirstCheckedOrNone) {
  QRadioButton a, b, c;
  c.setAutoExclusive(false);
  b.setAutoExclusive(false);
  const QList<QAbstractButton*> row = {&a, nullptr, &b, &c};
  EXPECT_EQ(SelectedOptionIndex(row), -1);
  c.setChecked(true);
  EXPECT_EQ(SelectedOptionIndex(row), 3);
  b.setChecked(true);
  EXPECT_EQ(SelectedOptionIndex(row), 2);
}
