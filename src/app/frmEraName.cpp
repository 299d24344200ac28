// SPDX-License-Identifier: MIT
#include "app/frmEraName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/UserEras.h"
#include "platform/Prompts.h"

namespace kavalo {

frmEraName::frmEraName(Prompts& prompts, const QString& label, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmEraName"));
  setWindowTitle(tr("時期の名前"));
  setModal(true);

  lblLabel = new QLabel(tr("名前"), this);
  lblLabel->setObjectName(QStringLiteral("lblLabel"));
  txtLabel = new QLineEdit(label, this);
  txtLabel->setObjectName(QStringLiteral("txtLabel"));
  txtLabel->setMinimumWidth(280);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(tr("キャンセル"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

  auto* row = new QHBoxLayout;
  row->addWidget(lblLabel);
  row->addWidget(txtLabel, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  txtLabel->selectAll();
  txtLabel->setFocus();
}

QString frmEraName::label() const { return txtLabel->text().trimmed(); }

void frmEraName::cmdOK_Click() {
  if (const QString why = userLabelProblem(label()); !why.isEmpty()) {
    prompts_.message(why, MessageIcon::Exclamation);
    txtLabel->setFocus();
    return;
  }
  cancelled_ = false;
  accept();
}

void frmEraName::cmdCancel_Click() {
  cancelled_ = true;
  reject();
}

}  // namespace kavalo
