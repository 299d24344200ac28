// SPDX-License-Identifier: MIT
#include "output/TimelapseFrames.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/ComposeContext.h"

namespace kavalo {

namespace {

QFont labelFont(QSize film) {
  QFont font(QString::fromLatin1(kMapFontFamily));
  font.setPixelSize(filmLabelPixelSize(film));
  font.setBold(true);
  return font;
}

}  // namespace

int filmLabelPixelSize(QSize film) {
  const int shorter = std::min(film.width(), film.height());
  return std::max(12, static_cast<int>(std::lround(shorter * 0.045)));
}

QRect filmLabelRect(QSize film, const QString& text, LabelCorner corner) {
  if (corner == LabelCorner::None || text.isEmpty()) return QRect();
  const int px = filmLabelPixelSize(film);
  const QFontMetrics metrics(labelFont(film));
  const int pad = std::max(3, px / 3);
  const int margin = std::max(4, px / 2);
  const QSize box(metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + 2 * pad);
  const bool right = corner == LabelCorner::TopRight || corner == LabelCorner::BottomRight;
  const bool bottom = corner == LabelCorner::BottomLeft || corner == LabelCorner::BottomRight;
  const int x = right ? film.width() - margin - box.width() : margin;
  const int y = bottom ? film.height() - margin - box.height() : margin;
  return QRect(QPoint(x, y), box);
}

void drawFilmLabel(QImage& frame, const QString& text, LabelCorner corner) {
  const QRect box = filmLabelRect(frame.size(), text, corner);
  if (box.isEmpty()) return;
  QPainter painter(&frame);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 225));
  const double radius = box.height() * 0.18;
  painter.drawRoundedRect(QRectF(box), radius, radius);
  painter.setFont(labelFont(frame.size()));
  painter.setPen(QColor(32, 32, 32));
  painter.drawText(box, Qt::AlignCenter, text);
}

void blendFrames(const QImage& a, const QImage& b, int weight, QImage& out) {
  if (out.size() != a.size() || out.format() != QImage::Format_RGB32) out = QImage(a.size(), QImage::Format_RGB32);
  const uint32_t wb = static_cast<uint32_t>(std::clamp(weight, 0, 256));
  const uint32_t wa = 256 - wb;
  for (int y = 0; y < a.height(); ++y) {
    const auto* pa = reinterpret_cast<const uint32_t*>(a.constScanLine(y));
    const auto* pb = reinterpret_cast<const uint32_t*>(b.constScanLine(y));
    auto* po = reinterpret_cast<uint32_t*>(out.scanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      // Red and blue in one multiply, green in another: 8 bits apart, each
      // product fits below the next channel.
      const uint32_t ca = pa[x], cb = pb[x];
      const uint32_t rb = ((ca & 0xFF00FFu) * wa + (cb & 0xFF00FFu) * wb + 0x800080u) >> 8;
      const uint32_t g = ((ca & 0x00FF00u) * wa + (cb & 0x00FF00u) * wb + 0x008000u) >> 8;
      po[x] = 0xFF000000u | (rb & 0xFF00FFu) | (g & 0x00FF00u);
    }
  }
}

bool samePixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.format() != b.format()) return false;
  if (a.constBits() == b.constBits()) return true;
  const size_t row = static_cast<size_t>(a.width()) * static_cast<size_t>(a.depth() / 8);
  for (int y = 0; y < a.height(); ++y)
    if (std::memcmp(a.constScanLine(y), b.constScanLine(y), row) != 0) return false;
  return true;
}

}  // namespace kavalo
