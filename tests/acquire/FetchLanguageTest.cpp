// SPDX-License-Identifier: MIT
// kavalo-cli's fetch commands under --lang ja and --lang en: the closing
// message and the reasons follow the language, the counts line stays as
// scripts read it, and what the run stores (tiles, the era list) is the same
// bytes in both.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>

#include "FastServer.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

// A data folder of its own for each language, and a tile cache of its own
// for the runs (each language fetches from the server).
struct LanguageRun {
  test::RootFixture root;
  QTemporaryDir cache;
  LanguageRun() {
    root.writeDatasetList({{QStringLiteral("試験"), QStringLiteral("d")}});
    test::DatasetFixture d;
    d.folder = root.path("d");
    d.extraMapInfo = {QStringLiteral("北西メッシュ=533970"), QStringLiteral("東南メッシュ=533961")};
    d.write();
  }
  test::ProgramRun run(const QString& language, const QStringList& args) {
    const QByteArray saved = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    const test::ProgramRun r = test::runCli(QStringList{"--lang", language} + args);
    qputenv("XDG_CACHE_HOME", saved);
    return r;
  }
  // Every file of the data folder, by relative path.
  QMap<QString, QByteArray> files() const {
    QMap<QString, QByteArray> all;
    QDirIterator it(root.path("d"), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      all.insert(QDir(root.path("d")).relativeFilePath(path), test::readBytes(path));
    }
    return all;
  }
};

}  // namespace

TEST(FetchLanguage, MessagesFollowTheLanguageAndTheStoredFilesDoNot) {
  test::FastServer server;
  QImage tile(256, 256, QImage::Format_RGB32);
  tile.fill(qRgb(30, 120, 60));
  const std::string png = encodePng(tile).toStdString();
  server.http().Get(R"(/t/(\d+)/(\d+)/(\d+)\.png)",
                    [&](const httplib::Request&, httplib::Response& res) { res.set_content(png, "image/png"); });
  server.start();
  const QString dead = QStringLiteral("http://127.0.0.1:%1/t/{z}/{x}/{y}.png").arg(test::deadPort());
  struct Case {
    QString language;
    QString added, failed, reason;
  } cases[] = {
      {"ja", "テスト地域にXYZタイル（地図）を追加しました。", "XYZタイルの取得に失敗しました。",
       ": 接続できません、接続を拒否されました"},
      {"en", "XYZ tiles (map) have been added to テスト地域.", "Fetching the XYZ tiles failed.",
       ": cannot connect, connection refused"},
  };
  QMap<QString, QByteArray> stored[2];
  for (int l = 0; l < 2; ++l) {
    const Case& c = cases[l];
    LanguageRun region;
    const QStringList fetch = {"fetch-xyz", "--root", region.root.root(), "--zoom", "11",
                               "--kind",    "map",    "--attribution",    "© 試験"};
    const test::ProgramRun added =
        region.run(c.language, fetch + QStringList{"--url", server.url("/t/{z}/{x}/{y}.png")});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    const QStringList lines = QString::fromUtf8(added.out).split(u'\n');
    EXPECT_EQ(lines.value(0), c.added) << c.language.toStdString();
    EXPECT_TRUE(lines.value(1).contains(" requests: ")) << lines.value(1).toStdString();  // for scripts, as it was
    stored[l] = region.files();

    // A dead server: the reason of the first failure, then the failure.
    const test::ProgramRun failed = region.run(c.language, fetch + QStringList{"--url", dead});
    EXPECT_EQ(failed.exitCode, 1);
    const QString out = QString::fromUtf8(failed.out) + failed.err;
    EXPECT_TRUE(out.contains(c.reason)) << out.toStdString();
    EXPECT_TRUE(out.contains(c.failed)) << out.toStdString();
    // The failed run left the data folder as it was.
    EXPECT_EQ(region.files(), stored[l]) << c.language.toStdString();
  }
  ASSERT_FALSE(stored[0].isEmpty());
  EXPECT_EQ(stored[0].keys(), stored[1].keys());
  for (const QString& name : stored[0].keys()) EXPECT_EQ(stored[0][name], stored[1][name]) << name.toStdString();
}
