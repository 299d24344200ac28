// SPDX-License-Identifier: MIT
#include "cli/CompareOptions.h"

#include "model/ProgramState.h"

namespace kavalo {

namespace {

bool readInt(const QString& text, int& out) {
  bool ok = false;
  out = text.trimmed().toInt(&ok);
  return ok;
}

}  // namespace

QStringList compareOptionNames() {
  return {QStringLiteral("--compare"), QStringLiteral("--mode"), QStringLiteral("--split"), QStringLiteral("--lens"),
          QStringLiteral("--opacity")};
}

bool readCompareOptions(const CliOptions& options, const ProgramState& state, CompareView& view, QString* error) {
  auto fail = [&](const QString& text) {
    if (error) *error = text;
    return false;
  };
  const int w = state.viewWidth(), h = state.viewHeight();
  const int eras = static_cast<int>(state.eras.size());
  if (!readInt(options.get(QStringLiteral("--compare")), view.eraB) || view.eraB < 0 || view.eraB >= eras)
    return fail(QStringLiteral("--compare must be an era index from 0 to %1").arg(eras - 1));
  view.mode = CompareMode::Side;
  if (options.has(QStringLiteral("--mode")) &&
      !compareModeFromName(options.get(QStringLiteral("--mode")).trimmed(), view.mode))
    return fail(QStringLiteral("--mode must be side, swipe, lens or blend"));
  view.split = w / 2;
  if (options.has(QStringLiteral("--split")) &&
      (!readInt(options.get(QStringLiteral("--split")), view.split) || view.split < 0 || view.split > w))
    return fail(QStringLiteral("--split must be a view x from 0 to %1").arg(w));
  view.lens = QPoint(w / 2, h / 2);
  view.lensRadius = 120;
  if (options.has(QStringLiteral("--lens"))) {
    const QStringList parts = options.get(QStringLiteral("--lens")).split(u',');
    int x = 0, y = 0, r = 0;
    if (parts.size() != 3 || !readInt(parts[0], x) || !readInt(parts[1], y) || !readInt(parts[2], r) ||
        r < CompareSettings::kMinLensRadius || r > CompareSettings::kMaxLensRadius)
      return fail(QStringLiteral("--lens must be X,Y,R in view pixels, R from %1 to %2")
                      .arg(CompareSettings::kMinLensRadius)
                      .arg(CompareSettings::kMaxLensRadius));
    view.lens = QPoint(x, y);
    view.lensRadius = r;
  }
  view.opacity = 50;
  if (options.has(QStringLiteral("--opacity")) &&
      (!readInt(options.get(QStringLiteral("--opacity")), view.opacity) || view.opacity < 0 || view.opacity > 100))
    return fail(QStringLiteral("--opacity must be 0 to 100"));
  return true;
}

bool compareOptionsNeedCompare(const CliOptions& options, QString* error) {
  for (const QString& name : compareOptionNames()) {
    if (options.has(name)) {
      if (error) *error = QStringLiteral("%1 needs --compare B").arg(name);
      return false;
    }
  }
  return true;
}

bool renderCompare(const CliOptions& options, const ProgramState& state, const ViewRequest& view, QImage& picture,
                   TileSource* tiles, QString* error) {
  if (!options.has(QStringLiteral("--compare"))) {
    if (!compareOptionsNeedCompare(options, error)) return false;
    renderView(state, view, picture, tiles);
    return true;
  }
  CompareView compare;
  if (!readCompareOptions(options, state, compare, error)) return false;
  CompareComposer composer;
  ViewRequest panes = view;
  panes.pass = RenderPass::ComparePane;
  PrintGazoCompare(state, panes, compare, composer, picture, tiles);
  return true;
}

}  // namespace kavalo
