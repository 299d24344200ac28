// SPDX-License-Identifier: MIT
#include "model/Overlays.h"

namespace kavalo {

int OverlaySet::layerCount() const {
  int n = 0;
  for (const auto& f : files) n += static_cast<int>(f->layers.size());
  return n;
}

}  // namespace kavalo
