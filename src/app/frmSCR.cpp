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
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "app/UiMapView.h"
#include "app/UiTickLabels.h"
#include "app/WindowSettings.h"
#include "elevation/frmLegend.h"
#include "geo/clsWheelMouse.h"
#include "model/Settings.h"
#include "net/TileDownloads.h"
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

// A label that reports clicks (the panel toggles, the online indicator and
// the home-page link are labels).
class ClickableLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (onClick) onClick();
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

frmSCR::frmSCR(const QString& rootFolder, const ScreenInfo& screen, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), screen_(screen), prompts_(prompts) {
  setObjectName(QStringLiteral("frmSCR"));
  state_.rootFolder = rootFolder;
  state_.mmPerScreenPxX = screen.mmPerPxX;
  state_.mmPerScreenPxY = screen.mmPerPxY;
  state_.twipsPerPixelX = screen.twipsPerPixelX;
  state_.twipsPerPixelY = screen.twipsPerPixelY;
  buildControls();
  connectControls();
  // The design size of the window; the first dataset load sizes it to the screen.
  resize(1000, 700);
}

frmSCR::~frmSCR() {
  removeWheelHook();
  TilePrefetcher::shared().clearOnDecoded(this);
}

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
  framFolder = named(new QGroupBox(QStringLiteral("データセット")), "framFolder");
  auto* folderLayout = new QVBoxLayout(framFolder);
  tighten(folderLayout);
  lstDataFolder = named(new QListWidget, "lstDataFolder");
  lstDataFolder->setFixedHeight(4 * lstDataFolder->fontMetrics().height() + 8);
  // Names are fitted to the list's width (fitDataFolderList), never scrolled sideways.
  lstDataFolder->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  cmdMapComment = button(QStringLiteral("コメント"), "cmdMapComment");
  folderLayout->addWidget(lstDataFolder);
  folderLayout->addWidget(cmdMapComment);
  panel->addWidget(framFolder);

  // Eras
  framTime = named(new QGroupBox(QStringLiteral("時間(Shift＋←→)")), "framTime");
  auto* timeLayout = new QVBoxLayout(framTime);
  tighten(timeLayout);
  cboAge = named(new QComboBox, "cboAge");
  SliderAge = named(new QSlider(Qt::Horizontal), "SliderAge");
  SliderAge->setRange(0, 1);
  SliderAge->setPageStep(1);
  SliderAge->setTickPosition(QSlider::TicksBelow);
  cmdViewTime = button(QStringLiteral("時期設定(&E)"), "cmdViewTime", QStringLiteral("時間に関する設定を行います"));
  timeLayout->addWidget(cboAge);
  timeLayout->addWidget(SliderAge);
  timeLayout->addWidget(cmdViewTime);
  buildCompareControls(timeLayout);
  panel->addWidget(framTime);

  // Zoom
  framZOOM = named(new QGroupBox(QStringLiteral("ズーム(Shift＋↑↓)")), "framZOOM");
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
  zoomLayout->addWidget(SliderZoom, 0, 0);
  zoomLayout->addWidget(lblZoom, 0, 1);
  zoomLayout->addWidget(Label1, 1, 0);
  panel->addWidget(framZOOM);

  SliderMoveAmount = named(new QSlider(Qt::Horizontal), "SliderMoveAmount", QStringLiteral("移動量設定"));
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
    moveLayout->addWidget(named(new QLabel(QStringLiteral("移動量")), "lblMoveAmount"));
    moveLayout->addWidget(named(new QLabel(QStringLiteral("大")), "lblMoveLarge"));
    moveLayout->addWidget(SliderMoveAmount, 1);
    moveLayout->addWidget(named(new QLabel(QStringLiteral("小")), "lblMoveSmall"));
    panel->addWidget(moveRow);
  }

  // Display switches
  framView = named(new QGroupBox(QStringLiteral("表示")), "framView");
  auto* viewLayout = new QGridLayout(framView);
  tighten(viewLayout);
  cmdAltitudeColor = button(QStringLiteral("標高色(Q)"), "cmdAltitudeColor");
  chkAltitude = checkBox(QStringLiteral("標高(&A)"), "chkAltitude", true,
                         QStringLiteral("国土地理院承認の地形図では標高をはずこことはできません"));
  chkTikeizu = checkBox(QStringLiteral("地形図(&T)"), "chkTikeizu", true);
  chkZukakusen = checkBox(QStringLiteral("図郭線(&F)"), "chkZukakusen", false);
  chkLegend = checkBox(QStringLiteral("凡例(&L)"), "chkLegend", false);
  chkScale = checkBox(QStringLiteral("スケール(&S)"), "chkScale", true);
  chkMark = checkBox(QStringLiteral("目印(&M)"), "chkMark", true);
  viewLayout->addWidget(chkTikeizu, 0, 0);
  viewLayout->addWidget(chkAltitude, 0, 1);
  viewLayout->addWidget(chkZukakusen, 1, 0);
  viewLayout->addWidget(chkLegend, 1, 1);
  viewLayout->addWidget(chkScale, 2, 0);
  viewLayout->addWidget(chkMark, 2, 1);
  viewLayout->addWidget(cmdAltitudeColor, 3, 0, 1, 2);
  panel->addWidget(framView);

  // Information
  framInfo = named(new QGroupBox(QStringLiteral("情報")), "framInfo");
  auto* infoLayout = new QVBoxLayout(framInfo);
  tighten(infoLayout);
  lblInfo = named(new QLabel(QStringLiteral("現在地の標高：")), "lblInfo");
  // Four lines: latitude, longitude, datum, elevation.
  lblInfo->setFixedHeight(4 * lblInfo->fontMetrics().lineSpacing() + 4);
  lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblMap = named(new QLabel(QStringLiteral("図幅情報")), "lblMap",
                 QStringLiteral("太字の場合は、該当時間の地形図ではないことを示します"));
  lblMap->setWordWrap(true);
  // The sheet name and its edition may wrap onto three lines.
  lblMap->setFixedHeight(3 * lblMap->fontMetrics().lineSpacing() + 4);
  lblMap->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* infoButtons = new QHBoxLayout;
  cmdSokuti = button(QStringLiteral("日/世"), "cmdSokuti", QStringLiteral("表示測地系の切り替え"));
  auto* offLine = new ClickableLabel(QStringLiteral("オフライン"));
  lblOffLine = named(static_cast<QLabel*>(offLine), "lblOffLine",
                     QStringLiteral("サーバーに接続してデータをダウンロードできるようにします"));
  offLine->onClick = [this] { lblOffLine_Click(); };
  infoButtons->addWidget(cmdSokuti);
  infoButtons->addWidget(lblOffLine);
  auto* homePage = new ClickableLabel(QStringLiteral("<u>Kavaloホームページ</u>"));
  lblHomePage = named(static_cast<QLabel*>(homePage), "lblHomePage", QStringLiteral("Kavaloホームページを開きます"));
  homePage->setCursor(Qt::PointingHandCursor);
  homePage->onClick = [this] { lblHomePage_Click(); };
  infoLayout->addWidget(lblInfo);
  infoLayout->addWidget(lblMap);
  infoLayout->addLayout(infoButtons);
  infoLayout->addWidget(lblHomePage);
  panel->addWidget(framInfo);

  // Commands
  cmdPosition =
      button(QStringLiteral("位置指定・目印(&Z)"), "cmdPosition", QStringLiteral("表示位置を指定して移動します"));
  cmdWMS = button(QStringLiteral("データ取得"), "cmdWMS",
                  QStringLiteral("インターネットを通じて外部の地図・画像テータを取得します"));
  cnmdKML =
      button(QStringLiteral("出力(&O)"), "cnmdKML", QStringLiteral("Google Earthで読み込めるKML形式で保存します"));
  cmdPrintOut = button(QStringLiteral("印刷(&P)"), "cmdPrintOut", QStringLiteral("画像を印刷します"));
  cmdCopy = button(QStringLiteral("コピー(&C)"), "cmdCopy", QStringLiteral("画像をコピーします"));
  cmdHelp = button(QStringLiteral("解説(&H)"), "cmdHelp");
  cmdEnd = button(QStringLiteral("終了(&X)"), "cmdEnd", QStringLiteral("Kavaloを終了します"));
  panel->addWidget(cmdPosition);
  cmdGetTikeizu = button(QStringLiteral("付属地形図取得"), "cmdGetTikeizu",
                         QStringLiteral("不足している地形図をサーバーから取得します"));
  panel->addWidget(cmdGetTikeizu);
  auto* row1 = new QHBoxLayout;
  row1->addWidget(cmdWMS);
  row1->addWidget(cnmdKML);
  panel->addLayout(row1);
  auto* row2 = new QHBoxLayout;
  row2->addWidget(cmdPrintOut);
  row2->addWidget(cmdCopy);
  panel->addLayout(row2);
  auto* row3 = new QHBoxLayout;
  row3->addWidget(cmdHelp);
  row3->addWidget(cmdEnd);
  panel->addLayout(row3);

  auto* hide = new ClickableLabel(QStringLiteral("<<"));
  lblBoxSize[0] = named(static_cast<QLabel*>(hide), "lblBoxSize_0", QStringLiteral("設定画面を隠します"));
  hide->onClick = [this] { lblBoxSize_Click(0); };
  hide->setCursor(Qt::PointingHandCursor);
  panel->addWidget(lblBoxSize[0], 0, Qt::AlignRight);
  panel->addStretch(1);

  // The map view, with the era label and the download notice over it.
  picPrint = new UiMapView(this, central);
  picPrint->setPicture(&viewPicture_);
  picTime = named(new QLabel(picPrint), "picTime");
  picTime->setAutoFillBackground(true);
  picTime->hide();
  lblDownload = named(new QLabel(QStringLiteral("地図データダウンロード中"), picPrint), "lblDownload");
  lblDownload->setAutoFillBackground(true);
  lblDownload->hide();
  lblStatus = named(new QLabel(central), "lblStatus");
  lblStatus->setAutoFillBackground(true);
  lblStatus->setContentsMargins(4, 0, 4, 0);
  lblStatus->hide();

  auto* show = new ClickableLabel(QStringLiteral(">>"), central);
  lblBoxSize[1] = named(static_cast<QLabel*>(show), "lblBoxSize_1", QStringLiteral("設定画面を表示します"));
  show->onClick = [this] { lblBoxSize_Click(1); };
  show->setCursor(Qt::PointingHandCursor);
  show->setAutoFillBackground(true);
  show->move(2, 2);
  show->hide();

  // The pop-up menu of the map view.
  mnuPopUpMenu = named(new QMenu(QStringLiteral("ポップアップ"), this), "mnuPopUpMenu");
  mnuMarkSet = mnuPopUpMenu->addAction(QStringLiteral("目印をつける"));
  mnuMarkSet->setObjectName(QStringLiteral("mnuMarkSet"));
  mnuMarkModify = mnuPopUpMenu->addAction(QStringLiteral("目印を修正"));
  mnuMarkModify->setObjectName(QStringLiteral("mnuMarkModify"));
  mnuMarkErase = mnuPopUpMenu->addAction(QStringLiteral("目印削除"));
  mnuMarkErase->setObjectName(QStringLiteral("mnuMarkErase"));

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  cboAge->installEventFilter(this);
  fitMinimumSize();
}

