// SPDX-License-Identifier: MIT
// The georeferencer's points: placing them by clicks or typed coordinates,
// the table with the fit's figures, undo and redo, the exchange files, the
// frame, and the hand-over to the import.
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <cmath>

#include "app/frmGeoref.h"
#include "app/frmGeorefMapView.h"
#include "app/frmGeorefScanView.h"
#include "geo/PositionText.h"
#include "model/ProgramState.h"
#include "platform/GeoDataLoader.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

QString figure(double value, int decimals) { return QString::number(value, 'f', decimals); }

// Sets a cell's text, reusing its item: the table is filled again from a
// handler of one of its own items, which must not be deleted under it.
QTableWidgetItem* put(QTableWidget* table, int row, int column, const QString& text, bool editable) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
  }
  const Qt::ItemFlags flags =
      Qt::ItemIsEnabled | Qt::ItemIsSelectable | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags);
  if (item->flags() != flags) item->setFlags(flags);
  if (item->text() != text) item->setText(text);
  return item;
}

// The format a points file is saved in, by the name the user gave it.
ControlPointFormat formatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == u"csv") return ControlPointFormat::Csv;
  if (suffix == u"json" || suffix == u"jsonld") return ControlPointFormat::Annotation;
  return ControlPointFormat::Points;
}

}  // namespace

void frmGeoref::refresh() {
  fillTable();
  showFigures();
  showHint();
  const GeorefAnalysis& a = session_.analysis();
  picScan->setWorst(a.ok ? a.worst : -1);
  picMap->setWorst(a.ok ? a.worst : -1);
  const QPointF* scan = pendingScan_ ? &*pendingScan_ : nullptr;
  const QPointF* map = pendingMap_ ? &*pendingMap_ : nullptr;
  picScan->setPending(scan);
  picMap->setPending(map);
  picScan->update();
  picMap->update();
  cmdUndo->setEnabled(session_.canUndo());
  cmdRedo->setEnabled(session_.canRedo());
  const bool any = !session_.points().empty();
  cmdRenumber->setEnabled(any);
  cmdSavePoints->setEnabled(any);
  cmdDelete->setEnabled(selectedPoint() >= 0);
  cmdClearMask->setEnabled(!session_.mask().empty());
  cmdImport->setEnabled(a.ok);
  cmdGeoTiff->setEnabled(a.ok);
  schedulePreview();
}

void frmGeoref::fillTable() {
  const int keep = selectedPoint();
  filling_ = true;
  const auto& points = session_.points();
  const GeorefAnalysis& a = session_.analysis();
  tblPoints->setRowCount(static_cast<int>(points.size()));
  // The map places in the system chosen for typing, beside longitude and
  // latitude; the columns show only while one is chosen.
  std::vector<double> mapX, mapY;
  for (const ControlPoint& p : points) {
    mapX.push_back(p.lon);
    mapY.push_back(p.lat);
  }
  const bool typed = !session_.typedCrs().isEmpty() && session_.worldToTyped(mapX, mapY);
  tblPoints->setColumnHidden(ColMapX, !typed);
  tblPoints->setColumnHidden(ColMapY, !typed);
  if (typed) {
    tblPoints->horizontalHeaderItem(ColMapX)->setToolTip(session_.typedCrs());
    tblPoints->horizontalHeaderItem(ColMapY)->setToolTip(session_.typedCrs());
  }
  for (size_t i = 0; i < points.size(); ++i) {
    const int row = static_cast<int>(i);
    const ControlPoint& p = points[i];
    const bool worst = a.ok && a.worst == row;
    QTableWidgetItem* number =
        put(tblPoints, row, ColNumber, worst ? QStringLiteral("%1 ▲").arg(p.id) : QString::number(p.id), false);
    number->setToolTip(worst ? tr("誤差が最も大きい点") : QString());
    QTableWidgetItem* on = put(tblPoints, row, ColEnabled, QString(), false);
    on->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    on->setCheckState(p.enabled ? Qt::Checked : Qt::Unchecked);
    put(tblPoints, row, ColScanX, figure(p.scanX, 1), true);
    put(tblPoints, row, ColScanY, figure(p.scanY, 1), true);
    put(tblPoints, row, ColLon, figure(p.lon, 6), true);
    put(tblPoints, row, ColLat, figure(p.lat, 6), true);
    put(tblPoints, row, ColMapX, typed ? figure(mapX[i], 2) : QString(), false);
    put(tblPoints, row, ColMapY, typed ? figure(mapY[i], 2) : QString(), false);
    // A point turned off is a check point: where the fit of the others puts
    // it is an honest error of its own.
    const bool figures = a.ok && i < a.points.size();
    const GeorefPointResult r = figures ? a.points[i] : GeorefPointResult{};
    put(tblPoints, row, ColDX, figures ? figure(r.dX, 2) : QString(), false);
    put(tblPoints, row, ColDY, figures ? figure(r.dY, 2) : QString(), false);
    put(tblPoints, row, ColResidualPx, figures ? figure(r.residualPixels, 2) : QString(), false);
    put(tblPoints, row, ColResidualM, figures ? figure(r.residualMetres, 2) : QString(), false);
    const bool loo = figures && p.enabled && r.looValid;
    put(tblPoints, row, ColLooPx, loo ? figure(r.looPixels, 2) : QString(), false);
    put(tblPoints, row, ColLooM, loo ? figure(r.looMetres, 2) : QString(), false);
    const QColor shade = worst ? QColor(255, 228, 196) : !p.enabled ? QColor(235, 235, 235) : QColor();
    for (int c = 0; c < ColumnCount; ++c)
      tblPoints->item(row, c)->setBackground(shade.isValid() ? QBrush(shade) : QBrush());
  }
  if (keep >= 0 && keep < tblPoints->rowCount()) tblPoints->selectRow(keep);
  filling_ = false;
}

