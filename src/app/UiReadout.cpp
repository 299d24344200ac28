// SPDX-License-Identifier: MIT
#include "app/UiReadout.h"

#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace kavalo {

namespace {

// Between the two labels, and inside each label's frame.
constexpr int kGap = 2;
// Lines the box asks room for: four of lblInfo, three of lblMap (a sheet
// name with its edition).
constexpr int kInfoLines = 4;
constexpr int kMapLines = 3;
// The least the box asks for: both labels at the smallest face, the sheet
// text's first line.
constexpr int kLeastMapLines = 1;

int textHeight(const QFont& font, int width, const QString& text) {
  const QFontMetrics metrics(font);
  if (text.isEmpty()) return metrics.lineSpacing();
  return metrics.boundingRect(QRect(0, 0, std::max(1, width), INT_MAX), Qt::TextWordWrap, text).height();
}

QFont sized(QFont font, qreal points) {
  font.setPointSizeF(points);
  return font;
}

}  // namespace

UiReadout::UiReadout(QLabel* info, QLabel* map, QWidget* parent)
    : QWidget(parent), info_(info), map_(map), basePoints_(info->font().pointSizeF()), pointSize_(basePoints_) {
  setObjectName(QStringLiteral("picReadout"));
  for (QLabel* label : {info_, map_}) {
    label->setParent(this);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
  }
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

int UiReadout::neededHeight(int width, qreal points, int* infoHeight) const {
  const int info = std::max(textHeight(sized(info_->font(), points), width, info_->text()),
                            kInfoLines * QFontMetrics(sized(info_->font(), points)).lineSpacing());
  if (infoHeight != nullptr) *infoHeight = info;
  return info + kGap + textHeight(sized(map_->font(), points), width, map_->text());
}

QSize UiReadout::sizeHint() const {
  const QFontMetrics metrics(sized(info_->font(), basePoints_));
  return QSize(100, (kInfoLines + kMapLines) * metrics.lineSpacing() + kGap);
}

QSize UiReadout::minimumSizeHint() const {
  // The place's four lines whole and the sheet text's first line at the
  // smallest face (a text's last line takes its full height, not a spacing).
  const QFont smallest = sized(info_->font(), kSmallestPoints);
  const QFontMetrics metrics(smallest);
  const int info =
      textHeight(smallest, 1000, QStringLiteral("北\n東\n測\n標"));  // stored: a sample of the tallest glyphs
  return QSize(60, info + kGap + kLeastMapLines * metrics.height() + 1);
}

void UiReadout::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  relayout();
}

void UiReadout::relayout() {
  const QSize box = size();
  if (box == laidSize_ && info_->text() == laidInfo_ && map_->text() == laidMap_ && map_->font().bold() == laidBold_)
    return;
  laidSize_ = box;
  laidInfo_ = info_->text();
  laidMap_ = map_->text();
  laidBold_ = map_->font().bold();

  // Wrap first; shrink only while the wrapped lines are taller than the box.
  qreal points = basePoints_;
  int infoHeight = 0;
  while (neededHeight(box.width(), points, &infoHeight) > box.height() && points - 0.5 >= kSmallestPoints)
    points -= 0.5;
  neededHeight(box.width(), points, &infoHeight);
  pointSize_ = points;
  for (QLabel* label : {info_, map_}) {
    if (label->font().pointSizeF() != points) label->setFont(sized(label->font(), points));
  }
  infoHeight = std::min(infoHeight, box.height());
  info_->setGeometry(0, 0, box.width(), infoHeight);
  // The sheet text takes the rest, cut at a whole line when even the smallest
  // face does not fit: a line is never drawn half over the one below.
  const int mapTop = infoHeight + kGap;
  const int lineSpacing = QFontMetrics(map_->font()).lineSpacing();
  int mapHeight = std::max(0, box.height() - mapTop);
  const int wanted = textHeight(map_->font(), box.width(), map_->text());
  if (wanted > mapHeight) mapHeight = mapHeight / std::max(1, lineSpacing) * lineSpacing;
  map_->setGeometry(0, mapTop, box.width(), std::min(mapHeight, std::max(wanted, lineSpacing)));
}

}  // namespace kavalo
