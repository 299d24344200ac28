// SPDX-License-Identifier: MIT
#include "geo/frmMarkSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Marks.h"
#include "platform/Prompts.h"

namespace kavalo {

frmMarkSet::frmMarkSet(Prompts& prompts, const QString& name, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmMarkSet"));
  setWindowTitle(tr("目印設定"));
  setModal(true);

  Label1 = new QLabel(tr("名称"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  txtComment = new QLineEdit(name, this);
  txtComment->setObjectName(QStringLiteral("txtComment"));
  txtComment->setMinimumWidth(240);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(tr("キャンセル"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(Label1);
  nameRow->addWidget(txtComment, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(nameRow);
  layout->addLayout(buttons);

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  txtComment->setFocus();
}

QString frmMarkSet::markName() const { return storableMarkName(txtComment->text()); }

void frmMarkSet::cmdOK_Click() {
  // A name of blanks alone would read back empty.
  if (markName().isEmpty()) {
    prompts_.message(tr("名称を入力してください。"), MessageIcon::Exclamation);
    txtComment->setFocus();
    return;
  }
  cancelled_ = false;
  accept();
}

void frmMarkSet::cmdCancel_Click() {
  cancelled_ = true;
  reject();
}

}  // namespace kavalo
