// SPDX-License-Identifier: MIT
#pragma once
// A label under a horizontal slider that writes each of its texts centred
// under the tick of its value, wherever the style puts the ticks. Its text()
// stays the caption it was given (the texts joined as one line).
#include <QLabel>
#include <QString>
#include <utility>
#include <vector>

class QSlider;

namespace kavalo {

class UiTickLabels : public QLabel {
  Q_OBJECT

 public:
  // caption: the label's text; marks: (slider value, text) pairs.
  UiTickLabels(const QString& caption, QSlider* slider, std::vector<std::pair<int, QString>> marks,
               QWidget* parent = nullptr);

  // The centre of a value's tick in this label's coordinates.
  int tickCentre(int value) const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSlider* slider_;
  std::vector<std::pair<int, QString>> marks_;
};

}  // namespace kavalo
