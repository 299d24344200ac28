// SPDX-License-Identifier: MIT
#pragma once
// The geometry of the print dialog: the sheet and its printable area in a
// small preview, the map view fitted into the printable area, the map's area
// that the user sizes and drags, and the print scale and offsets it leaves for
// the print pass. All in doubles: the preview widgets show it rounded, and the
// offsets come out the same whether the area was placed in the dialog or
// given in millimetres on the command line.
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace kavalo {

// The print pass: printer pixels per view pixel, and the page offset of the
// view's top-left corner from the printable area's top-left, in printer
// pixels.
struct PrintPass {
  double k = 1.0;
  double ox = 0.0;
  double oy = 0.0;
};

// What the printer reports for the chosen paper and orientation.
struct PrinterMetrics {
  QSizeF paper;        // the sheet, in printer pixels
  QSizeF printable;    // the printable area, in printer pixels
  QSizeF printableMm;  // the printable area, in millimetres
  double dpiX = 0.0;   // printer pixels per inch
  double dpiY = 0.0;
};

// The map view fitted into the printable area at 100 %, centred (one of the
// offsets is 0), in printer pixels.
struct PrintFit {
  double width = 0.0;
  double height = 0.0;
  double x = 0.0;
  double y = 0.0;
};
PrintFit fitIntoPrintable(QSizeF map, QSizeF printable);

// A box kept inside a box of the given size: a negative left or top becomes
// 0, a box reaching past the right or bottom edge is moved back.
QRectF CheckPrintArea(QRectF area, QSizeF box);

// The numeric value of cboMaxSize's text, clamped to 0..100.
int clampPrintSize(const QString& text);

// The sheets the agency's map and photo tiles may be printed on: at most the
// area of A4 (210 x 297 mm).
inline constexpr double kA4AreaMm2 = 62370.0;
// True when the era's kind (basic-map tiles, aerial and ortho photos) may not
// be printed on a printable area this large.
bool exceedsA4Rule(int eraKind, QSizeF printableMm);

class PrintLayout {
 public:
  // outer: the fixed preview box (picOuter), in preview pixels.
  explicit PrintLayout(QSizeF outer = QSizeF(240, 240)) : outer_(outer) {}

  // The recomputation of PaperSizeSet for new printer metrics: preview sheet
  // and printable box, the fitted map, the size back to 100 and the area
  // where the fitted map sits. map: the view picture's size in pixels.
  void PaperSizeSet(const PrinterMetrics& metrics, QSizeF map);
  bool known() const { return metrics_.printable.width() > 0 && metrics_.printable.height() > 0; }

  QRectF paper() const { return paper_; }          // picPaper inside picOuter
  QRectF scaleSize() const { return scaleSize_; }  // picScaleSize inside picPaper
  QRectF area() const { return area_; }            // picPrintArea inside picScaleSize
  const PrintFit& fit() const { return fit_; }
  const PrinterMetrics& metrics() const { return metrics_; }
  int sizeValue() const { return size_; }

  // The size in per cent (clamped to 0..100): the area shrinks or grows from
  // its top-left corner and is kept inside the box. Returns the value kept.
  int setSizeValue(int value);
  // Moves the area's top-left corner (preview pixels), kept inside the box.
  void moveArea(QPointF topLeft);
  // Moves the area to a top-left corner in printer pixels of the printable
  // area, kept inside it.
  void moveAreaToPrinterPixels(QPointF topLeft);

  // The print pass for the main window: printer pixels per view pixel, and
  // the area's place in printer pixels (whole numbers). mapWidth: the view
  // picture's width in pixels.
  PrintPass printPass(double mapWidth) const;

 private:
  QSizeF outer_;
  PrinterMetrics metrics_;
  QRectF paper_, scaleSize_, area_;
  PrintFit fit_;
  int size_ = 100;
};

}  // namespace kavalo
