// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "geo/OpenFileDialog.h"
#include "geo/PositionOverview.h"
#include "geo/frmPosition.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"
#include "support/PlaceNameFixture.h"

using namespace kavalo;

namespace {

MapInfo gridInfo(int tileWidth, int tileHeight, int cols, int rows) {
  MapInfo m;
  m.tileWidth = tileWidth;
  m.tileHeight = tileHeight;
  m.sheetsX = cols;
  m.sheetsY = rows;
  m.tilesPerSheetX = 1;
  m.tilesPerSheetY = 1;
  m.west = 139.0f;
  m.north = 36.0f;
  deriveGrid(m, nullptr);
  return m;
}

// A loaded data folder "d" (4 x 4 tiles of 100 x 80 in 2 x 2 sheets, two
// scanned eras, an elevation grid, a gazetteer), viewed in 400 x 300 pixels.
struct DialogFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  ScriptedPrompts prompts;
  ProgramState state;
  std::vector<test::PlaceRecord> places = {
      {QStringLiteral("新宿駅"), 139.05f, 35.95f, 4, QStringLiteral("しんじゅくえき")},
      {QStringLiteral("駅前通"), 139.10f, 35.90f, 2, QStringLiteral("えきまえどおり")},
      {QStringLiteral("高尾山"), 139.20f, 35.85f, 3, QString()},
      {QStringLiteral("東駅前"), 139.15f, 35.88f, 6, QStringLiteral("ひがしえきまえ")},
  };

  DialogFixture() {
    root.writeDatasetList({{QStringLiteral("テスト"), QStringLiteral("d")}});
    data.folder = root.path(QStringLiteral("d"));
  }
  QString file(const QString& name) const { return data.folder + u'/' + name; }
  void load(bool withGrid = true) {
    data.write();
    if (!withGrid) QFile::remove(file(QStringLiteral("altitude.dat")));
    test::writeBytes(file(QStringLiteral("placename.dat")), test::placeNameFileBytes(places));
    ASSERT_TRUE(startProgram(state, root.root(), prompts));
    state.datasetFolder = data.folder;
    ASSERT_EQ(LoadDataset(state, prompts), LoadStatus::Loaded);
    state.view.viewWidth = 400;
    state.view.viewHeight = 300;
    prompts.records.clear();
  }
  void addMarks(const QStringList& names) {
    for (int i = 0; i < names.size(); ++i) state.marks.add(Mark{35.9f - 0.01f * i, 139.1f + 0.01f * i, names[i]});
  }
};

