// SPDX-License-Identifier: MIT
// The panel at the least size the window allows, on the screens people have
// (1366 x 768, and 2560 x 1600 at scale 2, i.e. 1280 x 800 at ratio 2): no
// control covers another, and the readout's lines, the elevation among them,
// all stand clear of each other.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QProcess>
#include <memory>

#include "app/UiElidedCombo.h"
#include "app/UiMapView.h"
#include "app/UiReadout.h"
#include "app/frmSCR.h"
#include "model/Coordinates.h"
#include "platform/Prompts.h"
#include "render/ComposeContext.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// A data folder whose sheets have long names and editions: the sheet line
// wraps onto three lines or more in the panel.
struct LongSheetWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  std::unique_ptr<frmSCR> w;

  explicit LongSheetWindow(QSize screenSize) {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    QString history;
    for (int row = 0; row < d.sheetsY; ++row) {
      history += QStringLiteral("長い名前のある図幅その%1,,長い名前のある図幅その%1,\n").arg(row);
      for (int era = 0; era < 2; ++era)
        history += QStringLiteral(
            "昭和45年改測昭和48年修正測量,昭和46年3月30日発行,"
            "昭和45年改測昭和48年修正測量,昭和46年3月30日発行\n");
    }
    test::writeSjis(d.folder + QStringLiteral("/図歴.csv"), history);
    ScreenInfo screen;
    screen.widthPx = screenSize.width();
    screen.heightPx = screenSize.height();
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->resize(w->minimumSize());
    QCoreApplication::processEvents();
  }
  ~LongSheetWindow() { w->Form_Unload(); }

  void moveOverMap(QPointF at) {
    QMouseEvent e(QEvent::MouseMove, at, w->picPrint->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w->picPrint, &e);
    QCoreApplication::processEvents();
  }
};

// A control a person reads or uses, as laid out by the panel (the inner parts
// of lists and boxes belong to them).
bool isControl(const QWidget* widget) {
  return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QAbstractSlider*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QListWidget*>(widget) ||
         widget->objectName() == QStringLiteral("picCoverage") ||
         (qobject_cast<const QLabel*>(widget) && !widget->objectName().isEmpty());
}

QRect inPanel(const frmSCR& w, const QWidget* widget) {
  return QRect(widget->mapTo(w.picBox, QPoint(0, 0)), widget->size());
}

// The height a label's text takes at its width.
int textHeight(const QLabel* label) {
  return QFontMetrics(label->font())
      .boundingRect(QRect(0, 0, label->width(), 100000), Qt::TextWordWrap, label->text())
      .height();
}

void expectNothingOverlaps(const frmSCR& w) {
  std::vector<const QWidget*> controls;
  for (const QWidget* widget : w.picBox->findChildren<QWidget*>()) {
    if (!widget->isVisible() || !isControl(widget)) continue;
    // Inside another control (a list's scroll bar, a combo box's button).
    bool inner = false;
    for (const QWidget* p = widget->parentWidget(); p != w.picBox; p = p->parentWidget())
      if (isControl(p)) inner = true;
    if (!inner) controls.push_back(widget);
  }
  ASSERT_GT(controls.size(), 20u);
  for (size_t i = 0; i < controls.size(); ++i) {
    const QRect a = inPanel(w, controls[i]);
    EXPECT_TRUE(QRect(0, 0, w.picBox->width(), w.picBox->height()).contains(a))
        << controls[i]->objectName().toStdString() << " leaves the panel";
    for (size_t j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(a.intersects(inPanel(w, controls[j])))
          << controls[i]->objectName().toStdString() << " covers " << controls[j]->objectName().toStdString();
  }
}

void expectReadoutClear(LongSheetWindow& f) {
  frmSCR& w = *f.w;
  const QSize least = w.minimumSize();
  ASSERT_EQ(w.size(), least);
  f.moveOverMap(QPointF(w.picPrint->width() / 2.0, w.picPrint->height() / 2.0));
  ASSERT_TRUE(w.lblInfo->text().contains(QStringLiteral("標高：")));
  ASSERT_TRUE(w.lblMap->text().startsWith(QStringLiteral("地形図：長い名前")));
  // Every line of the place, the elevation last, lies inside its label; the
  // sheet text begins below them and shows at least its first line whole.
  EXPECT_LE(textHeight(w.lblInfo), w.lblInfo->height());
  EXPECT_GE(w.lblMap->height(), QFontMetrics(w.lblMap->font()).lineSpacing());
  EXPECT_FALSE(inPanel(w, w.lblInfo).intersects(inPanel(w, w.lblMap)));
  expectNothingOverlaps(w);
  // A roomier window gives the sheet text all its lines.
  w.resize(least.width() + 200, least.height() + 300);
  QCoreApplication::processEvents();
  f.moveOverMap(QPointF(40, 40));
  EXPECT_LE(textHeight(w.lblMap), w.lblMap->height());
  EXPECT_FALSE(inPanel(w, w.lblInfo).intersects(inPanel(w, w.lblMap)));
  expectNothingOverlaps(w);
}

}  // namespace

