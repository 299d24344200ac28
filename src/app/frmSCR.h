// SPDX-License-Identifier: MIT
#pragma once
// The main window: the control panel on the left, the map view on the right.
// It owns the session; each handler keeps the name the program has always
// used for it and delegates to the logic of its subsystem. The handlers live
// in several files, one job each: frmSCR.cpp (start-up, quit),
// frmSCR_Build.cpp (the controls), frmSCR_Wiring.cpp (their handlers),
// frmSCR_Dataset.cpp (choosing a data folder), frmSCR_Compose.cpp (the
// request and the composition), frmSCR_Window.cpp (layout, the window as a
// whole), and one per subsystem: frmSCR_Eras.cpp, frmSCR_Navigation.cpp,
// frmSCR_Elevation.cpp, frmSCR_Furniture.cpp, frmSCR_Marks.cpp,
// frmSCR_Compare.cpp, frmSCR_Online.cpp, frmSCR_Output.cpp, frmSCR_Acquire.cpp.
#include <QMainWindow>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QImage>

#include "geo/Ruler.h"
#include "model/CompareSettings.h"
#include "model/ProgramState.h"
#include "net/PackageDownload.h"
#include "platform/Screen.h"
#include "render/ViewRequest.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QSlider;
class QTimer;
class QVBoxLayout;
class QPainter;
class QWidget;

namespace kavalo {

class Prompts;
class UiMapView;
class UiReadout;
class clsWheelMouse;
class frmLegend;
class CompareComposer;
class TileDownloads;
class UiOverview;
class EraPrefetch;

class frmSCR : public QMainWindow {
  Q_OBJECT

 public:
  // rootFolder: the RootFolder; screen: the facts of the display (tests fix
  // them); prompts: where messages and questions go.
  frmSCR(const QString& rootFolder, const ScreenInfo& screen, Prompts& prompts, QWidget* parent = nullptr);
  ~frmSCR() override;

  ProgramState& state() { return state_; }
  const ProgramState& state() const { return state_; }
  Prompts& prompts() { return prompts_; }

  // Loading while a dataset loads: handlers of controls set from code then
  // draw nothing (the load draws once at its end). Ready otherwise.
  enum class Phase { Loading, Ready };
  Phase phase() const { return phase_; }
  void setPhase(Phase phase) { phase_ = phase; }

  // The composed picture the map view shows (target pixels: the view's size
  // times the screen's device pixel ratio).
  const QImage& viewPicture() const { return viewPicture_; }
  QImage& viewPicture() { return viewPicture_; }
  // The same before its overlays: what a drag moves under the pointer.
  QImage& viewSnapshot() { return viewSnapshot_; }
  // Target pixels per view pixel of the map view.
  double viewPixelRatio() const;
  // The request of the window's view for a pass.
  ViewRequest viewRequest(RenderPass pass) const;
  // Where the view's tiles come from while online.
  TileDownloads& tileDownloads() { return *tileDownloads_; }

  // True when start-up succeeded; false when dataset.txt could not be read
  // (the message was shown and the program must end).
  bool startedOk() const { return startedOk_; }
  // The window was asked to start maximised by the first load.
  bool wantsMaximized() const { return wantsMaximized_; }

  // ---- Start-up and quit (frmSCR.cpp), data folders (frmSCR_Dataset.cpp),
  // layout (frmSCR_Window.cpp)
  void Form_Load();
  void lstDataFolder_Click();
  void EnableViewControls(bool enabled);
  void Form_Resize();
  bool Form_QueryUnload();  // true: the window may close
  void Form_Unload();
  void cmdEnd_Click();
  void cmdHelp_Click();
  void lblHomePage_Click();
  void cmdCopy_Click();
  // The window's own part of a dataset load (after LoadDataset succeeded):
  // panel, zoom slider, era list, first window size, scale factors, era.
  void finishDatasetLoad();
  // Window size at the first successful load.
  void sizeWindowForFirstLoad();

  // ---- View composition (frmSCR_Compose.cpp) and eras (frmSCR_Eras.cpp)
  // Composes the whole view into the map picture and repaints it.
  void PrintGazo();
  // How many compositions ran (tests check that a click redraws nothing).
  int compositionCount() const { return compositionCount_; }
  // The idle prefetch of the neighbouring eras (tests and benchmarks).
  EraPrefetch& eraPrefetch() { return *eraPrefetch_; }
  QTimer* eraPrefetchTimer() const { return eraPrefetchTimer_; }
  void cboAge_Set();
  void cboAge_Click();
  void SliderAge_Scroll();
  void SliderAge_MouseUp();
  void cmdViewTime_Click();
  void refreshEraLabels();
  void ComboDropWidth(QComboBox* combo);
  void ComboDropHeight(QComboBox* combo, int itemCount);

