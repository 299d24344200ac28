// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

#include "model/EraLabels.h"
#include "output/PrintJob.h"
#include "output/PrintLayout.h"
#include "output/frmPrinter.h"
#include "render/MarkHitTest.h"
#include "render/RenderFixture.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

PrinterMetrics metrics(QSizeF paper, QSizeF printable, double dpi = 300) {
  PrinterMetrics m;
  m.paper = paper;
  m.printable = printable;
  m.printableMm = printable * (25.4 / dpi);
  m.dpiX = m.dpiY = dpi;
  return m;
}

// The bounding box of what is not white on a page rendered at 25.4 dpi (one
// pixel a millimetre); empty when the page could not be rendered.
QRect inkedMillimetres(const QString& pdf) {
  const QString renderer = QStandardPaths::findExecutable("pdftoppm");
  if (renderer.isEmpty()) return {};
  QProcess p;
  p.start(renderer, {"-r", "25.4", "-png", "-singlefile", pdf, pdf});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  const QImage page(pdf + ".png");
  QRect box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 235) box |= QRect(x, y, 1, 1);
  return box;
}

}  // namespace

TEST(PrintLayout, TheViewIsFittedAndCentredForPortraitAndLandscape) {
  struct Case {
    QSizeF paper, printable, map;
    double k, ox, oy;
  } cases[] = {
      // A wide view on a portrait sheet: full width, centred vertically.
      {{2480, 3508}, {2400, 3400}, {1000, 700}, 2.4, 0, 860},
      // The same view on a landscape sheet is still (a little) wider.
      {{3508, 2480}, {3400, 2400}, {1000, 700}, 3.4, 0, 10},
      // A tall view on a landscape sheet: full height, centred horizontally.
      {{3508, 2480}, {3400, 2400}, {700, 1000}, 2400.0 / 1000, 860, 0},
  };
  for (const Case& c : cases) {
    PrintLayout layout;
    layout.PaperSizeSet(metrics(c.paper, c.printable), c.map);
    const PrintPass p = layout.printPass(c.map.width());
    EXPECT_NEAR(p.k, c.k, 1e-9) << c.paper.width();
    EXPECT_EQ(p.ox, c.ox) << c.paper.width();
    EXPECT_EQ(p.oy, c.oy) << c.paper.width();
    // The preview keeps the sheet's proportions inside the fixed box.
    EXPECT_NEAR(layout.paper().width() / layout.paper().height(), c.paper.width() / c.paper.height(), 1e-9);
    EXPECT_NEAR(layout.scaleSize().width() / layout.scaleSize().height(), c.printable.width() / c.printable.height(),
                1e-9);
  }
}

TEST(PrintLayout, SizesAreClampedAndTheAreaStaysInsideThePrintableBox) {
  const std::pair<QString, int> sizes[] = {{"150", 100}, {"-5", 0}, {"55.5", 56}, {"40％", 40}, {"abc", 0}};
  for (const auto& [text, value] : sizes) EXPECT_EQ(clampPrintSize(text), value) << text.toStdString();

  const QSizeF box(100, 80);
  const std::pair<QRectF, QPointF> moves[] = {
      {{-5, 10, 20, 20}, {0, 10}},  {{10, -3, 20, 20}, {10, 0}},  {{90, 10, 20, 20}, {80, 10}},
      {{10, 70, 20, 20}, {10, 60}}, {{95, 95, 20, 20}, {80, 60}}, {{30, 30, 20, 20}, {30, 30}},
  };
  for (const auto& [area, topLeft] : moves) EXPECT_EQ(CheckPrintArea(area, box).topLeft(), topLeft);

  // Half the size from the centred place; then dragged far past the corner.
  PrintLayout layout;
  layout.PaperSizeSet(metrics({2480, 3508}, {2400, 3400}), {1000, 700});
  layout.setSizeValue(50);
  PrintPass p = layout.printPass(1000);
  EXPECT_NEAR(p.k, 1.2, 1e-9);
  EXPECT_EQ(p.oy, 860);
  layout.moveAreaToPrinterPixels({5000, 5000});
  p = layout.printPass(1000);
  EXPECT_EQ(p.ox, 2400 - 1200);
  EXPECT_EQ(p.oy, 3400 - 840);
}

TEST(PrintLayout, AgencyErasAreNotPrintedBeyondA4) {
  const QSizeF a4(200, 287), a3(287, 410);
  for (int kind = 0; kind <= 5; ++kind) {
    const bool agency = kind == 1 || kind == 2 || kind == 5;
    EXPECT_EQ(exceedsA4Rule(kind, a3), agency) << kind;
    EXPECT_FALSE(exceedsA4Rule(kind, a4)) << kind;
  }
}

