// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "app/WindowSettings.h"
#include "platform/Language.h"
#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

TEST(Language, TheChoiceTheSettingAndTheSystemDecideTheLanguage) {
  struct Case {
    const char* choice;
    QStringList system;
    const char* language;
  } cases[] = {
      {"ja", {QStringLiteral("en-US")}, "ja"},
      {"en", {QStringLiteral("ja-JP")}, "en"},
      {"system", {QStringLiteral("ja-JP"), QStringLiteral("en")}, "ja"},
      {"system", {QStringLiteral("ja")}, "ja"},
      {"system", {QStringLiteral("ja_JP.UTF-8")}, "ja"},
      {"system", {QStringLiteral("en-GB"), QStringLiteral("ja")}, "en"},  // only the first counts
      {"system", {QStringLiteral("de-DE")}, "en"},
      {"system", {QStringLiteral("jam")}, "en"},  // Jamaican, not Japanese
      {"system", {}, "en"},
      {"", {QStringLiteral("ja-JP")}, "ja"},
      {"fr", {QStringLiteral("ja-JP")}, "ja"},  // unknown: as the system
  };
  for (const Case& c : cases)
    EXPECT_EQ(resolveLanguage(QString::fromLatin1(c.choice), c.system), QString::fromLatin1(c.language))
        << c.choice << " " << c.system.join(u',').toStdString();
}

TEST(Language, TheOptionIsTakenBeforeTheCommandOnly) {
  struct Case {
    QStringList args;
    const char* value;
    QStringList rest;
  } cases[] = {
      {{QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("info")}, "en", {QStringLiteral("info")}},
      {{QStringLiteral("--verbose"), QStringLiteral("--lang=ja"), QStringLiteral("info")},
       "ja",
       {QStringLiteral("--verbose"), QStringLiteral("info")}},
      {{QStringLiteral("info"), QStringLiteral("--lang"), QStringLiteral("en")},
       "",
       {QStringLiteral("info"), QStringLiteral("--lang"), QStringLiteral("en")}},
      {{QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--lang"), QStringLiteral("ja")}, "ja", {}},
  };
  for (const Case& c : cases) {
    QStringList args = c.args;
    EXPECT_EQ(takeLanguageOption(&args), QString::fromLatin1(c.value)) << c.args.join(u' ').toStdString();
    EXPECT_EQ(args, c.rest) << c.args.join(u' ').toStdString();
  }
}

TEST(Language, TheWindowsSettingNamesALanguageOrTheSystem) {
  test::RootFixture root;
  const QString path = root.path(QString::fromLatin1(kWindowSettingsFile));
  struct Case {
    const char* text;
    const char* language;
  } cases[] = {
      {"", "system"},
      {"language=en\n", "en"},
      {"LANGUAGE = JA\n", "ja"},
      {"language=klingon\n", "system"},
      {"language=en\nlanguage=system\n", "system"},
  };
  for (const Case& c : cases) {
    test::writeBytes(path, QByteArray(c.text));
    EXPECT_EQ(readWindowSettingsFile(path).language, QString::fromLatin1(c.language)) << c.text;
  }
  // A fresh file offers the choice, at the system's language.
  EXPECT_TRUE(defaultWindowSettingsText().contains("\nlanguage=system\n"));
}

TEST(Language, BothProgramsRefuseALanguageTheyDoNotShip) {
  for (const char* program : {"kavalo", "kavalo-cli"}) {
    const test::ProgramRun r = test::runProgram(
        QString::fromLatin1(program), {QStringLiteral("--lang"), QStringLiteral("fr"), QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 2) << program;
    EXPECT_TRUE(r.err.contains(QStringLiteral("unknown language 'fr'"))) << program << r.err.toStdString();
  }
}
