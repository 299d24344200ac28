// SPDX-License-Identifier: MIT
#include "cli/ViewOptions.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <optional>

#include "geo/OverlayData.h"
#include "geo/ViewLink.h"
#include "render/ComposeContext.h"

namespace kavalo {

QStringList viewOptionNames() {
  return {QStringLiteral("--root"), QStringLiteral("--dataset"),   QStringLiteral("--link"),
          QStringLiteral("--era"),  QStringLiteral("--center"),    QStringLiteral("--zoom"),
          QStringLiteral("--size"), QStringLiteral("--mm-per-px"), QStringLiteral("--layers")};
}

QStringList overlayOptionNames() { return {QStringLiteral("--overlay")}; }

CliStatus applyOverlayOptions(const CliOptions& options, ProgramState& state) {
  for (const QString& path : options.getAll(QStringLiteral("--overlay"))) {
    std::unique_ptr<OverlayFile> file;
    QString message;
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    if (openOverlay(absolute, state.mapInfo, state.overlays.layerCount(), file, &message) != OverlayOpen::Opened) {
      printError(message.isEmpty() ? QStringLiteral("cannot open %1").arg(absolute) : message);
      return CliStatus(kExitFailed);
    }
    state.overlays.files.push_back(std::move(file));
  }
  return CliStatus();
}

bool applyViewOptions(const CliOptions& options, ProgramState& state, QString* error) {
  auto fail = [&](const QString& text) {
    if (error) *error = text;
    return false;
  };
  if (options.has(QStringLiteral("--link"))) {
    // The data folder was chosen by the link when it was loaded.
    QString why;
    const std::optional<ViewLink> link = parseViewLink(options.get(QStringLiteral("--link")), &why);
    if (!link) return fail(QStringLiteral("--link: %1").arg(why));
    if (!link->era.isEmpty()) {
      const int era = eraIndexByFolder(state.eras, link->era);
      if (era < 0) return fail(QStringLiteral("--link names an era this data folder does not have: %1").arg(link->era));
      state.view.eraIndex = era;
    }
    const ImagePoint centre = viewLinkCentre(state.mapInfo, *link);
    state.view.centerX = centre.x;
    state.view.centerY = centre.y;
    if (link->zoom > 0) state.view.zoomPercent = std::clamp(link->zoom, kMinZoom, kMaxZoom);
  }
  if (options.has(QStringLiteral("--era"))) {
    bool ok = false;
    const int era = options.get(QStringLiteral("--era")).toInt(&ok);
    if (!ok || era < 0 || era >= static_cast<int>(state.eras.size()))
      return fail(QStringLiteral("--era must be an era index from 0 to %1").arg(state.eras.size() - 1));
    state.view.eraIndex = era;
  }
  if (options.has(QStringLiteral("--center"))) {
    const QStringList parts = options.get(QStringLiteral("--center")).split(u',');
    bool okX = false, okY = false;
    if (parts.size() == 2) {
      state.view.centerX = parts[0].trimmed().toFloat(&okX);
      state.view.centerY = parts[1].trimmed().toFloat(&okY);
    }
    if (!okX || !okY || !std::isfinite(state.view.centerX) || !std::isfinite(state.view.centerY))
      return fail(QStringLiteral("--center must be X,Y in image pixels"));
  }
  if (options.has(QStringLiteral("--zoom"))) {
    bool ok = false;
    const int zoom = options.get(QStringLiteral("--zoom")).toInt(&ok);
    if (!ok || zoom < kMinZoom || zoom > kMaxZoom) return fail(QStringLiteral("--zoom must be 50 to 400"));
    state.view.zoomPercent = zoom;
  }
  int width = 1000, height = 700;
  if (options.has(QStringLiteral("--size"))) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(options.get(QStringLiteral("--size")));
    if (!m.hasMatch()) return fail(QStringLiteral("--size must be WxH"));
    width = m.captured(1).toInt();
    height = m.captured(2).toInt();
    if (width < 1 || height < 1 || width > 20000 || height > 20000)
      return fail(QStringLiteral("--size must be between 1x1 and 20000x20000"));
  }
  double mm = kDefaultMmPerScreenPx;
  if (options.has(QStringLiteral("--mm-per-px"))) {
    bool ok = false;
    mm = options.get(QStringLiteral("--mm-per-px")).toDouble(&ok);
    if (!ok || !(mm > 0.0) || mm > 100.0) return fail(QStringLiteral("--mm-per-px must be a positive number"));
  }
  state.mmPerScreenPxX = mm;
  state.mmPerScreenPxY = mm;
  state.scale = computeScaleFactors(state.mapInfo, mm, mm);
  if (options.has(QStringLiteral("--layers"))) {
    ViewState& v = state.view;
    v.showTiles = v.showAltitude = v.showSheetLines = v.showScale = v.showLegend = v.showMarks = false;
    const QString list = options.get(QStringLiteral("--layers"));
    for (const QString& layer : list.split(u',', Qt::SkipEmptyParts)) {
      const QString name = layer.trimmed();
      if (name == u"tiles")
        v.showTiles = true;
      else if (name == u"altitude")
        v.showAltitude = true;
      else if (name == u"lines")
        v.showSheetLines = true;
      else if (name == u"scale")
        v.showScale = true;
      else if (name == u"legend")
        v.showLegend = true;
      else if (name == u"marks")
        v.showMarks = true;
      else
        return fail(QStringLiteral("unknown layer: %1 (tiles, altitude, lines, scale, legend, marks)").arg(name));
    }
  }
  state.view.viewWidth = width;
  state.view.viewHeight = height;
  return true;
}

}  // namespace kavalo
