// SPDX-License-Identifier: MIT
#include "geo/PlaceSearch.h"

#include <QCoreApplication>
#include <QList>

#include <cstdint>

namespace kavalo {

LikePattern::LikePattern(const QString& pattern) {
  const QList<uint> p = pattern.toUcs4();
  const qsizetype n = p.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char32_t c = p[i];
    Token t;
    if (c == U'*') {
      // A run of stars is one star.
      if (!tokens_.empty() && tokens_.back().kind == Kind::Star) continue;
      t.kind = Kind::Star;
    } else if (c == U'?') {
      t.kind = Kind::Any;
    } else if (c == U'#') {
      t.kind = Kind::Digit;
    } else if (c == U'[') {
      qsizetype close = i + 1;
      while (close < n && p[close] != U']') ++close;
      if (close >= n) {
        t.kind = Kind::Literal;
        t.c = c;
      } else {
        qsizetype k = i + 1;
        if (k == close) {  // "[]" stands for nothing
          i = close;
          continue;
        }
        t.kind = Kind::Class;
        if (p[k] == U'!') {
          t.negated = true;
          ++k;
        }
        while (k < close) {
          const char32_t from = p[k];
          if (k + 2 < close && p[k + 1] == U'-') {
            t.ranges.push_back({from, static_cast<char32_t>(p[k + 2])});
            k += 3;
          } else {
            t.ranges.push_back({from, from});
            ++k;
          }
        }
        i = close;
      }
    } else {
      t.kind = Kind::Literal;
      t.c = c;
    }
    tokens_.push_back(std::move(t));
  }
}

bool LikePattern::matchesOne(const Token& t, char32_t c) const {
  switch (t.kind) {
    case Kind::Literal:
      return c == t.c;
    case Kind::Any:
      return true;
    case Kind::Digit:
      return c >= U'0' && c <= U'9';
    case Kind::Class: {
      bool in = false;
      for (const Range& r : t.ranges)
        if (c >= r.from && c <= r.to) in = true;
      return in != t.negated;
    }
    case Kind::Star:
      break;
  }
  return false;
}

bool LikePattern::matches(const QString& text) const {
  // Every token but the star takes exactly one character, so the classic
  // greedy match with a return to the last star is exact and linear-ish.
  const QList<uint> s = text.toUcs4();
  const size_t nt = tokens_.size();
  const qsizetype ns = s.size();
  size_t ti = 0;
  qsizetype si = 0;
  size_t starToken = SIZE_MAX;
  qsizetype starText = 0;
  while (si < ns) {
    if (ti < nt && tokens_[ti].kind == Kind::Star) {
      starToken = ti++;
      starText = si;
    } else if (ti < nt && matchesOne(tokens_[ti], s[si])) {
      ++ti;
      ++si;
    } else if (starToken != SIZE_MAX) {
      ti = starToken + 1;
      si = ++starText;
    } else {
      return false;
    }
  }
  while (ti < nt && tokens_[ti].kind == Kind::Star) ++ti;
  return ti == nt;
}

bool Like(const QString& text, const QString& pattern) { return LikePattern(pattern).matches(text); }

QString placeCategoryWord(int category) {
  switch (category) {
    case 1:
      return QCoreApplication::translate("kavalo::PlaceSearch", "行政");
    case 2:
      return QCoreApplication::translate("kavalo::PlaceSearch", "居住");
    case 3:
      return QCoreApplication::translate("kavalo::PlaceSearch", "自然");
    case 4:
      return QCoreApplication::translate("kavalo::PlaceSearch", "交通");
    case 5:
    case 7:
      return QCoreApplication::translate("kavalo::PlaceSearch", "施設");
    default:
      return QString();
  }
}

QString placeRowText(const PlaceName& place) {
  const QString category = placeCategoryWord(place.category);
  if (category.isEmpty())
    return QCoreApplication::translate("kavalo::PlaceSearch", "%1（%2）").arg(place.name, place.text);
  return QCoreApplication::translate("kavalo::PlaceSearch", "%1（%2）%3").arg(place.name, place.text, category);
}

std::vector<int> searchPlaceNames(const std::vector<PlaceName>& places, const QString& text) {
  std::vector<int> found;
  std::vector<char> listed(places.size(), 0);
  for (size_t i = 0; i < places.size(); ++i) {
    if (places[i].name == text) {
      found.push_back(static_cast<int>(i));
      listed[i] = 1;
    }
  }
  if (!found.empty()) return found;
  const QString star = QStringLiteral("*");
  for (const LikePattern& pattern :
       {LikePattern(text + star), LikePattern(star + text), LikePattern(star + text + star)}) {
    for (size_t i = 0; i < places.size(); ++i) {
      if (listed[i] || !pattern.matches(places[i].name)) continue;
      found.push_back(static_cast<int>(i));
      listed[i] = 1;
    }
  }
  return found;
}

}  // namespace kavalo
