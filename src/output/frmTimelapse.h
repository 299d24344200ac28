// SPDX-License-Identifier: MIT
#pragma once
// The film dialog (動画): the eras of the view as a time-lapse film. The
// eras to show (those without a map under the view are offered unticked and
// greyed), seconds per era, the cross-fade, the corner of the era label, the
// size, the format, and the file; OK makes the film with a progress bar and
// キャンセル.
#include <QDialog>
#include <functional>

#include "output/Timelapse.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmTimelapse : public QDialog {
  Q_OBJECT

 public:
  frmTimelapse(const ProgramState& state, Prompts& prompts, const ViewRequest& view, QWidget* parent = nullptr);

  void optFilm_Click();
  void cmdFilesave_Click();
  void cmdOK_Click();

  // The film the controls describe (eras, timing, label, size, format, path).
  TimelapseOptions options() const;
  FilmFormat format() const;
  QString chosenPath() const { return chosenPath_; }
  const TimelapseResult& lastResult() const { return result_; }

  // Opens the made film; the desktop's program by default (tests replace it).
  std::function<void(const QString&)> openFile;
  // Called with the frames done and in all while the film is made; returns
  // false to cancel. By default a progress dialog with キャンセル.
  std::function<bool(int, int)> progress;

  QListWidget* lstEras = nullptr;
  QDoubleSpinBox* dblSeconds = nullptr;
  QDoubleSpinBox* dblFade = nullptr;
  QComboBox* cboLabelCorner = nullptr;
  QComboBox* cboSize = nullptr;
  QSpinBox* spnFps = nullptr;
  QRadioButton* optFilm[3] = {nullptr, nullptr, nullptr};
  QCheckBox* chkLossless = nullptr;
  QPushButton* cmdFilesave = nullptr;
  QLabel* lblFile = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  void fillEras();
  bool runWithProgressDialog(const TimelapseOptions& options);

  const ProgramState& state_;
  Prompts& prompts_;
  ViewRequest view_;
  QString chosenPath_;
  TimelapseResult result_;
};

}  // namespace kavalo
