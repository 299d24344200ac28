// SPDX-License-Identifier: MIT
#pragma once
// The name dialog of a mark: "目印設定" with the name box txtComment, OK and
// "キャンセル". OK with an empty name warns and keeps the dialog open.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QLabel;

namespace kavalo {

class Prompts;

class frmMarkSet : public QDialog {
  Q_OBJECT

 public:
  frmMarkSet(Prompts& prompts, const QString& name, QWidget* parent = nullptr);

  // False only after OK with a name; true after cancel or closing the window.
  bool DialogCancelled() const { return cancelled_; }
  // The name as the marks file can hold it (see storableMarkName).
  QString markName() const;

  void cmdOK_Click();
  void cmdCancel_Click();

  QLabel* Label1 = nullptr;
  QLineEdit* txtComment = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  Prompts& prompts_;
  bool cancelled_ = true;
};

}  // namespace kavalo
