// SPDX-License-Identifier: MIT
#include "geo/frmPosition.h"
#include "geo/Navigation.h"
#include "geo/PositionText.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "geo/OpenFileDialog.h"
#include "geo/PlaceSearch.h"
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

// The overview picture: paints the overview and reports clicks.
class OverviewPicture : public QWidget {
 public:
  OverviewPicture(frmPosition* owner, const QImage* image, QWidget* parent)
      : QWidget(parent), owner_(owner), image_(image) {
    setObjectName(QStringLiteral("picPosition"));
    setFixedSize(frmPosition::kOverviewSide, frmPosition::kOverviewSide);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (image_ && !image_->isNull()) p.drawImage(0, 0, *image_);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) owner_->picPosition_MouseUp(event->position().toPoint());
  }

 private:
  frmPosition* owner_;
  const QImage* image_;
};

// The frame that stands for the view: a red outline, see-through inside,
// dragged with the left button.
class ViewFrame : public QWidget {
 public:
  ViewFrame(frmPosition* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setObjectName(QStringLiteral("picFrame"));
    setCursor(Qt::SizeAllCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(QColor(255, 0, 0), 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) owner_->picFrame_MouseDown(event->position().toPoint());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (event->buttons() & Qt::LeftButton) owner_->picFrame_MouseMove(event->position().toPoint());
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) owner_->picFrame_MouseUp(event->position().toPoint());
  }

 private:
  frmPosition* owner_;
};

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

frmPosition::frmPosition(ProgramState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
  setObjectName(QStringLiteral("frmPosition"));
  setWindowTitle(tr("表示位置"));
  setModal(true);
  buildControls();
  Form_Load();
}

void frmPosition::buildControls() {
  picPosition = new OverviewPicture(this, &overview_, this);
  picFrame = new ViewFrame(this, picPosition);
  lblblancCap = named(new QLabel(tr("※画像の中で暗くなっている部分は、表示中の時期の地形図が含まれていない場所です")),
                      "lblblancCap");
  lblblancCap->setWordWrap(true);
  lblblancCap->setFixedWidth(kOverviewSide);

  framSearch = named(new QGroupBox(tr("地名・施設検索")), "framSearch");
  txtSearch = named(new QLineEdit, "txtSearch");
  txtSearch->setPlaceholderText(tr("地名・緯度経度・メッシュコード"));
  txtSearch->setToolTip(
      tr("地名のほか、「35.6812, 139.7671」、「北緯35度40分52.3秒 東経139度46分1.56秒」、"
         "geo: URI、地域メッシュコード（5339-46-30）で移動できます"));
  txtSearch->installEventFilter(this);
  cmdSearch = named(new QPushButton(tr("検索")), "cmdSearch");
  lstSearch = named(new QListWidget, "lstSearch");
  lstSearch->setSelectionMode(QAbstractItemView::SingleSelection);
  chkMarkSet = named(new QCheckBox(tr("目印に追加")), "chkMarkSet");
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(txtSearch, 1);
  searchRow->addWidget(cmdSearch);
  auto* searchLayout = new QVBoxLayout(framSearch);
  searchLayout->addLayout(searchRow);
  searchLayout->addWidget(lstSearch, 1);
  searchLayout->addWidget(chkMarkSet);

  Frame1 = named(new QGroupBox(tr("目印位置ジャンプ")), "Frame1");
  lstMark = named(new QListWidget, "lstMark");
  lstMark->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lblMarkFile = named(new QLabel, "lblMarkFile");
  cmdMarkJump = named(new QPushButton(tr("移動")), "cmdMarkJump");
  cmdMarkDelete = named(new QPushButton(tr("削除")), "cmdMarkDelete");
  cmdMarkFile = named(new QPushButton(tr("目印ファイル読込")), "cmdMarkFile");
  auto* markButtons = new QHBoxLayout;
  markButtons->addWidget(cmdMarkJump);
  markButtons->addWidget(cmdMarkDelete);
  markButtons->addWidget(cmdMarkFile);
  auto* markLayout = new QVBoxLayout(Frame1);
  markLayout->addWidget(lstMark, 1);
  markLayout->addWidget(lblMarkFile);
  markLayout->addLayout(markButtons);

  cmdOK = named(new QPushButton(QStringLiteral("OK")), "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = named(new QPushButton(tr("キャンセル")), "cmdCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);

  auto* left = new QVBoxLayout;
  left->addWidget(picPosition);
  left->addWidget(lblblancCap);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(framSearch, 1);
  right->addWidget(Frame1, 1);
  auto* grid = new QGridLayout(this);
  grid->addLayout(left, 0, 0);
  grid->addLayout(right, 0, 1);
  grid->addLayout(buttons, 1, 0, 1, 2);
  grid->setColumnMinimumWidth(1, 280);

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
  // A click on a row selects it, and so do the arrow keys; the focus alone
  // (which only sets the current row) picks nothing.
  connect(lstSearch, &QListWidget::itemSelectionChanged, this, [this] {
    if (!lstSearch->selectedItems().isEmpty()) lstSearch_Click();
  });
  connect(lstMark, &QListWidget::itemDoubleClicked, this, [this] { cmdMarkJump_Click(); });
  connect(cmdMarkJump, &QPushButton::clicked, this, [this] { cmdMarkJump_Click(); });
  connect(cmdMarkDelete, &QPushButton::clicked, this, [this] { cmdMarkDelete_Click(); });
  connect(cmdMarkFile, &QPushButton::clicked, this, [this] { cmdMarkFile_Click(); });
}

