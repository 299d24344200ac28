// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "elevation/SheetLines.h"
#include "elevation/frmLegend.h"
#include "platform/Prompts.h"
#include "render/ComposeContext.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// A shown window over a data folder with the eras E1900 (legend 1, whose
// picture exists), E1930 (legend 2, missing) and W00, an agency base map of
// 2012 without lines or legend.
struct FurnitureWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  ScreenInfo screen;
  QString data;
  std::unique_ptr<frmSCR> w;

  FurnitureWindow() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    data = d.folder;
    test::writeSjis(data + QStringLiteral("/map_watizu_info.txt"), QStringLiteral("1\nW00,2012,2012,2012/05/01\n"));
    test::writeSolidImage(data + QStringLiteral("/legend/01.png"), 120, 900, Qt::red);
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
  }
  ~FurnitureWindow() { w->Form_Unload(); }

  void showEra(int index) { w->state().view.eraIndex = index; }
  frmLegend* legend() const { return w->findChild<frmLegend*>(); }
};

}  // namespace

TEST(FurnitureForm, SheetLinesAreRefusedForErasWithoutThem) {
  FurnitureWindow f;
  ASSERT_EQ(f.w->state().eras.size(), 3u);
  ASSERT_EQ(f.w->state().eras[2].kind, kAgencyBasicMap);
  f.showEra(2);
  const int before = f.w->compositionCount();
  f.w->chkZukakusen->click();
  EXPECT_FALSE(f.w->chkZukakusen->isChecked());
  EXPECT_FALSE(f.w->state().view.showSheetLines);
  EXPECT_EQ(f.w->compositionCount(), before);
}

TEST(FurnitureForm, TickingSheetLinesDrawsThemAtOnceUntickingRedraws) {
  FurnitureWindow f;
  f.showEra(0);
  ProgramState& st = f.w->state();
  QImage& picture = f.w->viewPicture();
  ASSERT_FALSE(picture.isNull());
  picture.fill(Qt::white);
  const int before = f.w->compositionCount();
  f.w->chkZukakusen->click();
  EXPECT_TRUE(f.w->chkZukakusen->isChecked());
  EXPECT_TRUE(st.view.showSheetLines);
  EXPECT_EQ(f.w->compositionCount(), before);  // drawn over the picture as it is
  const SheetGridLines lines = sheetGridLines(st.viewport(), st.currentEra().frameType);
  ASSERT_FALSE(lines.vertical.empty());
  const int x = lines.vertical.front().pos;
  ASSERT_GE(x, 0);
  EXPECT_EQ(picture.pixel(x, picture.height() / 3), qRgb(0, 0, 0));

  f.w->chkZukakusen->click();
  EXPECT_FALSE(st.view.showSheetLines);
  EXPECT_EQ(f.w->compositionCount(), before + 1);
}

TEST(FurnitureForm, TheLegendIsRefusedForErasWithoutOne) {
  FurnitureWindow f;
  f.showEra(2);
  f.w->chkLegend->click();
  EXPECT_FALSE(f.w->chkLegend->isChecked());
  EXPECT_FALSE(f.w->state().view.showLegend);
  EXPECT_TRUE(f.legend() == nullptr || !f.legend()->isVisible());
}

TEST(FurnitureForm, TheLegendWindowStandsBesideThePanelAndFitsItsPicture) {
  FurnitureWindow f;
  f.showEra(0);
  f.w->chkLegend->click();
  ASSERT_TRUE(f.w->chkLegend->isChecked());
  frmLegend* legend = f.legend();
  ASSERT_NE(legend, nullptr);
  EXPECT_TRUE(legend->isVisible());
  EXPECT_EQ(legend->windowTitle(), QStringLiteral("凡例"));
  EXPECT_TRUE(legend->windowFlags().testFlag(Qt::Tool));  // above its main window
  EXPECT_EQ(legend->cmdCopy->text(), QStringLiteral("コピー"));
  EXPECT_EQ(legend->legendPicture().size(), QSize(120, 900));
  // Beside the panel, 100 twips (7 pixels at 15 twips a pixel) below the top.
  const QRect main = f.w->frameGeometry();
  EXPECT_EQ(legend->frameGeometry().x(), main.x() + f.w->picBox->width());
  EXPECT_EQ(legend->frameGeometry().y(), main.y() + 7);
  EXPECT_EQ(legend->frameGeometry().height(), main.height());
  // The panel holds the picture and the scroll bar, below the button band.
  EXPECT_EQ(legend->width(), 120 + legend->VScroll->width());
  EXPECT_EQ(legend->picBox->geometry().top(), 50);
  EXPECT_EQ(legend->picBox->height(), legend->height() - 50);
  EXPECT_EQ(legend->VScroll->x(), 120);
  EXPECT_EQ(legend->VScroll->height(), legend->picBox->height());
  // The legend is taller than its panel: the bar scrolls it pixel for pixel
  // from its top to its bottom and no further.
  ASSERT_LT(legend->picBox->height(), 900);
  EXPECT_TRUE(legend->VScroll->isVisible());
  EXPECT_EQ(legend->VScroll->minimum(), 0);
  EXPECT_EQ(legend->VScroll->maximum(), 900 - legend->picBox->height());
  EXPECT_EQ(legend->picLegend->y(), 0);
  legend->VScroll->setValue(legend->VScroll->maximum());
  EXPECT_EQ(legend->picLegend->y() + 900, legend->picBox->height());
  legend->VScroll->setValue(0);
  // The wheel over the picture scrolls it too, downwards for a turn towards the user.
  QWheelEvent turn(QPointF(10, 10), legend->picLegend->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&turn);  // as the device delivers it: it goes up to the window
  QCoreApplication::instance()->notify(legend->picLegend, &turn);
  EXPECT_GT(legend->VScroll->value(), 0);
  EXPECT_EQ(legend->picLegend->y(), -legend->VScroll->value());
}

