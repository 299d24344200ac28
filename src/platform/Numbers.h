// SPDX-License-Identifier: MIT
#pragma once
// Number conventions shared by every file reader, writer and drawing routine:
// rounding to integers is half to even, single-precision values are stored
// back into float at the points where the program keeps them as singles, and
// texts of numbers never use an exponent.
#include <QString>
#include <cmath>
#include <cstdint>
#include <optional>

namespace kavalo {

// Nearest integer, halves to the even neighbour (the default FP rounding mode).
inline double roundHalfEven(double v) { return std::nearbyint(v); }

// Half-to-even rounding into an int32. Values outside the int32 range are
// clamped; callers that must reject them use toInt32Checked.
int roundToInt(double v);

// Half-to-even rounding into an int32, or nothing when the value is not finite
// or does not fit.
std::optional<int32_t> toInt32Checked(double v);

// Stores a double-precision intermediate as a single, the way a float
// variable keeps it.
inline float toSingle(double v) { return static_cast<float>(v); }

// Integer division that rounds toward minus infinity (for negative dividends).
inline int floorDiv(int a, int b) {
  int q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// Text of a single with at most seven significant digits, in plain decimal
// notation: 1234.5, 0.25, 35.68123, -7. This is how singles are written to
// the program's text files.
QString singleToText(float v);

// The shortest plain decimal text that reads back as the same single
// (12.345678, 5.6789, 7). Used where a value is shown, not stored.
QString shortestSingleText(float v);

// The shortest plain decimal text of a double (12.3, 12, -0.5).
QString shortestDoubleText(double v);

// Reads the longest leading decimal number of a text, after leading blanks:
// an optional sign, digits with an optional decimal point, and an optional
// exponent. A text that does not begin with a number gives 0.
double leadingNumber(const QString& text);

}  // namespace kavalo
