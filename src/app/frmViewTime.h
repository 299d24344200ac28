#pragma once
// The display-era settings (表示時期設定): which eras the era list offers,
// and whether eras are labelled in Western years or Japanese era names.
#include <QDialog>
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

  void Form_Load();
  void cmdSelect_Click(int index);
  void cmdOK_Click();
  void cmdCancel_Click();

  enum class Outcome { TooFew, Changed, Unchanged };
  // What OK does with a selection, one flag per era in list order: fewer
  // than two selected eras are refused; otherwise each era's listed flag and
  // the label style are set, and the outcome says whether the listed eras
  // changed.
  static Outcome applySelection(ProgramState& state, const std::vector<bool>& selected, int labelStyle);

  QRadioButton* optEra[2] = {nullptr, nullptr};
  QListWidget* lstEra = nullptr;
  QPushButton* cmdSelect[2] = {nullptr, nullptr};
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
  bool cancelled_ = true;
  bool closing_ = false;
};

}  // namespace kavalo
