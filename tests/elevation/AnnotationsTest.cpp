// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>

#include "OverlayState.h"
#include "elevation/Credits.h"
#include "elevation/ScaleBar.h"
#include "model/Settings.h"
#include "platform/Numbers.h"
#include "render/Annotations.h"

using namespace kavalo;

namespace {

// Millimetres per screen pixel that make one scale unit (40 mm of paper)
// 150 screen pixels long at 100 %.
constexpr double kMm150 = 40.0 / 150.0;

void expectLength(double tentative, const char* text, int leading, int divisions) {
  SCOPED_TRACE(tentative);
  const ScaleLength l = roundScaleLength(tentative);
  ASSERT_TRUE(l.valid);
  EXPECT_EQ(l.text, QString::fromLatin1(text));
  EXPECT_EQ(l.leadingDigit, leading);
  EXPECT_EQ(l.divisions, divisions);
  EXPECT_DOUBLE_EQ(l.length, QString::fromLatin1(text).toDouble());
}

bool isBlack(QRgb c) { return qRed(c) < 40 && qGreen(c) < 40 && qBlue(c) < 40; }
bool isWhite(QRgb c) { return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255; }

// The bar of the scale: the lowest row with a black run longer than 50
// pixels, and that run's ends.
struct FoundBar {
  int row = -1;
  int left = -1;
  int right = -1;
};
FoundBar findBar(const QImage& image) {
  for (int y = image.height() - 1; y >= 0; --y) {
    int runStart = -1;
    for (int x = 0; x <= image.width(); ++x) {
      const bool black = x < image.width() && isBlack(image.pixel(x, y));
      if (black && runStart < 0) runStart = x;
      if (!black && runStart >= 0) {
        if (x - runStart > 50) return {y, runStart, x - 1};
        runStart = -1;
      }
    }
  }
  return {};
}

// Left ends of the black runs of a row between two columns.
std::vector<int> blackRuns(const QImage& image, int y, int from, int to) {
  std::vector<int> runs;
  bool inRun = false;
  for (int x = from; x <= to; ++x) {
    const bool black = isBlack(image.pixel(x, y));
    if (black && !inRun) runs.push_back(x);
    inRun = black;
  }
  return runs;
}

}  // namespace

// ---- Length of the bar

TEST(ScaleLength, EachRuleOnItsExample) {
  expectLength(1.33, "1", 1, 2);
  expectLength(2.67, "4", 4, 4);   // rounds to 3, raised to 4
  expectLength(9.6, "10", 10, 2);  // rounds up into the next decade
  expectLength(35, "40", 4, 4);
  expectLength(0.35, "0.4", 4, 4);
  expectLength(0.12, "0.1", 1, 2);
  expectLength(0.05, "0.06", 6, 3);
  expectLength(0.96, "1", 10, 2);  // cut to 0.9, raised to 1
  expectLength(2.5, "2", 2, 2);    // half to even
  expectLength(3.5, "4", 4, 4);
  expectLength(7.4, "8", 8, 4);
  expectLength(66, "60", 6, 3);
  expectLength(150, "100", 1, 2);
  expectLength(999.6, "1000", 10, 2);
  expectLength(10, "10", 1, 2);
}

TEST(ScaleLength, TheSubUnitCutIsNotFooledByBinaryNoise) {
  // 0.7 - 0.4 is 0.29999999999999993 in binary; cut to one decimal it is
  // still 0.3 (raised to 0.4), not 0.2.
  expectLength(0.7 - 0.4, "0.4", 4, 4);
  expectLength(0.1, "0.1", 1, 2);
  expectLength(0.01, "0.01", 1, 2);
  expectLength(0.0029, "0.002", 2, 2);
}

