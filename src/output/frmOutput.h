// SPDX-License-Identifier: MIT
#pragma once
// The export dialog (ファイル出力): the output format, the image format, the
// file to save, and OK runs the export of the view once per era.
#include <QDialog>
#include <functional>

#include "output/Export.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmOutput : public QDialog {
  Q_OBJECT

 public:
  // view: the main window's view, composed once per era.
  frmOutput(const ProgramState& state, Prompts& prompts, const ViewRequest& view, QWidget* parent = nullptr);

  void Form_Load();
  void optOut_Click();
  void cmdFilesave_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdTimelapse_Click();

  // The chosen full path (lblFile's tag), empty when none.
  QString chosenPath() const { return chosenPath_; }
  ExportFormat format() const;
  // The fourth format: every era as web tiles with the map page, in a folder.
  bool webMap() const;
  // Opens a saved file; the desktop's program by default (tests replace it).
  std::function<void(const QString&)> openFile;
  // Runs the film dialog that cmdTimelapse opens (exec by default; tests
  // drive it instead).
  std::function<void(QDialog&)> filmFormRunner;

  QRadioButton* optOut[4] = {nullptr, nullptr, nullptr, nullptr};
  QRadioButton* optGazoFormat[2] = {nullptr, nullptr};
  QCheckBox* chkWorldFile = nullptr;
  QPushButton* cmdFilesave = nullptr;
  QLabel* lblFile = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdTimelapse = nullptr;  // 動画: the eras as a film

 private:
  void clearChosenFile();
  void saveWebMap();

  const ProgramState& state_;
  Prompts& prompts_;
  ViewRequest view_;
  QString chosenPath_;
};

}  // namespace kavalo
