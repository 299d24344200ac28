// SPDX-License-Identifier: MIT
#include "net/frmGetXyz.h"

#include "platform/RememberedValues.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "net/frmJinnsoku.h"
#include "platform/Prompts.h"

namespace kavalo {

frmGetXyz::frmGetXyz(ProgramState& state, Prompts& prompts, const XyzFetcher& fetch, const QString& defaultTemplate,
                     QWidget* parent)
    : UiAcquisitionDialog(parent), state_(state), prompts_(prompts), fetch_(fetch) {
  setObjectName(QStringLiteral("frmGetXyz"));
  setWindowTitle(tr("XYZタイル取得"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* description =
      new QLabel(tr("Webメルカトルのタイル（{z}/{x}/"
                    "{y}"
                    "）を取得して、現在のデータセットに新しい時期として追加します。取得したタイルは保存され"
                    "、再度取得するときには使われます。"));
  description->setWordWrap(true);
  layout->addWidget(description);
  auto* form = new QFormLayout;
  // The address and attribution of the last run, else the configured template.
  txtUrl = new QLineEdit(rememberedValue(QStringLiteral("xyz/url"), defaultTemplate));
  txtUrl->setObjectName(QStringLiteral("txtUrl"));
  txtUrl->setMinimumWidth(420);
  form->addRow(QStringLiteral("URL"), txtUrl);
  txtZoom = new QSpinBox;
  txtZoom->setObjectName(QStringLiteral("txtZoom"));
  txtZoom->setRange(0, 22);
  txtZoom->setValue(16);
  form->addRow(tr("ズームレベル"), txtZoom);
  auto* kinds = new QHBoxLayout;
  const QString kindCaptions[2] = {tr("地図（白地を透過）"), tr("写真")};
  for (int i = 0; i < 2; ++i) {
    optKind[i] = new QRadioButton(kindCaptions[i]);
    optKind[i]->setObjectName(QStringLiteral("optKind_%1").arg(i));
    kinds->addWidget(optKind[i]);
  }
  optKind[0]->setChecked(true);
  form->addRow(tr("種類"), kinds);
  txtAttribution = new QLineEdit(rememberedValue(QStringLiteral("xyz/attribution")));
  txtAttribution->setObjectName(QStringLiteral("txtAttribution"));
  txtAttribution->setPlaceholderText(tr("必須：提供元が求める表示（例：(C) 地図の提供元）"));
  form->addRow(tr("出典"), txtAttribution);
  txtLabel = new QLineEdit;
  txtLabel->setObjectName(QStringLiteral("txtLabel"));
  txtLabel->setPlaceholderText(tr("空欄：取得した年とサーバー名"));
  form->addRow(tr("名前"), txtLabel);
  layout->addLayout(form);
  ProgressBar = new QProgressBar;
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->hide();
  layout->addWidget(ProgressBar);
  layout->addLayout(makeRunButtons(cmdGet, cmdCancel, [this] { cmdGet_Click(); }));
}

void frmGetXyz::cmdGet_Click() {
  if (running()) return;
  XyzChoice choice;
  choice.urlTemplate = txtUrl->text().trimmed();
  choice.zoom = txtZoom->value();
  choice.map = optKind[0]->isChecked();
  choice.attribution = txtAttribution->text();
  rememberValue(QStringLiteral("xyz/url"), choice.urlTemplate);
  rememberValue(QStringLiteral("xyz/attribution"), choice.attribution);
  choice.label = txtLabel->text();
  choice.repeat = XyzRepeat::Ask;
  runAcquisition(state_, prompts_, AcquireContext(), ProgressBar, cmdGet,
                 [choice, fetch = fetch_](ProgramState& session, AcquireContext& c) {
                   return runXyzAcquisition(session, choice, fetch, c);
                 });
}

}  // namespace kavalo
