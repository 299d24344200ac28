#include "net/UiAcquisitionDialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

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

void UiAcquisitionDialog::runAcquisition(AcquireContext ctx, QProgressBar* progress, QPushButton* get,
                                         const std::function<RunOutcome(AcquireContext&)>& run) {
  if (running_) return;
  ctx.cancelRequested = [this] { return cancelRequested_; };
  ctx.progress = progressOn(progress);
  running_ = true;
  cancelRequested_ = false;
  get->setEnabled(false);
  const RunOutcome out = run(ctx);
  running_ = false;
  get->setEnabled(true);
  if (!out.closeDialog) return;
  tag_ = out.added ? QStringLiteral("OK") : QString();
  hide();
  done(out.added ? Accepted : Rejected);
}

QHBoxLayout* UiAcquisitionDialog::makeRunButtons(QPushButton*& get, QPushButton*& cancel,
                                                 const std::function<void()>& onGet) {
  auto* buttons = new QHBoxLayout;
  get = new QPushButton(QStringLiteral("データ取得"));
  get->setObjectName(QStringLiteral("cmdGet"));
  cancel = new QPushButton(QStringLiteral("キャンセル"));
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  cancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(get);
  buttons->addWidget(cancel);
  connect(get, &QPushButton::clicked, this, onGet);
  connect(cancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  return buttons;
}

void UiAcquisitionDialog::cmdCancel_Click() {
  if (running_) {
    cancelRequested_ = true;
    return;
  }
  tag_.clear();
  hide();
  done(Rejected);
}

void UiAcquisitionDialog::closeEvent(QCloseEvent* event) {
  if (running_) {
    cancelRequested_ = true;
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void UiAcquisitionDialog::reject() { cmdCancel_Click(); }

}  // namespace kavalo