  // ---- Navigation and the wheel (frmSCR_Navigation.cpp)
  void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
  void m_CWheel_MouseWheel(int iniVector);
  void picPrint_MouseDown(Qt::MouseButton button, double x, double y);
  void picPrint_MouseMove(Qt::MouseButtons buttons, double x, double y);
  void picPrint_MouseUp(Qt::MouseButton button, double x, double y);
  void SliderZoom_Scroll();
  void SliderZoom_MouseUp();
  void SliderMoveAmount_MouseUp();
  void lblBoxSize_Click(int index);
  void cmdSokuti_Click();
  void setZoom(int zoomPercent);  // slider, zoom and lblZoom together
  // 全体: the whole region in the view (Home does the same).
  void cmdWhole_Click();
  void installWheelHook();
  void removeWheelHook();
  // Key preview and wheel events of the whole window; true when consumed.
  bool handleNavigationEvent(QObject* watched, QEvent* event);

  // ---- Elevation and the cursor readout (frmSCR_Elevation.cpp)
  void chkAltitude_Click();
  void cmdAltitudeColor_Click();
  void Show_PointInfo(double px, double py);
  void Show_PointInfoAtCursor();
  // The readout of the place it last described, in the datum now chosen.
  void refreshReadoutDatum();

  // ---- Map furniture (frmSCR_Furniture.cpp)
  void chkScale_Click();
  void chkZukakusen_Click();
  void chkLegend_Click();
  void chkTikeizu_Click();
  void cmdMapComment_Click();
  void Time_Print();
  // The era's name in large letters over an area of the map (view pixels),
  // until Timer1 hides it.
  void showEraLabel(const Era& era, const QRect& area);
  void Timer1_Timer();
  void LoadLegend();
  // Called by the composition at the end of every full redraw while the
  // legend is on: the legend window takes the window's height and follows
  // the shown era.
  void showLegendForComposition();
  // While the mouse drags the map (a comparison is composed at every step).
  bool draggingView() const { return dragArmed_ && dragMoved_; }

  // ---- Export and printing (frmSCR_Output.cpp): cnmdKML_Click and
  // cmdPrintOut_Click below. When set, runs their modal forms in place of
  // exec(): tests drive a form through its handlers and return.
  std::function<void(QDialog&)> outputFormRunner;

  // ---- Marks and the position dialog (frmSCR_Marks.cpp)
  void chkMark_Click();
  void mnuMarkSet_Click();
  void mnuMarkModify_Click();
  void mnuMarkErase_Click();
  // The right-button release without a drag: hit test and the pop-up menu.
  void showMarkPopup(double x, double y);
  void cmdPosition_Click();

  // ---- Later subsystems (acquisition, export, printing, online mode)
  void cmdWMS_Click();
  // Loads the data folder again (after its eras changed), showing
  // state().eraToKeep when it is set.
  void reloadDataset();
  void cnmdKML_Click();
  void cmdPrintOut_Click();
  void lblOffLine_Click();

  // ---- Online mode and the map-sheet packages (frmSCR_Online.cpp)
  // Ties the tile source to the window: arrivals compose again, the first
  // failure goes offline, the notice shows while tiles come.
  void setupOnlineMode();
  void setOnlineLook(bool online);
  // lblDownload centred over the view, its lower edge on the centre line.
  void showDownloadNotice(bool shown);
  void cmdGetTikeizu_Click();
  // When set, runs the package dialog in place of exec() (tests).
  std::function<void(QDialog&)> onlineFormRunner;