TEST(ScaleLength, FifthOfTheViewThenAQuarter) {
  // 1000 px wide at 100 % with 150 px a unit: a fifth is 1.33 units.
  EXPECT_NEAR(tentativeScaleLength(1000, 100, 150), 1.3333, 1e-4);
  // At 50 % the view shows twice as much: 2.67.
  EXPECT_NEAR(tentativeScaleLength(1000, 50, 150), 2.6667, 1e-4);
  // A fifth of 500 px is 0.67 units: a quarter is tried (0.83).
  EXPECT_NEAR(tentativeScaleLength(500, 100, 150), 0.8333, 1e-4);
  // Also below one unit: the sub-unit length of the quarter (0.35 -> 0.4).
  EXPECT_NEAR(tentativeScaleLength(210, 100, 150), 0.35, 1e-9);
  const ScaleLength l = chooseScaleLength(210, 100, 1.5, 100.0);
  EXPECT_EQ(l.text, QStringLiteral("0.4"));
  EXPECT_EQ(l.divisions, 4);
}

TEST(ScaleLength, NoLengthForAnEmptyViewOrNoScale) {
  EXPECT_FALSE(chooseScaleLength(0, 100, 1.0, 150.0).valid);
  EXPECT_FALSE(chooseScaleLength(1000, 100, 0.0, 0.0).valid);
  EXPECT_FALSE(chooseScaleLength(1000, 0, 1.0, 150.0).valid);
}

TEST(ScaleLength, DivisionsByLeadingDigit) {
  const int expected[][2] = {{1, 2}, {2, 2}, {4, 4}, {6, 3}, {8, 4}, {10, 2}};
  for (const auto& e : expected) EXPECT_EQ(scaleDivisions(e[0]), e[1]) << e[0];
}

// ---- Drawing of the bar

TEST(ScaleBarDrawing, BarTicksAndBackgroundInTheBottomRightCorner) {
  test::OverlayState f(1000, 700, kMm150);
  {
    QPainter p(&f.picture);
    Scale_Print(p, f.screen());
  }
  const QImage& img = f.picture;
  const FoundBar bar = findBar(img);
  ASSERT_GE(bar.row, 0);
  // One unit, 150 px, from the tick of 0 to the tick of 1.
  EXPECT_NEAR(bar.right - bar.left, 150, 1);
  // Three pixels high, six... above the bottom: the bar ends within the
  // bottom ten rows, on the white background that reaches both edges.
  EXPECT_TRUE(isBlack(img.pixel(bar.left, bar.row - 2)));
  EXPECT_FALSE(isBlack(img.pixel(bar.left, bar.row - 3 - 5)));
  EXPECT_GT(bar.row, 700 - 10);
  EXPECT_TRUE(isWhite(img.pixel(999, 699)));
  EXPECT_TRUE(isWhite(img.pixel(999, bar.row - 15)));
  // Two divisions: ticks at both ends and in the middle, just above the bar.
  const std::vector<int> ticks = blackRuns(img, bar.row - 3, bar.left - 2, bar.right + 2);
  ASSERT_EQ(ticks.size(), 3u);
  EXPECT_EQ(ticks[0], bar.left);
  EXPECT_NEAR(ticks[1], (bar.left + bar.right) / 2, 1);
  EXPECT_EQ(ticks[2], bar.right);
  // Nothing left of the background.
  EXPECT_EQ(img.pixel(bar.left - 30, 699), QColor(128, 128, 128).rgb());
}

TEST(ScaleBarDrawing, RightAlignedIncludingTheUnitText) {
  auto barRight = [](const QString& unit) {
    test::OverlayState f(1000, 700, kMm150);
    f.state.mapInfo.scaleUnit = unit;
    QPainter p(&f.picture);
    Scale_Print(p, f.screen());
    p.end();
    return findBar(f.picture).right;
  };
  const int shortUnit = barRight(QStringLiteral("km"));
  const int longUnit = barRight(QStringLiteral("キロメートル"));
  test::OverlayState f;
  const QFontMetricsF m(ComposeContext::mapFont(12), &f.picture);
  const double extra = m.horizontalAdvance(QStringLiteral("キロメートル")) - m.horizontalAdvance(QStringLiteral("km"));
  EXPECT_NEAR(shortUnit - longUnit, extra, 1.0);
  // Half the length text and the unit follow the bar's end up to the
  // view's edge, less half a "0" (the texts stand as far left of the ticks
  // as the "0" does).
  const double rest = m.horizontalAdvance(QStringLiteral("1")) / 2 + m.horizontalAdvance(QStringLiteral("km"));
  EXPECT_NEAR(shortUnit + rest, 1000, 1.5);
}

