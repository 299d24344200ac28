// SPDX-License-Identifier: MIT
// Era selection handlers of the main window: the era list cboAge and the era
// slider SliderAge always show the same position, and the era settings.
// Setting either from code raises the other's handler; the window's loading
// phase stops that handler from redrawing a second time.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListView>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <optional>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "app/frmViewTime.h"
#include "model/EraLabels.h"
#include "platform/Prompts.h"

namespace kavalo {

void frmSCR::cboAge_Set() {
  std::vector<int32_t>& map = state_.eraListMap;
  map.clear();
  {
    // Rebuilding the list selects nothing and raises nothing; the caller
    // chooses the position.
    const QSignalBlocker block(cboAge);
    cboAge->clear();
    for (size_t i = 0; i < state_.eras.size(); ++i) {
      if (!state_.eras[i].listed) continue;
      cboAge->addItem(Get_cboAge_Text(state_.eras[i], state_.view.eraLabelStyle));
      map.push_back(static_cast<int32_t>(i));
    }
    cboAge->setCurrentIndex(-1);
  }
  ComboDropWidth(cboAge);
  state_.listedCount = static_cast<int>(map.size());
  const QSignalBlocker block(SliderAge);
  // A single listed era still gets a slider of two positions; the second
  // stands for no era and is not taken.
  SliderAge->setRange(0, std::max(1, state_.listedCount - 1));
  fillCompareEraList();
}

void frmSCR::cboAge_Click() {
  const int position = cboAge->currentIndex();
  if (position < 0 || position >= state_.listedCount) return;
  const Phase previous = phase_;
  if (previous == Phase::Ready) {
    WaitCursor wait(prompts_);
    state_.view.eraIndex = state_.eraListMap[static_cast<size_t>(position)];
    const Era& era = state_.currentEra();
    if (era.tileStyle != kPhoto) chkAltitude->setChecked(true);
    if (!era.hasLegend && chkLegend->isChecked()) {
      chkLegend->setChecked(false);
      // Unchecking the box from code raises no click; the legend window must
      // still close.
      chkLegend_Click();
    }
    if (!era.hasSheetLines) chkZukakusen->setChecked(false);
    PrintGazo();
    if (compareActive())
      refreshCompareReadout();
    else
      Show_PointInfoAtCursor();
  }
  setPhase(Phase::Loading);
  SliderAge->setValue(position);
  setPhase(previous);
  if (previous == Phase::Ready) {
    if (picPrint->isVisible()) picPrint->setFocus();
    Time_Print();
    picTime->update();
    Timer1->start(1200);
  }
}

void frmSCR::SliderAge_Scroll() {
  if (phase_ != Phase::Ready) return;
  const int value = SliderAge->value();
  if (value >= state_.listedCount) {
    // The spare position of a single listed era: back to the era.
    setPhase(Phase::Loading);
    SliderAge->setValue(std::max(0, cboAge->currentIndex()));
    setPhase(Phase::Ready);
    return;
  }
  cboAge->setCurrentIndex(value);
}

void frmSCR::SliderAge_MouseUp() {
  if (picPrint->isVisible()) picPrint->setFocus();
}

void frmSCR::cmdViewTime_Click() {
  frmViewTime dialog(state_, prompts_, cboAge, this);
  // The era shown now is kept when an edit makes the data folder load anew.
  const std::optional<EraMark> shown =
      state_.hasEra() ? std::optional<EraMark>(EraMark{state_.currentEra().name, state_.currentEra().yearFrom})
                      : std::nullopt;
  dialog.exec();
  if (dialog.erasEdited()) {
    state_.eraToKeep = shown;
    reloadDataset();
    return;
  }
  if (dialog.erasRenamed()) refreshEraLabels();
  if (dialog.dialogCancelled()) return;
  cboAge_Set();
  cboAge->setCurrentIndex(0);
}

void frmSCR::refreshEraLabels() {
  // The same eras in the same places: only their texts change.
  for (int p = 0; p < cboAge->count() && p < static_cast<int>(state_.eraListMap.size()); ++p) {
    const int era = state_.eraListMap[static_cast<size_t>(p)];
    cboAge->setItemText(p, Get_cboAge_Text(state_.eras[static_cast<size_t>(era)], state_.view.eraLabelStyle));
  }
  ComboDropWidth(cboAge);
  fillCompareEraList();
  PrintGazo();
}

void frmSCR::ComboDropWidth(QComboBox* combo) {
  const QFontMetrics metrics(combo->font());
  int width = combo->width();
  const int start = width;
  for (int i = 0; i < combo->count(); ++i) width = std::max(width, metrics.horizontalAdvance(combo->itemText(i)));
  if (width > start) width += 20;
  combo->view()->setMinimumWidth(width);
}

void frmSCR::ComboDropHeight(QComboBox* combo, int itemCount) {
  // The open list shows itemCount entries.
  combo->setMaxVisibleItems(std::max(1, itemCount));
}

}  // namespace kavalo
