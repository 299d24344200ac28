// SPDX-License-Identifier: MIT
#include "net/frmJinnsoku.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "platform/Prompts.h"

namespace kavalo {

frmJinnsoku::frmJinnsoku(ProgramState& state, Prompts& prompts, const NetAccess& net, const QString& service,
                         const QString& site, QWidget* parent)
    : UiAcquisitionDialog(parent), state_(state), prompts_(prompts), net_(net), service_(service), site_(site) {
  setObjectName(QStringLiteral("frmJinnsoku"));
  setWindowTitle(tr("歴史的農業環境閲覧システム／迅速測図取得"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  lblDescription = new QLabel(tr(
      "インターネットに接続して、歴史的農業環境閲覧システム(農業環境技術研究所)から迅速測図画像を取得・保存します。"));
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  lblDescription->setWordWrap(true);
  layout->addWidget(lblDescription);
  ProgressBar = new QProgressBar;
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->hide();
  layout->addWidget(ProgressBar);
  layout->addLayout(makeRunButtons(cmdGet, cmdCancel, [this] { cmdGet_Click(); }));
  // The progress bar's row is kept while it is hidden, so that showing it
  // never squeezes the description; the window is wide enough for its title.
  QSizePolicy keepRow = ProgressBar->sizePolicy();
  keepRow.setRetainSizeWhenHidden(true);
  ProgressBar->setSizePolicy(keepRow);
  lblDescription->setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 100);
}

void frmJinnsoku::cmdGet_Click() {
  if (running()) return;
  AcquireContext ctx;
  ctx.net = net_;
  runAcquisition(state_, prompts_, ctx, ProgressBar, cmdGet,
                 [service = service_, site = site_](ProgramState& session, AcquireContext& c) {
                   return runRapidSurveyAcquisition(session, service, site, c);
                 });
}

}  // namespace kavalo
