// SPDX-License-Identifier: MIT
#include "elevation/frmAltitudeColor_Dataset.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "elevation/frmAltitudeColor.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {
constexpr int kShownRows = 6;  // rows the panel is made for
constexpr int kNameLeft = 8;
constexpr int kNameWidth = 220;
constexpr int kButtonWidth = 64;
constexpr int kGap = 8;
constexpr int kDataWidth = kNameLeft + kNameWidth + 3 * (kGap + kButtonWidth) + kGap;
}  // namespace

frmAltitudeColor_Dataset::frmAltitudeColor_Dataset(ProgramState& state, Prompts& prompts, QWidget* parent,
                                                   FormRunner runner)
    : QDialog(parent), state_(state), prompts_(prompts), runner_(std::move(runner)), working_(state.colorSets) {
  setObjectName(QStringLiteral("frmAltitudeColor_Dataset"));
  setWindowTitle(tr("標高色設定選択・変更"));
  setModal(true);

  labelHeight_ = fontMetrics().height() + 8;
  pitch_ = labelHeight_ * 3 / 2;
  const int innerHeight = kShownRows * pitch_ + pitch_ / 2;

  picFrame = new QFrame(this);
  picFrame->setObjectName(QStringLiteral("picFrame"));
  picFrame->setFrameShape(QFrame::Box);
  picFrame->setLineWidth(1);
  const int frameWidth = picFrame->frameWidth();
  picFrame->setGeometry(kGap, kGap, kDataWidth + 2 * frameWidth, innerHeight + 2 * frameWidth);
  picData = new QWidget(picFrame);
  picData->setObjectName(QStringLiteral("picData"));
  picData->installEventFilter(this);
  picFrame->installEventFilter(this);
  VScroll = new QScrollBar(Qt::Vertical, this);
  VScroll->setObjectName(QStringLiteral("VScroll"));
  const int scrollWidth = VScroll->sizeHint().width();
  VScroll->setGeometry(picFrame->geometry().right() + 1, kGap, scrollWidth, picFrame->height());
  connect(VScroll, &QScrollBar::valueChanged, this, [this] { VScroll_Change(); });

  cmdAdd = new QPushButton(tr("追加"), this);
  cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
  cmdAdd->setToolTip(tr("色のデータセットを追加します"));
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(tr("キャンセル"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  const int buttonTop = picFrame->geometry().bottom() + 1 + kGap;
  const int buttonHeight = cmdOK->sizeHint().height();
  const int width = VScroll->geometry().right() + 1 + kGap;
  cmdAdd->setGeometry(kGap, buttonTop, 90, buttonHeight);
  cmdCancel->setGeometry(width - kGap - 100, buttonTop, 100, buttonHeight);
  cmdOK->setGeometry(width - 2 * (kGap + 100), buttonTop, 100, buttonHeight);
  setFixedSize(width, buttonTop + buttonHeight + kGap);

  connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

  layoutRows(working_.selected());
  PlaceFormNearCursor(*this, false);
}

int frmAltitudeColor_Dataset::visibleRows() const { return picFrame->contentsRect().height() / pitch_; }

void frmAltitudeColor_Dataset::makeRow(int i) {
  auto* name = new QLabel(picData);
  name->setObjectName(QStringLiteral("lblName_%1").arg(i));
  name->installEventFilter(this);
  auto* edit = new QPushButton(tr("編集"), picData);
  edit->setObjectName(QStringLiteral("cmdEdit_%1").arg(i));
  edit->setToolTip(tr("色を修正します"));
  auto* del = new QCheckBox(tr("削除"), picData);
  del->setObjectName(QStringLiteral("chkDel_%1").arg(i));
  auto* copy = new QPushButton(tr("ｺﾋﾟｰ"), picData);
  copy->setObjectName(QStringLiteral("cmdCopy_%1").arg(i));
  copy->setToolTip(tr("同じ設定をコピーします"));
  connect(edit, &QPushButton::clicked, this, [this, i] { cmdEdit_Click(i); });
  connect(del, &QCheckBox::toggled, this, [this, i] { chkDel_Click(i); });
  connect(copy, &QPushButton::clicked, this, [this, i] { cmdCopy_Click(i); });
  lblName.push_back(name);
  cmdEdit.push_back(edit);
  chkDel.push_back(del);
  cmdCopy.push_back(copy);
}

void frmAltitudeColor_Dataset::layoutRows(int show) {
  const int count = working_.count();
  while (static_cast<int>(lblName.size()) < count) makeRow(static_cast<int>(lblName.size()));
  for (int i = 0; i < count; ++i) {
    const size_t s = static_cast<size_t>(i);
    const int top = pitch_ / 2 + i * pitch_;
    int left = kNameLeft;
    lblName[s]->setGeometry(left, top, kNameWidth, labelHeight_);
    left += kNameWidth + kGap;
    for (QWidget* w :
         {static_cast<QWidget*>(cmdEdit[s]), static_cast<QWidget*>(chkDel[s]), static_cast<QWidget*>(cmdCopy[s])}) {
      w->setGeometry(left, top, kButtonWidth, labelHeight_);
      left += kButtonWidth + kGap;
    }
    lblName[s]->setText(working_.set(i).name);
    lblName[s]->setFrameShape(i == working_.selected() ? QFrame::Box : QFrame::NoFrame);
    lblName[s]->show();
    cmdEdit[s]->show();
    chkDel[s]->show();
    cmdCopy[s]->show();
  }
  const int inner = picFrame->contentsRect().height();
  picData->setGeometry(picFrame->contentsRect().left(), picFrame->contentsRect().top(), kDataWidth,
                       std::max(count * pitch_ + labelHeight_, inner));
  const int visible = visibleRows();
  if (count > visible) {
    VScroll->setRange(0, count - visible);
    VScroll->setPageStep(visible);
    VScroll->show();
    const int first = scrollToShow(show, VScroll->value(), visible, count);
    if (first != VScroll->value())
      VScroll->setValue(first);
    else
      VScroll_Change();
  } else {
    VScroll->hide();
    VScroll->setValue(0);
    VScroll_Change();
  }
}

void frmAltitudeColor_Dataset::VScroll_Change() {
  // One step of the bar is one row.
  const int value = VScroll->isHidden() ? 0 : VScroll->value();
  picData->move(picFrame->contentsRect().left(), picFrame->contentsRect().top() - value * pitch_);
}

void frmAltitudeColor_Dataset::lblName_Click(int i) {
  if (i < 0 || i >= working_.count()) return;
  working_.select(i);
  layoutRows(i);
}

void frmAltitudeColor_Dataset::cmdEdit_Click(int i) {
  if (i < 0 || i >= working_.count()) return;
  ColorSet editing = working_.set(i);
  frmAltitudeColor editor(editing, state_.altitude, prompts_, this, runner_);
  runForm(runner_, editor);
  if (editor.DialogCancelled()) return;
  working_.set(i) = editing;
  layoutRows(i);
}

void frmAltitudeColor_Dataset::chkDel_Click(int i) {
  if (i < 0 || i >= working_.count()) return;
  working_.setMarked(i, chkDel[static_cast<size_t>(i)]->isChecked());
}

void frmAltitudeColor_Dataset::cmdAdd_Click() {
  working_.add(state_.altitude);
  // The new row comes into view: it is the one the user is about to edit.
  layoutRows(working_.count() - 1);
}

void frmAltitudeColor_Dataset::cmdCopy_Click(int i) {
  if (i < 0 || i >= working_.count()) return;
  working_.copy(i, state_.altitude);
  layoutRows(working_.count() - 1);
}

void frmAltitudeColor_Dataset::cmdOK_Click() {
  const auto outcome = working_.confirm(state_.colorSets);
  if (outcome == ColorSetWorkingList::Outcome::SelectedMarked) {
    prompts_.message(tr("削除されるデータセットが選択されています"), MessageIcon::Exclamation);
    return;
  }
  cancelled_ = outcome == ColorSetWorkingList::Outcome::Unchanged;
  closing_ = true;
  done(cancelled_ ? QDialog::Rejected : QDialog::Accepted);
}

void frmAltitudeColor_Dataset::cmdCancel_Click() {
  cancelled_ = true;
  closing_ = true;
  QDialog::reject();
}

void frmAltitudeColor_Dataset::reject() {
  if (!closing_) cmdCancel_Click();
}

void frmAltitudeColor_Dataset::closeEvent(QCloseEvent* event) {
  if (!closing_) cmdCancel_Click();
  event->accept();
}

bool frmAltitudeColor_Dataset::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const auto it = std::find(lblName.begin(), lblName.end(), watched);
    if (it != lblName.end() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      lblName_Click(static_cast<int>(it - lblName.begin()));
      return true;
    }
  }
  if (event->type() == QEvent::Wheel && (watched == picData || watched == picFrame) && !VScroll->isHidden()) {
    // The wheel over the rows moves them as the bar would.
    const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
    VScroll->setValue(VScroll->value() - notches);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kavalo
