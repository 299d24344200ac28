// SPDX-License-Identifier: MIT
#pragma once
// Era steps that never wait: while the window is idle, the tiles of the eras
// before and after the one shown, at the view shown, are made ready. Those
// on disk are decoded into the cache of decoded pictures (within its
// budget); those missing are fetched, when online, after everything a view
// asks for. A view that moves drops what was asked for and not fetched yet.
#include <QString>
#include <utility>
#include <vector>

#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;
class TileDownloads;

class EraPrefetch {
 public:
  // The prefetch's own view in the tile source.
  static constexpr int kViewId = 1000;

  // The view shown has changed (a composition): what the prefetch asked for
  // and was not fetched is dropped.
  void viewShown(TileDownloads* downloads);

  // The window is idle on shown: the neighbouring eras' files are made
  // ready. Returns the files asked for: decoded from disk, and fetched.
  struct Asked {
    int decode = 0;
    int fetch = 0;
  };
  Asked prefetch(const ProgramState& session, const ViewRequest& shown, TileDownloads* downloads);

  // Whether the prefetch asked for files since the view was last shown;
  // told once. Once they have arrived and aged kDecodeFetchedAfterMs (past
  // the grain under which the cache of decoded pictures trusts no file), a
  // prefetch again decodes them, so that the step to their era finds them
  // decoded online as offline.
  bool takeFetched() { return std::exchange(fetching_, false); }
  static constexpr int kDecodeFetchedAfterMs = 2100;

  // The files of the last prefetch that were handed to the decoder (path,
  // extension), for tests.
  const std::vector<std::pair<QString, QString>>& lastDecoded() const { return decoded_; }

 private:
  std::vector<std::pair<QString, QString>> decoded_;
  bool fetching_ = false;
};

}  // namespace kavalo
