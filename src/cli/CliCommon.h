// SPDX-License-Identifier: MIT
#pragma once
// What every command of kavalo-cli shares: the options, the exit statuses,
// and loading a data folder exactly as the window does.
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

#include "app/DatasetLoader.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"

namespace kavalo {

// One rule for every command, so that scripts can rely on it.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the work failed; standard error says what
inline constexpr int kExitUsage = 2;   // an option is unknown, missing, out of range or not applicable

// Messages of the program go to standard error; questions are answered Yes.
// A message shown with a warning or error icon tells of a failure: on the
// command line it goes to standard error, the others to standard output.
bool isFailureMessage(MessageIcon icon);

class CliPrompts : public ScriptedPrompts {
 public:
  void message(const QString& text, MessageIcon icon) override;
};

// The options of one command as given: "--name value" pairs, "-o value" and
// switches without a value (stored with an empty value).
struct CliOptions {
  std::map<QString, QString> values;   // the last value of each option given
  std::map<QString, QStringList> all;  // every value, in the order given
  bool has(const QString& name) const { return values.count(name) != 0; }
  QString get(const QString& name, const QString& fallback = QString()) const {
    auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
  }
  // For an option that may be repeated (publish --mirror).
  QStringList getAll(const QString& name) const {
    auto it = all.find(name);
    return it == all.end() ? QStringList() : it->second;
  }
};

// What a command accepts and says about itself: option names as typed
// ("--root", "-o"), those that take a value and those that are switches, its
// usage line(s), and the texts that --help and the manual page print (both
// are made from these, so they cannot say different things).
struct CommandSpec {
  QString name;         // "render"
  QString synopsis;     // the usage after "kavalo-cli ", without a trailing line feed
  QString summary;      // one line: what the command does
  QString description;  // paragraphs separated by an empty line; no line breaks inside one
  QStringList valueOptions;
  QStringList switches;
};

// The switch every command takes besides its own: the log categories on.
inline const QString kVerboseSwitch = QStringLiteral("--verbose");

enum class ParseOutcome { Ok, Help, Error };

// Parses a command's arguments with QCommandLineParser. Help: --help or -h
// was given (the command's help has been printed to standard output). Error:
// error holds the reason (an unknown option, a missing value, a stray word).
// --verbose turns the log categories on.
ParseOutcome parseCommand(const CommandSpec& cmd, const QStringList& args, CliOptions& out, QString* error);

// The same for a command without switches; false on an error or --help.
bool parseOptions(const QStringList& args, const QStringList& known, CliOptions& out, QString* error);

// The exit status of a command whose parse did not end in Ok: 0 after
// --help, 2 (usage error) otherwise, with the error and the usage on
// standard error.
int finishParse(const CommandSpec& cmd, ParseOutcome outcome, const QString& error);
// A usage error found after the parse: the reason and the usage on standard
// error; returns 2.
int usageError(const CommandSpec& cmd, const QString& reason);

// The command's help: its usage and description, wrapped for a terminal.
QString commandHelpText(const CommandSpec& cmd);

// The result of loading for a command: true when loaded; otherwise the exit
// status to end with (the message is on standard error already).
class CliStatus {
 public:
  CliStatus() = default;
  explicit CliStatus(int status) : status_(status) {}
  explicit operator bool() const { return status_ == kExitOk; }
  int status() const { return status_; }

 private:
  int status_ = kExitOk;
};

// Starts the program on the RootFolder --root and loads data folder --dataset
// (or the one saved in KAVALO.ini, the first when that lies beyond the list).
// A missing --root or a --dataset outside the list is a usage error; a
// RootFolder or data folder that is missing or unreadable is a failure, each
// with its own message. OnDemand leaves the elevation grid to
// EnsureElevation. Unless mayWrite (a command that exists to write), nothing
// is written into the RootFolder or the data folder: not even a copy of a
// file that could not be read.
CliStatus loadForCli(const CliOptions& options, ProgramState& state, CliPrompts& prompts,
                     ElevationLoad elevation = ElevationLoad::WithDataset, bool mayWrite = false);

void printError(const QString& text);
void printOut(const QString& text);

}  // namespace kavalo
