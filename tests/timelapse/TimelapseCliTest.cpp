// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/Programs.h"
#include "timelapse/FilmFixture.h"
#include "timelapse/FilmReaders.h"

using namespace kavalo;
using kavalo::test::FilmFixture;

TEST(TimelapseCli, UsageErrorsAreStatusTwoAndWriteNothing) {
  FilmFixture f;
  const QStringList base = {"timelapse", "--root", f.root.root(), "-o", f.file("x.gif")};
  struct Case {
    QStringList extra;
    const char* mentions;
  } cases[] = {
      {{}, "--format"},
      {{"--format", "avi"}, "--format"},
      {{"--format", "gif", "--seconds", "2", "--fade", "2"}, "--fade"},
      {{"--format", "gif", "--fps", "0"}, "--fps"},
      {{"--format", "gif", "--eras", "0,9"}, "--eras"},
      {{"--format", "gif", "--eras", "0,x"}, "--eras"},
      {{"--format", "gif", "--label-corner", "middle"}, "--label-corner"},
      {{"--format", "gif", "--lossless"}, "--lossless"},
      {{"--format", "webp", "--crf", "20"}, "--crf"},
      {{"--format", "gif", "--layers", "tiles,legend"}, "legend"},
  };
  for (const Case& c : cases) {
    const test::ProgramRun run = test::runCli(base + c.extra);
    EXPECT_EQ(run.exitCode, 2) << c.extra.join(' ').toStdString() << "\n" << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(c.mentions)) << run.err.toStdString();
    EXPECT_TRUE(f.leftFiles().isEmpty());
  }
}

TEST(TimelapseCli, WritesTheFilmAndNamesTheErasLeftOut) {
  FilmFixture f;
  const test::ProgramRun run =
      test::runCli({"timelapse", "--root",           f.root.root(), "--size",    "300x200", "--center",
                    "200,160",   "--zoom",           "100",         "--seconds", "0.5",     "--fps",
                    "4",         "--label-corner",   "br",          "--format",  "webp",    "--lossless",
                    "-o",        f.file("film.webp")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  // The era list has four eras; the fourth has no map.
  EXPECT_TRUE(run.err.contains(f.label(3))) << run.err.toStdString();
  const test::DecodedFilm film = test::readWebpFilm(f.file("film.webp"));
  ASSERT_TRUE(film.ok) << film.error.toStdString();
  EXPECT_EQ(film.frames.size(), 3u);
  for (const test::FilmFrame& frame : film.frames) EXPECT_EQ(frame.durationMs, 500);
  EXPECT_EQ(f.leftFiles(), QStringList{"film.webp"});
}

TEST(TimelapseCli, NoEraWithAMapIsAFailure) {
  FilmFixture f;
  const test::ProgramRun run =
      test::runCli({"timelapse", "--root", f.root.root(), "--eras", "3", "--format", "gif", "-o", f.file("none.gif")});
  EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("none of the eras")) << run.err.toStdString();
  EXPECT_TRUE(f.leftFiles().isEmpty());
}
