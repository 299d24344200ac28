// SPDX-License-Identifier: MIT
#pragma once
// Era steps that never wait: while the window is idle, the tiles of the eras
// before and after the one shown, at the view shown, are made ready. Those
// on disk are decoded into the cache of decoded pictures (within its
// budget); those missing are fetched, when online, after everything a view
// asks for, and decoded as they arrive. A view that moves drops what was
// asked for and not fetched yet.
#include <QString>
#include <optional>
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
  // The pause after the last composition that counts as idle. Online the
  // fetch goes out at once: it waits behind every tile a view asks for, and
  // the network is the long part of making an era ready.
  static constexpr int kIdleMs = 1000;
  static constexpr int kIdleOnlineMs = 100;

  // A composition of shown: when the view has moved from where the prefetch
  // was made, what it asked for and was not fetched is dropped. A
  // composition of the same view (tiles arriving) keeps it.
  void viewShown(TileDownloads* downloads, const ViewRequest& shown);

  // The window is idle on shown: the neighbouring eras' files are made
  // ready. Returns the files asked for: decoded from disk, and fetched.
  struct Asked {
    int decode = 0;
    int fetch = 0;
  };
  Asked prefetch(const ProgramState& session, const ViewRequest& shown, TileDownloads* downloads);

  // A file the prefetch asked for has arrived: it is decoded at once (the
  // cache trusts a file the program has just put in place itself).
  void fetched(const QString& path);

  // The files of the last prefetch that were handed to the decoder (path,
  // extension), for tests.
  const std::vector<std::pair<QString, QString>>& lastDecoded() const { return decoded_; }

 private:
  std::vector<std::pair<QString, QString>> decoded_;
  std::optional<ViewRequest> basis_;  // the view the last prefetch was made for
};

}  // namespace kavalo
