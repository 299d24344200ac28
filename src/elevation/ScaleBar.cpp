// SPDX-License-Identifier: MIT
#include "elevation/ScaleBar.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/Numbers.h"

namespace kavalo {

namespace {

// Divisions by leading digit; only 1, 2, 4, 6, 8 and 10 occur once odd
// digits have been raised, the other entries keep the table whole.
constexpr int kDivisions[11] = {0, 2, 2, 3, 4, 2, 3, 2, 4, 3, 2};

// Lengths are worked out on their decimal digits, and the digits of a
// double that came out of a division are not always the digits meant: a
// fifth of the view may come out as 0.29999999999999993 where 0.3 is meant,
// and cutting that to one decimal would give 0.2. The inputs are singles
// (about seven significant digits), so rounding to twelve significant
// digits removes the noise of the double arithmetic and keeps every digit
// that means something; the cut then works on the decimal number meant.
double decimalClean(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.12g", v);
  return std::strtod(buf, nullptr);
}

double powerOfTen(int n) {
  double p = 1.0;
  for (int i = 0; i < n; ++i) p *= 10.0;  // exact up to 10^22
  return p;
}

bool isOddRaised(int digit) { return digit == 3 || digit == 5 || digit == 7 || digit == 9; }

// leading x 10^exponent in plain decimal notation: 40, 4, 0.4, 0.06, 1.
QString decimalText(int leading, int exponent) {
  if (exponent >= 0) {
    QString s = QString::number(leading);
    s += QString(exponent, u'0');
    return s;
  }
  const int places = -exponent;
  QString digits = QString::number(leading);
  if (digits.size() <= places) digits = QString(places - digits.size() + 1, u'0') + digits;
  QString s = digits.left(digits.size() - places) + u'.' + digits.right(places);
  while (s.endsWith(u'0')) s.chop(1);
  if (s.endsWith(u'.')) s.chop(1);
  return s;
}

}  // namespace

int scaleDivisions(int leadingDigit) {
  if (leadingDigit < 0 || leadingDigit > 10) return 0;
  return kDivisions[leadingDigit];
}

double tentativeScaleLength(double viewWidth, int zoomPercent, double unitPixels) {
  if (zoomPercent <= 0 || !(unitPixels > 0.0)) return 0.0;
  const double v = viewWidth / (zoomPercent / 100.0);  // view width at 100 %
  double length = decimalClean(v / 5.0 / unitPixels);
  // A fifth of a narrow view is less than one unit: try a quarter (and stop
  // there; the sub-unit rounding takes whatever it gives).
  if (length < 1.0) length = decimalClean(v / 4.0 / unitPixels);
  return length;
}

ScaleLength roundScaleLength(double tentative) {
  ScaleLength r;
  const double length = decimalClean(tentative);
  // Nothing to measure (an empty view) or a length no bar can show.
  if (!std::isfinite(length) || !(length > 0.0) || length >= 1e15) return r;

  if (length >= 1.0) {
    // c digits before the point, counted on the integer part (exact, where
    // a logarithm of 1000 may come out a hair below 3).
    const auto whole = static_cast<int64_t>(std::floor(length));
    int c = 0;
    for (int64_t n = whole; n > 0; n /= 10) ++c;
    int64_t d = 1;
    for (int i = 1; i < c; ++i) d *= 10;
    // round(L) div d: 9.6 rounds to 10, whose "leading digit" is 10.
    const auto rounded = static_cast<int64_t>(roundHalfEven(length));
    int leading = static_cast<int>(rounded / d);
    if (isOddRaised(leading)) ++leading;
    r.leadingDigit = leading;
    r.exponent = c - 1;
  } else {
    // c = |Int(log10 L)|: the decimal place of the first significant digit,
    // the smallest c for which L x 10^c reaches 1 (0.35 gives 1, 0.05 gives 2).
    int c = 1;
    while (decimalClean(length * powerOfTen(c)) < 1.0) ++c;
    // Cut (not round) to c decimals: only the leading digit is left.
    int leading = static_cast<int>(std::floor(decimalClean(length * powerOfTen(c))));
    if (isOddRaised(leading)) ++leading;  // 0.9 becomes 1
    r.leadingDigit = leading;
    r.exponent = -c;
  }

  r.valid = true;
  r.length = r.exponent >= 0 ? r.leadingDigit * powerOfTen(r.exponent) : r.leadingDigit / powerOfTen(-r.exponent);
  r.divisions = scaleDivisions(r.leadingDigit);
  r.text = decimalText(r.leadingDigit, r.exponent);
  return r;
}

ScaleLength chooseScaleLength(double viewWidth, int zoomPercent, double screenPerImageX, double imagePxPer40mm) {
  return roundScaleLength(tentativeScaleLength(viewWidth, zoomPercent, screenPerImageX * imagePxPer40mm));
}

}  // namespace kavalo
