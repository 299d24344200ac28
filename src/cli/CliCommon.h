#pragma once
// What every command of kavalo-cli shares: the options, and loading a data
// folder exactly as the window does.
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

#include "app/ProgramState.h"
#include "platform/Prompts.h"

namespace kavalo {

// Messages of the program go to standard error; questions are answered Yes.
class CliPrompts : public ScriptedPrompts {
 public:
  void message(const QString& text, MessageIcon icon) override;
};

// "--name value" pairs and "-o value"; false with a message on stray words.
struct CliOptions {
  std::map<QString, QString> values;
  bool has(const QString& name) const { return values.count(name) != 0; }
  QString get(const QString& name, const QString& fallback = QString()) const {
    auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
  }
};
bool parseOptions(const QStringList& args, const QStringList& known, CliOptions& out, QString* error);

// Starts the program on the RootFolder and loads data folder --dataset (or
// the one saved in KAVALO.ini, the first when that lies beyond the list).
// False after the program's message went to standard error.
bool loadForCli(const CliOptions& options, ProgramState& state, CliPrompts& prompts);

void printError(const QString& text);
void printOut(const QString& text);

}  // namespace kavalo
