// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QImage>

#include "geo/Navigation.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

MapInfo gridInfo() { return test::smallGridInfo(); }

// Image pixels per screen pixel at 100 % for 96 dpi and 160 image pixels per
// 370 mm sheet: (25.4 / 96) / (370 / 160).
constexpr double kImagePerScreen = (25.4 / 96.0) / (370.0 / 160.0);

Viewport viewOf(const MapInfo& m, float cx, float cy, int zoom, int w, int h) {
  const double mm = 25.4 / 96.0;
  return Viewport(&m, computeScaleFactors(m, mm, mm), cx, cy, zoom, w, h);
}

QImage numbered(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x, y, 7));
  return img;
}

}  // namespace

TEST(NavigationZoom, StepsGoFromTheTruncatedZoom) {
  EXPECT_EQ(truncatedZoom(110), 100);
  EXPECT_EQ(truncatedZoom(125), 125);
  EXPECT_EQ(steppedZoom(110, false, true, 50, 400), 125);
  EXPECT_EQ(steppedZoom(110, true, false, 50, 400), 75);
  EXPECT_EQ(steppedZoom(399, true, false, 50, 400), 350);
  // Both at once: out first, then in, from the truncated value.
  EXPECT_EQ(steppedZoom(110, true, true, 50, 400), 100);
  // Neither: the zoom is only truncated.
  EXPECT_EQ(steppedZoom(110, false, false, 50, 400), 100);
}

TEST(NavigationZoom, StepsStopAtTheSliderEnds) {
  EXPECT_EQ(steppedZoom(50, true, false, 50, 400), 50);
  EXPECT_EQ(steppedZoom(60, true, false, 50, 400), 50);
  EXPECT_EQ(steppedZoom(400, false, true, 50, 400), 400);
  EXPECT_EQ(steppedZoom(400, true, false, 50, 400), 375);
  EXPECT_EQ(steppedZoom(390, false, true, 50, 400), 400);
  for (int z = 50; z <= 400; ++z) {
    for (int mode = 0; mode < 4; ++mode) {
      const int r = steppedZoom(z, mode & 1, mode & 2, 50, 400);
      ASSERT_GE(r, 50) << z;
      ASSERT_LE(r, 400) << z;
    }
  }
}

TEST(NavigationEras, StepsWrapAtBothEndsOfTheList) {
  EXPECT_EQ(steppedEraPosition(0, -1, 4), 3);
  EXPECT_EQ(steppedEraPosition(3, 1, 4), 0);
  EXPECT_EQ(steppedEraPosition(1, -1, 4), 0);
  EXPECT_EQ(steppedEraPosition(1, 1, 4), 2);
  // One listed era: every step stays on it, also from the slider's empty
  // second position.
  EXPECT_EQ(steppedEraPosition(0, -1, 1), 0);
  EXPECT_EQ(steppedEraPosition(0, 1, 1), 0);
  EXPECT_EQ(steppedEraPosition(1, 1, 1), 0);
  EXPECT_EQ(steppedEraPosition(1, -1, 1), 0);
  // Nothing listed: nowhere to go.
  EXPECT_EQ(steppedEraPosition(0, 1, 0), 0);
  EXPECT_EQ(steppedEraPosition(0, -1, 0), 0);
}

TEST(NavigationDrag, TheOffsetIsRoundedHalfToEven) {
  EXPECT_EQ(dragOffset(ViewPoint{10, 10}, ViewPoint{12.5f, 13.5f}), QPoint(2, 4));
  EXPECT_EQ(dragOffset(ViewPoint{10, 10}, ViewPoint{9.5f, 10.4f}), QPoint(0, 0));
  EXPECT_EQ(dragOffset(ViewPoint{10, 10}, ViewPoint{8.5f, 4.0f}), QPoint(-2, -6));
}

TEST(NavigationDrag, ThePointUnderThePressStaysUnderThePointer) {
  const MapInfo m = gridInfo();
  const ViewPoint press{300.0f, 200.0f};
  for (int zoom : {50, 100, 275, 400}) {
    const Viewport before = viewOf(m, 640.0f, 330.0f, zoom, 700, 500);
    const ImagePoint grabbed = before.ScreenToImage(press.x, press.y);
    for (ViewPoint now : {ViewPoint{340.0f, 180.0f}, ViewPoint{12.0f, 480.0f}, ViewPoint{300.0f, 200.0f}}) {
      const ImagePoint c = draggedCentre(ImagePoint{640.0f, 330.0f}, press, now, before);
      const Viewport after = viewOf(m, c.x, c.y, zoom, 700, 500);
      const ImagePoint under = after.ScreenToImage(now.x, now.y);
      EXPECT_NEAR(under.x, grabbed.x, 1e-3) << zoom;
      EXPECT_NEAR(under.y, grabbed.y, 1e-3) << zoom;
    }
  }
  // Moving the pointer right moves the centre west.
  const ImagePoint c = draggedCentre(ImagePoint{640.0f, 330.0f}, press, ViewPoint{400.0f, 200.0f},
                                     viewOf(m, 640.0f, 330.0f, 100, 700, 500));
  EXPECT_NEAR(c.x, 640.0 - 100 * kImagePerScreen, 1e-3);
  EXPECT_EQ(c.y, 330.0f);
}

TEST(NavigationDrag, TheSnapshotMovesUnderThePointerCutToTheView) {
  const QImage snap = numbered(40, 30);
  for (QPoint offset : {QPoint(5, -3), QPoint(-7, 4), QPoint(0, 0), QPoint(39, 29)}) {
    QImage view(40, 30, QImage::Format_RGB32);
    view.fill(Qt::white);
    moveSnapshot(view, snap, offset);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        const QPoint from(x - offset.x(), y - offset.y());
        const QRgb expected = snap.rect().contains(from) ? snap.pixel(from) : qRgb(255, 255, 255);
        ASSERT_EQ(view.pixel(x, y), expected) << x << "," << y << " offset " << offset.x() << "," << offset.y();
      }
    }
  }
  // An offset beyond the view leaves it untouched.
  QImage view(40, 30, QImage::Format_RGB32);
  view.fill(Qt::white);
  moveSnapshot(view, snap, QPoint(40, 0));
  moveSnapshot(view, snap, QPoint(0, -30));
  EXPECT_EQ(view.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(view.pixel(39, 29), qRgb(255, 255, 255));
}

TEST(NavigationDrag, ASnapshotSharingTheViewsPixelsIsCopiedNotSmeared) {
  // The snapshot may be a shallow copy of the view; writing the view must not
  // read pixels it has already moved.
  QImage view = numbered(40, 30);
  const QImage snap = view;
  moveSnapshot(view, snap, QPoint(3, 2));
  EXPECT_EQ(view.pixel(3, 2), qRgb(0, 0, 7));
  EXPECT_EQ(view.pixel(39, 29), qRgb(36, 27, 7));
  EXPECT_EQ(snap.pixel(3, 2), qRgb(3, 2, 7));
}

TEST(NavigationDrag, ASnapshotOfAnotherFormatIsConverted) {
  QImage snap(10, 10, QImage::Format_ARGB32);
  snap.fill(qRgb(10, 20, 30));
  QImage view(10, 10, QImage::Format_RGB32);
  view.fill(Qt::white);
  moveSnapshot(view, snap, QPoint(4, 0));
  EXPECT_EQ(view.pixel(3, 5), qRgb(255, 255, 255));
  EXPECT_EQ(view.pixel(4, 5), qRgb(10, 20, 30));
}
