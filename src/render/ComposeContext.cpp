#include "render/ComposeContext.h"

#include <QImage>

#include <cmath>

#include "platform/Numbers.h"

namespace kavalo {

int ComposeContext::targetX(double x) const { return printMode ? roundToInt(print.k * x + print.ox) : roundToInt(x); }

int ComposeContext::targetY(double y) const { return printMode ? roundToInt(print.k * y + print.oy) : roundToInt(y); }

int ComposeContext::targetSize(double s) const { return printMode ? roundToInt(print.k * s) : roundToInt(s); }

QFont ComposeContext::mapFont(double pointSize, bool bold) {
  QFont font(QString::fromLatin1(kMapFontFamily));
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

ComposeContext makeComposeContext(const ProgramState& state) {
  ComposeContext c;
  c.state = &state;
  c.view = state.viewport();
  c.eraIndex = state.view.eraIndex;
  c.printMode = state.view.printMode;
  c.print = state.print;
  return c;
}

void setTargetResolution(QImage& image, const ProgramState& state, double k) {
  // 1440 twips make an inch.
  const double dpiX = 1440.0 / state.twipsPerPixelX * k;
  const double dpiY = 1440.0 / state.twipsPerPixelY * k;
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / 0.0254)));
}

}  // namespace kavalo
