// SPDX-License-Identifier: MIT
#include "render/ComposeContext.h"

#include <QImage>

#include <cmath>

#include "platform/Numbers.h"

namespace kavalo {

// On a screen of ratio 1 the mapping is the identity, and each position is
// rounded exactly as the view has always rounded it.
int ComposeContext::targetX(double x) const { return roundToInt(print.k * x + print.ox); }

int ComposeContext::targetY(double y) const { return roundToInt(print.k * y + print.oy); }

int ComposeContext::targetSize(double s) const { return roundToInt(print.k * s); }

QFont ComposeContext::mapFont(double pointSize, bool bold) {
  QFont font(QString::fromLatin1(kMapFontFamily));
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

ComposeContext makeComposeContext(const ProgramState& session, const ViewRequest& request) {
  ComposeContext c;
  c.state = &session;
  c.view = request.viewport(session.mapInfo);
  c.eraIndex = request.eraIndex;
  c.layers = request.layers;
  c.printMode = request.paper();
  c.print = TargetMapping{request.devicePixelRatio, request.origin.x(), request.origin.y()};
  return c;
}

void setTargetResolution(QImage& image, const ProgramState& session, double k) {
  // 1440 twips make an inch.
  const double dpiX = 1440.0 / session.twipsPerPixelX * k;
  const double dpiY = 1440.0 / session.twipsPerPixelY * k;
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / 0.0254)));
}

}  // namespace kavalo
