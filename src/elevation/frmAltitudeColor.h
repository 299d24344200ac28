// SPDX-License-Identifier: MIT
#pragma once
// The editor of one colour set, "標高データの色設定": its name, the colours
// of the highest point, the lowest point and the sea, up to five breakpoints,
// and the relief shading. A strip of the ramp and a small shaded map of the
// loaded grid follow every change, so a choice can be judged before OK.
#include <QDialog>
#include <array>

#include "elevation/ColorSetEditing.h"
#include "elevation/UiColorDialogs.h"
#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace kavalo {

class Prompts;
class UiSwatch;

class frmAltitudeColor : public QDialog {
  Q_OBJECT

 public:
  // editing: the set shown, and where OK stores the result. grid: the loaded
  // elevation grid, whose highest and lowest points bound the breakpoints.
  frmAltitudeColor(ColorSet& editing, const AltitudeGrid& grid, Prompts& prompts, QWidget* parent = nullptr,
                   FormRunner runner = {});

  // False only after OK stored the set.
  bool DialogCancelled() const { return cancelled_; }

  void picAlti_Col_Click(int index);
  void cmdAddColor_Click();
  void cmdEraseColor_Click(int row);
  void cmdArrange_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  // The colours and texts the controls hold now.
  ColourEntries entries() const;
  // The set as OK would store it now (rows that are not numbers left out);
  // the previews draw this.
  ColorSet currentSet() const;

  QLineEdit* txtName = nullptr;
  QCheckBox* chkShadow = nullptr;
  std::array<QRadioButton*, 4> optLightDir{};
  QSlider* SliderShadow = nullptr;
  std::array<QFrame*, kSwatches> picColFrame{};
  std::array<UiSwatch*, kSwatches> picAlti_Col{};
  std::array<QLabel*, 3> lblMaxMin{};
  std::array<QLineEdit*, kSwatches> txtAltitude{};      // rows 3 to 7
  std::array<QPushButton*, kSwatches> cmdEraseColor{};  // rows 3 to 7
  QPushButton* cmdAddColor = nullptr;
  QPushButton* cmdArrange = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
  QLabel* picRamp = nullptr;
  QLabel* picPreview = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void buildControls();
  void showEntries(const ColourEntries& e);
  void refreshPreview();

  ColorSet& editing_;
  const AltitudeGrid& grid_;
  Prompts& prompts_;
  FormRunner runner_;
  int shownRows_ = 0;
  bool cancelled_ = true;
  bool closing_ = false;
  bool loading_ = true;
};

}  // namespace kavalo
