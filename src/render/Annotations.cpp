// SPDX-License-Identifier: MIT
#include "render/Annotations.h"

#include <QFontMetricsF>

#include <algorithm>

#include "elevation/Credits.h"
#include "elevation/ScaleBar.h"

namespace kavalo {

namespace {

// Text is placed by the top-left corner of its line, the way the layout
// measures it; QPainter places it by its baseline.
void drawTextAt(QPainter& painter, const QFontMetricsF& metrics, int x, int y, const QString& text) {
  painter.drawText(QPointF(x, y + metrics.ascent()), text);
}

// A line one view pixel wide: one pixel on the screen, k pixels on the page,
// so that the page looks like the view.
int lineWidth(const ComposeContext& context) { return std::max(1, context.targetSize(1)); }

bool hasShownEra(const ComposeContext& context) {
  return context.state != nullptr && context.eraIndex >= 0 &&
         context.eraIndex < static_cast<int>(context.st().eras.size());
}

// Where the scale bar stands, in view pixels: its white background from the
// left of its "0" to the view's right and bottom edges. Empty when no bar is
// drawn at this zoom.
QRectF scaleBarArea(QPainter& painter, const ComposeContext& context) {
  const Viewport& view = context.view;
  const ScaleFactors& factors = view.scale();
  const double w = view.width();
  const double h = view.height();
  const ScaleLength length = chooseScaleLength(w, view.zoomPercent(), factors.screenPerImageX, factors.imagePxPer40mm);
  if (!length.valid) return QRectF();
  const QString unit = context.state != nullptr ? context.info().scaleUnit : QString();
  const QFontMetricsF metrics(ComposeContext::mapFont(12), painter.device());
  const double s = context.scale();
  const double barLen = static_cast<double>(factors.imagePxPer40mm) * length.length * factors.screenPerImageX *
                        view.zoomPercent() / 100.0;
  const double th = metrics.height() / s;
  const double hz = metrics.horizontalAdvance(QStringLiteral("0")) / s / 2.0;
  const double hl = metrics.horizontalAdvance(length.text) / s / 2.0;
  const double uw = metrics.horizontalAdvance(unit) / s;
  const double x0 = w - (barLen + hz + hl + uw);
  const double y0 = h - (6.0 + th);
  return QRectF(QPointF(x0 - 2.0, y0 - 2.0), QPointF(w, h));
}

}  // namespace

// The layout works in view pixels and maps every position onto the target
// at the end (itself on the screen, k x + ox on the page). Text extents take
// part in the layout, so they too must be view pixels: they are measured on
// the target, whose resolution makes the map font k times larger on the
// page, and divided by the target's scale. (Extents measured in points would
// need the factor 20 / twips per pixel to become pixels; measured in pixels
// they need none.)
void Scale_Print(QPainter& painter, const ComposeContext& context) {
  const Viewport& view = context.view;
  const ScaleFactors& factors = view.scale();
  const double w = view.width();
  const double h = view.height();
  const ScaleLength length = chooseScaleLength(w, view.zoomPercent(), factors.screenPerImageX, factors.imagePxPer40mm);
  if (!length.valid) return;
  const QString unit = context.state != nullptr ? context.info().scaleUnit : QString();

  painter.save();
  const QFont font = ComposeContext::mapFont(12);
  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  const double s = context.scale();

  const double barLen = static_cast<double>(factors.imagePxPer40mm) * length.length * factors.screenPerImageX *
                        view.zoomPercent() / 100.0;
  const double th = metrics.height() / s;
  const double hz = metrics.horizontalAdvance(QStringLiteral("0")) / s / 2.0;
  const double hl = metrics.horizontalAdvance(length.text) / s / 2.0;
  const double uw = metrics.horizontalAdvance(unit) / s;
  // Right-aligned with the unit text, six pixels above the bottom.
  const double x0 = w - (barLen + hz + hl + uw);
  const double y0 = h - (6.0 + th);

  // The background reaches the view's right and bottom edges (on the page,
  // the edges of the view's image there, not of the page).
  const int backLeft = context.targetX(x0 - 2.0);
  const int backTop = context.targetY(y0 - 2.0);
  painter.fillRect(QRect(backLeft, backTop, context.targetX(w) - backLeft, context.targetY(h) - backTop), Qt::white);

  painter.setPen(Qt::black);
  drawTextAt(painter, metrics, context.targetX(x0), context.targetY(y0), QStringLiteral("0"));
  drawTextAt(painter, metrics, context.targetX(x0 + barLen - hl), context.targetY(y0), length.text + unit);

  // The bar runs from the tick of 0 to the tick of the length, both included.
  const int barLeft = context.targetX(x0 + hz);
  const int barRight = context.targetX(x0 + hz + barLen);
  const int barTop = context.targetY(y0 + th + 3.0);
  painter.fillRect(QRect(barLeft, barTop, barRight - barLeft + 1, context.targetSize(3.0)), Qt::black);

  // Ticks five pixels high, down to the bar's top edge.
  const int tickTop = context.targetY(y0 + th - 2.0);
  const int tickWidth = lineWidth(context);
  for (int i = 0; i <= length.divisions; ++i) {
    const int x = context.targetX(x0 + hz + i * barLen / length.divisions);
    painter.fillRect(QRect(x - (tickWidth - 1) / 2, tickTop, tickWidth, barTop - tickTop), Qt::black);
  }
  painter.restore();
}

// White text with a black outline reads on any map on the screen; on paper
// the colours swap, black text with a white outline.
namespace {

// The smallest face the credits shrink to in a narrow view.
constexpr double kLeastCreditPoints = 5.0;

}  // namespace

void Approval_Print(QPainter& painter, const ComposeContext& context) {
  if (!hasShownEra(context)) return;
  const CreditLines lines = creditLines(context.era(), context.info().approval, context.layers.altitude);
  // Nothing to say: no font is even looked for.
  if (std::all_of(lines.begin(), lines.end(), [](const QString& line) { return line.isEmpty(); })) return;

  painter.save();
  QFont font = ComposeContext::mapFont(8);
  const double s = context.scale();
  {
    // A view narrower than the longest line (the least window, a pane of a
    // side-by-side comparison) gets the lines in a smaller face, down to the
    // least readable one, rather than cut at its edge.
    const QFontMetricsF full(font, painter.device());
    double widest = 0.0;
    for (const QString& line : lines) widest = std::max(widest, full.horizontalAdvance(line) / s + 2.0);
    const double room = context.view.width();
    if (widest > room && room > 0) font.setPointSizeF(std::max(kLeastCreditPoints, 8.0 * room / widest));
  }
  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  const double lh = metrics.height() / s;  // one line, in view pixels
  // Four lines flush with the bottom (the last is usually empty); on the page
  // the block stands half a line higher.
  double top = context.view.height() - 4.0 * lh;
  if (context.printMode) top -= 0.5 * lh;

  // In a narrow view the lines would run under the scale bar: they then
  // stand above it instead.
  if (context.layers.scale) {
    const QRectF bar = scaleBarArea(painter, context);
    double widest = 0.0;
    int lastLine = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].isEmpty()) continue;
      widest = std::max(widest, metrics.horizontalAdvance(lines[i]) / s + 1.0);  // the outline's pixel
      lastLine = static_cast<int>(i);
    }
    if (!bar.isEmpty() && lastLine >= 0 && widest > bar.left()) {
      const double bottom = top + (lastLine + 1) * lh + 1.0;
      if (bottom > bar.top()) top -= bottom - bar.top();
    }
  }

  const QColor outline = context.printMode ? Qt::white : Qt::black;
  const QColor fill = context.printMode ? Qt::black : Qt::white;

  painter.setPen(outline);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    const double y = top + static_cast<double>(i) * lh;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; dx += 2) {
        drawTextAt(painter, metrics, context.targetX(dx), context.targetY(y + dy), lines[i]);
      }
    }
  }
  painter.setPen(fill);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    const double y = top + static_cast<double>(i) * lh;
    drawTextAt(painter, metrics, context.targetX(0), context.targetY(y), lines[i]);
  }
  painter.restore();
}

}  // namespace kavalo
