// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "model/Marks.h"
#include "model/ProgramState.h"
#include "platform/Codec.h"
#include "render/ComposeContext.h"
#include "render/MarkDrawing.h"
#include "render/MarkHitTest.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

Mark mark(float lat, float lon, const QString& name) { return Mark{lat, lon, name}; }

// A loaded 4 x 4 tile dataset (tiles 100 x 80) shown at 100 % in a view of
// the given size, centred on the mosaic.
struct MarkScene {
  ProgramState state;

  explicit MarkScene(int width = 400, int height = 300) {
    MapInfo& m = state.mapInfo;
    m.tileWidth = 100;
    m.tileHeight = 80;
    m.sheetsX = 2;
    m.sheetsY = 2;
    m.tilesPerSheetX = 2;
    m.tilesPerSheetY = 2;
    m.west = 139.0f;
    m.north = 36.0f;
    m.frame[2] = {12, -8};
    deriveGrid(m, nullptr);
    state.scale = computeScaleFactors(m, kDefaultMmPerScreenPx, kDefaultMmPerScreenPx);
    state.view.centerX = 200.0f;
    state.view.centerY = 160.0f;
    state.view.loaded = true;
    state.view.viewWidth = width;
    state.view.viewHeight = height;
    picture = QImage(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    setTargetResolution(picture, state, 1.0);
  }
  QImage picture;
  Viewport view() const { return state.viewport(); }
  // A mark whose point lies at (about) the view position; where exactly is
  // read back with LatLonToScreen.
  Mark at(double x, double y, const QString& name) const { return markAtViewPosition(view(), x, y, name); }
  ViewRequest request(RenderPass pass = RenderPass::Screen) const { return currentViewRequest(state, pass); }
  void draw() {
    QPainter p(&picture);
    Mark_Print(p, makeComposeContext(state, request()));
  }
  QFontMetricsF metrics() { return QFontMetricsF(ComposeContext::mapFont(kMarkFontPoints), &picture); }
};

bool isWhite(QRgb c) { return (c & 0xFFFFFF) == 0xFFFFFF; }
bool isRed(QRgb c) { return qRed(c) == 255 && qGreen(c) == 0 && qBlue(c) == 0; }
bool isBlack(QRgb c) { return (c & 0xFFFFFF) == 0; }

}  // namespace

// ---- The list

TEST(MarkList, AFullListGrowsBySixSlotsAndALoadLeavesOneSpare) {
  MarkList list;
  EXPECT_EQ(list.slotCount(), 0);
  list.add(mark(1, 2, QStringLiteral("a")));
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.slotCount(), 6);
  for (int i = 0; i < 5; ++i) list.add(mark(1, 2, QStringLiteral("b")));
  EXPECT_EQ(list.slotCount(), 6);
  list.add(mark(1, 2, QStringLiteral("c")));
  EXPECT_EQ(list.count(), 7);
  EXPECT_EQ(list.slotCount(), 12);  // count + 6 at the moment it was full
  EXPECT_EQ(list.at(6).name, QStringLiteral("c"));

  list.assignLoaded({mark(1, 2, QStringLiteral("x")), mark(3, 4, QStringLiteral("y"))});
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.slotCount(), 3);
  list.add(mark(5, 6, QStringLiteral("z")));
  EXPECT_EQ(list.slotCount(), 3);
  list.add(mark(7, 8, QStringLiteral("w")));
  EXPECT_EQ(list.slotCount(), 9);
  EXPECT_EQ(list.at(0).name, QStringLiteral("x"));
  EXPECT_EQ(list.at(3).name, QStringLiteral("w"));
}

TEST(MarkList, RemovingMovesTheLaterMarksDown) {
  MarkList list;
  for (const char* n : {"1", "2", "3", "4"}) list.add(mark(0, 0, QString::fromLatin1(n)));
  list.removeAt(1);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.at(0).name, QStringLiteral("1"));
  EXPECT_EQ(list.at(1).name, QStringLiteral("3"));
  EXPECT_EQ(list.at(2).name, QStringLiteral("4"));
  // The last one: only the count falls.
  const int slotsBefore = list.slotCount();
  list.removeAt(2);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.slotCount(), slotsBefore);
  EXPECT_EQ(list.at(1).name, QStringLiteral("3"));
  list.removeAt(5);
  list.removeAt(-1);
  EXPECT_EQ(list.count(), 2);
}

// ---- The .kmk file

