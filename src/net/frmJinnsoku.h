// SPDX-License-Identifier: MIT
#pragma once
// The rapid-survey dialog: the research institute's map service fetched as
// the era JINNSOKU of the current data folder.

#include "net/AcquireContext.h"
#include "net/UiAcquisitionDialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmJinnsoku : public UiAcquisitionDialog {
  Q_OBJECT

 public:
  frmJinnsoku(ProgramState& state, Prompts& prompts, const NetAccess& net, const QString& service, const QString& site,
              QWidget* parent = nullptr);

  void cmdGet_Click();

  QLabel* lblDescription = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QPushButton* cmdGet = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  ProgramState& state_;
  Prompts& prompts_;
  NetAccess net_;
  QString service_, site_;
};

}  // namespace kavalo
