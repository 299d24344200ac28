// SPDX-License-Identifier: MIT
// Choosing a data folder: its load, the window's part of it (panel, zoom,
// era list, first window size) and the controls that need a loaded folder.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "app/UiMapView.h"
#include "app/UiOverview.h"
#include "app/frmSCR.h"
#include "elevation/frmLegend.h"
#include "net/TileDownloads.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/CompareComposer.h"

namespace kavalo {

void frmSCR::lstDataFolder_Click() {
  const int row = lstDataFolder->currentRow();
  if (row < 0 || row >= static_cast<int>(state_.dataFolders.size())) return;
  {
    // The list shows the folder chosen at once: a click selects its row only
    // after this handler, and a message box shown meanwhile (a folder that
    // cannot be loaded) swallows the release that would.
    const QSignalBlocker block(lstDataFolder);
    lstDataFolder->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  }
  if (!state_.datasetFolder.isEmpty()) Save_Position(state_);
  // What was being fetched belongs to the folder before.
  if (tileDownloads_ != nullptr) tileDownloads_->reset();
  state_.dataFolderIndex = row;
  state_.datasetFolder = joinPath(state_.rootFolder, u'\\' + state_.dataFolders[static_cast<size_t>(row)].folder);

  // The readout described a place of the folder before.
  resetReadout();
  const bool firstLoad = !state_.view.firstLoadDone;
  setPhase(Phase::Loading);
  const LoadStatus status = LoadDataset(state_, prompts_);
  if (status == LoadStatus::Loaded) {
    setWindowTitle(
        tr("%1　【%2】", "window title: program version, dataset title").arg(versionCaption(), state_.mapInfo.title));
    finishDatasetLoad();
    if (firstLoad) sizeWindowForFirstLoad();
  }
  setPhase(Phase::Ready);

  const bool loaded = status == LoadStatus::Loaded;
  if (loaded) {
    PrintGazo();
    if (picPrint->isVisible()) picPrint->setFocus();
  } else {
    // What the window showed belongs to the folder before: nothing of it
    // stays while this one shows nothing.
    setWindowTitle(versionCaption());
    EnableViewControls(false);
    if (status == LoadStatus::NoMapInfo)
      prompts_.message(tr("設定ファイル「mapinfo.txt」が見つかりません。"), MessageIcon::Exclamation);
  }
  if (loaded) EnableViewControls(true);
}

void frmSCR::finishDatasetLoad() {
  framTime->setEnabled(true);
  framZOOM->setEnabled(true);
  picPrint->setVisible(true);
  {
    // Still loading: the slider's handler sets the zoom but draws nothing.
    SliderZoom->setValue(state_.view.zoomPercent);
  }
  ComboDropHeight(cboAge, static_cast<int>(state_.eras.size()));
  cboAge_Set();
  lblZoom->setText(QString::number(state_.view.zoomPercent) + u'%');
  // Every era is listed after a load, so the list position is the era index.
  cboAge->setCurrentIndex(state_.view.eraIndex);
  // The ruler measured a place of the folder before; the overview showed it.
  ruler_.clear();
  rulerActive_ = false;
  rulerText_.clear();
  cmdRuler->setChecked(false);
  picOverview->invalidate();
  loadDatasetOverlays();
}

void frmSCR::sizeWindowForFirstLoad() {
  if (screen_.heightPx <= 768) {
    wantsMaximized_ = true;
    if (isVisible()) showMaximized();
    return;
  }
  const int width = screen_.widthPx * 3 / 4;
  const double minHeight = 10485.0 / screen_.twipsPerPixelY;
  const int height = static_cast<int>(std::max(screen_.heightPx * 3.0 / 4.0, minHeight));
  resize(width, height);
}

void frmSCR::EnableViewControls(bool enabled) {
  framTime->setEnabled(enabled);
  framZOOM->setEnabled(enabled);
  if (auto* moveRow = picBox->findChild<QWidget*>(QStringLiteral("framMoveAmount"))) moveRow->setEnabled(enabled);
  framView->setEnabled(enabled);
  framInfo->setEnabled(enabled);
  picPrint->setVisible(enabled);
  cmdPrintOut->setEnabled(enabled);
  cmdCopy->setEnabled(enabled);
  // Everything else that works on a loaded data folder.
  cmdPosition->setEnabled(enabled);
  cmdWMS->setEnabled(enabled);
  cnmdKML->setEnabled(enabled);
  cmdGetTikeizu->setEnabled(enabled);
  cmdWhole->setEnabled(enabled);
  if (!enabled) {
    resetReadout();
    Timer1->stop();
    picTime->hide();
    // The legend window goes with the map; the switch keeps the user's choice
    // and brings it back with the next folder that is shown.
    if (legendWindow_ != nullptr) legendWindow_->hide();
    // Nothing of the folder before may stay in sight: its eras in the greyed
    // lists, its cells in the coverage strip, its pictures of a comparison.
    {
      const QSignalBlocker blockA(cboAge), blockB(cboAgeB), blockSlider(SliderAge);
      cboAge->clear();
      cboAgeB->clear();
      SliderAge->setRange(0, 1);
      SliderAge->setValue(0);
    }
    state_.eraListMap.clear();
    state_.listedCount = 0;
    compareComposer_->clear();
    updateCoverage();
    ruler_.clear();
    rulerActive_ = false;
    rulerText_.clear();
    cmdRuler->setChecked(false);
    picOverview->hide();
    // The overlays belong to the folder shown; with none shown there are none.
    state_.overlayList = OverlayList();
    state_.overlays = OverlaySet();
    fillOverlayList();
  }
}

}  // namespace kavalo
