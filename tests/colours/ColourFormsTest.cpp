// SPDX-License-Identifier: MIT
// The colour-set dialogs driven through their handlers, from the main
// window's button to the recoloured map and the file at the next start.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include "app/frmSCR.h"
#include "elevation/ColorPalette.h"
#include "elevation/frmAltitudeColor.h"
#include "elevation/frmAltitudeColor_Dataset.h"
#include "elevation/frmColor.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// One data folder whose grid runs from 0 m to 100 m.
struct ColourWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  ScreenInfo screen;

  ColourWindow() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
  }
  std::unique_ptr<frmSCR> open() {
    auto w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    return w;
  }
};

// Runs each dialog with the script given for its kind.
struct Scripts {
  std::function<void(frmAltitudeColor_Dataset&)> chooser;
  std::function<void(frmAltitudeColor&)> editor;
  std::function<void(frmColor&)> picker;
  FormRunner runner() const {
    return [s = *this](QDialog& d) {
      if (auto* c = qobject_cast<frmAltitudeColor_Dataset*>(&d)) s.chooser(*c);
      if (auto* e = qobject_cast<frmAltitudeColor*>(&d)) s.editor(*e);
      if (auto* p = qobject_cast<frmColor*>(&d)) s.picker(*p);
    };
  }
};

QRgb lastPixel(const QLabel* label) {
  const QImage image = label->pixmap().toImage();
  return image.pixel(image.width() - 1, image.height() / 2);
}

}  // namespace

TEST(ColourForms, AColourChangeRecoloursTheMapAndANewNameAloneDoesNot) {
  ColourWindow f;
  auto w = f.open();
  ASSERT_TRUE(w->state().pieces.available());
  const int before = w->compositionCount();

  // Copy the set, rename the copy: the list grows, nothing is redrawn.
  Scripts rename;
  rename.chooser = [](frmAltitudeColor_Dataset& c) {
    c.cmdCopy_Click(0);
    c.cmdEdit_Click(0);
    c.cmdOK_Click();
  };
  rename.editor = [](frmAltitudeColor& e) {
    e.txtName->setText(QStringLiteral("海岸"));
    e.cmdOK_Click();
  };
  w->colorSetFormRunner = rename.runner();
  w->cmdAltitudeColor_Click();
  EXPECT_EQ(w->compositionCount(), before);
  ASSERT_EQ(w->state().colorSets.sets.size(), 2u);
  EXPECT_EQ(w->state().colorSets.sets[0].name, QStringLiteral("海岸"));
  EXPECT_EQ(w->state().colorSets.sets[1].name, QStringLiteral("初期設定(コピー)"));

  // The highest point's colour from the picker: the map is coloured anew.
  Scripts recolour;
  recolour.chooser = [](frmAltitudeColor_Dataset& c) {
    c.cmdEdit_Click(0);
    c.cmdOK_Click();
  };
  recolour.editor = [](frmAltitudeColor& e) {
    e.picAlti_Col_Click(kTopSwatch);
    EXPECT_EQ(lastPixel(e.picRamp), QColor(255, 0, 0).rgb());  // the strip follows at once
    e.cmdOK_Click();
  };
  recolour.picker = [](frmColor& p) { p.picCol_Click(3); };
  w->colorSetFormRunner = recolour.runner();
  w->cmdAltitudeColor_Click();
  EXPECT_EQ(w->compositionCount(), before + 1);
  EXPECT_EQ(w->state().pieces.ramp().topBytes.red, 255);
  EXPECT_EQ(w->state().pieces.ramp().topBytes.green, 0);
  EXPECT_TRUE(f.prompts.records.empty());

  // The sets come back at the next start.
  w->Form_Unload();
  w.reset();
  auto again = f.open();
  ASSERT_EQ(again->state().colorSets.sets.size(), 2u);
  EXPECT_EQ(again->state().colorSets.current().name, QStringLiteral("海岸"));
  EXPECT_EQ(again->state().colorSets.current().top, rgbColour(255, 0, 0));
  again->Form_Unload();
}

TEST(ColourForms, ChooserRowsSelectionDeletionAndScrolling) {
  ColourWindow f;
  auto w = f.open();
  ColorSetList& list = w->state().colorSets;
  list.sets.clear();
  for (int i = 0; i < 10; ++i) {
    list.sets.push_back(defaultColorSet(0, 1000, QString::number(i)));
    list.sets.back().top = rgbColour(i, 0, 0);
  }
  list.selected = 9;
  {
    frmAltitudeColor_Dataset c(w->state(), f.prompts, w.get());
    // The selected row is framed and in view below the others.
    ASSERT_EQ(c.lblName.size(), 10u);
    EXPECT_EQ(c.lblName[9]->frameShape(), QFrame::Box);
    EXPECT_EQ(c.lblName[0]->frameShape(), QFrame::NoFrame);
    ASSERT_FALSE(c.VScroll->isHidden());
    EXPECT_EQ(c.VScroll->maximum(), 10 - c.visibleRows());
    const auto inView = [&c](int row) {
      return c.picFrame->contentsRect().contains(
          c.lblName[static_cast<size_t>(row)]->geometry().translated(c.picData->pos()));
    };
    EXPECT_TRUE(inView(9));

    c.lblName_Click(2);
    EXPECT_TRUE(inView(2));
    EXPECT_EQ(c.lblName[2]->frameShape(), QFrame::Box);
    EXPECT_EQ(c.lblName[9]->frameShape(), QFrame::NoFrame);
    // The selected set cannot go.
    c.chkDel[2]->setChecked(true);
    c.cmdOK_Click();
    EXPECT_EQ(f.prompts.messages(), QStringList{QStringLiteral("削除されるデータセットが選択されています")});
    EXPECT_EQ(list.sets.size(), 10u);
    EXPECT_TRUE(c.DialogCancelled());
    // Two sets above it go: the selection follows its set.
    c.chkDel[2]->setChecked(false);
    c.chkDel[0]->setChecked(true);
    c.chkDel[1]->setChecked(true);
    c.cmdOK_Click();
    EXPECT_FALSE(c.DialogCancelled());  // set 2 colours the map unlike set 9
  }
  ASSERT_EQ(list.sets.size(), 8u);
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(list.current().name, QStringLiteral("2"));
  {
    // Cancel and the close box drop every change.
    frmAltitudeColor_Dataset c(w->state(), f.prompts, w.get());
    c.cmdAdd_Click();
    EXPECT_EQ(c.lblName.size(), 9u);
    EXPECT_EQ(c.lblName[8]->text(), QStringLiteral("新規"));
    QCloseEvent close;
    QCoreApplication::sendEvent(&c, &close);
    EXPECT_TRUE(c.DialogCancelled());
  }
  EXPECT_EQ(list.sets.size(), 8u);
  w->Form_Unload();
}

