// SPDX-License-Identifier: MIT
// The user's own files, the ruler, positions, links and the overview in the
// window: what the panel and the pop-up menu do to the map, the data folder's
// list of files and the clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include "app/UiMapView.h"
#include "app/UiOverview.h"
#include "app/frmSCR.h"
#include "geo/PositionText.h"
#include "geo/ViewLink.h"
#include "geo/frmPosition.h"
#include "model/OverlayList.h"
#include "platform/Prompts.h"
#include "render/CompareComposer.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

struct OverlayWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  std::unique_ptr<frmSCR> w;

  OverlayWindow() {
    root.writeDatasetList(
        {{QStringLiteral("地域"), QStringLiteral("a")}, {QStringLiteral("地域B"), QStringLiteral("b")}});
    for (const char* folder : {"a", "b"}) {
      test::DatasetFixture d;
      d.folder = root.path(QString::fromLatin1(folder));
      d.write();
    }
    open();
  }
  ~OverlayWindow() { close(); }
  void open() {
    ScreenInfo screen;
    screen.widthPx = 1600;
    screen.heightPx = 1200;
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->resize(900, 700);
    QCoreApplication::processEvents();
    w->PrintGazo();
  }
  void close() {
    if (w) w->Form_Unload();
    w.reset();
  }
  ProgramState& state() { return w->state(); }

  // A GeoJSON file of one point at image position (x, y) of the region.
  QString pointFile(const char* name, float x, float y) {
    const LatLon ll = ImageToLatLon(state().mapInfo, x, y, 1);
    // Inside the data folder: the list keeps it by a relative path.
    const QString path = root.path(QStringLiteral("a/") + QString::fromLatin1(name));
    test::writeBytes(path,
                     QStringLiteral("{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\","
                                    "\"properties\":{},\"geometry\":{\"type\":\"Point\",\"coordinates\":[%1,%2]}}]}")
                         .arg(ll.lon, 0, 'f', 7)
                         .arg(ll.lat, 0, 'f', 7)
                         .toUtf8());
    return path;
  }
  QByteArray listFile() {
    QFile f(OverlayList::fileIn(state().datasetFolder));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void click(QWidget* on, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent press(QEvent::MouseButtonPress, at, on->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(on, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, on->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(on, &release);
  }
};

// Pixels that differ within 8 pixels of a point.
int changedAround(const QImage& a, const QImage& b, QPoint at) {
  int changed = 0;
  for (int y = at.y() - 8; y <= at.y() + 8; ++y)
    for (int x = at.x() - 8; x <= at.x() + 8; ++x)
      if (a.valid(x, y) && a.pixel(x, y) != b.pixel(x, y)) ++changed;
  return changed;
}

}  // namespace

TEST(OverlayWindow, FilesOpenOverEveryEraComeBackAtTheNextStartAndKeepTheirOrder) {
  OverlayWindow f;
  const ImagePoint centre{f.state().view.centerX, f.state().view.centerY};
  const QString first = f.pointFile("one.geojson", centre.x, centre.y);
  const QString second = f.pointFile("two.geojson", centre.x + 20, centre.y);

  // Opened from the panel's button: listed, kept beside the data folder,
  // drawn where the coordinate model puts the point.
  f.prompts.chooseFile(first);
  f.w->cmdOverlayOpen_Click();
  ASSERT_EQ(f.w->lstOverlay->count(), 1);
  EXPECT_TRUE(f.w->lstOverlay->item(0)->text().startsWith(QStringLiteral("one.geojson")));
  EXPECT_FALSE(f.w->framOverlay->isHidden());
  const QImage with = f.w->viewPicture().copy();
  const QPoint at = f.state().viewport().ImageToScreen(static_cast<int>(centre.x), static_cast<int>(centre.y));
  const double ratio = f.w->viewPixelRatio();
  const QPoint target(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio));
  f.w->lstOverlay->item(0)->setCheckState(Qt::Unchecked);
  const QImage without = f.w->viewPicture().copy();
  EXPECT_GT(changedAround(with, without, target), 4);
  EXPECT_EQ(f.listFile(), QByteArray("0\tone.geojson\n"));
  f.w->lstOverlay->item(0)->setCheckState(Qt::Checked);
  EXPECT_EQ(f.w->viewPicture(), with);
  f.prompts.chooseFile(second);
  f.w->cmdOverlayOpen_Click();
  EXPECT_EQ(f.listFile(), QByteArray("1\tone.geojson\n1\ttwo.geojson\n"));
  // The top row is the file drawn last.
  EXPECT_TRUE(f.w->lstOverlay->item(0)->text().startsWith(QStringLiteral("two.geojson")));

  // Off: the map is what it was without the file; the list remembers it off.
  f.w->lstOverlay->item(1)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(f.listFile(), QByteArray("0\tone.geojson\n1\ttwo.geojson\n"));
  EXPECT_EQ(changedAround(f.w->viewPicture(), without, target), 0);
  // Order: the selected file drawn over the other.
  f.w->lstOverlay->setCurrentRow(1);
  ASSERT_TRUE(f.w->cmdOverlayUp->isEnabled());
  f.w->cmdOverlayUp->click();
  EXPECT_EQ(f.listFile(), QByteArray("1\ttwo.geojson\n0\tone.geojson\n"));
  EXPECT_EQ(f.w->lstOverlay->currentRow(), 0);

  // A file that cannot be read is refused with its name; nothing changes.
  const QString broken = f.root.path(QStringLiteral("broken.gpx"));
  test::writeBytes(broken, "<gpx><trk><trkseg><trkpt lat=");
  f.prompts.chooseFile(broken);
  f.w->cmdOverlayOpen_Click();
  ASSERT_EQ(f.prompts.messages().size(), 1);
  EXPECT_TRUE(f.prompts.messages()[0].contains(QStringLiteral("broken.gpx")));
  EXPECT_EQ(f.w->lstOverlay->count(), 2);

  // The next start: the same files, on and off as they were, drawn.
  f.close();
  f.open();
  ASSERT_EQ(f.w->lstOverlay->count(), 2);
  EXPECT_EQ(f.w->lstOverlay->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(f.w->lstOverlay->item(1)->checkState(), Qt::Checked);
  EXPECT_EQ(f.state().overlays.files.size(), 2u);
  // Another data folder has its own list (none); removing empties this one.
  f.w->lstDataFolder->setCurrentRow(1);
  f.w->lstDataFolder_Click();
  EXPECT_EQ(f.w->lstOverlay->count(), 0);
  EXPECT_TRUE(f.w->framOverlay->isHidden());
  f.w->lstDataFolder->setCurrentRow(0);
  f.w->lstDataFolder_Click();
  f.w->lstOverlay->setCurrentRow(0);
  f.w->cmdOverlayRemove->click();
  f.w->lstOverlay->setCurrentRow(0);
  f.w->cmdOverlayRemove->click();
  EXPECT_FALSE(QFile::exists(OverlayList::fileIn(f.state().datasetFolder)));
  EXPECT_TRUE(f.state().overlays.files.empty());
}

TEST(OverlayWindow, TheRulerMeasuresWhatWasClickedClosesOnItsFirstPointAndSaves) {
  OverlayWindow f;
  const int w = f.w->picPrint->width();
  const int h = f.w->picPrint->height();
  const std::vector<QPointF> clicks = {{w * 0.2, h * 0.2}, {w * 0.7, h * 0.25}, {w * 0.5, h * 0.8}};
  f.w->cmdRuler->click();
  ASSERT_TRUE(f.w->rulerActive());
  const int compositions = f.w->compositionCount();
  Ruler expected;
  for (const QPointF& p : clicks) {
    f.click(f.w->picPrint, p);
    expected.addImagePoint(f.state().mapInfo, f.state().viewport().ScreenToImage(p.x(), p.y()));
  }
  Measure open;
  ASSERT_TRUE(measurePath(expected.points(), false, open, nullptr));
  EXPECT_EQ(f.w->rulerText(), measureText(open, false));
  EXPECT_GT(open.lengthM, 0.0);
  // A click adds a point; it never moves the map.
  EXPECT_LE(f.w->compositionCount(), compositions + 1);

  // Back on the first point: closed, with its area; measuring ends.
  f.click(f.w->picPrint, clicks[0] + QPointF(3, -2));
  EXPECT_FALSE(f.w->rulerActive());
  ASSERT_TRUE(f.w->ruler().closed());
  Measure closed;
  ASSERT_TRUE(measurePath(expected.points(), true, closed, nullptr));
  EXPECT_GT(closed.areaM2, 0.0);
  EXPECT_EQ(f.w->rulerText(), measureText(closed, true));
  EXPECT_TRUE(f.w->lblStatus->text().contains(f.w->rulerText()));

  // The menu saves it as GeoJSON: a polygon with its length and area.
  f.w->showMarkPopup(10, 10);
  EXPECT_TRUE(f.w->mnuRulerSave->isEnabled());
  f.w->mnuPopUpMenu->hide();
  const QString saved = f.root.path(QStringLiteral("path.geojson"));
  f.prompts.chooseFile(saved);
  f.w->mnuRulerSave_Click();
  QFile file(saved);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject feature = QJsonDocument::fromJson(file.readAll()).object();
  EXPECT_EQ(feature[QStringLiteral("geometry")].toObject()[QStringLiteral("type")].toString(),
            QStringLiteral("Polygon"));

  // Esc and the right click end a new measure; the menu clears it.
  f.w->cmdRuler->click();
  EXPECT_TRUE(f.w->ruler().points().empty());
  f.click(f.w->picPrint, clicks[1]);
  f.w->Form_KeyDown(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(f.w->rulerActive());
  EXPECT_EQ(f.w->ruler().points().size(), 1u);
  f.w->mnuRulerClear_Click();
  EXPECT_TRUE(f.w->ruler().points().empty());
  EXPECT_TRUE(f.w->rulerText().isEmpty());

  // Side by side, the same spot of either pane is the same place.
  f.w->chkCompare->setChecked(true);
  f.w->chkCompare_Click();
  f.w->cboCompareMode->setCurrentIndex(static_cast<int>(CompareMode::Side));
  const SidePanes panes = sideBySidePanes(f.state().viewWidth(), f.state().viewHeight());
  f.w->cmdRuler->click();
  const QPointF local(panes.left.width() * 0.3, panes.left.height() * 0.6);
  f.click(f.w->picPrint, panes.left.topLeft() + local);
  f.click(f.w->picPrint, panes.right.topLeft() + local);
  ASSERT_EQ(f.w->ruler().points().size(), 2u);
  EXPECT_NEAR(f.w->ruler().points()[0].lat, f.w->ruler().points()[1].lat, 1e-5);
  EXPECT_NEAR(f.w->ruler().points()[0].lon, f.w->ruler().points()[1].lon, 1e-5);
  EXPECT_TRUE(f.prompts.messages().isEmpty());
}

TEST(OverlayWindow, PositionsAndLinksAreCopiedAndALinkOpensItsView) {
  OverlayWindow f;
  // The position under the pointer, in both datums and as a geo: URI.
  const QPointF press(120, 90);
  f.click(f.w->picPrint, press, Qt::RightButton);
  f.w->mnuPopUpMenu->hide();
  const ImagePoint under = f.state().viewport().ScreenToImage(press.x(), press.y());
  f.w->mnuCopyPosition_Click();
  EXPECT_EQ(QApplication::clipboard()->text(), positionTexts(f.state().mapInfo, under).all());
  f.w->mnuCopyGeoUri_Click();
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("geo:")));

  // The link of this view, opened after the view moved to another folder,
  // era and zoom, brings all of it back.
  f.w->cboAge->setCurrentIndex(1);
  f.w->setZoom(200);
  f.w->PrintGazo();
  const float cx = f.state().view.centerX, cy = f.state().view.centerY;
  f.w->mnuCopyLink_Click();
  const QString link = QApplication::clipboard()->text();
  ASSERT_TRUE(link.startsWith(QStringLiteral("kavalo://view?dataset=a&era=E1930")));
  f.w->lstDataFolder->setCurrentRow(1);
  f.w->lstDataFolder_Click();
  f.w->cboAge->setCurrentIndex(0);
  ASSERT_EQ(f.state().dataFolderIndex, 1);
  ASSERT_TRUE(f.w->openViewLink(link));
  EXPECT_EQ(f.state().dataFolderIndex, 0);
  EXPECT_EQ(f.state().currentEra().name, QStringLiteral("E1930"));
  EXPECT_EQ(f.w->cboAge->currentIndex(), 1);
  EXPECT_EQ(f.state().view.zoomPercent, 200);
  EXPECT_NEAR(f.state().view.centerX, cx, 0.5);
  EXPECT_NEAR(f.state().view.centerY, cy, 0.5);

  // A link to a folder that is not listed, or no link at all: a message,
  // the view as it was.
  EXPECT_FALSE(f.w->openViewLink(QStringLiteral("kavalo://view?dataset=zz&lat=36&lon=139")));
  EXPECT_FALSE(f.w->openViewLink(QStringLiteral("kavalo://view?lat=95&lon=139")));
  EXPECT_EQ(f.prompts.messages().size(), 2);
  EXPECT_EQ(f.state().dataFolderIndex, 0);
  EXPECT_NEAR(f.state().view.centerX, cx, 0.5);
}

