// SPDX-License-Identifier: MIT
// Building the main window's controls: the panel of group boxes on the
// left, the map view with the labels over it, the pop-up menu and the timer.
// Each control carries the program's name for it as its objectName.
#include "app/EraPrefetch.h"
#include "app/frmSCR.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "app/UiMapView.h"
#include "app/UiOverview.h"
#include "app/UiReadout.h"
#include "app/UiTickLabels.h"
#include "app/WindowSettings.h"
#include "elevation/frmLegend.h"
#include "geo/clsWheelMouse.h"
#include "model/Settings.h"
#include "net/TileDownloads.h"
#include "platform/Memory.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/ShellOpen.h"
#include "render/CompareComposer.h"
#include "render/ComposeContext.h"
#include "render/TilePrefetcher.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

constexpr int kPanelWidth = 214;

// A label that works as a button: it reports clicks, takes the keyboard's
// focus (Tab) and is pressed by Space or Enter, with a dotted frame while it
// has the focus. It keeps the look of a label (the panel toggles, the online
// indicator and the home-page link have always been labels).
class ClickableLabel : public QLabel {
 public:
  explicit ClickableLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {
    setFocusPolicy(Qt::StrongFocus);
  }
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (onClick) onClick();
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && onClick) {
      onClick();
      return;
    }
    QLabel::keyPressEvent(event);
  }
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
};

template <typename T>
T* named(T* widget, const char* name, const QString& toolTip = QString()) {
  widget->setObjectName(QString::fromLatin1(name));
  if (!toolTip.isEmpty()) widget->setToolTip(toolTip);
  return widget;
}

// Group boxes of the panel keep their contents close so that the whole panel
// fits a window of the least height.
void tighten(QLayout* layout) {
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(2);
}

QPushButton* button(const QString& caption, const char* name, const QString& toolTip = QString()) {
  return named(new QPushButton(caption), name, toolTip);
}

QCheckBox* checkBox(const QString& caption, const char* name, bool checked, const QString& toolTip = QString()) {
  auto* box = named(new QCheckBox(caption), name, toolTip);
  box->setChecked(checked);
  return box;
}

}  // namespace

