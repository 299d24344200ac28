// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "elevation/Credits.h"
#include "model/CompareSettings.h"
#include "model/EraSources.h"
#include "render/CompareComposer.h"
#include "render/Coverage.h"
#include "render/RenderFixture.h"

using namespace kavalo;
using test::tileColour;

namespace {

QRgb colourB(int col, int row) { return qRgb(10 * col, 10 * row, 90); }

// Two eras of solid tiles over white (no elevation colours, no overlays), so
// that every pixel names the tile (col, row) of its era.
struct TwoEras : test::RenderFixture {
  TwoEras() {
    data.write();
    solidTiles(QStringLiteral("E1900"), tileColour);
    solidTiles(QStringLiteral("E1930"), colourB);
    load();
    state.view.showAltitude = false;
  }
  QImage single(int era) {
    const int shown = state.view.eraIndex;
    state.view.eraIndex = era;
    QImage picture = compose().copy();
    state.view.eraIndex = shown;
    return picture;
  }
  ViewRequest panes() const { return request(RenderPass::ComparePane); }
  QImage frame(const CompareView& view) {
    CompareComposer composer;
    PrintGazoCompare(state, panes(), view, composer, picture);
    return picture;
  }
};

// The tile under a view position of a view of the given width (centre
// (200, 160), 100 %, one image pixel per view pixel).
QPoint tileAt(double x, double y, int width, int height) {
  const double ix = 200.0 + x - width / 2.0, iy = 160.0 + y - height / 2.0;
  return QPoint(static_cast<int>(std::floor(ix / 100)), static_cast<int>(std::floor(iy / 80)));
}

}  // namespace

TEST(ComparePanes, EqualPanesAroundADividerForOddAndEvenWidths) {
  struct Case {
    int width;
    int pane;
    int divider;
  };
  for (const Case c : {Case{300, 149, 2}, Case{301, 150, 1}, Case{3, 1, 1}, Case{4, 1, 2}, Case{1921, 960, 1}}) {
    const SidePanes p = sideBySidePanes(c.width, 50);
    EXPECT_EQ(p.left.width(), c.pane) << c.width;
    EXPECT_EQ(p.right.width(), c.pane) << c.width;
    EXPECT_EQ(p.divider.width(), c.divider) << c.width;
    EXPECT_EQ(p.left.right() + 1, p.divider.left()) << c.width;
    EXPECT_EQ(p.divider.right() + 1, p.right.left()) << c.width;
    EXPECT_EQ(p.right.right(), c.width - 1) << c.width;
  }
  EXPECT_TRUE(sideBySidePanes(2, 50).left.isEmpty());

  const SidePanes p = sideBySidePanes(301, 50);
  QPointF local;
  EXPECT_EQ(paneAt(p, QPointF(10.5, 7), &local), 0);
  EXPECT_EQ(local, QPointF(10.5, 7));
  EXPECT_EQ(paneAt(p, QPointF(150.2, 7)), -1);  // the divider
  EXPECT_EQ(paneAt(p, QPointF(161.5, 7), &local), 1);
  EXPECT_EQ(local, QPointF(10.5, 7));
  EXPECT_EQ(paneAt(p, QPointF(-1, 7)), -1);
  EXPECT_EQ(paneAt(p, QPointF(301, 7)), -1);

  // The divider stays inside the view.
  EXPECT_EQ(clampSplit(-5, 300), 0);
  EXPECT_EQ(clampSplit(0, 300), 0);
  EXPECT_EQ(clampSplit(300, 300), 300);
  EXPECT_EQ(clampSplit(999, 300), 300);

  // A lens partly outside the view keeps only its pixels inside, row by row.
  const QRegion inside = lensRegion(QPoint(5, 5), 10, QSize(300, 200));
  EXPECT_EQ(inside.boundingRect(), QRect(0, 0, 16, 16));
  EXPECT_TRUE(inside.contains(QPoint(15, 5)));
  EXPECT_FALSE(inside.contains(QPoint(14, 14)));  // beyond the circle
  EXPECT_TRUE(lensRegion(QPoint(-50, -50), 10, QSize(300, 200)).isEmpty());
  EXPECT_EQ(lensRegion(QPoint(150, 100), 10, QSize(300, 200)).boundingRect(), QRect(140, 90, 21, 21));
}

