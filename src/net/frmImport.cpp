// SPDX-License-Identifier: MIT
#include "net/frmImport.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

#include "geo/PositionOverview.h"
#include "geo/ScanFootprint.h"
#include "model/ProgramState.h"
#include "net/ScanImport.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {
constexpr int kPreviewSide = 240;
}

frmImport::frmImport(ProgramState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
  setObjectName(QStringLiteral("frmImport"));
  setWindowTitle(tr("地図画像の取り込み"));
  setModal(true);
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  auto* fileRow = new QHBoxLayout;
  txtFile = new QLineEdit;
  txtFile->setObjectName(QStringLiteral("txtFile"));
  txtFile->setMinimumWidth(300);
  cmdBrowse = new QPushButton(tr("参照..."));
  cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
  cmdGeoref = new QPushButton(tr("位置合わせ..."));
  cmdGeoref->setObjectName(QStringLiteral("cmdGeoref"));
  cmdGeoref->setAutoDefault(false);
  cmdGeoref->setToolTip(tr("位置情報のない画像に基準点を置いて位置を合わせます"));
  cmdGeoref->hide();
  fileRow->addWidget(txtFile);
  fileRow->addWidget(cmdBrowse);
  fileRow->addWidget(cmdGeoref);
  form->addRow(tr("ファイル"), fileRow);
  auto* kinds = new QHBoxLayout;
  const QString captions[2] = {tr("地図（白地を透過）"), tr("写真")};
  for (int i = 0; i < 2; ++i) {
    optKind[i] = new QRadioButton(captions[i]);
    optKind[i]->setObjectName(QStringLiteral("optKind_%1").arg(i));
    kinds->addWidget(optKind[i]);
  }
  optKind[0]->setChecked(true);
  form->addRow(tr("種類"), kinds);
  txtYear = new QSpinBox;
  txtYear->setObjectName(QStringLiteral("txtYear"));
  txtYear->setRange(1, 9999);
  txtYear->setValue(1900);
  form->addRow(tr("年"), txtYear);
  txtLabel = new QLineEdit;
  txtLabel->setObjectName(QStringLiteral("txtLabel"));
  txtLabel->setPlaceholderText(tr("（年とファイル名）"));
  form->addRow(tr("名前"), txtLabel);
  txtCredit = new QLineEdit;
  txtCredit->setObjectName(QStringLiteral("txtCredit"));
  form->addRow(tr("出典"), txtCredit);
  left->addLayout(form);
  lblCheck = new QLabel;
  lblCheck->setObjectName(QStringLiteral("lblCheck"));
  lblCheck->setWordWrap(true);
  left->addWidget(lblCheck);
  ProgressBar = new QProgressBar;
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->hide();
  left->addWidget(ProgressBar);
  auto* buttons = new QHBoxLayout;
  cmdImport = new QPushButton(tr("取り込み"));
  cmdImport->setObjectName(QStringLiteral("cmdImport"));
  cmdCancel = new QPushButton(tr("キャンセル"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(cmdImport);
  buttons->addWidget(cmdCancel);
  left->addStretch(1);
  left->addLayout(buttons);
  layout->addLayout(left);
  picPreview = new QLabel;
  picPreview->setObjectName(QStringLiteral("picPreview"));
  picPreview->setFixedSize(kPreviewSide, kPreviewSide);
  layout->addWidget(picPreview);

  connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
  connect(txtFile, &QLineEdit::editingFinished, this, [this] { txtFile_Changed(); });
  connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
  connect(cmdGeoref, &QPushButton::clicked, this, [this] { cmdGeoref_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  showPreview(nullptr);
}

frmImport::~frmImport() {
  if (worker_) {
    cancel_ = true;
    worker_->wait();
  }
}

void frmImport::showPreview(const std::vector<GeoPoint>* outline) {
  const OverviewGeometry g = computeOverviewGeometry(kPreviewSide, state_.mapInfo);
  QImage image = buildOverviewImage(state_, g, kPreviewSide);
  if (outline) drawScanFootprint(image, overviewFootprint(g, state_.mapInfo, *outline));
  picPreview->setPixmap(QPixmap::fromImage(image));
}

void frmImport::cmdBrowse_Click() {
  const FileChoice choice =
      prompts_.openFile(QFileInfo(txtFile->text()).path(), tr("地図画像を開く"),
                        {{tr("位置情報付きの画像"), QStringLiteral("*.tif *.tiff *.png *.jpg *.jpeg")},
                         {tr("すべてのファイル"), QStringLiteral("*")}});
  if (!choice.chosen) return;
  txtFile->setText(choice.path);
  txtFile_Changed();
}

void frmImport::txtFile_Changed() {
  const QString path = txtFile->text().trimmed();
  if (path.isEmpty()) {
    lblCheck->clear();
    showPreview(nullptr);
    return;
  }
  if (georef_ && path != georefScan_) georef_.reset();
  const ScanCheck check = checkScan(path, state_.mapInfo, georef_ ? &*georef_ : nullptr);
  QString text = check.ok ? check.description.crsName : check.message;
  if (check.ok && georef_) text = tr("基準点で位置合わせ済み（%1）").arg(georef_->methodName);
  if (!check.ok && georeferencer_) text += tr("\n位置情報のない画像は「位置合わせ...」で基準点を置いて取り込めます。");
  lblCheck->setText(text);
  showPreview(check.description.footprint.empty() ? nullptr : &check.description.footprint);
}

void frmImport::setGeoreferencer(std::function<void(frmImport&)> open) {
  georeferencer_ = std::move(open);
  cmdGeoref->setVisible(static_cast<bool>(georeferencer_));
}

void frmImport::cmdGeoref_Click() {
  if (!georeferencer_ || worker_) return;
  if (txtFile->text().trimmed().isEmpty()) {
    prompts_.message(tr("位置を合わせる画像を選んでください。"), MessageIcon::Exclamation);
    return;
  }
  georeferencer_(*this);
}

void frmImport::setGeoreferencing(const GeorefWarp& plan) {
  georef_ = plan;
  georefScan_ = txtFile->text().trimmed();
  txtFile_Changed();
}

void frmImport::cmdImport_Click() {
  if (worker_) return;
  ScanImportRequest request;
  request.scanPath = txtFile->text().trimmed();
  request.year = txtYear->value();
  request.label = txtLabel->text();
  request.credit = txtCredit->text();
  request.map = optKind[0]->isChecked();
  if (georef_ && request.scanPath == georefScan_) request.georef = georef_;
  if (request.scanPath.isEmpty()) {
    prompts_.message(tr("取り込む画像を選んでください。"), MessageIcon::Exclamation);
    return;
  }
  // The run works on its own copy of what it reads; the window's state gets
  // the new era back on this thread once the run is over.
  auto work = std::make_shared<ProgramState>();
  work->mapInfo = state_.mapInfo;
  work->datasetFolder = state_.datasetFolder;
  work->eras = state_.eras;
  auto result = std::make_shared<ScanImportResult>();
  cancel_ = false;
  ScanImportContext ctx;
  ctx.cancel = &cancel_;
  ctx.progress = [this](int value, int maximum) {
    QMetaObject::invokeMethod(
        this,
        [this, value, maximum] {
          if (maximum < 0) {
            ProgressBar->hide();
            return;
          }
          ProgressBar->setMaximum(maximum);
          ProgressBar->setValue(value);
          ProgressBar->show();
        },
        Qt::QueuedConnection);
  };
  cmdImport->setEnabled(false);
  worker_ = QThread::create([work, request, ctx, result] { *result = runScanImport(*work, request, ctx); });
  connect(worker_, &QThread::finished, this, [this, work, result] {
    worker_->deleteLater();
    worker_ = nullptr;
    cmdImport->setEnabled(true);
    ProgressBar->hide();
    if (result->cancelled) return;  // the dialog stays for another try
    if (!result->added) {
      prompts_.message(result->message, MessageIcon::Warning);
      return;
    }
    state_.eras.push_back(work->eras.back());
    prompts_.message(result->message, MessageIcon::None);
    tag_ = QStringLiteral("OK");
    hide();
    done(Accepted);
  });
  worker_->start();
}

void frmImport::cmdCancel_Click() {
  if (worker_) {
    cancel_ = true;
    return;
  }
  tag_.clear();
  hide();
  done(Rejected);
}

void frmImport::closeEvent(QCloseEvent* event) {
  if (worker_) {
    cancel_ = true;
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void frmImport::reject() { cmdCancel_Click(); }

}  // namespace kavalo
