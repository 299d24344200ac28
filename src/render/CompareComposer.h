// SPDX-License-Identifier: MIT
#pragma once
// Two eras of one view at once. Each era is composed the ordinary way (a
// request of its own) at the same centre and zoom; the frame the window shows is then
// made from the two composed pictures without composing again, so moving
// the swipe divider or the lens, or changing the blend, costs a copy of
// pixels and the overlays.
//
// Side by side: each era is composed at the width of its pane, with all its
// overlays (scale bar, credits, marks, sheet lines), as a view of its own.
// Swipe, lens, blend: the two pictures are taken before their overlays
// (sheet lines included, they belong to their era); the frame gets one scale
// bar and one set of marks, and the credits of both eras when they differ:
// for a swipe each in its own half, otherwise era B's above era A's.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <optional>

#include "model/CompareSettings.h"
#include "render/ViewComposer.h"
#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;
class TileSource;

// One comparison of the view's era (A) with another (B), in the frame's
// pixels (target pixels: view pixels times the device pixel ratio).
struct CompareView {
  int eraB = 0;
  CompareMode mode = CompareMode::Side;
  int split = 0;  // swipe: era A left of this x, era B from it on
  QPoint lens;    // lens: the circle's centre
  int lensRadius = 120;
  int opacity = 50;  // blend: era B's opacity in percent
  // Side by side: the cursor, mirrored as a cross-hair into the other pane.
  // Swipe: the cursor near the divider, where a small window onto the other
  // era opens at it (see swipePeephole).
  std::optional<QPoint> cursor;
};

// Two panes of equal width with a divider between them: one pixel wide for
// an odd view width, two for an even one.
struct SidePanes {
  QRect left;
  QRect right;
  QRect divider;
};
SidePanes sideBySidePanes(int width, int height);

// The pane at a view position: 0 left, 1 right, -1 on the divider or
// outside; *local becomes the position inside that pane.
int paneAt(const SidePanes& panes, QPointF position, QPointF* local = nullptr);

// The view position in a pane's own view (same centre and zoom) that shows
// the same place as local does in the pane: the pane's offset from the
// view's centre is taken out.
QPointF paneToViewPosition(const SidePanes& panes, QPointF local, int viewWidth);

// The swipe divider kept inside the view (0 to width).
int clampSplit(int split, int width);

// Near the swipe divider the other era lies a few pixels from the pointer
// but never under it: the eye jumps across the line and loses the place. A
// small round window onto the other era opens at the pointer, a cross at
// its middle, while the pointer is within kPeepholeReach view pixels of the
// divider (and past the grip the divider is dragged by). Its radius, in view
// pixels (0: none) for a pointer at `x`, the divider at `split`, both in
// frame pixels at `ratio` frame pixels per view pixel.
inline constexpr int kPeepholeReach = 96;
inline constexpr int kPeepholeRadius = 28;
int swipePeepholeRadius(int x, int split, double ratio);

// The pixels of a lens, cut to the view: each row's span of the circle.
QRegion lensRegion(QPoint centre, int radius, QSize view);

class CompareComposer {
 public:
  // Composes era A (the request's era) and era B, each through a request of
  // its own (pass ComparePane; era B as view 1 of the tile source). Nothing
  // happens while no dataset is loaded.
  void compose(const ProgramState& session, const ViewRequest& view, const CompareView& compare,
               TileSource* tiles = nullptr);
  // Makes the frame of the view from the composed pictures. False when they
  // are missing or of another mode or size.
  bool makeFrame(const ProgramState& session, const ViewRequest& view, const CompareView& compare, QImage& frame) const;

  bool composedFor(const ViewRequest& view, const CompareView& compare) const;
  const QImage& pictureA() const { return a_; }
  const QImage& pictureB() const { return b_; }
  void clear();

 private:
  void drawOverlays(const ProgramState& session, const ViewRequest& view, QImage& frame,
                    const CompareView& compare) const;

  QImage a_;
  QImage b_;
  // Pictures a composition also makes but the frame does not use (the
  // overlaid pictures of the modes other than side by side): kept only so
  // that their buffers are reused from one composition to the next.
  QImage spareA_;
  QImage spareB_;
  bool side_ = false;
  QSize frameSize_;
};

// Both steps for a view: the composition path of a comparison.
void PrintGazoCompare(const ProgramState& session, const ViewRequest& view, const CompareView& compare,
                      CompareComposer& composer, QImage& frame, TileSource* tiles = nullptr);

// Era B's weight over A: each channel a * (256 - w) + b * w rounded over
// 256, w = round(2.56 * opacity); 0 % gives A and 100 % gives B exactly.
void blendPictures(const QImage& a, const QImage& b, int opacity, QImage& out);

}  // namespace kavalo
