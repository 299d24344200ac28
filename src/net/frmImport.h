// SPDX-License-Identifier: MIT
#pragma once
// The user's own scan as a new era: the file, its kind (a map whose white is
// see-through, or a photo), year, label and credit, and a preview of where
// the scan falls on the region. 取り込み runs the import off the window's
// thread with a progress bar; キャンセル stops it, and nothing of it stays.
#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "platform/GeoData.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThread;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmImport : public QDialog {
  Q_OBJECT

 public:
  frmImport(ProgramState& state, Prompts& prompts, QWidget* parent = nullptr);
  ~frmImport() override;

  // "OK" after an era was added (the window then reloads), empty otherwise.
  QString tag() const { return tag_; }
  bool running() const { return worker_ != nullptr; }

  void cmdBrowse_Click();
  // Checks the file named in txtFile and draws the preview.
  void txtFile_Changed();
  void cmdImport_Click();
  void cmdCancel_Click();
  // The georeferencer lives in the main window's floor: it is handed in, and
  // 位置合わせ... (shown only then) opens it for the scan in txtFile.
  void setGeoreferencer(std::function<void(frmImport&)> open);
  void cmdGeoref_Click();
  // The control points the georeferencer fitted to the scan in txtFile: the
  // import warps the scan with them. Dropped when another file is chosen.
  void setGeoreferencing(const GeorefWarp& plan);
  bool georeferenced() const { return georef_.has_value(); }

  QLineEdit* txtFile = nullptr;
  QPushButton* cmdBrowse = nullptr;
  QPushButton* cmdGeoref = nullptr;
  QRadioButton* optKind[2] = {nullptr, nullptr};  // map, photo
  QSpinBox* txtYear = nullptr;
  QLineEdit* txtLabel = nullptr;
  QLineEdit* txtCredit = nullptr;
  QLabel* picPreview = nullptr;
  QLabel* lblCheck = nullptr;  // why the file cannot be taken
  QProgressBar* ProgressBar = nullptr;
  QPushButton* cmdImport = nullptr;
  QPushButton* cmdCancel = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void showPreview(const std::vector<GeoPoint>* outline);

  ProgramState& state_;
  Prompts& prompts_;
  QString tag_;
  std::function<void(frmImport&)> georeferencer_;
  std::optional<GeorefWarp> georef_;
  QString georefScan_;  // the file the points belong to
  QThread* worker_ = nullptr;
  std::atomic<bool> cancel_{false};
};

}  // namespace kavalo
