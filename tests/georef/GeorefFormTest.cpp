// SPDX-License-Identifier: MIT
// The georeferencer window through its controls: points placed by clicks in
// either order and by typed coordinates, the table's figures, undo and redo,
// disabling a point, the too-few message, the frame, the exchange files and
// the layout on a small screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "app/frmGeoref.h"
#include "app/frmGeorefMapView.h"
#include "app/frmGeorefScanView.h"
#include "model/ProgramState.h"
#include "net/frmImport.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

constexpr int kScanWidth = 1000;
constexpr int kScanHeight = 800;

struct GeorefForm {
  test::RootFixture root;
  test::DatasetFixture data;
  ScriptedPrompts prompts;
  ProgramState state;
  QTemporaryDir dir;
  std::unique_ptr<frmGeoref> w;

  GeorefForm() {
    root.writeDatasetList({{QStringLiteral("テスト"), QStringLiteral("d")}});
    data.folder = root.path(QStringLiteral("d"));
    data.write();
    EXPECT_TRUE(startProgram(state, root.root(), prompts));
    state.datasetFolder = data.folder;
    EXPECT_EQ(LoadDataset(state, prompts), LoadStatus::Loaded);
    open(kScanWidth, kScanHeight);
  }

  void open(int width, int height) {
    w = std::make_unique<frmGeoref>(state, prompts);
    QImage reduced(width / 2, height / 2, QImage::Format_RGB32);
    reduced.fill(QColor(200, 190, 160));
    w->session().setScan(dir.path() + QStringLiteral("/scan.png"), width, height, reduced);
    w->showScan();
    w->resize(1366, 740);
    w->show();
    QApplication::processEvents();
  }

  // The map place the scan place stands for: the scan scaled by a quarter
  // onto the map view as it first opens, in the world datum.
  GeoPoint truth(double x, double y) const {
    double lon = 0.0, lat = 0.0;
    EXPECT_TRUE(w->picMap->toWorld(QPointF(40 + x * 0.25, 30 + y * 0.25), lon, lat));
    return {lon, lat};
  }
  void addTrue(double x, double y) {
    const GeoPoint g = truth(x, y);
    w->session().addPoint(x, y, g.lon, g.lat);
  }
  // Six places spread over the scan, placed exactly.
  void addSix() {
    for (const QPointF p : {QPointF(100, 100), QPointF(900, 120), QPointF(500, 700), QPointF(150, 650),
                            QPointF(800, 600), QPointF(450, 350)})
      addTrue(p.x(), p.y());
    w->refresh();
  }
  QString cell(int row, int column) const {
    const QTableWidgetItem* item = w->tblPoints->item(row, column);
    return item ? item->text() : QString();
  }
};

void send(QWidget* on, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, on->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(on, &event);
}

