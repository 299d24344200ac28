// SPDX-License-Identifier: MIT
#include "model/Era.h"

#include <cstdlib>

namespace kavalo {

int findEraAgain(const std::vector<Era>& eras, const EraMark& mark) {
  for (size_t i = 0; i < eras.size(); ++i)
    if (eras[i].name == mark.folder) return static_cast<int>(i);
  int best = -1;
  int64_t bestDistance = 0;
  for (size_t i = 0; i < eras.size(); ++i) {
    const int64_t distance = std::abs(static_cast<int64_t>(eras[i].yearFrom) - mark.year);
    if (best < 0 || distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

YearRange OrthoPeriodYears(int32_t periodCode) {
  switch (periodCode) {
    case 0:
      return {1974, 1978};
    case 1:
      return {1979, 1983};
    case 2:
      return {1984, 1986};
    case 3:
      return {1987, 1990};
    case 4:
    case 5:
      return {2011, 2011};
    default:
      return {0, 0};
  }
}

}  // namespace kavalo
