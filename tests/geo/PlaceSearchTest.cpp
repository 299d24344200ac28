// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QStringList>

#include "geo/PlaceSearch.h"

using namespace kavalo;

namespace {

std::vector<PlaceName> gazetteer(const std::vector<QString>& names) {
  std::vector<PlaceName> places;
  for (const QString& n : names) places.push_back(PlaceName{n, 139.0f, 35.0f, 0, QString()});
  return places;
}

QStringList namesOf(const std::vector<PlaceName>& places, const std::vector<int>& found) {
  QStringList out;
  for (int i : found) out << places[static_cast<size_t>(i)].name;
  return out;
}

}  // namespace

TEST(Like, SingleCharacterWildcards) {
  EXPECT_TRUE(Like(QStringLiteral("駅前"), QStringLiteral("駅?")));
  EXPECT_FALSE(Like(QStringLiteral("駅"), QStringLiteral("駅?")));
  EXPECT_FALSE(Like(QStringLiteral("駅前町"), QStringLiteral("駅?")));
  EXPECT_TRUE(Like(QStringLiteral("1丁目"), QStringLiteral("#丁目")));
  EXPECT_FALSE(Like(QStringLiteral("一丁目"), QStringLiteral("#丁目")));
  EXPECT_FALSE(Like(QStringLiteral("１丁目"), QStringLiteral("#丁目")));  // full-width digits are not 0 to 9
  EXPECT_TRUE(Like(QStringLiteral("12"), QStringLiteral("##")));
  // Characters outside the basic plane count as one character.
  EXPECT_TRUE(Like(QStringLiteral("𠮷野家"), QStringLiteral("?野家")));
}

TEST(Like, StarsMatchAnyRunIncludingNone) {
  EXPECT_TRUE(Like(QStringLiteral("新宿駅"), QStringLiteral("*駅")));
  EXPECT_TRUE(Like(QStringLiteral("駅"), QStringLiteral("*駅*")));
  EXPECT_TRUE(Like(QString(), QStringLiteral("*")));
  EXPECT_FALSE(Like(QString(), QStringLiteral("?*")));
  EXPECT_TRUE(Like(QStringLiteral("abcabd"), QStringLiteral("*abd")));  // needs a return to the star
  EXPECT_TRUE(Like(QStringLiteral("aXbYc"), QStringLiteral("a*b*c")));
  EXPECT_FALSE(Like(QStringLiteral("aXbYcZ"), QStringLiteral("a*b*c")));
  EXPECT_TRUE(Like(QStringLiteral("aaaa"), QStringLiteral("**a**")));
}

TEST(Like, CharacterListsRangesAndNegation) {
  EXPECT_TRUE(Like(QStringLiteral("b"), QStringLiteral("[a-c]")));
  EXPECT_FALSE(Like(QStringLiteral("d"), QStringLiteral("[a-c]")));
  EXPECT_TRUE(Like(QStringLiteral("d"), QStringLiteral("[!a-c]")));
  EXPECT_FALSE(Like(QStringLiteral("b"), QStringLiteral("[!a-c]")));
  EXPECT_TRUE(Like(QStringLiteral("x5"), QStringLiteral("[xyz][0-9]")));
  EXPECT_TRUE(Like(QStringLiteral("北口"), QStringLiteral("[南北]口")));
  EXPECT_FALSE(Like(QStringLiteral("東口"), QStringLiteral("[南北]口")));
  // "-" at either end of a list, and the wildcards inside one, stand for themselves.
  EXPECT_TRUE(Like(QStringLiteral("-"), QStringLiteral("[-a]")));
  EXPECT_TRUE(Like(QStringLiteral("-"), QStringLiteral("[a-]")));
  EXPECT_FALSE(Like(QStringLiteral("-"), QStringLiteral("[!a-]")));
  EXPECT_TRUE(Like(QStringLiteral("a*b"), QStringLiteral("a[*]b")));
  EXPECT_FALSE(Like(QStringLiteral("aXb"), QStringLiteral("a[*]b")));
  EXPECT_TRUE(Like(QStringLiteral("a?"), QStringLiteral("a[?]")));
  EXPECT_TRUE(Like(QStringLiteral("[1]"), QStringLiteral("[[]#]")));
  // "[]" stands for nothing.
  EXPECT_TRUE(Like(QStringLiteral("ab"), QStringLiteral("a[]b")));
}

