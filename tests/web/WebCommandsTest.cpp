// SPDX-License-Identifier: MIT
// kavalo-cli publish --tiles and export-era as a script uses them: what they
// write, and the usage errors that leave everything as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "WebMapFixture.h"
#include "support/Programs.h"

using namespace kavalo;

TEST(WebCommands, PublishWithTilesWritesTheMapAndTellsTheDataFolder) {
  test::WebMapFixture f;
  QTemporaryDir out;
  const QString web = out.path() + QStringLiteral("/web");
  const test::ProgramRun run =
      test::runCli({"publish", "--root", f.root.root(), "--mirror", "https://maps.example/k", "-o", web, "--tiles"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(QFileInfo::exists(web + QStringLiteral("/servercheck.txt")));
  const QString map = web + QStringLiteral("/maps/d");
  for (const char* file : {"index.html", "viewer.js", "eras.json", "eras.js", "ol/ol.js", "ol/LICENSE.md",
                           "tiles/E1900/tilejson.json", "tiles/E1930/11/1815/804.png"})
    EXPECT_TRUE(QFileInfo::exists(map + u'/' + QString::fromLatin1(file))) << file;
  EXPECT_EQ(test::readBytes(f.data.folder + QStringLiteral("/web_map.txt")),
            QByteArray("https://maps.example/k/maps/d/\r\n"));
  EXPECT_TRUE(run.out.contains("web map: 2 eras (2 composed), zoom 10-11")) << run.out.constData();
}

TEST(WebCommands, TilesAloneWriteOnlyTheMapAndCanBeRunAgain) {
  test::WebMapFixture f;
  QTemporaryDir out;
  const QStringList args{"publish", "--root", f.root.root(), "-o", out.path(), "--tiles"};
  test::ProgramRun run = test::runCli(args);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"maps"});
  EXPECT_FALSE(QFileInfo::exists(f.data.folder + QStringLiteral("/web_map.txt")));
  run = test::runCli(args);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.contains("(0 composed)")) << run.out.constData();
  EXPECT_TRUE(run.out.contains("0 tiles written")) << run.out.constData();
}

TEST(WebCommands, UsageErrorsLeaveEverythingAsItWas) {
  test::WebMapFixture f;
  QTemporaryDir out;
  const QString mine = out.path() + QStringLiteral("/mine.tif");
  test::writeBytes(mine, "mine");
  test::writeBytes(out.path() + QStringLiteral("/notes/a.txt"), "a note");
  const QString root = f.root.root();
  struct Case {
    QStringList args;
    const char* says;
  } cases[] = {
      {{"publish", "--root", root, "-o", out.path() + "/w", "--elevation", "--mirror", "http://a.example/"},
       "--elevation goes with --tiles"},
      {{"publish", "--root", root, "-o", out.path() + "/notes", "--tiles"}, "neither empty nor a web folder"},
      {{"export-era", "--root", root, "--era", "0", "--format", "png", "-o", out.path() + "/x.png"},
       "--format must be gpkg, mbtiles or cog"},
      {{"export-era", "--root", root, "--era", "0", "--format", "cog", "-o", mine}, "exists already"},
      {{"export-era", "--root", root, "--era", "9", "--format", "cog", "-o", out.path() + "/e.tif"},
       "--era must be an era index from 0 to 1"},
      {{"export-era", "--root", root, "--format", "gpkg", "-o", out.path() + "/e.gpkg"}, "--era I is required"},
  };
  for (const Case& c : cases) {
    const test::ProgramRun run = test::runCli(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.args.join(u' ').toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
  }
  EXPECT_EQ(test::readBytes(mine), QByteArray("mine"));
  EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"mine.tif", "notes"}));
}

TEST(WebCommands, ExportEraWritesAFileGdalinfoReads) {
  test::WebMapFixture f;
  QTemporaryDir out;
  const QString file = out.path() + QStringLiteral("/e1930.gpkg");
  const test::ProgramRun run =
      test::runCli({"export-era", "--root", f.root.root(), "--era", "1", "--format", "gpkg", "-o", file});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const test::ProgramRun info = test::runProgram(QStringLiteral("/usr/bin/gdalinfo"), {file});
  if (info.exitCode == -1) GTEST_SKIP() << "gdalinfo is not installed";
  EXPECT_EQ(info.exitCode, 0);
  EXPECT_TRUE(info.out.contains("Driver: GPKG")) << info.out.constData();
  EXPECT_TRUE(info.out.contains("Pseudo-Mercator")) << info.out.constData();
  // Nothing of the work is left beside the file.
  EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"e1930.gpkg"});
}