TEST(MarkFile, ThreeMarksRoundTripInTheFixedForm) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("MarkData.kmk"));
  MarkList list;
  list.add(mark(35.681234f, 139.76712f, QStringLiteral("東京駅")));
  list.add(mark(-0.5f, 140.0f, QStringLiteral("B")));
  list.add(mark(36.0f, 139.125f, QStringLiteral("高尾山 山頂")));
  ASSERT_TRUE(Save_MarkFile(path, list));
  EXPECT_EQ(test::readBytes(path), toSjis(QStringLiteral(" 3 \r\n"
                                                         " 35.68123 , 139.7671 ,東京駅\r\n"
                                                         "-0.5 , 140 ,B\r\n"
                                                         " 36 , 139.125 ,高尾山 山頂\r\n")));
  MarkList back;
  QString error;
  ASSERT_TRUE(Get_MarkFile(path, back, &error)) << error.toStdString();
  ASSERT_EQ(back.count(), 3);
  EXPECT_EQ(back.slotCount(), 4);
  EXPECT_EQ(back.at(0).name, QStringLiteral("東京駅"));
  EXPECT_EQ(back.at(0).lat, 35.68123f);  // seven significant digits
  EXPECT_EQ(back.at(0).lon, 139.7671f);
  EXPECT_EQ(back.at(1).lat, -0.5f);
  EXPECT_EQ(back.at(2).name, QStringLiteral("高尾山 山頂"));
  EXPECT_EQ(back.at(2).lon, 139.125f);
}

TEST(MarkFile, AnEmptyListIsTheCountZeroAndAMissingFileIsEmpty) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("m.kmk"));
  MarkList list;
  list.add(mark(1, 2, QStringLiteral("old")));
  ASSERT_TRUE(Get_MarkFile(path, list, nullptr));
  EXPECT_EQ(list.count(), 0);
  ASSERT_TRUE(Save_MarkFile(path, list));
  EXPECT_EQ(test::readBytes(path), QByteArray(" 0 \r\n"));
  ASSERT_TRUE(Get_MarkFile(path, list, nullptr));
  EXPECT_EQ(list.count(), 0);
}

TEST(MarkFile, FilesWrittenElsewhereAreReadByValues) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("m.kmk"));
  // Blanks around values skipped, the name up to the comma or line end, lines
  // after the counted marks ignored.
  test::writeSjis(path, QStringLiteral("2\n35.5,139.25,  駅前\n 35.25 , 139.5 ,公園,\nこの行は読まない\n"));
  MarkList list;
  ASSERT_TRUE(Get_MarkFile(path, list, nullptr));
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.at(0).name, QStringLiteral("駅前"));
  EXPECT_EQ(list.at(0).lat, 35.5f);
  EXPECT_EQ(list.at(1).name, QStringLiteral("公園"));
  EXPECT_EQ(list.at(1).lon, 139.5f);
}

TEST(MarkFile, MalformedFilesFailAndLeaveTheListAlone) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("m.kmk"));
  const std::vector<QString> bad = {
      QStringLiteral("3\n 35.5 , 139.25 ,a\n 35.5 , 139.25 ,b\n"),  // fewer marks than the count
      QStringLiteral("1\n north , 139.25 ,a\n"),                    // a number that is not one
      QStringLiteral("1\n 35.5 , , a\n"),                           // an empty number
      QStringLiteral("marks\n 35.5 , 139.25 ,a\n"),                 // no count
      QStringLiteral("-1\n"),                                       // a negative count
      QStringLiteral(""),                                           // nothing at all
  };
  for (const QString& text : bad) {
    test::writeSjis(path, text);
    MarkList list;
    list.add(mark(1, 2, QStringLiteral("kept")));
    QString error;
    EXPECT_FALSE(Get_MarkFile(path, list, &error)) << text.toStdString();
    EXPECT_FALSE(error.isEmpty());
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.at(0).name, QStringLiteral("kept"));
  }
  // Bytes that are not Shift-JIS.
  test::writeBytes(path, QByteArray("1\r\n 35.5 , 139.25 ,\x82\r\n"));
  MarkList list;
  EXPECT_FALSE(Get_MarkFile(path, list, nullptr));
}

