// SPDX-License-Identifier: MIT
// The window from the keyboard and for assistive technology: every control
// carries a name a screen reader can say, Tab walks the panel from top to
// bottom as it reads, and the main actions have shortcuts (the manual lists
// them with the map's own keys).
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSlider>

#include <algorithm>

#include "app/UiMapView.h"
#include "app/frmSCR.h"

namespace kavalo {

namespace {

// A caption as a screen reader should say it: "標高(&A)" is "標高(A)".
QString spokenCaption(QString caption) {
  caption.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
  caption.remove(QChar(u'&'));
  return caption.trimmed();
}

}  // namespace

void frmSCR::setupKeyboardAccess() {
  // Controls without a caption of their own are named for what they set.
  const std::pair<QWidget*, const char*> named[] = {
      {lstDataFolder, QT_TRANSLATE_NOOP("kavalo::frmSCR", "データセット")},
      {cboAge, QT_TRANSLATE_NOOP("kavalo::frmSCR", "時期")},
      {SliderAge, QT_TRANSLATE_NOOP("kavalo::frmSCR", "時期")},
      {picCoverage, QT_TRANSLATE_NOOP("kavalo::frmSCR", "表示位置の各時期の地図")},
      {cboAgeB, QT_TRANSLATE_NOOP("kavalo::frmSCR", "比較する時期")},
      {cboCompareMode, QT_TRANSLATE_NOOP("kavalo::frmSCR", "比べ方")},
      {SliderOpacity, QT_TRANSLATE_NOOP("kavalo::frmSCR", "重ねる時期の不透明度")},
      {SliderZoom, QT_TRANSLATE_NOOP("kavalo::frmSCR", "ズーム")},
      {lblZoom, QT_TRANSLATE_NOOP("kavalo::frmSCR", "ズーム")},
      {SliderMoveAmount, QT_TRANSLATE_NOOP("kavalo::frmSCR", "移動量")},
      {lblInfo, QT_TRANSLATE_NOOP("kavalo::frmSCR", "現在地")},
      {lblMap, QT_TRANSLATE_NOOP("kavalo::frmSCR", "図幅情報")},
      {lblOffLine, QT_TRANSLATE_NOOP("kavalo::frmSCR", "オフライン／オンライン")},
      {lblBoxSize[0], QT_TRANSLATE_NOOP("kavalo::frmSCR", "設定画面を隠す")},
      {lblBoxSize[1], QT_TRANSLATE_NOOP("kavalo::frmSCR", "設定画面を表示")},
      {lblHomePage, QT_TRANSLATE_NOOP("kavalo::frmSCR", "Kavaloホームページ")},
      {picPrint, QT_TRANSLATE_NOOP("kavalo::frmSCR", "地図")},
      {lstOverlay, QT_TRANSLATE_NOOP("kavalo::frmSCR", "重ね図")},
  };
  for (const auto& [widget, name] : named) widget->setAccessibleName(tr(name));
  // Buttons and boxes are named by their captions, tips describe them.
  for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
    if (b->accessibleName().isEmpty()) b->setAccessibleName(spokenCaption(b->text()));
    if (b->accessibleDescription().isEmpty()) b->setAccessibleDescription(b->toolTip());
  }
  for (QGroupBox* g : findChildren<QGroupBox*>()) g->setAccessibleName(spokenCaption(g->title()));

  // Tab follows the panel as it reads, the map last (where the keys act).
  QWidget* const order[] = {lblBoxSize[0],    lstDataFolder, cmdMapComment, cboAge,           SliderAge,
                            chkCompare,       cboAgeB,       cmdViewTime,   cboCompareMode,   SliderZoom,
                            SliderMoveAmount, chkTikeizu,    chkAltitude,   chkZukakusen,     chkLegend,
                            chkScale,         chkMark,       chkOverview,   cmdAltitudeColor, cmdOverlayOpen,
                            cmdOverlayRemove, cmdRuler,      lstOverlay,    cmdOverlayUp,     cmdOverlayDown,
                            cmdSokuti,        lblOffLine,    cmdPosition,   cmdWhole,         cmdWMS,
                            cmdGetTikeizu,    cnmdKML,       cmdPrintOut,   cmdCopy,          cmdHelp,
                            lblHomePage,      cmdEnd,        picPrint};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  // Shortcuts of the main actions (the map's own keys are previewed by the
  // navigation: arrows, Shift, Space, Home, Page Up/Down, Ctrl+C).
  auto shortcut = [this](const QKeySequence& keys, const char* name, auto handler) {
    auto* s = new QShortcut(keys, this);
    s->setObjectName(QString::fromLatin1(name));
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, handler);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_B), "scCompare", [this] {
    if (!state_.view.loaded) return;
    chkCompare->setChecked(!chkCompare->isChecked());
    chkCompare_Click();
  });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_M), "scCompareMode", [this] {
    if (!state_.view.loaded || cboCompareMode->count() == 0) return;
    cboCompareMode->setCurrentIndex((cboCompareMode->currentIndex() + 1) % cboCompareMode->count());
  });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), "scPrint", [this] {
    if (cmdPrintOut->isEnabled()) cmdPrintOut->click();
  });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_E), "scExport", [this] {
    if (cnmdKML->isEnabled()) cnmdKML->click();
  });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_G), "scPosition", [this] {
    if (cmdPosition->isEnabled()) cmdPosition->click();
  });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_D), "scAcquire", [this] {
    if (cmdWMS->isEnabled()) cmdWMS->click();
  });
  shortcut(QKeySequence(Qt::Key_F1), "scHelp", [this] { cmdHelp_Click(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), "scQuit", [this] { cmdEnd_Click(); });
  shortcut(QKeySequence(Qt::Key_F9), "scPanel", [this] { lblBoxSize_Click(panelFolded() ? 1 : 0); });
}

}  // namespace kavalo
