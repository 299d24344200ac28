// SPDX-License-Identifier: MIT
// Marks and position dialog handlers of the main window: the marks switch,
// the pop-up menu of the map view and the position dialog.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPainter>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "geo/frmMarkSet.h"
#include "geo/frmPosition.h"
#include "output/WebMapLink.h"
#include "platform/Prompts.h"
#include "render/ComposeContext.h"
#include "render/MarkDrawing.h"
#include "render/MarkHitTest.h"

namespace kavalo {

void frmSCR::runMarksForm(QDialog& form) {
  if (marksFormRunner)
    marksFormRunner(form);
  else
    form.exec();
}

void frmSCR::drawMarksNow() {
  if (!state_.view.loaded || viewPicture_.isNull()) return;
  const ComposeContext context = makeComposeContext(state_, viewRequest(RenderPass::Screen));
  QPainter painter(&viewPicture_);
  Mark_Print(painter, context);
  painter.end();
  picPrint->update();
}

void frmSCR::chkMark_Click() {
  PrintGazo();
  picPrint->setFocus();
}

void frmSCR::showMarkPopup(double x, double y) {
  if (!state_.view.loaded) return;
  // The labels are measured in view pixels: on a finer screen the picture's
  // pixels are not the view's.
  const QImage* measured = viewPicture_.isNull() || viewPixelRatio() != 1.0 ? nullptr : &viewPicture_;
  markHitIndex_ = Mark_HitTest(state_.marks, state_.viewport(), measured, x, y);
  const bool hit = markHitIndex_ >= 0;
  mnuMarkSet->setEnabled(true);
  mnuMarkModify->setEnabled(hit);
  mnuMarkErase->setEnabled(hit);
  mnuRulerSave->setEnabled(ruler_.points().size() >= 2);
  mnuRulerClear->setEnabled(!ruler_.points().empty());
  mnuCopyWebLink->setVisible(!currentWebMapLink(state_).isEmpty());
  mnuPopUpMenu->popup(picPrint->mapToGlobal(QPointF(x, y).toPoint()));
}

void frmSCR::mnuMarkSet_Click() {
  if (!state_.view.loaded) return;
  frmMarkSet form(prompts_, QString(), this);
  runMarksForm(form);
  if (form.DialogCancelled()) return;
  const QPointF press = pressPosition();
  state_.marks.add(markAtViewPosition(state_.viewport(), press.x(), press.y(), form.markName()));
  drawMarksNow();
}

void frmSCR::mnuMarkModify_Click() {
  if (markHitIndex_ < 0 || markHitIndex_ >= state_.marks.count()) return;
  frmMarkSet form(prompts_, state_.marks.at(markHitIndex_).name, this);
  runMarksForm(form);
  if (form.DialogCancelled()) return;
  state_.marks.at(markHitIndex_).name = form.markName();
  PrintGazo();
}

void frmSCR::mnuMarkErase_Click() {
  if (markHitIndex_ < 0 || markHitIndex_ >= state_.marks.count()) return;
  if (!prompts_.askYesNo(tr("目印を削除します。よろしいですか？"), MessageIcon::Exclamation)) return;
  state_.marks.removeAt(markHitIndex_);
  markHitIndex_ = -1;
  PrintGazo();
}

void frmSCR::cmdPosition_Click() {
  if (!state_.view.loaded) return;
  frmPosition form(state_, prompts_, this);
  runMarksForm(form);
  if (!form.DialogCancelled()) {
    PrintGazo();
    Show_PointInfoAtCursor();
  } else if (form.marksChanged()) {
    // Marks deleted or loaded without moving the view must not stay drawn.
    PrintGazo();
  }
  picPrint->setFocus();
}

}  // namespace kavalo