TEST(ColourForms, EditorShowsTheSetChecksAndStoresSorted) {
  ColourWindow f;
  auto w = f.open();
  ColorSet set = defaultColorSet(0, 1000, QStringLiteral("山"));
  set.breakpointCount = 2;
  set.elevations = {80.0f, 25.5f};
  set.colours = {rgbColour(1, 2, 3), rgbColour(4, 5, 6), rgbColour(7, 8, 9)};
  const ColorSet original = set;
  frmAltitudeColor e(set, w->state().altitude, f.prompts, w.get());
  EXPECT_EQ(e.lblMaxMin[0]->text(), QStringLiteral("最高点:100"));
  EXPECT_EQ(e.lblMaxMin[1]->text(), QStringLiteral("最低点:0"));
  EXPECT_EQ(e.txtAltitude[4]->text(), QStringLiteral("25.5"));
  EXPECT_FALSE(e.picColFrame[4]->isHidden());
  EXPECT_TRUE(e.picColFrame[5]->isHidden());
  EXPECT_TRUE(e.optLightDir[0]->isChecked());

  // A row that is no number keeps the editor open and the set as it was.
  e.cmdAddColor_Click();
  EXPECT_FALSE(e.picColFrame[5]->isHidden());
  EXPECT_EQ(e.picAlti_Col[5]->colour(), rgbColour(7, 8, 9));
  e.txtAltitude[5]->setText(QStringLiteral("九十"));
  e.cmdOK_Click();
  EXPECT_EQ(f.prompts.messages().size(), 1);
  EXPECT_TRUE(e.DialogCancelled());
  EXPECT_EQ(set.breakpointCount, original.breakpointCount);

  e.txtAltitude[5]->setText(QStringLiteral("90"));
  e.SliderShadow->setValue(350);
  e.optLightDir[3]->setChecked(true);
  e.chkShadow->setChecked(false);
  e.cmdOK_Click();
  EXPECT_FALSE(e.DialogCancelled());
  EXPECT_EQ(set.breakpointCount, 3);
  EXPECT_EQ(std::vector<float>(set.elevations.begin(), set.elevations.begin() + 3),
            (std::vector<float>{90.0f, 80.0f, 25.5f}));
  EXPECT_EQ(set.colours[0], rgbColour(7, 8, 9));
  EXPECT_EQ(set.strength, 350);
  EXPECT_EQ(set.lightDirection, 3);
  EXPECT_EQ(set.shading, 0);
  EXPECT_EQ(set.name, QStringLiteral("山"));

  // Cancel leaves the set alone.
  ColorSet untouched = original;
  frmAltitudeColor cancelled(untouched, w->state().altitude, f.prompts, w.get());
  cancelled.txtName->setText(QStringLiteral("x"));
  cancelled.cmdCancel_Click();
  EXPECT_TRUE(cancelled.DialogCancelled());
  EXPECT_EQ(untouched.name, original.name);
  w->Form_Unload();
}

TEST(ColourForms, PickerHighlightsChoosesAndCancels) {
  frmColor p;
  p.Form_MouseMove(p.picCol[10]->geometry().center());
  EXPECT_EQ(p.highlighted(), 10);
  EXPECT_FALSE(p.picCol[10]->bordered());
  p.Form_MouseMove(p.picCol[11]->geometry().center());
  EXPECT_TRUE(p.picCol[10]->bordered());
  p.Form_MouseMove(QPoint(1, 1));  // the background
  EXPECT_EQ(p.highlighted(), -1);
  EXPECT_TRUE(p.picCol[11]->bordered());

  // The full dialog cancelled: the picker stays; confirmed: its colour.
  std::optional<Colour> answer;
  p.detailChooser = [&](QWidget*) { return answer; };
  p.cmdDetailColor_Click();
  EXPECT_TRUE(p.DialogCancelled());
  answer = rgbColour(10, 20, 30);
  p.cmdDetailColor_Click();
  EXPECT_FALSE(p.DialogCancelled());
  EXPECT_EQ(p.colour(), rgbColour(10, 20, 30));

  frmColor q;
  q.picCol_Click(20);
  EXPECT_FALSE(q.DialogCancelled());
  EXPECT_EQ(q.colour(), rgbColour(219, 219, 219));

  frmColor closed;
  QCloseEvent close;
  QCoreApplication::sendEvent(&closed, &close);
  EXPECT_TRUE(closed.DialogCancelled());
}
