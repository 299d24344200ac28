// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "output/GifFilmEncoder.h"
#include "output/TimelapseEras.h"
#include "timelapse/FilmFixture.h"
#include "timelapse/FilmReaders.h"

using namespace kavalo;
using kavalo::test::FilmFixture;

namespace {

// The era whose picture a decoded frame is nearest to, and how near.
int nearestEra(const FilmFixture& f, const QImage& frame, const std::vector<int>& eras, double* difference) {
  int best = -1;
  double least = 1e9;
  for (int era : eras) {
    const double d = test::meanDifference(frame, f.eraFrame(era));
    if (d < least) least = d, best = era;
  }
  if (difference) *difference = least;
  return best;
}

}  // namespace

TEST(FilmEras, AnEraIsLeftOutOnlyWhenNothingOfItsOwnIsUnderTheView) {
  FilmFixture f;
  QStringList leftOut;
  const std::vector<FilmEra> eras = f.filmEras({}, &leftOut);
  // E2000 has no tile anywhere.
  ASSERT_EQ(eras.size(), 3u);
  EXPECT_EQ(eras[0].eraIndex, 0);
  EXPECT_EQ(eras[2].eraIndex, 2);
  EXPECT_EQ(leftOut, QStringList{f.label(3)});

  // Centred on (100, 80), the view shows image x -50 to 250 and y -20 to
  // 180: tile (2, 0) lies in its top-right corner, tile (3, 3) outside.
  f.state.view.centerX = 100.0f;
  f.state.view.centerY = 80.0f;
  // One tile in the view's corner is enough, though the centre has none.
  test::writeSolidImage(f.eraFile("E2000", "002_000.png"), 100, 80, QColor(Qt::red));
  EXPECT_TRUE(eraHasDataInView(f.state, f.view(), 3));
  QFile::remove(f.eraFile("E2000", "002_000.png"));
  // A tile outside the view does not count.
  test::writeSolidImage(f.eraFile("E2000", "003_003.png"), 100, 80, QColor(Qt::red));
  EXPECT_FALSE(eraHasDataInView(f.state, f.view(), 3));
  // Chosen eras keep their order and may repeat.
  const std::vector<FilmEra> chosen = f.filmEras({2, 0, 0});
  ASSERT_EQ(chosen.size(), 3u);
  EXPECT_EQ(chosen[0].eraIndex, 2);
  EXPECT_EQ(chosen[1].eraIndex, 0);
}

