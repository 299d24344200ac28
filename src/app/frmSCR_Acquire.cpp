// SPDX-License-Identifier: MIT
// The main window's data-acquisition button: the source chooser, and the
// reload of the data folder after a source added or updated an era.
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include "app/DatasetLoader.h"
#include "app/UiMapView.h"
#include "app/frmGeoref.h"
#include "app/frmSCR.h"
#include "net/Network.h"
#include "net/ServerSettings.h"
#include "net/XyzTiles.h"
#include "net/frmImport.h"
#include "net/frmSetting.h"

namespace kavalo {

void frmSCR::cmdWMS_Click() {
  if (state_.datasetFolder.isEmpty() || !state_.view.loaded) return;
  const ServerSettings s = readServerSettings(state_.rootFolder);
  const AcquireServers servers{s.agencyTiles, s.agencyPortal, s.wms, s.wmsSite, s.xyzTemplate};
  const NetAccess net = programNetAccess();
  frmSetting chooser(state_, prompts_, net, networkXyzFetcher(), servers, this);
  // The map-sheet packages are the main window's own dialog.
  chooser.setPackageDialog([this] { cmdGetTikeizu_Click(); });
  // A plain scan gets its control points here and goes back to the import
  // dialog it came from, which imports it with the fit.
  chooser.setGeoreferencer([this](frmImport& import) {
    frmGeoref georef(state_, prompts_, &import);
    if (!georef.openScan(import.txtFile->text().trimmed())) return;
    georef.setScanYear(import.txtYear->value());
    if (georef.exec() == QDialog::Accepted && georef.chosenWarp()) import.setGeoreferencing(*georef.chosenWarp());
  });
  chooser.exec();
  if (chooser.tag() == u"RESET") {
    // The new era moves the others in the sorted list: the shown one is
    // found again by its folder.
    keepShownEra(state_);
    reloadDataset();
  }
  if (picPrint) picPrint->setFocus();
}

void frmSCR::reloadDataset() {
  // Selecting the data folder afresh runs its selection handler, which
  // reads the configuration and the era lists again and redraws.
  const int row = state_.dataFolderIndex;
  lstDataFolder->setCurrentRow(-1);
  lstDataFolder->setCurrentRow(row);
}

}  // namespace kavalo