TEST(PrintPass, ThePageImageHoldsTheViewAtThePrintScale) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles("E1900", test::tileColour);
  ASSERT_TRUE(f.load());
  const QImage page = composePrintPage(f.state, f.request(RenderPass::Print), 2.0);
  ASSERT_EQ(page.size(), QSize(600, 400));
  // Tile (col, row) covers view x from -50 + 100 col and y from -60 + 80 row.
  EXPECT_EQ(page.pixel(10, 10), test::tileColour(0, 0));
  EXPECT_EQ(page.pixel(2 * 60, 2 * 30), test::tileColour(1, 1));
  EXPECT_EQ(page.pixel(2 * 270, 2 * 150), test::tileColour(3, 2));
}

TEST(PrintPass, BandsMakeExactlyTheWholePage) {
  // Everything a page holds, at a scale whose positions round both ways:
  // stretched tiles and elevation, sheet lines, the scale bar, a mark and
  // the credits across the bands' edges.
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  f.solidTiles("E1900", test::tileColour);
  ASSERT_TRUE(f.load());
  f.state.view.showScale = f.state.view.showMarks = f.state.view.showSheetLines = true;
  f.state.marks.add(markAtViewPosition(f.state.viewport(), 150, 95, QStringLiteral("境")));
  for (const double k : {2.5, 1.37}) {
    const QImage whole = composePrintPage(f.state, f.request(RenderPass::Print), k);
    ASSERT_FALSE(whole.isNull());
    for (const int rows : {2, 6, 64, 4000}) {
      QImage joined(whole.size(), QImage::Format_RGB32);
      joined.fill(Qt::black);
      int next = 0, bands = 0;
      ASSERT_TRUE(composePrintBands(f.state, f.request(RenderPass::Print), k, rows, [&](const QImage& band, int top) {
        EXPECT_EQ(top, next) << "bands come in order, without gaps";
        EXPECT_EQ(band.width(), whole.width());
        // A band reaches one row into the next, the last one to the page's end.
        EXPECT_EQ(band.height(), std::min(rows + 1, whole.height() - top));
        QPainter(&joined).drawImage(0, top, band);
        next = top + rows;
        ++bands;
        return true;
      }));
      EXPECT_EQ(bands, (whole.height() + rows - 1) / rows);
      EXPECT_EQ(joined, whole) << "k " << k << ", bands of " << rows;
    }
  }
}

TEST(PrintPass, TheMapIsComposedAtAResolutionThatServesIt) {
  test::RenderFixture f;
  f.data.write();
  ASSERT_TRUE(f.load());
  // At 100 % one image pixel is one view pixel. Printed at k printer pixels
  // per view pixel on a 1200 dpi printer, the map's pixels lie 1200 / k to
  // the inch.
  const ViewRequest view = f.request(RenderPass::Print);
  struct Case {
    double printerDpi, k, composeDpi;
  } cases[] = {
      {300, 0.5, 300},    // a PDF file: the printer's own resolution
      {1200, 10, 300},    // a coarse map: 120 dpi of map, composed at 300
      {1200, 2, 600},     // 600 dpi of map: its own density
      {1200, 0.5, 1200},  // finer than the printer: the printer's
  };
  for (const Case& c : cases)
    EXPECT_NEAR(printComposeDpi(f.state, view, c.printerDpi, c.k), c.composeDpi, 1e-6) << c.printerDpi << " " << c.k;
}

