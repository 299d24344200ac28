// SPDX-License-Identifier: MIT
// The main window's controls tied to their handlers. The switches' state
// follows their boxes however they change; only user clicks redraw.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/frmSCR.h"

namespace kavalo {

void frmSCR::connectControls() {
  connect(lstDataFolder, &QListWidget::currentRowChanged, this, [this](int) { lstDataFolder_Click(); });
  connect(cmdMapComment, &QPushButton::clicked, this, [this] { cmdMapComment_Click(); });
  connect(cboAge, &QComboBox::currentIndexChanged, this, [this](int) { cboAge_Click(); });
  connect(SliderAge, &QSlider::valueChanged, this, [this](int) { SliderAge_Scroll(); });
  connect(SliderAge, &QSlider::sliderReleased, this, [this] { SliderAge_MouseUp(); });
  connect(cmdViewTime, &QPushButton::clicked, this, [this] { cmdViewTime_Click(); });
  connect(SliderZoom, &QSlider::valueChanged, this, [this](int) { SliderZoom_Scroll(); });
  connect(SliderZoom, &QSlider::sliderReleased, this, [this] { SliderZoom_MouseUp(); });
  connect(cmdWhole, &QPushButton::clicked, this, [this] { cmdWhole_Click(); });
  connect(SliderMoveAmount, &QSlider::sliderReleased, this, [this] { SliderMoveAmount_MouseUp(); });
  connect(cmdAltitudeColor, &QPushButton::clicked, this, [this] { cmdAltitudeColor_Click(); });

  // The switches' state follows their boxes however they change; the click
  // handlers (user clicks only) redraw.
  connect(chkTikeizu, &QCheckBox::toggled, this, [this](bool on) { state_.view.showTiles = on; });
  connect(chkAltitude, &QCheckBox::toggled, this, [this](bool on) { state_.view.showAltitude = on; });
  connect(chkZukakusen, &QCheckBox::toggled, this, [this](bool on) { state_.view.showSheetLines = on; });
  connect(chkScale, &QCheckBox::toggled, this, [this](bool on) { state_.view.showScale = on; });
  connect(chkLegend, &QCheckBox::toggled, this, [this](bool on) { state_.view.showLegend = on; });
  connect(chkMark, &QCheckBox::toggled, this, [this](bool on) { state_.view.showMarks = on; });
  connect(chkTikeizu, &QCheckBox::clicked, this, [this] { chkTikeizu_Click(); });
  connect(chkAltitude, &QCheckBox::clicked, this, [this] { chkAltitude_Click(); });
  connect(chkZukakusen, &QCheckBox::clicked, this, [this] { chkZukakusen_Click(); });
  connect(chkScale, &QCheckBox::clicked, this, [this] { chkScale_Click(); });
  connect(chkLegend, &QCheckBox::clicked, this, [this] { chkLegend_Click(); });
  connect(chkMark, &QCheckBox::clicked, this, [this] { chkMark_Click(); });

  connect(cmdSokuti, &QPushButton::clicked, this, [this] { cmdSokuti_Click(); });
  connect(cmdPosition, &QPushButton::clicked, this, [this] { cmdPosition_Click(); });
  connect(cmdWMS, &QPushButton::clicked, this, [this] { cmdWMS_Click(); });
  connect(cmdGetTikeizu, &QPushButton::clicked, this, [this] { cmdGetTikeizu_Click(); });
  connect(cnmdKML, &QPushButton::clicked, this, [this] { cnmdKML_Click(); });
  connect(cmdPrintOut, &QPushButton::clicked, this, [this] { cmdPrintOut_Click(); });
  connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
  connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
  connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
  connect(mnuMarkSet, &QAction::triggered, this, [this] { mnuMarkSet_Click(); });
  connect(mnuMarkModify, &QAction::triggered, this, [this] { mnuMarkModify_Click(); });
  connect(mnuMarkErase, &QAction::triggered, this, [this] { mnuMarkErase_Click(); });
  connect(mnuCopyPosition, &QAction::triggered, this, [this] { mnuCopyPosition_Click(); });
  connect(mnuCopyGeoUri, &QAction::triggered, this, [this] { mnuCopyGeoUri_Click(); });
  connect(mnuCopyLink, &QAction::triggered, this, [this] { mnuCopyLink_Click(); });
  connect(mnuCopyWebLink, &QAction::triggered, this, [this] { mnuCopyWebLink_Click(); });
  connect(mnuRulerSave, &QAction::triggered, this, [this] { mnuRulerSave_Click(); });
  connect(mnuRulerClear, &QAction::triggered, this, [this] { mnuRulerClear_Click(); });
  connect(chkOverview, &QCheckBox::clicked, this, [this] { chkOverview_Click(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

}  // namespace kavalo
