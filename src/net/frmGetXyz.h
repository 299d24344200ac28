#pragma once
// Any web-mercator tile service (a URL template {z}/{x}/{y}) fetched as a new
// map or photo era of the current data folder.
#include <QDialog>

#include "net/AcquireContext.h"
#include "net/XyzTiles.h"

class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmGetXyz : public QDialog {
  Q_OBJECT

 public:
  frmGetXyz(ProgramState& state, Prompts& prompts, const XyzFetcher& fetch, const QString& defaultTemplate,
            QWidget* parent = nullptr);

  // "OK" after an era was added, empty otherwise.
  QString tag() const { return tag_; }

  void cmdGet_Click();
  void cmdCancel_Click();

  QLineEdit* txtUrl = nullptr;
  QSpinBox* txtZoom = nullptr;
  QRadioButton* optKind[2] = {nullptr, nullptr};  // map, photo
  QLineEdit* txtAttribution = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QPushButton* cmdGet = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  ProgramState& state_;
  Prompts& prompts_;
  XyzFetcher fetch_;
  QString tag_;
  bool running_ = false;
  bool cancelRequested_ = false;
};

}  // namespace kavalo
