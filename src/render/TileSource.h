// SPDX-License-Identifier: MIT
#pragma once
// Where the composition gets its tile files from. A file on disk is always
// drawn; a file missing on disk is drawn as missing (the background shows),
// and under the network policy the source is asked to fetch it: it arrives
// later, and whoever owns the source composes again then. The composition
// never waits.
//
// A source serves several views (the window's view, a comparison's two
// eras). Each composition of a view opens with beginView and closes with
// endView: what the view asked for in between is what it shows now, so the
// files it asked for before and no longer shows can be forgotten, and the
// newest view's files come first.
#include <QString>

#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;

class TileSource {
 public:
  virtual ~TileSource() = default;

  virtual void beginView(int viewId) {}
  virtual void endView(int viewId) {}

  // True when the file (fileName in the folder of era eraIndex) is on disk.
  // Otherwise, when the policy allows the network, the source may start
  // fetching it; the answer is still false for this composition.
  virtual bool ensure(const ProgramState& session, int eraIndex, const QString& fileName, TilePolicy policy,
                      int viewId) = 0;
};

// A source that only looks on disk.
class DiskTileSource : public TileSource {
 public:
  bool ensure(const ProgramState& session, int eraIndex, const QString& fileName, TilePolicy policy,
              int viewId) override;
};

// The process's disk-only source (compositions that never fetch).
TileSource& diskTileSource();

}  // namespace kavalo
