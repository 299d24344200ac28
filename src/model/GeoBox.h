// SPDX-License-Identifier: MIT
#pragma once

namespace kavalo {

// West and east longitude, north and south latitude, in degrees.
struct GeoBox {
  float west = 0.0f;
  float east = 0.0f;
  float north = 0.0f;
  float south = 0.0f;
};

// -1 when the boxes share no point (touching edges count as shared), 1 when a
// lies inside b (edges included), otherwise 0.
int BoxRelation(const GeoBox& a, const GeoBox& b);

}  // namespace kavalo
