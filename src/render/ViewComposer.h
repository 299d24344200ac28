#pragma once
// The composition of the map view: the background (elevation pieces or
// white), the tiles of the shown era, the sheet lines, then (full redraws
// only) the snapshot for dragging and the overlays: scale bar, legend, marks
// and credits. On the screen it draws into the state's view picture
// (picPrint); in print mode into the page image at the print scale and
// offset. During a drag (FullRedraw false) only the strips the drag uncovers
// get the background, the tiles whose decoded pictures are at hand, and the
// sheet lines.
#include <QRegion>
#include <QString>

namespace kavalo {

struct ProgramState;

// What the composition needs from its surroundings.
class ComposeHooks {
 public:
  virtual ~ComposeHooks() = default;
  // End of every full composition while the legend switch is on: the legend
  // window takes the window's height and shows the legend of the shown era.
  virtual void showLegend() {}
  // Whether a full composition on the screen keeps a copy of the picture for
  // a drag to move; a picture that is written out and never dragged needs
  // none.
  virtual bool keepDragSnapshot() const { return true; }
  // Whether the pictures a composition stretches (tiles, elevation pieces)
  // are kept for the next one at the same zoom. A picture written out once
  // keeps none: keeping costs a copy, and for the pieces along the view's
  // edge a stretch of their parts outside the view.
  virtual bool keepStretched() const { return true; }
  // Whether the stretched parts of the tiles the view's edge cuts are kept
  // for the next composition at the same place (an era step); a view that
  // moves at every composition (a comparison being dragged) would only crowd
  // the decoded tiles out of the cache with them.
  virtual bool keepCutTiles() const { return keepStretched(); }
};

// Composes the view of the state (see above). Does nothing while no dataset
// is loaded or the view has no pixels.
void PrintGazo(ProgramState& state, ComposeHooks& hooks);

// During a drag, after the snapshot is moved onto the picture: the overlays
// of the view (scale bar, marks, credits) where a full redraw puts them, so
// that they stay in place while the map moves under them.
void DrawDragOverlays(ProgramState& state);

// The part of the view picture a composition draws into: the whole view for
// a full redraw; during a drag the strip (or the L of two strips) along the
// edges that the drag offset (dragDX, dragDY) uncovers; the whole view again
// when the offset is zero.
QRegion BuildViewClipRegion(const ProgramState& state);

}  // namespace kavalo
