// SPDX-License-Identifier: MIT
#pragma once
// The readout's two labels in the information group: lblInfo (latitude,
// longitude, datum, elevation) above lblMap (the sheet or the image source).
// The box lays them out itself so that no line ever covers another, whatever
// room the window leaves it: lines wrap at the box's width, and when the
// wrapped lines are still taller than the box the face shrinks, down to the
// least readable size; past that the sheet text is cut at a whole line.
#include <QString>
#include <QWidget>

class QLabel;

namespace kavalo {

class UiReadout : public QWidget {
  Q_OBJECT

 public:
  // Takes both labels in; their own fonts are the largest faces used.
  UiReadout(QLabel* info, QLabel* map, QWidget* parent = nullptr);

  // Lays the labels out again (their texts or weights changed).
  void relayout();
  // The point size the labels are drawn at now.
  qreal pointSize() const { return pointSize_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // Below this size the captions are too small to read.
  static constexpr qreal kSmallestPoints = 6.5;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The height the labels' texts need at this width and point size.
  int neededHeight(int width, qreal points, int* infoHeight) const;

  QLabel* info_;
  QLabel* map_;
  qreal basePoints_;
  qreal pointSize_;
  // What the last layout was made for: a mouse move that leaves the texts'
  // shape as it was costs nothing.
  QString laidInfo_;
  QString laidMap_;
  bool laidBold_ = false;
  QSize laidSize_;
};

}  // namespace kavalo
