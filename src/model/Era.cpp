#include "model/Era.h"

namespace kavalo {

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
