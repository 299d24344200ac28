// SPDX-License-Identifier: MIT
// Publishing a data folder: the web folder that the package download and the
// online mode read, served by a plain static web server, brings an era back
// byte for byte; and the same data gives the same bytes.
#include <gtest/gtest.h>

#include <httplib.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>

#include "app/RootFolder.h"
#include "output/WebFolderPublish.h"
#include "platform/Codec.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

// Every file under a folder, by relative path, with its bytes.
QMap<QString, QByteArray> folderBytes(const QString& folder) {
  QMap<QString, QByteArray> files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files.insert(QDir(folder).relativeFilePath(path), test::readBytes(path));
  }
  return files;
}

// Data folder "古地図" (a Japanese name, as in an address) with E1900 of 27
// files its check list names, one of them with a Japanese name, and one more
// it names but lacks; E1930 with two tiles and a file that a broken download
// left behind.
struct PublishFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  QStringList e1900;
  PublishFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("古地図")}});
    data.folder = root.path(QStringLiteral("古地図"));
    data.write();
    for (int i = 0; i < 26; ++i) e1900 << QStringLiteral("%1_000.png").arg(i, 3, 10, QChar(u'0'));
    e1900 << QStringLiteral("凡例メモ.png");
    for (int i = 0; i < e1900.size(); ++i)
      test::writeSolidImage(data.folder + QStringLiteral("/E1900/") + e1900[i], 20, 16, QColor(i * 9, 100, 50));
    test::writeSjis(data.folder + QStringLiteral("/E1900/gazo_check_list.txt"),
                    e1900.join(u',') + QStringLiteral(",欠けた.png\n"));
    test::writeSolidImage(data.folder + QStringLiteral("/E1930/000_000.png"), 20, 16, Qt::blue);
    test::writeSolidImage(data.folder + QStringLiteral("/E1930/001_000.png"), 20, 16, Qt::red);
    test::writeSjis(data.folder + QStringLiteral("/E1930/gazo_check_list.txt"), QStringLiteral("000_000.png\n"));
    test::writeBytes(data.folder + QStringLiteral("/E1930/03.zip"), "half a package");
  }
  test::ProgramRun publish(const QString& web, const QStringList& mirrors) const {
    QStringList args{"publish", "--root", root.root(), "-o", web};
    for (const QString& m : mirrors) args << "--mirror" << m;
    return test::runCli(args);
  }
};

int freePort() { return test::deadPort(); }

}  // namespace

TEST(Publish, WritesTheWebFolderTheProgramReads) {
  PublishFixture f;
  QTemporaryDir out;
  const QString web = out.path() + QStringLiteral("/web");
  const test::ProgramRun run = f.publish(web, {"http://a.example/kavalo", "https://b.example/m/"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("E1900: 1 files of the check list are missing")));
  EXPECT_TRUE(run.err.contains(QStringLiteral("E1930: 03.zip is named like a package and is left out")));

  const QMap<QString, QByteArray> files = folderBytes(web);
  EXPECT_EQ(files.value("servercheck.txt"), "OK\r\n");
  EXPECT_EQ(files.value("download_serverlist210.txt"),
            toSjis(QStringLiteral("http://a.example/kavalo/|古地図\r\nhttps://b.example/m/|古地図\r\n")));
  // 27 files: a package of 25 and one of 2.
  EXPECT_EQ(files.value(QStringLiteral("古地図/E1900/zipfilenum.txt")), "2\r\n");
  EXPECT_TRUE(files.contains(QStringLiteral("古地図/E1900/00.zip")));
  EXPECT_TRUE(files.contains(QStringLiteral("古地図/E1900/01.zip")));
  EXPECT_FALSE(files.contains(QStringLiteral("古地図/E1900/02.zip")));
  // The Japanese name is stored as Shift-JIS bytes, as the download expects.
  EXPECT_TRUE(files.value(QStringLiteral("古地図/E1900/01.zip")).contains(toSjis(QStringLiteral("凡例メモ.png"))));
  EXPECT_FALSE(files.value(QStringLiteral("古地図/E1900/01.zip")).contains(QStringLiteral("凡例メモ").toUtf8()));
  // Every file of an era for online mode, the broken download's left out.
  EXPECT_EQ(files.value(QStringLiteral("古地図/E1930/001_000.png")),
            test::readBytes(f.data.folder + QStringLiteral("/E1930/001_000.png")));
  EXPECT_EQ(files.value(QStringLiteral("古地図/E1930/zipfilenum.txt")), "1\r\n");
  EXPECT_FALSE(files.contains(QStringLiteral("古地図/E1930/03.zip")));
  for (const QString& name : files.keys())
    EXPECT_FALSE(name.contains(QStringLiteral(".kavalo-"))) << name.toStdString();

  // The same data gives the same bytes, whenever and wherever it is
  // published: new file times, another time zone.
  QThread::sleep(1);
  for (const QString& name : f.e1900) {
    QFile file(f.data.folder + QStringLiteral("/E1900/") + name);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
  }
  const QByteArray zone = qgetenv("TZ");
  qputenv("TZ", "Asia/Tokyo");
  const QString again = out.path() + QStringLiteral("/again");
  EXPECT_EQ(f.publish(again, {"http://a.example/kavalo", "https://b.example/m/"}).exitCode, 0);
  qputenv("TZ", zone);
  EXPECT_EQ(folderBytes(again), files);
}