TEST(MarkFile, NamesAreStoredSoThatTheyReadBackUnchanged) {
  // A comma never reaches the file: it becomes the full-width one.
  EXPECT_EQ(storableMarkName(QStringLiteral("駅,北口")), QStringLiteral("駅，北口"));
  // A leading quote would open a quoted value; blanks around the name are
  // skipped by the reader; line breaks would end the record.
  EXPECT_EQ(storableMarkName(QStringLiteral("\"引用\"")), QStringLiteral("＂引用\""));
  EXPECT_EQ(storableMarkName(QStringLiteral("  山頂 \t")), QStringLiteral("山頂"));
  EXPECT_EQ(storableMarkName(QStringLiteral("一\r\n二")), QStringLiteral("一  二"));
  EXPECT_EQ(storableMarkName(QStringLiteral("　全角空白")), QStringLiteral("　全角空白"));
  // A character Shift-JIS cannot hold would make the whole file unwritable.
  EXPECT_EQ(storableMarkName(QStringLiteral("山😀頂")), QStringLiteral("山?頂"));

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("m.kmk"));
  MarkList list;
  for (const QString& n :
       {QStringLiteral("駅,北口,2"), QStringLiteral("\"引用\""), QStringLiteral("  山頂 "), QStringLiteral("山😀頂")})
    list.add(mark(35.5f, 139.5f, n));
  ASSERT_TRUE(Save_MarkFile(path, list));
  EXPECT_EQ(test::readSjis(path).count(u','), 8);  // only the separators
  MarkList back;
  ASSERT_TRUE(Get_MarkFile(path, back, nullptr));
  ASSERT_EQ(back.count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back.at(i).name, storableMarkName(list.at(i).name));
}

// ---- Drawing

TEST(MarkDrawing, ALabelHangsFromItsPointWithShadowOutlineAndName) {
  MarkScene scene;
  scene.state.marks.add(scene.at(200, 150, QStringLiteral("駅")));
  const QPoint s = scene.view().LatLonToScreen(scene.state.marks.at(0).lat, scene.state.marks.at(0).lon);
  ASSERT_NEAR(s.x(), 200, 1);
  ASSERT_NEAR(s.y(), 150, 1);
  scene.draw();
  const QImage& img = scene.picture;

  // The point is the middle of the red top edge; nothing above it.
  EXPECT_TRUE(isRed(img.pixel(s.x(), s.y())));
  EXPECT_TRUE(isWhite(img.pixel(s.x(), s.y() - 1)));
  int left = s.x(), right = s.x();
  while (isRed(img.pixel(left - 1, s.y()))) --left;
  while (isRed(img.pixel(right + 1, s.y()))) ++right;
  int bottom = s.y();
  while (isRed(img.pixel(left, bottom + 1))) ++bottom;
  const double w = scene.metrics().horizontalAdvance(QStringLiteral("駅"));
  const double h = scene.metrics().height();
  // The box is the text's size plus 2 (a pixel of margin, then one more).
  EXPECT_NEAR(right - left + 1, w + 2, 1.0);
  EXPECT_NEAR(bottom - s.y() + 1, h + 2, 1.0);
  EXPECT_LE(std::abs((s.x() - left) - (right - s.x())), 2);
  // The shadow: two pixels right of and below the box.
  EXPECT_TRUE(isBlack(img.pixel(right + 2, bottom + 2)));
  EXPECT_TRUE(isBlack(img.pixel(right + 1, s.y() + 2)));
  EXPECT_TRUE(isWhite(img.pixel(right + 1, s.y() + 1)));
  EXPECT_TRUE(isWhite(img.pixel(right + 3, bottom + 2)));
  EXPECT_TRUE(isWhite(img.pixel(right + 2, bottom + 3)));
  // Inside: white paper and the black name.
  int dark = 0, white = 0;
  for (int y = s.y() + 1; y < bottom; ++y)
    for (int x = left + 1; x < right; ++x) {
      if (qGray(img.pixel(x, y)) < 100) ++dark;
      if (isWhite(img.pixel(x, y))) ++white;
    }
  EXPECT_GT(dark, 10);
  EXPECT_GT(white, dark);
}

TEST(MarkDrawing, MarksOutsideTheViewAreNotDrawnEvenWhenTheirLabelWouldShow) {
  MarkScene scene;
  // Just above the view: the label would hang down into it.
  const Mark above = scene.at(200, -3, QStringLiteral("上"));
  const QPoint s = scene.view().LatLonToScreen(above.lat, above.lon);
  ASSERT_LT(s.y(), 0);
  ASSERT_GT(s.y() + scene.metrics().height() + 4, 0);
  scene.state.marks.add(above);
  scene.draw();
  const QImage white = [] {
    QImage i(400, 300, QImage::Format_RGB32);
    i.fill(Qt::white);
    return i;
  }();
  EXPECT_EQ(scene.picture.convertToFormat(QImage::Format_RGB32), white);

  // Just inside the top edge it is drawn.
  scene.state.marks.add(scene.at(200, 3, QStringLiteral("下")));
  scene.draw();
  EXPECT_NE(scene.picture, white);
}

