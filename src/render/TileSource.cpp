// SPDX-License-Identifier: MIT
#include "render/TileSource.h"

#include "platform/Paths.h"
#include "render/Tiles.h"

namespace kavalo {

bool DiskTileSource::ensure(const ProgramState& session, int eraIndex, const QString& fileName, TilePolicy, int) {
  return FileExists(TilePath(session, eraIndex, fileName));
}

TileSource& diskTileSource() {
  static DiskTileSource source;
  return source;
}

}  // namespace kavalo
