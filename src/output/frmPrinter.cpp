// SPDX-License-Identifier: MIT
#include "output/frmPrinter.h"

#include "platform/RememberedValues.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/ProgramState.h"
#include "output/PrintJob.h"
#include "output/SaveFileDialog.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

QGroupBox* frame(const QString& caption, const char* name) {
  auto* box = new QGroupBox(caption);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QRect rounded(const QRectF& r) { return r.toRect(); }

constexpr int kOuterSize = 240;

}  // namespace

frmPrinter::frmPrinter(const ProgramState& state, Prompts& prompts, QPrinter& printer, const QImage& preview,
                       QWidget* parent)
    : QDialog(parent),
      state_(state),
      preview_(preview),
      prompts_(prompts),
      printer_(printer),
      layout_(QSizeF(kOuterSize, kOuterSize)) {
  setObjectName(QStringLiteral("frmPrinter"));
  setWindowTitle(tr("印刷"));
  setModal(true);
  pageSetup = [this](QPrinter& p) {
    QPageSetupDialog dialog(&p, this);
    dialog.exec();
  };

  auto* grid = new QGridLayout(this);
  auto* settings = new QVBoxLayout;

  framPrinter = frame(tr("プリンタ"), "framPrinter");
  auto* printerLayout = new QHBoxLayout(framPrinter);
  cboPrinter = new QComboBox;
  cboPrinter->setObjectName(QStringLiteral("cboPrinter"));
  cboPrinter->setMinimumWidth(200);
  cmdPrinterProperty = new QPushButton(tr("プロパティ"));
  cmdPrinterProperty->setObjectName(QStringLiteral("cmdPrinterProperty"));
  cmdPrinterProperty->setAutoDefault(false);
  printerLayout->addWidget(cboPrinter, 1);
  printerLayout->addWidget(cmdPrinterProperty);
  settings->addWidget(framPrinter);

  framPaper = frame(tr("用紙"), "framPaper");
  auto* paperLayout = new QHBoxLayout(framPaper);
  cboPaperSize = new QComboBox;
  cboPaperSize->setObjectName(QStringLiteral("cboPaperSize"));
  paperLayout->addWidget(cboPaperSize);
  settings->addWidget(framPaper);

  framDir = frame(tr(" 用紙の向き"), "framDir");
  auto* dirLayout = new QHBoxLayout(framDir);
  optPaperDir[1] = new QRadioButton(tr("縦"));
  optPaperDir[1]->setObjectName(QStringLiteral("optPaperDir_1"));
  optPaperDir[2] = new QRadioButton(tr("横"));
  optPaperDir[2]->setObjectName(QStringLiteral("optPaperDir_2"));
  dirLayout->addWidget(optPaperDir[1]);
  dirLayout->addWidget(optPaperDir[2]);
  settings->addWidget(framDir);

  framSize = frame(tr("サイズ"), "framSize");
  auto* sizeLayout = new QHBoxLayout(framSize);
  cboMaxSize = new QComboBox;
  cboMaxSize->setObjectName(QStringLiteral("cboMaxSize"));
  cboMaxSize->setEditable(true);
  sizeLayout->addWidget(cboMaxSize);
  sizeLayout->addWidget(new QLabel(tr("％")));
  sizeLayout->addStretch(1);
  settings->addWidget(framSize);
  settings->addStretch(1);
  grid->addLayout(settings, 0, 0);

  picOuter = new QFrame;
  picOuter->setObjectName(QStringLiteral("picOuter"));
  picOuter->setFixedSize(kOuterSize, kOuterSize);
  picOuter->setStyleSheet(QStringLiteral("#picOuter { background: #808080; }"));
  picPaper = new QFrame(picOuter);
  picPaper->setObjectName(QStringLiteral("picPaper"));
  picPaper->setStyleSheet(QStringLiteral("#picPaper { background: white; }"));
  picScaleSize = new QFrame(picPaper);
  picScaleSize->setObjectName(QStringLiteral("picScaleSize"));
  picScaleSize->setStyleSheet(QStringLiteral("#picScaleSize { background: white; border: 1px dotted #404040; }"));
  picPrintArea = new QLabel(picScaleSize);
  picPrintArea->setObjectName(QStringLiteral("picPrintArea"));
  picPrintArea->setScaledContents(true);
  picPrintArea->setCursor(Qt::SizeAllCursor);
  picPrintArea->installEventFilter(this);
  grid->addWidget(picOuter, 0, 1);

  auto* buttons = new QHBoxLayout;
  cmdPrintGo = new QPushButton(tr("印刷実行"));
  cmdPrintGo->setObjectName(QStringLiteral("cmdPrintGo"));
  Command2 = new QPushButton(tr("キャンセル"));
  Command2->setObjectName(QStringLiteral("Command2"));
  Command2->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(cmdPrintGo);
  buttons->addWidget(Command2);
  grid->addLayout(buttons, 1, 0, 1, 2);

  for (int v = 100; v >= 10; v -= 10) cboMaxSize->addItem(QString::number(v));
  cboMaxSize->setCurrentIndex(0);
  {
    const QSignalBlocker block(cboPrinter);
    cboPrinter->addItems(systemPrinterNames());
    cboPrinter->addItem(pdfPrinterEntry());
    cboPrinter->setCurrentIndex(0);
  }

  connect(cboPrinter, &QComboBox::activated, this, [this] { cboPrinter_Click(); });
  connect(cboPaperSize, &QComboBox::activated, this, [this] { cboPaperSize_Click(); });
  connect(optPaperDir[1], &QRadioButton::clicked, this, [this] { optPaperDir_Click(1); });
  connect(optPaperDir[2], &QRadioButton::clicked, this, [this] { optPaperDir_Click(2); });
  connect(cmdPrinterProperty, &QPushButton::clicked, this, [this] { cmdPrinterProperty_Click(); });
  connect(cboMaxSize, &QComboBox::activated, this, [this] { cboMaxSize_Click(); });
  connect(cboMaxSize->lineEdit(), &QLineEdit::editingFinished, this, [this] { cboMaxSize_Click(); });
  connect(cmdPrintGo, &QPushButton::clicked, this, [this] { cmdPrintGo_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

  if (Get_Printer_Property()) {
    fillPaperList();
    dirty_ = true;
    PaperSizeSet();
  }
}

bool frmPrinter::Get_Printer_Property() {
  const bool ok = selectPrinter(printer_, cboPrinter->currentText());
  framPaper->setVisible(ok);
  framDir->setVisible(ok);
  framSize->setVisible(ok);
  cmdPrinterProperty->setEnabled(ok);
  cmdPrintGo->setEnabled(ok);
  if (!ok) prompts_.message(tr("プリンタのプロパティを取得できませんでした。"), MessageIcon::Warning);
  return ok;
}

void frmPrinter::fillPaperList() {
  const QSignalBlocker block(cboPaperSize);
  cboPaperSize->clear();
  papers_ = paperSizes(printer_);
  if (papers_.empty()) return;  // nothing to choose: orientation stays as it is
  const QPageLayout page = printer_.pageLayout();
  int selected = 0;
  for (size_t i = 0; i < papers_.size(); ++i) {
    cboPaperSize->addItem(papers_[i].name());
    if (papers_[i].isEquivalentTo(page.pageSize()) && selected == 0) selected = static_cast<int>(i);
  }
  cboPaperSize->setCurrentIndex(selected);
  optPaperDir[page.orientation() == QPageLayout::Landscape ? 2 : 1]->setChecked(true);
}

void frmPrinter::PaperSizeSet() {
  if (dirty_) {
    layout_.PaperSizeSet(printerMetrics(printer_), QSizeF(state_.viewWidth(), state_.viewHeight()));
    const QSignalBlocker block(cboMaxSize);
    cboMaxSize->setCurrentIndex(0);
    showLayout();
  }
  SetBitMap();
  dirty_ = false;
}

void frmPrinter::showLayout() {
  picPaper->setGeometry(rounded(layout_.paper()));
  picScaleSize->setGeometry(rounded(layout_.scaleSize()));
  picPrintArea->setGeometry(rounded(layout_.area()));
}

void frmPrinter::SetBitMap() {
  const QSize size = picPrintArea->size();
  if (preview_.isNull() || size.isEmpty()) {
    picPrintArea->clear();
    return;
  }
  picPrintArea->setPixmap(QPixmap::fromImage(preview_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void frmPrinter::cboPrinter_Click() {
  if (!Get_Printer_Property()) return;
  fillPaperList();
  dirty_ = true;
  PaperSizeSet();
}

void frmPrinter::cboPaperSize_Click() {
  const int i = cboPaperSize->currentIndex();
  if (i < 0 || i >= static_cast<int>(papers_.size())) return;
  if (papers_[static_cast<size_t>(i)].isEquivalentTo(printer_.pageLayout().pageSize())) return;
  printer_.setPageSize(papers_[static_cast<size_t>(i)]);
  dirty_ = true;
  PaperSizeSet();
  fillPaperList();
}

void frmPrinter::optPaperDir_Click(int index) {
  const QPageLayout::Orientation wanted = index == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
  if (printer_.pageLayout().orientation() == wanted) return;
  printer_.setPageOrientation(wanted);
  dirty_ = true;
  PaperSizeSet();
}

void frmPrinter::cmdPrinterProperty_Click() {
  const PrinterMetrics before = printerMetrics(printer_);
  pageSetup(printer_);
  fillPaperList();
  const PrinterMetrics after = printerMetrics(printer_);
  if (before.paper != after.paper || before.printable != after.printable) {
    dirty_ = true;
    PaperSizeSet();
  }
}

void frmPrinter::cboMaxSize_Click() {
  if (!layout_.known()) return;
  const int value = clampPrintSize(cboMaxSize->currentText());
  const QSignalBlocker block(cboMaxSize);
  cboMaxSize->setEditText(QString::number(value));
  layout_.setSizeValue(value);
  showLayout();
  SetBitMap();
}

void frmPrinter::dragPrintArea(QPoint press, QPoint drop) {
  layout_.moveArea(layout_.area().topLeft() + QPointF(drop - press));
  showLayout();
}

bool frmPrinter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picPrintArea) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
          dragging_ = true;
          dragOrigin_ = mouse->position().toPoint();
        }
        return true;
      case QEvent::MouseMove:
        // The area follows the mouse; the press point stays under it.
        if (dragging_) dragPrintArea(dragOrigin_, mouse->position().toPoint());
        return true;
      case QEvent::MouseButtonRelease:
        dragging_ = false;
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmPrinter::cmdPrintGo_Click() {
  // The size typed last counts even when the box still has the focus.
  cboMaxSize_Click();
  PaperSizeSet();
  const PrinterMetrics metrics = printerMetrics(printer_);
  if (state_.hasEra() && exceedsA4Rule(state_.currentEra().kind, metrics.printableMm)) {
    prompts_.message(tr("表示中のデータはA4サイズ以上の大きさでは印刷できません。"), MessageIcon::Warning);
    return;
  }
  if (isPdfPrinter(printer_)) {
    const QString initial =
        printer_.outputFileName().isEmpty() ? saveFolder(QStringLiteral("pdf")) : printer_.outputFileName();
    const FileChoice choice = SaveFileDialog(prompts_, initial, tr("pdfファイル名の設定"),
                                             tr("pdfファイル") + QStringLiteral("\t*.pdf"), QStringLiteral("pdf"));
    if (!choice.chosen) return;
    printer_.setOutputFileName(choice.path);
    rememberSaveFolder(QStringLiteral("pdf"), choice.path);
  }
  pass_ = layout_.printPass(state_.viewWidth());
  cancelled_ = false;
  accept();
}

void frmPrinter::Command2_Click() {
  cancelled_ = true;
  QDialog::reject();
}

void frmPrinter::reject() { Command2_Click(); }

void frmPrinter::keyPressEvent(QKeyEvent* event) {
  // Enter moves the focus to 印刷実行 (a size typed into cboMaxSize is taken
  // as the box loses the focus); Enter on a button presses it.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && !qobject_cast<QPushButton*>(focusWidget())) {
    cmdPrintGo->setFocus();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmPrinter::closeEvent(QCloseEvent* event) {
  // The close box cancels, as キャンセル does.
  cancelled_ = true;
  QDialog::closeEvent(event);
}

}  // namespace kavalo
