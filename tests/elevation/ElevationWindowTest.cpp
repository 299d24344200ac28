// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QPushButton>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "elevation/frmAltitudeColor_Dataset.h"
#include "geo/CursorReadout.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// One data folder with two scanned-sheet eras and the agency's basic map.
// Sheet (0, 0) of the second scanned era borrows the first one's edition.
struct WindowFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  ScriptedPrompts prompts;
  ScreenInfo screen;
  std::unique_ptr<frmSCR> w;

  WindowFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    data.folder = root.path(QStringLiteral("a"));
    data.write();
    test::writeSjis(data.folder + QStringLiteral("/図歴.csv"),
                    QStringLiteral("図0-0,,図0-1,\n版1,発行1,版1,発行1\n,-1,版2,発行2\n"
                                   "図1-0,,図1-1,\n版1,発行1,版1,発行1\n版2,発行2,版2,発行2\n"));
    test::writeSjis(data.folder + QStringLiteral("/map_watizu_info.txt"),
                    QStringLiteral("1\nW00,2011,2011,2011/05/01\n"));
    screen.widthPx = 1600;
    screen.heightPx = 1200;
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    QApplication::setActiveWindow(w.get());
    QCoreApplication::processEvents();
  }
  ~WindowFixture() { w->Form_Unload(); }

  void showEra(int index) { w->state().view.eraIndex = index; }
  static QString shown(const QString& caption) {
    QString s = caption;
    s.replace(QChar(13), QChar(10));
    return s;
  }
};

}  // namespace

TEST(ElevationWindow, TheElevationCannotBeSwitchedOffOnTheDatasetsOwnSheets) {
  WindowFixture f;
  ASSERT_TRUE(f.w->state().view.loaded);
  ASSERT_EQ(f.w->state().eras.size(), 3u);
  f.showEra(0);
  f.w->picBox->setFocus();
  const int before = f.w->compositionCount();
  f.w->chkAltitude->click();
  EXPECT_TRUE(f.w->chkAltitude->isChecked());
  EXPECT_TRUE(f.w->state().view.showAltitude);
  EXPECT_EQ(f.w->compositionCount(), before + 1);
  EXPECT_TRUE(f.w->picPrint->hasFocus());

  // The agency's basic map may go without.
  f.showEra(2);
  ASSERT_EQ(f.w->state().currentEra().kind, kAgencyBasicMap);
  f.w->chkAltitude->click();
  EXPECT_FALSE(f.w->chkAltitude->isChecked());
  EXPECT_FALSE(f.w->state().view.showAltitude);
  EXPECT_EQ(f.w->compositionCount(), before + 2);
  f.w->chkAltitude->click();
  EXPECT_TRUE(f.w->state().view.showAltitude);

  // Set from code, the box redraws nothing.
  f.w->chkAltitude->setChecked(false);
  EXPECT_EQ(f.w->compositionCount(), before + 3);
}

TEST(ElevationWindow, ClosingTheColourChooserWithoutAChangeKeepsThePieces) {
  WindowFixture f;
  ASSERT_TRUE(f.w->state().pieces.available());
  f.w->state().pieces.RenderElevationPiece(1, 1);
  const int before = f.w->compositionCount();
  // OK without a change to the selected set.
  f.w->colorSetFormRunner = [](QDialog& d) { qobject_cast<frmAltitudeColor_Dataset*>(&d)->cmdOK_Click(); };
  f.w->cmdAltitudeColor->click();
  EXPECT_TRUE(f.w->state().pieces.isRendered(1, 1));
  EXPECT_EQ(f.w->compositionCount(), before);
  EXPECT_TRUE(f.prompts.records.empty());
}

TEST(ElevationWindow, TheLabelsShowTheReadoutLineByLineAndABorrowedSheetInBold) {
  WindowFixture f;
  const ProgramState& st = f.w->state();
  ASSERT_GT(st.viewWidth(), 100);
  f.showEra(1);
  // The view's centre on sheet (0, 0), borrowed in this era.
  f.w->state().view.centerX = 50.0f;
  f.w->state().view.centerY = 40.0f;
  const double cx = st.viewWidth() / 2.0, cy = st.viewHeight() / 2.0;
  f.w->Show_PointInfo(cx, cy);
  PointInfo expected = computePointInfo(st, st.viewport(), static_cast<float>(cx), static_cast<float>(cy));
  ASSERT_TRUE(expected.bold);
  ASSERT_TRUE(expected.lblMap.startsWith(QStringLiteral("地形図：!!図0-0(版1,発行1発行)")));
  EXPECT_EQ(f.w->lblInfo->text(), WindowFixture::shown(expected.lblInfo));
  EXPECT_EQ(f.w->lblInfo->text().count(u'\n'), 3);
  EXPECT_EQ(f.w->lblMap->text(), WindowFixture::shown(expected.lblMap));
  EXPECT_EQ(f.w->lblInfo->property("caption").toString(), expected.lblInfo);
  EXPECT_EQ(f.w->lblMap->property("caption").toString(), expected.lblMap);
  EXPECT_TRUE(f.w->lblMap->font().bold());

  // Sheet (1, 0) has its own edition: regular weight again.
  f.w->state().view.centerX = 250.0f;
  f.w->Show_PointInfo(cx, cy);
  expected = computePointInfo(st, st.viewport(), static_cast<float>(cx), static_cast<float>(cy));
  ASSERT_FALSE(expected.bold);
  ASSERT_TRUE(expected.lblMap.startsWith(QStringLiteral("地形図：図0-1(版2,発行2発行)")));
  EXPECT_EQ(f.w->lblMap->text(), WindowFixture::shown(expected.lblMap));
  EXPECT_FALSE(f.w->lblMap->font().bold());
}

TEST(ElevationWindow, TheReadoutAtTheCursorIsTheReadoutOfItsViewPixel) {
  WindowFixture f;
  f.showEra(1);
  const QPoint inView(40, 25);
  QCursor::setPos(f.w->picPrint->mapToGlobal(inView));
  if (QCursor::pos() != f.w->picPrint->mapToGlobal(inView)) GTEST_SKIP() << "the platform cannot place the cursor";
  f.w->Show_PointInfoAtCursor();
  const QString atCursor = f.w->lblInfo->text();
  const QString mapAtCursor = f.w->lblMap->text();
  f.w->Show_PointInfo(0, 0);
  ASSERT_NE(f.w->lblInfo->text(), atCursor);
  f.w->Show_PointInfo(inView.x(), inView.y());
  EXPECT_EQ(f.w->lblInfo->text(), atCursor);
  EXPECT_EQ(f.w->lblMap->text(), mapAtCursor);
}
