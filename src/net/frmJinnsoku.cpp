#include "net/frmJinnsoku.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "platform/Prompts.h"

namespace kavalo {

std::function<void(int, int)> progressOn(QProgressBar* bar) {
  return [bar](int value, int maximum) {
    if (maximum < 0) {
      bar->hide();
      return;
    }
    bar->setMaximum(maximum);
    bar->setValue(value);
    bar->show();
  };
}

frmJinnsoku::frmJinnsoku(ProgramState& state, Prompts& prompts, const NetAccess& net, const QString& service,
                         const QString& site, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), net_(net), service_(service), site_(site) {
  setObjectName(QStringLiteral("frmJinnsoku"));
  setWindowTitle(QStringLiteral("歴史的農業環境閲覧システム／迅速測図取得"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  lblDescription = new QLabel(QStringLiteral(
      "インターネットに接続して、歴史的農業環境閲覧システム(農業環境技術研究所)から迅速測図画像を取得・保存します。"));
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  lblDescription->setWordWrap(true);
  layout->addWidget(lblDescription);
  ProgressBar = new QProgressBar;
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->hide();
  layout->addWidget(ProgressBar);
  auto* buttons = new QHBoxLayout;
  cmdGet = new QPushButton(QStringLiteral("データ取得"));
  cmdGet->setObjectName(QStringLiteral("cmdGet"));
  cmdCancel = new QPushButton(QStringLiteral("キャンセル"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(cmdGet);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  connect(cmdGet, &QPushButton::clicked, this, [this] { cmdGet_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmJinnsoku::cmdGet_Click() {
  if (running_) return;
  AcquireContext ctx;
  ctx.net = net_;
  ctx.prompts = &prompts_;
  ctx.cancelRequested = &cancelRequested_;
  ctx.progress = progressOn(ProgressBar);
  running_ = true;
  cancelRequested_ = false;
  cmdGet->setEnabled(false);
  const RunOutcome out = runRapidSurveyAcquisition(state_, service_, site_, ctx);
  running_ = false;
  cmdGet->setEnabled(true);
  if (!out.closeDialog) return;
  tag_ = out.added ? QStringLiteral("OK") : QString();
  hide();
  done(out.added ? Accepted : Rejected);
}

void frmJinnsoku::cmdCancel_Click() {
  if (running_) {
    cancelRequested_ = true;
    return;
  }
  tag_.clear();
  hide();
  done(Rejected);
}

void frmJinnsoku::closeEvent(QCloseEvent* event) {
  if (running_) {
    cancelRequested_ = true;
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void frmJinnsoku::reject() { cmdCancel_Click(); }

}  // namespace kavalo
