// SPDX-License-Identifier: MIT
#include "app/frmViewTime.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/EraEditing.h"
#include "app/frmEraName.h"
#include "model/EraLabels.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"

namespace kavalo {

frmViewTime::frmViewTime(ProgramState& state, Prompts& prompts, QComboBox* combo, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), combo_(combo) {
  setObjectName(QStringLiteral("frmViewTime"));
  setWindowTitle(tr("表示時期設定"));
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  auto* style = new QGroupBox(tr("表示形式"));
  style->setObjectName(QStringLiteral("framEra"));
  auto* styleLayout = new QHBoxLayout(style);
  const QString captions[2] = {tr("西暦"), tr("元号")};
  for (int i = 0; i < 2; ++i) {
    optEra[i] = new QRadioButton(captions[i]);
    optEra[i]->setObjectName(QStringLiteral("optEra_%1").arg(i));
    styleLayout->addWidget(optEra[i]);
  }
  layout->addWidget(style);

  lstEra = new QListWidget;
  lstEra->setObjectName(QStringLiteral("lstEra"));
  lstEra->setSelectionMode(QAbstractItemView::MultiSelection);
  lstEra->setMinimumHeight(200);
  layout->addWidget(lstEra);

  auto* selectRow = new QHBoxLayout;
  const QString selectCaptions[2] = {tr("全て選択"), tr("選択クリア")};
  for (int i = 0; i < 2; ++i) {
    cmdSelect[i] = new QPushButton(selectCaptions[i]);
    cmdSelect[i]->setObjectName(QStringLiteral("cmdSelect_%1").arg(i));
    cmdSelect[i]->setAutoDefault(false);
    selectRow->addWidget(cmdSelect[i]);
    connect(cmdSelect[i], &QPushButton::clicked, this, [this, i] { cmdSelect_Click(i); });
  }
  layout->addLayout(selectRow);

  auto* editRow = new QHBoxLayout;
  cmdRename = new QPushButton(tr("名前の変更(&R)"));
  cmdRename->setObjectName(QStringLiteral("cmdRename"));
  cmdRename->setToolTip(tr("追加した時期の名前を変更します"));
  cmdDelete = new QPushButton(tr("削除(&D)"));
  cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
  cmdDelete->setToolTip(tr("追加した時期を削除します（画像はごみ箱に移動します）"));
  for (QPushButton* b : {cmdRename, cmdDelete}) {
    b->setAutoDefault(false);
    b->setEnabled(false);
    editRow->addWidget(b);
  }
  layout->addLayout(editRow);
  connect(cmdRename, &QPushButton::clicked, this, [this] { cmdRename_Click(); });
  connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
  connect(lstEra, &QListWidget::currentRowChanged, this, [this] { lstEra_CurrentChanged(); });
  askLabel = [this](const QString& label) -> std::optional<QString> {
    frmEraName dialog(prompts_, label, this);
    dialog.exec();
    if (dialog.dialogCancelled()) return std::nullopt;
    return dialog.label();
  };

  auto* buttons = new QHBoxLayout;
  cmdOK = new QPushButton(QStringLiteral("OK"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(tr("キャンセル"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

  Form_Load();
}

void frmViewTime::Form_Load() {
  const int style = state_.view.eraLabelStyle;
  // A style the settings file left out of range shows neither option.
  if (style == 0 || style == 1) optEra[style]->setChecked(true);
  lstEra->clear();
  for (const Era& era : state_.eras) {
    auto* item = new QListWidgetItem(Get_cboAge_Text(era, style), lstEra);
    item->setSelected(era.listed);
  }
  cancelled_ = true;
}

void frmViewTime::cmdSelect_Click(int index) {
  if (index == 0)
    lstEra->selectAll();
  else
    lstEra->clearSelection();
}

void frmViewTime::lstEra_CurrentChanged() {
  const bool users = isUsersEra(state_, lstEra->currentRow());
  cmdRename->setEnabled(users);
  cmdDelete->setEnabled(users);
}

void frmViewTime::cmdRename_Click() {
  const int index = lstEra->currentRow();
  if (!isUsersEra(state_, index) || !askLabel) return;
  const std::optional<QString> label = askLabel(state_.eras[static_cast<size_t>(index)].label);
  if (!label) return;
  const EraEditResult result = renameUserEra(state_, index, *label);
  if (!result.done) {
    prompts_.message(result.message, MessageIcon::Warning);
    return;
  }
  // A new name changes nothing else: the dialog stays open with the other
  // choices made in it, the era under its new name.
  renamed_ = true;
  lstEra->item(index)->setText(Get_cboAge_Text(state_.eras[static_cast<size_t>(index)], chosenLabelStyle()));
}

int frmViewTime::chosenLabelStyle() const {
  if (optEra[0]->isChecked()) return 0;
  if (optEra[1]->isChecked()) return 1;
  return state_.view.eraLabelStyle;
}

void frmViewTime::cmdDelete_Click() {
  const int index = lstEra->currentRow();
  if (!isUsersEra(state_, index)) return;
  const EraEditResult result = deleteUserEra(state_, index, prompts_);
  if (!result.done) {
    // An empty message: the question was answered No.
    if (!result.message.isEmpty()) prompts_.message(result.message, MessageIcon::Warning);
    return;
  }
  closeAfterEdit();
}

void frmViewTime::closeAfterEdit() {
  // The data folder is read again, which lists every era anew: what was
  // chosen here besides is not applied.
  edited_ = true;
  cancelled_ = true;
  closing_ = true;
  done(QDialog::Rejected);
}

frmViewTime::Outcome frmViewTime::applySelection(ProgramState& state, const std::vector<bool>& selected,
                                                 int labelStyle) {
  const auto count = std::count(selected.begin(), selected.end(), true);
  if (count < 2) return Outcome::TooFew;
  bool changed = false;
  for (size_t i = 0; i < state.eras.size(); ++i) {
    const bool on = i < selected.size() && selected[i];
    if (state.eras[i].listed != on) changed = true;
    state.eras[i].listed = on;
  }
  state.view.eraLabelStyle = static_cast<int16_t>(labelStyle);
  return changed ? Outcome::Changed : Outcome::Unchanged;
}

void frmViewTime::cmdOK_Click() {
  std::vector<bool> selected(static_cast<size_t>(lstEra->count()));
  for (int i = 0; i < lstEra->count(); ++i) selected[static_cast<size_t>(i)] = lstEra->item(i)->isSelected();
  const Outcome outcome = applySelection(state_, selected, chosenLabelStyle());
  if (outcome == Outcome::TooFew) {
    prompts_.message(tr("表示時期は２つ以上選択してください。"), MessageIcon::Exclamation);
    return;
  }
  if (outcome == Outcome::Changed) {
    cancelled_ = false;
  } else {
    // The same eras: the labels change in place, so a new style shows at once
    // without changing the shown era.
    if (combo_) {
      for (int p = 0; p < combo_->count() && p < static_cast<int>(state_.eraListMap.size()); ++p) {
        const int era = state_.eraListMap[static_cast<size_t>(p)];
        combo_->setItemText(p, Get_cboAge_Text(state_.eras[static_cast<size_t>(era)], state_.view.eraLabelStyle));
      }
    }
    cancelled_ = true;
  }
  closing_ = true;
  done(cancelled_ ? QDialog::Rejected : QDialog::Accepted);
}

void frmViewTime::cmdCancel_Click() {
  cancelled_ = true;
  closing_ = true;
  done(QDialog::Rejected);
}

void frmViewTime::reject() {
  if (closing_) {
    QDialog::reject();
    return;
  }
  cmdCancel_Click();
}

void frmViewTime::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    // The close box does what the cancel button does.
    cancelled_ = true;
    closing_ = true;
    done(QDialog::Rejected);
  }
  event->accept();
}

}  // namespace kavalo
