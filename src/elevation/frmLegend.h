// SPDX-License-Identifier: MIT
#pragma once
// The legend window: the legend picture of the shown era beside the map,
// with a copy button above it and a scroll bar for legends taller than the
// window. It is a tool window of the main window, so it stays above it.
#include <QImage>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QScrollBar;

namespace kavalo {

class frmLegend : public QWidget {
  Q_OBJECT

 public:
  explicit frmLegend(QWidget* mainWindow);

  // Shows a picture and fits the window's width to it (the height stays).
  void setLegendPicture(const QImage& picture);
  const QImage& legendPicture() const { return picture_; }

  // The user closed the window (the main window unticks its switch).
  std::function<void()> onClosed;

  void cmdCopy_Click();
  void VScroll_Change();

  QPushButton* cmdCopy = nullptr;
  QWidget* picBox = nullptr;
  QLabel* picLegend = nullptr;
  QScrollBar* VScroll = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Places the panel, the picture and the scroll bar for the window's
  // current height.
  void placeParts();

  QImage picture_;
};

}  // namespace kavalo
