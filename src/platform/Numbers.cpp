// SPDX-License-Identifier: MIT
#include "platform/Numbers.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <string>

namespace kavalo {

int roundToInt(double v) {
  if (std::isnan(v)) return 0;
  double r = roundHalfEven(v);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int>(r);
}

std::optional<int32_t> toInt32Checked(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  double r = roundHalfEven(v);
  if (r > static_cast<double>(std::numeric_limits<int32_t>::max()) ||
      r < static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::nullopt;
  return static_cast<int32_t>(r);
}

namespace {

// Removes trailing zeros of a fraction and a dangling decimal point.
std::string trimFraction(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

std::string normaliseZero(std::string s) {
  if (s == "-0") return "0";
  return s;
}

int significantDigits(const std::string& fixed) {
  // Digits from the first non-zero digit to the last non-zero digit.
  int first = -1, last = -1, index = 0;
  for (char c : fixed) {
    if (c >= '0' && c <= '9') {
      if (c != '0') {
        if (first < 0) first = index;
        last = index;
      }
      ++index;
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

}  // namespace

QString shortestSingleText(float v) {
  if (!std::isfinite(v)) return QStringLiteral("0");
  char buf[128];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return QString::fromLatin1(normaliseZero(std::string(buf, res.ptr)).c_str());
}

QString shortestDoubleText(double v) {
  if (!std::isfinite(v)) return QStringLiteral("0");
  char buf[512];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return QString::fromLatin1(normaliseZero(std::string(buf, res.ptr)).c_str());
}

QString singleToText(float v) {
  if (!std::isfinite(v) || v == 0.0f) return QStringLiteral("0");
  char buf[128];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  std::string shortest(buf, res.ptr);
  if (significantDigits(shortest) <= 7) return QString::fromLatin1(normaliseZero(shortest).c_str());
  // More than seven digits are needed to give the single back exactly; keep
  // seven, rounded from the exact binary value.
  double d = static_cast<double>(v);
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(d))));
  int decimals = std::max(0, 6 - exponent);
  std::snprintf(buf, sizeof buf, "%.*f", decimals, d);
  std::string s(buf);
  std::snprintf(buf, sizeof buf, "%.0f", std::fabs(d));
  const std::string whole(buf);  // the integer part's exact digits
  if (whole.size() > 7) {
    // Keep seven significant digits of a large value, the rest become zeros.
    // The rounding works on the exact digits: a division by a power of ten
    // would round a second time, and multiplying back gives a double whose
    // digits are not zeros beyond 2^53.
    std::string head = whole.substr(0, 7);
    const std::string tail = whole.substr(7);
    const bool beyondHalf = tail.find_first_not_of('0', 1) != std::string::npos;
    const bool up = tail[0] > '5' || (tail[0] == '5' && (beyondHalf || (head.back() - '0') % 2 == 1));
    if (up) {
      int i = 6;
      for (; i >= 0 && head[static_cast<size_t>(i)] == '9'; --i) head[static_cast<size_t>(i)] = '0';
      if (i < 0)
        head.insert(head.begin(), '1');
      else
        ++head[static_cast<size_t>(i)];
    }
    s = (d < 0 ? "-" : "") + head + std::string(tail.size(), '0');
  }
  return QString::fromLatin1(normaliseZero(trimFraction(s)).c_str());
}

double leadingNumber(const QString& text) {
  int i = 0;
  const int n = text.size();
  while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
  std::string s;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) s += static_cast<char>(text[i++].unicode());
  bool digits = false;
  while (i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
    s += static_cast<char>(text[i++].unicode());
    digits = true;
  }
  if (i < n && text[i] == u'.') {
    std::string frac = ".";
    int j = i + 1;
    bool fracDigits = false;
    while (j < n && text[j].unicode() >= '0' && text[j].unicode() <= '9') {
      frac += static_cast<char>(text[j++].unicode());
      fracDigits = true;
    }
    if (digits || fracDigits) {
      s += frac;
      i = j;
      digits = true;
    }
  }
  if (!digits) return 0.0;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    std::string ex = "e";
    int j = i + 1;
    if (j < n && (text[j] == u'+' || text[j] == u'-')) ex += static_cast<char>(text[j++].unicode());
    bool exDigits = false;
    while (j < n && text[j].unicode() >= '0' && text[j].unicode() <= '9') {
      ex += static_cast<char>(text[j++].unicode());
      exDigits = true;
    }
    if (exDigits) s += ex;
  }
  if (!s.empty() && s[0] == '+') s.erase(0, 1);
  if (!s.empty() && s[0] == '.') s.insert(0, "0");
  if (s.size() >= 2 && s[0] == '-' && s[1] == '.') s.insert(1, "0");
  double value = 0.0;
  std::from_chars(s.data(), s.data() + s.size(), value);
  return value;
}

}  // namespace kavalo