TEST(CompareFrames, BothPanesShowTheSamePlace) {
  TwoEras f;
  CompareView view;
  view.eraB = 1;
  view.mode = CompareMode::Side;
  const QImage p = f.frame(view);
  const SidePanes panes = sideBySidePanes(300, 200);
  // Points in each pane, near both edges and the centre: era A's tile on the
  // left, era B's tile of the same place at the same pane position.
  for (const QPoint local : {QPoint(3, 3), QPoint(74, 100), QPoint(140, 190), QPoint(60, 30)}) {
    const QPoint tile = tileAt(local.x() + 0.5, local.y() + 0.5, panes.left.width(), 200);
    EXPECT_EQ(p.pixel(panes.left.topLeft() + local), tileColour(tile.x(), tile.y())) << local.x() << "," << local.y();
    EXPECT_EQ(p.pixel(panes.right.topLeft() + local), colourB(tile.x(), tile.y())) << local.x() << "," << local.y();
  }
  EXPECT_EQ(p.pixel(panes.divider.topLeft()), qRgb(0x40, 0x40, 0x40));
  // The session's view is untouched.
  EXPECT_EQ(f.state.view.eraIndex, 0);
  EXPECT_EQ(p.size(), QSize(300, 200));

  // The cursor in one pane shows as a cross-hair in the other, at the same place.
  view.cursor = QPoint(40, 50);
  CompareComposer composer;
  composer.compose(f.state, f.panes(), view);
  QImage frame;
  ASSERT_TRUE(composer.makeFrame(f.state, f.panes(), view, frame));
  EXPECT_EQ(frame.pixel(panes.right.x() + 40, 50), qRgb(0xE0, 0, 0));
  EXPECT_EQ(frame.pixel(40, 50), p.pixel(40, 50));
}

TEST(CompareFrames, SwipeLensAndBlendAreMadeOfTheTwoSingleViews) {
  TwoEras f;
  const QImage a = f.single(0), b = f.single(1);
  auto mixed = [](QRgb x, QRgb y, int w) {
    auto ch = [&](int p, int q) { return (p * (256 - w) + q * w + 128) >> 8; };
    return qRgb(ch(qRed(x), qRed(y)), ch(qGreen(x), qGreen(y)), ch(qBlue(x), qBlue(y)));
  };
  struct Case {
    CompareMode mode;
    int split;
    QPoint lens;
    int opacity;
    QPoint at;
    QRgb expected;
  };
  const Case cases[] = {
      {CompareMode::Swipe, 120, {}, 0, {60, 100}, a.pixel(60, 100)},
      {CompareMode::Swipe, 120, {}, 0, {200, 100}, b.pixel(200, 100)},
      {CompareMode::Swipe, 0, {}, 0, {0, 10}, b.pixel(0, 10)},        // divider at the left edge: all B
      {CompareMode::Swipe, 300, {}, 0, {299, 10}, a.pixel(299, 10)},  // at the right edge: all A
      {CompareMode::Lens, 0, {10, 10}, 0, {0, 0}, b.pixel(0, 0)},     // a lens partly outside
      {CompareMode::Lens, 0, {10, 10}, 0, {200, 150}, a.pixel(200, 150)},
      {CompareMode::Blend, 0, {}, 0, {60, 100}, a.pixel(60, 100)},
      {CompareMode::Blend, 0, {}, 100, {60, 100}, b.pixel(60, 100)},
      {CompareMode::Blend, 0, {}, 50, {60, 100}, mixed(a.pixel(60, 100), b.pixel(60, 100), 128)},
  };
  for (const Case& c : cases) {
    CompareView view;
    view.eraB = 1;
    view.mode = c.mode;
    view.split = c.split;
    view.lens = c.lens;
    view.lensRadius = 40;
    view.opacity = c.opacity;
    EXPECT_EQ(f.frame(view).pixel(c.at), c.expected) << compareModeName(c.mode).toStdString() << " at " << c.at.x();
  }
  // A new frame from the composed pictures follows the divider without
  // composing again.
  CompareView view;
  view.eraB = 1;
  view.mode = CompareMode::Swipe;
  view.split = 250;
  CompareComposer composer;
  composer.compose(f.state, f.panes(), view);
  view.split = 50;
  QImage frame;
  ASSERT_TRUE(composer.makeFrame(f.state, f.panes(), view, frame));
  EXPECT_EQ(frame.pixel(100, 100), b.pixel(100, 100));
  // Near the divider a window onto the other era opens at the pointer; far
  // from it, or on the divider's grip, none.
  struct Peephole {
    QPoint cursor;
    QPoint at;
    QRgb expected;
  };
  const Peephole peepholes[] = {
      {{30, 100}, {15, 85}, b.pixel(15, 85)},     // era A's half, 20 px from the divider: B shows
      {{80, 100}, {95, 115}, a.pixel(95, 115)},   // era B's half: A shows
      {{30, 100}, {30, 100}, qRgb(0xE0, 0, 0)},   // the cross at the pointer
      {{30, 100}, {30, 140}, a.pixel(30, 140)},   // outside the window
      {{53, 100}, {38, 85}, a.pixel(38, 85)},     // on the grip
      {{200, 100}, {185, 85}, b.pixel(185, 85)},  // far from the divider: B's own
      {{10, 100}, {0, 85}, b.pixel(0, 85)},       // a window cut by the view's edge
  };
  for (const Peephole& c : peepholes) {
    view.cursor = c.cursor;
    ASSERT_TRUE(composer.makeFrame(f.state, f.panes(), view, frame));
    EXPECT_EQ(frame.pixel(c.at), c.expected) << c.cursor.x() << " at " << c.at.x() << "," << c.at.y();
  }
  view.cursor.reset();
  view.mode = CompareMode::Side;  // composed for another mode
  EXPECT_FALSE(composer.makeFrame(f.state, f.panes(), view, frame));
}

