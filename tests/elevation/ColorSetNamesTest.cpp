// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "model/ColorSet.h"
#include "support/Fixtures.h"

using namespace kavalo;

// Names the editor or a hand-edited file can hold, with blanks, quotes and
// line breaks where the reader would take them differently: each is saved so
// that the file reads back with every value in its place, and saving what was
// read gives the same file.
TEST(ColorSetNames, NamesSurviveASaveAndAReload) {
  struct Case {
    QString name;
    QString stored;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("  \"引用"), QStringLiteral("＂引用")},
      {QStringLiteral(" 前後 \t"), QStringLiteral("前後")},
      {QStringLiteral("\n改行\r\n後"), QStringLiteral("改行  後")},
      {QStringLiteral("a,b"), QStringLiteral("a，b")},
  };
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    ColorSetList list = defaultColorSetList();
    list.sets.front().name = c.name;
    list.sets.push_back(defaultColorSet(0, 1000, QStringLiteral("後の組")));
    list.sets.back().strength = 123;
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString second = dir.filePath(QStringLiteral("second.txt"));
    ASSERT_TRUE(writeColorSetFile(first, list));
    ColorSetList back;
    QString error;
    ASSERT_TRUE(readColorSetFile(first, back, &error)) << error.toStdString();
    ASSERT_EQ(back.sets.size(), 2u);
    EXPECT_EQ(back.sets[0].name, c.stored);
    EXPECT_EQ(back.sets[1].name, QStringLiteral("後の組"));
    EXPECT_EQ(back.sets[1].strength, 123);
    ASSERT_TRUE(writeColorSetFile(second, back));
    EXPECT_EQ(test::readBytes(first), test::readBytes(second));
  }
}