TEST(MarkDrawing, OnThePageEverythingIsKTimesAsLargeFromThePrintOrigin) {
  MarkScene scene;
  scene.state.marks.add(scene.at(100, 80, QStringLiteral("印刷")));
  scene.draw();
  const QImage screen = scene.picture;
  const QPoint s = scene.view().LatLonToScreen(scene.state.marks.at(0).lat, scene.state.marks.at(0).lon);
  int right = s.x();
  while (isRed(screen.pixel(right + 1, s.y()))) ++right;

  const double k = 3.0;
  ViewRequest print = scene.request(RenderPass::Print);
  print.devicePixelRatio = k;
  print.origin = QPointF(50.0, 20.0);
  QImage page(1400, 1000, QImage::Format_RGB32);
  page.fill(Qt::white);
  setTargetResolution(page, scene.state, k);
  {
    QPainter p(&page);
    Mark_Print(p, makeComposeContext(scene.state, print));
  }
  const int px = static_cast<int>(k * s.x() + 50), py = static_cast<int>(k * s.y() + 20);
  EXPECT_TRUE(isRed(page.pixel(px, py)));
  EXPECT_TRUE(isWhite(page.pixel(px, py - 1)));
  int pageRight = px;
  while (isRed(page.pixel(pageRight + 1, py))) ++pageRight;
  EXPECT_NEAR(pageRight - px, k * (right - s.x()), k + 1);
  // The shadow lies 2k below and to the right of the box.
  int pageBottom = py;
  while (isRed(page.pixel(pageRight, pageBottom + 1))) ++pageBottom;
  EXPECT_NEAR(pageBottom - py, k * (scene.metrics().height() + 1), k + 1);
  EXPECT_TRUE(isBlack(page.pixel(pageRight + 6, pageBottom + 6)));
  EXPECT_TRUE(isWhite(page.pixel(pageRight + 7, pageBottom + 6)));
  EXPECT_TRUE(isWhite(page.pixel(pageRight + 6, pageBottom + 7)));
}

// ---- Hit test

TEST(MarkHitTest, TheLabelAndItsShadowAreHitAndNothingElse) {
  MarkScene scene;
  scene.state.marks.add(scene.at(200, 150, QStringLiteral("目印")));
  scene.draw();
  const QImage& img = scene.picture;
  const Viewport v = scene.view();
  const QFontMetricsF fm = scene.metrics();
  // Every drawn pixel, the shadow's included, is a hit.
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (!isWhite(img.pixel(x, y))) {
        ASSERT_EQ(Mark_HitTest(scene.state.marks, v, fm, x, y), 0) << x << "," << y;
      }

  const QPoint s = v.LatLonToScreen(scene.state.marks.at(0).lat, scene.state.marks.at(0).lon);
  const int half = qRound(fm.horizontalAdvance(QStringLiteral("目印")) / 2);
  const int h = qRound(fm.height());
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, s.x() + half + 5, s.y() + h + 4), 0);
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, s.x() - half - 2, s.y() - 2), 0);
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, s.x() + half + 6, s.y() + 5), -1);
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, s.x() - half - 3, s.y() + 5), -1);
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, s.x(), s.y() - 3), -1);
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, s.x(), s.y() + h + 5), -1);
  // The picture's own resolution gives the same answer.
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, &img, s.x() + half + 5, s.y() + 3), 0);
  EXPECT_EQ(Mark_HitTest(MarkList(), v, &img, s.x(), s.y()), -1);
}

TEST(MarkHitTest, WhereLabelsOverlapTheLowerIndexWins) {
  MarkScene scene;
  scene.state.marks.add(scene.at(60, 40, QStringLiteral("遠く")));
  scene.state.marks.add(scene.at(200, 150, QStringLiteral("一番目")));
  scene.state.marks.add(scene.at(206, 154, QStringLiteral("二番目")));
  const Viewport v = scene.view();
  const QFontMetricsF fm = scene.metrics();
  // Drawn later, the third label covers the second, yet the second is hit.
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, 210, 160), 1);
  // Beyond the second label only the third one lies.
  const QPoint s2 = v.LatLonToScreen(scene.state.marks.at(2).lat, scene.state.marks.at(2).lon);
  const int half = qRound(fm.horizontalAdvance(QStringLiteral("二番目")) / 2);
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, s2.x() + half + 5, s2.y() + 5), 2);
  EXPECT_EQ(Mark_HitTest(scene.state.marks, v, fm, 60, 45), 0);
}