void click(QWidget* on, QPointF at) {
  send(on, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  send(on, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void drag(QWidget* on, QPointF from, QPointF to) {
  send(on, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(on, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
  send(on, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  send(on, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void key(QWidget* on, int k, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, k, modifiers);
  QCoreApplication::sendEvent(on, &press);
  QKeyEvent release(QEvent::KeyRelease, k, modifiers);
  QCoreApplication::sendEvent(on, &release);
}

}  // namespace

TEST(GeorefForm, AClickOnTheScanAndOneOnTheMapMakeAPointInEitherOrder) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  // Scan first, then map.
  const GeoPoint g1 = f.truth(200, 300);
  click(w.picScan, w.picScan->toView(QPointF(200, 300)));
  EXPECT_TRUE(f.w->session().points().empty());
  EXPECT_TRUE(w.lblHint->text().contains(QStringLiteral("座標を入力")));
  click(w.picMap, w.picMap->toView(g1.lon, g1.lat));
  // Map first, then scan.
  const GeoPoint g2 = f.truth(700, 500);
  click(w.picMap, w.picMap->toView(g2.lon, g2.lat));
  EXPECT_EQ(w.session().points().size(), 1u);
  EXPECT_TRUE(w.lblHint->text().contains(QStringLiteral("画像上で同じ場所")));
  click(w.picScan, w.picScan->toView(QPointF(700, 500)));

  const auto& points = w.session().points();
  ASSERT_EQ(points.size(), 2u);
  const double scanPixel = 1.0 / w.picScan->zoom();  // a view pixel on the scan
  const struct {
    double x, y;
    GeoPoint g;
  } expected[] = {{200, 300, g1}, {700, 500, g2}};
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(points[i].scanX, expected[i].x, scanPixel);
    EXPECT_NEAR(points[i].scanY, expected[i].y, scanPixel);
    const QPointF miss =
        w.picMap->toView(points[i].lon, points[i].lat) - w.picMap->toView(expected[i].g.lon, expected[i].g.lat);
    EXPECT_LE(std::hypot(miss.x(), miss.y()), 1.0);
  }
  EXPECT_EQ(w.tblPoints->rowCount(), 2);
  EXPECT_EQ(f.cell(1, frmGeoref::ColNumber), QStringLiteral("2"));
  // A click outside the scan is no place.
  click(w.picScan, w.picScan->toView(QPointF(-50, 400)));
  EXPECT_TRUE(w.lblHint->text().contains(QStringLiteral("画像の外")));
}

TEST(GeorefForm, TheTableShowsResidualsLeaveOneOutAndTheWorstPoint) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  f.addSix();
  // A seventh point 0.002 degrees off in longitude: a wrong click.
  const GeoPoint off = f.truth(300, 200);
  w.session().addPoint(300, 200, off.lon + 0.002, off.lat);
  w.refresh();
  const GeorefAnalysis& a = w.session().analysis();
  ASSERT_TRUE(a.ok) << a.why.toStdString();
  EXPECT_EQ(a.worst, 6);
  ASSERT_EQ(w.tblPoints->rowCount(), 7);
  for (int row = 0; row < 7; ++row) {
    SCOPED_TRACE(row);
    for (int c : {frmGeoref::ColDX, frmGeoref::ColDY, frmGeoref::ColResidualPx, frmGeoref::ColResidualM,
                  frmGeoref::ColLooPx, frmGeoref::ColLooM})
      EXPECT_FALSE(f.cell(row, c).isEmpty()) << c;
  }
  EXPECT_TRUE(f.cell(6, frmGeoref::ColNumber).contains(QStringLiteral("▲")));
  EXPECT_FALSE(f.cell(0, frmGeoref::ColNumber).contains(QStringLiteral("▲")));
  // The wrong point's leave-one-out error is the largest in the table.
  const double wrong = f.cell(6, frmGeoref::ColLooM).toDouble();
  for (int row = 0; row < 6; ++row) EXPECT_LT(f.cell(row, frmGeoref::ColLooM).toDouble(), wrong);
  EXPECT_TRUE(w.lblRmse->text().contains(QString::number(a.rmsePixels, 'f', 2)));
  EXPECT_TRUE(w.lblRmse->text().contains(QString::number(a.looRmsePixels, 'f', 2)));
  EXPECT_TRUE(w.lblRmse->text().contains(QStringLiteral("7 番")));

  // Turning the wrong point off in the table: the others fit exactly.
  const double before = a.rmseMetres;
  w.tblPoints->item(6, frmGeoref::ColEnabled)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(w.session().points()[6].enabled);
  const GeorefAnalysis& after = w.session().analysis();
  ASSERT_TRUE(after.ok);
  EXPECT_LT(after.rmseMetres, before / 10);
  // Off, it is a check point: its error against the others' fit stays in
  // the table, without a leave-one-out figure.
  EXPECT_GT(f.cell(6, frmGeoref::ColResidualM).toDouble(), 20 * f.cell(0, frmGeoref::ColResidualM).toDouble());
  EXPECT_TRUE(f.cell(6, frmGeoref::ColLooM).isEmpty());
  EXPECT_TRUE(w.lblRmse->text().contains(QString::number(after.rmsePixels, 'f', 2)));
  EXPECT_FALSE(w.lblRmse->text().contains(QStringLiteral("7 番")));
}

TEST(GeorefForm, TooFewPointsSaysHowManyTheTransformNeeds) {
  const struct {
    GeorefMethod method;
    int needed;
  } cases[] = {{GeorefMethod::Helmert, 2}, {GeorefMethod::Poly1, 3},      {GeorefMethod::Poly2, 6},
               {GeorefMethod::Poly3, 10},  {GeorefMethod::Projective, 4}, {GeorefMethod::ThinPlateSpline, 3}};
  GeorefForm f;
  frmGeoref& w = *f.w;
  f.addTrue(300, 500);
  w.refresh();
  for (const auto& c : cases) {
    SCOPED_TRACE(methodKey(c.method).toStdString());
    w.cboMethod->setCurrentIndex(w.cboMethod->findData(static_cast<int>(c.method)));
    EXPECT_EQ(w.session().method(), c.method);
    const QString text = w.lblMessage->text();
    EXPECT_TRUE(text.contains(QStringLiteral("%1 点必要").arg(c.needed))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("あと %1 点").arg(c.needed - 1))) << text.toStdString();
    EXPECT_FALSE(w.cmdImport->isEnabled());
  }
  // Enough points: no message, and the import is offered.
  w.cboMethod->setCurrentIndex(w.cboMethod->findData(static_cast<int>(GeorefMethod::Poly1)));
  f.addSix();
  EXPECT_TRUE(w.lblMessage->text().isEmpty());
  EXPECT_TRUE(w.cmdImport->isEnabled());
}

TEST(GeorefForm, UndoAndRedoByKeysAndButtons) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  f.addSix();
  ASSERT_EQ(w.session().points().size(), 6u);
  w.tblPoints->selectRow(2);
  w.activateWindow();
  w.tblPoints->setFocus();
  QApplication::processEvents();
  key(w.tblPoints, Qt::Key_Delete, Qt::NoModifier);
  EXPECT_EQ(w.session().points().size(), 5u);
  EXPECT_EQ(w.tblPoints->rowCount(), 5);
  key(w.tblPoints, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.session().points().size(), 6u);
  key(w.tblPoints, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w.session().points().size(), 5u);
  w.cmdUndo->click();
  EXPECT_EQ(w.session().points().size(), 6u);
  EXPECT_TRUE(w.cmdRedo->isEnabled());
  w.cmdRedo->click();
  EXPECT_EQ(w.session().points().size(), 5u);
  // A place clicked but not yet paired goes first.
  click(w.picScan, w.picScan->toView(QPointF(600, 400)));
  w.cmdUndo->click();
  EXPECT_EQ(w.session().points().size(), 5u);
  EXPECT_FALSE(w.lblHint->text().contains(QStringLiteral("座標を入力")));
  // Renumbering closes the gap the deleted point left.
  EXPECT_EQ(f.cell(2, frmGeoref::ColNumber), QStringLiteral("4"));
  w.cmdRenumber->click();
  EXPECT_EQ(f.cell(2, frmGeoref::ColNumber), QStringLiteral("3"));
}

TEST(GeorefForm, PointsAreDraggedInBothViews) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  f.addSix();
  const ControlPoint before = w.session().points()[5];
  const QPointF from = w.picScan->toView(QPointF(before.scanX, before.scanY));
  drag(w.picScan, from, from + QPointF(20, 10));
  const ControlPoint moved = w.session().points()[5];
  EXPECT_NEAR(moved.scanX, before.scanX + 20 / w.picScan->zoom(), 1.0);
  EXPECT_NEAR(moved.scanY, before.scanY + 10 / w.picScan->zoom(), 1.0);
  EXPECT_DOUBLE_EQ(moved.lon, before.lon);

  const QPointF mapFrom = w.picMap->toView(before.lon, before.lat);
  drag(w.picMap, mapFrom, mapFrom + QPointF(0, 15));
  const ControlPoint moved2 = w.session().points()[5];
  EXPECT_DOUBLE_EQ(moved2.scanX, moved.scanX);
  EXPECT_LT(moved2.lat, before.lat);  // further south
  w.cmdUndo->click();
  w.cmdUndo->click();
  EXPECT_DOUBLE_EQ(w.session().points()[5].scanX, before.scanX);
  EXPECT_DOUBLE_EQ(w.session().points()[5].lat, before.lat);
}

