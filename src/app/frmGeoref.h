// SPDX-License-Identifier: MIT
#pragma once
// The georeferencer: a plain scan beside the region's map at an era the user
// picks. A control point is a click on the scan and a click on the map (in
// either order), or a click on the scan and typed coordinates. The table
// shows each point's residual and leave-one-out error, both RMSEs and the
// worst point; the warped scan is laid over the map while the points are
// placed. 取り込み hands the fit to the import.
#include <QDialog>
#include <QElapsedTimer>
#include <QPointF>
#include <QString>
#include <optional>

#include "geo/GeorefSession.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSplitter;
class QTableWidget;
class QTimer;

namespace kavalo {

class Prompts;
struct ProgramState;
class frmGeorefMapView;
class frmGeorefScanView;

class frmGeoref : public QDialog {
  Q_OBJECT

 public:
  frmGeoref(const ProgramState& state, Prompts& prompts, QWidget* parent = nullptr);
  ~frmGeoref() override;

  // Opens the scan (its reduced copy, its size); a message and false when it
  // cannot be read.
  bool openScan(const QString& path);
  // The session the window works on; after changing it directly, refresh().
  GeorefSession& session() { return session_; }
  const GeorefSession& session() const { return session_; }
  void refresh();
  // Shows the session's scan afresh (after openScan, or a scan set directly).
  void showScan();
  // Shows the era whose years are nearest the scan's.
  void setScanYear(int year);
  // The warp the user chose to import (set when the window closes with 取り込み).
  const std::optional<GeorefWarp>& chosenWarp() const { return chosen_; }
  // Milliseconds the last live overlay took (warp and hand-over), -1 before the first.
  double lastPreviewMs() const { return lastPreviewMs_; }

  // The handlers, public for the tests.
  void scanClicked(QPointF scan);
  void mapClicked(double lon, double lat);
  void cmdAddTyped_Click();
  void cmdDelete_Click();
  void cmdRenumber_Click();
  void cmdUndo_Click();
  void cmdRedo_Click();
  void cmdLoadPoints_Click();
  void cmdSavePoints_Click();
  void cmdLoadMask_Click();
  void cmdClearMask_Click();
  void cmdImport_Click();
  void cmdGeoTiff_Click();
  void cboMethod_Click();
  void cboCrs_Click();
  // Draws the live overlay now (normally a moment after each change).
  void updatePreview();

  frmGeorefScanView* picScan = nullptr;
  frmGeorefMapView* picMap = nullptr;
  QSplitter* splitViews = nullptr;
  QSplitter* splitMain = nullptr;
  QPushButton* cmdRotateLeft = nullptr;
  QPushButton* cmdRotateRight = nullptr;
  QPushButton* cmdFit = nullptr;
  QPushButton* cmdMask = nullptr;  // checkable: drawing the frame
  QPushButton* cmdLoadMask = nullptr;
  QPushButton* cmdClearMask = nullptr;
  QComboBox* cboEra = nullptr;
  QSlider* sldOpacity = nullptr;
  QSlider* sldSwipe = nullptr;
  QComboBox* cboMethod = nullptr;
  QComboBox* cboCrs = nullptr;
  QLineEdit* txtEpsg = nullptr;
  QLineEdit* txtCoord = nullptr;
  QPushButton* cmdAddTyped = nullptr;
  QTableWidget* tblPoints = nullptr;
  QLabel* lblHint = nullptr;
  QLabel* lblRmse = nullptr;
  QLabel* lblMessage = nullptr;  // too few points, folds, shears
  QPushButton* cmdUndo = nullptr;
  QPushButton* cmdRedo = nullptr;
  QPushButton* cmdDelete = nullptr;
  QPushButton* cmdRenumber = nullptr;
  QPushButton* cmdLoadPoints = nullptr;
  QPushButton* cmdSavePoints = nullptr;
  QPushButton* cmdGeoTiff = nullptr;
  QPushButton* cmdImport = nullptr;
  QPushButton* cmdClose = nullptr;

  // The table's columns.
  enum Column {
    ColNumber,
    ColEnabled,
    ColScanX,
    ColScanY,
    ColLon,
    ColLat,
    ColMapX,  // the map place in the coordinate system chosen for typing
    ColMapY,
    ColDX,
    ColDY,
    ColResidualPx,
    ColResidualM,
    ColLooPx,
    ColLooM,
    ColumnCount
  };

 private:
  void buildControls();
  void fillTable();
  void showFigures();
  void showHint();
  void schedulePreview();
  void tblPoints_Changed(int row, int column);
  void selectionChanged();
  int selectedPoint() const;
  void addPoint(QPointF scan, double lon, double lat);
  void clearPending();
  void centerMapOnPoints();

  const ProgramState& state_;
  Prompts& prompts_;
  GeorefSession session_;
  std::optional<QPointF> pendingScan_;
  std::optional<QPointF> pendingMap_;  // lon, lat
  std::optional<GeorefWarp> chosen_;
  QTimer* previewTimer_ = nullptr;
  double lastPreviewMs_ = -1.0;
  bool filling_ = false;
};

// The window as the manual's picture shows it, over a scan made from the
// region's oldest era; null without a loaded region.
frmGeoref* openGeorefSnapshot(const ProgramState& state, Prompts& prompts, QWidget* parent);

}  // namespace kavalo
