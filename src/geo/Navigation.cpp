// SPDX-License-Identifier: MIT
#include "geo/Navigation.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/Numbers.h"

namespace kavalo {

int truncatedZoom(int zoomPercent) { return zoomPercent - zoomPercent % kZoomStep; }

int steppedZoom(int zoomPercent, bool out, bool in, int minZoom, int maxZoom) {
  int z = truncatedZoom(zoomPercent);
  if (out) z = std::max(z - kZoomStep, minZoom);
  if (in) z = std::min(z + kZoomStep, maxZoom);
  return std::clamp(z, minZoom, maxZoom);
}

int steppedEraPosition(int position, int direction, int listedCount) {
  if (listedCount <= 0 || direction == 0) return position;
  const int next = position + (direction < 0 ? -1 : 1);
  if (next < 0) return listedCount - 1;
  if (next >= listedCount) return 0;
  return next;
}

RegionSize regionSize(const MapInfo& info) {
  return RegionSize{toSingle(static_cast<double>(info.totalCols) * info.tileWidth),
                    toSingle(static_cast<double>(info.totalRows) * info.tileHeight)};
}

ImagePoint regionClampedCentre(ImagePoint centre, const MapInfo& info) {
  const RegionSize region = regionSize(info);
  // NaN (a damaged saved position) goes to the region's corner, not through.
  auto clamp = [](float v, float hi) { return std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, std::max(0.0f, hi)); };
  return ImagePoint{clamp(centre.x, region.width), clamp(centre.y, region.height)};
}

WholeRegionView wholeRegionView(const MapInfo& info, const ScaleFactors& scale, int viewWidth, int viewHeight,
                                int minZoom, int maxZoom) {
  const RegionSize region = regionSize(info);
  WholeRegionView v;
  v.centre = ImagePoint{region.width / 2.0f, region.height / 2.0f};
  // At zoom z a view shows viewWidth * imagePerScreenX * 100 / z image pixels
  // across: the region fits while z is at most this.
  double fit = maxZoom;
  if (region.width > 0 && viewWidth > 0) fit = std::min(fit, 100.0 * viewWidth * scale.imagePerScreenX / region.width);
  if (region.height > 0 && viewHeight > 0)
    fit = std::min(fit, 100.0 * viewHeight * scale.imagePerScreenY / region.height);
  v.zoomPercent = std::clamp(static_cast<int>(std::floor(fit)), minZoom, maxZoom);
  return v;
}

PanSteps quarterViewSteps(const Viewport& view) {
  PanSteps s;
  s.x = toSingle(static_cast<double>(view.ScreenToImageDX(view.width())) / 4.0);
  s.y = toSingle(static_cast<double>(view.ScreenToImageDY(view.height())) / 4.0);
  return s;
}

int panFactor(bool ctrlHeld, int moveAmount) { return ctrlHeld ? 3 : 4 - moveAmount; }

ImagePoint pannedCentre(ImagePoint centre, PanSteps steps, int factor, ArrowKeys held) {
  const double dx = static_cast<double>(steps.x) * factor;
  const double dy = static_cast<double>(steps.y) * factor;
  if (held.right) centre.x = toSingle(centre.x + dx);
  if (held.left) centre.x = toSingle(centre.x - dx);
  if (held.up) centre.y = toSingle(centre.y - dy);
  if (held.down) centre.y = toSingle(centre.y + dy);
  return centre;
}

QPoint dragOffset(ViewPoint press, ViewPoint now) {
  return QPoint(roundToInt(static_cast<double>(now.x) - press.x), roundToInt(static_cast<double>(now.y) - press.y));
}

ImagePoint draggedCentre(ImagePoint pressCentre, ViewPoint press, ViewPoint now, const Viewport& view) {
  // The way back from the pointer to the press is a single, as the pointer
  // positions are.
  const float backX = toSingle(static_cast<double>(press.x) - now.x);
  const float backY = toSingle(static_cast<double>(press.y) - now.y);
  ImagePoint c;
  c.x = toSingle(static_cast<double>(pressCentre.x) + view.ScreenToImageDX(backX));
  c.y = toSingle(static_cast<double>(pressCentre.y) + view.ScreenToImageDY(backY));
  return c;
}

void moveSnapshot(QImage& view, const QImage& snapshot, QPoint offset) {
  if (view.isNull() || snapshot.isNull()) return;
  const QRect target = QRect(offset, snapshot.size()).intersected(view.rect());
  if (target.isEmpty()) return;
  if (view.format() != snapshot.format() || view.depth() != 32) {
    // Pictures of another kind than the view's own: let the painter convert.
    QPainter p(&view);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(target.topLeft(), snapshot, target.translated(-offset));
    return;
  }
  const int sourceX = target.left() - offset.x();
  const int sourceY = target.top() - offset.y();
  const size_t rowBytes = static_cast<size_t>(target.width()) * 4;
  for (int row = 0; row < target.height(); ++row) {
    const uchar* from = snapshot.constScanLine(sourceY + row) + static_cast<size_t>(sourceX) * 4;
    uchar* to = view.scanLine(target.top() + row) + static_cast<size_t>(target.left()) * 4;
    std::memcpy(to, from, rowBytes);
  }
}

}  // namespace kavalo