bool frmPosition::eventFilter(QObject* watched, QEvent* event) {
  // While the search box has the focus, Enter searches instead of closing.
  if (watched == txtSearch && event->type() == QEvent::FocusIn) cmdSearch->setDefault(true);
  return QDialog::eventFilter(watched, event);
}

void frmPosition::Form_Load() {
  closeReason_ = 0;
  {
    // Building the overview may render every elevation piece first.
    WaitCursor wait(prompts_);
    lblblancCap->setVisible(state_.hasEra() && eraSource(state_.currentEra()).sheets == EraSheets::History);
    geometry_ = computeOverviewGeometry(kOverviewSide, state_.mapInfo);
    overview_ = buildOverviewImage(state_, geometry_, kOverviewSide);
  }
  picFrame->setGeometry(overviewFrameRect(geometry_, state_.viewport().Get_ViewRect()));
  picFrame->raise();
  picPosition->update();
  Set_MarkList();
}

void frmPosition::moveFrameTo(QPoint topLeft) {
  picFrame->move(topLeft);
  picFrame->raise();
}

void frmPosition::picFrame_MouseDown(QPoint inFrame) {
  grab_ = inFrame;
  dragging_ = true;
}

void frmPosition::picFrame_MouseMove(QPoint inFrame) {
  if (dragging_) moveFrameTo(picFrame->pos() + inFrame - grab_);
}

void frmPosition::picFrame_MouseUp(QPoint inFrame) {
  if (!dragging_) return;
  dragging_ = false;
  moveFrameTo(picFrame->pos() + inFrame - grab_);
}

void frmPosition::picPosition_MouseUp(QPoint inOverview) {
  moveFrameTo(QPoint(roundToInt(inOverview.x() - picFrame->width() / 2.0),
                     roundToInt(inOverview.y() - picFrame->height() / 2.0)));
}

void frmPosition::cmdOK_Click() {
  const ImagePoint c = overviewFrameToCentre(geometry_, picFrame->geometry());
  state_.view.centerX = c.x;
  state_.view.centerY = c.y;
  closeReason_ = 1;
  accept();
}

void frmPosition::cmdCancel_Click() {
  closeReason_ = 2;
  reject();
}

void frmPosition::cmdSearch_Click() {
  // A position typed in place of a name (decimal degrees, the readout's
  // degrees-minutes-seconds, a geo: URI or a mesh code) moves the view there.
  QString why;
  const std::optional<Place> place = parsePlace(txtSearch->text(), state_.view.datumFlag, &why);
  const QString typed = txtSearch->text().trimmed();
  const bool looksLikePosition = !typed.isEmpty() && (typed[0].isDigit() || typed[0] == u'-' || typed[0] == u'+' ||
                                                      typed.startsWith(QStringLiteral("geo:"), Qt::CaseInsensitive) ||
                                                      typed.startsWith(QStringLiteral("北緯")) ||  // stored
                                                      typed.startsWith(QStringLiteral("南緯")));   // stored
  if (!place && looksLikePosition) {
    // Not a name: the reason the position was not understood.
    prompts_.message(why, MessageIcon::Warning);
    return;
  }
  if (place) {
    const ImagePoint p = placeToImage(state_.mapInfo, *place);
    const RegionSize region = regionSize(state_.mapInfo);
    if (!(p.x >= 0.0f && p.y >= 0.0f && p.x <= region.width && p.y <= region.height)) {
      prompts_.message(tr("その位置はこの地域の外です。"), MessageIcon::Warning);
      return;
    }
    state_.view.centerX = p.x;
    state_.view.centerY = p.y;
    closeReason_ = 1;
    accept();
    return;
  }
  {
    const QSignalBlocker block(lstSearch);
    lstSearch->clear();
  }
  rowPlaces_ = searchPlaceNames(state_.placeNames, txtSearch->text());
  {
    const QSignalBlocker block(lstSearch);
    for (int index : rowPlaces_) lstSearch->addItem(placeRowText(state_.placeNames[static_cast<size_t>(index)]));
  }
  if (rowPlaces_.empty())
    prompts_.message(tr("検索条件に当てはまる地名は見つかりませんでした。"), MessageIcon::Warning);
}

