// SPDX-License-Identifier: MIT
// The georeferencer's window: its controls and their layout, the era and
// view controls, the live overlay, and the manual's picture of it. The
// points, the table and the files are in frmGeoref_Points.cpp.
#include "app/frmGeoref.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSlider>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QTransform>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/frmGeorefMapView.h"
#include "app/frmGeorefScanView.h"
#include "model/EraLabels.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "render/GeorefPreview.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

QPushButton* button(const QString& caption, const char* name) {
  auto* b = new QPushButton(caption);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QSlider* slider(const char* name, int value) {
  auto* s = new QSlider(Qt::Horizontal);
  s->setObjectName(QString::fromLatin1(name));
  s->setRange(0, 100);
  s->setValue(value);
  s->setMinimumWidth(60);
  return s;
}

// The systems typed coordinates may be in: longitude/latitude, the plane
// rectangular zones and UTM zones of the world datum over Japan, or any code
// the user types.
struct CrsChoice {
  QString caption;
  QString code;
};

std::vector<CrsChoice> crsChoices() {
  std::vector<CrsChoice> list;
  list.push_back({QCoreApplication::translate("kavalo::frmGeoref", "緯度・経度"), QString()});
  for (int zone = 1; zone <= 19; ++zone)
    list.push_back({QCoreApplication::translate("kavalo::frmGeoref", "平面直角座標系 第%1系").arg(zone),
                    QStringLiteral("EPSG:%1").arg(6668 + zone)});
  for (int zone = 51; zone <= 55; ++zone)
    list.push_back({QCoreApplication::translate("kavalo::frmGeoref", "UTM 第%1帯").arg(zone),
                    QStringLiteral("EPSG:%1").arg(6688 + zone - 51)});
  list.push_back({QCoreApplication::translate("kavalo::frmGeoref", "EPSG コード"), QStringLiteral("other")});
  return list;
}

}  // namespace

frmGeoref::frmGeoref(const ProgramState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
  setObjectName(QStringLiteral("frmGeoref"));
  setWindowTitle(tr("位置合わせ"));
  setModal(true);
  setSizeGripEnabled(true);
  previewTimer_ = new QTimer(this);
  previewTimer_->setSingleShot(true);
  previewTimer_->setInterval(0);
  connect(previewTimer_, &QTimer::timeout, this, [this] { updatePreview(); });
  buildControls();
  picScan->setSession(&session_);
  picMap->setSession(&session_);
  // As large as a laptop's screen allows, the views taking what is left.
  const QRect screen = this->screen()->availableGeometry();
  resize(std::min(1280, screen.width() * 95 / 100), std::min(720, screen.height() * 92 / 100));
  refresh();
}

frmGeoref::~frmGeoref() = default;

