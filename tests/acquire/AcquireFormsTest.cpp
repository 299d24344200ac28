// SPDX-License-Identifier: MIT
// The chooser and the agency dialog through their controls.
#include <gtest/gtest.h>

#include <QApplication>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

#include "model/ProgramState.h"
#include "net/AgencyTiles.h"
#include "net/EraAppend.h"
#include "net/frmGetWatchizu.h"
#include "net/frmGetXyz.h"
#include "net/frmJinnsoku.h"
#include "net/frmSetting.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

namespace {

ProgramState agencyState() {
  ProgramState s;
  s.datasetFolder = QStringLiteral("/nonexistent/d");
  s.mapInfo.title = QStringLiteral("地域");
  s.mapInfo.orthoFlags = QStringLiteral("011001");
  s.eras.push_back(agencyEra(kAgencyMapSource, 0, 0, QDate(2024, 4, 1)));
  s.eras.push_back(agencyEra(kAgencyAirPhotoSource, 1, 0, QDate(2024, 4, 1)));
  return s;
}

NetAccess noNetwork(int& asked) {
  NetAccess net;
  net.reachable = [&asked](const QString&) {
    ++asked;
    return true;
  };
  net.fetchImage = [&asked](const QString&, const ImageRule&) {
    ++asked;
    return TransferResult{TransferOutcome::Unreachable, 0, QStringLiteral("no network"), 0, {}};
  };
  return net;
}

// Lets the window's loop run until the dialog's run has ended.
void waitForRun(const UiAcquisitionDialog& dialog) {
  QElapsedTimer clock;
  clock.start();
  while (dialog.running() && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

TEST(AcquireForms, AgencyDialogListsWhatIsLeftAndWantsAPeriod) {
  ProgramState state = agencyState();
  ScriptedPrompts prompts;
  int asked = 0;
  frmGetWatchizu dialog(state, prompts, noNetwork(asked), "http://t", "http://p");
  EXPECT_EQ(dialog.lblNo[0]->text(), "2024/04/01取得 ");
  EXPECT_EQ(dialog.lblNo[1]->text(), "まだ取得していません");
  EXPECT_EQ(dialog.lblGetOrtho->text(), "1979-1983年（空中写真）");
  // Period 1 is fetched, 2 and 5 are offered.
  ASSERT_EQ(dialog.lstAvailableOrtho->count(), 2);
  EXPECT_EQ(dialog.lstAvailableOrtho->item(0)->text(), "1984-1986年（空中写真）");
  EXPECT_EQ(dialog.lstAvailableOrtho->item(1)->text(), "東日本大震災被災地2011年5～6月撮影");
  EXPECT_TRUE(dialog.optGData[0]->isChecked());
  EXPECT_FALSE(dialog.framOrthoTIme->isVisibleTo(&dialog));

  dialog.optGData[1]->click();
  EXPECT_TRUE(dialog.framOrthoTIme->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.framMapImage[0]->isVisibleTo(&dialog));
  dialog.cmdGet->click();
  waitForRun(dialog);
  EXPECT_EQ(prompts.messages(), QStringList{"時期を選択してください。"});
  EXPECT_TRUE(prompts.questions().isEmpty());
  EXPECT_TRUE(dialog.tag().isEmpty());
  EXPECT_EQ(state.eras.size(), 2u);
}

TEST(AcquireForms, ChooserOffersRapidSurveyOnlyWhenTheDatasetDoes) {
  int asked = 0;
  for (const QString& offer : {QStringLiteral("0"), QStringLiteral("1")}) {
    ProgramState state = agencyState();
    state.mapInfo.rapidSurvey = offer;
    ScriptedPrompts prompts;
    frmSetting chooser(state, prompts, noNetwork(asked), XyzFetcher(), AcquireServers());
    EXPECT_EQ(chooser.cmdJinnsoku->isEnabled(), offer == u"1");
    EXPECT_FALSE(chooser.cmdTikeizu->isEnabled());
  }
  // Already fetched: the question, and No keeps the chooser as it was.
  ProgramState state = agencyState();
  state.mapInfo.rapidSurvey = QStringLiteral("1");
  Era rapid;
  rapid.kind = kRapidSurvey;
  state.eras.push_back(rapid);
  ScriptedPrompts prompts;
  prompts.answer(false);
  frmSetting chooser(state, prompts, noNetwork(asked), XyzFetcher(), AcquireServers());
  chooser.show();
  chooser.cmdJinnsoku->click();
  EXPECT_EQ(prompts.questions(),
            QStringList{"歴史的農業環境閲覧システムの迅速測図は取得済です。\r\n再度取得しますか？"});
  // The question offers キャンセル beside はい and いいえ.
  ASSERT_FALSE(prompts.records.empty());
  EXPECT_TRUE(prompts.records.back().withCancel);
  EXPECT_TRUE(chooser.isVisible());
  EXPECT_TRUE(chooser.tag().isEmpty());
  EXPECT_EQ(asked, 0);
}

TEST(AcquireForms, TheChooserSpeaksOfBothSourcesAndStepsAsideForTheirDialogs) {
  ProgramState state = agencyState();
  ScriptedPrompts prompts;
  int asked = 0;
  frmSetting chooser(state, prompts, noNetwork(asked), XyzFetcher(), AcquireServers());
  auto* heading = chooser.findChild<QLabel*>(QStringLiteral("lblDescription"));
  ASSERT_NE(heading, nullptr);
  EXPECT_TRUE(heading->text().contains(QStringLiteral("インターネット")));
  EXPECT_TRUE(heading->text().contains(QStringLiteral("手持ちの地図・写真")));
  // Each source's dialog, looked at while it is open: the chooser is out of
  // its way, whatever size it grows to.
  for (QPushButton* source : {chooser.cmdXyz, chooser.cmdImport}) {
    chooser.show();
    QCoreApplication::processEvents();
    bool looked = false, chooserHidden = false;
    QTimer::singleShot(0, [&] {
      QWidget* open = QApplication::activeModalWidget();
      looked = open != nullptr && open != &chooser;
      chooserHidden = !chooser.isVisible();
      if (open && open != &chooser) open->close();
    });
    source->click();
    EXPECT_TRUE(looked) << source->objectName().toStdString();
    EXPECT_TRUE(chooserHidden) << source->objectName().toStdString();
  }
}

TEST(AcquireForms, ARunLeavesTheWindowFreeAndCancelEndsItAtOnce) {
  // The map service's site answers; its cells never come (20 s of stall
  // allowed, so only the cancel can end the request).
  LoopbackServer server;
  server.serve("/site/index.html", "<html/>");
  QImage cell(256, 256, QImage::Format_RGB32);
  cell.fill(qRgb(200, 180, 150));
  server.serveStall("/wms/geoserver201/gwc/service/wms", encodePng(cell), 40);
  server.start();
  test::RootFixture root;
  ProgramState state;
  state.rootFolder = root.root();
  state.datasetFolder = root.path("d");
  QDir().mkpath(state.datasetFolder);
  state.mapInfo.title = "迅速";
  state.mapInfo.sheetsX = state.mapInfo.sheetsY = 1;
  state.mapInfo.tilesPerSheetX = state.mapInfo.tilesPerSheetY = 2;
  state.mapInfo.tileWidth = state.mapInfo.tileHeight = 64;
  state.mapInfo.west = 139.5f;
  state.mapInfo.north = 35.9f;
  ScriptedPrompts prompts;
  frmJinnsoku dialog(state, prompts, programNetAccess(), server.url("/wms"), server.url("/site"));
  dialog.show();

  // The window's own timer keeps firing while the run waits on the server.
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(10);
  dialog.cmdGet->click();
  QElapsedTimer clock;
  clock.start();
  while (server.requests().filter("/wms/").isEmpty() && clock.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  for (QElapsedTimer wait; !wait.isValid() || wait.elapsed() < 300;) {
    if (!wait.isValid()) wait.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  ASSERT_TRUE(dialog.running());
  EXPECT_GT(ticks, 5);
  EXPECT_FALSE(dialog.cmdGet->isEnabled());
  EXPECT_EQ(prompts.questions().size(), 1);

  // The close box: the request ends, the dialog closes, the folder is gone.
  clock.restart();
  dialog.close();
  while (dialog.isVisible() && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_LT(clock.elapsed(), 5000);  // long before the stall limit
  EXPECT_FALSE(dialog.running());
  EXPECT_TRUE(dialog.tag().isEmpty());
  EXPECT_TRUE(dialog.outcome().cancelled);
  EXPECT_TRUE(prompts.messages().isEmpty());
  EXPECT_FALSE(QDir(root.path("d/JINNSOKU")).exists());
  EXPECT_TRUE(state.eras.empty());
}

TEST(XyzDialog, RemembersItsAddressAndAttributionFromOneRunToTheNext) {
  ProgramState state = agencyState();
  ScriptedPrompts prompts;
  const QString configured = QStringLiteral("http://127.0.0.1:1/conf/{z}/{x}/{y}.png");
  QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kavalo"), QStringLiteral("kavalo")).clear();
  {
    frmGetXyz first(state, prompts, XyzFetcher(), configured);
    // Nothing remembered yet: the configured template, no attribution.
    EXPECT_EQ(first.txtUrl->text(), configured);
    EXPECT_TRUE(first.txtAttribution->text().isEmpty());
    // Refused at once (no {z}, {x}, {y}), but what was typed is kept.
    first.txtUrl->setText(QStringLiteral("http://127.0.0.1:1/typed.png"));
    first.txtAttribution->setText(QStringLiteral("市の地図（©市役所）"));
    first.cmdGet->click();
    QElapsedTimer clock;
    clock.start();
    while (first.running() && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(prompts.messages().size(), 1);
  }
  frmGetXyz second(state, prompts, XyzFetcher(), configured);
  EXPECT_EQ(second.txtUrl->text(), QStringLiteral("http://127.0.0.1:1/typed.png"));
  EXPECT_EQ(second.txtAttribution->text(), QStringLiteral("市の地図（©市役所）"));
}
