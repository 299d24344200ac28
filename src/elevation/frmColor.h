// SPDX-License-Identifier: MIT
#pragma once
// The colour picker "色の指定": 56 fixed colours, the full colour dialog
// behind "詳細", and cancel. Closing the window counts as cancel.
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "model/ColorSet.h"

class QPushButton;

namespace kavalo {

class UiSwatch;

class frmColor : public QDialog {
  Q_OBJECT

 public:
  explicit frmColor(QWidget* parent = nullptr);

  // False only once a colour was chosen.
  bool DialogCancelled() const { return cancelled_; }
  Colour colour() const { return colour_; }

  void picCol_Click(int n);
  void cmdDetailColor_Click();
  void cmdCancel_Click();
  // The mouse over the picker at a point of the picker: the swatch there is
  // highlighted, the background takes the highlight away.
  void Form_MouseMove(QPoint at);
  int highlighted() const { return highlighted_; }

  // The full colour dialog; tests put their own answer here.
  std::function<std::optional<Colour>(QWidget*)> detailChooser;

  std::array<UiSwatch*, 56> picCol{};
  QPushButton* cmdDetailColor = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void highlight(int n);

  bool cancelled_ = true;
  Colour colour_ = 0;
  int highlighted_ = -1;
};

}  // namespace kavalo
