// SPDX-License-Identifier: MIT
#include "cli/LegendLayer.h"

#include <QPainter>

#include <algorithm>

#include "elevation/Legend.h"
#include "model/ProgramState.h"
#include "platform/Paths.h"

namespace kavalo {

QImage legendForView(const ProgramState& state, QString* reason, bool* notApplicable) {
  *notApplicable = false;
  const QString name = state.hasEra() && state.currentEra().hasLegend ? legendFileName(state.currentEra()) : QString();
  if (name.isEmpty()) {
    *notApplicable = true;
    *reason = state.hasEra() ? QStringLiteral("--layers legend: era %1 (%2) has no legend")
                                   .arg(state.view.eraIndex)
                                   .arg(state.currentEra().name)
                             : QStringLiteral("--layers legend: the data folder has no era");
    return {};
  }
  const QString path = joinPath(state.datasetFolder, name);
  const QImage legend = loadLegendPicture(path);
  if (legend.isNull()) *reason = QStringLiteral("the legend picture cannot be read: %1").arg(path);
  return legend;
}

void drawLegendCorner(QImage& picture, const QImage& legend) {
  if (picture.isNull() || legend.isNull()) return;
  const int width = std::min(picture.width(), legend.width());
  const int height = std::min(picture.height(), legend.height());
  QPainter p(&picture);
  p.drawImage(QPoint(picture.width() - width, 0), legend, QRect(0, 0, width, height));
}

}  // namespace kavalo
