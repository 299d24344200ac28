// SPDX-License-Identifier: MIT
#pragma once
// The display-era settings (表示時期設定): which eras the era list offers,
// whether eras are labelled in Western years or Japanese era names, and the
// renaming and deleting of the eras the user added.
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmViewTime : public QDialog {
  Q_OBJECT

 public:
  // combo: the main window's era list, relabelled in place when only the
  // label style changes.
  frmViewTime(ProgramState& state, Prompts& prompts, QComboBox* combo, QWidget* parent = nullptr);

  // True unless OK changed which eras are listed (the caller then rebuilds
  // the era list).
  bool dialogCancelled() const { return cancelled_; }
  // True when an era was renamed or deleted: the dialog closed at once and
  // the caller reads the data folder again.
  bool erasEdited() const { return edited_; }
  // An era was renamed (the dialog stayed open): whatever the dialog ends
  // with, the window shows the new name.
  bool erasRenamed() const { return renamed_; }

  // Asks for an era's new label (the name dialog; scripted in tests). No
  // value: the question was cancelled.
  std::function<std::optional<QString>(const QString& label)> askLabel;

  void Form_Load();
  void cmdSelect_Click(int index);
  void cmdOK_Click();
  void cmdCancel_Click();
  // The era under lstEra's current entry: rename it, delete it (the eras
  // the user added only; the buttons are enabled for them alone).
  void cmdRename_Click();
  void cmdDelete_Click();
  void lstEra_CurrentChanged();

  enum class Outcome { TooFew, Changed, Unchanged };
  // What OK does with a selection, one flag per era in list order: fewer
  // than two selected eras are refused; otherwise each era's listed flag and
  // the label style are set, and the outcome says whether the listed eras
  // changed.
  static Outcome applySelection(ProgramState& state, const std::vector<bool>& selected, int labelStyle);

  QRadioButton* optEra[2] = {nullptr, nullptr};
  QListWidget* lstEra = nullptr;
  QPushButton* cmdSelect[2] = {nullptr, nullptr};
  QPushButton* cmdRename = nullptr;
  QPushButton* cmdDelete = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  // The close box and Escape act as the cancel button.
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  ProgramState& state_;
  Prompts& prompts_;
  QComboBox* combo_;
  void closeAfterEdit();
  int chosenLabelStyle() const;

  bool cancelled_ = true;
  bool closing_ = false;
  bool edited_ = false;
  bool renamed_ = false;
};

}  // namespace kavalo
