// SPDX-License-Identifier: MIT
#pragma once
// A combo box that shows a text too long for it with its middle elided (the
// year at the front and the source's name at the end stay in sight) and the
// whole text as its tip; the open list is as wide as its longest entry.
#include <QComboBox>

namespace kavalo {

class UiElidedCombo : public QComboBox {
 public:
  explicit UiElidedCombo(QWidget* parent = nullptr);

  // The caption given to the tip before the whole text ("比較する時期").
  void setTipCaption(const QString& caption);
  // The text as the box shows it now: whole, or elided to fit its field.
  QString shownText() const;
  // The field the text is drawn in.
  QRect textField() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void updateTip();
  QString tipCaption_;
};

}  // namespace kavalo
