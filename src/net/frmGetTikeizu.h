// SPDX-License-Identifier: MIT
#pragma once
// "Kavalo付属地形図取得": completes the dataset's own map-sheet eras from its
// download servers. Lists each era with what it lacks; complete eras cannot
// be chosen. The run works on a thread of its own, so the window stays free;
// Cancel or the close box ends the package under way at once.
#include <QDialog>
#include <vector>

#include "net/PackageDownload.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kavalo {

class BackgroundRun;
struct ProgramState;
class Prompts;

class frmGetTikeizu : public QDialog {
  Q_OBJECT

 public:
  // servers: the server table, rebuilt by each run and kept by the caller.
  frmGetTikeizu(const ProgramState& state, Prompts& prompts, std::vector<DownloadServer>& servers,
                QWidget* parent = nullptr);

  void Form_Load();
  void lstData_Click();
  void cmdGet_Click();
  void cmdCancel_Click();

  const std::vector<EraShortage>& shortages() const { return shortages_; }
  bool running() const;
  const PackageRunOutcome& outcome() const { return outcome_; }

  QListWidget* lstData = nullptr;
  QPushButton* cmdGet = nullptr;
  QPushButton* cmdCancel = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QLabel* lblCap = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  const ProgramState& state_;
  Prompts& prompts_;
  std::vector<DownloadServer>& servers_;
  std::vector<EraShortage> shortages_;
  PackageRunOutcome outcome_;
  BackgroundRun* run_ = nullptr;
};

}  // namespace kavalo