TEST(OverlayWindow, TheOverviewShowsTheViewAndAClickMovesIt) {
  OverlayWindow f;
  UiOverview* overview = f.w->picOverview;
  ASSERT_TRUE(f.w->chkOverview->isChecked());
  ASSERT_TRUE(overview->isVisible());
  // In the map's top right corner, inside the map.
  EXPECT_LE(overview->geometry().right(), f.w->picPrint->width());
  EXPECT_TRUE(overview->rect().contains(overview->viewRect().center().toPoint()));

  const QPointF at(overview->width() * 0.25, overview->height() * 0.75);
  const ImagePoint wanted = overview->imageAt(at);
  f.click(overview, at);
  EXPECT_NEAR(f.state().view.centerX, wanted.x, 0.5);
  EXPECT_NEAR(f.state().view.centerY, wanted.y, 0.5);
  EXPECT_NEAR(overview->viewRect().center().x(), at.x(), 1.5);
  EXPECT_NEAR(overview->viewRect().center().y(), at.y(), 1.5);

  f.w->chkOverview->click();
  EXPECT_FALSE(overview->isVisible());
}

TEST(OverlayWindow, ThePositionDialogGoesToATypedPosition) {
  OverlayWindow f;
  const MapInfo& info = f.state().mapInfo;
  const LatLon inside = ImageToLatLon(info, 120.0f, 200.0f, 1);
  struct Case {
    QString typed;
    bool moves;
    QString message;  // part of the message shown when it does not
  };
  const Case cases[] = {
      {QStringLiteral("%1, %2").arg(inside.lat, 0, 'f', 6).arg(inside.lon, 0, 'f', 6), true, QString()},
      {QStringLiteral("geo:%1,%2").arg(inside.lat, 0, 'f', 6).arg(inside.lon, 0, 'f', 6), true, QString()},
      {QStringLiteral("35.6812, 139.7671"), false, QStringLiteral("地域の外")},
      {QStringLiteral("35.6812, 239.7671"), false, QStringLiteral("経度")},
      {QStringLiteral("どこにもない地名"), false, QStringLiteral("地名")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    f.state().view.centerX = 10.0f;
    f.state().view.centerY = 10.0f;
    f.prompts.records.clear();
    frmPosition form(f.state(), f.prompts);
    form.txtSearch->setText(c.typed);
    form.cmdSearch_Click();
    EXPECT_EQ(form.DialogCancelled(), !c.moves);
    if (c.moves) {
      EXPECT_NEAR(f.state().view.centerX, 120.0f, 0.5);
      EXPECT_NEAR(f.state().view.centerY, 200.0f, 0.5);
      EXPECT_TRUE(f.prompts.messages().isEmpty());
    } else {
      EXPECT_EQ(f.state().view.centerX, 10.0f);
      ASSERT_EQ(f.prompts.messages().size(), 1);
      EXPECT_TRUE(f.prompts.messages()[0].contains(c.message)) << f.prompts.messages()[0].toStdString();
    }
  }
}