void frmSCR::buildControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("client"));
  setCentralWidget(central);
  central->installEventFilter(this);

  picBox = named(new QWidget(central), "picBox");
  picBox->setFixedWidth(kPanelWidth);
  auto* panel = new QVBoxLayout(picBox);
  panel->setContentsMargins(4, 4, 4, 4);
  panel->setSpacing(2);

  // Data folders
  framFolder = named(new QGroupBox(tr("データセット")), "framFolder");
  auto* folderLayout = new QVBoxLayout(framFolder);
  tighten(folderLayout);
  lstDataFolder = named(new QListWidget, "lstDataFolder");
  // Three names in sight (the list scrolls for more), so that the whole panel
  // fits the height a 768-pixel screen leaves.
  lstDataFolder->setFixedHeight(3 * lstDataFolder->fontMetrics().height() + 8);
  // Names are fitted to the list's width (fitDataFolderList), never scrolled sideways.
  lstDataFolder->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  cmdMapComment = button(tr("コメント"), "cmdMapComment");
  folderLayout->addWidget(lstDataFolder);
  folderLayout->addWidget(cmdMapComment);
  panel->addWidget(framFolder);

  // Eras
  framTime = named(new QGroupBox(tr("時間(Shift＋←→)")), "framTime");
  auto* timeLayout = new QVBoxLayout(framTime);
  tighten(timeLayout);
  cboAge = named(new QComboBox, "cboAge");
  SliderAge = named(new QSlider(Qt::Horizontal), "SliderAge");
  SliderAge->setRange(0, 1);
  SliderAge->setPageStep(1);
  // No ticks: the coverage strip right under the slider has a cell per era.
  cmdViewTime = button(tr("時期設定(&E)"), "cmdViewTime", tr("時間に関する設定を行います"));
  timeLayout->addWidget(cboAge);
  timeLayout->addWidget(SliderAge);
  buildCompareControls(timeLayout);
  panel->addWidget(framTime);

  // Zoom
  framZOOM = named(new QGroupBox(tr("ズーム(Shift＋↑↓)")), "framZOOM");
  auto* zoomLayout = new QGridLayout(framZOOM);
  tighten(zoomLayout);
  SliderZoom = named(new QSlider(Qt::Horizontal), "SliderZoom");
  SliderZoom->setRange(kMinZoom, kMaxZoom);
  SliderZoom->setSingleStep(10);
  SliderZoom->setPageStep(50);
  SliderZoom->setTickInterval(50);
  SliderZoom->setTickPosition(QSlider::TicksBelow);
  SliderZoom->setValue(100);
  lblZoom = named(new QLabel(QStringLiteral("100%")), "lblZoom");
  // Each figure stands under its tick, as wide as the slider above it.
  Label1 = named(new UiTickLabels(QStringLiteral("50 100 200 300 400%"), SliderZoom,
                                  {{50, QStringLiteral("50")},
                                   {100, QStringLiteral("100")},
                                   {200, QStringLiteral("200")},
                                   {300, QStringLiteral("300")},
                                   {400, QStringLiteral("400")}}),
                 "Label1");
  {
    // 50 and 100 stand close together on a slider the panel's width; a
    // smaller face keeps them apart (lblZoom beside the slider gives the %).
    QFont small = Label1->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Label1->setFont(small);
  }
  // The percentage keeps the width of its widest value, so that the slider's
  // track and the figures under it never shift as the value changes.
  lblZoom->setMinimumWidth(lblZoom->fontMetrics().horizontalAdvance(QStringLiteral("400%")) + 2);
  lblZoom->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cmdWhole = button(tr("全体"), "cmdWhole", tr("地域の全体を表示します(Home)"));
  zoomLayout->addWidget(SliderZoom, 0, 0);
  zoomLayout->addWidget(lblZoom, 0, 1);
  zoomLayout->addWidget(Label1, 1, 0);
  panel->addWidget(framZOOM);

  SliderMoveAmount = named(new QSlider(Qt::Horizontal), "SliderMoveAmount", tr("移動量設定"));
  SliderMoveAmount->setRange(1, 3);
  SliderMoveAmount->setSingleStep(1);
  SliderMoveAmount->setPageStep(1);
  SliderMoveAmount->setValue(3);
  SliderMoveAmount->setTickPosition(QSlider::TicksBelow);
  {
    // The move amount is named, and its ends say which way the steps grow
    // (value 1 moves three quarters of the view, 3 one quarter); all on the
    // slider's own row, so that the panel keeps its height.
    auto* moveRow = named(new QWidget, "framMoveAmount");
    auto* moveLayout = new QHBoxLayout(moveRow);
    moveLayout->setContentsMargins(6, 0, 6, 0);
    moveLayout->setSpacing(4);
    moveLayout->addWidget(named(new QLabel(tr("移動量")), "lblMoveAmount"));
    moveLayout->addWidget(named(new QLabel(tr("大")), "lblMoveLarge"));
    moveLayout->addWidget(SliderMoveAmount, 1);
    moveLayout->addWidget(named(new QLabel(tr("小")), "lblMoveSmall"));
    panel->addWidget(moveRow);
  }

  // Display switches
  framView = named(new QGroupBox(tr("表示")), "framView");
  auto* viewLayout = new QGridLayout(framView);
  tighten(viewLayout);
  cmdAltitudeColor = button(tr("標高色(Q)"), "cmdAltitudeColor");
  chkAltitude =
      checkBox(tr("標高(&A)"), "chkAltitude", true, tr("国土地理院承認の地形図では標高をはずこことはできません"));
  chkTikeizu = checkBox(tr("地形図(&T)"), "chkTikeizu", true);
  chkZukakusen = checkBox(tr("図郭線(&F)"), "chkZukakusen", false);
  chkLegend = checkBox(tr("凡例(&L)"), "chkLegend", false);
  chkScale = checkBox(tr("スケール(&S)"), "chkScale", true);
  chkMark = checkBox(tr("目印(&M)"), "chkMark", true);
  chkOverview = checkBox(tr("全体図(&V)"), "chkOverview", true, tr("地図の右上に地域の全体図を表示します"));
  viewLayout->addWidget(chkTikeizu, 0, 0);
  viewLayout->addWidget(chkAltitude, 0, 1);
  viewLayout->addWidget(chkZukakusen, 1, 0);
  viewLayout->addWidget(chkLegend, 1, 1);
  viewLayout->addWidget(chkScale, 2, 0);
  viewLayout->addWidget(chkMark, 2, 1);
  viewLayout->addWidget(chkOverview, 3, 0);
  viewLayout->addWidget(cmdAltitudeColor, 3, 1);
  // The user's own files over the map, and the ruler.
  buildOverlayControls(viewLayout, 4);
  panel->addWidget(framView);

  // Information
  framInfo = named(new QGroupBox(tr("情報")), "framInfo");
  auto* infoLayout = new QVBoxLayout(framInfo);
  tighten(infoLayout);
  lblInfo = named(new QLabel(tr("現在地の標高：")), "lblInfo");
  lblMap = named(new QLabel(tr("図幅情報")), "lblMap", tr("太字の場合は、該当時間の地形図ではないことを示します"));
  // Four lines of the place (latitude, longitude, datum, elevation) above the
  // sheet text, which wraps; the box gives them what room the panel has.
  readoutBox_ = new UiReadout(lblInfo, lblMap);
  auto* infoButtons = new QHBoxLayout;
  cmdSokuti = button(tr("日/世"), "cmdSokuti", tr("表示測地系の切り替え"));
  auto* offLine = new ClickableLabel(tr("オフライン"));
  lblOffLine = named(static_cast<QLabel*>(offLine), "lblOffLine",
                     tr("サーバーに接続してデータをダウンロードできるようにします"));
  offLine->onClick = [this] { lblOffLine_Click(); };
  infoButtons->addWidget(cmdSokuti);
  infoButtons->addWidget(lblOffLine);
  auto* homePage = new ClickableLabel(tr("<u>Kavaloホームページ</u>"));
  lblHomePage = named(static_cast<QLabel*>(homePage), "lblHomePage", tr("Kavaloホームページを開きます"));
  homePage->setCursor(Qt::PointingHandCursor);
  homePage->onClick = [this] { lblHomePage_Click(); };
  infoLayout->addWidget(readoutBox_, 1);
  infoLayout->addLayout(infoButtons);
  // The readout takes what height the panel has to spare.
  panel->addWidget(framInfo, 1);

  // Commands
  cmdPosition = button(tr("位置指定・目印(&Z)"), "cmdPosition", tr("表示位置を指定して移動します"));
  cmdWMS = button(tr("データ取得"), "cmdWMS", tr("インターネットを通じて外部の地図・画像テータを取得します"));
  cnmdKML = button(tr("出力(&O)"), "cnmdKML", tr("Google Earthで読み込めるKML形式で保存します"));
  cmdPrintOut = button(tr("印刷(&P)"), "cmdPrintOut", tr("画像を印刷します"));
  cmdCopy = button(tr("コピー(&C)"), "cmdCopy", tr("画像をコピーします"));
  cmdHelp = button(tr("解説(&H)"), "cmdHelp");
  cmdEnd = button(tr("終了(&X)"), "cmdEnd", tr("Kavaloを終了します"));
  // The commands two to a row; the view's place and the whole region first.
  auto* row0 = new QHBoxLayout;
  row0->addWidget(cmdPosition, 1);
  row0->addWidget(cmdWhole);
  panel->addLayout(row0);
  cmdGetTikeizu = button(tr("付属地形図取得"), "cmdGetTikeizu", tr("不足している地形図をサーバーから取得します"));
  auto* row1 = new QHBoxLayout;
  row1->addWidget(cmdWMS);
  row1->addWidget(cmdGetTikeizu);
  panel->addLayout(row1);
  auto* row2 = new QHBoxLayout;
  row2->addWidget(cnmdKML);
  row2->addWidget(cmdPrintOut);
  panel->addLayout(row2);
  auto* row3 = new QHBoxLayout;
  row3->addWidget(cmdCopy);
  row3->addWidget(cmdHelp);
  panel->addLayout(row3);

  auto* hide = new ClickableLabel(QStringLiteral("<<"));
  lblBoxSize[0] = named(static_cast<QLabel*>(hide), "lblBoxSize_0", tr("設定画面を隠します"));
  hide->onClick = [this] { lblBoxSize_Click(0); };
  hide->setCursor(Qt::PointingHandCursor);
  // The home page on the panel's last line, beside the fold.
  auto* lastRow = new QHBoxLayout;
  lastRow->addWidget(lblHomePage);
  lastRow->addStretch(1);
  lastRow->addWidget(cmdEnd);
  panel->addLayout(lastRow);
  // Captions longer than the Japanese ones (another language's) widen the
  // panel rather than being cut; the Japanese panel keeps its width.
  picBox->setFixedWidth(std::max(kPanelWidth, panel->minimumSize().width()));
  // The fold stands in the panel's top-right corner, beside the first
  // group's title (placed by placeFoldLabel as the panel is laid out).
  lblBoxSize[0]->setParent(picBox);
  lblBoxSize[0]->adjustSize();

  // The map view, with the era label and the download notice over it.
  picPrint = new UiMapView(this, central);
  picPrint->setPicture(&viewPicture_);
  picTime = named(new QLabel(picPrint), "picTime");
  picTime->setAutoFillBackground(true);
  picTime->hide();
  lblDownload = named(new QLabel(tr("地図データダウンロード中"), picPrint), "lblDownload");
  lblDownload->setAutoFillBackground(true);
  lblDownload->hide();
  lblStatus = named(new QLabel(central), "lblStatus");
  lblStatus->setAutoFillBackground(true);
  lblStatus->setContentsMargins(4, 0, 4, 0);
  lblStatus->hide();

  auto* show = new ClickableLabel(QStringLiteral(">>"), central);
  lblBoxSize[1] = named(static_cast<QLabel*>(show), "lblBoxSize_1", tr("設定画面を表示します"));
  show->onClick = [this] { lblBoxSize_Click(1); };
  show->setCursor(Qt::PointingHandCursor);
  show->setAutoFillBackground(true);
  show->move(2, 2);
  show->hide();

  // The pop-up menu of the map view.
  mnuPopUpMenu = named(new QMenu(tr("ポップアップ"), this), "mnuPopUpMenu");
  mnuMarkSet = mnuPopUpMenu->addAction(tr("目印をつける"));
  mnuMarkSet->setObjectName(QStringLiteral("mnuMarkSet"));
  mnuMarkModify = mnuPopUpMenu->addAction(tr("目印を修正"));
  mnuMarkModify->setObjectName(QStringLiteral("mnuMarkModify"));
  mnuMarkErase = mnuPopUpMenu->addAction(tr("目印削除"));
  mnuMarkErase->setObjectName(QStringLiteral("mnuMarkErase"));
  mnuPopUpMenu->addSeparator();
  mnuCopyPosition = mnuPopUpMenu->addAction(tr("この位置の緯度経度をコピー"));
  mnuCopyPosition->setObjectName(QStringLiteral("mnuCopyPosition"));
  mnuCopyGeoUri = mnuPopUpMenu->addAction(tr("この位置を geo: URI でコピー"));
  mnuCopyGeoUri->setObjectName(QStringLiteral("mnuCopyGeoUri"));
  mnuCopyLink = mnuPopUpMenu->addAction(tr("この表示へのリンクをコピー"));
  mnuCopyLink->setObjectName(QStringLiteral("mnuCopyLink"));
  mnuCopyWebLink = mnuPopUpMenu->addAction(tr("この表示のWeb地図へのリンクをコピー"));
  mnuCopyWebLink->setObjectName(QStringLiteral("mnuCopyWebLink"));
  mnuPopUpMenu->addSeparator();
  mnuRulerSave = mnuPopUpMenu->addAction(tr("計測した経路を保存..."));
  mnuRulerSave->setObjectName(QStringLiteral("mnuRulerSave"));
  mnuRulerClear = mnuPopUpMenu->addAction(tr("計測を消す"));
  mnuRulerClear->setObjectName(QStringLiteral("mnuRulerClear"));

  // The overview of the whole region in the map's corner.
  picOverview = new UiOverview(state_, picPrint);
  picOverview->onMove = [this](ImagePoint centre) {
    state_.view.centerX = centre.x;
    state_.view.centerY = centre.y;
    PrintGazo();
    Show_PointInfoAtCursor();
  };
  picPrint->paintOver = [this](QPainter& painter) { paintOverMap(painter); };

  idleTrim_ = new QTimer(this);
  idleTrim_->setSingleShot(true);
  idleTrim_->setInterval(2000);
  connect(idleTrim_, &QTimer::timeout, this, [] { releaseFreedMemory(); });
  eraPrefetch_ = std::make_unique<EraPrefetch>();
  eraPrefetchTimer_ = new QTimer(this);
  eraPrefetchTimer_->setSingleShot(true);
  connect(eraPrefetchTimer_, &QTimer::timeout, this, &frmSCR::idlePrefetch);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  cboAge->installEventFilter(this);
  fitMinimumSize();
}

void frmSCR::idlePrefetch() {
  // One era at a time is shown; a comparison or a drag under way has other
  // things to keep ready.
  if (!state_.view.loaded || phase_ != Phase::Ready || compareActive() || draggingView()) return;
  eraPrefetch_->prefetch(state_, viewRequest(RenderPass::Screen), state_.view.onlineMode ? tileDownloads_ : nullptr);
}

}  // namespace kavalo
