// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "geo/frmMarkSet.h"
#include "geo/frmPosition.h"
#include "platform/Codec.h"
#include "platform/Prompts.h"
#include "render/ComposeContext.h"
#include "render/MarkHitTest.h"
#include "support/Fixtures.h"
#include "support/PlaceNameFixture.h"

using namespace kavalo;

namespace {

// A root with one data folder "a" (4 x 4 tiles, a gazetteer), opened in a
// window whose map picture is 400 x 300 pixels.
struct MarksWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  ScreenInfo screen;

  MarksWindow() {
    root.writeDatasetList({{QStringLiteral("地域A"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    test::writeBytes(root.path(QStringLiteral("a/placename.dat")),
                     test::placeNameFileBytes({
                         {QStringLiteral("新宿駅"), 139.05f, 35.95f, 4, QStringLiteral("しんじゅくえき")},
                         {QStringLiteral("高尾山"), 139.20f, 35.85f, 3, QString()},
                         {QStringLiteral("駅前通"), 139.10f, 35.90f, 2, QString()},
                     }));
  }
  std::unique_ptr<frmSCR> open() {
    auto w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->state().view.viewWidth = 400;
    w->state().view.viewHeight = 300;
    w->viewPicture() = QImage(400, 300, QImage::Format_RGB32);
    w->viewPicture().fill(Qt::white);
    return w;
  }
  QString marksFile() const { return root.path(QStringLiteral("a/MarkData.kmk")); }
};

// The form runner of a test: drives the name dialog's handlers.
std::function<void(QDialog&)> nameDialog(std::function<void(frmMarkSet&)> drive) {
  return [drive](QDialog& d) {
    auto* form = qobject_cast<frmMarkSet*>(&d);
    ASSERT_NE(form, nullptr);
    drive(*form);
  };
}

std::function<void(QDialog&)> typeName(const QString& name) {
  return nameDialog([name](frmMarkSet& form) {
    form.txtComment->setText(name);
    form.cmdOK_Click();
  });
}

QPoint screenOf(frmSCR& w, int i) {
  const Mark& m = w.state().marks.at(i);
  return w.state().viewport().LatLonToScreen(m.lat, m.lon);
}

void addMarkAt(frmSCR& w, double x, double y, const QString& name) {
  w.state().marks.add(markAtViewPosition(w.state().viewport(), x, y, name));
}

bool isRed(QRgb c) { return qRed(c) == 255 && qGreen(c) == 0 && qBlue(c) == 0; }

}  // namespace

TEST(MarksForm, TheRightClickEnablesRenameAndDeleteOnlyOverAMark) {
  MarksWindow f;
  auto w = f.open();
  addMarkAt(*w, 100, 80, QStringLiteral("一"));
  addMarkAt(*w, 104, 84, QStringLiteral("二"));
  const QPoint s = screenOf(*w, 0);

  w->showMarkPopup(300, 250);
  EXPECT_EQ(w->markHitIndex(), -1);
  EXPECT_TRUE(w->mnuMarkSet->isEnabled());
  EXPECT_FALSE(w->mnuMarkModify->isEnabled());
  EXPECT_FALSE(w->mnuMarkErase->isEnabled());
  EXPECT_TRUE(w->mnuPopUpMenu->isVisible());  // opened without waiting
  w->mnuPopUpMenu->hide();

  // On the overlap of both labels' shadows the first mark wins.
  w->showMarkPopup(s.x() + 6, s.y() + 6);
  EXPECT_EQ(w->markHitIndex(), 0);
  EXPECT_TRUE(w->mnuMarkModify->isEnabled());
  EXPECT_TRUE(w->mnuMarkErase->isEnabled());
  w->mnuPopUpMenu->hide();
  EXPECT_TRUE(f.prompts.records.empty());
}

TEST(MarksForm, SettingAMarkAsksForANameAndShowsItAtOnce) {
  MarksWindow f;
  auto w = f.open();
  w->chkMark->setChecked(false);
  // A mark already in the list, in the middle of the view.
  addMarkAt(*w, 200, 150, QStringLiteral("既存"));
  const QPoint existing = screenOf(*w, 0);
  const int compositions = w->compositionCount();
  // The right button is pressed at (200, 150) (the press position is kept by the map view).
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(200, 150), w->picPrint->mapToGlobal(QPointF(200, 150)),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w->picPrint, &press);

  // Cancelled: nothing.
  w->marksFormRunner = nameDialog([](frmMarkSet& form) { form.cmdCancel_Click(); });
  w->mnuMarkSet_Click();
  EXPECT_EQ(w->state().marks.count(), 1);
  EXPECT_FALSE(isRed(w->viewPicture().pixel(existing)));

  // OK with no name warns and stays; then a name with a comma.
  w->marksFormRunner = nameDialog([](frmMarkSet& form) {
    EXPECT_TRUE(form.txtComment->text().isEmpty());
    form.txtComment->setText(QStringLiteral("   "));
    form.cmdOK_Click();
    EXPECT_TRUE(form.DialogCancelled());
    form.txtComment->setText(QStringLiteral("駅,北口"));
    form.cmdOK_Click();
    EXPECT_FALSE(form.DialogCancelled());
  });
  w->mnuMarkSet_Click();
  EXPECT_EQ(f.prompts.messages(), QStringList{QStringLiteral("名称を入力してください。")});
  EXPECT_EQ(f.prompts.records[0].icon, MessageIcon::Exclamation);
  ASSERT_EQ(w->state().marks.count(), 2);
  const Mark& m = w->state().marks.at(1);
  EXPECT_EQ(m.name, QStringLiteral("駅，北口"));
  // At the whole image pixel under the press, in the world datum.
  const ImagePoint p = w->state().viewport().ScreenToImage(w->pressPosition().x(), w->pressPosition().y());
  const ImagePoint at = LatLonToImage(w->state().mapInfo, m.lat, m.lon, 1);
  EXPECT_NEAR(at.x, std::nearbyint(p.x), 0.05);
  EXPECT_NEAR(at.y, std::nearbyint(p.y), 0.05);
  // The marks are drawn at once although the switch is off, without a composition.
  EXPECT_TRUE(isRed(w->viewPicture().pixel(existing)));
  EXPECT_EQ(w->compositionCount(), compositions);
}

TEST(MarksForm, RenamingAndDeletingWorkOnTheHitMark) {
  MarksWindow f;
  auto w = f.open();
  addMarkAt(*w, 100, 80, QStringLiteral("一"));
  addMarkAt(*w, 250, 200, QStringLiteral("二"));
  const QPoint s = screenOf(*w, 1);
  w->showMarkPopup(s.x(), s.y() + 3);
  w->mnuPopUpMenu->hide();
  ASSERT_EQ(w->markHitIndex(), 1);

  int compositions = w->compositionCount();
  w->marksFormRunner = nameDialog([](frmMarkSet& form) {
    EXPECT_EQ(form.txtComment->text(), QStringLiteral("二"));
    form.cmdCancel_Click();
  });
  w->mnuMarkModify_Click();
  EXPECT_EQ(w->state().marks.at(1).name, QStringLiteral("二"));
  EXPECT_EQ(w->compositionCount(), compositions);

  w->marksFormRunner = typeName(QStringLiteral("新しい名前"));
  w->mnuMarkModify_Click();
  EXPECT_EQ(w->state().marks.at(1).name, QStringLiteral("新しい名前"));
  EXPECT_EQ(w->compositionCount(), ++compositions);

  f.prompts.answer(false);
  w->mnuMarkErase_Click();
  EXPECT_EQ(w->state().marks.count(), 2);
  EXPECT_EQ(w->compositionCount(), compositions);
  f.prompts.answer(true);
  w->mnuMarkErase_Click();
  EXPECT_EQ(f.prompts.questions(), (QStringList{QStringLiteral("目印を削除します。よろしいですか？"),
                                                QStringLiteral("目印を削除します。よろしいですか？")}));
  ASSERT_EQ(w->state().marks.count(), 1);
  EXPECT_EQ(w->state().marks.at(0).name, QStringLiteral("一"));
  EXPECT_EQ(w->compositionCount(), ++compositions);
  // The hit mark is gone: a second delete does nothing.
  w->mnuMarkErase_Click();
  EXPECT_EQ(w->state().marks.count(), 1);
}

TEST(MarksForm, TheMarksSwitchRedraws) {
  MarksWindow f;
  auto w = f.open();
  const int compositions = w->compositionCount();
  w->chkMark->click();
  EXPECT_FALSE(w->state().view.showMarks);
  EXPECT_EQ(w->compositionCount(), compositions + 1);
}

TEST(MarksForm, MarksSurviveARestart) {
  MarksWindow f;
  {
    auto w = f.open();
    EXPECT_EQ(w->state().marks.count(), 0);
    w->marksFormRunner = typeName(QStringLiteral("駅,北口"));
    w->mnuMarkSet_Click();
    w->marksFormRunner = typeName(QStringLiteral("山頂"));
    w->mnuMarkSet_Click();
    w->Form_Unload();
  }
  EXPECT_FALSE(test::readSjis(f.marksFile()).contains(QStringLiteral("駅,")));
  auto w = f.open();
  ASSERT_EQ(w->state().marks.count(), 2);
  EXPECT_EQ(w->state().marks.at(0).name, QStringLiteral("駅，北口"));
  EXPECT_EQ(w->state().marks.at(1).name, QStringLiteral("山頂"));
  EXPECT_TRUE(f.prompts.records.empty());
}

TEST(MarksForm, AnUnreadableMarksFileIsReportedOnceAndNeverOverwritten) {
  MarksWindow f;
  const QByteArray broken = toSjis(QStringLiteral(" 3 \r\n 35.9 , 139.1 ,A\r\n"));
  test::writeBytes(f.marksFile(), broken);
  {
    auto w = f.open();
    EXPECT_TRUE(w->state().view.loaded);
    EXPECT_EQ(w->state().marks.count(), 0);
    ASSERT_EQ(f.prompts.messages().size(), 1);
    EXPECT_TRUE(f.prompts.messages()[0].contains(QStringLiteral("目印ファイル")));
    w->Form_Unload();
  }
  EXPECT_EQ(test::readBytes(f.marksFile()), broken);
  EXPECT_EQ(test::readBytes(f.marksFile() + QStringLiteral(".bak")), broken);
  {
    // A mark set afterwards is saved; the old file stays kept aside.
    auto w = f.open();
    w->marksFormRunner = typeName(QStringLiteral("新"));
    w->mnuMarkSet_Click();
    w->Form_Unload();
  }
  EXPECT_EQ(test::readBytes(f.marksFile() + QStringLiteral(".bak")), broken);
  MarkList saved;
  ASSERT_TRUE(Get_MarkFile(f.marksFile(), saved, nullptr));
  EXPECT_EQ(saved.count(), 1);
}

TEST(MarksForm, ThePositionDialogFindsAStationAndJumpsThere) {
  MarksWindow f;
  auto w = f.open();
  const int compositions = w->compositionCount();
  w->marksFormRunner = [](QDialog& d) {
    auto* form = qobject_cast<frmPosition*>(&d);
    ASSERT_NE(form, nullptr);
    form->txtSearch->setText(QStringLiteral("駅"));
    form->cmdSearch_Click();
    ASSERT_EQ(form->lstSearch->count(), 2);
    EXPECT_EQ(form->lstSearch->item(0)->text(), QStringLiteral("駅前通（）居住"));
    form->lstSearch->setCurrentRow(1);
  };
  w->cmdPosition_Click();
  const ImagePoint c = LatLonToImage(w->state().mapInfo, 35.95f, 139.05f, 0);
  EXPECT_EQ(w->state().view.centerX, c.x);
  EXPECT_EQ(w->state().view.centerY, c.y);
  EXPECT_EQ(w->compositionCount(), compositions + 1);
}

TEST(MarksForm, ACancelledPositionDialogRedrawsOnlyWhenMarksChanged) {
  MarksWindow f;
  auto w = f.open();
  addMarkAt(*w, 100, 80, QStringLiteral("一"));
  const float x = w->state().view.centerX;
  int compositions = w->compositionCount();
  w->marksFormRunner = [](QDialog& d) { qobject_cast<frmPosition*>(&d)->cmdCancel_Click(); };
  w->cmdPosition_Click();
  EXPECT_EQ(w->compositionCount(), compositions);
  EXPECT_EQ(w->state().view.centerX, x);

  w->marksFormRunner = [](QDialog& d) {
    auto* form = qobject_cast<frmPosition*>(&d);
    form->lstMark->item(0)->setSelected(true);
    form->cmdMarkDelete_Click();
    form->cmdCancel_Click();
  };
  w->cmdPosition_Click();
  EXPECT_EQ(w->state().marks.count(), 0);
  EXPECT_EQ(w->compositionCount(), compositions + 1);
  EXPECT_EQ(w->state().view.centerX, x);
}

TEST(MarksForm, ABrokenGazetteerIsReportedOnceAndSearchesFindNothing) {
  MarksWindow f;
  const QByteArray good = test::readBytes(f.root.path(QStringLiteral("a/placename.dat")));
  test::writeBytes(f.root.path(QStringLiteral("a/placename.dat")), good.left(good.size() - 5));
  auto w = f.open();
  EXPECT_TRUE(w->state().view.loaded);
  ASSERT_EQ(f.prompts.messages().size(), 1);
  EXPECT_TRUE(f.prompts.messages()[0].contains(QStringLiteral("placename.dat")));
  EXPECT_TRUE(w->state().placeNames.empty());
  w->marksFormRunner = [](QDialog& d) {
    auto* form = qobject_cast<frmPosition*>(&d);
    form->txtSearch->setText(QStringLiteral("駅"));
    form->cmdSearch_Click();
    form->cmdCancel_Click();
  };
  w->cmdPosition_Click();
  EXPECT_EQ(f.prompts.messages().last(), QStringLiteral("検索条件に当てはまる地名は見つかりませんでした。"));
}
