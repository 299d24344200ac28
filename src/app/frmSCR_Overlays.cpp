// SPDX-License-Identifier: MIT
// The user's own vector files over every era: the layer list in the panel
// (on/off, remove, order), opened from a file dialog or from the data
// folder's list as it loads. The list shows the file drawn last (on top)
// first, as layer lists do; the data folder's list keeps the drawing order.
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "geo/OpenFileDialog.h"
#include "geo/OverlayData.h"
#include "platform/Prompts.h"
#include "platform/RememberedValues.h"

namespace kavalo {

namespace {

// Rows of the list from the top; entries of the data folder's list from the
// bottom of the drawing.
int entryOfRow(int count, int row) { return count - 1 - row; }

QPushButton* smallButton(const QString& caption, const char* name, const QString& toolTip) {
  auto* b = new QPushButton(caption);
  b->setObjectName(QString::fromLatin1(name));
  b->setToolTip(toolTip);
  // As narrow as the caption: five buttons share the panel's width.
  b->setMinimumWidth(b->fontMetrics().horizontalAdvance(caption) + 14);
  b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  return b;
}

}  // namespace

void frmSCR::buildOverlayControls(QGridLayout* viewLayout, int row) {
  // In the display group, so that the panel keeps its height on a 768-pixel
  // screen: one row of buttons, and the list only while files are open.
  cmdOverlayOpen =
      smallButton(tr("重ね図(&G)"), "cmdOverlayOpen", tr("GPS の軌跡・KML・GeoJSON・シェープファイルを地図に重ねます"));
  cmdOverlayRemove = smallButton(tr("外す"), "cmdOverlayRemove", tr("選んだ重ね図を外します"));
  cmdRuler = smallButton(tr("計測(&R)"), "cmdRuler",
                         tr("クリックした点を結ぶ距離を測ります。始点をクリックすると面積も測ります。"
                            "Esc・右クリックで終わります"));
  cmdRuler->setCheckable(true);
  cmdOverlayRemove->setAccessibleName(tr("重ね図を外す"));
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  buttons->addWidget(cmdOverlayOpen, 3);
  buttons->addWidget(cmdOverlayRemove, 2);
  buttons->addWidget(cmdRuler, 3);
  viewLayout->addLayout(buttons, row, 0, 1, 2);

  framOverlay = new QWidget;
  framOverlay->setObjectName(QStringLiteral("framOverlay"));
  auto* layout = new QHBoxLayout(framOverlay);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  lstOverlay = new QListWidget;
  lstOverlay->setObjectName(QStringLiteral("lstOverlay"));
  lstOverlay->setToolTip(tr("チェックを外すと表示しません。上の行ほど手前に描きます"));
  lstOverlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  layout->addWidget(lstOverlay, 1);
  auto* order = new QHBoxLayout;
  order->setSpacing(2);
  cmdOverlayUp = smallButton(QStringLiteral("▲"), "cmdOverlayUp", tr("選んだ重ね図を手前に描きます"));
  cmdOverlayDown = smallButton(QStringLiteral("▼"), "cmdOverlayDown", tr("選んだ重ね図を奥に描きます"));
  cmdOverlayUp->setAccessibleName(tr("重ね図を手前へ"));
  cmdOverlayDown->setAccessibleName(tr("重ね図を奥へ"));
  for (QPushButton* b : {cmdOverlayUp, cmdOverlayDown}) {
    b->setFixedSize(24, lstOverlay->fontMetrics().height() + 4);
    order->addWidget(b, 0, Qt::AlignTop);
  }
  layout->addLayout(order);
  // Hidden until a file is open.
  framOverlay->hide();
  viewLayout->addWidget(framOverlay, row + 1, 0, 1, 2);

  connect(cmdOverlayOpen, &QPushButton::clicked, this, [this] { cmdOverlayOpen_Click(); });
  connect(cmdOverlayRemove, &QPushButton::clicked, this, [this] { cmdOverlayRemove_Click(); });
  connect(cmdOverlayUp, &QPushButton::clicked, this, [this] { moveOverlay(-1); });
  connect(cmdOverlayDown, &QPushButton::clicked, this, [this] { moveOverlay(1); });
  connect(cmdRuler, &QPushButton::clicked, this, [this] { cmdRuler_Click(); });
  connect(lstOverlay, &QListWidget::itemChanged, this,
          [this](QListWidgetItem* item) { lstOverlay_ItemChanged(lstOverlay->row(item)); });
  connect(lstOverlay, &QListWidget::currentRowChanged, this, [this](int) { fillOverlayList(); });
}

void frmSCR::fillOverlayList() {
  const OverlayList& list = state_.overlayList;
  const int n = list.count();
  const int current = std::clamp(lstOverlay->currentRow(), n > 0 ? 0 : -1, n - 1);
  {
    const QSignalBlocker block(lstOverlay);
    if (lstOverlay->count() != n) {
      lstOverlay->clear();
      for (int i = 0; i < n; ++i) lstOverlay->addItem(new QListWidgetItem);
    }
    for (int row = 0; row < n; ++row) {
      const int e = entryOfRow(n, row);
      const OverlayEntry& entry = list.entries()[static_cast<size_t>(e)];
      QListWidgetItem* item = lstOverlay->item(row);
      const bool empty = e >= static_cast<int>(state_.overlays.files.size()) ||
                         state_.overlays.files[static_cast<size_t>(e)]->layers.empty();
      const QString name = QFileInfo(entry.path).fileName();
      item->setText(empty ? tr("%1（読み込めません）").arg(name) : name);
      item->setToolTip(entry.path);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(entry.visible ? Qt::Checked : Qt::Unchecked);
    }
    lstOverlay->setCurrentRow(current);
  }
  const bool wasShown = !framOverlay->isHidden();
  framOverlay->setVisible(n > 0);
  // Every open file in sight (four rows; more scroll), so that the user sees
  // which are drawn.
  const auto rowsHeight = [](QListWidget* list, int rows) {
    const int row = list->count() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height() + 2;
    return rows * std::max(row, list->fontMetrics().height() + 2) + 2 * list->frameWidth() + 2;
  };
  const int folderRows = 3 * lstDataFolder->fontMetrics().height() + 8;
  lstDataFolder->setFixedHeight(folderRows);
  cmdMapComment->setVisible(true);
  if (n > 0) {
    int rows = std::min(n, 4);
    lstOverlay->setFixedHeight(rowsHeight(lstOverlay, 1));
    picBox->layout()->invalidate();
    if (rows > 1 && picBox->layout()->minimumSize().height() > panelRoom()) {
      // A screen without room to spare (768 or 800 pixels high): the data
      // folder section folds to the folder shown, its comment button with
      // it, and gives its height to three rows of files. Both come back
      // when the files are closed.
      lstDataFolder->setFixedHeight(std::min(folderRows, rowsHeight(lstDataFolder, 1)));
      cmdMapComment->setVisible(false);
      rows = std::min(rows, 3);
    }
    lstOverlay->setFixedHeight(rowsHeight(lstOverlay, rows));
    if (lstDataFolder->currentItem() != nullptr) lstDataFolder->scrollToItem(lstDataFolder->currentItem());
  }
  const bool loaded = state_.view.loaded;
  cmdOverlayOpen->setEnabled(loaded);
  cmdOverlayRemove->setEnabled(loaded && current >= 0);
  cmdOverlayUp->setEnabled(loaded && current > 0);
  cmdOverlayDown->setEnabled(loaded && current >= 0 && current + 1 < n);
  // The panel grew or shrank by the lists: the window's least size follows.
  if (wasShown || n > 0) fitMinimumSize();
}

bool frmSCR::saveOverlayList() {
  QString why;
  if (state_.overlayList.save(state_.datasetFolder, &why)) return true;
  prompts_.message(why, MessageIcon::Exclamation);
  return false;
}

void frmSCR::loadDatasetOverlays() {
  // The loader cleared the set; the data folder's list brings its files back.
  state_.overlayList = OverlayList();
  state_.overlays = OverlaySet();
  QString why;
  if (!state_.overlayList.load(state_.datasetFolder, &why)) {
    prompts_.message(why, MessageIcon::Exclamation);
  } else if (state_.overlayList.count() > 0) {
    QStringList messages;
    WaitCursor wait(prompts_);
    openOverlayList(state_.overlayList, state_.mapInfo, state_.overlays, messages);
    // A file that is gone stays listed (its drive may be back next time);
    // the user hears of it once, as the folder loads.
    if (!messages.isEmpty()) prompts_.message(messages.join(u'\n'), MessageIcon::Exclamation);
  }
  fillOverlayList();
}

void frmSCR::cmdOverlayOpen_Click() {
  if (!state_.view.loaded) return;
  const FileChoice choice =
      Open_FileDialog(prompts_, rememberedValue(QStringLiteral("overlay/folder")), tr("重ね図を開く"),
                      tr("GPS・地図データ\t*.gpx *.kml *.kmz *.geojson *.json *.shp\t"
                         "GPX\t*.gpx\tKML・KMZ\t*.kml *.kmz\tGeoJSON\t*.geojson *.json\t"
                         "シェープファイル\t*.shp\tすべてのファイル\t*"));
  if (!choice.chosen) return;
  rememberValue(QStringLiteral("overlay/folder"), QFileInfo(choice.path).absolutePath());
  openOverlayFile(choice.path);
  picPrint->setFocus();
}

bool frmSCR::openOverlayFile(const QString& path) {
  if (!state_.view.loaded) return false;
  const int before = state_.overlayList.count();
  OverlayList list = state_.overlayList;
  const int index = list.add(path);
  if (index < 0) {
    prompts_.message(tr("「%1」は名前に改行があるため開けません。").arg(path), MessageIcon::Exclamation);
    return false;
  }
  std::unique_ptr<OverlayFile> file;
  QString message;
  OverlayOpen result;
  {
    WaitCursor wait(prompts_);
    result = openOverlay(path, state_.mapInfo, state_.overlays.layerCount(), file, &message);
  }
  if (result != OverlayOpen::Opened) {
    prompts_.message(message, MessageIcon::Exclamation);
    return false;
  }
  file->visible = true;
  std::shared_ptr<OverlayFile> opened(std::move(file));
  if (list.count() == before) {
    // Already listed: opened again (it may have changed), shown again.
    list.setVisible(index, true);
    state_.overlays.files[static_cast<size_t>(index)] = opened;
  } else {
    state_.overlays.files.push_back(opened);
  }
  state_.overlayList = list;
  saveOverlayList();
  fillOverlayList();
  {
    const QSignalBlocker block(lstOverlay);
    lstOverlay->setCurrentRow(entryOfRow(list.count(), index));
  }
  fillOverlayList();
  PrintGazo();
  return true;
}

void frmSCR::cmdOverlayRemove_Click() {
  const int n = state_.overlayList.count();
  const int row = lstOverlay->currentRow();
  if (row < 0 || row >= n) return;
  const int e = entryOfRow(n, row);
  state_.overlayList.remove(e);
  if (e < static_cast<int>(state_.overlays.files.size()))
    state_.overlays.files.erase(state_.overlays.files.begin() + e);
  saveOverlayList();
  fillOverlayList();
  PrintGazo();
}

void frmSCR::moveOverlay(int step) {
  const int n = state_.overlayList.count();
  const int row = lstOverlay->currentRow();
  const int to = row + step;
  if (row < 0 || row >= n || to < 0 || to >= n) return;
  const int e = entryOfRow(n, row);
  const int eTo = entryOfRow(n, to);
  state_.overlayList.move(e, eTo);
  auto& files = state_.overlays.files;
  if (std::max(e, eTo) < static_cast<int>(files.size())) {
    std::shared_ptr<OverlayFile> moved = files[static_cast<size_t>(e)];
    files.erase(files.begin() + e);
    files.insert(files.begin() + eTo, moved);
  }
  saveOverlayList();
  {
    const QSignalBlocker block(lstOverlay);
    lstOverlay->setCurrentRow(to);
  }
  fillOverlayList();
  PrintGazo();
}

void frmSCR::lstOverlay_ItemChanged(int row) {
  const int n = state_.overlayList.count();
  if (row < 0 || row >= n) return;
  const int e = entryOfRow(n, row);
  const bool visible = lstOverlay->item(row)->checkState() == Qt::Checked;
  if (state_.overlayList.entries()[static_cast<size_t>(e)].visible == visible) return;
  state_.overlayList.setVisible(e, visible);
  if (e < static_cast<int>(state_.overlays.files.size()))
    state_.overlays.files[static_cast<size_t>(e)]->visible = visible;
  saveOverlayList();
  PrintGazo();
}

}  // namespace kavalo