void frmGeoref::showFigures() {
  const GeorefAnalysis& a = session_.analysis();
  const int needed = minimumPoints(session_.method());
  QStringList problems;
  if (!a.ok) {
    lblRmse->setText(tr("残差の RMSE: -　一点除外の RMSE: -"));
    // Too few points is said with the count, whatever else the fit says.
    if (a.enabled < needed) {
      problems << tr("%1 には有効な基準点が %2 点必要です（あと %3 点）。")
                      .arg(methodCaption(session_.method()))
                      .arg(needed)
                      .arg(needed - a.enabled);
    } else if (!a.why.isEmpty()) {
      problems << a.why;
    }
  } else {
    QString text = tr("残差の RMSE: %1 px（%2 m）").arg(figure(a.rmsePixels, 2), figure(a.rmseMetres, 2));
    text += a.looAvailable
                ? tr("　一点除外の RMSE: %1 px（%2 m）").arg(figure(a.looRmsePixels, 2), figure(a.looRmseMetres, 2))
                : tr("　一点除外の RMSE: -（点が足りません）");
    if (a.worst >= 0 && a.worst < static_cast<int>(session_.points().size()))
      text += tr("　最大の誤差: %1 番").arg(session_.points()[static_cast<size_t>(a.worst)].id);
    lblRmse->setText(text);
  }
  problems << a.warnings;
  lblMessage->setText(problems.join(u'\n'));
  lblMessage->setVisible(!problems.isEmpty());
}

void frmGeoref::showHint() {
  QString hint;
  if (session_.scanWidth() <= 0)
    hint = tr("画像が開かれていません。");
  else if (picScan->maskDrawing())
    hint = tr("画像上で地図の枠の角を順にクリックし、最初の角をクリックして閉じてください。");
  else if (pendingScan_)
    hint = tr("地図上で同じ場所をクリックするか、座標を入力して「座標で追加」を押してください。");
  else if (pendingMap_)
    hint = tr("画像上で同じ場所をクリックしてください。");
  else
    hint = tr("画像上と地図上で同じ場所をクリックすると基準点になります（順序は問いません）。");
  lblHint->setText(hint);
}

