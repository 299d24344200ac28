// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// A root with two loadable data folders "a" and "b" and one without
// mapinfo.txt, "empty".
struct WindowFixture {
  test::RootFixture root;
  ScriptedPrompts prompts;
  ScreenInfo screen;

  WindowFixture() {
    root.writeDatasetList({{QStringLiteral("地域A"), QStringLiteral("a")},
                           {QStringLiteral("地域B"), QStringLiteral("b")},
                           {QStringLiteral("空"), QStringLiteral("empty")}});
    for (const char* name : {"a", "b"}) {
      test::DatasetFixture d;
      d.folder = root.path(QString::fromLatin1(name));
      d.title = QStringLiteral("題%1").arg(QString::fromLatin1(name));
      d.write();
    }
    test::writeBytes(root.path(QStringLiteral("empty/readme.txt")), "x");
    screen.widthPx = 1600;
    screen.heightPx = 1200;
  }
  std::unique_ptr<frmSCR> open() {
    auto w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    return w;
  }
  QString file(const QString& rel) { return test::readSjis(root.path(rel)); }
};

}  // namespace

TEST(Startup, WithoutSettingsTheFirstFolderLoadsWithDefaults) {
  WindowFixture f;
  auto w = f.open();
  ASSERT_TRUE(w->startedOk());
  EXPECT_EQ(w->lstDataFolder->count(), 3);
  EXPECT_EQ(w->lstDataFolder->item(1)->text(), QStringLiteral("地域B"));
  EXPECT_EQ(w->lstDataFolder->currentRow(), 0);
  EXPECT_TRUE(w->state().view.loaded);
  EXPECT_EQ(w->state().view.eraLabelStyle, 0);
  EXPECT_EQ(w->state().view.datumFlag, 1);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Kavalo Ver.1.00　【題a】"));
  EXPECT_EQ(w->phase(), frmSCR::Phase::Ready);
  EXPECT_TRUE(f.prompts.records.empty());

  w->Form_Unload();
  EXPECT_EQ(f.file(QStringLiteral("KAVALO.ini")), QStringLiteral(" 0 \r\n 0 \r\n 1 \r\n"));
  EXPECT_TRUE(f.file(QStringLiteral("a/PositionRecored.txt")).endsWith(QStringLiteral("\r\n\\MarkData.kmk\r\n")));
  EXPECT_EQ(f.file(QStringLiteral("a/MarkData.kmk")), QStringLiteral(" 0 \r\n"));
  EXPECT_TRUE(QFile::exists(f.root.path(QStringLiteral("colorset.txt"))));
}

TEST(Startup, SavedSettingsAreUsed) {
  WindowFixture f;
  f.root.writeFile(QStringLiteral("KAVALO.ini"), QStringLiteral(" 1 \n 1 \n 0 \n"));
  auto w = f.open();
  EXPECT_EQ(w->lstDataFolder->currentRow(), 1);
  EXPECT_EQ(w->state().view.eraLabelStyle, 1);
  EXPECT_EQ(w->state().view.datumFlag, 0);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Kavalo Ver.1.00　【題b】"));
}

TEST(Startup, UnreadableSettingsKeepTheValuesReadSoFar) {
  WindowFixture f;
  f.root.writeFile(QStringLiteral("KAVALO.ini"), QStringLiteral(" 1 \n 99999 \n 0 \n"));
  auto w = f.open();
  EXPECT_EQ(w->lstDataFolder->currentRow(), 1);
  EXPECT_EQ(w->state().view.eraLabelStyle, 0);
  EXPECT_EQ(w->state().view.datumFlag, 1);
}

TEST(Startup, ASavedIndexBeyondTheListLoadsTheFirstFolder) {
  WindowFixture f;
  f.root.writeFile(QStringLiteral("KAVALO.ini"), QStringLiteral(" 7 \n 0 \n 1 \n"));
  auto w = f.open();
  EXPECT_EQ(w->lstDataFolder->currentRow(), 0);
  EXPECT_TRUE(w->state().view.loaded);
}

