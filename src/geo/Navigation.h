// SPDX-License-Identifier: MIT
#pragma once
// The arithmetic of moving and zooming the map view, apart from the window:
// zoom steps, era steps over the listed positions, the arrow-key pan, the
// centre while dragging and the block copy that moves the last full picture
// under the pointer. The main window's handlers read their controls, call
// these and redraw.
#include <QPoint>

#include "model/Coordinates.h"
#include "model/MapInfo.h"

class QImage;

namespace kavalo {

// Shift+Up/Down and the wheel zoom in steps of this many percent.
constexpr int kZoomStep = 25;

// The zoom truncated to a multiple of the step: z − z mod 25.
int truncatedZoom(int zoomPercent);

// One zoom step from the truncated zoom: out subtracts a step, then in adds
// one (both when both are asked for); the result stays within the range.
int steppedZoom(int zoomPercent, bool out, bool in, int minZoom, int maxZoom);

// The era slider's list position one step back (direction < 0) or forward,
// wrapping at both ends of the listed eras: before the first is the last,
// after the last is the first. A step that lands beyond the list wraps to the
// first too (a single listed era leaves the slider a second, empty position).
// Without listed eras the position is kept.
int steppedEraPosition(int position, int direction, int listedCount);

// A quarter of the view, in image pixels: the pan step of one arrow press.
struct PanSteps {
  float x = 0.0f;
  float y = 0.0f;
};
PanSteps quarterViewSteps(const Viewport& view);

// How many quarters of the view one arrow press moves: three with Ctrl,
// otherwise 4 − the move-amount slider's value (1 to 3).
int panFactor(bool ctrlHeld, int moveAmount);

struct ArrowKeys {
  bool left = false;
  bool right = false;
  bool up = false;
  bool down = false;
  bool any() const { return left || right || up || down; }
};

// The centre after one arrow press: every arrow held moves it, so two held
// together move it diagonally.
ImagePoint pannedCentre(ImagePoint centre, PanSteps steps, int factor, ArrowKeys held);

// A pointer position on the map view; the press position is kept in singles.
struct ViewPoint {
  float x = 0.0f;
  float y = 0.0f;
};

// The drag offset in whole view pixels: round(x − press x), round(y − press y).
QPoint dragOffset(ViewPoint press, ViewPoint now);

// The centre that keeps the point under the press under the pointer now:
// press centre + the pointer's way back, in image pixels at the current zoom.
ImagePoint draggedCentre(ImagePoint pressCentre, ViewPoint press, ViewPoint now, const Viewport& view);

// The region in image pixels: the whole grid of tiles.
struct RegionSize {
  float width = 0.0f;
  float height = 0.0f;
};
RegionSize regionSize(const MapInfo& info);

// The centre kept on the region: however the view is moved (drag, keys, the
// position dialog), at most half a view of blank lies beyond the region's
// edge, so some of the map is always in sight.
ImagePoint regionClampedCentre(ImagePoint centre, const MapInfo& info);

// The view that shows the whole region (全体): its middle, at the largest
// zoom within [minZoom, maxZoom] at which the region fits the view. A region
// larger than the view even at the least zoom is shown at the least zoom,
// from its middle (as much of it as a view can hold).
struct WholeRegionView {
  ImagePoint centre;
  int zoomPercent = 100;
};
WholeRegionView wholeRegionView(const MapInfo& info, const ScaleFactors& scale, int viewWidth, int viewHeight,
                                int minZoom, int maxZoom);

// Copies the snapshot of the last full redraw onto the view picture with its
// top-left corner at offset, cut to the view. One block copy, row by row,
// without allocating (when the view picture is not shared).
void moveSnapshot(QImage& view, const QImage& snapshot, QPoint offset);

}  // namespace kavalo
