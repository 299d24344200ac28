// SPDX-License-Identifier: MIT
#pragma once
// What the acquisition dialogs share: a run started by データ取得 on a thread
// of its own (the window stays free), that キャンセル or the close box ends
// at once, and the tag the main window reads afterwards.
#include <QDialog>
#include <QString>
#include <functional>

#include "net/AcquireContext.h"
#include "net/AcquireRuns.h"

class QHBoxLayout;
class QProgressBar;
class QPushButton;

namespace kavalo {

class BackgroundRun;
class Prompts;
struct ProgramState;

class UiAcquisitionDialog : public QDialog {
 public:
  using QDialog::QDialog;

  // "OK" after the era was added or updated, empty otherwise.
  QString tag() const { return tag_; }
  // How the last run ended.
  const RunOutcome& outcome() const { return outcome_; }
  bool running() const;

  // During a run the button ends the request under way at once; the run
  // removes what it had written and the dialog closes. Otherwise it closes
  // the dialog.
  void cmdCancel_Click();

 protected:
  // Runs one acquisition on its own thread, on a copy of the session
  // (acquisitionSnapshot: the era it adds is copied back into state), with
  // the dialog's progress bar and prompts that reach the screen; the get
  // button is disabled meanwhile. The dialog closes when the run says so or
  // was cancelled.
  using Run = std::function<RunOutcome(ProgramState& session, AcquireContext& ctx)>;
  void runAcquisition(ProgramState& state, Prompts& prompts, AcquireContext ctx, QProgressBar* progress,
                      QPushButton* get, Run run);
  // The row of データ取得 and キャンセル under a dialog, wired to onGet and to
  // cmdCancel_Click.
  QHBoxLayout* makeRunButtons(QPushButton*& get, QPushButton*& cancel, const std::function<void()>& onGet);

  void closeEvent(QCloseEvent* event) override;
  void reject() override;

  QString tag_;

 private:
  BackgroundRun* run_ = nullptr;
  RunOutcome outcome_;
};

// The progress bar of an acquisition dialog as a run drives it.
std::function<void(int, int)> progressOn(QProgressBar* bar);

}  // namespace kavalo