TEST(GeorefForm, TypedCoordinatesCompleteAScanPlace) {
  const struct {
    const char* text;
    double lat, lon;
  } cases[] = {
      {"35.9, 139.1", 35.9, 139.1}, {"35°54′0″N 139°6′0″E", 35.9, 139.1}, {"北緯35度57分 東経139度3分", 35.95, 139.05}};
  GeorefForm f;
  frmGeoref& w = *f.w;
  size_t count = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    click(w.picScan, w.picScan->toView(QPointF(100 + 50 * count, 100)));
    w.txtCoord->setText(QString::fromUtf8(c.text));
    w.cmdAddTyped->click();
    ASSERT_EQ(w.session().points().size(), ++count);
    EXPECT_NEAR(w.session().points().back().lat, c.lat, 1e-6);
    EXPECT_NEAR(w.session().points().back().lon, c.lon, 1e-6);
  }
  // Not a place: a message, no point.
  click(w.picScan, w.picScan->toView(QPointF(500, 500)));
  w.txtCoord->setText(QStringLiteral("東の方"));
  w.cmdAddTyped->click();
  EXPECT_EQ(w.session().points().size(), count);
  EXPECT_FALSE(f.prompts.messages().isEmpty());
}

TEST(GeorefForm, TheFrameIsDrawnOnTheScan) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  w.cmdMask->click();
  ASSERT_TRUE(w.picScan->maskDrawing());
  const QPointF corners[] = {{50, 40}, {950, 40}, {950, 760}, {50, 760}};
  for (const QPointF& c : corners) click(w.picScan, w.picScan->toView(c));
  EXPECT_TRUE(w.session().mask().empty());
  click(w.picScan, w.picScan->toView(corners[0]));  // closes it
  ASSERT_EQ(w.session().mask().size(), 4u);
  EXPECT_NEAR(w.session().mask()[2].x(), 950, 1.0 / w.picScan->zoom() + 0.01);
  EXPECT_FALSE(w.cmdMask->isChecked());
  // Clicks are points again, not corners.
  click(w.picScan, w.picScan->toView(QPointF(500, 400)));
  EXPECT_EQ(w.session().mask().size(), 4u);
  w.cmdClearMask->click();
  EXPECT_TRUE(w.session().mask().empty());
}