TEST(PrintDialog, PdfPrintPutsTheMapWhereTheDialogSaid) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles("E1900", [](int, int) { return qRgb(20, 40, 160); });
  ASSERT_TRUE(f.load());
  f.state.eras[0].kind = kAgencyBasicMap;
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  frmPrinter form(f.state, f.prompts, printer, f.compose(), nullptr);
  EXPECT_EQ(form.cboMaxSize->count(), 10);
  form.cboPrinter->setCurrentIndex(form.cboPrinter->count() - 1);
  EXPECT_EQ(form.cboPrinter->currentText(), "PDFファイル");
  form.cboPrinter_Click();
  ASSERT_TRUE(form.cmdPrintGo->isEnabled());

  // An agency map on A3 is refused and the dialog stays.
  form.cboPaperSize->setCurrentIndex(form.cboPaperSize->findText(QPageSize(QPageSize::A3).name()));
  form.cboPaperSize_Click();
  form.cmdPrintGo_Click();
  EXPECT_EQ(f.prompts.messages(), QStringList({"表示中のデータはA4サイズ以上の大きさでは印刷できません。"}));
  EXPECT_TRUE(form.dialogCancelled());

  form.cboPaperSize->setCurrentIndex(form.cboPaperSize->findText(QPageSize(QPageSize::A4).name()));
  form.cboPaperSize_Click();
  form.optPaperDir[1]->click();
  form.cboMaxSize->setEditText("150");
  form.cboMaxSize_Click();
  EXPECT_EQ(form.cboMaxSize->currentText(), "100");
  form.cboMaxSize->setEditText("50");
  form.cboMaxSize_Click();
  const QSizeF before = form.layout().area().size();
  form.dragPrintArea({0, 0}, {-500, -500});  // past the top-left corner: snapped back
  EXPECT_EQ(form.picPrintArea->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(form.layout().area().size(), before);
  form.dragPrintArea({0, 0}, {20, 30});

  f.prompts.chooseFile(dir.path() + "/page");
  form.cmdPrintGo_Click();
  ASSERT_FALSE(form.dialogCancelled());
  EXPECT_EQ(printer.outputFileName(), dir.path() + "/page.pdf");
  const PrintPass pass = form.printPass();
  const PrinterMetrics m = printerMetrics(printer);
  EXPECT_NEAR(pass.k, 0.5 * m.printable.width() / 300, 1e-9);
  ASSERT_TRUE(printView(f.state, f.request(RenderPass::Print), printer, pass, f.prompts));
  const QByteArray pdf = test::readBytes(dir.path() + "/page.pdf");
  EXPECT_TRUE(pdf.startsWith("%PDF"));
  // The job is titled with the program, the data folder and the era (the
  // PDF's title, in UTF-16 as Qt writes it), then the region's and era's names.
  const QString title = printer.docName();
  EXPECT_TRUE(title.startsWith(QStringLiteral("Kavalo ") + QFileInfo(f.state.datasetFolder).fileName() + u' ' +
                               f.state.eras[0].name))
      << title.toStdString();
  EXPECT_TRUE(title.endsWith(f.state.mapInfo.title + u' ' + Get_cboAge_Text(f.state.eras[0], 0)))
      << title.toStdString();
  QByteArray wide;
  for (QChar c : QStringLiteral("Kavalo ")) wide += '\0', wide += static_cast<char>(c.unicode());
  EXPECT_TRUE(pdf.contains(wide));

  const QRect inked = inkedMillimetres(dir.path() + "/page.pdf");
  if (inked.isEmpty()) GTEST_SKIP() << "no PDF renderer to look at the page";
  const QPointF margin = printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
  const double mmPerPx = 25.4 / m.dpiX;
  EXPECT_NEAR(inked.left(), margin.x() + pass.ox * mmPerPx, 1.5);
  EXPECT_NEAR(inked.top(), margin.y() + pass.oy * mmPerPx, 1.5);
  EXPECT_NEAR(inked.width(), 300 * pass.k * mmPerPx, 1.5);
  EXPECT_NEAR(inked.height(), 200 * pass.k * mmPerPx, 1.5);
}

TEST(PrintDialog, EnterGoesToThePrintButtonAndTheCloseBoxCancels) {
  test::RenderFixture f;
  f.data.write();
  ASSERT_TRUE(f.load());
  QPrinter printer(QPrinter::HighResolution);
  frmPrinter form(f.state, f.prompts, printer, f.compose(), nullptr);
  form.show();
  form.activateWindow();
  // A size typed and Enter: taken, and the focus moves on to 印刷実行.
  form.cboMaxSize->setFocus();
  form.cboMaxSize->setEditText("30");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(form.cboMaxSize->lineEdit(), &enter);
  EXPECT_EQ(form.focusWidget(), form.cmdPrintGo);
  EXPECT_EQ(form.layout().sizeValue(), 30);
  EXPECT_TRUE(form.isVisible());
  form.close();
  EXPECT_TRUE(form.dialogCancelled());
  EXPECT_EQ(form.printPass().k, 1.0);
}

TEST(PrintCli, PrintsToPdfAndKeepsTheA4Rule) {
  const QString sample = qEnvironmentVariable("KAVALO_SAMPLE");
  if (sample.isEmpty() || !QFile::exists(sample + "/dataset.txt")) GTEST_SKIP() << "no sample region";
  QTemporaryDir dir;
  const QString pdf = dir.path() + "/p.pdf";
  const QStringList base = {"print", "--root", sample, "--era", "8", "--pdf", pdf};
  test::ProgramRun run = test::runCli(base + QStringList{"--paper", "A3"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("表示中のデータはA4サイズ以上の大きさでは印刷できません。"));
  EXPECT_FALSE(QFile::exists(pdf));
  run = test::runCli(
      base + QStringList{"--paper", "A4", "--orientation", "landscape", "--print-size", "50", "--offset-mm", "10,20"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QRect inked = inkedMillimetres(pdf);
  if (!inked.isEmpty()) {
    EXPECT_GT(inked.width(), inked.height());  // landscape sheet, wide map
    EXPECT_LT(inked.width(), 297 / 2 + 2);
  }
  EXPECT_EQ(test::runCli(base + QStringList{"--print-size", "5"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"print", "--root", sample}).exitCode, 2);
}