TEST(Like, TypingMistakesNeverFailTheSearch) {
  // A "[" without "]" is itself; a backwards range matches nothing.
  EXPECT_TRUE(Like(QStringLiteral("[駅"), QStringLiteral("[駅")));
  EXPECT_FALSE(Like(QStringLiteral("駅"), QStringLiteral("[駅")));
  EXPECT_FALSE(Like(QStringLiteral("m"), QStringLiteral("[z-a]")));
  EXPECT_TRUE(Like(QStringLiteral("]"), QStringLiteral("]")));
}

TEST(Like, ComparisonIsCaseSensitive) {
  EXPECT_FALSE(Like(QStringLiteral("Tokyo"), QStringLiteral("tokyo")));
  EXPECT_TRUE(Like(QStringLiteral("Tokyo"), QStringLiteral("T*")));
  EXPECT_FALSE(Like(QStringLiteral("Tokyo"), QStringLiteral("[a-z]*")));
  EXPECT_FALSE(Like(QStringLiteral("ＡＢ"), QStringLiteral("AB")));
}

TEST(PlaceSearch, AnExactNameListsOnlyTheExactMatches) {
  const auto places = gazetteer({QStringLiteral("新宿駅"), QStringLiteral("駅"), QStringLiteral("駅前"),
                                 QStringLiteral("駅"), QStringLiteral("西駅前")});
  EXPECT_EQ(namesOf(places, searchPlaceNames(places, QStringLiteral("駅"))),
            (QStringList{QStringLiteral("駅"), QStringLiteral("駅")}));
  EXPECT_EQ(searchPlaceNames(places, QStringLiteral("駅")), (std::vector<int>{1, 3}));
}

TEST(PlaceSearch, APartOfNamesListsStartsThenEndsThenContainsEachOnce) {
  const auto places = gazetteer({
      QStringLiteral("新宿駅"),  // 0 ends
      QStringLiteral("駅前通"),  // 1 starts
      QStringLiteral("東駅前"),  // 2 contains
      QStringLiteral("駅東駅"),  // 3 starts and ends: listed once, as starting
      QStringLiteral("横浜"),    // 4 no
      QStringLiteral("駅南"),    // 5 starts
      QStringLiteral("品川駅"),  // 6 ends
      QStringLiteral("大駅小"),  // 7 contains
  });
  EXPECT_EQ(searchPlaceNames(places, QStringLiteral("駅")), (std::vector<int>{1, 3, 5, 0, 6, 2, 7}));
  EXPECT_EQ(searchPlaceNames(places, QStringLiteral("駅前")), (std::vector<int>{1, 2}));
  EXPECT_TRUE(searchPlaceNames(places, QStringLiteral("京都")).empty());
  EXPECT_TRUE(searchPlaceNames({}, QStringLiteral("駅")).empty());
}

TEST(PlaceSearch, WildcardsTypedByTheUserActAsWildcards) {
  const auto places = gazetteer({QStringLiteral("1丁目"), QStringLiteral("本町2丁目"), QStringLiteral("北口"),
                                 QStringLiteral("南口"), QStringLiteral("東口"), QStringLiteral("A*B")});
  EXPECT_EQ(searchPlaceNames(places, QStringLiteral("#丁目")), (std::vector<int>{0, 1}));
  EXPECT_EQ(searchPlaceNames(places, QStringLiteral("[南北]口")), (std::vector<int>{2, 3}));
  EXPECT_EQ(searchPlaceNames(places, QStringLiteral("[!南北]口")), (std::vector<int>{4}));
  // The exact pass compares plainly: a name holding "*" is found as itself.
  EXPECT_EQ(searchPlaceNames(places, QStringLiteral("A*B")), (std::vector<int>{5}));
  // Matching is case-sensitive.
  EXPECT_TRUE(searchPlaceNames(places, QStringLiteral("a*b")).empty());
}

TEST(PlaceSearch, RowsShowTheSecondTextAndTheCategoryWord) {
  const QString words[] = {QString(),
                           QStringLiteral("行政"),
                           QStringLiteral("居住"),
                           QStringLiteral("自然"),
                           QStringLiteral("交通"),
                           QStringLiteral("施設"),
                           QString(),
                           QStringLiteral("施設")};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(placeCategoryWord(c), words[c]) << c;
  EXPECT_EQ(placeRowText(PlaceName{QStringLiteral("東京駅"), 0, 0, 4, QStringLiteral("とうきょう")}),
            QStringLiteral("東京駅（とうきょう）交通"));
  EXPECT_EQ(placeRowText(PlaceName{QStringLiteral("何か"), 0, 0, 6, QStringLiteral("なにか")}),
            QStringLiteral("何か（なにか）"));
  EXPECT_EQ(placeRowText(PlaceName{QStringLiteral("工場"), 0, 0, 7, QString()}), QStringLiteral("工場（）施設"));
}
