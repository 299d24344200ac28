// SPDX-License-Identifier: MIT
#include "net/frmGetTikeizu.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "net/BackgroundRun.h"
#include "platform/Prompts.h"

namespace kavalo {

frmGetTikeizu::frmGetTikeizu(const ProgramState& state, Prompts& prompts, std::vector<DownloadServer>& servers,
                             QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), servers_(servers) {
  setObjectName(QStringLiteral("frmGetTikeizu"));
  setWindowTitle(tr("Kavalo付属地形図取得"));
  setModal(true);
  lstData = new QListWidget(this);
  lstData->setObjectName(QStringLiteral("lstData"));
  lstData->setSelectionMode(QAbstractItemView::MultiSelection);
  lstData->setMinimumSize(360, 200);
  cmdGet = new QPushButton(tr("データ取得"), this);
  cmdGet->setObjectName(QStringLiteral("cmdGet"));
  cmdCancel = new QPushButton(tr("キャンセル"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  ProgressBar = new QProgressBar(this);
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setTextVisible(false);
  lblCap = new QLabel(this);
  lblCap->setObjectName(QStringLiteral("lblCap"));
  ProgressBar->hide();
  lblCap->hide();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdGet);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstData, 1);
  layout->addWidget(ProgressBar);
  layout->addWidget(lblCap);
  layout->addLayout(buttons);

  connect(lstData, &QListWidget::itemSelectionChanged, this, [this] { lstData_Click(); });
  connect(cmdGet, &QPushButton::clicked, this, [this] { cmdGet_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  Form_Load();
}

void frmGetTikeizu::Form_Load() {
  shortages_ = BuildShortageList(state_);
  lstData->clear();
  for (const EraShortage& s : shortages_) lstData->addItem(ShortageListText(state_, s));
}

void frmGetTikeizu::lstData_Click() {
  // An era that lacks nothing cannot be chosen.
  const QSignalBlocker block(lstData);
  for (int i = 0; i < lstData->count() && i < static_cast<int>(shortages_.size()); ++i)
    if (!shortages_[static_cast<size_t>(i)].lacksFiles() && lstData->item(i)->isSelected())
      lstData->item(i)->setSelected(false);
}

bool frmGetTikeizu::running() const { return run_ && run_->isRunning(); }

void frmGetTikeizu::cmdGet_Click() {
  if (running()) return;
  std::vector<int> selected;
  for (int i = 0; i < lstData->count(); ++i)
    if (lstData->item(i)->isSelected()) selected.push_back(i);

  delete run_;
  run_ = new BackgroundRun(prompts_, this);
  BackgroundRun* background = run_;
  // The run reports on its own thread; the controls change on this one.
  PackageRunView view;
  view.showProgress = [this, background] {
    background->post([this] {
      ProgressBar->show();
      lblCap->show();
    });
  };
  view.setProgress = [this, background](int value, int maximum) {
    background->post([this, value, maximum] {
      ProgressBar->setMaximum(maximum);
      ProgressBar->setValue(value);
    });
  };
  view.setCaption = [this, background](const QString& caption) {
    background->post([this, caption] { lblCap->setText(caption); });
  };
  view.stopRequested = [background] { return background->isCancelled(); };

  // The run reads a copy of the session and fills its own server table.
  auto session = std::make_shared<ProgramState>(acquisitionSnapshot(state_));
  auto servers = std::make_shared<std::vector<DownloadServer>>();
  auto out = std::make_shared<PackageRunOutcome>();
  connect(run_, &BackgroundRun::finished, this, [this, servers, out] {
    servers_ = *servers;
    outcome_ = *out;
    cmdGet->setEnabled(true);
    lstData->setEnabled(true);
    // Refusals before the run and a No to the question leave the dialog open.
    if (outcome_.result == PackageRunResult::Finished) accept();
  });
  cmdGet->setEnabled(false);
  lstData->setEnabled(false);
  run_->start([session, shortages = shortages_, selected, servers, view, out](Prompts& prompts) {
    *out = RunPackageDownload(*session, prompts, shortages, selected, *servers, view);
  });
}

void frmGetTikeizu::cmdCancel_Click() {
  if (running()) {
    // The package under way ends at once; the run then closes the dialog.
    run_->cancel();
    return;
  }
  reject();
}

void frmGetTikeizu::closeEvent(QCloseEvent* event) {
  event->ignore();
  cmdCancel_Click();
}

}  // namespace kavalo
