// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "output/FilmEncoder.h"
#include "output/TimelapseFrames.h"
#include "output/TimelapsePlan.h"

using namespace kavalo;

TEST(FilmPlan, EachEraHoldsItsTimeWithItsFadeInside) {
  struct Case {
    int eras;
    double seconds, fade;
    int fps;
    int total;
    std::vector<int> starts, fades, holds;
  } cases[] = {
      // The benchmark's film: 2 s per era, 0.5 s fade, 30 fps.
      {3, 2.0, 0.5, 30, 180, {0, 60, 120}, {15, 15, 0}, {45, 45, 60}},
      {3, 2.0, 0.0, 30, 180, {0, 60, 120}, {0, 0, 0}, {60, 60, 60}},
      // 2.5 frames an era: the starts round, the film keeps its length.
      {3, 0.5, 0.0, 5, 8, {0, 2, 5}, {0, 0, 0}, {2, 3, 3}},
      // A fade as long as an era still leaves the era one frame of its own.
      {2, 1.0, 0.99, 4, 8, {0, 4}, {3, 0}, {1, 4}},
      {1, 2.0, 0.5, 30, 60, {0}, {0}, {60}},
  };
  for (const Case& c : cases) {
    const FilmPlan plan(c.eras, c.seconds, c.fade, c.fps);
    SCOPED_TRACE(testing::Message() << c.eras << " eras, " << c.seconds << " s, fade " << c.fade << ", " << c.fps);
    EXPECT_EQ(plan.totalFrames(), c.total);
    int sum = 0;
    for (int i = 0; i < c.eras; ++i) {
      EXPECT_EQ(plan.eraStart(i), c.starts[static_cast<size_t>(i)]) << i;
      EXPECT_EQ(plan.fadeFrames(i), c.fades[static_cast<size_t>(i)]) << i;
      EXPECT_EQ(plan.holdFrames(i), c.holds[static_cast<size_t>(i)]) << i;
      sum += plan.holdFrames(i) + plan.fadeFrames(i);
    }
    EXPECT_EQ(sum, c.total);
  }
}

TEST(FilmPlan, FadeStepsLieStrictlyBetweenTheEras) {
  EXPECT_EQ(FilmPlan::fadeWeight(0, 1), 128);
  const int expected[] = {64, 128, 192};
  for (int s = 0; s < 3; ++s) EXPECT_EQ(FilmPlan::fadeWeight(s, 3), expected[s]);
  for (int s = 0; s < 15; ++s) {
    EXPECT_GT(FilmPlan::fadeWeight(s, 15), 0);
    EXPECT_LT(FilmPlan::fadeWeight(s, 15), 256);
  }
}

TEST(FilmPlan, FrameTimesAddUpWithoutDrift) {
  // 30 fps: 33 or 34 ms a frame, never drifting from the film's length.
  const FrameClock clock(30);
  EXPECT_EQ(clock.ms(1), 33);
  EXPECT_EQ(clock.ms(2), 67);
  EXPECT_EQ(clock.ms(540), 18000);
  EXPECT_EQ(clock.centiseconds(15), 50);
  EXPECT_EQ(clock.centiseconds(1), 3);
  qint64 sum = 0;
  for (int k = 0; k < 540; ++k) sum += clock.ms(k + 1) - clock.ms(k);
  EXPECT_EQ(sum, 18000);
}

TEST(FilmOptions, RefusedValuesSayWhy) {
  struct Case {
    const char* what;
    void (*change)(TimelapseOptions&);
    const char* mentions;
  } cases[] = {
      {"no time", [](TimelapseOptions& o) { o.seconds = 0; }, "--seconds"},
      {"too long", [](TimelapseOptions& o) { o.seconds = 61; }, "--seconds"},
      {"fade as long as the era", [](TimelapseOptions& o) { o.fade = 2.0; }, "--fade"},
      {"negative fade", [](TimelapseOptions& o) { o.fade = -0.5; }, "--fade"},
      {"no frames", [](TimelapseOptions& o) { o.fps = 0; }, "--fps"},
      {"too many frames", [](TimelapseOptions& o) { o.fps = 61; }, "--fps"},
      {"too many for a GIF", [](TimelapseOptions& o) { o.format = FilmFormat::Gif, o.fps = 60; }, "GIF"},
      {"shorter than a frame", [](TimelapseOptions& o) { o.seconds = 0.01, o.fps = 10; }, "one frame"},
      {"tiny", [](TimelapseOptions& o) { o.size = QSize(8, 8); }, "size"},
      {"rate factor", [](TimelapseOptions& o) { o.crf = 52; }, "rate factor"},
  };
  EXPECT_EQ(checkTimelapseOptions(TimelapseOptions()), QString());
  for (const Case& c : cases) {
    TimelapseOptions o;
    c.change(o);
    EXPECT_TRUE(checkTimelapseOptions(o).contains(QString::fromUtf8(c.mentions))) << c.what;
  }
}

TEST(FilmFrames, BlendWeighsEachChannel) {
  QImage a(3, 1, QImage::Format_RGB32), b(3, 1, QImage::Format_RGB32), out;
  a.fill(qRgb(0, 100, 200));
  b.fill(qRgb(255, 50, 0));
  struct Case {
    int weight;
    QRgb expected;
  } cases[] = {
      {0, qRgb(0, 100, 200)},
      {256, qRgb(255, 50, 0)},
      {128, qRgb(128, 75, 100)},
      {64, qRgb(64, 88, 150)},
  };
  for (const Case& c : cases) {
    blendFrames(a, b, c.weight, out);
    ASSERT_EQ(out.size(), a.size());
    for (int x = 0; x < 3; ++x) EXPECT_EQ(out.pixel(x, 0), c.expected) << c.weight;
  }
  EXPECT_FALSE(samePixels(a, b));
  blendFrames(a, b, 0, out);
  EXPECT_TRUE(samePixels(a, out));
}

TEST(FilmFrames, TheLabelStaysInTheCornerChosen) {
  const QSize size(640, 360);
  QImage blank(size, QImage::Format_RGB32);
  blank.fill(qRgb(10, 120, 60));
  struct Case {
    LabelCorner corner;
    bool right, bottom;
  } cases[] = {
      {LabelCorner::TopLeft, false, false},
      {LabelCorner::TopRight, true, false},
      {LabelCorner::BottomLeft, false, true},
      {LabelCorner::BottomRight, true, true},
  };
  const QString text = QStringLiteral("昭和49-53年");
  for (const Case& c : cases) {
    const QRect box = filmLabelRect(size, text, c.corner);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_EQ(c.right, box.center().x() > size.width() / 2);
    EXPECT_EQ(c.bottom, box.center().y() > size.height() / 2);
    EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(box));
    QImage frame = blank.copy();
    drawFilmLabel(frame, text, c.corner);
    int changedInside = 0, changedOutside = 0;
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x)
        if (frame.pixel(x, y) != blank.pixel(x, y)) ++(box.contains(x, y) ? changedInside : changedOutside);
    EXPECT_EQ(changedOutside, 0);
    // The box and the text both show.
    EXPECT_GT(changedInside, box.width() * box.height() / 2);
  }
  // A readable size: at least 4 % of the shorter side.
  EXPECT_GE(filmLabelPixelSize(QSize(1920, 1080)), 43);
  QImage frame = blank.copy();
  drawFilmLabel(frame, text, LabelCorner::None);
  EXPECT_EQ(frame, blank);
}
