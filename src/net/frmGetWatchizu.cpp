// SPDX-License-Identifier: MIT
#include "net/frmGetWatchizu.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "net/AgencyTiles.h"
#include "net/EraAppend.h"
#include "net/frmJinnsoku.h"
#include "platform/Prompts.h"

namespace kavalo {

frmGetWatchizu::frmGetWatchizu(ProgramState& state, Prompts& prompts, const NetAccess& net, const QString& tileServer,
                               const QString& portal, QWidget* parent)
    : UiAcquisitionDialog(parent),
      state_(state),
      prompts_(prompts),
      net_(net),
      tileServer_(tileServer),
      portal_(portal) {
  setObjectName(QStringLiteral("frmGetWatchizu"));
  setWindowTitle(tr("電子国土基本図（地図情報/オルソ画像）／国土画像情報空中写真画像取得"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);

  const QString captions[3] = {tr("電子国土基本図（地図情報）"), tr("国土画像情報空中写真/東日本大震災被災地"),
                               tr("電子国土基本図（オルソ画像）")};
  auto* sources = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    optGData[i] = new QRadioButton(captions[i]);
    optGData[i]->setObjectName(QStringLiteral("optGData_%1").arg(i));
    sources->addWidget(optGData[i]);
    connect(optGData[i], &QRadioButton::clicked, this, [this, i] { optGData_Click(i); });
  }
  layout->addLayout(sources);

  const QString frameTitles[2] = {tr("取得済みの電子国土基本図（地図情報）"),
                                  tr("取得済みの電子国土基本図（オルソ画像）")};
  for (int i = 0; i < 2; ++i) {
    framMapImage[i] = new QGroupBox(frameTitles[i]);
    framMapImage[i]->setObjectName(QStringLiteral("framMapImage_%1").arg(i));
    lblNo[i] = new QLabel;
    lblNo[i]->setObjectName(QStringLiteral("lblNo_%1").arg(i));
    (new QVBoxLayout(framMapImage[i]))->addWidget(lblNo[i]);
    layout->addWidget(framMapImage[i]);
  }
  framGetOrtho = new QGroupBox(tr("取得済みの空中写真"));
  framGetOrtho->setObjectName(QStringLiteral("framGetOrtho"));
  lblGetOrtho = new QLabel;
  lblGetOrtho->setObjectName(QStringLiteral("lblGetOrtho"));
  (new QVBoxLayout(framGetOrtho))->addWidget(lblGetOrtho);
  layout->addWidget(framGetOrtho);
  framOrthoTIme = new QGroupBox(tr("取得する時期"));
  framOrthoTIme->setObjectName(QStringLiteral("framOrthoTIme"));
  lstAvailableOrtho = new QListWidget;
  lstAvailableOrtho->setObjectName(QStringLiteral("lstAvailableOrtho"));
  lstAvailableOrtho->setMaximumHeight(120);
  (new QVBoxLayout(framOrthoTIme))->addWidget(lstAvailableOrtho);
  layout->addWidget(framOrthoTIme);

  auto* notice = new QLabel(tr("国土地理院の規程により、保存したデータは私的利用の範囲でのみ利用できます。"));
  notice->setObjectName(QStringLiteral("lblNotice"));
  notice->setWordWrap(true);
  layout->addWidget(notice);
  ProgressBar = new QProgressBar;
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  layout->addWidget(ProgressBar);

  layout->addLayout(makeRunButtons(cmdGet, cmdCancel, [this] { cmdGet_Click(); }));

  Form_Load();
}

void frmGetWatchizu::Form_Load() {
  ProgressBar->hide();
  tag_.clear();
  lblNo[0]->setText(fetchedDatesText(state_.eras, kAgencyBasicMap));
  lblNo[1]->setText(fetchedDatesText(state_.eras, kAgencyOrtho));
  lblGetOrtho->setText(fetchedPeriodsText(state_.eras));
  lstAvailableOrtho->clear();
  periodCodes_ = availablePeriods(state_.eras, state_.mapInfo.orthoFlags);
  for (int code : periodCodes_) lstAvailableOrtho->addItem(orthoPeriodListName(code));
  optGData[0]->setChecked(true);
  optGData_Click(0);
}

void frmGetWatchizu::optGData_Click(int index) {
  framMapImage[0]->setVisible(index == 0);
  framMapImage[1]->setVisible(index == 2);
  framGetOrtho->setVisible(index == 1);
  framOrthoTIme->setVisible(index == 1);
}

void frmGetWatchizu::cmdGet_Click() {
  if (running()) return;
  AgencyChoice choice;
  for (int i = 0; i < 3; ++i)
    if (optGData[i]->isChecked()) choice.source = i;
  const int row = lstAvailableOrtho->currentRow();
  if (row >= 0 && row < static_cast<int>(periodCodes_.size()) && lstAvailableOrtho->currentItem()->isSelected())
    choice.periodCode = periodCodes_[static_cast<size_t>(row)];

  AcquireContext ctx;
  ctx.net = net_;
  runAcquisition(state_, prompts_, ctx, ProgressBar, cmdGet,
                 [tiles = tileServer_, portal = portal_, choice](ProgramState& session, AcquireContext& c) {
                   return runAgencyAcquisition(session, tiles, portal, choice, c);
                 });
}

}  // namespace kavalo
