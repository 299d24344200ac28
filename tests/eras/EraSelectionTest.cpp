// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "app/frmViewTime.h"
#include "model/EraLabels.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

const QString kTooFew = QStringLiteral("表示時期は２つ以上選択してください。");

// Eras in list order: 0 E1900 and 1 E1930 (scanned sheets, with legend and
// sheet lines), 2 the aerial photos of 1974-78 (photo), 3 the agency map of
// 2010 (masked map); neither of the last two has a legend or sheet lines.
struct EraWindowFixture {
  test::RootFixture root;
  ScriptedPrompts prompts;
  ScreenInfo screen;
  std::unique_ptr<frmSCR> window;

  EraWindowFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    test::writeSjis(d.folder + QStringLiteral("/map_ortho_info.txt"), QStringLiteral("1\nORTHO1,0\n"));
    test::writeSjis(d.folder + QStringLiteral("/map_watizu_info.txt"),
                    QStringLiteral("1\nW2010,2010,2010,2010/10/01\n"));
    window = std::make_unique<frmSCR>(root.root(), screen, prompts);
    window->Form_Load();
  }
  frmSCR& w() { return *window; }
  ProgramState& st() { return window->state(); }
  QStringList comboTexts() {
    QStringList texts;
    for (int i = 0; i < w().cboAge->count(); ++i) texts << w().cboAge->itemText(i);
    return texts;
  }
};

}  // namespace

