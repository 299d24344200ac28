// SPDX-License-Identifier: MIT
// The main window: construction, start-up, the help and home page, quit.
// Building the controls, wiring them, the data folders, the layout and the
// composition have files of their own.
#include "app/EraPrefetch.h"
#include "app/frmSCR.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

#include "app/ManualFile.h"
#include "app/Startup.h"
#include "geo/clsWheelMouse.h"
#include "platform/Language.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/ShellOpen.h"
#include "render/CompareComposer.h"
#include "render/TilePrefetcher.h"

namespace kavalo {

frmSCR::frmSCR(const QString& rootFolder, const ScreenInfo& screen, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), screen_(screen), prompts_(prompts) {
  setObjectName(QStringLiteral("frmSCR"));
  state_.rootFolder = rootFolder;
  state_.mmPerScreenPxX = screen.mmPerPxX;
  state_.mmPerScreenPxY = screen.mmPerPxY;
  state_.twipsPerPixelX = screen.twipsPerPixelX;
  state_.twipsPerPixelY = screen.twipsPerPixelY;
  buildControls();
  connectControls();
  setupKeyboardAccess();
  // The design size of the window; the first dataset load sizes it to the screen.
  resize(1000, 700);
}

frmSCR::~frmSCR() {
  removeWheelHook();
  TilePrefetcher::shared().clearOnDecoded(this);
}

void frmSCR::Form_Load() {
  lblDownload->hide();
  lblBoxSize[1]->hide();
  setPhase(Phase::Loading);
  setWindowTitle(versionCaption());
  picTime->hide();

  startedOk_ = startProgram(state_, state_.rootFolder, prompts_);
  if (!startedOk_) return;
  loadCompareSettings();

  // Selecting the saved data folder loads it (the list's change handler).
  {
    const QSignalBlocker block(lstDataFolder);
    lstDataFolder->clear();
    for (const DataFolderEntry& e : state_.dataFolders) lstDataFolder->addItem(e.name);
  }
  fitDataFolderList();
  readWindowSettings();
  if (!state_.dataFolders.empty()) {
    lstDataFolder->setCurrentRow(initialDataFolderIndex(state_));
  } else {
    EnableViewControls(false);
  }

  installWheelHook();

  state_.view.onlineMode = false;
  lblOffLine->setText(tr("オフライン"));
  lblOffLine->setFrameStyle(QFrame::Box | QFrame::Plain);
  lblOffLine->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
  setupOnlineMode();
}

bool frmSCR::Form_QueryUnload() { return prompts_.askYesNo(tr("Kavaloを終了します。"), MessageIcon::None); }

void frmSCR::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  removeWheelHook();
  if (startedOk_) saveAtQuit(state_);
  if (startedOk_) saveCompareSettings();
}

void frmSCR::closeEvent(QCloseEvent* event) {
  if (unloaded_) {
    event->accept();
    return;
  }
  if (!startedOk_ || Form_QueryUnload()) {
    Form_Unload();
    event->accept();
    QApplication::closeAllWindows();
  } else {
    event->ignore();
  }
}

void frmSCR::cmdEnd_Click() { close(); }

void frmSCR::cmdHelp_Click() {
  // The manual of the shown language, in the RootFolder or, for a RootFolder
  // made before the manual existed, beside the executables (where the build
  // puts one too); the Japanese one where no other is found.
  ShellOpen(manualFile({state_.rootFolder, QCoreApplication::applicationDirPath()}, shownLanguage()), prompts_);
}

void frmSCR::lblHomePage_Click() { ShellOpen(state_.names[kWebBaseUrl], prompts_); }

bool frmSCR::eventFilter(QObject* watched, QEvent* event) {
  // The client area's size is known once the window's layout has placed it.
  if (watched == centralWidget() && event->type() == QEvent::Resize) Form_Resize();
  // The era list opens at least as wide as the box, which has its width only
  // once the panel is laid out.
  if (watched == cboAge && event->type() == QEvent::Resize) ComboDropWidth(cboAge);
  if (handleNavigationEvent(watched, event)) return true;
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace kavalo
