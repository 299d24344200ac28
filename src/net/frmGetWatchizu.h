// SPDX-License-Identifier: MIT
#pragma once
// The agency dialog: the base map, the national air photos of a period, or
// the orthophoto, fetched as a new era of the current data folder.
#include <vector>

#include "net/AcquireContext.h"
#include "net/UiAcquisitionDialog.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmGetWatchizu : public UiAcquisitionDialog {
  Q_OBJECT

 public:
  // tileServer, portal: the agency's addresses; net: the way to them.
  frmGetWatchizu(ProgramState& state, Prompts& prompts, const NetAccess& net, const QString& tileServer,
                 const QString& portal, QWidget* parent = nullptr);

  void Form_Load();
  void optGData_Click(int index);
  void cmdGet_Click();

  QRadioButton* optGData[3] = {nullptr, nullptr, nullptr};
  QListWidget* lstAvailableOrtho = nullptr;
  QLabel* lblNo[2] = {nullptr, nullptr};
  QLabel* lblGetOrtho = nullptr;
  QGroupBox* framMapImage[2] = {nullptr, nullptr};
  QGroupBox* framGetOrtho = nullptr;
  QGroupBox* framOrthoTIme = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QPushButton* cmdGet = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  ProgramState& state_;
  Prompts& prompts_;
  NetAccess net_;
  QString tileServer_, portal_;
  std::vector<int> periodCodes_;  // list position -> period code
};

}  // namespace kavalo
