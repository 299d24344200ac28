// SPDX-License-Identifier: MIT
// The ruler: clicks on the map add points, the path's geodesic length (and,
// closed by a click on its first point, its area) shows on the map and in
// the status line; Esc or a right click ends it, Backspace takes the last
// point back. A drag still moves the map while measuring. The path is drawn
// over the map view only: it is a tool, not part of the map that is copied,
// exported or printed. It can be saved as GeoJSON or KML.
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cmath>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "platform/Prompts.h"
#include "platform/RememberedValues.h"
#include "render/CompareComposer.h"
#include "render/OverlayDrawing.h"
#include "render/RulerDrawing.h"

namespace kavalo {

namespace {

// A click this close to the first point (view pixels) closes the path.
constexpr double kCloseDistance = 8.0;

}  // namespace

void frmSCR::cmdRuler_Click() {
  if (!state_.view.loaded) {
    cmdRuler->setChecked(false);
    return;
  }
  if (rulerActive_) {
    endRuler();
    return;
  }
  // A new measure: what was measured before is cleared.
  ruler_.clear();
  rulerActive_ = true;
  rulerHover_.reset();
  cmdRuler->setChecked(true);
  picPrint->setCursor(Qt::CrossCursor);
  updateRuler();
  picPrint->setFocus();
}

void frmSCR::rulerClick(double x, double y) {
  if (!rulerActive_ || !state_.view.loaded) return;
  const auto& points = ruler_.points();
  if (points.size() >= 3) {
    // Back on the first point: the path is closed and measured as an area.
    const ImagePoint first = LatLonToImage(state_.mapInfo, static_cast<float>(points.front().lat),
                                           static_cast<float>(points.front().lon), 1);
    const QPointF at = overlayViewOf(state_.viewport()).imageToTarget.map(QPointF(first.x, first.y));
    const QPointF click = viewPositionAt(x, y);
    if (std::hypot(at.x() - click.x(), at.y() - click.y()) <= kCloseDistance) {
      ruler_.setClosed(true);
      endRuler();
      return;
    }
  }
  ruler_.addImagePoint(state_.mapInfo, imagePointAt(x, y));
  updateRuler();
}

void frmSCR::endRuler() {
  rulerActive_ = false;
  rulerHover_.reset();
  cmdRuler->setChecked(false);
  picPrint->unsetCursor();
  updateRuler();
}

void frmSCR::updateRuler() {
  rulerText_.clear();
  if (ruler_.points().size() >= 2) {
    Measure m;
    QString why;
    if (measurePath(ruler_.points(), ruler_.closed(), m, &why)) {
      rulerText_ = measureText(m, ruler_.closed());
    } else {
      // Without the geodesic module nothing can be measured: said once.
      prompts_.message(why, MessageIcon::Exclamation);
      ruler_.clear();
      rulerActive_ = false;
      cmdRuler->setChecked(false);
    }
  } else if (rulerActive_) {
    rulerText_ =
        ruler_.points().empty() ? tr("計測：始点をクリックしてください") : tr("計測：次の点をクリックしてください");
  }
  // The status line shows the measure under the map (with the readout when
  // the panel is folded).
  setStatusLine(statusCaption_);
  const bool statusWanted = !rulerText_.isEmpty() || panelFolded();
  // The map gives up a line to the status (or takes it back): laid out and
  // drawn again only then.
  if (statusWanted == lblStatus->isHidden()) Form_Resize();
  picPrint->update();
}

void frmSCR::paintOverMap(QPainter& painter) {
  if (!state_.view.loaded || ruler_.points().empty()) return;
  const OverlayView view = overlayViewOf(state_.viewport());
  const QString label = ruler_.points().size() >= 2 ? rulerText_ : QString();
  auto draw = [&] {
    drawRuler(painter, ruler_, state_.mapInfo, view, label);
    if (rulerActive_ && rulerHover_) {
      // The next segment follows the pointer.
      const GeoPoint& last = ruler_.points().back();
      const ImagePoint ip =
          LatLonToImage(state_.mapInfo, static_cast<float>(last.lat), static_cast<float>(last.lon), 1);
      painter.save();
      painter.setRenderHint(QPainter::Antialiasing, true);
      painter.setPen(QPen(QColor(200, 0, 0), 1.5, Qt::DashLine));
      painter.drawLine(view.imageToTarget.map(QPointF(ip.x, ip.y)), *rulerHover_);
      painter.restore();
    }
  };
  if (!compareActive() || compareSettings().mode != CompareMode::Side) {
    draw();
    return;
  }
  // Side by side, each pane shows the middle of the whole view: the path in
  // both, where each shows its place.
  const SidePanes panes = sideBySidePanes(state_.viewWidth(), state_.viewHeight());
  for (const QRect& pane : {panes.left, panes.right}) {
    painter.save();
    painter.setClipRect(pane);
    painter.translate(pane.x() + pane.width() / 2.0 - state_.viewWidth() / 2.0, 0.0);
    draw();
    painter.restore();
  }
}

void frmSCR::mnuRulerSave_Click() {
  if (ruler_.points().size() < 2) return;
  Measure m;
  QString why;
  if (!measurePath(ruler_.points(), ruler_.closed(), m, &why)) {
    prompts_.message(why, MessageIcon::Exclamation);
    return;
  }
  const FileChoice choice = prompts_.saveFile(
      saveFolder(QStringLiteral("measure")) + QStringLiteral("/計測.geojson"),  // stored
      tr("計測した経路の保存"),
      {{QStringLiteral("GeoJSON"), QStringLiteral("*.geojson")}, {QStringLiteral("KML"), QStringLiteral("*.kml")}},
      QStringLiteral("geojson"));
  if (!choice.chosen) return;
  rememberSaveFolder(QStringLiteral("measure"), choice.path);
  if (!saveMeasuredPath(choice.path, ruler_.points(), ruler_.closed(), m, &why))
    prompts_.message(why, MessageIcon::Exclamation);
}

void frmSCR::mnuRulerClear_Click() {
  ruler_.clear();
  updateRuler();
}

}  // namespace kavalo