TEST(CompareFrames, SwipeGivesEachEraItsCreditsInItsOwnHalf) {
  TwoEras f;
  CompareView view;
  view.eraB = 1;
  view.mode = CompareMode::Swipe;
  view.split = 150;
  CompareComposer composer;
  composer.compose(f.state, f.panes(), view);
  // Era B comes from a tile service with a credit of its own.
  Era& b = f.state.eras[1];
  b.kind = kXyzMap;
  b.attribution = QStringLiteral("(C) 比較の時期");
  ASSERT_NE(creditLines(b, f.state.mapInfo.approval, false),
            creditLines(f.state.eras[0], f.state.mapInfo.approval, false));
  QImage frame;
  ASSERT_TRUE(composer.makeFrame(f.state, f.panes(), view, frame));
  // The credits' white letters (drawn smooth: nearly white), counted in a
  // part of the frame.
  auto letters = [&](const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) {
        const QRgb c = frame.pixel(x, y);
        n += std::min({qRed(c), qGreen(c), qBlue(c)}) >= 200;  // no tile of either era is this light
      }
    return n;
  };
  const int h = frame.height();
  EXPECT_GT(letters(QRect(151, h - 60, 149, 60)), 20);  // in era B's half
  EXPECT_EQ(letters(QRect(0, 0, 149, h - 60)), 0);      // nothing of B's stacked over A's
  // Moved to the left edge, the divider leaves era B the whole view.
  view.split = 0;
  ASSERT_TRUE(composer.makeFrame(f.state, f.panes(), view, frame));
  EXPECT_GT(letters(QRect(0, h - 60, 150, 60)), 20);
}