TEST(ReadoutLayout, AtTheLeastSizeOfSmallScreensNoLineCoversAnother) {
  struct Case {
    QSize screen;
  };
  for (const Case& c : {Case{{1366, 768}}, Case{{1280, 800}}}) {
    SCOPED_TRACE(c.screen.height());
    LongSheetWindow f(c.screen);
    // The panel is readable within the screen, less the frame and a task bar.
    EXPECT_LE(f.w->minimumHeight(), c.screen.height() - 80);
    expectReadoutClear(f);
  }
}

TEST(ReadoutLayout, FoldingThePanelAwayLetsTheWindowBeLow) {
  LongSheetWindow f({1600, 1200});
  const int unfolded = f.w->minimumHeight();
  f.w->lblBoxSize_Click(0);
  EXPECT_LT(f.w->minimumHeight(), unfolded / 2);
  f.w->lblBoxSize_Click(1);
  EXPECT_EQ(f.w->minimumHeight(), unfolded);
}

// Run in a process of its own at twice the pixels (the scale factor is read
// when the application starts).
TEST(ReadoutLayout, AtRatioTwoNoLineCoversAnother) {
  if (qEnvironmentVariable("KAVALO_TEST_RATIO2") == QStringLiteral("1")) {
    LongSheetWindow f({1280, 800});
    ASSERT_EQ(f.w->picPrint->devicePixelRatioF(), 2.0);
    expectReadoutClear(f);
    // The comparison's era labels are drawn at the screen's ratio once, not
    // twice: the red frame of era A's label is as tall as a line of text
    // and its margins, in the picture's (device) pixels.
    f.w->chkCompare->setChecked(true);
    f.w->chkCompare_Click();
    // The frame may carry the screen's ratio (a single view's composition
    // leaves it so) or not: the labels come out the same size either way.
    f.w->viewPicture().setDevicePixelRatio(2.0);
    f.w->cboCompareMode->setCurrentIndex(1);
    f.w->cboCompareMode->setCurrentIndex(0);
    const QImage& frame = f.w->viewPicture();
    QRect red;
    for (int y = 0; y < frame.height() / 3; ++y)
      for (int x = 0; x < frame.width() / 2; ++x)
        if (frame.pixel(x, y) == qRgb(255, 0, 0)) red |= QRect(x, y, 1, 1);
    ASSERT_FALSE(red.isEmpty());
    const int line = QFontMetrics(ComposeContext::mapFont(9, true)).height();
    EXPECT_LE(red.height(), 2 * (line + 6)) << red.height();
    EXPECT_GE(red.height(), 2 * line);
    return;
  }
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
  env.insert(QStringLiteral("KAVALO_TEST_RATIO2"), QStringLiteral("1"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=ReadoutLayout.AtRatioTwoNoLineCoversAnother")});
  ASSERT_TRUE(child.waitForFinished(120000));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

TEST(ReadoutLayout, TheZoomSliderStaysPutWhateverThePercentageSays) {
  LongSheetWindow f({1366, 768});
  QRect track;
  for (int zoom : {50, 100, 400, 75}) {
    f.w->setZoom(zoom);
    QCoreApplication::processEvents();
    const QRect now(f.w->SliderZoom->mapTo(f.w->picBox, QPoint(0, 0)), f.w->SliderZoom->size());
    if (track.isNull()) track = now;
    EXPECT_EQ(now, track) << zoom;
    EXPECT_EQ(f.w->lblZoom->text(), QString::number(zoom) + u'%');
  }
}

// A GPX file with one point at the view's centre.
QString pointFileAtCentre(LongSheetWindow& f, const QString& name) {
  const ProgramState& st = f.w->state();
  const LatLon at = ImageToLatLon(st.mapInfo, st.view.centerX, st.view.centerY, 1);
  const QString path = f.root.path(name);
  test::writeBytes(path, QStringLiteral("<?xml version=\"1.0\"?><gpx version=\"1.1\" creator=\"t\" "
                                        "xmlns=\"http://www.topografix.com/GPX/1/1\"><wpt lat=\"%1\" lon=\"%2\">"
                                        "<name>p</name></wpt></gpx>")
                             .arg(at.lat, 0, 'f', 6)
                             .arg(at.lon, 0, 'f', 6)
                             .toUtf8());
  return path;
}

TEST(PanelLayout, ThreeOverlaysAreAllInSightOnALaptopScreen) {
  for (const QSize screen : {QSize(1366, 768), QSize(1280, 800)}) {
    SCOPED_TRACE(screen.height());
    LongSheetWindow f(screen);
    for (const char* name : {"walk.gpx", "shrine.gpx", "river.gpx"})
      ASSERT_TRUE(f.w->openOverlayFile(pointFileAtCentre(f, QString::fromLatin1(name))));
    f.w->resize(f.w->minimumSize());
    QCoreApplication::processEvents();
    // The panel still fits the screen, less the frame and a task bar.
    EXPECT_LE(f.w->minimumHeight(), screen.height() - 80);
    QListWidget* list = f.w->lstOverlay;
    ASSERT_EQ(list->count(), 3);
    // Every row whole inside the list's visible part, none reached by scrolling.
    for (int row = 0; row < list->count(); ++row)
      EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row))))
          << "row " << row << " of the overlays is cut";
    // The folder shown stays in sight in its list.
    QListWidget* folders = f.w->lstDataFolder;
    EXPECT_TRUE(folders->viewport()->rect().contains(folders->visualItemRect(folders->currentItem())));
    expectNothingOverlaps(*f.w);
  }
}

TEST(PanelLayout, EraBsBoxShowsItsWholeLabelOrItsEndsAndTip) {
  LongSheetWindow f({1366, 768});
  f.w->chkCompare->setChecked(true);
  f.w->chkCompare_Click();
  auto* box = dynamic_cast<UiElidedCombo*>(f.w->cboAgeB);
  ASSERT_NE(box, nullptr);
  const QString label = QStringLiteral("1880-85年（迅速測図）");
  box->setItemText(box->currentIndex(), label);
  QCoreApplication::processEvents();
  const QString shown = box->shownText();
  // What the box shows fits its field: the whole label, or its two ends with
  // the middle elided and the whole label in the tip.
  EXPECT_LE(box->fontMetrics().horizontalAdvance(shown), box->textField().width());
  if (shown != label) {
    EXPECT_TRUE(shown.startsWith(QStringLiteral("18")) && shown.endsWith(QStringLiteral("）"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
  }
  EXPECT_TRUE(box->toolTip().contains(label)) << box->toolTip().toStdString();
}
