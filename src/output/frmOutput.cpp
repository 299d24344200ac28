// SPDX-License-Identifier: MIT
#include "output/frmOutput.h"

#include "platform/RememberedValues.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "output/SaveFileDialog.h"
#include "output/WebMapPublish.h"
#include "output/frmTimelapse.h"
#include "platform/Prompts.h"
#include "platform/ShellOpen.h"

namespace kavalo {

namespace {

QRadioButton* option(const QString& caption, const QString& name, const QString& toolTip = QString()) {
  auto* button = new QRadioButton(caption);
  button->setObjectName(name);
  if (!toolTip.isEmpty()) button->setToolTip(toolTip);
  return button;
}

}  // namespace

frmOutput::frmOutput(const ProgramState& state, Prompts& prompts, const ViewRequest& view, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), view_(view) {
  setObjectName(QStringLiteral("frmOutput"));
  setWindowTitle(tr("ファイル出力"));
  setModal(true);
  openFile = [this](const QString& path) { ShellOpen(path, prompts_); };

  auto* layout = new QVBoxLayout(this);
  auto* framOut = new QGroupBox(tr("出力形式"));
  framOut->setObjectName(QStringLiteral("framOut"));
  auto* outLayout = new QVBoxLayout(framOut);
  optOut[0] =
      option(tr("HTML形式(Webブラウザ上で表示)"), QStringLiteral("optOut_0"), tr("Webブラウザ上で表示する形式です"));
  optOut[1] =
      option(tr("KML形式(Google Earthで表示)"), QStringLiteral("optOut_1"), tr("Google Earth上で表示する形式です"));
  optOut[2] = option(tr("KMZ形式(KMLと画像を1ファイルにまとめる)"), QStringLiteral("optOut_2"),
                     tr("KMLと全画像を1つのファイルにまとめます。Google Earthで表示できます"));
  optOut[3] = option(tr("Web地図(全時期のタイルとブラウザで見るページ)"), QStringLiteral("optOut_3"),
                     tr("全時期を標準のWebタイルにし、どのWebサーバーからでも見られる地図のページと"
                        "一緒にフォルダーへ保存します"));
  for (QRadioButton* b : optOut) {
    outLayout->addWidget(b);
    connect(b, &QRadioButton::clicked, this, [this] { optOut_Click(); });
  }
  layout->addWidget(framOut);

  auto* framGazo = new QGroupBox(tr("画像ファイル"));
  framGazo->setObjectName(QStringLiteral("framGazo"));
  auto* gazoLayout = new QVBoxLayout(framGazo);
  optGazoFormat[0] = option(tr("png形式(画面そのままだがファイルサイズが大きい)"), QStringLiteral("optGazoFormat_0"));
  optGazoFormat[1] = option(tr("jpeg形式(多少粗くなるがファイルサイズが小さい)"), QStringLiteral("optGazoFormat_1"));
  optGazoFormat[0]->setChecked(true);
  gazoLayout->addWidget(optGazoFormat[0]);
  gazoLayout->addWidget(optGazoFormat[1]);
  chkWorldFile = new QCheckBox(tr("ワールドファイルも保存(GISで位置合わせ)"));
  chkWorldFile->setObjectName(QStringLiteral("chkWorldFile"));
  chkWorldFile->setToolTip(tr("各画像の横に位置情報のファイル(.pgw/.jgwと.prj)を保存します。GISで重ねて表示できます"));
  gazoLayout->addWidget(chkWorldFile);
  layout->addWidget(framGazo);

  auto* fileRow = new QHBoxLayout;
  cmdFilesave = new QPushButton(tr("保存ファイル"));
  cmdFilesave->setObjectName(QStringLiteral("cmdFilesave"));
  cmdFilesave->setAutoDefault(false);
  lblFile = new QLabel;
  lblFile->setObjectName(QStringLiteral("lblFile"));
  lblFile->setMinimumWidth(220);
  fileRow->addWidget(cmdFilesave);
  fileRow->addWidget(lblFile, 1);
  layout->addLayout(fileRow);
  connect(cmdFilesave, &QPushButton::clicked, this, [this] { cmdFilesave_Click(); });

  auto* buttons = new QHBoxLayout;
  cmdTimelapse = new QPushButton(tr("動画..."));
  cmdTimelapse->setObjectName(QStringLiteral("cmdTimelapse"));
  cmdTimelapse->setAutoDefault(false);
  cmdTimelapse->setToolTip(tr("時期を順に見せる動画(WebP、GIF、MP4)を保存します"));
  buttons->addWidget(cmdTimelapse);
  connect(cmdTimelapse, &QPushButton::clicked, this, [this] { cmdTimelapse_Click(); });
  cmdOK = new QPushButton(QStringLiteral("OK"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(tr("キャンセル"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

  Form_Load();
}

void frmOutput::Form_Load() {
  optOut[0]->setChecked(true);
  optOut_Click();
}

bool frmOutput::webMap() const { return optOut[3]->isChecked(); }

ExportFormat frmOutput::format() const {
  if (optOut[1]->isChecked()) return ExportFormat::Kml;
  if (optOut[2]->isChecked()) return ExportFormat::Kmz;
  return ExportFormat::Html;
}

void frmOutput::clearChosenFile() {
  chosenPath_.clear();
  lblFile->setText(tr("未設定"));
}

void frmOutput::optOut_Click() {
  // The extension of the file depends on the format.
  clearChosenFile();
  // A KMZ holds its images inside; world files go beside loose images only.
  chkWorldFile->setEnabled(format() != ExportFormat::Kmz && !webMap());
  // The web map's tiles are PNG whatever is chosen for the images.
  for (QRadioButton* b : optGazoFormat) b->setEnabled(!webMap());
}

void frmOutput::cmdFilesave_Click() {
  // The web map is a folder: its page, index.html, names it.
  const QString ext = webMap() ? QStringLiteral("html") : documentExtension(format());
  // The folder of the last export (the documents folder the first time),
  // never the program's own data.
  const QString initial = chosenPath_.isEmpty() ? saveFolder(QStringLiteral("export")) : chosenPath_;
  const FileChoice choice = SaveFileDialog(prompts_, initial, tr("%1ファイル名の設定").arg(ext),
                                           tr("%1ファイル").arg(ext) + QStringLiteral("\t*.") + ext, ext);
  if (!choice.chosen) return;
  chosenPath_ = choice.path;
  rememberSaveFolder(QStringLiteral("export"), choice.path);
  lblFile->setText(webMap() ? QDir::toNativeSeparators(QFileInfo(choice.path).absolutePath()) : choice.fileName);
}

void frmOutput::cmdOK_Click() {
  if (chosenPath_.isEmpty()) {
    prompts_.message(tr("保存ファイルを指定してください。"), MessageIcon::Warning);
    return;
  }
  if (webMap()) {
    saveWebMap();
    return;
  }
  ExportOptions options;
  options.path = chosenPath_;
  options.format = format();
  options.jpeg = optGazoFormat[1]->isChecked();
  options.worldFiles = chkWorldFile->isChecked() && options.format != ExportFormat::Kmz;
  if (!ExportView(state_, view_, options, prompts_)) return;  // the dialog stays open
  if (prompts_.askYesNo(tr("%1を保存しました。このファイルを開きますか？").arg(QDir::toNativeSeparators(chosenPath_)),
                        MessageIcon::Information))
    openFile(chosenPath_);
  accept();
}

void frmOutput::saveWebMap() {
  const QString folder = QFileInfo(chosenPath_).absolutePath();
  // Only an empty folder or a web map written before: the user's other files
  // are never written over.
  const QDir dir(folder);
  if (!dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) &&
      !QFileInfo::exists(dir.filePath(QStringLiteral("eras.json")))) {
    prompts_.message(
        tr("%1には他のファイルがあります。空のフォルダーを指定してください。").arg(QDir::toNativeSeparators(folder)),
        MessageIcon::Warning);
    return;
  }
  WebMapOptions options;
  WebMapReport report;
  QString error;
  bool ok = false;
  {
    WaitCursor wait(prompts_);
    ok = publishWebMap(state_, folder, options, report, &error);
  }
  if (!ok) {
    prompts_.message(tr("Web地図を保存できませんでした。\n%1").arg(error), MessageIcon::Warning);
    return;  // the dialog stays open
  }
  const QString page = dir.filePath(QStringLiteral("index.html"));
  if (prompts_.askYesNo(
          tr("%1にWeb地図を保存しました。地図のページを開きますか？").arg(QDir::toNativeSeparators(folder)),
          MessageIcon::Information))
    openFile(page);
  accept();
}

void frmOutput::cmdCancel_Click() { reject(); }

void frmOutput::cmdTimelapse_Click() {
  frmTimelapse film(state_, prompts_, view_, this);
  if (filmFormRunner)
    filmFormRunner(film);
  else
    film.exec();
  // A film made ends the export too; closed without one, the choice of
  // formats is offered again.
  if (film.result() == QDialog::Accepted) accept();
}

}  // namespace kavalo