TEST(Startup, LeavingAndReenteringAFolderRestoresItsView) {
  WindowFixture f;
  auto w = f.open();
  w->state().view.centerX = 123.5f;
  w->state().view.centerY = 45.25f;
  w->state().view.zoomPercent = 250;
  w->lstDataFolder->setCurrentRow(1);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Kavalo Ver.1.00　【題b】"));
  EXPECT_EQ(f.file(QStringLiteral("a/PositionRecored.txt")),
            QStringLiteral(" 123.5 , 45.25 , 0 , 250 \r\n\\MarkData.kmk\r\n"));
  w->lstDataFolder->setCurrentRow(0);
  EXPECT_EQ(w->state().view.centerX, 123.5f);
  EXPECT_EQ(w->state().view.centerY, 45.25f);
  EXPECT_EQ(w->state().view.zoomPercent, 250);
}

TEST(Startup, AFolderWithoutMapInfoWarnsAndDisablesTheView) {
  WindowFixture f;
  auto w = f.open();
  w->lstDataFolder->setCurrentRow(2);
  ASSERT_EQ(f.prompts.messages(), QStringList{QStringLiteral("設定ファイル「mapinfo.txt」が見つかりません。")});
  EXPECT_EQ(f.prompts.records[0].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(w->state().view.loaded);
  EXPECT_FALSE(w->framTime->isEnabled());
  EXPECT_FALSE(w->framZOOM->isEnabled());
  EXPECT_FALSE(w->framView->isEnabled());
  EXPECT_FALSE(w->framInfo->isEnabled());
  EXPECT_FALSE(w->cmdPrintOut->isEnabled());
  EXPECT_FALSE(w->cmdCopy->isEnabled());
  EXPECT_TRUE(w->picPrint->isHidden());

  // The failed folder never receives the previous folder's position or marks.
  w->Form_Unload();
  EXPECT_FALSE(QFile::exists(f.root.path(QStringLiteral("empty/PositionRecored.txt"))));
  EXPECT_FALSE(QFile::exists(f.root.path(QStringLiteral("empty/MarkData.kmk"))));
  // Choosing a good folder again enables everything.
}

TEST(Startup, ChoosingAGoodFolderAgainEnablesTheView) {
  WindowFixture f;
  auto w = f.open();
  w->lstDataFolder->setCurrentRow(2);
  w->lstDataFolder->setCurrentRow(1);
  EXPECT_TRUE(w->state().view.loaded);
  EXPECT_TRUE(w->framView->isEnabled());
  EXPECT_FALSE(w->picPrint->isHidden());
}

TEST(Startup, NoToTheQuitQuestionKeepsRunningAndWritesNothing) {
  WindowFixture f;
  auto w = f.open();
  w->show();
  f.prompts.answer(false);
  EXPECT_FALSE(w->close());
  EXPECT_EQ(f.prompts.questions(), QStringList{QStringLiteral("Kavaloを終了します。")});
  EXPECT_EQ(f.prompts.records.back().icon, MessageIcon::None);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(QFile::exists(f.root.path(QStringLiteral("KAVALO.ini"))));
  EXPECT_FALSE(QFile::exists(f.root.path(QStringLiteral("a/PositionRecored.txt"))));

  f.prompts.answer(true);
  EXPECT_TRUE(w->close());
  EXPECT_TRUE(QFile::exists(f.root.path(QStringLiteral("KAVALO.ini"))));
  EXPECT_TRUE(QFile::exists(f.root.path(QStringLiteral("a/PositionRecored.txt"))));
}

TEST(Startup, TheFirstLoadSizesTheWindowToTheScreen) {
  {
    WindowFixture f;
    f.screen.widthPx = 1600;
    f.screen.heightPx = 1200;
    auto w = f.open();
    EXPECT_FALSE(w->wantsMaximized());
    EXPECT_EQ(w->width(), 1200);
    EXPECT_EQ(w->height(), 900);
  }
  {
    WindowFixture f;
    f.screen.widthPx = 1024;
    f.screen.heightPx = 768;
    auto w = f.open();
    EXPECT_TRUE(w->wantsMaximized());
  }
  {
    // 10485 twips (699 pixels at 15 twips per pixel) is the least height,
    // unless the panel needs more to stay readable.
    WindowFixture f;
    f.screen.widthPx = 2000;
    f.screen.heightPx = 800;
    auto w = f.open();
    EXPECT_EQ(w->height(), std::max(699, w->minimumHeight()));
  }
}

TEST(Startup, AMissingFolderListEndsTheProgramWithAMessage) {
  test::RootFixture root;
  ScriptedPrompts prompts;
  frmSCR w(root.root(), ScreenInfo(), prompts);
  w.Form_Load();
  EXPECT_FALSE(w.startedOk());
  ASSERT_EQ(prompts.messages().size(), 1);
  EXPECT_TRUE(prompts.messages()[0].contains(QStringLiteral("dataset.txt")));
  EXPECT_TRUE(prompts.messages()[0].contains(root.root()));
  w.Form_Unload();
  EXPECT_FALSE(QFile::exists(root.path(QStringLiteral("KAVALO.ini"))));
}

TEST(Startup, AnUnreadableColourSetFileIsKeptAndNotOverwritten) {
  WindowFixture f;
  f.root.writeFile(QStringLiteral("colorset.txt"), QStringLiteral("2\n0\nonly a name\n"));
  auto w = f.open();
  ASSERT_EQ(f.prompts.messages().size(), 1);
  EXPECT_TRUE(f.prompts.messages()[0].contains(QStringLiteral("colorset.txt")));
  EXPECT_EQ(w->state().colorSets.sets.size(), 1u);
  w->Form_Unload();
  EXPECT_EQ(f.file(QStringLiteral("colorset.txt")), QStringLiteral("2\r\n0\r\nonly a name\r\n"));
  EXPECT_EQ(f.file(QStringLiteral("colorset.txt.bak")), QStringLiteral("2\r\n0\r\nonly a name\r\n"));
}

TEST(Startup, ControlsCarryTheirNamesCaptionsAndTips) {
  WindowFixture f;
  auto w = f.open();
  auto button = [&](const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); };
  ASSERT_NE(button("cmdViewTime"), nullptr);
  EXPECT_EQ(button("cmdViewTime")->text(), QStringLiteral("時期設定(&E)"));
  EXPECT_EQ(button("cmdViewTime")->toolTip(), QStringLiteral("時間に関する設定を行います"));
  EXPECT_EQ(button("cmdEnd")->toolTip(), QStringLiteral("Kavaloを終了します"));
  EXPECT_EQ(button("cnmdKML")->text(), QStringLiteral("出力(&O)"));
  ASSERT_NE(w->findChild<QGroupBox*>(QStringLiteral("framZOOM")), nullptr);
  EXPECT_EQ(w->framZOOM->title(), QStringLiteral("ズーム(Shift＋↑↓)"));
  EXPECT_EQ(w->framTime->title(), QStringLiteral("時間(Shift＋←→)"));
  for (const char* name :
       {"picBox",       "lstDataFolder", "cmdMapComment",    "cboAge",           "SliderAge",   "SliderZoom",
        "lblZoom",      "Label1",        "SliderMoveAmount", "cmdAltitudeColor", "chkAltitude", "chkTikeizu",
        "chkZukakusen", "chkLegend",     "chkScale",         "chkMark",          "lblInfo",     "lblMap",
        "cmdSokuti",    "lblOffLine",    "lblHomePage",      "cmdPosition",      "cmdWMS",      "cmdPrintOut",
        "cmdCopy",      "cmdHelp",       "lblBoxSize_0",     "lblBoxSize_1",     "lblDownload", "picPrint",
        "picTime",      "mnuPopUpMenu"})
    EXPECT_NE(w->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
  EXPECT_TRUE(w->lblDownload->isHidden());
  EXPECT_TRUE(w->lblBoxSize[1]->isHidden());
  EXPECT_EQ(w->lblOffLine->text(), QStringLiteral("オフライン"));
}

TEST(Startup, TheMapViewTakesTheRestOfTheWindow) {
  WindowFixture f;
  auto w = f.open();
  w->show();
  w->resize(900, 600);
  QCoreApplication::processEvents();
  EXPECT_EQ(w->picPrint->x(), w->picBox->x() + w->picBox->width());
  EXPECT_EQ(w->picPrint->x() + w->picPrint->width(), w->centralWidget()->width());
  EXPECT_EQ(w->picPrint->height(), w->centralWidget()->height());
  EXPECT_EQ(w->viewPicture().size(), w->picPrint->size());
  // Narrower than the panel: the map is empty, never negative.
  w->resize(100, 600);
  QCoreApplication::processEvents();
  EXPECT_GE(w->picPrint->width(), 0);
  w->Form_Unload();
}