TEST(EraSelection, TheListOffersEveryEraAfterALoad) {
  EraWindowFixture f;
  ASSERT_EQ(f.st().eras.size(), 4u);
  EXPECT_EQ(f.comboTexts(),
            (QStringList{QStringLiteral("1900年"), QStringLiteral("1930-31年"), QStringLiteral("1974-78年（空中写真）"),
                         QStringLiteral("2010年（ウォッちず）")}));
  EXPECT_EQ(f.st().eraListMap, (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(f.st().listedCount, 4);
  EXPECT_EQ(f.w().SliderAge->minimum(), 0);
  EXPECT_EQ(f.w().SliderAge->maximum(), 3);
  EXPECT_EQ(f.w().cboAge->currentIndex(), f.st().view.eraIndex);
  EXPECT_EQ(f.w().SliderAge->value(), f.st().view.eraIndex);
  EXPECT_EQ(f.w().cboAge->maxVisibleItems(), 4);
}

TEST(EraSelection, ChoosingAnEraRedrawsOnceAndSetsTheSwitches) {
  EraWindowFixture f;
  f.w().chkLegend->setChecked(true);
  f.w().chkZukakusen->setChecked(true);
  f.w().chkAltitude->setChecked(false);
  const float cx = f.st().view.centerX;
  const int before = f.w().compositionCount();

  // A photo era: no legend, no sheet lines; the elevation switch is left alone.
  f.w().cboAge->setCurrentIndex(2);
  EXPECT_EQ(f.st().view.eraIndex, 2);
  EXPECT_EQ(f.w().compositionCount(), before + 1);  // the slider did not redraw again
  EXPECT_EQ(f.w().SliderAge->value(), 2);
  EXPECT_FALSE(f.w().chkLegend->isChecked());
  EXPECT_FALSE(f.st().view.showLegend);
  EXPECT_FALSE(f.w().chkZukakusen->isChecked());
  EXPECT_FALSE(f.w().chkAltitude->isChecked());
  EXPECT_EQ(f.w().phase(), frmSCR::Phase::Ready);
  EXPECT_TRUE(f.w().Timer1->isActive());
  EXPECT_EQ(f.w().Timer1->interval(), 1200);
  EXPECT_EQ(f.st().view.centerX, cx);  // the same place

  // Back to a map era: the elevation colouring comes on.
  f.w().cboAge->setCurrentIndex(0);
  EXPECT_TRUE(f.w().chkAltitude->isChecked());
  EXPECT_TRUE(f.st().view.showAltitude);
  EXPECT_EQ(f.w().compositionCount(), before + 2);
}

TEST(EraSelection, TheSliderStepsTheListAndTheTagGuardsBoth) {
  EraWindowFixture f;
  int count = f.w().compositionCount();
  f.w().SliderAge->setValue(3);
  EXPECT_EQ(f.w().cboAge->currentIndex(), 3);
  EXPECT_EQ(f.st().view.eraIndex, 3);
  EXPECT_EQ(f.w().compositionCount(), ++count);
  f.w().SliderAge->setValue(1);
  EXPECT_EQ(f.st().view.eraIndex, 1);
  EXPECT_EQ(f.w().compositionCount(), ++count);

  // While a dataset loads the list only moves the slider.
  f.w().setPhase(frmSCR::Phase::Loading);
  f.w().cboAge->setCurrentIndex(2);
  EXPECT_EQ(f.w().SliderAge->value(), 2);
  EXPECT_EQ(f.st().view.eraIndex, 1);
  f.w().SliderAge->setValue(0);
  EXPECT_EQ(f.w().cboAge->currentIndex(), 2);
  EXPECT_EQ(f.w().compositionCount(), count);
  EXPECT_EQ(f.w().phase(), frmSCR::Phase::Loading);
}

TEST(EraSelection, ASingleListedEraIgnoresTheSpareSliderPosition) {
  EraWindowFixture f;
  for (Era& e : f.st().eras) e.listed = false;
  f.st().eras[1].listed = true;
  f.w().cboAge_Set();
  f.w().cboAge->setCurrentIndex(0);
  EXPECT_EQ(f.st().eraListMap, (std::vector<int32_t>{1}));
  EXPECT_EQ(f.w().SliderAge->maximum(), 1);
  EXPECT_EQ(f.st().view.eraIndex, 1);
  const int count = f.w().compositionCount();
  f.w().SliderAge->setValue(1);
  EXPECT_EQ(f.w().SliderAge->value(), 0);
  EXPECT_EQ(f.w().cboAge->currentIndex(), 0);
  EXPECT_EQ(f.st().view.eraIndex, 1);
  EXPECT_EQ(f.w().compositionCount(), count);
}

TEST(ViewTimeDialog, OpensWithTheListedErasAndTheLabelStyle) {
  EraWindowFixture f;
  f.st().eras[3].listed = false;
  f.st().view.eraLabelStyle = 1;
  frmViewTime dialog(f.st(), f.prompts, f.w().cboAge);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("表示時期設定"));
  auto* opt1 = dialog.findChild<QRadioButton*>(QStringLiteral("optEra_1"));
  ASSERT_NE(opt1, nullptr);
  EXPECT_TRUE(opt1->isChecked());
  EXPECT_EQ(opt1->text(), QStringLiteral("元号"));
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstEra"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("昭和5-6年"));
  EXPECT_TRUE(list->item(0)->isSelected());
  EXPECT_FALSE(list->item(3)->isSelected());
  dialog.findChild<QPushButton*>(QStringLiteral("cmdSelect_0"))->click();
  EXPECT_EQ(list->selectedItems().size(), 4);
  dialog.findChild<QPushButton*>(QStringLiteral("cmdSelect_1"))->click();
  EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST(ViewTimeDialog, FewerThanTwoErasAreRefused) {
  EraWindowFixture f;
  frmViewTime dialog(f.st(), f.prompts, f.w().cboAge);
  dialog.show();
  dialog.lstEra->clearSelection();
  dialog.lstEra->item(2)->setSelected(true);
  dialog.cmdOK->click();
  ASSERT_EQ(f.prompts.records.size(), 1u);
  EXPECT_EQ(f.prompts.records[0].text, kTooFew);
  EXPECT_EQ(f.prompts.records[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(dialog.isVisible());  // still open
  EXPECT_TRUE(f.st().eras[0].listed);

  // Two are enough; the listed eras change.
  dialog.lstEra->item(0)->setSelected(true);
  dialog.cmdOK->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.dialogCancelled());
  EXPECT_TRUE(f.st().eras[0].listed);
  EXPECT_FALSE(f.st().eras[1].listed);
  EXPECT_TRUE(f.st().eras[2].listed);
  EXPECT_FALSE(f.st().eras[3].listed);
}

TEST(ViewTimeDialog, AStyleChangeAloneRelabelsTheListInPlace) {
  EraWindowFixture f;
  f.w().cboAge->setCurrentIndex(1);
  const int count = f.w().compositionCount();
  frmViewTime dialog(f.st(), f.prompts, f.w().cboAge);
  dialog.optEra[1]->setChecked(true);
  dialog.cmdOK_Click();
  EXPECT_TRUE(dialog.dialogCancelled());
  EXPECT_EQ(f.st().view.eraLabelStyle, 1);
  EXPECT_EQ(f.comboTexts(),
            (QStringList{QStringLiteral("明治33年"), QStringLiteral("昭和5-6年"),
                         QStringLiteral("昭和49-53年（空中写真）"), QStringLiteral("平成22年（ウォッちず）")}));
  EXPECT_EQ(f.w().cboAge->currentIndex(), 1);
  EXPECT_EQ(f.st().view.eraIndex, 1);
  EXPECT_EQ(f.w().compositionCount(), count);
}

TEST(ViewTimeDialog, TheCloseBoxActsAsCancel) {
  EraWindowFixture f;
  frmViewTime dialog(f.st(), f.prompts, f.w().cboAge);
  dialog.show();
  dialog.lstEra->item(3)->setSelected(false);
  dialog.optEra[1]->setChecked(true);
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(dialog.dialogCancelled());
  EXPECT_TRUE(f.st().eras[3].listed);
  EXPECT_EQ(f.st().view.eraLabelStyle, 0);
}

TEST(ViewTimeDialog, HidingErasRebuildsTheListAndShowsTheFirst) {
  EraWindowFixture f;
  f.w().cboAge->setCurrentIndex(3);
  const int count = f.w().compositionCount();
  // The dialog runs modally; it is answered once it is open.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<frmViewTime*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->lstEra->item(0)->setSelected(false);
    dialog->lstEra->item(2)->setSelected(false);
    dialog->cmdOK->click();
  });
  f.w().cmdViewTime->click();
  EXPECT_EQ(f.comboTexts(), (QStringList{QStringLiteral("1930-31年"), QStringLiteral("2010年（ウォッちず）")}));
  EXPECT_EQ(f.st().eraListMap, (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(f.st().listedCount, 2);
  EXPECT_EQ(f.w().SliderAge->maximum(), 1);
  EXPECT_EQ(f.w().cboAge->currentIndex(), 0);
  EXPECT_EQ(f.w().SliderAge->value(), 0);
  EXPECT_EQ(f.st().view.eraIndex, 1);
  EXPECT_EQ(f.w().compositionCount(), count + 1);

  // Cancelled: nothing changes.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<frmViewTime*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->lstEra->selectAll();
    dialog->cmdCancel->click();
  });
  f.w().cmdViewTime->click();
  EXPECT_EQ(f.st().listedCount, 2);
  EXPECT_EQ(f.w().compositionCount(), count + 1);
}

TEST(MapView, ResizingRedrawsBesideTheControlPanel) {
  EraWindowFixture f;
  f.w().show();
  f.w().resize(800, 500);
  QApplication::processEvents();
  const int count = f.w().compositionCount();
  f.w().resize(1000, 640);
  QApplication::processEvents();
  EXPECT_GT(f.w().compositionCount(), count);
  EXPECT_EQ(f.w().picPrint->x(), f.w().picBox->x() + f.w().picBox->width());
  EXPECT_EQ(f.w().picPrint->x() + f.w().picPrint->width(), f.w().centralWidget()->width());
  EXPECT_EQ(f.w().viewPicture().size(), f.w().picPrint->size());
  EXPECT_EQ(f.w().viewSnapshot().size(), f.w().picPrint->size());
}
