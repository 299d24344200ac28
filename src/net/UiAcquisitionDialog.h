#pragma once
// What the acquisition dialogs share: a run started by データ取得 that
// キャンセル or the close box stops at its next step, and the tag the main
// window reads afterwards.
#include <QDialog>
#include <QString>
#include <functional>

#include "net/AcquireContext.h"
#include "net/AcquireRuns.h"

class QHBoxLayout;
class QProgressBar;
class QPushButton;

namespace kavalo {

class Prompts;

class UiAcquisitionDialog : public QDialog {
 public:
  using QDialog::QDialog;

  // "OK" after the era was added or updated, empty otherwise.
  QString tag() const { return tag_; }

  // During a run the button stops it at its next step (the run then removes
  // what it had written); otherwise it closes the dialog.
  void cmdCancel_Click();

 protected:
  // Runs one acquisition with the dialog's progress bar and cancel flag,
  // the get button disabled meanwhile; closes the dialog when the run says so.
  void runAcquisition(AcquireContext ctx, QProgressBar* progress, QPushButton* get,
                      const std::function<RunOutcome(AcquireContext&)>& run);
  bool running() const { return running_; }
  // The row of データ取得 and キャンセル under a dialog, wired to onGet and to
  // cmdCancel_Click.
  QHBoxLayout* makeRunButtons(QPushButton*& get, QPushButton*& cancel, const std::function<void()>& onGet);

  void closeEvent(QCloseEvent* event) override;
  void reject() override;

  QString tag_;

 private:
  bool running_ = false;
  bool cancelRequested_ = false;
};

// The progress bar of an acquisition dialog as a run drives it.
std::function<void(int, int)> progressOn(QProgressBar* bar);

}  // namespace kavalo