TEST(ScaleBarDrawing, ThePrintPassScalesAndOffsetsTheBar) {
  test::OverlayState f(1000, 700, kMm150);
  {
    QPainter p(&f.picture);
    Scale_Print(p, f.screen());
  }
  const FoundBar screenBar = findBar(f.picture);
  const ComposeContext page = f.page(2.0, 30, 20);
  {
    QPainter p(&f.pageImage);
    Scale_Print(p, page);
  }
  const QImage& img = f.pageImage;
  const FoundBar bar = findBar(img);
  ASSERT_GE(bar.row, 0);
  EXPECT_NEAR(bar.right - bar.left, 300, 2);
  EXPECT_NEAR(bar.right, 2 * screenBar.right + 30, 3);
  // The bar is 3 view pixels (6 page pixels) high, its ticks 2 pixels wide.
  EXPECT_TRUE(isBlack(img.pixel(bar.left + 20, bar.row - 5)));
  EXPECT_FALSE(isBlack(img.pixel(bar.left + 20, bar.row - 6)));
  EXPECT_EQ(blackRuns(img, bar.row - 8, bar.left - 3, bar.right + 3).size(), 3u);
  // The background ends at the view's corner on the page, not the page's.
  EXPECT_TRUE(isWhite(img.pixel(2 * 1000 + 30 - 1, 2 * 700 + 20 - 1)));
  EXPECT_FALSE(isWhite(img.pixel(2 * 1000 + 30, 2 * 700 + 20 - 1)));
  EXPECT_FALSE(isWhite(img.pixel(2 * 1000 + 30 - 1, 2 * 700 + 20)));
}

// ---- Credit lines

TEST(CreditLines, TheDatasetsOwnSheetsSplitTheApprovalText) {
  Era sheets;
  sheets.kind = kScannedSheets;
  CreditLines l = creditLines(sheets, QStringLiteral("承認を得て複製"), true);
  EXPECT_EQ(l[0], QStringLiteral("承認を"));
  EXPECT_EQ(l[1], QStringLiteral("得て複製"));
  EXPECT_EQ(l[2], versionCaption());
  EXPECT_TRUE(l[2].startsWith(QStringLiteral("Kavalo Ver.")));
  EXPECT_TRUE(l[3].isEmpty());
  // The 1/20,000 era and unknown kinds read the same; an even length halves.
  Era twenty;
  twenty.kind = kTwentyThousand;
  l = creditLines(twenty, QStringLiteral("abcd"), false);
  EXPECT_EQ(l[0], QStringLiteral("ab"));
  EXPECT_EQ(l[1], QStringLiteral("cd"));
  Era odd;
  odd.kind = 99;
  EXPECT_EQ(creditLines(odd, QStringLiteral("x"), false)[1], QStringLiteral("x"));
}

TEST(CreditLines, AgencyBaseMapWithAndWithoutElevation) {
  Era era;
  era.kind = kAgencyBasicMap;
  era.acquiredText = QStringLiteral("2012/05/01 10:00:00");
  const QString approval = QStringLiteral("この地図は承認を得て複製した。（承認番号　平20業複、第5号）");
  CreditLines l = creditLines(era, approval, true);
  EXPECT_EQ(l[0], elevationCreditText());
  EXPECT_EQ(l[1], QStringLiteral("（承認番号　平20業複、第5号）"));
  EXPECT_EQ(l[2], QStringLiteral("国土地理院：電子国土基本図（地図情報）"));
  EXPECT_EQ(l[3], webSystemCreditText());

  era.acquiredText = QStringLiteral("2010/12/31");
  l = creditLines(era, approval, false);
  EXPECT_TRUE(l[0].isEmpty());
  EXPECT_TRUE(l[1].isEmpty());
  EXPECT_EQ(l[2], QStringLiteral("国土地理院：ウォッちず"));
  // The agency's sentence keeps its half-width "､" and "｡".
  EXPECT_EQ(l[3], QStringLiteral("この背景地図等データは､国土地理院の電子国土Webシステムから配信されたものである｡"));
  EXPECT_EQ(l[3].count(QChar(0xFF64)), 1);
  EXPECT_TRUE(l[3].endsWith(QChar(0xFF61)));
}