TEST(FurnitureForm, TheLegendFollowsTheErasAndKeepsItsPictureWhenOneIsMissing) {
  FurnitureWindow f;
  f.showEra(0);
  f.w->chkLegend->click();
  frmLegend* legend = f.legend();
  ASSERT_NE(legend, nullptr);
  // E1930's legend file is missing: the window keeps E1900's.
  f.showEra(1);
  f.w->showLegendForComposition();
  EXPECT_EQ(legend->legendPicture().size(), QSize(120, 900));
  // An era without a legend leaves it too.
  f.showEra(2);
  f.w->LoadLegend();
  EXPECT_EQ(legend->legendPicture().size(), QSize(120, 900));
  // Once the file is there, the next composition shows it.
  test::writeSolidImage(f.data + QStringLiteral("/legend/02.png"), 60, 100, Qt::blue);
  f.showEra(1);
  f.w->showLegendForComposition();
  EXPECT_EQ(legend->legendPicture().size(), QSize(60, 100));
  // A legend shorter than its panel needs no scroll bar and stays at the top.
  EXPECT_FALSE(legend->VScroll->isVisible());
  EXPECT_EQ(legend->width(), 60);
  EXPECT_EQ(legend->VScroll->maximum(), 0);
  EXPECT_EQ(legend->picLegend->y(), 0);
}

TEST(FurnitureForm, TheLegendIsCopiedToTheClipboard) {
  FurnitureWindow f;
  f.showEra(0);
  f.w->chkLegend->click();
  ASSERT_NE(f.legend(), nullptr);
  QGuiApplication::clipboard()->clear();
  f.legend()->cmdCopy->click();
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(120, 900));
  EXPECT_EQ(copied.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(FurnitureForm, ClosingTheLegendUnticksItsSwitchAndUntickingHidesIt) {
  FurnitureWindow f;
  f.showEra(0);
  f.w->chkLegend->click();
  frmLegend* legend = f.legend();
  ASSERT_NE(legend, nullptr);
  legend->close();
  EXPECT_FALSE(legend->isVisible());
  EXPECT_FALSE(f.w->chkLegend->isChecked());
  EXPECT_FALSE(f.w->state().view.showLegend);

  // Ticked again, then unticked by code (an era without a legend chosen).
  f.w->chkLegend->click();
  EXPECT_TRUE(legend->isVisible());
  EXPECT_EQ(f.legend(), legend);  // the same window, shown again
  f.w->chkLegend->setChecked(false);
  EXPECT_FALSE(legend->isVisible());
  // A click that unticks hides it too.
  f.w->chkLegend->click();
  ASSERT_TRUE(legend->isVisible());
  f.w->chkLegend->click();
  EXPECT_FALSE(legend->isVisible());
}

TEST(FurnitureForm, TheEraLabelStandsCentredAtAFifthOfTheMapsHeight) {
  FurnitureWindow f;
  f.showEra(0);
  f.w->Timer1->start(1200);
  f.w->Time_Print();
  EXPECT_FALSE(f.w->Timer1->isActive());
  QLabel* label = f.w->picTime;
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QStringLiteral("1900年"));
  EXPECT_TRUE(label->font().bold());
  EXPECT_EQ(label->font().pointSize(), 20);
  const QFontMetrics m(label->font(), label);
  EXPECT_EQ(label->width(), m.horizontalAdvance(QStringLiteral("1900年")) + 4);
  EXPECT_EQ(label->height(), m.height() + 3);
  const QWidget* view = f.w->picPrint;
  EXPECT_NEAR(label->x() + label->width() / 2.0, view->width() / 2.0, 1.0);
  EXPECT_NEAR(label->y() + label->height() / 2.0, view->height() / 5.0, 1.0);

  // The label style of the settings; the timer's tick hides the label.
  f.w->state().view.eraLabelStyle = 1;
  f.showEra(2);
  f.w->Time_Print();
  EXPECT_EQ(label->text(), QStringLiteral("平成24年（電子国土基本図）"));
  f.w->Timer1->start(1500);
  f.w->Timer1_Timer();
  EXPECT_FALSE(label->isVisible());
  EXPECT_FALSE(f.w->Timer1->isActive());
}

TEST(FurnitureForm, AMissingCommentFileIsReported) {
  FurnitureWindow f;
  f.w->cmdMapComment->click();
  ASSERT_EQ(f.prompts.messages(), QStringList{QStringLiteral("ファイルが見つかりません。")});
  EXPECT_EQ(f.prompts.records[0].icon, MessageIcon::Critical);
}
