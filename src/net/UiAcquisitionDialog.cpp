// SPDX-License-Identifier: MIT
#include "net/UiAcquisitionDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <memory>

#include "model/ProgramState.h"
#include "net/BackgroundRun.h"

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

bool UiAcquisitionDialog::running() const { return run_ && run_->isRunning(); }

void UiAcquisitionDialog::runAcquisition(ProgramState& state, Prompts& prompts, AcquireContext ctx,
                                         QProgressBar* progress, QPushButton* get, Run run) {
  if (running()) return;
  delete run_;
  run_ = new BackgroundRun(prompts, this);
  BackgroundRun* background = run_;
  ctx.cancelRequested = [background] { return background->isCancelled(); };
  const auto show = progressOn(progress);
  ctx.progress = [background, show](int value, int maximum) {
    background->post([show, value, maximum] { show(value, maximum); });
  };
  auto session = std::make_shared<ProgramState>(acquisitionSnapshot(state));
  auto out = std::make_shared<RunOutcome>();
  connect(run_, &BackgroundRun::finished, this, [this, &state, session, out, get, background] {
    get->setEnabled(true);
    outcome_ = *out;
    // The run's era joins the window's list, as the run added it to its own.
    if (out->added) state.eras = session->eras;
    if (!out->closeDialog && !background->isCancelled()) return;
    tag_ = out->added ? QStringLiteral("OK") : QString();
    hide();
    done(out->added ? Accepted : Rejected);
  });
  get->setEnabled(false);
  run_->start([ctx, run = std::move(run), session, out](Prompts& runPrompts) mutable {
    ctx.prompts = &runPrompts;
    *out = run(*session, ctx);
  });
}

QHBoxLayout* UiAcquisitionDialog::makeRunButtons(QPushButton*& get, QPushButton*& cancel,
                                                 const std::function<void()>& onGet) {
  auto* buttons = new QHBoxLayout;
  get = new QPushButton(QCoreApplication::translate("kavalo::UiAcquisitionDialog", "データ取得"));
  get->setObjectName(QStringLiteral("cmdGet"));
  cancel = new QPushButton(QCoreApplication::translate("kavalo::UiAcquisitionDialog", "キャンセル"));
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
  if (running()) {
    run_->cancel();
    return;
  }
  tag_.clear();
  hide();
  done(Rejected);
}

void UiAcquisitionDialog::closeEvent(QCloseEvent* event) {
  if (running()) {
    run_->cancel();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void UiAcquisitionDialog::reject() { cmdCancel_Click(); }

}  // namespace kavalo
