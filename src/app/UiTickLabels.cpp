// SPDX-License-Identifier: MIT
#include "app/UiTickLabels.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace kavalo {

UiTickLabels::UiTickLabels(const QString& caption, QSlider* slider, std::vector<std::pair<int, QString>> marks,
                           QWidget* parent)
    : QLabel(caption, parent), slider_(slider), marks_(std::move(marks)) {}

int UiTickLabels::tickCentre(int value) const {
  QStyleOptionSlider opt;
  opt.initFrom(slider_);
  opt.orientation = slider_->orientation();
  opt.minimum = slider_->minimum();
  opt.maximum = slider_->maximum();
  opt.sliderPosition = slider_->sliderPosition();
  opt.sliderValue = slider_->value();
  opt.singleStep = slider_->singleStep();
  opt.pageStep = slider_->pageStep();
  opt.tickPosition = slider_->tickPosition();
  opt.tickInterval = slider_->tickInterval();
  opt.upsideDown = slider_->invertedAppearance();
  opt.subControls = QStyle::SC_None;
  QStyle* style = slider_->style();
  const QRect groove = style->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, slider_);
  const QRect handle = style->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider_);
  const int span = groove.width() - handle.width();
  // The styles draw a tick where the handle's centre stands at that value.
  const int x = groove.x() + QStyle::sliderPositionFromValue(opt.minimum, opt.maximum, value, span, opt.upsideDown) +
                handle.width() / 2;
  return slider_->mapTo(window(), QPoint(x, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
}

QSize UiTickLabels::sizeHint() const { return QSize(slider_->sizeHint().width(), fontMetrics().height()); }

QSize UiTickLabels::minimumSizeHint() const { return QSize(0, fontMetrics().height()); }

void UiTickLabels::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  const QFontMetrics metrics = fontMetrics();
  for (const auto& [value, text] : marks_) {
    const int w = metrics.horizontalAdvance(text);
    // Centred under its tick, but never cut at the label's ends.
    const int left = std::clamp(tickCentre(value) - w / 2, 0, std::max(0, width() - w));
    p.drawText(QRect(left, 0, w, height()), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
}

}  // namespace kavalo
