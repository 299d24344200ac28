// SPDX-License-Identifier: MIT
#include "net/frmSetting.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "net/frmGetWatchizu.h"
#include "net/frmGetXyz.h"
#include "net/frmImport.h"
#include "net/frmJinnsoku.h"
#include "platform/Prompts.h"

namespace kavalo {

frmSetting::frmSetting(ProgramState& state, Prompts& prompts, const NetAccess& net, const XyzFetcher& fetch,
                       const AcquireServers& servers, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), net_(net), fetch_(fetch), servers_(servers) {
  setObjectName(QStringLiteral("frmSetting"));
  setWindowTitle(tr("外部データ取得"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  // Two kinds of source: services on the internet and the user's own scans.
  auto* description =
      new QLabel(tr("現在のデータセットに、インターネット上の地図・画像データを取得するか、"
                    "手持ちの地図・写真を取り込んで、新しい時期として追加します"));
  description->setObjectName(QStringLiteral("lblDescription"));
  description->setWordWrap(true);
  layout->addWidget(description);
  auto button = [&](const QString& caption, const char* name) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
  };
  cmdTikeizu = button(tr("Kavalo／地形図データ取得"), "cmdTikeizu");
  cmdWatizu = button(tr("国土地理院／電子国土基本図（地図情報/オルソ画像）・国土画像情報空中写真取得"), "cmdWatizu");
  cmdWatizu->setToolTip(tr("国土地理院「ウォッちず」から最新地形図画像を取得します"));
  cmdJinnsoku = button(tr("歴史的農業環境閲覧システム／迅速測図取得"), "cmdJinnsoku");
  cmdXyz = button(tr("XYZタイル取得"), "cmdXyz");
  cmdXyz->setToolTip(tr("Webメルカトルのタイル（{z}/{x}/{y}）を新しい時期として取得します"));
  cmdImport = button(tr("手持ちの地図・写真の取り込み"), "cmdImport");
  cmdImport->setToolTip(tr("位置情報付きの画像（GeoTIFF、ワールドファイル付きの画像）を新しい時期として取り込みます"));
  cmdCancel = button(tr("キャンセル"), "cmdCancel");
  connect(cmdTikeizu, &QPushButton::clicked, this, [this] { cmdTikeizu_Click(); });
  connect(cmdWatizu, &QPushButton::clicked, this, [this] { cmdWatizu_Click(); });
  connect(cmdJinnsoku, &QPushButton::clicked, this, [this] { cmdJinnsoku_Click(); });
  connect(cmdXyz, &QPushButton::clicked, this, [this] { cmdXyz_Click(); });
  connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  Form_Load();
}

void frmSetting::setPackageDialog(std::function<void()> open) {
  packageDialog_ = std::move(open);
  cmdTikeizu->setEnabled(static_cast<bool>(packageDialog_));
}

void frmSetting::Form_Load() {
  tag_.clear();
  cmdJinnsoku->setEnabled(state_.mapInfo.rapidSurvey == u"1");
  cmdTikeizu->setEnabled(static_cast<bool>(packageDialog_));
}

// The chooser steps aside while a source's dialog is open (it closes when
// that dialog does): a dialog that grows, as one does when its progress
// shows, never lies over the chooser's buttons.
void frmSetting::finished(const QString& dialogTag) {
  if (dialogTag == u"OK") tag_ = QStringLiteral("RESET");
  hide();
  done(tag_.isEmpty() ? Rejected : Accepted);
}

void frmSetting::cmdTikeizu_Click() {
  if (packageDialog_) packageDialog_();
  hide();
  done(Rejected);
}

void frmSetting::cmdWatizu_Click() {
  frmGetWatchizu dialog(state_, prompts_, net_, servers_.agencyTiles, servers_.agencyPortal, this);
  hide();
  dialog.exec();
  finished(dialog.tag());
}

void frmSetting::cmdJinnsoku_Click() {
  bool had = false;
  for (const Era& e : state_.eras) had |= eraSource(e).acquisition == EraAcquisition::RapidSurvey;
  if (state_.mapInfo.rapidSurvey == u"1" && had &&
      !prompts_.askYesNoCancel(
          tr("歴史的農業環境閲覧システムの迅速測図は取得済です。") + QStringLiteral("\r\n") + tr("再度取得しますか？"),
          MessageIcon::None))
    return;
  frmJinnsoku dialog(state_, prompts_, net_, servers_.wms, servers_.wmsSite, this);
  hide();
  dialog.exec();
  finished(dialog.tag());
}

void frmSetting::cmdXyz_Click() {
  frmGetXyz dialog(state_, prompts_, fetch_, servers_.xyzTemplate, this);
  hide();
  dialog.exec();
  finished(dialog.tag());
}

void frmSetting::cmdImport_Click() {
  frmImport dialog(state_, prompts_, this);
  if (georeferencer_) dialog.setGeoreferencer(georeferencer_);
  hide();
  dialog.exec();
  finished(dialog.tag());
}

QPushButton* frmSetting::buttonFor(EraAcquisition acquisition) const {
  switch (acquisition) {
    case EraAcquisition::Packages:
      return cmdTikeizu;
    case EraAcquisition::Agency:
      return cmdWatizu;
    case EraAcquisition::RapidSurvey:
      return cmdJinnsoku;
    case EraAcquisition::TileService:
      return cmdXyz;
    case EraAcquisition::ScanImport:
      return cmdImport;
    case EraAcquisition::None:
      break;
  }
  return nullptr;
}

void frmSetting::cmdCancel_Click() {
  tag_.clear();
  done(Rejected);
}

}  // namespace kavalo
