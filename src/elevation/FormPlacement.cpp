// SPDX-License-Identifier: MIT
#include "elevation/FormPlacement.h"

#include <algorithm>

namespace kavalo {

QPoint nearCursorPosition(QPoint cursor, QSize form, const QRect& screen, bool centred) {
  // Measured from the screen's own corner, so a second screen at an offset
  // behaves like the first.
  const double cx = cursor.x() - screen.left();
  const double cy = cursor.y() - screen.top();
  const double w = form.width();
  const double h = form.height();
  double top = cy - h / 2;
  double left = centred ? cx - w / 2 : cx + 0.1 * w;
  if (left + w > screen.width()) left = cx - 1.1 * w;
  if (top + h > screen.height()) top = cy - 1.1 * h;
  left = std::max(left, 0.0);
  top = std::max(top, 0.0);
  return QPoint(screen.left() + static_cast<int>(left), screen.top() + static_cast<int>(top));
}

}  // namespace kavalo