TEST(Coverage, OwnBorrowedAndMissingSheetsAtAPlace) {
  test::RenderFixture f;
  f.data.write();
  // E1930 (history column 2): sheet (0, 0) borrows E1900's, sheet (1, 0) is
  // its own, sheet (0, 1) has none.
  QString text;
  for (int sr = 0; sr < 2; ++sr)
    for (int hc = 0; hc < 3; ++hc) {
      QStringList fields;
      for (int sc = 0; sc < 2; ++sc) {
        if (hc < 2)
          fields << QStringLiteral("版") << QString();
        else if (sr == 0 && sc == 0)
          fields << QString() << QStringLiteral("-1");
        else if (sr == 0)
          fields << QStringLiteral("昭和") << QString();
        else
          fields << QString() << QString();
      }
      text += fields.join(u',') + u'\n';
    }
  test::writeSjis(f.data.folder + QStringLiteral("/図歴.csv"), text);
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  f.solidTiles(QStringLiteral("E1930"), colourB);
  ASSERT_TRUE(f.load());
  // Sheets are 2 x 2 tiles of 100 x 80: sheet (0, 0) spans x 0-199, y 0-159.
  struct Case {
    float x, y;
    SheetCoverage e1900, e1930;
  };
  for (const Case c :
       {Case{50, 50, SheetCoverage::Own, SheetCoverage::Borrowed},
        Case{250, 50, SheetCoverage::Own, SheetCoverage::Own}, Case{50, 250, SheetCoverage::Own, SheetCoverage::None},
        Case{-10, 50, SheetCoverage::None, SheetCoverage::None}}) {
    EXPECT_EQ(coverageAt(f.state, 0, c.x, c.y), c.e1900) << c.x << "," << c.y;
    EXPECT_EQ(coverageAt(f.state, 1, c.x, c.y), c.e1930) << c.x << "," << c.y;
  }
  // A file missing on disk is no cover; the strip follows the view's centre.
  QFile::remove(f.eraFile(QStringLiteral("E1930"), QStringLiteral("002_000.png")));
  EXPECT_EQ(coverageAt(f.state, 1, 250, 50), SheetCoverage::None);
  f.state.view.centerX = 50;
  f.state.view.centerY = 50;
  EXPECT_EQ(listedCoverage(f.state), (std::vector<SheetCoverage>{SheetCoverage::Own, SheetCoverage::Borrowed}));
}

TEST(CompareSettings, SurviveARestartAndBadFilesGiveDefaults) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("KAVALO_compare.ini"));
  CompareSettings s;
  s.on = true;
  s.mode = CompareMode::Lens;
  s.eraB = 4;
  s.splitPermille = 250;
  s.lensRadius = 90;
  s.opacity = 35;
  s.cacheMiB = 64;
  ASSERT_TRUE(writeCompareSettings(path, s));
  const CompareSettings r = readCompareSettings(path);
  EXPECT_TRUE(r.on);
  EXPECT_EQ(r.mode, CompareMode::Lens);
  EXPECT_EQ(r.eraB, 4);
  EXPECT_EQ(r.splitPermille, 250);
  EXPECT_EQ(r.lensRadius, 90);
  EXPECT_EQ(r.opacity, 35);
  EXPECT_EQ(r.cacheMiB, 64);

  // Cut short after the mode, and values out of range: the rest are defaults.
  test::writeSjis(path, QStringLiteral(" 1 \r\n 3 \r\n"));
  const CompareSettings cut = readCompareSettings(path);
  EXPECT_TRUE(cut.on);
  EXPECT_EQ(cut.mode, CompareMode::Blend);
  EXPECT_EQ(cut.opacity, CompareSettings().opacity);
  test::writeSjis(path, QStringLiteral(" 7 \r\n 9 \r\n-1 \r\n 5000 \r\n 2 \r\n 101 \r\n-3 \r\n"));
  const CompareSettings bad = readCompareSettings(path);
  const CompareSettings d;
  EXPECT_EQ(bad.on, d.on);
  EXPECT_EQ(bad.mode, d.mode);
  EXPECT_EQ(bad.eraB, d.eraB);
  EXPECT_EQ(bad.splitPermille, d.splitPermille);
  EXPECT_EQ(bad.lensRadius, d.lensRadius);
  EXPECT_EQ(bad.opacity, d.opacity);
  EXPECT_EQ(bad.cacheMiB, d.cacheMiB);

  // Bytes that are no Shift-JIS text: defaults, and the file is reported so
  // that it is not written over at exit.
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(" 1 \r\n\x82\r\n", 8));
  }
  bool unreadable = false;
  const CompareSettings broken = readCompareSettings(path, &unreadable);
  EXPECT_TRUE(unreadable);
  EXPECT_EQ(broken.on, d.on);
  readCompareSettings(dir.filePath(QStringLiteral("absent.ini")), &unreadable);
  EXPECT_FALSE(unreadable);
}
