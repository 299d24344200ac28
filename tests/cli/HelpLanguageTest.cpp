// SPDX-License-Identifier: MIT
// The programs' help speaks the language asked for: --lang ja gives the
// Japanese help and manual pages, --lang en the English ones, with the same
// usage lines and options in both; and no text of the help is left without
// its Japanese.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>

#include <vector>

#include "app/ProgramHelp.h"
#include "cli/Commands.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

bool hasJapanese(const QString& text) {
  for (QChar c : text)
    if ((c.unicode() >= 0x3040 && c.unicode() <= 0x30FF) || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF))
      return true;
  return false;
}

// An English sentence left in a Japanese text: three words running on.
bool hasEnglishSentence(const QString& text) {
  static const QRegularExpression run(QStringLiteral("[A-Za-z]{2,}(?: [A-Za-z']{2,}){2,}"));
  return run.match(text).hasMatch();
}

QSet<QString> optionsIn(QString text) {
  text.replace(QStringLiteral("\\-"), QStringLiteral("-"));  // roff's hyphen
  QSet<QString> found;
  static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--[a-z][a-z0-9-]*|-o(?= ))"));
  for (const QRegularExpressionMatch& m : option.globalMatch(text)) found.insert(m.captured(1));
  return found;
}

// The lines that are the same in every language: usage and synopsis lines
// (not the sentences that start with the program's name, nor the manual
// page's NAME line).
QStringList usageLines(QString text) {
  text.replace(QStringLiteral("\\-"), QStringLiteral("-"));  // roff's hyphen
  QStringList lines;
  for (const QString& line : text.split(u'\n')) {
    const QString t = line.trimmed();
    const bool sentence = t.endsWith(u'.') || hasJapanese(t) || t.contains(QStringLiteral(" - "));  // or NAME
    if (!sentence && (t.startsWith(QStringLiteral("usage: ")) || t.startsWith(QStringLiteral("kavalo-cli ")) ||
                      t.startsWith(QStringLiteral("kavalo ["))))
      lines << t;
  }
  return lines;
}

QString run(const QString& program, const QStringList& args) {
  const test::ProgramRun r = test::runProgram(program, args);
  EXPECT_EQ(r.exitCode, 0) << program.toStdString() << ' ' << args.join(u' ').toStdString() << r.err.toStdString();
  return QString::fromUtf8(r.out);
}

QString readBuilt(const QString& relative) {
  QFile f(qEnvironmentVariable("KAVALO_BUILD") + u'/' + relative);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

TEST(HelpLanguage, EachHelpIsInTheLanguageAskedFor) {
  struct Case {
    const char* program;
    QStringList args;
    const char* japanese;  // a line only the Japanese help has
    const char* english;   // and its English
  } cases[] = {
      {"kavalo", {"--help"}, "このヘルプを表示して終了します。", "Prints this help and exits."},
      {"kavalo", {"--man"}, ".SH オプション", ".SH OPTIONS"},
      {"kavalo-cli",
       {"--help"},
       "データフォルダを画面と同じように読み込み",
       "Loads a data folder exactly as the window"},
      {"kavalo-cli", {"--man"}, ".SH 終了ステータス", ".SH EXIT STATUS"},
      {"kavalo-cli",
       {"render", "--help"},
       "表示を画面と同じように合成し、PNG で書き出します。",
       "Composes a view exactly as the window does and writes it as PNG."},
      {"kavalo-cli", {"measure", "--help"}, "世界測地系での経路の測地線長", "Prints the geodesic length"},
  };
  for (const Case& c : cases) {
    const QString program = QString::fromLatin1(c.program);
    SCOPED_TRACE(program.toStdString() + ' ' + c.args.join(u' ').toStdString());
    const QString ja = run(program, QStringList{"--lang", "ja"} + c.args);
    const QString en = run(program, QStringList{"--lang", "en"} + c.args);
    EXPECT_TRUE(ja.contains(QString::fromUtf8(c.japanese)));
    EXPECT_FALSE(ja.contains(QString::fromUtf8(c.english)));
    EXPECT_TRUE(en.contains(QString::fromUtf8(c.english)));
    EXPECT_FALSE(en.contains(QString::fromUtf8(c.japanese)));
    // The help of --help is all English in English (the manual pages quote
    // the window's Japanese captions).
    if (c.args.last() == u"--help") EXPECT_FALSE(hasJapanese(en)) << en.toStdString();
    // Only the words change: the same usage lines and options in both.
    EXPECT_EQ(usageLines(ja).join(u'\n').toStdString(), usageLines(en).join(u'\n').toStdString());
    EXPECT_FALSE(usageLines(en).isEmpty());
    EXPECT_EQ(optionsIn(ja), optionsIn(en));
  }
}

// The build installs the manual pages of both languages; each is the page the
// program writes in its language now.
TEST(HelpLanguage, TheBuiltManualPagesAreThoseOfTheirLanguage) {
  for (const char* program : {"kavalo", "kavalo-cli"}) {
    SCOPED_TRACE(program);
    const QString name = QString::fromLatin1(program);
    const QString en = readBuilt(QStringLiteral("man/%1.1").arg(name));
    const QString ja = readBuilt(QStringLiteral("man/ja/%1.1").arg(name));
    ASSERT_FALSE(en.isEmpty());
    ASSERT_FALSE(ja.isEmpty());
    EXPECT_EQ(en, run(name, {"--lang", "en", "--man"}));
    EXPECT_EQ(ja, run(name, {"--lang", "ja", "--man"}));
    EXPECT_TRUE(ja.contains(QStringLiteral(".SH 説明")));
  }
}

// Every text of the help has its Japanese: a description added or changed in
// the code without a new translation would show in English in a Japanese help.
TEST(HelpLanguage, EveryHelpTextHasItsJapanese) {
  // The help's own catalogue as the programs carry it, and nothing else.
  QTranslator japanese;
  ASSERT_TRUE(japanese.load(QStringLiteral(":/i18n/kavalo_ja.qm")));
  ASSERT_TRUE(QCoreApplication::installTranslator(&japanese));
  const std::vector<HelpDocument> documents{kavaloHelpDocument(), cliHelpDocument()};
  const QString commandHelp = commandHelpText(cliCommands().front().describe());
  QCoreApplication::removeTranslator(&japanese);

  // The command's own help ends with the line on --verbose.
  QStringList texts{commandHelp.trimmed().section(u'\n', -1)};
  for (const HelpDocument& doc : documents) {
    texts << doc.summary;
    for (const HelpSection& section : doc.sections) {
      texts << section.heading;
      for (const HelpEntry& entry : section.entries)
        if (!entry.verbatim && !entry.text.endsWith(QStringLiteral("(1)")))  // SEE ALSO
          texts += entry.text.split(QStringLiteral("\n\n"));
    }
  }
  EXPECT_GT(texts.size(), 50);
  for (const QString& text : texts) {
    EXPECT_TRUE(hasJapanese(text)) << text.toStdString();
    EXPECT_FALSE(hasEnglishSentence(text)) << text.toStdString();
  }
}
