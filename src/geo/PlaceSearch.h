// SPDX-License-Identifier: MIT
#pragma once
// The search of the place-name gazetteer, and the wildcard patterns it
// matches names with.
#include <QString>
#include <vector>

#include "model/PlaceNames.h"

namespace kavalo {

// A wildcard pattern of the classic syntax, compared case-sensitively by
// character code:
//   ?        any one character
//   *        any run of characters, also none
//   #        one digit 0 to 9
//   [list]   one character of the list; a-z in the list is a range, "-" at
//            the start or end of the list stands for itself, and [, ?, #
//            and * stand for themselves inside a list
//   [!list]  one character not in the list
//   []       nothing (matches the empty text)
// Anything else stands for itself. A "[" without its "]" stands for itself,
// and a range written backwards (z-a) matches no character: a user's typing
// never makes the search fail.
class LikePattern {
 public:
  explicit LikePattern(const QString& pattern);
  bool matches(const QString& text) const;

 private:
  enum class Kind { Literal, Any, Digit, Class, Star };
  struct Range {
    char32_t from;
    char32_t to;
  };
  struct Token {
    Kind kind;
    char32_t c = 0;
    bool negated = false;
    std::vector<Range> ranges;
  };
  bool matchesOne(const Token& t, char32_t c) const;
  std::vector<Token> tokens_;
};

// True when text matches the pattern (see LikePattern).
bool Like(const QString& text, const QString& pattern);

// The word of a place category: 1 "行政", 2 "居住", 3 "自然", 4 "交通",
// 5 and 7 "施設"; empty for 0, 6 and anything else.
QString placeCategoryWord(int category);

// The row of a place in the result list: name, "（", second text, "）" and
// the category word.
QString placeRowText(const PlaceName& place);

// The gazetteer indices that the search text finds, in the order they are
// listed. First the names equal to the text; only when there is none, the
// names starting with it, then those ending with it, then the others
// containing it. The text enters the patterns unchanged, so wildcards typed
// by the user act as wildcards. Each record is listed once, in gazetteer
// order within each pass.
std::vector<int> searchPlaceNames(const std::vector<PlaceName>& places, const QString& text);

}  // namespace kavalo
