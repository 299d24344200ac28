// SPDX-License-Identifier: MIT
#pragma once
// The chooser of colour sets, "標高色設定選択・変更": one row per set with
// its name (the selected one framed), edit, a delete mark and copy; a set is
// added with "追加". Everything happens on a working copy that OK hands back;
// DialogCancelled then says whether the selected set colours the map alike.
#include <QDialog>
#include <vector>

#include "elevation/ColorSetChooser.h"
#include "elevation/UiColorDialogs.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmAltitudeColor_Dataset : public QDialog {
  Q_OBJECT

 public:
  frmAltitudeColor_Dataset(ProgramState& state, Prompts& prompts, QWidget* parent = nullptr, FormRunner runner = {});

  // False only after OK with the selected set changed in its colouring; the
  // map must then be coloured anew. OK replaces the list either way.
  bool DialogCancelled() const { return cancelled_; }
  const ColorSetWorkingList& working() const { return working_; }

  void lblName_Click(int i);
  void cmdEdit_Click(int i);
  void chkDel_Click(int i);
  void cmdCopy_Click(int i);
  void cmdAdd_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void VScroll_Change();

  // Rows that fit in the panel at once.
  int visibleRows() const;

  std::vector<QLabel*> lblName;
  std::vector<QPushButton*> cmdEdit;
  std::vector<QCheckBox*> chkDel;
  std::vector<QPushButton*> cmdCopy;
  QFrame* picFrame = nullptr;
  QWidget* picData = nullptr;
  QScrollBar* VScroll = nullptr;
  QPushButton* cmdAdd = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void makeRow(int i);
  // Places the rows, shows the names and frames the selected one, sizes the
  // panel and sets the scroll bar so that row `show` is in view.
  void layoutRows(int show);

  ProgramState& state_;
  Prompts& prompts_;
  FormRunner runner_;
  ColorSetWorkingList working_;
  int labelHeight_ = 0;
  int pitch_ = 0;
  bool cancelled_ = true;
  bool closing_ = false;
};

}  // namespace kavalo
