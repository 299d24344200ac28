// SPDX-License-Identifier: MIT
#pragma once
// The print dialog (印刷): printer, paper, orientation, the map's size in per
// cent and its place on the sheet in a small preview. 印刷実行 leaves the
// print scale and offsets in the state for the main window's print pass; the
// dialog never draws the map on the printer itself. Every setting is made on
// this job's QPrinter only: the system's printer defaults stay as they are.
#include <QDialog>
#include <QPoint>
#include <functional>
#include <vector>

#include <QPageSize>

#include "output/PrintLayout.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace kavalo {

class Prompts;
struct ProgramState;

class frmPrinter : public QDialog {
  Q_OBJECT

 public:
  // preview: the view's picture as the window shows it (the map's area in
  // the preview shows it); the map's size is the session's view size.
  frmPrinter(const ProgramState& state, Prompts& prompts, QPrinter& printer, const QImage& preview,
             QWidget* parent = nullptr);

  // The print scale and offsets chosen with 印刷実行.
  const PrintPass& printPass() const { return pass_; }

  // True after キャンセル or the close box; false after 印刷実行.
  bool dialogCancelled() const { return cancelled_; }
  const PrintLayout& layout() const { return layout_; }

  bool Get_Printer_Property();
  void PaperSizeSet();
  void SetBitMap();
  void cboPrinter_Click();
  void cboPaperSize_Click();
  void optPaperDir_Click(int index);
  void cmdPrinterProperty_Click();
  void cboMaxSize_Click();
  void cmdPrintGo_Click();
  void Command2_Click();
  // Moves the map's area by a drag from press to drop (preview pixels).
  void dragPrintArea(QPoint press, QPoint drop);

  // Runs the page-setup dialog on the job's printer (tests replace it).
  std::function<void(QPrinter&)> pageSetup;

  QGroupBox* framPrinter = nullptr;
  QComboBox* cboPrinter = nullptr;
  QPushButton* cmdPrinterProperty = nullptr;
  QGroupBox* framPaper = nullptr;
  QComboBox* cboPaperSize = nullptr;
  QGroupBox* framDir = nullptr;
  QRadioButton* optPaperDir[3] = {nullptr, nullptr, nullptr};  // 1 縦, 2 横
  QGroupBox* framSize = nullptr;
  QComboBox* cboMaxSize = nullptr;
  QFrame* picOuter = nullptr;
  QFrame* picPaper = nullptr;
  QFrame* picScaleSize = nullptr;
  QLabel* picPrintArea = nullptr;
  QPushButton* cmdPrintGo = nullptr;
  QPushButton* Command2 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillPaperList();
  void showLayout();

  const ProgramState& state_;
  QImage preview_;
  PrintPass pass_;
  Prompts& prompts_;
  QPrinter& printer_;
  PrintLayout layout_;
  std::vector<QPageSize> papers_;
  bool dirty_ = false;
  bool cancelled_ = true;
  bool filling_ = false;
  QPoint dragOrigin_;
  bool dragging_ = false;
};

}  // namespace kavalo
