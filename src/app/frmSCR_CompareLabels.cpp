// SPDX-License-Identifier: MIT
// Which era is which while two eras show: a small label of each era on its
// side of the frame (framed in the colours the coverage strip gives the two
// eras), and the era's name flashed in the part of the map that changed when
// either era is stepped.
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "model/EraLabels.h"
#include "platform/Numbers.h"
#include "render/CompareComposer.h"
#include "render/ComposeContext.h"

namespace kavalo {

namespace {

// Room between a label and what it stands beside, in view pixels.
constexpr int kLabelGap = 6;
// The labels' letters, in view pixels.
constexpr int kLabelPixels = 12;

// The era shown (A) is framed in red, the compared one (B) in blue, as in the
// coverage strip.
QColor labelColour(int which) { return which == 0 ? QColor(Qt::red) : QColor(Qt::blue); }

QString eraText(const ProgramState& state, int eraIndex) {
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size())) return QString();
  return Get_cboAge_Text(state.eras[static_cast<size_t>(eraIndex)], state.view.eraLabelStyle);
}

// The label's box with its top-left corner wanted at `at`, moved inside the
// view.
QRect keptInside(QRect box, QPoint at, QSize view) {
  box.moveTopLeft(at);
  if (box.right() >= view.width()) box.moveRight(view.width() - 1);
  if (box.bottom() >= view.height()) box.moveBottom(view.height() - 1);
  if (box.left() < 0) box.moveLeft(0);
  if (box.top() < 0) box.moveTop(0);
  return box;
}

}  // namespace

QRect frmSCR::compareArea(int which) const {
  const int w = state_.viewWidth(), h = state_.viewHeight();
  const QRect whole(0, 0, w, h);
  switch (compare_.mode) {
    case CompareMode::Side: {
      const SidePanes panes = sideBySidePanes(w, h);
      return which == 0 ? panes.left : panes.right;
    }
    case CompareMode::Swipe: {
      const int split = compareSplit();
      return which == 0 ? QRect(0, 0, split, h) : QRect(split, 0, w - split, h);
    }
    case CompareMode::Lens: {
      if (which == 0) return whole;
      const QPoint c = compareCursor_.value_or(QPoint(w / 2, h / 2));
      const int r = compare_.lensRadius;
      return QRect(c.x() - r, c.y() - r, 2 * r + 1, 2 * r + 1).intersected(whole);
    }
    case CompareMode::Blend:
      break;
  }
  return whole;
}

void frmSCR::drawCompareLabels() {
  if (!compareActive() || viewPicture_.isNull()) return;
  const double ratio = viewPixelRatio();
  const QSize view(state_.viewWidth(), state_.viewHeight());
  // Sized in view pixels (a 9-point face on an ordinary screen): the frame's
  // resolution, set for the map's own lettering, plays no part.
  QFont font = ComposeContext::mapFont(9, true);
  font.setPixelSize(kLabelPixels);
  const QFontMetrics metrics(font);
  const int eras[2] = {state_.view.eraIndex, compare_.eraB};
  QString texts[2];
  QRect boxes[2];
  for (int which = 0; which < 2; ++which) {
    texts[which] = eraText(state_, eras[which]);
    // The blend says how much of the compared era it shows.
    if (compare_.mode == CompareMode::Blend && which == 1) texts[which] += QStringLiteral(" %1%").arg(compare_.opacity);
    boxes[which] = QRect(0, 0, metrics.horizontalAdvance(texts[which]) + 8, metrics.height() + 4);
  }
  QPoint at[2];
  const int w = view.width();
  switch (compare_.mode) {
    case CompareMode::Side:
    case CompareMode::Lens:
      // Side by side, over each pane's top middle; the lens's era just above
      // the lens (below it when the lens touches the top), the shown era at
      // the top middle of the view.
      for (int which = 0; which < 2; ++which) {
        const QRect area = compare_.mode == CompareMode::Side || which == 0 ? compareArea(which) : QRect(0, 0, w, 0);
        at[which] = QPoint(area.center().x() - boxes[which].width() / 2, kLabelGap);
      }
      if (compare_.mode == CompareMode::Lens) {
        const QPoint c = compareCursor_.value_or(QPoint(w / 2, view.height() / 2));
        int y = c.y() - compare_.lensRadius - kLabelGap - boxes[1].height();
        if (y < 0) y = c.y() + compare_.lensRadius + kLabelGap;
        at[1] = QPoint(c.x() - boxes[1].width() / 2, y);
      }
      break;
    case CompareMode::Swipe: {
      // Each era on its own side of the divider, at the top.
      const int split = compareSplit();
      at[0] = QPoint(split - kLabelGap - boxes[0].width(), kLabelGap);
      at[1] = QPoint(split + kLabelGap, kLabelGap);
      break;
    }
    case CompareMode::Blend: {
      // Under the opacity slider at the top right, one above the other.
      const int top = SliderOpacity->geometry().bottom() + kLabelGap;
      at[0] = QPoint(w - kLabelGap - boxes[0].width(), top);
      at[1] = QPoint(w - kLabelGap - boxes[1].width(), top + boxes[0].height() + 2);
      break;
    }
  }
  QPainter p(&viewPicture_);
  // Drawn in view pixels: a picture that carries its ratio is already scaled.
  const double scale = ratio / viewPicture_.devicePixelRatio();
  if (scale != 1.0) p.scale(scale, scale);
  p.setFont(font);
  for (int which = 0; which < 2; ++which) {
    const QRect box = keptInside(boxes[which], at[which], view);
    p.fillRect(box, QColor(255, 255, 255, 230));
    p.setPen(QPen(labelColour(which), 2));
    p.drawRect(box.adjusted(1, 1, -1, -1));
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, texts[which]);
  }
}

void frmSCR::flashEraChange(int which) {
  if (!compareActive()) return;
  const int era = which == 0 ? state_.view.eraIndex : compare_.eraB;
  if (era < 0 || era >= static_cast<int>(state_.eras.size())) return;
  showEraLabel(state_.eras[static_cast<size_t>(era)], compareArea(which));
  Timer1->start(1200);
}

}  // namespace kavalo
