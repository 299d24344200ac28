// SPDX-License-Identifier: MIT
#include "output/frmTimelapse.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "model/ProgramState.h"
#include "output/ExportDocuments.h"
#include "output/SaveFileDialog.h"
#include "output/TimelapseEras.h"
#include "platform/Prompts.h"
#include "platform/RememberedValues.h"
#include "platform/ShellOpen.h"

namespace kavalo {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

frmTimelapse::frmTimelapse(const ProgramState& state, Prompts& prompts, const ViewRequest& view, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), view_(view) {
  setObjectName(QStringLiteral("frmTimelapse"));
  setWindowTitle(tr("動画出力"));
  setModal(true);
  openFile = [this](const QString& path) { ShellOpen(path, prompts_); };

  auto* layout = new QVBoxLayout(this);
  auto* framEras = named(new QGroupBox(tr("時期")), "framEras");
  auto* erasLayout = new QVBoxLayout(framEras);
  lstEras = named(new QListWidget, "lstEras");
  lstEras->setToolTip(tr("動画に入れる時期。表示範囲に地図のない時期は入れられません"));
  erasLayout->addWidget(lstEras);
  layout->addWidget(framEras);

  auto* form = new QFormLayout;
  dblSeconds = named(new QDoubleSpinBox, "dblSeconds");
  dblSeconds->setRange(0.1, 60.0);
  dblSeconds->setDecimals(1);
  dblSeconds->setSingleStep(0.5);
  dblSeconds->setValue(2.0);
  dblSeconds->setSuffix(tr(" 秒"));
  form->addRow(tr("1時期の表示時間"), dblSeconds);
  dblFade = named(new QDoubleSpinBox, "dblFade");
  dblFade->setRange(0.0, 59.0);
  dblFade->setDecimals(1);
  dblFade->setSingleStep(0.25);
  dblFade->setValue(0.0);
  dblFade->setSuffix(tr(" 秒"));
  dblFade->setSpecialValueText(tr("なし"));
  dblFade->setToolTip(tr("次の時期へ重ねながら切り替える時間(表示時間に含まれます)"));
  form->addRow(tr("クロスフェード"), dblFade);
  cboLabelCorner = named(new QComboBox, "cboLabelCorner");
  cboLabelCorner->addItems({tr("左上"), tr("右上"), tr("左下"), tr("右下"), tr("表示しない")});
  form->addRow(tr("時期ラベル"), cboLabelCorner);
  cboSize = named(new QComboBox, "cboSize");
  cboSize->addItem(tr("表示のまま (%1x%2)").arg(view.viewSize.width()).arg(view.viewSize.height()), QSize());
  for (const FilmSizePreset& preset : filmSizePresets()) {
    const QString caption =
        preset.size.width() == preset.size.height() ? tr("%1 (正方形・SNS向け)").arg(preset.name) : preset.name;
    cboSize->addItem(caption, preset.size);
  }
  form->addRow(tr("大きさ"), cboSize);
  spnFps = named(new QSpinBox, "spnFps");
  spnFps->setRange(1, 60);
  spnFps->setValue(30);
  spnFps->setSuffix(tr(" コマ/秒"));
  form->addRow(tr("フレームレート"), spnFps);
  layout->addLayout(form);

  auto* framFilm = named(new QGroupBox(tr("形式")), "framFilm");
  auto* filmLayout = new QVBoxLayout(framFilm);
  optFilm[0] = named(new QRadioButton(tr("WebP(アニメーション、ブラウザで再生)")), "optFilm_0");
  optFilm[1] = named(new QRadioButton(tr("GIF(コマごとのパレット)")), "optFilm_1");
  optFilm[2] = named(new QRadioButton(tr("MP4(H.264、ブラウザやスマートフォンで再生)")), "optFilm_2");
  optFilm[2]->setChecked(true);
  for (QRadioButton* b : optFilm) {
    filmLayout->addWidget(b);
    connect(b, &QRadioButton::clicked, this, [this] { optFilm_Click(); });
  }
  chkLossless = named(new QCheckBox(tr("劣化なし(ファイルが大きくなります)")), "chkLossless");
  filmLayout->addWidget(chkLossless);
  layout->addWidget(framFilm);

  auto* note = named(new QLabel(tr("各時期の出典表示は動画にも入ります。")), "lblCredits");
  note->setWordWrap(true);
  layout->addWidget(note);

  auto* fileRow = new QHBoxLayout;
  cmdFilesave = named(new QPushButton(tr("保存ファイル")), "cmdFilesave");
  cmdFilesave->setAutoDefault(false);
  lblFile = named(new QLabel(tr("未設定")), "lblFile");
  lblFile->setMinimumWidth(220);
  fileRow->addWidget(cmdFilesave);
  fileRow->addWidget(lblFile, 1);
  layout->addLayout(fileRow);
  connect(cmdFilesave, &QPushButton::clicked, this, [this] { cmdFilesave_Click(); });

  auto* buttons = new QHBoxLayout;
  cmdOK = named(new QPushButton(QStringLiteral("OK")), "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = named(new QPushButton(tr("キャンセル")), "cmdCancel");
  cmdCancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  fillEras();
  // The whole era list at a glance, up to ten eras.
  if (lstEras->count() > 0)
    lstEras->setMinimumHeight(std::min(lstEras->count(), 10) * lstEras->sizeHintForRow(0) + 2 * lstEras->frameWidth());
  optFilm_Click();
}

void frmTimelapse::fillEras() {
  // The eras of the era list, in its order; one with no map under the view
  // cannot be filmed and is shown greyed, as the coverage strip shows it.
  ViewRequest film = view_;
  film.devicePixelRatio = 1.0;
  for (const ExportEra& era : exportEraList(state_)) {
    auto* item = new QListWidgetItem(era.name, lstEras);
    item->setData(Qt::UserRole, era.eraIndex);
    if (eraHasDataInView(state_, film, era.eraIndex)) {
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
      item->setCheckState(Qt::Checked);
    } else {
      item->setFlags(Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
      item->setText(tr("%1(地図なし)").arg(era.name));
    }
  }
}

FilmFormat frmTimelapse::format() const {
  if (optFilm[0]->isChecked()) return FilmFormat::Webp;
  if (optFilm[1]->isChecked()) return FilmFormat::Gif;
  return FilmFormat::Mp4;
}

void frmTimelapse::optFilm_Click() {
  chkLossless->setEnabled(format() == FilmFormat::Webp);
  // GIF delays are in hundredths of a second: at most 50 frames a second.
  spnFps->setMaximum(format() == FilmFormat::Gif ? 50 : 60);
  // The extension follows the format.
  if (!chosenPath_.isEmpty()) {
    chosenPath_ = ReplaceExtension(chosenPath_, filmExtension(format()));
    lblFile->setText(FileNameOf(chosenPath_));
  }
}

TimelapseOptions frmTimelapse::options() const {
  TimelapseOptions o;
  o.path = chosenPath_;
  o.format = format();
  o.lossless = o.format == FilmFormat::Webp && chkLossless->isChecked();
  for (int i = 0; i < lstEras->count(); ++i) {
    const QListWidgetItem* item = lstEras->item(i);
    if ((item->flags() & Qt::ItemIsEnabled) && item->checkState() == Qt::Checked)
      o.eras.push_back(item->data(Qt::UserRole).toInt());
  }
  o.seconds = dblSeconds->value();
  o.fade = dblFade->value();
  o.fps = spnFps->value();
  o.corner = static_cast<LabelCorner>(cboLabelCorner->currentIndex());
  o.size = cboSize->currentData().toSize();
  return o;
}

void frmTimelapse::cmdFilesave_Click() {
  const QString ext = filmExtension(format());
  const QString initial = chosenPath_.isEmpty() ? saveFolder(QStringLiteral("film")) : chosenPath_;
  const FileChoice choice = SaveFileDialog(prompts_, initial, tr("%1ファイル名の設定").arg(ext),
                                           tr("%1ファイル").arg(ext) + QStringLiteral("\t*.") + ext, ext);
  if (!choice.chosen) return;
  chosenPath_ = choice.path;
  rememberSaveFolder(QStringLiteral("film"), choice.path);
  lblFile->setText(choice.fileName);
}

bool frmTimelapse::runWithProgressDialog(const TimelapseOptions& options) {
  QProgressDialog dialog(tr("動画を作成しています..."), tr("キャンセル"), 0, 100, this);
  dialog.setObjectName(QStringLiteral("frmTimelapseProgress"));
  dialog.setWindowTitle(windowTitle());
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(300);
  std::function<bool(int, int)> report = progress;
  if (!report)
    report = [&](int done, int total) {
      dialog.setMaximum(std::max(1, total));
      dialog.setValue(std::min(done, total));
      prompts_.processEvents();
      return !dialog.wasCanceled();
    };
  result_ = makeTimelapse(state_, view_, options, report);
  return result_.outcome == TimelapseOutcome::Done;
}

void frmTimelapse::cmdOK_Click() {
  const TimelapseOptions o = options();
  if (o.path.isEmpty()) {
    prompts_.message(tr("保存ファイルを指定してください。"), MessageIcon::Warning);
    return;
  }
  if (o.eras.empty()) {
    prompts_.message(tr("動画に入れる時期を選んでください。"), MessageIcon::Warning);
    return;
  }
  if (o.fade >= o.seconds) {
    prompts_.message(tr("クロスフェードは表示時間より短くしてください。"), MessageIcon::Warning);
    return;
  }
  cmdOK->setEnabled(false);
  const bool made = runWithProgressDialog(o);
  cmdOK->setEnabled(true);
  if (result_.outcome == TimelapseOutcome::Cancelled) return;  // nothing was written; the dialog stays
  if (!made) {
    prompts_.message(tr("%1は保存できませんでした。\n%2").arg(QDir::toNativeSeparators(o.path), result_.error),
                     MessageIcon::Warning);
    return;
  }
  if (prompts_.askYesNo(tr("%1を保存しました。このファイルを開きますか？").arg(QDir::toNativeSeparators(o.path)),
                        MessageIcon::Information))
    openFile(o.path);
  accept();
}

}  // namespace kavalo
