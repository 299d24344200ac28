// SPDX-License-Identifier: MIT
// What the programs say about themselves cannot drift apart: the manual
// pages the build installs, the README and --help name the same options,
// and every option a command accepts is described in its help.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "cli/Commands.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

using Options = QSet<QString>;

// The options a text names: --long ones and -o.
Options optionsIn(QString text) {
  text.replace(QStringLiteral("\\-"), QStringLiteral("-"));  // roff's hyphen
  Options found;
  static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--[a-z][a-z0-9-]*|-o(?= ))"));
  for (const QRegularExpressionMatch& m : option.globalMatch(text)) found.insert(m.captured(1));
  return found;
}

Options accepted(const CommandSpec& cmd) {
  Options o;
  for (const QString& name : cmd.valueOptions + cmd.switches) o.insert(name);
  return o;
}

QString readText(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(f.readAll());
}

QString source(const QString& relative) { return qEnvironmentVariable("KAVALO_SOURCE") + u'/' + relative; }
QString built(const QString& relative) { return qEnvironmentVariable("KAVALO_BUILD") + u'/' + relative; }

QString cliOut(const QStringList& args) {
  const test::ProgramRun run = test::runCli(args);
  EXPECT_EQ(run.exitCode, 0) << args.join(u' ').toStdString() << run.err.toStdString();
  return QString::fromUtf8(run.out);
}

// The manual page's sub-sections (.SS name), each with its text.
QMap<QString, QString> manSubsections(const QString& page) {
  QMap<QString, QString> parts;
  QString current;
  for (const QString& line : page.split(u'\n')) {
    if (line.startsWith(QStringLiteral(".SH"))) current.clear();
    if (line.startsWith(QStringLiteral(".SS "))) {
      current = line.mid(4).replace(QStringLiteral("\\-"), QStringLiteral("-"));
      continue;
    }
    if (!current.isEmpty()) parts[current] += line + u'\n';
  }
  return parts;
}

}  // namespace

TEST(Help, EveryCommandDescribesEveryOptionItTakes) {
  // In either language: a translation that drops an option fails here.
  for (const char* lang : {"en", "ja"}) {
    for (const CliCommand& c : cliCommands()) {
      const CommandSpec cmd = c.describe();
      SCOPED_TRACE(cmd.name.toStdString() + " --lang " + lang);
      const QString help = cliOut({QStringLiteral("--lang"), QLatin1String(lang), cmd.name, QStringLiteral("--help")});
      EXPECT_TRUE(help.startsWith(QStringLiteral("usage: kavalo-cli ") + cmd.name + u' '));
      EXPECT_EQ(optionsIn(help), accepted(cmd) + Options{QStringLiteral("--verbose")});
    }
  }
}

TEST(Help, TheManualPageSaysWhatHelpSays) {
  const QString page = readText(built(QStringLiteral("man/kavalo-cli.1")));
  ASSERT_FALSE(page.isEmpty()) << "the build writes man/kavalo-cli.1";
  // The page the build installs is the one the program writes now (the
  // English one: the Japanese pages are compared in HelpLanguageTest).
  EXPECT_EQ(page, cliOut({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--man")}));
  const QMap<QString, QString> sections = manSubsections(page);
  for (const CliCommand& c : cliCommands()) {
    const CommandSpec cmd = c.describe();
    SCOPED_TRACE(cmd.name.toStdString());
    ASSERT_TRUE(sections.contains(cmd.name));
    Options fromHelp = optionsIn(cliOut({cmd.name, QStringLiteral("--help")}));
    fromHelp.remove(QStringLiteral("--verbose"));  // a global option: the page lists it once
    EXPECT_EQ(optionsIn(sections[cmd.name]), fromHelp);
  }
  EXPECT_EQ(sections.size(), static_cast<qsizetype>(cliCommands().size()));
  const Options global = optionsIn(page.section(QStringLiteral(".SH OPTIONS"), 1).section(QStringLiteral(".SH"), 0, 0));
  EXPECT_EQ(global, (Options{"--help", "--version", "--verbose", "--lang"}));

  // kavalo(1) and kavalo --help.
  const QString kavaloPage = readText(built(QStringLiteral("man/kavalo.1")));
  const test::ProgramRun help = test::runProgram(
      QStringLiteral("kavalo"), {QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--help")});
  ASSERT_EQ(help.exitCode, 0) << help.err.toStdString();
  EXPECT_EQ(optionsIn(kavaloPage), optionsIn(QString::fromUtf8(help.out)));
  EXPECT_TRUE(optionsIn(kavaloPage).contains(QStringLiteral("--version")));
}

// The README shows the block of usage lines --help prints, and wherever it
// (or the publishing guide) writes a kavalo-cli command line, the command
// takes every option used there.
TEST(Help, TheReadmeListsTheCommandsAsHelpDoes) {
  const QString readme = readText(source(QStringLiteral("README.md")));
  ASSERT_FALSE(readme.isEmpty());
  const QString block = readme.section(QStringLiteral("<!-- kavalo-cli synopsis: begin -->\n```\n"), 1)
                            .section(QStringLiteral("```\n<!-- kavalo-cli synopsis: end -->"), 0, 0);
  // The README is English; the tests otherwise run in Japanese.
  const QString help = cliOut({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--help")});
  EXPECT_EQ(block, cliSynopsisBlock());
  EXPECT_TRUE(help.contains(block));

  QMap<QString, CommandSpec> commands;
  for (const CliCommand& c : cliCommands()) commands.insert(c.describe().name, c.describe());
  static const QRegularExpression span(QStringLiteral("`kavalo-cli ([a-z-]+)([^`]*)`|^kavalo-cli ([a-z-]+)(.*)$"),
                                       QRegularExpression::MultilineOption);
  int checked = 0;
  for (const QString& doc : {QStringLiteral("README.md"), QStringLiteral("docs/publishing.md")}) {
    for (const QRegularExpressionMatch& m : span.globalMatch(readText(source(doc)))) {
      const QString name = m.captured(1).isEmpty() ? m.captured(3) : m.captured(1);
      const QString rest = m.captured(1).isEmpty() ? m.captured(4) : m.captured(2);
      if (name.startsWith(QStringLiteral("--"))) continue;  // a global option, not a command
      SCOPED_TRACE((doc + QStringLiteral(": kavalo-cli ") + name + rest).toStdString());
      ASSERT_TRUE(commands.contains(name));
      // "[view options]" stands for those of render.
      Options allowed = accepted(commands[name]) + Options{"--help", "--verbose"};
      EXPECT_TRUE(allowed.contains(optionsIn(rest)));
      ++checked;
    }
  }
  EXPECT_GE(checked, static_cast<int>(commands.size()));
}