void frmSCR::connectControls() {
  connect(lstDataFolder, &QListWidget::currentRowChanged, this, [this](int) { lstDataFolder_Click(); });
  connect(cmdMapComment, &QPushButton::clicked, this, [this] { cmdMapComment_Click(); });
  connect(cboAge, &QComboBox::currentIndexChanged, this, [this](int) { cboAge_Click(); });
  connect(SliderAge, &QSlider::valueChanged, this, [this](int) { SliderAge_Scroll(); });
  connect(SliderAge, &QSlider::sliderReleased, this, [this] { SliderAge_MouseUp(); });
  connect(cmdViewTime, &QPushButton::clicked, this, [this] { cmdViewTime_Click(); });
  connect(SliderZoom, &QSlider::valueChanged, this, [this](int) { SliderZoom_Scroll(); });
  connect(SliderZoom, &QSlider::sliderReleased, this, [this] { SliderZoom_MouseUp(); });
  connect(SliderMoveAmount, &QSlider::sliderReleased, this, [this] { SliderMoveAmount_MouseUp(); });
  connect(cmdAltitudeColor, &QPushButton::clicked, this, [this] { cmdAltitudeColor_Click(); });

  // The switches' state follows their boxes however they change; the click
  // handlers (user clicks only) redraw.
  connect(chkTikeizu, &QCheckBox::toggled, this, [this](bool on) { state_.view.showTiles = on; });
  connect(chkAltitude, &QCheckBox::toggled, this, [this](bool on) { state_.view.showAltitude = on; });
  connect(chkZukakusen, &QCheckBox::toggled, this, [this](bool on) { state_.view.showSheetLines = on; });
  connect(chkScale, &QCheckBox::toggled, this, [this](bool on) { state_.view.showScale = on; });
  connect(chkLegend, &QCheckBox::toggled, this, [this](bool on) { state_.view.showLegend = on; });
  connect(chkMark, &QCheckBox::toggled, this, [this](bool on) { state_.view.showMarks = on; });
  connect(chkTikeizu, &QCheckBox::clicked, this, [this] { chkTikeizu_Click(); });
  connect(chkAltitude, &QCheckBox::clicked, this, [this] { chkAltitude_Click(); });
  connect(chkZukakusen, &QCheckBox::clicked, this, [this] { chkZukakusen_Click(); });
  connect(chkScale, &QCheckBox::clicked, this, [this] { chkScale_Click(); });
  connect(chkLegend, &QCheckBox::clicked, this, [this] { chkLegend_Click(); });
  connect(chkMark, &QCheckBox::clicked, this, [this] { chkMark_Click(); });

  connect(cmdSokuti, &QPushButton::clicked, this, [this] { cmdSokuti_Click(); });
  connect(cmdPosition, &QPushButton::clicked, this, [this] { cmdPosition_Click(); });
  connect(cmdWMS, &QPushButton::clicked, this, [this] { cmdWMS_Click(); });
  connect(cmdGetTikeizu, &QPushButton::clicked, this, [this] { cmdGetTikeizu_Click(); });
  connect(cnmdKML, &QPushButton::clicked, this, [this] { cnmdKML_Click(); });
  connect(cmdPrintOut, &QPushButton::clicked, this, [this] { cmdPrintOut_Click(); });
  connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
  connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
  connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
  connect(mnuMarkSet, &QAction::triggered, this, [this] { mnuMarkSet_Click(); });
  connect(mnuMarkModify, &QAction::triggered, this, [this] { mnuMarkModify_Click(); });
  connect(mnuMarkErase, &QAction::triggered, this, [this] { mnuMarkErase_Click(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void frmSCR::Form_Load() {
  lblDownload->hide();
  lblBoxSize[1]->hide();
  setPhase(Phase::Loading);
  setWindowTitle(versionCaption());
  picTime->hide();

  startedOk_ = startProgram(state_, state_.rootFolder, prompts_);
  if (!startedOk_) return;
  loadCompareSettings();

  // Selecting the saved data folder loads it (the list's change handler).
  {
    const QSignalBlocker block(lstDataFolder);
    lstDataFolder->clear();
    for (const DataFolderEntry& e : state_.dataFolders) lstDataFolder->addItem(e.name);
  }
  fitDataFolderList();
  readWindowSettings();
  if (!state_.dataFolders.empty()) {
    lstDataFolder->setCurrentRow(initialDataFolderIndex(state_));
  } else {
    EnableViewControls(false);
  }

  installWheelHook();

  state_.view.onlineMode = false;
  lblOffLine->setText(QStringLiteral("オフライン"));
  lblOffLine->setFrameStyle(QFrame::Box | QFrame::Plain);
  lblOffLine->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
  setupOnlineMode();
}

void frmSCR::lstDataFolder_Click() {
  const int row = lstDataFolder->currentRow();
  if (row < 0 || row >= static_cast<int>(state_.dataFolders.size())) return;
  if (!state_.datasetFolder.isEmpty()) Save_Position(state_);
  // What was being fetched belongs to the folder before.
  if (tileDownloads_ != nullptr) tileDownloads_->reset();
  state_.dataFolderIndex = row;
  state_.datasetFolder = joinPath(state_.rootFolder, u'\\' + state_.dataFolders[static_cast<size_t>(row)].folder);

  // The readout described a place of the folder before.
  resetReadout();
  const bool firstLoad = !state_.view.firstLoadDone;
  setPhase(Phase::Loading);
  const LoadStatus status = LoadDataset(state_, prompts_);
  if (status == LoadStatus::Loaded) {
    setWindowTitle(versionCaption() + QStringLiteral("　【") + state_.mapInfo.title + QStringLiteral("】"));
    finishDatasetLoad();
    if (firstLoad) sizeWindowForFirstLoad();
  }
  setPhase(Phase::Ready);

  const bool loaded = status == LoadStatus::Loaded;
  if (loaded) {
    PrintGazo();
    if (picPrint->isVisible()) picPrint->setFocus();
  } else {
    // What the window showed belongs to the folder before: nothing of it
    // stays while this one shows nothing.
    setWindowTitle(versionCaption());
    EnableViewControls(false);
    if (status == LoadStatus::NoMapInfo)
      prompts_.message(QStringLiteral("設定ファイル「mapinfo.txt」が見つかりません。"), MessageIcon::Exclamation);
  }
  if (loaded) EnableViewControls(true);
}

void frmSCR::finishDatasetLoad() {
  framTime->setEnabled(true);
  framZOOM->setEnabled(true);
  picPrint->setVisible(true);
  {
    // The tag is PRINTOFF: the slider's handler sets the zoom but draws nothing.
    SliderZoom->setValue(state_.view.zoomPercent);
  }
  ComboDropHeight(cboAge, static_cast<int>(state_.eras.size()));
  cboAge_Set();
  lblZoom->setText(QString::number(state_.view.zoomPercent) + u'%');
  // Every era is listed after a load, so the list position is the era index.
  cboAge->setCurrentIndex(state_.view.eraIndex);
}

void frmSCR::sizeWindowForFirstLoad() {
  if (screen_.heightPx <= 768) {
    wantsMaximized_ = true;
    if (isVisible()) showMaximized();
    return;
  }
  const int width = screen_.widthPx * 3 / 4;
  const double minHeight = 10485.0 / screen_.twipsPerPixelY;
  const int height = static_cast<int>(std::max(screen_.heightPx * 3.0 / 4.0, minHeight));
  resize(width, height);
}

void frmSCR::EnableViewControls(bool enabled) {
  framTime->setEnabled(enabled);
  framZOOM->setEnabled(enabled);
  if (auto* moveRow = picBox->findChild<QWidget*>(QStringLiteral("framMoveAmount"))) moveRow->setEnabled(enabled);
  framView->setEnabled(enabled);
  framInfo->setEnabled(enabled);
  picPrint->setVisible(enabled);
  cmdPrintOut->setEnabled(enabled);
  cmdCopy->setEnabled(enabled);
  // Everything else that works on a loaded data folder.
  cmdPosition->setEnabled(enabled);
  cmdWMS->setEnabled(enabled);
  cnmdKML->setEnabled(enabled);
  if (!enabled) {
    resetReadout();
    Timer1->stop();
    picTime->hide();
    if (legendWindow_ != nullptr) legendWindow_->hide();
  }
}

void frmSCR::Form_Resize() {
  QWidget* client = centralWidget();
  const int clientWidth = client->width();
  const int clientHeight = client->height();
  picBox->setGeometry(picBox->x(), 0, picBox->width(), clientHeight);
  const int left = picBox->x() + picBox->width();
  // A window narrower than the panel leaves no room for the map.
  const int width = std::max(0, clientWidth - left);
  placeStatusLine(left, width, clientHeight);
  resizeViewImage();
  if (phase_ == Phase::Ready) {
    PrintGazo();
  }
}

void frmSCR::resizeViewImage() {
  // The view's size in view pixels; the picture follows at the next
  // composition (in target pixels).
  const QSize size = picPrint->size();
  state_.view.viewWidth = size.width();
  state_.view.viewHeight = size.height();
  if (size.isEmpty()) {
    viewPicture_ = QImage();
    viewSnapshot_ = QImage();
  }
}

double frmSCR::viewPixelRatio() const {
  // A screen whose pixels are finer than view pixels gets a picture at its
  // own resolution.
  const double ratio = picPrint ? picPrint->devicePixelRatioF() : 1.0;
  return ratio > 0 ? ratio : 1.0;
}

ViewRequest frmSCR::viewRequest(RenderPass pass) const {
  ViewRequest r = currentViewRequest(state_, pass, viewPixelRatio());
  r.moving = draggingView();
  return r;
}

bool frmSCR::Form_QueryUnload() { return prompts_.askYesNo(QStringLiteral("Kavaloを終了します。"), MessageIcon::None); }

void frmSCR::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  removeWheelHook();
  if (startedOk_) saveAtQuit(state_);
  if (startedOk_) saveCompareSettings();
}

void frmSCR::closeEvent(QCloseEvent* event) {
  if (unloaded_) {
    event->accept();
    return;
  }
  if (!startedOk_ || Form_QueryUnload()) {
    Form_Unload();
    event->accept();
    QApplication::closeAllWindows();
  } else {
    event->ignore();
  }
}

void frmSCR::cmdEnd_Click() { close(); }

void frmSCR::cmdHelp_Click() {
  QString manual = joinPath(state_.rootFolder, QStringLiteral("\\kavalo.pdf"));
  // A RootFolder made before the manual existed has none; the build puts one
  // beside the executables too.
  const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/kavalo.pdf");
  if (!QFileInfo::exists(manual) && QFileInfo::exists(besideProgram)) manual = besideProgram;
  ShellOpen(manual, prompts_);
}

void frmSCR::lblHomePage_Click() { ShellOpen(state_.names[kWebBaseUrl], prompts_); }

void frmSCR::cmdCopy_Click() {
  if (viewPicture_.isNull()) return;
  QGuiApplication::clipboard()->setImage(viewPicture_);
}

void frmSCR::PrintGazo() {
  ++compositionCount_;
  if (compareActive()) {
    PrintGazoCompare();
  } else {
    renderView(state_, viewRequest(RenderPass::Screen), viewPicture_, tileDownloads_, &viewSnapshot_);
  }
  // The legend is a window of its own: it follows every full composition.
  if (state_.view.loaded && state_.hasEra() && state_.view.showLegend) showLegendForComposition();
  picPrint->update();
  updateCoverage();
}

bool frmSCR::eventFilter(QObject* watched, QEvent* event) {
  // The client area's size is known once the window's layout has placed it.
  if (watched == centralWidget() && event->type() == QEvent::Resize) Form_Resize();
  // The era list opens at least as wide as the box, which has its width only
  // once the panel is laid out.
  if (watched == cboAge && event->type() == QEvent::Resize) ComboDropWidth(cboAge);
  if (handleNavigationEvent(watched, event)) return true;
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace kavalo