void frmPosition::lstSearch_Click() {
  const int row = lstSearch->currentRow();
  if (row < 0 || row >= static_cast<int>(rowPlaces_.size())) return;
  const PlaceName& place = state_.placeNames[static_cast<size_t>(rowPlaces_[static_cast<size_t>(row)])];
  const ImagePoint c = LatLonToImage(state_.mapInfo, place.lat, place.lon, 0);
  state_.view.centerX = c.x;
  state_.view.centerY = c.y;
  if (chkMarkSet->isChecked()) {
    const LatLon world = TokyoToWorld(state_.mapInfo, place.lat, place.lon);
    state_.marks.add(Mark{world.lat, world.lon, storableMarkName(place.name)});
    marksChanged_ = true;
  }
  closeReason_ = 1;
  accept();
}

std::vector<int> frmPosition::selectedMarkRows() const {
  std::vector<int> rows;
  for (int i = 0; i < lstMark->count(); ++i)
    if (lstMark->item(i)->isSelected()) rows.push_back(i);
  return rows;
}

QString frmPosition::marksFilePath() const { return joinPath(state_.datasetFolder, state_.names[kMarksFile]); }

void frmPosition::Set_MarkList() {
  lstMark->clear();
  for (int i = 0; i < state_.marks.count(); ++i)
    lstMark->addItem(QStringLiteral("%1:%2").arg(i + 1).arg(state_.marks.at(i).name));
  QString name = state_.names[kMarksFile];
  name.remove(u'\\');
  lblMarkFile->setText(name);
}

void frmPosition::cmdMarkJump_Click() {
  const std::vector<int> rows = selectedMarkRows();
  if (rows.empty()) return;
  // The row with the focus when it is selected, else the first selected.
  const int current = lstMark->currentRow();
  const int row = std::find(rows.begin(), rows.end(), current) != rows.end() ? current : rows.front();
  if (row >= state_.marks.count()) return;
  const Mark& mark = state_.marks.at(row);
  const MapInfo& info = state_.mapInfo;
  if (!(info.south <= mark.lat && mark.lat <= info.north && info.west <= mark.lon && mark.lon <= info.east)) {
    prompts_.message(tr("地図領域からはずれています。"), MessageIcon::Warning);
    return;
  }
  const ImagePoint c = LatLonToImage(info, mark.lat, mark.lon, 1);
  state_.view.centerX = c.x;
  state_.view.centerY = c.y;
  closeReason_ = 1;
  accept();
}

void frmPosition::cmdMarkDelete_Click() {
  const std::vector<int> rows = selectedMarkRows();
  if (rows.empty()) {
    prompts_.message(tr("削除する目印を選択してください。"), MessageIcon::Exclamation);
    return;
  }
  if (!prompts_.askYesNo(tr("目印を削除します。よろしいですか？"), MessageIcon::Exclamation)) return;
  // From the highest index down, so that each removal leaves the lower
  // selected marks where they were.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) state_.marks.removeAt(*it);
  marksChanged_ = true;
  Set_MarkList();
}

void frmPosition::cmdMarkFile_Click() {
  const FileChoice choice =
      Open_FileDialog(prompts_, state_.datasetFolder, tr("記号ファイル読み込み"), tr("地図ファイル\t*.kmk"));
  if (!choice.chosen) return;

  // The current marks go to the dataset's own marks file first; if they
  // cannot be written they are kept in memory and nothing is loaded, so that
  // no mark is lost. An empty list never replaces a marks file that could
  // not be read.
  if (!(state_.marksUnreadable && state_.marks.count() == 0)) {
    QString saveError;
    if (!Save_MarkFile(marksFilePath(), state_.marks, &saveError)) {
      prompts_.message(tr("現在の目印を保存できないため、目印ファイルを読み込みませんでした。\n%1").arg(saveError),
                       MessageIcon::Warning);
      return;
    }
    state_.marksUnreadable = false;
  }

  MarkList loaded;
  QString error;
  if (!FileExists(choice.path)) {
    prompts_.message(tr("目印ファイルが見つかりません。\n%1").arg(choice.path), MessageIcon::Warning);
    return;
  }
  if (!Get_MarkFile(choice.path, loaded, &error)) {
    prompts_.message(error, MessageIcon::Warning);
    return;
  }
  state_.marks = std::move(loaded);
  marksChanged_ = true;
  Set_MarkList();
}

}  // namespace kavalo