TEST(Publish, AgainKeepsTheOtherDataFoldersOfTheServerList) {
  const struct {
    QString existing;
    QStringList mirrors;
    QString expected;
  } cases[] = {
      {"", {"http://a/"}, "http://a/|d\r\n"},
      // Another data folder on the same server stays; one on a server no
      // longer named loses this data folder only.
      {"http://a/|x\r\nhttp://old/|d|x\r\n",
       {"http://a/", "http://c/"},
       "http://a/|x|d\r\nhttp://old/|x\r\nhttp://c/|d\r\n"},
      // A server left holding nothing is dropped; publishing twice changes nothing.
      {"http://old/|d\r\nhttp://a/|d\r\n", {"http://a/"}, "http://a/|d\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.existing.toStdString());
    EXPECT_EQ(mergeServerList(c.existing, c.mirrors, QStringLiteral("d")), c.expected);
  }
}

// Published, served by a plain static server, an era removed from a copy of
// the data folder: fetch-packages brings it back byte for byte.
TEST(Publish, ServedStaticallyThePackagesBringAnEraBack) {
  PublishFixture f;
  QTemporaryDir out;
  const QString web = out.path() + QStringLiteral("/web");
  test::LoopbackServer server;  // files as they lie on the disk, nothing more
  ASSERT_EQ(f.publish(web, {server.url(QStringLiteral("/kavalo/"))}).exitCode, 0);
  ASSERT_TRUE(server.http().set_mount_point("/kavalo", web.toStdString()));
  server.start();

  QTemporaryDir copy;
  ASSERT_TRUE(copyFolderTree(f.root.root(), copy.path()));
  const QString era = copy.path() + QStringLiteral("/古地図/E1900");
  for (const QString& name : f.e1900) ASSERT_TRUE(QFile::remove(era + u'/' + name));
  const test::ProgramRun run =
      test::runCli({"fetch-packages", "--root", copy.path(), "--eras", "0", "--web-base", server.url("/kavalo/")});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString() << run.out.toStdString();
  EXPECT_EQ(folderBytes(era), folderBytes(f.data.folder + QStringLiteral("/E1900")));
  // Online mode reads the same folder: a tile the copy lacks is fetched.
  ASSERT_TRUE(QFile::remove(copy.path() + QStringLiteral("/古地図/E1930/001_000.png")));
  const test::ProgramRun render =
      // One image pixel per view pixel, and only tile (1, 0) in view.
      test::runCli({"render", "--root", copy.path(), "--era", "1", "--size", "90x70", "--center", "150,40",
                    "--mm-per-px", "2.3125", "--online", "--web-base", server.url("/kavalo/"), "--layers", "tiles",
                    "-o", copy.path() + "/v.png"});
  EXPECT_EQ(render.exitCode, 0) << render.err.toStdString();
  EXPECT_EQ(test::readBytes(copy.path() + QStringLiteral("/古地図/E1930/001_000.png")),
            test::readBytes(f.data.folder + QStringLiteral("/E1930/001_000.png")));
}

// The sample region, served by Python's static web server.
TEST(Publish, TheSampleRegionServedByPythonsWebServer) {
  const QString sample = qEnvironmentVariable("KAVALO_SAMPLE");
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  ASSERT_TRUE(QFile::exists(sample + QStringLiteral("/dataset.txt"))) << "the build generates the sample region";
  ASSERT_FALSE(python.isEmpty()) << "scripts/deps installs python3";
  QTemporaryDir out;
  const QString web = out.path() + QStringLiteral("/web");
  const int port = freePort();
  const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(port);
  const test::ProgramRun published = test::runCli({"publish", "--root", sample, "--mirror", base, "-o", web});
  ASSERT_EQ(published.exitCode, 0) << published.err.toStdString();

  QProcess server;
  server.setWorkingDirectory(web);
  server.start(python, {"-m", "http.server", QString::number(port), "--bind", "127.0.0.1"});
  ASSERT_TRUE(server.waitForStarted());
  bool up = false;
  for (int i = 0; i < 100 && !up; ++i) {
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
    up = probe.waitForConnected(100);
    if (!up) QThread::msleep(50);
  }
  ASSERT_TRUE(up) << "python3 -m http.server did not start";

  QTemporaryDir copy;
  ASSERT_TRUE(copyFolderTree(sample, copy.path()));
  const QString era = copy.path() + QStringLiteral("/sample/1909");
  const QMap<QString, QByteArray> original = folderBytes(sample + QStringLiteral("/sample/1909"));
  for (const QString& name : QDir(era).entryList({QStringLiteral("*.png")}, QDir::Files))
    QFile::remove(era + u'/' + name);
  const QString index = QString::fromUtf8(test::runCli({"shortage", "--root", copy.path()}).out)
                            .section(QStringLiteral("\"folder\":\"1909\""), 0, 0)
                            .section(QStringLiteral("\"era\":"), -1)
                            .section(u',', 0, 0);
  const test::ProgramRun run =
      test::runCli({"fetch-packages", "--root", copy.path(), "--eras", index, "--web-base", base});
  server.terminate();
  server.waitForFinished();
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString() << run.out.toStdString();
  EXPECT_EQ(folderBytes(era), original);
}