void frmGeoref::buildControls() {
  // On a small screen (or a large scale factor) the window cannot be as
  // large as its controls want: they scroll rather than being cut off.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("scrGeoref"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  outer->addWidget(scroll);
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(6, 6, 6, 6);

  // The two views, each with its own controls above it.
  auto* scanSide = new QWidget;
  auto* scanLayout = new QVBoxLayout(scanSide);
  scanLayout->setContentsMargins(0, 0, 0, 0);
  auto* scanBar = new QHBoxLayout;
  cmdRotateLeft = button(tr("左回転"), "cmdRotateLeft");
  cmdRotateRight = button(tr("右回転"), "cmdRotateRight");
  cmdFit = button(tr("全体"), "cmdFit");
  cmdMask = button(tr("枠を描く"), "cmdMask");
  cmdMask->setCheckable(true);
  cmdMask->setToolTip(tr("地図の枠を多角形で囲みます（最初の角をクリックして閉じる、Esc で取り消し）"));
  cmdLoadMask = button(tr("枠を読み込む..."), "cmdLoadMask");
  cmdClearMask = button(tr("枠を消す"), "cmdClearMask");
  for (QPushButton* b : {cmdRotateLeft, cmdRotateRight, cmdFit, cmdMask, cmdLoadMask, cmdClearMask})
    scanBar->addWidget(b);
  scanBar->addStretch(1);
  scanLayout->addLayout(scanBar);
  picScan = new frmGeorefScanView;
  scanLayout->addWidget(picScan, 1);

  auto* mapSide = new QWidget;
  auto* mapLayout = new QVBoxLayout(mapSide);
  mapLayout->setContentsMargins(0, 0, 0, 0);
  auto* mapBar = new QHBoxLayout;
  cboEra = new QComboBox;
  cboEra->setObjectName(QStringLiteral("cboEra"));
  cboEra->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboEra->setMinimumContentsLength(8);
  for (const Era& era : state_.eras) cboEra->addItem(Get_cboAge_Text(era, state_.view.eraLabelStyle));
  sldOpacity = slider("sldOpacity", 60);
  sldOpacity->setToolTip(tr("重ねた画像の不透明度"));
  sldSwipe = slider("sldSwipe", 100);
  sldSwipe->setToolTip(tr("重ねた画像を左からこの位置まで表示します"));
  mapBar->addWidget(new QLabel(tr("時代")));
  mapBar->addWidget(cboEra, 1);
  mapBar->addWidget(new QLabel(tr("不透明度")));
  mapBar->addWidget(sldOpacity);
  mapBar->addWidget(new QLabel(tr("スワイプ")));
  mapBar->addWidget(sldSwipe);
  mapLayout->addLayout(mapBar);
  picMap = new frmGeorefMapView(state_);
  mapLayout->addWidget(picMap, 1);

  splitViews = new QSplitter(Qt::Horizontal);
  splitViews->setObjectName(QStringLiteral("splitViews"));
  splitViews->addWidget(scanSide);
  splitViews->addWidget(mapSide);
  splitViews->setChildrenCollapsible(false);

  // The points: the way to add one by typing, the table, the figures.
  auto* pointsSide = new QWidget;
  auto* pointsLayout = new QVBoxLayout(pointsSide);
  pointsLayout->setContentsMargins(0, 0, 0, 0);
  auto* entry = new QHBoxLayout;
  cboMethod = new QComboBox;
  cboMethod->setObjectName(QStringLiteral("cboMethod"));
  for (GeorefMethod m : {GeorefMethod::Helmert, GeorefMethod::Poly1, GeorefMethod::Poly2, GeorefMethod::Poly3,
                         GeorefMethod::Projective, GeorefMethod::ThinPlateSpline})
    cboMethod->addItem(methodCaption(m), static_cast<int>(m));
  cboCrs = new QComboBox;
  cboCrs->setObjectName(QStringLiteral("cboCrs"));
  for (const CrsChoice& c : crsChoices()) cboCrs->addItem(c.caption, c.code);
  txtEpsg = new QLineEdit;
  txtEpsg->setObjectName(QStringLiteral("txtEpsg"));
  txtEpsg->setPlaceholderText(QStringLiteral("EPSG:…"));
  txtEpsg->setMaximumWidth(110);
  txtEpsg->setEnabled(false);
  txtCoord = new QLineEdit;
  txtCoord->setObjectName(QStringLiteral("txtCoord"));
  txtCoord->setPlaceholderText(QStringLiteral("35.6812, 139.7671 / 35°40′52″N 139°46′1″E"));
  cmdAddTyped = button(tr("座標で追加"), "cmdAddTyped");
  entry->addWidget(new QLabel(tr("変換")));
  entry->addWidget(cboMethod);
  entry->addSpacing(12);
  entry->addWidget(new QLabel(tr("座標")));
  entry->addWidget(cboCrs);
  entry->addWidget(txtEpsg);
  entry->addWidget(txtCoord, 1);
  entry->addWidget(cmdAddTyped);
  pointsLayout->addLayout(entry);

  auto* tableRow = new QHBoxLayout;
  tblPoints = new QTableWidget(0, ColumnCount);
  tblPoints->setObjectName(QStringLiteral("tblPoints"));
  tblPoints->setHorizontalHeaderLabels({tr("番号"), tr("有効"), tr("画像 X"), tr("画像 Y"), tr("経度"), tr("緯度"),
                                        tr("X（東）"), tr("Y（北）"), QStringLiteral("dX (m)"),
                                        QStringLiteral("dY (m)"), tr("残差 (px)"), tr("残差 (m)"), tr("一点除外 (px)"),
                                        tr("一点除外 (m)")});
  tblPoints->horizontalHeaderItem(ColLooPx)->setToolTip(tr("その点を除いて求めた変換がその点を置く位置の誤差"));
  tblPoints->verticalHeader()->hide();
  tblPoints->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblPoints->setSelectionMode(QAbstractItemView::SingleSelection);
  tblPoints->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tableRow->addWidget(tblPoints, 1);
  auto* edit = new QVBoxLayout;
  cmdUndo = button(tr("元に戻す"), "cmdUndo");
  cmdRedo = button(tr("やり直す"), "cmdRedo");
  cmdDelete = button(tr("削除"), "cmdDelete");
  cmdRenumber = button(tr("番号を振り直す"), "cmdRenumber");
  for (QPushButton* b : {cmdUndo, cmdRedo, cmdDelete, cmdRenumber}) edit->addWidget(b);
  edit->addStretch(1);
  tableRow->addLayout(edit);
  pointsLayout->addLayout(tableRow, 1);
  lblRmse = new QLabel;
  lblRmse->setObjectName(QStringLiteral("lblRmse"));
  lblRmse->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblMessage = new QLabel;
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setWordWrap(true);
  lblMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
  lblHint = new QLabel;
  lblHint->setObjectName(QStringLiteral("lblHint"));
  lblHint->setWordWrap(true);
  pointsLayout->addWidget(lblRmse);
  pointsLayout->addWidget(lblMessage);
  pointsLayout->addWidget(lblHint);

  splitMain = new QSplitter(Qt::Vertical);
  splitMain->setObjectName(QStringLiteral("splitMain"));
  splitMain->addWidget(splitViews);
  splitMain->addWidget(pointsSide);
  splitMain->setStretchFactor(0, 3);
  splitMain->setStretchFactor(1, 2);
  splitMain->setChildrenCollapsible(false);
  layout->addWidget(splitMain, 1);

  auto* bottom = new QHBoxLayout;
  cmdLoadPoints = button(tr("基準点を読み込む..."), "cmdLoadPoints");
  cmdSavePoints = button(tr("基準点を保存..."), "cmdSavePoints");
  cmdGeoTiff = button(tr("GeoTIFF で保存..."), "cmdGeoTiff");
  cmdImport = button(tr("取り込み"), "cmdImport");
  cmdClose = button(tr("閉じる"), "cmdClose");
  bottom->addWidget(cmdLoadPoints);
  bottom->addWidget(cmdSavePoints);
  bottom->addWidget(cmdGeoTiff);
  bottom->addStretch(1);
  bottom->addWidget(cmdImport);
  bottom->addWidget(cmdClose);
  layout->addLayout(bottom);
  scroll->setWidget(content);

  connect(cmdRotateLeft, &QPushButton::clicked, this, [this] { picScan->setRotation(picScan->rotation() - 90.0); });
  connect(cmdRotateRight, &QPushButton::clicked, this, [this] { picScan->setRotation(picScan->rotation() + 90.0); });
  connect(cmdFit, &QPushButton::clicked, this, [this] { picScan->fitToView(); });
  connect(cmdMask, &QPushButton::toggled, this, [this](bool on) { picScan->setMaskDrawing(on); });
  connect(cmdLoadMask, &QPushButton::clicked, this, [this] { cmdLoadMask_Click(); });
  connect(cmdClearMask, &QPushButton::clicked, this, [this] { cmdClearMask_Click(); });
  connect(picScan, &frmGeorefScanView::scanClicked, this, [this](QPointF p) { scanClicked(p); });
  connect(picScan, &frmGeorefScanView::pointMoved, this, [this](int index, QPointF p) {
    session_.moveScanPlace(index, p.x(), p.y());
    refresh();
  });
  connect(picScan, &frmGeorefScanView::maskFinished, this, [this](const std::vector<QPointF>& polygon) {
    session_.setMask(polygon);
    cmdMask->setChecked(false);
    refresh();
  });
  connect(picMap, &frmGeorefMapView::mapClicked, this, [this](double lon, double lat) { mapClicked(lon, lat); });
  connect(picMap, &frmGeorefMapView::pointMoved, this, [this](int index, double lon, double lat) {
    session_.moveMapPlace(index, lon, lat);
    refresh();
  });
  connect(picMap, &frmGeorefMapView::viewChanged, this, [this] { schedulePreview(); });
  connect(cboEra, &QComboBox::currentIndexChanged, this, [this](int index) { picMap->setEra(index); });
  connect(sldOpacity, &QSlider::valueChanged, this, [this](int v) { picMap->setOpacity(v / 100.0); });
  connect(sldSwipe, &QSlider::valueChanged, this, [this](int v) { picMap->setSwipe(v / 100.0); });
  connect(cboMethod, &QComboBox::currentIndexChanged, this, [this] { cboMethod_Click(); });
  connect(cboCrs, &QComboBox::currentIndexChanged, this, [this] { cboCrs_Click(); });
  connect(txtEpsg, &QLineEdit::editingFinished, this, [this] { cboCrs_Click(); });
  connect(txtCoord, &QLineEdit::returnPressed, this, [this] { cmdAddTyped_Click(); });
  connect(cmdAddTyped, &QPushButton::clicked, this, [this] { cmdAddTyped_Click(); });
  connect(tblPoints, &QTableWidget::cellChanged, this, [this](int row, int column) { tblPoints_Changed(row, column); });
  connect(tblPoints, &QTableWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
  connect(cmdUndo, &QPushButton::clicked, this, [this] { cmdUndo_Click(); });
  connect(cmdRedo, &QPushButton::clicked, this, [this] { cmdRedo_Click(); });
  connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
  connect(cmdRenumber, &QPushButton::clicked, this, [this] { cmdRenumber_Click(); });
  connect(cmdLoadPoints, &QPushButton::clicked, this, [this] { cmdLoadPoints_Click(); });
  connect(cmdSavePoints, &QPushButton::clicked, this, [this] { cmdSavePoints_Click(); });
  connect(cmdGeoTiff, &QPushButton::clicked, this, [this] { cmdGeoTiff_Click(); });
  connect(cmdImport, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { reject(); });
  // Ctrl+Z and Ctrl+Shift+Z anywhere in the window but in a text being typed.
  auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  connect(undo, &QShortcut::activated, this, [this] { cmdUndo_Click(); });
  auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
  connect(redo, &QShortcut::activated, this, [this] { cmdRedo_Click(); });
  // Delete takes the point selected in the table away.
  auto* remove = new QShortcut(QKeySequence(QKeySequence::Delete), tblPoints, nullptr, nullptr, Qt::WidgetShortcut);
  connect(remove, &QShortcut::activated, this, [this] { cmdDelete_Click(); });

  if (state_.hasEra()) cboEra->setCurrentIndex(state_.view.eraIndex);
  picMap->setEra(cboEra->currentIndex());
  cboMethod->setCurrentIndex(cboMethod->findData(static_cast<int>(session_.method())));
}

bool frmGeoref::openScan(const QString& path) {
  QString why;
  prompts_.setWaitCursor(true);
  const bool ok = session_.openScan(path, &why);
  prompts_.setWaitCursor(false);
  if (!ok) {
    prompts_.message(why, MessageIcon::Exclamation);
    return false;
  }
  showScan();
  return true;
}

void frmGeoref::showScan() {
  setWindowTitle(tr("位置合わせ - %1").arg(session_.scanName()));
  clearPending();
  picScan->setSession(&session_);
  refresh();
}

void frmGeoref::setScanYear(int year) {
  int best = -1;
  int bestGap = 0;
  for (size_t i = 0; i < state_.eras.size(); ++i) {
    const Era& era = state_.eras[i];
    const int from = era.yearFrom;
    const int to = std::max(era.yearTo, era.yearFrom);
    if (from <= 0) continue;
    const int gap = year < from ? from - year : year > to ? year - to : 0;
    if (best < 0 || gap < bestGap) {
      best = static_cast<int>(i);
      bestGap = gap;
    }
  }
  if (best >= 0) cboEra->setCurrentIndex(best);
}

void frmGeoref::schedulePreview() {
  if (!previewTimer_->isActive()) previewTimer_->start();
}

void frmGeoref::updatePreview() {
  previewTimer_->stop();
  QElapsedTimer timer;
  timer.start();
  const ViewRequest request = picMap->request();
  if (!state_.view.loaded || request.viewSize.isEmpty()) {
    picMap->setOverlay(QImage());
    return;
  }
  picMap->setOverlay(georefPreview(session_, request.mapViewport(state_.mapInfo)));
  lastPreviewMs_ = timer.nsecsElapsed() / 1e6;
}

// The manual's picture: a "scan" made from the region's oldest era (turned a
// little on a sheet of paper with a title, as a scanned sheet is), eight
// control points of which one is a little off, the frame drawn round the
// map, and the overlay half see-through. Defined here, not in a file of its
// own: only the picture's scene refers to it, from below the forms' library.
frmGeoref* openGeorefSnapshot(const ProgramState& state, Prompts& prompts, QWidget* parent) {
  if (!state.view.loaded || state.eras.empty()) return nullptr;
  auto* w = new frmGeoref(state, prompts, parent);
  w->setModal(false);
  w->setScanYear(1);  // the oldest era
  ViewRequest r = currentViewRequest(state, RenderPass::Export);
  r.eraIndex = w->cboEra->currentIndex();
  r.viewSize = QSize(900, 660);
  r.devicePixelRatio = 1.0;
  r.layers.scale = false;
  r.layers.marks = false;
  r.layers.overlays = false;
  QImage map;
  if (!renderView(state, r, map)) {
    delete w;
    return nullptr;
  }
  // The sheet: the map turned by a few degrees on paper, a title above it.
  const QSize sheet(1100, 900);
  QTransform toSheet;
  toSheet.translate(sheet.width() / 2.0, sheet.height() / 2.0 + 30);
  toSheet.rotate(-4);
  toSheet.translate(-map.width() / 2.0, -map.height() / 2.0);
  QImage scan(sheet, QImage::Format_RGB32);
  scan.fill(QColor(232, 222, 196));
  {
    QPainter p(&scan);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setFont(QFont(p.font().family(), 28));
    p.setPen(QColor(60, 50, 40));
    p.drawText(QRect(0, 10, sheet.width(), 60), Qt::AlignCenter, state.mapInfo.title);
    p.setTransform(toSheet);
    p.drawImage(0, 0, map);
    p.setPen(QPen(QColor(40, 30, 20), 3));
    p.drawRect(QRectF(0, 0, map.width(), map.height()));
  }
  GeorefSession& s = w->session();
  s.setScan(QStringLiteral("scan-sheet.png"), scan.width(), scan.height(), scan);
  const Viewport vp = r.viewport(state.mapInfo);
  const QPointF places[] = {{80, 70},   {820, 90},  {450, 330}, {120, 600},
                            {800, 590}, {300, 180}, {640, 460}, {470, 620}};
  int n = 0;
  for (const QPointF& at : places) {
    const ImagePoint ip = vp.ScreenToImage(at.x(), at.y());
    const LatLon ll = ImageToLatLon(state.mapInfo, ip.x, ip.y, 1);
    const QPointF onScan = toSheet.map(at);
    // The seventh point is clicked a little off, as happens.
    const double off = ++n == 7 ? 0.0015 : 0.0;
    s.addPoint(onScan.x(), onScan.y(), ll.lon + off, ll.lat);
  }
  std::vector<QPointF> frame;
  for (const QPointF c :
       {QPointF(0, 0), QPointF(map.width(), 0), QPointF(map.width(), map.height()), QPointF(0, map.height())})
    frame.push_back(toSheet.map(c));
  s.setMask(frame);
  w->showScan();
  const ImagePoint centre = vp.ScreenToImage(map.width() / 2.0, map.height() / 2.0);
  const LatLon c = ImageToLatLon(state.mapInfo, centre.x, centre.y, 1);
  w->picMap->centerOn(c.lon, c.lat);
  // The map at a later era than the scan, so that the overlay is told apart.
  if (w->cboEra->count() > 1) w->cboEra->setCurrentIndex(w->cboEra->count() - 1);
  w->sldOpacity->setValue(50);
  return w;
}

}  // namespace kavalo
