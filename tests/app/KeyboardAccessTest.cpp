// SPDX-License-Identifier: MIT
// The window without a mouse: every control is named for a screen reader,
// Tab walks the panel from top to bottom, the clickable labels are reached
// and pressed from the keyboard, and the shortcuts of the main actions work.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <memory>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

struct KeyboardWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  std::unique_ptr<frmSCR> w;

  KeyboardWindow() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    ScreenInfo screen;
    screen.widthPx = 1600;
    screen.heightPx = 1200;
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->resize(1000, 800);
    QCoreApplication::processEvents();
  }
  ~KeyboardWindow() { w->Form_Unload(); }

  void press(QWidget* to, int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, m);
    QCoreApplication::sendEvent(to, &e);
    QKeyEvent r(QEvent::KeyRelease, key, m);
    QCoreApplication::sendEvent(to, &r);
  }
};

bool isControl(const QWidget* widget) {
  return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QAbstractSlider*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QListWidget*>(widget);
}

}  // namespace

TEST(KeyboardAccess, EveryControlIsNamedAndTabWalksThePanelTopToBottom) {
  KeyboardWindow f;
  std::vector<QWidget*> controls;
  for (QWidget* widget : f.w->picBox->findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    const bool clickableLabel = qobject_cast<QLabel*>(widget) && widget->focusPolicy() != Qt::NoFocus;
    if (isControl(widget) || clickableLabel) controls.push_back(widget);
  }
  ASSERT_GT(controls.size(), 25u);
  for (QWidget* c : controls) EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
  EXPECT_EQ(f.w->chkAltitude->accessibleName(), QStringLiteral("標高(A)"));

  // From the panel's first control, Tab reaches every control once, in
  // reading order: row by row, left to right.
  auto place = [&](QWidget* c) { return c->mapTo(f.w->picBox, QPoint(0, c->height() / 2)); };
  std::vector<QWidget*> reached;
  QWidget* at = *std::min_element(controls.begin(), controls.end(), [&](QWidget* a, QWidget* b) {
    return std::make_pair(place(a).y(), place(a).x()) < std::make_pair(place(b).y(), place(b).x());
  });
  for (int i = 0; i < 80 && at != f.w->picPrint; ++i) {
    if (std::find(controls.begin(), controls.end(), at) != controls.end() &&
        std::find(reached.begin(), reached.end(), at) == reached.end())
      reached.push_back(at);
    at = at->nextInFocusChain();
  }
  EXPECT_EQ(at, f.w->picPrint);  // the map comes last
  std::vector<QWidget*> focusable;
  for (QWidget* c : controls)
    if (c->focusPolicy() & Qt::TabFocus) focusable.push_back(c);
  EXPECT_EQ(reached.size(), focusable.size());
  for (size_t i = 1; i < reached.size(); ++i) {
    const QPoint a = place(reached[i - 1]), b = place(reached[i]);
    const bool sameRow = std::abs(a.y() - b.y()) < 8;
    EXPECT_TRUE(sameRow ? a.x() < b.x() : a.y() < b.y())
        << reached[i - 1]->objectName().toStdString() << " before " << reached[i]->objectName().toStdString();
  }
}

TEST(KeyboardAccess, TheClickableLabelsAreReachedAndPressedFromTheKeyboard) {
  KeyboardWindow f;
  for (QLabel* label : {f.w->lblOffLine, f.w->lblHomePage, f.w->lblBoxSize[0], f.w->lblBoxSize[1]})
    EXPECT_TRUE(label->focusPolicy() & Qt::TabFocus) << label->objectName().toStdString();
  EXPECT_FALSE(f.w->panelFolded());
  // Space stays the map's key wherever the focus is (the zoom back to 100 %).
  f.w->setZoom(200);
  f.press(f.w->lblBoxSize[0], Qt::Key_Space);
  EXPECT_FALSE(f.w->panelFolded());
  EXPECT_EQ(f.w->state().view.zoomPercent, 100);
  // Enter presses the label that has the focus, and any button too.
  f.press(f.w->lblBoxSize[0], Qt::Key_Return);
  EXPECT_TRUE(f.w->panelFolded());
  f.press(f.w->lblBoxSize[1], Qt::Key_Enter);
  EXPECT_FALSE(f.w->panelFolded());
  const bool on = f.w->chkLegend->isChecked();
  f.press(f.w->chkScale, Qt::Key_Return);
  EXPECT_FALSE(f.w->chkScale->isChecked());
  EXPECT_FALSE(f.w->state().view.showScale);
  EXPECT_EQ(f.w->chkLegend->isChecked(), on);
}

TEST(KeyboardAccess, TheMainActionsHaveShortcuts) {
  KeyboardWindow f;
  auto activate = [&](const char* name) {
    auto* s = f.w->findChild<QShortcut*>(QString::fromLatin1(name));
    ASSERT_NE(s, nullptr) << name;
    emit s->activated();
  };
  struct Case {
    const char* name;
    QKeySequence keys;
  };
  for (const Case& c : {Case{"scCompare", QKeySequence(Qt::CTRL | Qt::Key_B)},
                        Case{"scCompareMode", QKeySequence(Qt::CTRL | Qt::Key_M)},
                        Case{"scHelp", QKeySequence(Qt::Key_F1)}, Case{"scPanel", QKeySequence(Qt::Key_F9)}}) {
    auto* s = f.w->findChild<QShortcut*>(QString::fromLatin1(c.name));
    ASSERT_NE(s, nullptr) << c.name;
    EXPECT_EQ(s->key(), c.keys) << c.name;
  }
  const bool on = f.w->chkCompare->isChecked();
  activate("scCompare");
  EXPECT_NE(f.w->chkCompare->isChecked(), on);
  EXPECT_EQ(f.w->compareSettings().on, !on);
  const int mode = f.w->cboCompareMode->currentIndex();
  activate("scCompareMode");
  EXPECT_EQ(f.w->cboCompareMode->currentIndex(), (mode + 1) % 4);
  activate("scPanel");
  EXPECT_TRUE(f.w->panelFolded());
  activate("scPanel");
  EXPECT_FALSE(f.w->panelFolded());
}