  // Controls, named as the program names them (also their objectName).
  QWidget* picBox = nullptr;
  QGroupBox* framFolder = nullptr;
  QListWidget* lstDataFolder = nullptr;
  QPushButton* cmdMapComment = nullptr;
  QGroupBox* framTime = nullptr;
  QComboBox* cboAge = nullptr;
  QSlider* SliderAge = nullptr;
  QPushButton* cmdViewTime = nullptr;
  QGroupBox* framZOOM = nullptr;
  QSlider* SliderZoom = nullptr;
  QLabel* lblZoom = nullptr;
  QLabel* Label1 = nullptr;
  QSlider* SliderMoveAmount = nullptr;
  QGroupBox* framView = nullptr;
  QPushButton* cmdAltitudeColor = nullptr;
  QCheckBox* chkAltitude = nullptr;
  QCheckBox* chkTikeizu = nullptr;
  QCheckBox* chkZukakusen = nullptr;
  QCheckBox* chkLegend = nullptr;
  QCheckBox* chkScale = nullptr;
  QCheckBox* chkMark = nullptr;
  QGroupBox* framInfo = nullptr;
  QLabel* lblInfo = nullptr;
  QLabel* lblMap = nullptr;
  QPushButton* cmdSokuti = nullptr;
  QLabel* lblOffLine = nullptr;
  QLabel* lblHomePage = nullptr;
  QPushButton* cmdPosition = nullptr;
  QPushButton* cmdWMS = nullptr;
  QPushButton* cnmdKML = nullptr;
  QPushButton* cmdPrintOut = nullptr;
  QPushButton* cmdCopy = nullptr;
  QPushButton* cmdHelp = nullptr;
  QPushButton* cmdEnd = nullptr;
  QLabel* lblBoxSize[2] = {nullptr, nullptr};
  QLabel* lblDownload = nullptr;
  QPushButton* cmdGetTikeizu = nullptr;
  QPushButton* cmdWhole = nullptr;
  QMenu* mnuPopUpMenu = nullptr;
  QAction* mnuMarkSet = nullptr;
  QAction* mnuMarkModify = nullptr;
  QAction* mnuMarkErase = nullptr;
  UiMapView* picPrint = nullptr;
  QLabel* picTime = nullptr;
  QTimer* Timer1 = nullptr;
  // The readout in one line along the bottom of the map while the panel is
  // folded away (frmSCR_Window.cpp).
  QLabel* lblStatus = nullptr;