TEST(FilmEras, AMaskedMapCountsWhereItsMaskLetsItShow) {
  FilmFixture f;
  f.data.tikeizuLines = {QStringLiteral("E1900,0,1900,1900,1,1,0,png")};
  f.data.write();
  f.solidTiles("E1900", [](int, int) { return qRgb(200, 40, 40); });
  // White masks everywhere: the map shows nowhere.
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col)
      test::writeSolidImage(
          f.eraFile("E1900", QStringLiteral("M_%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0'))),
          100, 80, QColor(Qt::white));
  ASSERT_TRUE(f.load());
  // The view of image x -50 to 250 and y -20 to 180 (see above).
  auto centre = [&f] {
    f.state.view.centerX = 100.0f;
    f.state.view.centerY = 80.0f;
  };
  centre();
  EXPECT_FALSE(eraHasDataInView(f.state, f.view(), 0));
  // A black patch of the mask of tile (2, 2), in the view's bottom-right part.
  QImage mask(100, 80, QImage::Format_RGB32);
  mask.fill(Qt::white);
  for (int y = 10; y < 14; ++y)
    for (int x = 10; x < 14; ++x) mask.setPixel(x, y, qRgb(0, 0, 0));
  ASSERT_TRUE(mask.save(f.eraFile("E1900", "M_002_002.png"), "PNG"));
  ASSERT_TRUE(f.load());
  centre();
  EXPECT_TRUE(eraHasDataInView(f.state, f.view(), 0));
  // The same patch on a tile outside the view does not count.
  ASSERT_TRUE(QFile::remove(f.eraFile("E1900", "M_002_002.png")));
  test::writeSolidImage(f.eraFile("E1900", "M_002_002.png"), 100, 80, QColor(Qt::white));
  ASSERT_TRUE(mask.save(f.eraFile("E1900", "M_003_003.png"), "PNG"));
  ASSERT_TRUE(f.load());
  centre();
  EXPECT_FALSE(eraHasDataInView(f.state, f.view(), 0));
}

TEST(Timelapse, WebpFramesDurationsAndLabelsAsDecoded) {
  FilmFixture f;
  struct Case {
    const char* what;
    std::vector<int> eras;
    std::vector<int> frameEras;  // the era each stored frame shows
    std::vector<int> durations;
  } cases[] = {
      {"three eras", {0, 1, 2}, {0, 1, 2}, {1000, 1000, 1000}},
      // The same era twice in a row under the same label: one frame of twice the time.
      {"a repeated era merges", {0, 1, 1, 2}, {0, 1, 2}, {1000, 2000, 1000}},
      // An era without a map is left out, its time with it.
      {"an empty era is left out", {0, 3, 2}, {0, 2}, {1000, 1000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TimelapseOptions o = f.film(FilmFormat::Webp, "a.webp", c.eras);
    o.lossless = true;
    const TimelapseResult result = f.make(o);
    ASSERT_EQ(result.outcome, TimelapseOutcome::Done) << result.error.toStdString();
    const test::DecodedFilm film = test::readWebpFilm(o.path);
    ASSERT_TRUE(film.ok) << film.error.toStdString();
    EXPECT_EQ(film.size, QSize(300, 200));
    EXPECT_EQ(film.loopCount, 0);
    ASSERT_EQ(film.frames.size(), c.frameEras.size());
    EXPECT_EQ(result.framesEncoded, static_cast<int>(c.frameEras.size()));
    for (size_t i = 0; i < film.frames.size(); ++i) {
      // Lossless: the very picture of the era with its own label.
      EXPECT_TRUE(film.frames[i].picture == f.eraFrame(c.frameEras[i])) << "frame " << i;
      EXPECT_EQ(film.frames[i].durationMs, c.durations[i]) << "frame " << i;
    }
  }
}

TEST(Timelapse, FadeStepsStandBetweenTwoErasInsideTheFirstOnesTime) {
  FilmFixture f;
  TimelapseOptions o = f.film(FilmFormat::Webp, "fade.webp", {0, 1});
  o.lossless = true;
  o.fade = 0.5;
  o.corner = LabelCorner::BottomRight;
  ASSERT_EQ(f.make(o).outcome, TimelapseOutcome::Done);
  const test::DecodedFilm film = test::readWebpFilm(o.path);
  ASSERT_TRUE(film.ok) << film.error.toStdString();
  // Era 0 alone for 0.5 s, five fade steps of 0.1 s, era 1 for its 1 s.
  ASSERT_EQ(film.frames.size(), 7u);
  const QImage a = f.eraFrame(0, LabelCorner::BottomRight), b = f.eraFrame(1, LabelCorner::BottomRight);
  EXPECT_TRUE(film.frames[0].picture == a);
  EXPECT_EQ(film.frames[0].durationMs, 500);
  QImage step;
  for (int s = 0; s < 5; ++s) {
    blendFrames(a, b, FilmPlan::fadeWeight(s, 5), step);
    EXPECT_TRUE(film.frames[static_cast<size_t>(1 + s)].picture == step) << "step " << s;
    EXPECT_EQ(film.frames[static_cast<size_t>(1 + s)].durationMs, 100);
  }
  EXPECT_TRUE(film.frames[6].picture == b);
  EXPECT_EQ(film.frames[6].durationMs, 1000);
}

TEST(Timelapse, GifHasAPaletteAndADelayPerFrame) {
  FilmFixture f;
  TimelapseOptions o = f.film(FilmFormat::Gif, "a.gif", {0, 1, 1, 2});
  o.seconds = 1.5;
  ASSERT_EQ(f.make(o).outcome, TimelapseOutcome::Done);
  const test::DecodedFilm film = test::readGifFilm(o.path);
  ASSERT_TRUE(film.ok) << film.error.toStdString();
  EXPECT_EQ(film.loopCount, 0);
  ASSERT_EQ(film.frames.size(), 3u);
  const int expectedEras[] = {0, 1, 2};
  const int expectedMs[] = {1500, 3000, 1500};
  for (size_t i = 0; i < 3; ++i) {
    double difference = 0;
    EXPECT_EQ(nearestEra(f, film.frames[i].picture, {0, 1, 2}, &difference), expectedEras[i]) << i;
    // The map's colours are kept; only shades along the letters move.
    EXPECT_LT(difference, 0.5) << i;
    EXPECT_EQ(film.frames[i].durationMs, expectedMs[i]) << i;
  }
}

TEST(Timelapse, GifOfManyColoursStaysCloseToTheMap) {
  // More than 256 colours: each frame gets its own reduced palette.
  IndexedFrame exact = paletteFrame([] {
    QImage few(64, 4, QImage::Format_RGB32);
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 4; ++y) few.setPixel(x, y, qRgb(x * 4, y * 60, 7));
    return few;
  }());
  EXPECT_EQ(exact.palette.size(), 256u);
  QImage many(256, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) many.setPixel(x, y, qRgb(x, y * 4, (x + y) % 256));
  const IndexedFrame reduced = paletteFrame(many);
  ASSERT_LE(reduced.palette.size(), 256u);
  ASSERT_EQ(reduced.pixels.size(), static_cast<size_t>(256 * 64));
  QImage back(many.size(), QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x)
      back.setPixel(x, y, reduced.palette[reduced.pixels[static_cast<size_t>(y * 256 + x)]]);
  EXPECT_LT(test::meanDifference(back, many), 12.0);
}

TEST(Timelapse, Mp4IsH264InYuv420pAtAConstantRate) {
  if (!test::haveFfmpeg()) GTEST_SKIP() << "ffmpeg and ffprobe are not installed (scripts/deps installs them)";
  FilmFixture f;
  struct Case {
    const char* what;
    QSize size;
    QSize expected;
  } cases[] = {
      {"the view's size", QSize(), QSize(300, 200)},
      {"an odd size is made even", QSize(301, 151), QSize(300, 150)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TimelapseOptions o = f.film(FilmFormat::Mp4, "a.mp4", {0, 1, 1, 2});
    o.size = c.size;
    o.fade = 0.3;
    const TimelapseResult result = f.make(o);
    ASSERT_EQ(result.outcome, TimelapseOutcome::Done) << result.error.toStdString();
    const test::Mp4Facts facts = test::probeMp4(o.path);
    ASSERT_TRUE(facts.ok) << facts.error.toStdString();
    EXPECT_EQ(facts.codec, "h264");
    EXPECT_EQ(facts.pixelFormat, "yuv420p");
    EXPECT_EQ(QSize(facts.width, facts.height), c.expected);
    EXPECT_EQ(facts.frameRate, "10/1");
    // Every frame time is a frame: four eras of ten.
    EXPECT_EQ(facts.frames, 40);
    EXPECT_NEAR(facts.seconds, 4.0, 0.05);
    if (c.size.isValid()) continue;
    // The middle of each era's own time shows that era.
    const int middles[] = {3, 13, 23, 33};
    const int eras[] = {0, 1, 1, 2};
    for (int i = 0; i < 4; ++i) {
      const QImage frame = test::mp4Frame(o.path, middles[i], c.expected);
      ASSERT_FALSE(frame.isNull()) << middles[i];
      double difference = 0;
      EXPECT_EQ(nearestEra(f, frame, {0, 1, 2}, &difference), eras[i]) << middles[i];
      EXPECT_LT(difference, 4.0) << middles[i];
    }
  }
}

TEST(Timelapse, CancelAndFailureLeaveNoFileAndTheOldOneAsItWas) {
  FilmFixture f;
  struct Case {
    const char* what;
    FilmFormat format;
    int cancelAfter;  // progress calls before cancelling; -1 never
    const char* ffmpeg;
    TimelapseOutcome outcome;
  } cases[] = {
      {"webp cancelled at once", FilmFormat::Webp, 0, nullptr, TimelapseOutcome::Cancelled},
      {"webp cancelled halfway", FilmFormat::Webp, 3, nullptr, TimelapseOutcome::Cancelled},
      {"gif cancelled halfway", FilmFormat::Gif, 3, nullptr, TimelapseOutcome::Cancelled},
      {"mp4 cancelled halfway", FilmFormat::Mp4, 3, nullptr, TimelapseOutcome::Cancelled},
      {"mp4 without its encoder", FilmFormat::Mp4, -1, "/nonexistent/ffmpeg", TimelapseOutcome::Failed},
      // An encoder that fails at once: its file must not be taken for the film.
      {"mp4 encoder failing", FilmFormat::Mp4, -1, "/bin/false", TimelapseOutcome::Failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.format == FilmFormat::Mp4 && !c.ffmpeg && !test::haveFfmpeg()) continue;
    const QString path = f.file("old." + filmExtension(c.format));
    test::writeBytes(path, "the user's old film");
    if (c.ffmpeg) qputenv("KAVALO_FFMPEG", c.ffmpeg);
    int calls = 0;
    TimelapseOptions o = f.film(c.format, "old." + filmExtension(c.format), {0, 1, 2});
    const TimelapseResult result = f.make(o, [&](int, int) { return c.cancelAfter < 0 || calls++ < c.cancelAfter; });
    qunsetenv("KAVALO_FFMPEG");
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(c.outcome == TimelapseOutcome::Failed, !result.error.isEmpty());
    EXPECT_EQ(test::readBytes(path), QByteArray("the user's old film"));
    EXPECT_EQ(f.leftFiles(), QStringList{QFileInfo(path).fileName()});
    QFile::remove(path);
  }
}

TEST(Timelapse, NothingToFilmOrNowhereToWriteIsAFailureWithItsReason) {
  FilmFixture f;
  TimelapseOptions o = f.film(FilmFormat::Gif, "none.gif", {3});
  TimelapseResult result = f.make(o);
  EXPECT_EQ(result.outcome, TimelapseOutcome::Failed);
  EXPECT_TRUE(result.error.contains("none of the eras")) << result.error.toStdString();
  EXPECT_EQ(result.leftOut, QStringList{f.label(3)});
  o = f.film(FilmFormat::Gif, "missing-folder/a.gif", {0});
  result = f.make(o);
  EXPECT_EQ(result.outcome, TimelapseOutcome::Failed);
  EXPECT_TRUE(result.error.contains("cannot be written")) << result.error.toStdString();
  EXPECT_TRUE(f.leftFiles().isEmpty());
}
