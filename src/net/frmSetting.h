// SPDX-License-Identifier: MIT
#pragma once
// The source chooser (外部データ取得): one button for each way an era comes
// into a data folder (the acquisitions of the era sources): the map-sheet
// packages, the agency's tiles, the rapid-survey maps, any XYZ tile service
// and the user's own scans. After a source has added or updated an era its
// tag is "RESET": the main window reloads the data folder so that the era is
// listed.
#include <QDialog>
#include <functional>

#include "model/EraSources.h"
#include "net/AcquireContext.h"
#include "net/XyzTiles.h"

class QPushButton;

namespace kavalo {

class Prompts;
class frmImport;
struct ProgramState;

// Where the outside services are, for the dialogs the chooser opens.
struct AcquireServers {
  QString agencyTiles;
  QString agencyPortal;
  QString wms;
  QString wmsSite;
  QString xyzTemplate;
};

class frmSetting : public QDialog {
  Q_OBJECT

 public:
  frmSetting(ProgramState& state, Prompts& prompts, const NetAccess& net, const XyzFetcher& fetch,
             const AcquireServers& servers, QWidget* parent = nullptr);

  QString tag() const { return tag_; }

  // The map-sheet package dialog, opened by the main window (it closes
  // itself and never asks for a reload); the button is disabled without it.
  void setPackageDialog(std::function<void()> open);
  // The georeferencer the import dialog offers (the main window's).
  void setGeoreferencer(std::function<void(frmImport&)> open) { georeferencer_ = std::move(open); }

  void Form_Load();
  void cmdTikeizu_Click();
  void cmdWatizu_Click();
  void cmdJinnsoku_Click();
  void cmdXyz_Click();
  void cmdImport_Click();
  void cmdCancel_Click();

  // The button that opens the dialog of an acquisition (nullptr for none).
  QPushButton* buttonFor(EraAcquisition acquisition) const;

  QPushButton* cmdTikeizu = nullptr;
  QPushButton* cmdWatizu = nullptr;
  QPushButton* cmdJinnsoku = nullptr;
  QPushButton* cmdXyz = nullptr;
  QPushButton* cmdImport = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  void finished(const QString& dialogTag);

  ProgramState& state_;
  Prompts& prompts_;
  NetAccess net_;
  XyzFetcher fetch_;
  AcquireServers servers_;
  std::function<void()> packageDialog_;
  std::function<void(frmImport&)> georeferencer_;
  QString tag_;
};

}  // namespace kavalo