TEST(GeorefForm, PointsSavedAndLoadedInEachFormat) {
  for (const char* suffix : {"points", "csv", "json"}) {
    SCOPED_TRACE(suffix);
    GeorefForm f;
    f.addSix();
    const QString path = f.dir.path() + QStringLiteral("/set.") + QString::fromLatin1(suffix);
    f.prompts.chooseFile(path);
    f.w->cmdSavePoints->click();
    ASSERT_TRUE(QFile::exists(path));
    const std::vector<ControlPoint> saved = f.w->session().points();

    // A fresh window on the same scan reads them back.
    f.open(kScanWidth, kScanHeight);
    f.prompts.chooseFile(path);
    f.w->cmdLoadPoints->click();
    const auto& loaded = f.w->session().points();
    ASSERT_EQ(loaded.size(), saved.size()) << f.prompts.messages().join(u'\n').toStdString();
    for (size_t i = 0; i < saved.size(); ++i) {
      EXPECT_NEAR(loaded[i].scanX, saved[i].scanX, 1e-3);
      EXPECT_NEAR(loaded[i].scanY, saved[i].scanY, 1e-3);
      EXPECT_NEAR(loaded[i].lon, saved[i].lon, 1e-7);
      EXPECT_NEAR(loaded[i].lat, saved[i].lat, 1e-7);
    }
    EXPECT_EQ(f.w->tblPoints->rowCount(), static_cast<int>(saved.size()));
  }
}

TEST(GeorefForm, ASetMadeForAnotherScanIsRefused) {
  GeorefForm f;
  f.addSix();
  const QString path = f.dir.path() + QStringLiteral("/set.json");
  f.prompts.chooseFile(path);
  f.w->cmdSavePoints->click();
  ASSERT_TRUE(QFile::exists(path));
  f.open(kScanWidth + 200, kScanHeight);
  const size_t messages = f.prompts.messages().size();
  f.prompts.chooseFile(path);
  f.w->cmdLoadPoints->click();
  EXPECT_TRUE(f.w->session().points().empty());
  EXPECT_EQ(f.prompts.messages().size(), messages + 1);
  // A damaged file: a message, nothing changed.
  const QString damaged = f.dir.path() + QStringLiteral("/damaged.points");
  test::writeBytes(damaged, QByteArray("#CRS: \nmapX,mapY,sourceX,sourceY,enable\n139.1,35."));
  f.prompts.chooseFile(damaged);
  f.w->cmdLoadPoints->click();
  EXPECT_TRUE(f.w->session().points().empty());
  EXPECT_EQ(f.prompts.messages().size(), messages + 2);
}

