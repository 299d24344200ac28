// SPDX-License-Identifier: MIT
#pragma once
// The position dialog "表示位置": moves the main view by a frame dragged over
// an overview of the whole dataset, by a place found in the gazetteer, or to
// one of the marks; it also deletes marks and loads another marks file.
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <vector>

#include "geo/PositionOverview.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace kavalo {

struct ProgramState;
class Prompts;

class frmPosition : public QDialog {
  Q_OBJECT

 public:
  // The side of the square overview, in pixels.
  static constexpr int kOverviewSide = 300;

  // Builds the controls and runs Form_Load.
  frmPosition(ProgramState& state, Prompts& prompts, QWidget* parent = nullptr);

  // Why the dialog closed: 0 the window was closed, 1 the view was moved,
  // 2 cancelled.
  int closeReason() const { return closeReason_; }
  // False only when the view was moved.
  bool DialogCancelled() const { return closeReason_ != 1; }
  // The marks were changed here (deleted, added from a search, loaded), so
  // the map must be redrawn even when the view did not move.
  bool marksChanged() const { return marksChanged_; }

  const OverviewGeometry& overviewGeometry() const { return geometry_; }
  const QImage& overviewImage() const { return overview_; }

  void Form_Load();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdSearch_Click();
  // The selected row of the result list (a click, or the keys moving it).
  void lstSearch_Click();
  void cmdMarkJump_Click();
  void cmdMarkDelete_Click();
  void cmdMarkFile_Click();
  void Set_MarkList();

  // Moving the frame: positions inside the frame while it is dragged; a
  // click on the overview centres the frame on the click.
  void picFrame_MouseDown(QPoint inFrame);
  void picFrame_MouseMove(QPoint inFrame);
  void picFrame_MouseUp(QPoint inFrame);
  void picPosition_MouseUp(QPoint inOverview);

  QWidget* picPosition = nullptr;
  QWidget* picFrame = nullptr;
  QLabel* lblblancCap = nullptr;
  QGroupBox* framSearch = nullptr;
  QLineEdit* txtSearch = nullptr;
  QPushButton* cmdSearch = nullptr;
  QListWidget* lstSearch = nullptr;
  QCheckBox* chkMarkSet = nullptr;
  QGroupBox* Frame1 = nullptr;
  QListWidget* lstMark = nullptr;
  QLabel* lblMarkFile = nullptr;
  QPushButton* cmdMarkJump = nullptr;
  QPushButton* cmdMarkDelete = nullptr;
  QPushButton* cmdMarkFile = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void moveFrameTo(QPoint topLeft);
  // Rows of the mark list that are selected, ascending.
  std::vector<int> selectedMarkRows() const;
  QString marksFilePath() const;

  ProgramState& state_;
  Prompts& prompts_;
  int closeReason_ = 0;
  bool marksChanged_ = false;
  OverviewGeometry geometry_;
  QImage overview_;
  QPoint grab_;
  bool dragging_ = false;
  std::vector<int> rowPlaces_;  // result row -> gazetteer index
};

}  // namespace kavalo