TEST(CreditLines, AerialPhotosByYearAndPeriod) {
  Era era;
  era.kind = kAerialPhoto;
  era.acquiredText = QStringLiteral("2011/06/01 09:00:00");
  for (int code : {4, 5}) {
    era.periodCode = code;
    const CreditLines l = creditLines(era, QStringLiteral("承認"), true);
    EXPECT_TRUE(l[0].isEmpty());
    EXPECT_EQ(l[1], QStringLiteral("国土地理院：東日本大震災被災地周辺空中写真")) << code;
    EXPECT_EQ(l[2], webSystemCreditText());
    EXPECT_TRUE(l[3].isEmpty());
  }
  era.periodCode = 1;
  EXPECT_EQ(creditLines(era, QString(), true)[1], QStringLiteral("国土地理院：国土画像情報"));
  // Photos fetched before 2011, or of a date that is no number, name the
  // older system.
  for (const QString& date : {QStringLiteral("2009/01/01"), QString(), QStringLiteral("平成23年")}) {
    era.acquiredText = date;
    const CreditLines l = creditLines(era, QString(), true);
    EXPECT_TRUE(l[1].isEmpty());
    EXPECT_EQ(l[2], QStringLiteral("国土数値情報：オルソ化空中写真閲覧ダウンロードシステム"));
  }
}

TEST(CreditLines, RapidSurveyAndOrthophoto) {
  Era rapid;
  rapid.kind = kRapidSurvey;
  CreditLines l = creditLines(rapid, QStringLiteral("承認"), true);
  EXPECT_TRUE(l[0].isEmpty());
  EXPECT_EQ(l[1], QStringLiteral("歴史的農業環境閲覧システム"));
  EXPECT_EQ(l[2], QStringLiteral("(C)農業環境技術研究所"));
  EXPECT_TRUE(l[3].isEmpty());
  Era ortho;
  ortho.kind = kAgencyOrtho;
  l = creditLines(ortho, QStringLiteral("承認"), true);
  EXPECT_TRUE(l[0].isEmpty());
  EXPECT_EQ(l[1], QStringLiteral("国土地理院：電子国土基本図（オルソ画像）"));
  EXPECT_EQ(l[2], webSystemCreditText());
}

TEST(CreditLines, ApprovalTail) {
  // From the character before the words: here the opening bracket.
  EXPECT_EQ(approvalTail(QStringLiteral("複製した。（承認番号　平20業複、第5号）")),
            QStringLiteral("（承認番号　平20業複、第5号）"));
  // A bracketed number with a blank after the bracket keeps its bracket.
  EXPECT_EQ(approvalTail(QStringLiteral("複製した。（ 承認番号 第5号）")), QStringLiteral("（ 承認番号 第5号）"));
  // Not bracketed: the character before and the rest.
  EXPECT_EQ(approvalTail(QStringLiteral("複製した。承認番号 第5号")), QStringLiteral("。承認番号 第5号"));
  // The number alone, or no number at all.
  EXPECT_EQ(approvalTail(QStringLiteral("承認番号 第5号")), QStringLiteral("承認番号 第5号"));
  EXPECT_TRUE(approvalTail(QStringLiteral("国土地理院の承認を得た。")).isEmpty());
  EXPECT_TRUE(approvalTail(QString()).isEmpty());
}