TEST(GeorefForm, ImportHandsTheFitOver) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  f.addTrue(300, 500);
  w.refresh();
  EXPECT_FALSE(w.cmdImport->isEnabled());
  f.addSix();
  ASSERT_TRUE(w.cmdImport->isEnabled());
  w.cmdImport->click();
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_TRUE(w.chosenWarp().has_value());
}

TEST(GeorefForm, TheLiveOverlayFollowsTheFit) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  w.updatePreview();
  f.addSix();
  w.updatePreview();
  EXPECT_GE(w.lastPreviewMs(), 0.0);
  // The scan's place on the map is covered, a place far outside it is not.
  const QImage overlay = w.picMap->overlay();
  ASSERT_FALSE(overlay.isNull());
  const GeoPoint inside = f.truth(500, 400);
  const QPointF at = w.picMap->toView(inside.lon, inside.lat) * w.picMap->devicePixelRatioF();
  EXPECT_GT(qAlpha(overlay.pixel(at.toPoint())), 200);
  EXPECT_EQ(qAlpha(overlay.pixel(0, 0)), 0);
}

TEST(GeorefForm, NothingIsCutOnASmallScreen) {
  GeorefForm f;
  frmGeoref& w = *f.w;
  f.addSix();
  w.resize(1366, 740);
  QApplication::processEvents();
  const QRect window = w.rect();
  for (const char* name :
       {"picScan",       "picMap",       "cboMethod", "cboEra",        "cboCrs",         "txtCoord",    "cmdAddTyped",
        "tblPoints",     "sldOpacity",   "sldSwipe",  "cmdRotateLeft", "cmdRotateRight", "cmdFit",      "cmdMask",
        "cmdLoadMask",   "cmdClearMask", "cmdUndo",   "cmdRedo",       "cmdDelete",      "cmdRenumber", "cmdLoadPoints",
        "cmdSavePoints", "cmdGeoTiff",   "cmdImport", "cmdClose",      "lblRmse"}) {
    SCOPED_TRACE(name);
    auto* c = w.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    const QRect r(c->mapTo(&w, QPoint(0, 0)), c->size());
    EXPECT_TRUE(window.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    // Captions are not shortened.
    if (qobject_cast<QPushButton*>(c) || qobject_cast<QComboBox*>(c)) {
      EXPECT_GE(c->width(), c->minimumSizeHint().width());
    }
  }
  // Both views have room to place points, and the table shows several rows.
  EXPECT_GE(w.picScan->height(), 250);
  EXPECT_GE(w.picMap->width(), 400);
  EXPECT_GE(w.tblPoints->height(), 4 * w.tblPoints->rowHeight(0));
  const QString rmse = w.lblRmse->text();
  EXPECT_GE(w.lblRmse->width(), w.lblRmse->fontMetrics().horizontalAdvance(rmse));
}

TEST(GeorefForm, TheImportDialogOpensTheGeoreferencerAndKeepsItsFitForItsScanOnly) {
  GeorefForm f;
  frmImport import(f.state, f.prompts);
  EXPECT_TRUE(import.cmdGeoref->isHidden());  // nothing to open it with
  QStringList opened;
  import.setGeoreferencer([&opened](frmImport& d) { opened << d.txtFile->text();
});
EXPECT_FALSE(import.cmdGeoref->isHidden());
// No file chosen: a message, nothing opened.
import.cmdGeoref->click();
EXPECT_TRUE(opened.isEmpty());
EXPECT_EQ(f.prompts.messages().size(), 1);
const QString scan = f.dir.path() + QStringLiteral("/plain.png");
test::writeSolidImage(scan, 300, 200, Qt::white);
import.txtFile->setText(scan);
import.txtFile_Changed();
// A plain scan: the check says how to place it.
EXPECT_TRUE(import.lblCheck->text().contains(QStringLiteral("位置合わせ...")));
import.cmdGeoref->click();
EXPECT_EQ(opened, QStringList{scan});

// The fit is kept for that scan, and dropped when another file is chosen.
f.addSix();
GeorefWarp plan;
QString why;
ASSERT_TRUE(f.w->session().warpPlan(plan, &why)) << why.toStdString();
import.setGeoreferencing(plan);
EXPECT_TRUE(import.georeferenced());
import.txtFile->setText(f.dir.path() + QStringLiteral("/other.png"));
import.txtFile_Changed();
EXPECT_FALSE(import.georeferenced());
}
