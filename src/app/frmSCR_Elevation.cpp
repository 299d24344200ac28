// SPDX-License-Identifier: MIT
// Elevation colouring and cursor readout handlers of the main window.
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>

#include "app/UiMapView.h"
#include "app/UiReadout.h"
#include "app/frmSCR.h"
#include "elevation/ElevationPicture.h"
#include "elevation/frmAltitudeColor_Dataset.h"
#include "geo/CursorReadout.h"

namespace kavalo {

namespace {

// Qt's labels break lines at line feeds only; the captions end their lines
// with carriage returns, as the program has always written them.
QString displayText(QString caption) {
  caption.replace(QChar(13), QChar(10));
  return caption;
}

// Shows the colour-set chooser modally and returns its DialogCancelled flag:
// false when the selected set was changed in anything but its name.
bool showColorSetChooser(frmSCR& owner) {
  frmAltitudeColor_Dataset form(owner.state(), owner.prompts(), &owner, owner.colorSetFormRunner);
  runForm(owner.colorSetFormRunner, form);
  return form.DialogCancelled();
}

}  // namespace

void frmSCR::chkAltitude_Click() {
  // The agency approved its topographic maps with the elevation colours: on
  // the dataset's own sheets they cannot be switched off (the box's tip says so).
  if (state_.hasEra() && state_.currentEra().kind == kScannedSheets) chkAltitude->setChecked(true);
  PrintGazo();
  picPrint->setFocus();
}

void frmSCR::cmdAltitudeColor_Click() {
  const bool dialogCancelled = showColorSetChooser(*this);
  if (dialogCancelled) return;
  // New colours: the grid is read again and the ramp and pieces prepared anew.
  init_Altitude_Picture(state_, prompts_);
  PrintGazo();
}

void frmSCR::Show_PointInfo(double px, double py) {
  if (!state_.view.loaded) return;
  int era = state_.view.eraIndex;
  QPointF at(px, py);
  // Comparing, the place under the pointer is shown by one of two eras (and
  // side by side, by a pane that is a view of its own): on the divider
  // between the panes the readout keeps what it showed.
  if (compareActive() && !compareEraAt(QPointF(px, py), &era, &at)) return;
  readoutView_ = state_.viewport();
  readoutPoint_ = at;
  readoutEra_ = era;
  hasReadoutPoint_ = true;
  showReadoutFor(readoutView_, readoutPoint_, readoutEra_);
}

void frmSCR::showReadoutFor(const Viewport& view, QPointF at, int eraIndex) {
  const PointInfo info =
      computePointInfo(state_, view, eraIndex, static_cast<float>(at.x()), static_cast<float>(at.y()));
  lblInfo->setText(displayText(info.lblInfo));
  lblMap->setText(displayText(info.lblMap));
  // The captions as the program composes them, carriage returns included,
  // for automation and the command-line readout alike.
  lblInfo->setProperty("caption", info.lblInfo);
  lblMap->setProperty("caption", info.lblMap);
  QFont font = lblMap->font();
  if (font.bold() != info.bold) {
    font.setBold(info.bold);
    lblMap->setFont(font);
  }
  readoutBox_->relayout();
  setStatusLine(info.lblInfo);
}

void frmSCR::refreshReadoutDatum() {
  if (!state_.view.loaded || !hasReadoutPoint_) return;
  showReadoutFor(readoutView_, readoutPoint_, readoutEra_);
}

void frmSCR::Show_PointInfoAtCursor() {
  // Qt maps the global cursor position into the view, frame and title bar
  // included, on every platform.
  const QPoint global = QCursor::pos();
  const QPoint at = picPrint->mapFromGlobal(global);
  // Only a pointer resting on the map has a place to describe; anywhere else
  // (the panel, another window over the map) the readout keeps what it showed.
  if (!picPrint->isVisible() || !picPrint->rect().contains(at)) return;
  if (QWidget* under = QApplication::widgetAt(global); under != nullptr && under->window() != this) return;
  Show_PointInfo(at.x(), at.y());
}

}  // namespace kavalo
