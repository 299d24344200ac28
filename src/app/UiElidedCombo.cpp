// SPDX-License-Identifier: MIT
#include "app/UiElidedCombo.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace kavalo {

UiElidedCombo::UiElidedCombo(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this](int) { updateTip(); });
  // A label renamed in place keeps its tip in step.
  connect(model(), &QAbstractItemModel::dataChanged, this, [this] { updateTip(); });
}

void UiElidedCombo::setTipCaption(const QString& caption) {
  tipCaption_ = caption;
  updateTip();
}

void UiElidedCombo::updateTip() {
  const QString text = currentText();
  if (text.isEmpty())
    setToolTip(tipCaption_);
  else
    setToolTip(tipCaption_.isEmpty()
                   ? text
                   : QCoreApplication::translate("kavalo::UiElidedCombo", "%1：%2").arg(tipCaption_, text));
}

QRect UiElidedCombo::textField() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
}

QString UiElidedCombo::shownText() const {
  return fontMetrics().elidedText(currentText(), Qt::ElideMiddle, textField().width());
}

void UiElidedCombo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = shownText();
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace kavalo
