// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "geo/SortingSearch.h"

using namespace kavalo;

TEST(SortingSearch, PositionsOfSortedKeys) {
  SortingSearch s;
  s.AddInit(SortingSearch::kLong);
  for (int v : {30, 10, 20}) s.AddLong(v);
  s.AddEnd();
  EXPECT_EQ(s.NumofData(), 3);
  EXPECT_EQ(s.DataPosition(0), 1);
  EXPECT_EQ(s.DataPosition(2), 0);
  EXPECT_EQ(s.DataPositionRev(0), 0);
  EXPECT_EQ(std::get<int32_t>(s.DataPositionValue(0)), 10);
  EXPECT_EQ(std::get<int32_t>(s.DataPositionRevValue(0)), 30);
  EXPECT_THROW(s.DataPosition(3), std::out_of_range);
}

TEST(SortingSearch, SearchesFindEveryEqualKey) {
  SortingSearch numbers;
  numbers.Set_Data_Double(4, {5, 7, 5, 5});
  std::vector<int32_t> found;
  EXPECT_EQ(numbers.SearchData_Allay(5.0, found), 3);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<int32_t>{0, 2, 3}));
  EXPECT_EQ(numbers.SearchData_One(6.0), -1);
  EXPECT_EQ(numbers.SearchData_One(7.0), 1);

  SortingSearch texts;
  texts.Set_Data_String(4, {QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("5"), QStringLiteral("5")});
  found = {99};
  EXPECT_EQ(texts.SearchData_Allay(QStringLiteral("6"), found), -1);
  EXPECT_EQ(found, std::vector<int32_t>{99});  // left alone when nothing matches
  EXPECT_EQ(texts.SearchData_Allay(QStringLiteral("5"), found), 3);
  EXPECT_EQ(texts.SearchData_One(7), 1);  // the value is converted to the key type
}

TEST(SortingSearch, EmptyAndSingleKeyLists) {
  SortingSearch s;
  s.AddInit(SortingSearch::kSingle);
  s.AddEnd();
  EXPECT_EQ(s.NumofData(), 0);
  EXPECT_EQ(s.SearchData_One(1.0f), -1);
  s.AddInit(SortingSearch::kSingle);
  s.AddSingle(2.5f);
  s.AddEnd();
  EXPECT_EQ(s.SearchData_One(2.5f), 0);
  EXPECT_EQ(s.SearchData_One(1.0f), -1);
  EXPECT_EQ(s.SearchData_One(3.0f), -1);
}

TEST(SortingSearch, DuplicateListHalvesEachRun) {
  SortingSearch s;
  s.Set_Data_Long(7, {1, 1, 1, 1, 2, 2, 3});
  EXPECT_EQ(s.SameValue_Number(), 3);
  std::vector<SortKey> dups;
  EXPECT_EQ(s.SameValue_Alley(dups), 3);
  ASSERT_EQ(dups.size(), 3u);
  EXPECT_EQ(std::get<int32_t>(dups[0]), 1);
  EXPECT_EQ(std::get<int32_t>(dups[1]), 1);
  EXPECT_EQ(std::get<int32_t>(dups[2]), 2);
  s.Set_Data_Long(3, {1, 2, 3});
  EXPECT_EQ(s.SameValue_Alley(dups), 0);
  EXPECT_TRUE(dups.empty());
}

TEST(SortingSearch, KeysOfTheWrongTypeRaiseError513) {
  SortingSearch s;
  s.AddInit(SortingSearch::kLong);
  s.AddLong(4);
  try {
    s.AddSingle(1.0f);
    FAIL() << "no error";
  } catch (const SortingSearchError& e) {
    EXPECT_EQ(e.code(), 513);
  }
  s.AddEnd();
  EXPECT_EQ(s.NumofData(), 1);
  EXPECT_THROW(s.AddInit(7), SortingSearchError);
  EXPECT_EQ(s.keyType(), SortingSearch::kLong);
}

TEST(SortingSearch, OnlyTheFirstNKeysAreSorted) {
  SortingSearch s;
  const std::vector<QString> source = {QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b"),
                                       QStringLiteral("0")};
  s.Set_Data_String(3, source);
  EXPECT_EQ(s.NumofData(), 3);
  EXPECT_EQ(std::get<QString>(s.DataPositionValue(0)), QStringLiteral("a"));
  EXPECT_EQ(s.SearchData_One(QStringLiteral("0")), -1);
  EXPECT_EQ(source[0], QStringLiteral("c"));  // the caller's array is unchanged
}

TEST(SortingSearch, EqualKeysEndInTheShellSortOrder) {
  SortingSearch s;
  s.Set_Data_Long(4, {1930, 1930, 1900, 1930});
  EXPECT_EQ(s.DataPosition(0), 2);
  EXPECT_EQ(s.DataPosition(1), 1);
  EXPECT_EQ(s.DataPosition(2), 0);
  EXPECT_EQ(s.DataPosition(3), 3);
}

TEST(SortingSearch, TextsCompareByCodeUnits) {
  SortingSearch s;
  s.Set_Data_String(3, {QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("a")});
  EXPECT_EQ(std::get<QString>(s.DataPositionValue(0)), QStringLiteral("B"));
  EXPECT_EQ(s.SearchData_One(QStringLiteral("A")), -1);
}
