// SPDX-License-Identifier: MIT
#pragma once
// The new label of an era the user added: "時期の名前" with the label box
// txtLabel, OK and "キャンセル". OK with a label the era's info file cannot
// hold warns and keeps the dialog open.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kavalo {

class Prompts;

class frmEraName : public QDialog {
  Q_OBJECT

 public:
  frmEraName(Prompts& prompts, const QString& label, QWidget* parent = nullptr);

  // False only after OK with a label that can be stored.
  bool dialogCancelled() const { return cancelled_; }
  QString label() const;

  void cmdOK_Click();
  void cmdCancel_Click();

  QLabel* lblLabel = nullptr;
  QLineEdit* txtLabel = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  Prompts& prompts_;
  bool cancelled_ = true;
};

}  // namespace kavalo