// ---- Drawing of the credits

namespace {

// The pixels that a text fully covers when drawn with its top-left corner at
// (x, y) on an image of the target's size and resolution.
std::vector<QPoint> fullyCovered(const QImage& target, const QFont& font, int x, int y, const QString& text) {
  QImage ref(target.size(), QImage::Format_RGB32);
  ref.setDotsPerMeterX(target.dotsPerMeterX());
  ref.setDotsPerMeterY(target.dotsPerMeterY());
  ref.fill(Qt::black);
  {
    QPainter p(&ref);
    p.setFont(font);
    p.setPen(Qt::red);
    p.drawText(QPointF(x, y + QFontMetricsF(font, &ref).ascent()), text);
  }
  std::vector<QPoint> points;
  for (int py = 0; py < ref.height(); ++py)
    for (int px = 0; px < ref.width(); ++px)
      if (ref.pixel(px, py) == qRgb(255, 0, 0)) points.push_back(QPoint(px, py));
  return points;
}

// Pixels of a kind in the box around some points, three pixels wider on
// each side.
int countAround(const QImage& image, const std::vector<QPoint>& points, bool (*kind)(QRgb)) {
  QRect box;
  for (const QPoint& p : points) box |= QRect(p, QSize(1, 1));
  box = box.adjusted(-3, -3, 3, 3) & image.rect();
  int n = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if (kind(image.pixel(x, y))) ++n;
  return n;
}

}  // namespace

TEST(CreditDrawing, WhiteTextWithABlackOutlineOnTheScreen) {
  test::OverlayState f(400, 300);
  f.addEra(kScannedSheets);
  f.state.mapInfo.approval = QStringLiteral("■■■■■■");  // squares: solid glyph cores
  {
    QPainter p(&f.picture);
    Approval_Print(p, f.screen());
  }
  const QImage& img = f.picture;
  const QFont font = ComposeContext::mapFont(8);
  const double lh = QFontMetricsF(font, &img).height();
  // Line 0 is the first half, flush left, four lines above the bottom.
  const int top = roundToInt(300 - 4 * lh);
  const std::vector<QPoint> core = fullyCovered(img, font, 0, top, QStringLiteral("■■■"));
  ASSERT_FALSE(core.empty());
  for (const QPoint& pt : core) EXPECT_TRUE(isWhite(img.pixel(pt))) << pt.x() << "," << pt.y();
  // The outline is black.
  EXPECT_GT(countAround(img, core, isBlack), 0);
  // Nothing above the block.
  for (int x = 0; x < 400; ++x) EXPECT_EQ(img.pixel(x, top - 3), QColor(128, 128, 128).rgb());
}

TEST(CreditDrawing, BlackTextWithAWhiteOutlineOnThePageHalfALineHigher) {
  test::OverlayState f(400, 300);
  f.addEra(kScannedSheets);
  f.state.mapInfo.approval = QStringLiteral("■■■■■■");
  const ComposeContext page = f.page(2.0, 30, 20);
  {
    QPainter p(&f.pageImage);
    Approval_Print(p, page);
  }
  const QImage& img = f.pageImage;
  const QFont font = ComposeContext::mapFont(8);
  const double lh = QFontMetricsF(font, &img).height() / 2.0;  // in view pixels
  const int top = roundToInt(2.0 * (300 - 4 * lh - 0.5 * lh) + 20);
  const std::vector<QPoint> core = fullyCovered(img, font, 30, top, QStringLiteral("■■■"));
  ASSERT_FALSE(core.empty());
  for (const QPoint& pt : core) EXPECT_TRUE(isBlack(img.pixel(pt))) << pt.x() << "," << pt.y();
  EXPECT_GT(countAround(img, core, isWhite), 0);
  // Nothing left of the page offset.
  for (int y = 0; y < img.height(); ++y) EXPECT_EQ(img.pixel(27, y), QColor(128, 128, 128).rgb());
}