QStringList rows(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace

// ---- Geometry

TEST(PositionOverview, AWideDatasetFillsTheWidthAndIsCentredVertically) {
  const OverviewGeometry g = computeOverviewGeometry(300, gridInfo(100, 80, 4, 4));  // 400 x 320
  EXPECT_EQ(g.drawW, 300.0f);
  EXPECT_EQ(g.drawH, 240.0f);
  EXPECT_EQ(g.offX, 0.0f);
  EXPECT_EQ(g.offY, 30.0f);
  EXPECT_EQ(g.cw, 75.0f);
  EXPECT_EQ(g.ch, 60.0f);
  EXPECT_EQ(overviewTileRect(g, 0, 0), QRect(0, 30, 76, 61));
  EXPECT_EQ(overviewTileRect(g, 3, 3), QRect(225, 210, 76, 61));
}

TEST(PositionOverview, ATallDatasetFillsTheHeightAndIsCentredHorizontally) {
  const OverviewGeometry g = computeOverviewGeometry(300, gridInfo(100, 150, 4, 4));  // 400 x 600
  EXPECT_EQ(g.drawH, 300.0f);
  EXPECT_EQ(g.drawW, 200.0f);
  EXPECT_EQ(g.offY, 0.0f);
  EXPECT_EQ(g.offX, 50.0f);
  EXPECT_EQ(g.cw, 50.0f);
  EXPECT_EQ(g.ch, 75.0f);
  EXPECT_EQ(overviewTileRect(g, 1, 2), QRect(100, 150, 51, 76));
  // A square one fills the whole square.
  const OverviewGeometry s = computeOverviewGeometry(300, gridInfo(100, 100, 3, 3));
  EXPECT_EQ(s.drawW, 300.0f);
  EXPECT_EQ(s.drawH, 300.0f);
  EXPECT_EQ(s.offX, 0.0f);
  EXPECT_EQ(s.offY, 0.0f);
}

TEST(PositionOverview, TheFrameStandsForTheViewAndConvertsBack) {
  const OverviewGeometry g = computeOverviewGeometry(300, gridInfo(100, 80, 4, 4));
  const ImageRect view{100, 80, 180, 140};  // centre (140, 110)
  // 100 / 400 x 300 = 75, 80 / 320 x 240 + 30 = 90; 80 x 0.75 = 60, 60 x 0.75 = 45.
  EXPECT_EQ(overviewViewRect(g, view), QRectF(75, 90, 60, 45));
  const QRect frame = overviewFrameRect(g, view);
  EXPECT_EQ(frame, QRect(74, 89, 62, 47));
  ImagePoint c = overviewFrameToCentre(g, frame);
  EXPECT_FLOAT_EQ(c.x, 140.0f);
  EXPECT_FLOAT_EQ(c.y, 110.0f);
  // Moved by (30, -15) overview pixels: (40, -20) image pixels.
  c = overviewFrameToCentre(g, frame.translated(30, -15));
  EXPECT_FLOAT_EQ(c.x, 180.0f);
  EXPECT_FLOAT_EQ(c.y, 90.0f);
}

TEST(PositionOverview, OnlyScannedErasAreVeiledWhereTheirSheetIsMissing) {
  MapInfo info = gridInfo(100, 80, 2, 2);
  info.tilesPerSheetX = 2;
  info.tilesPerSheetY = 2;
  deriveGrid(info, nullptr);
  SheetHistory history;
  history.reset(2, 2, 3);
  history.set(0, 0, 2, 0, QStringLiteral("版"));  // era of history column 1 has sheet (0, 0)
  history.set(1, 0, 2, 1, QStringLiteral("-1"));  // sheet (1, 0) borrowed: still no own sheet
  Era scanned;
  scanned.kind = kScannedSheets;
  scanned.historyColumn = 1;
  EXPECT_FALSE(overviewTileVeiled(info, history, scanned, 0, 0));
  EXPECT_FALSE(overviewTileVeiled(info, history, scanned, 1, 1));  // same sheet
  EXPECT_TRUE(overviewTileVeiled(info, history, scanned, 2, 0));
  EXPECT_TRUE(overviewTileVeiled(info, history, scanned, 0, 2));
  Era photo;
  photo.kind = kAerialPhoto;
  EXPECT_FALSE(overviewTileVeiled(info, history, photo, 2, 0));
}

// ---- The dialog: overview and frame

TEST(PositionDialog, TheOverviewShowsThePiecesVeilsMissingSheetsAndPlacesTheFrame) {
  DialogFixture f;
  f.load();
  // Era 0 lacks its own sheet at sheet cell (1, 1): tiles 2..3 x 2..3.
  f.state.history.set(1, 1, 1, 0, QString());
  frmPosition plain(f.state, f.prompts);
  const QImage veiled = plain.overviewImage();
  f.state.history.set(1, 1, 1, 0, QStringLiteral("版"));
  frmPosition full(f.state, f.prompts);
  const QImage unveiled = full.overviewImage();
  EXPECT_EQ(f.prompts.maxWaitDepth, 1);
  EXPECT_EQ(f.prompts.waitDepth, 0);

  const OverviewGeometry& g = plain.overviewGeometry();
  ASSERT_EQ(veiled.size(), QSize(frmPosition::kOverviewSide, frmPosition::kOverviewSide));
  // Above and below the mosaic the square stays white.
  EXPECT_EQ(veiled.pixel(150, 5) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(veiled.pixel(150, 295) & 0xFFFFFF, 0xFFFFFFu);
  // Inside a tile of the missing sheet: the elevation colour under white at 100 of 255.
  const QRect t = overviewTileRect(g, 3, 2);
  const QPoint inVeil = t.center();
  const QColor under = unveiled.pixelColor(inVeil);
  const QColor over = veiled.pixelColor(inVeil);
  ASSERT_NE(under, QColor(Qt::white));
  auto blend = [](int c) { return c + (255 - c) * 100.0 / 255.0; };
  EXPECT_NEAR(over.red(), blend(under.red()), 1.5);
  EXPECT_NEAR(over.green(), blend(under.green()), 1.5);
  EXPECT_NEAR(over.blue(), blend(under.blue()), 1.5);
  // Elsewhere nothing changes, and no tile boundary inside the veil is paler.
  const QPoint outside = overviewTileRect(g, 0, 2).center();
  EXPECT_EQ(veiled.pixel(outside), unveiled.pixel(outside));
  const int seamX = t.x();  // the overlap column of tiles 2 and 3
  EXPECT_NEAR(veiled.pixelColor(seamX, inVeil.y()).red(), blend(unveiled.pixelColor(seamX, inVeil.y()).red()), 1.5);

  // The frame is one pixel outside the view's rectangle; the black outline lies inside it.
  const QRect frame = overviewFrameRect(g, f.state.viewport().Get_ViewRect());
  EXPECT_EQ(plain.picFrame->geometry(), frame);
  EXPECT_EQ(veiled.pixel(frame.x() + 1, frame.center().y()) & 0xFFFFFF, 0u);
  EXPECT_EQ(veiled.pixel(frame.right() - 1, frame.center().y()) & 0xFFFFFF, 0u);
  EXPECT_EQ(veiled.pixel(frame.center().x(), frame.y() + 1) & 0xFFFFFF, 0u);
  EXPECT_EQ(veiled.pixel(frame.center().x(), frame.bottom() - 1) & 0xFFFFFF, 0u);
  EXPECT_TRUE(plain.lblblancCap->isVisibleTo(&plain));
}

TEST(PositionDialog, WithoutAGridTheOverviewIsWhiteAndOtherErasHaveNoNote) {
  DialogFixture f;
  f.load(false);
  Era photo;
  photo.name = QStringLiteral("P");
  photo.kind = kAerialPhoto;
  f.state.eras.push_back(photo);
  f.state.view.eraIndex = static_cast<int>(f.state.eras.size()) - 1;
  frmPosition dialog(f.state, f.prompts);
  const QImage& img = dialog.overviewImage();
  const QRect frame = dialog.picFrame->geometry();
  int nonWhite = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF && !frame.contains(x, y)) ++nonWhite;
  EXPECT_EQ(nonWhite, 0);
  EXPECT_FALSE(dialog.lblblancCap->isVisibleTo(&dialog));
}

TEST(PositionDialog, OkKeepsTheCentreOrTakesTheMovedFrame) {
  DialogFixture f;
  f.load();
  f.state.view.centerX = 150.0f;
  f.state.view.centerY = 170.0f;
  const double imagePerOverview = 400.0 / 300.0;
  {
    frmPosition dialog(f.state, f.prompts);
    dialog.cmdOK_Click();
    EXPECT_EQ(dialog.closeReason(), 1);
    EXPECT_FALSE(dialog.DialogCancelled());
    EXPECT_NEAR(f.state.view.centerX, 150.0, imagePerOverview);
    EXPECT_NEAR(f.state.view.centerY, 170.0, imagePerOverview);
  }
  f.state.view.centerX = 150.0f;
  f.state.view.centerY = 170.0f;
  {
    // Dragged: grabbed at (5, 6) inside the frame, moved, dropped 30 right and 15 up.
    frmPosition dialog(f.state, f.prompts);
    const QPoint start = dialog.picFrame->pos();
    dialog.picFrame_MouseDown(QPoint(5, 6));
    dialog.picFrame_MouseMove(QPoint(25, 0));
    EXPECT_EQ(dialog.picFrame->pos(), start + QPoint(20, -6));
    dialog.picFrame_MouseUp(QPoint(15, -3));
    EXPECT_EQ(dialog.picFrame->pos(), start + QPoint(30, -15));
    // A move without a press does nothing.
    dialog.picFrame_MouseMove(QPoint(90, 90));
    EXPECT_EQ(dialog.picFrame->pos(), start + QPoint(30, -15));
    dialog.cmdOK_Click();
    EXPECT_NEAR(f.state.view.centerX, 150.0 + 30 * imagePerOverview, imagePerOverview);
    EXPECT_NEAR(f.state.view.centerY, 170.0 - 15 * imagePerOverview, imagePerOverview);
  }
  {
    // A click on the overview centres the frame there: (75, 150) is image (100, 160).
    frmPosition dialog(f.state, f.prompts);
    dialog.picPosition_MouseUp(QPoint(75, 150));
    const QRect frame = dialog.picFrame->geometry();
    EXPECT_NEAR(frame.x() + frame.width() / 2.0, 75.0, 0.5);
    EXPECT_NEAR(frame.y() + frame.height() / 2.0, 150.0, 0.5);
    dialog.cmdOK_Click();
    EXPECT_NEAR(f.state.view.centerX, 100.0, imagePerOverview);
    EXPECT_NEAR(f.state.view.centerY, 160.0, imagePerOverview);
  }
}

TEST(PositionDialog, CancelAndClosingLeaveTheViewAlone) {
  DialogFixture f;
  f.load();
  f.state.view.centerX = 150.0f;
  {
    frmPosition dialog(f.state, f.prompts);
    dialog.picPosition_MouseUp(QPoint(10, 10));
    dialog.cmdCancel_Click();
    EXPECT_EQ(dialog.closeReason(), 2);
    EXPECT_TRUE(dialog.DialogCancelled());
  }
  {
    frmPosition dialog(f.state, f.prompts);
    dialog.show();
    dialog.close();
    EXPECT_EQ(dialog.closeReason(), 0);
    EXPECT_TRUE(dialog.DialogCancelled());
  }
  EXPECT_EQ(f.state.view.centerX, 150.0f);
}

// ---- Search

TEST(PositionDialog, SearchListsRowsInPassOrderAndPickingMovesTheView) {
  DialogFixture f;
  f.load();
  frmPosition dialog(f.state, f.prompts);
  dialog.txtSearch->setText(QStringLiteral("駅"));
  dialog.cmdSearch_Click();
  EXPECT_EQ(rows(dialog.lstSearch),
            (QStringList{QStringLiteral("駅前通（えきまえどおり）居住"), QStringLiteral("新宿駅（しんじゅくえき）交通"),
                         QStringLiteral("東駅前（ひがしえきまえ）")}));
  EXPECT_TRUE(f.prompts.records.empty());
  EXPECT_EQ(dialog.closeReason(), 0);  // filling the list picks nothing

  dialog.lstSearch->setCurrentRow(1);  // a click, or the arrow keys
  EXPECT_EQ(dialog.closeReason(), 1);
  const ImagePoint c = LatLonToImage(f.state.mapInfo, 35.95f, 139.05f, 0);
  EXPECT_EQ(f.state.view.centerX, c.x);
  EXPECT_EQ(f.state.view.centerY, c.y);
  EXPECT_EQ(f.state.marks.count(), 0);
  EXPECT_FALSE(dialog.marksChanged());
}

TEST(PositionDialog, PickingWithAddToMarksAddsAMarkInTheWorldDatum) {
  DialogFixture f;
  f.load();
  f.addMarks({QStringLiteral("既存")});
  frmPosition dialog(f.state, f.prompts);
  dialog.chkMarkSet->setChecked(true);
  dialog.txtSearch->setText(QStringLiteral("高尾山"));
  dialog.cmdSearch_Click();
  ASSERT_EQ(dialog.lstSearch->count(), 1);
  dialog.lstSearch->setCurrentRow(0);
  ASSERT_EQ(f.state.marks.count(), 2);
  const Mark& m = f.state.marks.at(1);
  EXPECT_EQ(m.name, QStringLiteral("高尾山"));
  // Read on the Tokyo graticule the mark lies off the place by the world-datum
  // frame offset (12, -8); on its own graticule it is the place.
  const ImagePoint place = LatLonToImage(f.state.mapInfo, 35.85f, 139.20f, 0);
  const ImagePoint asTokyo = LatLonToImage(f.state.mapInfo, m.lat, m.lon, 0);
  const ImagePoint asWorld = LatLonToImage(f.state.mapInfo, m.lat, m.lon, 1);
  // (A single's last digit at 139 degrees is 0.024 image pixels here.)
  EXPECT_NEAR(place.x - asTokyo.x, 12.0, 0.05);
  EXPECT_NEAR(place.y - asTokyo.y, -8.0, 0.05);
  EXPECT_NEAR(asWorld.x, place.x, 0.05);
  EXPECT_NEAR(asWorld.y, place.y, 0.05);
  EXPECT_TRUE(dialog.marksChanged());
}

TEST(PositionDialog, NothingFoundSaysSoAndAnEmptyGazetteerFindsNothing) {
  DialogFixture f;
  f.places.clear();
  f.load();
  frmPosition dialog(f.state, f.prompts);
  dialog.txtSearch->setText(QStringLiteral("駅"));
  dialog.cmdSearch_Click();
  EXPECT_EQ(dialog.lstSearch->count(), 0);
  EXPECT_EQ(f.prompts.messages(), QStringList{QStringLiteral("検索条件に当てはまる地名は見つかりませんでした。")});
  EXPECT_EQ(dialog.closeReason(), 0);
}

TEST(PositionDialog, TheFocusOnTheSearchBoxMakesEnterSearch) {
  DialogFixture f;
  f.load();
  frmPosition dialog(f.state, f.prompts);
  EXPECT_TRUE(dialog.cmdOK->isDefault());
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QCoreApplication::sendEvent(dialog.txtSearch, &focusIn);
  EXPECT_TRUE(dialog.cmdSearch->isDefault());
  EXPECT_FALSE(dialog.cmdOK->isDefault());
  // Tabbing into the result list only sets its current row: nothing is picked.
  dialog.txtSearch->setText(QStringLiteral("駅"));
  dialog.cmdSearch_Click();
  dialog.lstSearch->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  EXPECT_EQ(dialog.closeReason(), 0);
}

// ---- Marks

TEST(PositionDialog, TheMarkListShowsNumberedNamesAndTheFileName) {
  DialogFixture f;
  f.load();
  f.addMarks({QStringLiteral("A"), QStringLiteral("駅前")});
  f.state.names[kMarksFile] = QStringLiteral("\\sub\\mine.kmk");
  frmPosition dialog(f.state, f.prompts);
  EXPECT_EQ(rows(dialog.lstMark), (QStringList{QStringLiteral("1:A"), QStringLiteral("2:駅前")}));
  EXPECT_EQ(dialog.lblMarkFile->text(), QStringLiteral("submine.kmk"));
}

TEST(PositionDialog, JumpingToAMarkChecksTheDatasetBounds) {
  DialogFixture f;
  f.load();
  f.addMarks({QStringLiteral("内")});
  f.state.marks.add(Mark{35.5f, 139.1f, QStringLiteral("南の外")});
  const float x = f.state.view.centerX;
  frmPosition dialog(f.state, f.prompts);
  dialog.cmdMarkJump_Click();  // nothing selected: nothing happens
  EXPECT_EQ(dialog.closeReason(), 0);
  EXPECT_TRUE(f.prompts.records.empty());

  dialog.lstMark->setCurrentRow(1);
  dialog.cmdMarkJump_Click();
  EXPECT_EQ(f.prompts.messages(), QStringList{QStringLiteral("地図領域からはずれています。")});
  EXPECT_EQ(dialog.closeReason(), 0);
  EXPECT_EQ(f.state.view.centerX, x);

  dialog.lstMark->setCurrentRow(0);
  dialog.cmdMarkJump_Click();
  EXPECT_EQ(dialog.closeReason(), 1);
  const ImagePoint c = LatLonToImage(f.state.mapInfo, 35.9f, 139.1f, 1);
  EXPECT_EQ(f.state.view.centerX, c.x);
  EXPECT_EQ(f.state.view.centerY, c.y);
}

TEST(PositionDialog, DeletingMarksTwoAndFourOfFiveKeepsOneThreeFive) {
  DialogFixture f;
  f.load();
  f.addMarks(
      {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"), QStringLiteral("四"), QStringLiteral("五")});
  frmPosition dialog(f.state, f.prompts);
  dialog.cmdMarkDelete_Click();
  EXPECT_EQ(f.prompts.messages(), QStringList{QStringLiteral("削除する目印を選択してください。")});
  EXPECT_TRUE(f.prompts.questions().isEmpty());

  dialog.lstMark->item(1)->setSelected(true);
  dialog.lstMark->item(3)->setSelected(true);
  f.prompts.answer(false);
  dialog.cmdMarkDelete_Click();
  EXPECT_EQ(f.state.marks.count(), 5);
  EXPECT_FALSE(dialog.marksChanged());

  f.prompts.answer(true);
  dialog.cmdMarkDelete_Click();
  EXPECT_EQ(f.prompts.questions(), (QStringList{QStringLiteral("目印を削除します。よろしいですか？"),
                                                QStringLiteral("目印を削除します。よろしいですか？")}));
  ASSERT_EQ(f.state.marks.count(), 3);
  EXPECT_EQ(f.state.marks.at(0).name, QStringLiteral("一"));
  EXPECT_EQ(f.state.marks.at(1).name, QStringLiteral("三"));
  EXPECT_EQ(f.state.marks.at(2).name, QStringLiteral("五"));
  EXPECT_EQ(rows(dialog.lstMark),
            (QStringList{QStringLiteral("1:一"), QStringLiteral("2:三"), QStringLiteral("3:五")}));
  EXPECT_TRUE(dialog.marksChanged());
  EXPECT_TRUE(dialog.DialogCancelled());
}

TEST(PositionDialog, LoadingAnotherMarksFileSavesTheCurrentMarksFirst) {
  DialogFixture f;
  f.load();
  f.addMarks({QStringLiteral("今の")});
  const QString other = f.root.path(QStringLiteral("other.kmk"));
  test::writeSjis(other, QStringLiteral(" 2 \n 35.9 , 139.1 ,別A\n 35.8 , 139.2 ,別B\n"));
  frmPosition dialog(f.state, f.prompts);

  // Cancelled: nothing changes.
  f.prompts.chooseFile(QString());
  dialog.cmdMarkFile_Click();
  EXPECT_EQ(f.prompts.lastFileTitle, QStringLiteral("記号ファイル読み込み"));
  EXPECT_EQ(f.prompts.lastFileFolder, f.data.folder);
  ASSERT_EQ(f.prompts.lastFileFilters.size(), 1u);
  EXPECT_EQ(f.prompts.lastFileFilters[0], std::make_pair(QStringLiteral("地図ファイル"), QStringLiteral("*.kmk")));
  EXPECT_FALSE(QFile::exists(f.file(QStringLiteral("MarkData.kmk"))));
  EXPECT_EQ(f.state.marks.count(), 1);

  f.prompts.chooseFile(other);
  dialog.cmdMarkFile_Click();
  MarkList saved;
  ASSERT_TRUE(Get_MarkFile(f.file(QStringLiteral("MarkData.kmk")), saved, nullptr));
  ASSERT_EQ(saved.count(), 1);
  EXPECT_EQ(saved.at(0).name, QStringLiteral("今の"));
  EXPECT_EQ(rows(dialog.lstMark), (QStringList{QStringLiteral("1:別A"), QStringLiteral("2:別B")}));
  EXPECT_EQ(dialog.lblMarkFile->text(), QStringLiteral("MarkData.kmk"));
  EXPECT_EQ(f.state.names[kMarksFile], QStringLiteral("\\MarkData.kmk"));
  EXPECT_TRUE(dialog.marksChanged());
  EXPECT_TRUE(f.prompts.records.empty());
}

TEST(PositionDialog, AMarksFileThatCannotBeReadLeavesTheCurrentMarks) {
  DialogFixture f;
  f.load();
  f.addMarks({QStringLiteral("今の")});
  const QString broken = f.root.path(QStringLiteral("broken.kmk"));
  test::writeSjis(broken, QStringLiteral(" 3 \n 35.9 , 139.1 ,A\n"));
  frmPosition dialog(f.state, f.prompts);
  f.prompts.chooseFile(broken);
  dialog.cmdMarkFile_Click();
  ASSERT_EQ(f.prompts.messages().size(), 1);
  EXPECT_TRUE(f.prompts.messages()[0].contains(QStringLiteral("目印ファイル")));
  ASSERT_EQ(f.state.marks.count(), 1);
  EXPECT_EQ(f.state.marks.at(0).name, QStringLiteral("今の"));
  EXPECT_EQ(rows(dialog.lstMark), QStringList{QStringLiteral("1:今の")});
}

TEST(PositionDialog, MarksThatCannotBeSavedAreNotReplaced) {
  DialogFixture f;
  f.load();
  f.addMarks({QStringLiteral("今の")});
  // The marks file's place is taken by a folder: the save fails.
  QDir().mkpath(f.file(QStringLiteral("MarkData.kmk")));
  const QString other = f.root.path(QStringLiteral("other.kmk"));
  test::writeSjis(other, QStringLiteral(" 1 \n 35.9 , 139.1 ,別\n"));
  frmPosition dialog(f.state, f.prompts);
  f.prompts.chooseFile(other);
  dialog.cmdMarkFile_Click();
  EXPECT_EQ(f.prompts.messages().size(), 1);
  ASSERT_EQ(f.state.marks.count(), 1);
  EXPECT_EQ(f.state.marks.at(0).name, QStringLiteral("今の"));
}

TEST(OpenFileDialog, FilterListsArePairsSeparatedByTabs) {
  using Pairs = std::vector<std::pair<QString, QString>>;
  EXPECT_EQ(parseFilterList(QStringLiteral("地図ファイル\t*.kmk")),
            (Pairs{{QStringLiteral("地図ファイル"), QStringLiteral("*.kmk")}}));
  EXPECT_EQ(parseFilterList(QStringLiteral("A\t*.a\tB\t*.b\tC")),
            (Pairs{{QStringLiteral("A"), QStringLiteral("*.a")}, {QStringLiteral("B"), QStringLiteral("*.b")}}));
  EXPECT_TRUE(parseFilterList(QString()).empty());
  ScriptedPrompts prompts;
  prompts.chooseFile(QStringLiteral("/tmp/x/y.kmk"));
  const FileChoice c =
      Open_FileDialog(prompts, QStringLiteral("/tmp/x"), QStringLiteral("題"), QStringLiteral("A\t*.a"));
  EXPECT_TRUE(c.chosen);
  EXPECT_EQ(c.path, QStringLiteral("/tmp/x/y.kmk"));
  EXPECT_EQ(c.fileName, QStringLiteral("y.kmk"));
  EXPECT_EQ(prompts.lastFileTitle, QStringLiteral("題"));
}
