// SPDX-License-Identifier: MIT
#pragma once
// Any web-mercator tile service (a URL template {z}/{x}/{y}) fetched as a new
// map or photo era of the current data folder, with the service's
// attribution (required) and a name of the user's; the same service again
// offers to fetch its era anew.

#include "net/AcquireContext.h"
#include "net/UiAcquisitionDialog.h"
#include "net/XyzTiles.h"

class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmGetXyz : public UiAcquisitionDialog {
  Q_OBJECT

 public:
  frmGetXyz(ProgramState& state, Prompts& prompts, const XyzFetcher& fetch, const QString& defaultTemplate,
            QWidget* parent = nullptr);

  void cmdGet_Click();

  QLineEdit* txtUrl = nullptr;
  QSpinBox* txtZoom = nullptr;
  QRadioButton* optKind[2] = {nullptr, nullptr};  // map, photo
  QLineEdit* txtAttribution = nullptr;
  QLineEdit* txtLabel = nullptr;  // the era's name in the era list (empty: the year and the host)
  QProgressBar* ProgressBar = nullptr;
  QPushButton* cmdGet = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  ProgramState& state_;
  Prompts& prompts_;
  XyzFetcher fetch_;
};

}  // namespace kavalo
