#pragma once
// What every command of kavalo-cli shares: the options, and loading a data
// folder exactly as the window does.
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

#include "app/DatasetLoader.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"

namespace kavalo {

// Messages of the program go to standard error; questions are answered Yes.
class CliPrompts : public ScriptedPrompts {
 public:
  void message(const QString& text, MessageIcon icon) override;
};

// The options of one command as given: "--name value" pairs, "-o value" and
// switches without a value (stored with an empty value).
struct CliOptions {
  std::map<QString, QString> values;
  bool has(const QString& name) const { return values.count(name) != 0; }
  QString get(const QString& name, const QString& fallback = QString()) const {
    auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
  }
};

// What a command accepts: option names as typed ("--root", "-o"), those that
// take a value and those that are switches, and its usage line(s) for --help.
struct CommandSpec {
  QString name;      // "render"
  QString synopsis;  // the usage after "kavalo-cli ", without a trailing line feed
  QStringList valueOptions;
  QStringList switches;
};

enum class ParseOutcome { Ok, Help, Error };

// Parses a command's arguments with QCommandLineParser. Help: --help or -h
// was given (the usage has been printed to standard output). Error: error
// holds the reason (an unknown option, a missing value, a stray word).
ParseOutcome parseCommand(const CommandSpec& cmd, const QStringList& args, CliOptions& out, QString* error);

// The same for a command without switches; false on an error or --help.
bool parseOptions(const QStringList& args, const QStringList& known, CliOptions& out, QString* error);

// The exit status of a command whose parse did not end in Ok: 0 after
// --help, 2 (usage error) otherwise, with the error and the usage on
// standard error.
int finishParse(const CommandSpec& cmd, ParseOutcome outcome, const QString& error);

// Starts the program on the RootFolder and loads data folder --dataset (or
// the one saved in KAVALO.ini, the first when that lies beyond the list).
// False after the program's message went to standard error. OnDemand leaves
// the elevation grid to EnsureElevation. Unless mayWrite (a command that
// exists to write), nothing is written into the RootFolder or the data
// folder: not even a copy of a file that could not be read.
bool loadForCli(const CliOptions& options, ProgramState& state, CliPrompts& prompts,
                ElevationLoad elevation = ElevationLoad::WithDataset, bool mayWrite = false);

void printError(const QString& text);
void printOut(const QString& text);

}  // namespace kavalo