  // ---- The window as a whole (frmSCR_Window.cpp)
  // The panel is folded away ("<<" was clicked).
  bool panelFolded() const;
  // The wheel turned away from the user zooms in instead of out (the user's
  // choice in the window settings file).
  bool wheelAwayZoomsIn() const { return wheelAwayZoomsIn_; }
  void setWheelAwayZoomsIn(bool on) { wheelAwayZoomsIn_ = on; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void connectControls();
  // Accessible names, the tab order and the shortcuts (frmSCR_Keyboard.cpp).
  void setupKeyboardAccess();
  // The picture of the map view follows the widget's size.
  void resizeViewImage();

  ProgramState state_;
  ScreenInfo screen_;
  Prompts& prompts_;
  Phase phase_ = Phase::Loading;
  bool startedOk_ = false;
  bool wantsMaximized_ = false;
  bool unloaded_ = false;
  int compositionCount_ = 0;

  // Each subsystem adds the members its handler file needs in its own
  // section below.

  // ---- Eras and composition (frmSCR_Eras.cpp)

  // ---- Elevation and readout (frmSCR_Elevation.cpp)

 public:
  // When set, runs the colour-set dialogs in place of exec(): tests drive
  // them through their handlers and return.
  std::function<void(QDialog&)> colorSetFormRunner;

 private:
  // ---- Navigation state (frmSCR_Navigation.cpp)
  bool dragArmed_ = false;
  bool dragMoved_ = false;
  Qt::MouseButton dragButton_ = Qt::NoButton;  // the button whose release ends the drag
  QPointF pressPos_;
  float pressCenterX_ = 0.0f;
  float pressCenterY_ = 0.0f;
  std::unique_ptr<clsWheelMouse> m_CWheel;
  // The window previews every key and reads the keyboard's state: Qt tells
  // no key state, so the arrows held are tracked from their presses and
  // releases, and the modifiers are those of the window's latest input event.
  QObject* keyPreview_ = nullptr;  // the preview's filter on the application
  unsigned heldArrows_ = 0;
  Qt::KeyboardModifiers inputModifiers_;
  // The key event last previewed and the widget it last reached; compared
  // only, never followed (the widget may be gone).
  const QEvent* previewedKey_ = nullptr;
  const QObject* previewedHop_ = nullptr;
  bool previewKey(QObject* watched, QEvent* event);
  void trackArrow(int key, bool down);
  // Full redraw of the view.
  void redrawView();
  // The view's centre kept on the region (every composition).
  void keepCentreOnRegion();
  // The centre a drag to view position (x, y) gives, kept on the region, and
  // the offset the last full picture then moves by (view pixels).
  ImagePoint dragCentre(double x, double y, QPoint* offset) const;
  // The picture the map view shows, and the same before its overlays (the
  // snapshot a drag moves).
  QImage viewPicture_;
  QImage viewSnapshot_;
  // While online: the tiles missing on disk, fetched in the background.
  TileDownloads* tileDownloads_ = nullptr;
  // Tiles that arrive are drawn at most once per 50 ms; the last of a view
  // at once.
  QTimer* arrivalTimer_ = nullptr;
  // Two seconds after the last composition the freed memory is released.
  QTimer* idleTrim_ = nullptr;
  // Two seconds after the last composition the eras before and after the
  // one shown are made ready at the view.
  // The idle window's prefetch of the neighbouring eras (see EraPrefetch).
  void idlePrefetch();
  std::unique_ptr<EraPrefetch> eraPrefetch_;
  QTimer* eraPrefetchTimer_ = nullptr;
  QElapsedTimer trimClock_;
  void tilesArrived();

  // ---- Online (frmSCR_Online.cpp): the download servers of the last run.
  std::vector<DownloadServer> downloadServers_;

  // ---- The window as a whole (frmSCR_Window.cpp)
  bool wheelAwayZoomsIn_ = false;
  // The place the readout describes: the view and the pointer's position in
  // it when it was computed (the datum button shows that place again).
  bool hasReadoutPoint_ = false;
  Viewport readoutView_;
  QPointF readoutPoint_;
  int readoutEra_ = -1;
  // The box that lays lblInfo and lblMap out.
  UiReadout* readoutBox_ = nullptr;
  // The captions the readout starts with, and shows again while no data
  // folder is loaded.
  void resetReadout();
  void showReadoutFor(const Viewport& view, QPointF at, int eraIndex);
  // Shows or hides the folded panel's status line and gives the map the rest.
  void placeStatusLine(int left, int width, int clientHeight);
  void setStatusLine(const QString& lblInfoCaption);
  // The window's least size: the whole panel stays readable (within the screen).
  void fitMinimumSize();
  // The most height the panel may ask of the screen.
  int panelRoom() const;
  // The data-folder list shows every name whole.
  void fitDataFolderList();
  // The window settings file of the RootFolder (created with its defaults).
  void readWindowSettings();

  // ---- Marks (frmSCR_Marks.cpp)
  int markHitIndex_ = -1;
  // Runs a modal form of the marks (the name dialog, the position dialog).
  void runMarksForm(QDialog& form);
  // Draws the marks at once onto the view's picture (a new mark shows even
  // while the marks switch is off, until the next redraw).
  void drawMarksNow();

 public:
  // When set, runs the marks' modal forms in place of exec(): tests drive a
  // form through its handlers and return.
  std::function<void(QDialog&)> marksFormRunner;

 private:
  // ---- Furniture (frmSCR_Furniture.cpp)
  frmLegend* legendWindow_ = nullptr;
  // The legend window, made on first use (with its ties to chkLegend).
  frmLegend* ensureLegendWindow();
  // Beside the panel, a little below the window's top edge.
  void placeLegendWindow();
  // The legend window is as tall as the main window.
  void fitLegendWindowHeight();

 public:
  // The position of the last right-button press on the map view, in view
  // pixels (marks are set there).
  QPointF pressPosition() const { return pressPos_; }
  int markHitIndex() const { return markHitIndex_; }

  // ---- Comparison of two eras (frmSCR_Compare.cpp)
  QCheckBox* chkCompare = nullptr;
  QComboBox* cboAgeB = nullptr;
  QComboBox* cboCompareMode = nullptr;
  QSlider* SliderOpacity = nullptr;
  QWidget* picCoverage = nullptr;
  void chkCompare_Click();
  void cboAgeB_Click();
  void cboCompareMode_Click();
  void SliderOpacity_Scroll();
  // The comparison is on and a dataset is shown.
  bool compareActive() const;
  const CompareSettings& compareSettings() const { return compare_; }
  // The two eras composed and the frame made (every redraw while comparing).
  void PrintGazoCompare();
  // Mouse, wheel and keys while comparing; true when the comparison took them.
  bool compareMouseDown(Qt::MouseButton button, double x, double y);
  bool compareMouseMove(double x, double y);
  bool compareMouseUp(Qt::MouseButton button, double x, double y);
  bool compareWheel(int iniVector);
  bool compareStepKey(int step);
  // The coverage strip follows the view's centre.
  void updateCoverage();
  // The swipe divider in view pixels.
  int compareSplit() const;
  // The era the comparison shows at view position `at` and where that place
  // lies in the era's own view (a pane of 並列 is a view of its own). False
  // on the divider between the panes.
  bool compareEraAt(QPointF at, int* eraIndex, QPointF* viewPosition) const;
  // The era the readout describes (an index of the session's eras).
  int readoutEra() const { return readoutEra_; }

  // ---- The user's own files over every era (frmSCR_Overlays.cpp), the
  // ruler (frmSCR_Ruler.cpp), positions, links and the overview
  // (frmSCR_Links.cpp)
  QWidget* framOverlay = nullptr;  // the list and its buttons, shown while files are open
  QListWidget* lstOverlay = nullptr;
  QPushButton* cmdOverlayOpen = nullptr;
  QPushButton* cmdOverlayRemove = nullptr;
  QPushButton* cmdOverlayUp = nullptr;
  QPushButton* cmdOverlayDown = nullptr;
  QPushButton* cmdRuler = nullptr;
  QCheckBox* chkOverview = nullptr;
  QAction* mnuCopyPosition = nullptr;
  QAction* mnuCopyGeoUri = nullptr;
  QAction* mnuCopyLink = nullptr;
  QAction* mnuCopyWebLink = nullptr;  // shown when the data folder knows its web map
  QAction* mnuRulerSave = nullptr;
  QAction* mnuRulerClear = nullptr;
  UiOverview* picOverview = nullptr;
  // Asks for a file and opens it over the map.
  void cmdOverlayOpen_Click();
  // Opens a file over the map and keeps it in the data folder's list; false
  // (after a message) when it cannot be shown.
  bool openOverlayFile(const QString& path);
  void cmdOverlayRemove_Click();
  // Moves the selected file one place up (step -1: drawn later, over the
  // others) or down the list.
  void moveOverlay(int step);
  void lstOverlay_ItemChanged(int row);
  // The data folder's overlays, opened as it loads.
  void loadDatasetOverlays();
  void cmdRuler_Click();
  bool rulerActive() const { return rulerActive_; }
  const Ruler& ruler() const { return ruler_; }
  // The length (and area) measured so far, as the status shows it.
  QString rulerText() const { return rulerText_; }
  // A click of the ruler at view position (x, y).
  void rulerClick(double x, double y);
  // Ends the measuring (Esc, a right click); the path stays shown.
  void endRuler();
  void mnuRulerSave_Click();
  void mnuRulerClear_Click();
  void mnuCopyPosition_Click();
  void mnuCopyGeoUri_Click();
  void mnuCopyLink_Click();
  void mnuCopyWebLink_Click();
  // Shows the view a kavalo://view link names: its data folder, era, place
  // and zoom. False (after a message) when it cannot.
  bool openViewLink(const QString& link);
  void chkOverview_Click();

 private:
  void buildOverlayControls(QGridLayout* viewLayout, int row);
  void fillOverlayList();
  bool saveOverlayList();
  void updateRuler();
  void paintOverMap(QPainter& painter);
  // The image position under view position (x, y): in a comparison, in the
  // era's own view.
  ImagePoint imagePointAt(double x, double y) const;
  // The position in the whole view's own pixels that shows the place under
  // view position (x, y) (side by side, a pane's offset taken out).
  QPointF viewPositionAt(double x, double y) const;
  void placeOverview();
  Ruler ruler_;
  bool rulerActive_ = false;
  std::optional<QPointF> rulerHover_;
  QString rulerText_;
  QString statusCaption_;

  // ---- Comparison (frmSCR_Compare.cpp)
  void buildCompareControls(QVBoxLayout* timeLayout);
  void fillCompareEraList();
  void loadCompareSettings();
  void saveCompareSettings();
  // Makes a new frame from the composed pictures (divider, lens, cursor).
  void refreshCompareFrame();
  // The readout of the pointer again, after either era or the mode changed.
  void refreshCompareReadout();
  // Where era A (which 0) or era B (1) shows, in view pixels.
  QRect compareArea(int which) const;
  // The two eras' small labels on the frame.
  void drawCompareLabels();
  // The era's name flashed over the part of the map it changed.
  void flashEraChange(int which);
  void placeOpacitySlider();
  CompareSettings compare_;
  bool compareSettingsUnreadable_ = false;
  std::unique_ptr<CompareComposer> compareComposer_;
  std::optional<QPoint> compareCursor_;
  bool dividerDragging_ = false;
  // Where the pointer last moved over the map: a drag's strips are drawn
  // again there when tiles they lacked have been decoded.
  QPointF pointer_;
  void refillDragStrips();
};

}  // namespace kavalo