int frmGeoref::selectedPoint() const {
  const auto rows = tblPoints->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

void frmGeoref::selectionChanged() {
  const int index = selectedPoint();
  picScan->setSelected(index);
  picMap->setSelected(index);
  cmdDelete->setEnabled(index >= 0);
}

void frmGeoref::clearPending() {
  pendingScan_.reset();
  pendingMap_.reset();
}

void frmGeoref::addPoint(QPointF scan, double lon, double lat) {
  clearPending();
  const int index = session_.addPoint(scan.x(), scan.y(), lon, lat);
  refresh();
  if (index >= 0) tblPoints->selectRow(index);
}

void frmGeoref::scanClicked(QPointF scan) {
  if (session_.scanWidth() <= 0) return;
  if (scan.x() < 0 || scan.y() < 0 || scan.x() > session_.scanWidth() || scan.y() > session_.scanHeight()) {
    lblHint->setText(tr("画像の外です。画像の中をクリックしてください。"));
    return;
  }
  if (pendingMap_) {
    addPoint(scan, pendingMap_->x(), pendingMap_->y());
    return;
  }
  pendingScan_ = scan;
  refresh();
}

void frmGeoref::mapClicked(double lon, double lat) {
  if (session_.scanWidth() <= 0) return;
  if (pendingScan_) {
    addPoint(*pendingScan_, lon, lat);
    return;
  }
  pendingMap_ = QPointF(lon, lat);
  refresh();
}

void frmGeoref::cmdAddTyped_Click() {
  const QString text = txtCoord->text().trimmed();
  if (text.isEmpty()) return;
  const int selected = selectedPoint();
  if (!pendingScan_ && selected < 0) {
    prompts_.message(tr("先に画像上の点をクリックしてください。"), MessageIcon::Exclamation);
    return;
  }
  double lon = 0.0, lat = 0.0;
  QString why;
  if (session_.typedCrs().isEmpty()) {
    const std::optional<Place> place = parsePlace(text, 1, &why);
    if (!place) {
      prompts_.message(why.isEmpty() ? tr("座標として読めません。") : why, MessageIcon::Exclamation);
      return;
    }
    lat = place->lat;
    lon = place->lon;
    if (place->datum == 0) {
      const LatLon world = TokyoToWorld(state_.mapInfo, static_cast<float>(lat), static_cast<float>(lon));
      lat = world.lat;
      lon = world.lon;
    }
  } else {
    // Easting, then northing, as the zone's tables list them.
    static const QRegularExpression separator(QStringLiteral("[\\s,、，]+"));  // stored
    const QStringList parts = text.split(separator, Qt::SkipEmptyParts);
    bool okX = false, okY = false;
    const double x = parts.size() == 2 ? parts[0].toDouble(&okX) : 0.0;
    const double y = parts.size() == 2 ? parts[1].toDouble(&okY) : 0.0;
    if (!okX || !okY) {
      prompts_.message(tr("X 座標（東）と Y 座標（北）を「,」で区切って入力してください。"), MessageIcon::Exclamation);
      return;
    }
    if (!session_.typedToWorld(x, y, lon, lat, &why)) {
      prompts_.message(why, MessageIcon::Exclamation);
      return;
    }
  }
  txtCoord->clear();
  if (pendingScan_) {
    addPoint(*pendingScan_, lon, lat);
  } else {
    session_.moveMapPlace(selected, lon, lat);
    refresh();
  }
}

void frmGeoref::tblPoints_Changed(int row, int column) {
  if (filling_ || row < 0 || row >= static_cast<int>(session_.points().size())) return;
  const ControlPoint p = session_.points()[static_cast<size_t>(row)];
  QTableWidgetItem* item = tblPoints->item(row, column);
  if (!item) return;
  if (column == ColEnabled) {
    session_.setEnabled(row, item->checkState() == Qt::Checked);
  } else if (column >= ColScanX && column <= ColLat) {
    bool ok = false;
    const double v = item->text().trimmed().toDouble(&ok);
    const bool scanSide = column == ColScanX || column == ColScanY;
    const bool inRange = !ok                  ? false
                         : column == ColScanX ? v >= 0 && v <= session_.scanWidth()
                         : column == ColScanY ? v >= 0 && v <= session_.scanHeight()
                         : column == ColLon   ? std::abs(v) <= 180.0
                                              : std::abs(v) <= 90.0;
    if (!inRange) {
      prompts_.message(tr("正しい値を入力してください。"), MessageIcon::Exclamation);
    } else if (scanSide) {
      session_.moveScanPlace(row, column == ColScanX ? v : p.scanX, column == ColScanY ? v : p.scanY);
    } else {
      session_.moveMapPlace(row, column == ColLon ? v : p.lon, column == ColLat ? v : p.lat);
    }
  }
  refresh();
}

void frmGeoref::cmdDelete_Click() {
  const int index = selectedPoint();
  if (index < 0) return;
  session_.removePoint(index);
  refresh();
}

void frmGeoref::cmdRenumber_Click() {
  session_.renumber();
  refresh();
}

void frmGeoref::cmdUndo_Click() {
  // A place clicked but not yet paired is the last thing done: it goes first.
  if (pendingScan_ || pendingMap_) {
    clearPending();
  } else if (!session_.undo()) {
    return;
  }
  refresh();
}

void frmGeoref::cmdRedo_Click() {
  if (session_.redo()) refresh();
}

void frmGeoref::cboMethod_Click() {
  const int data = cboMethod->currentData().toInt();
  session_.setMethod(static_cast<GeorefMethod>(data));
  refresh();
}

void frmGeoref::cboCrs_Click() {
  QString code = cboCrs->currentData().toString();
  const bool other = code == u"other";
  txtEpsg->setEnabled(other);
  if (other) {
    code = txtEpsg->text().trimmed();
    if (code.isEmpty()) return;
    // A bare number is an EPSG code.
    if (code.toInt() > 0) code = QStringLiteral("EPSG:") + code;
  }
  if (code == session_.typedCrs()) return;
  QString why;
  if (!session_.setTypedCrs(code, &why)) {
    prompts_.message(why, MessageIcon::Exclamation);
    if (!other) cboCrs->setCurrentIndex(0);
    return;
  }
  txtCoord->setPlaceholderText(code.isEmpty() ? QStringLiteral("35.6812, 139.7671 / 35°40′52″N 139°46′1″E")
                                              : tr("X（東）, Y（北） m"));
  refresh();
}

void frmGeoref::centerMapOnPoints() {
  const auto& points = session_.points();
  if (points.empty()) return;
  double lon = 0.0, lat = 0.0;
  for (const ControlPoint& p : points) {
    lon += p.lon;
    lat += p.lat;
  }
  picMap->centerOn(lon / points.size(), lat / points.size());
}

void frmGeoref::cmdLoadPoints_Click() {
  const FileChoice choice = prompts_.openFile(QFileInfo(session_.scanPath()).path(), tr("基準点を読み込む"),
                                              {{tr("基準点ファイル"), QStringLiteral("*.points *.csv *.json *.jsonld")},
                                               {tr("すべてのファイル"), QStringLiteral("*")}});
  if (!choice.chosen) return;
  QString why;
  if (!session_.loadPoints(choice.path, &why)) {
    prompts_.message(why, MessageIcon::Exclamation);
    return;
  }
  clearPending();
  const int method = cboMethod->findData(static_cast<int>(session_.method()));
  if (method >= 0 && method != cboMethod->currentIndex()) {
    const QSignalBlocker block(cboMethod);
    cboMethod->setCurrentIndex(method);
  }
  centerMapOnPoints();
  refresh();
}

void frmGeoref::cmdSavePoints_Click() {
  const QFileInfo scan(session_.scanPath());
  const FileChoice choice =
      prompts_.saveFile(scan.path() + u'/' + scan.completeBaseName() + QStringLiteral(".points"), tr("基準点を保存"),
                        {{tr("基準点ファイル (.points)"), QStringLiteral("*.points")},
                         {QStringLiteral("CSV (x,y,lon,lat)"), QStringLiteral("*.csv")},
                         {tr("位置合わせ注釈 (.json)"), QStringLiteral("*.json")}},
                        QStringLiteral("points"));
  if (!choice.chosen) return;
  QString why;
  if (!session_.savePoints(choice.path, formatOf(choice.path), &why)) prompts_.message(why, MessageIcon::Exclamation);
}

void frmGeoref::cmdLoadMask_Click() {
  const FileChoice choice = prompts_.openFile(
      QFileInfo(session_.scanPath()).path(), tr("枠を読み込む"),
      {{tr("枠のファイル"), QStringLiteral("*.svg *.json *.geojson")}, {tr("すべてのファイル"), QStringLiteral("*")}});
  if (!choice.chosen) return;
  QString why;
  if (!session_.loadMask(choice.path, &why)) {
    prompts_.message(why, MessageIcon::Exclamation);
    return;
  }
  refresh();
}

void frmGeoref::cmdClearMask_Click() {
  session_.setMask({});
  refresh();
}

void frmGeoref::cmdImport_Click() {
  GeorefWarp plan;
  QString why;
  if (!session_.warpPlan(plan, &why)) {
    prompts_.message(why, MessageIcon::Exclamation);
    return;
  }
  chosen_ = plan;
  accept();
}

void frmGeoref::cmdGeoTiff_Click() {
  GeorefWarp plan;
  QString why;
  if (!session_.warpPlan(plan, &why)) {
    prompts_.message(why, MessageIcon::Exclamation);
    return;
  }
  const QFileInfo scan(session_.scanPath());
  const FileChoice choice = prompts_.saveFile(
      scan.path() + u'/' + scan.completeBaseName() + QStringLiteral("_georef.tif"), tr("GeoTIFF で保存"),
      {{QStringLiteral("GeoTIFF"), QStringLiteral("*.tif *.tiff")}}, QStringLiteral("tif"));
  if (!choice.chosen) return;
  // The scan itself is never written over.
  if (QFileInfo(choice.path).absoluteFilePath() == scan.absoluteFilePath()) {
    prompts_.message(tr("取り込む画像そのものには保存できません。別の名前を指定してください。"),
                     MessageIcon::Exclamation);
    return;
  }
  const bool warped = prompts_.askYesNo(tr("変換で地図に合わせてゆがめた画像として保存しますか？\n"
                                           "「いいえ」では元の画像に基準点と変換の名前を付けて保存します。"),
                                        MessageIcon::Information);
  QString detail;
  GeoData* geo = geoData(&detail);
  prompts_.setWaitCursor(true);
  const bool ok = geo && geo->writeGeoTiff(session_.scanPath(), plan, warped, choice.path, {}, &detail);
  prompts_.setWaitCursor(false);
  if (!ok)
    prompts_.message(tr("GeoTIFF「%1」を書き出せません。%2").arg(QFileInfo(choice.path).fileName(), detail),
                     MessageIcon::Exclamation);
}

}  // namespace kavalo
