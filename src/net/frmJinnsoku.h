#pragma once
// The rapid-survey dialog: the research institute's map service fetched as
// the era JINNSOKU of the current data folder.
#include <QDialog>

#include "net/AcquireContext.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmJinnsoku : public QDialog {
  Q_OBJECT

 public:
  frmJinnsoku(ProgramState& state, Prompts& prompts, const NetAccess& net, const QString& service, const QString& site,
              QWidget* parent = nullptr);

  // "OK" after the era was added or updated, empty otherwise.
  QString tag() const { return tag_; }

  void cmdGet_Click();
  void cmdCancel_Click();

  QLabel* lblDescription = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QPushButton* cmdGet = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  ProgramState& state_;
  Prompts& prompts_;
  NetAccess net_;
  QString service_, site_;
  QString tag_;
  bool running_ = false;
  bool cancelRequested_ = false;
};

// The progress bar of an acquisition dialog as a run drives it.
std::function<void(int, int)> progressOn(QProgressBar* bar);

}  // namespace kavalo
