// SPDX-License-Identifier: MIT
#pragma once
// Everything that needs a person goes through this interface: message boxes,
// yes/no questions, file dialogs, the wait cursor and letting pending window
// events run. The window implements it with Qt's dialogs; tests and the
// command-line tool use ScriptedPrompts, which records every message and
// answers from a script, so that every message of the program can be checked.
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace kavalo {

enum class MessageIcon { None, Warning, Exclamation, Critical, Information };

struct FileChoice {
  bool chosen = false;
  QString path;      // full path
  QString fileName;  // bare file name
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // An OK box.
  virtual void message(const QString& text, MessageIcon icon) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool askYesNo(const QString& text, MessageIcon icon) = 0;
  // A question with Yes, No and Cancel; true for Yes only (No and Cancel
  // both leave things as they are).
  virtual bool askYesNoCancel(const QString& text, MessageIcon icon) { return askYesNo(text, icon); }
  // The open-file dialog. filters: (description, pattern) pairs.
  virtual FileChoice openFile(const QString& initialFolder, const QString& title,
                              const std::vector<std::pair<QString, QString>>& filters) = 0;
  // The save-file dialog: asks before replacing an existing file, hides the
  // read-only box, and adds defaultSuffix to a name typed without one.
  // initialPath: a folder or a full path. Not chosen unless overridden.
  virtual FileChoice saveFile(const QString& initialPath, const QString& title,
                              const std::vector<std::pair<QString, QString>>& filters, const QString& defaultSuffix) {
    return {};
  }
  // The hourglass while long work runs.
  virtual void setWaitCursor(bool on) = 0;
  // Lets pending window events run once (repaint during long work).
  virtual void processEvents() = 0;
};

// Shows the wait cursor for the life of the object.
class WaitCursor {
 public:
  explicit WaitCursor(Prompts& prompts) : prompts_(prompts) { prompts_.setWaitCursor(true); }
  ~WaitCursor() { prompts_.setWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Prompts& prompts_;
};

// Records every message and answers questions from a queue (Yes when the
// queue is empty, unless defaultAnswer says otherwise).
class ScriptedPrompts : public Prompts {
 public:
  struct Record {
    QString text;
    MessageIcon icon;
    bool question;
    bool withCancel = false;  // a question that offered キャンセル as well
  };

  void message(const QString& text, MessageIcon icon) override;
  bool askYesNo(const QString& text, MessageIcon icon) override;
  bool askYesNoCancel(const QString& text, MessageIcon icon) override;
  FileChoice openFile(const QString& initialFolder, const QString& title,
                      const std::vector<std::pair<QString, QString>>& filters) override;
  // Answers from the same queue as openFile (the path as given).
  FileChoice saveFile(const QString& initialPath, const QString& title,
                      const std::vector<std::pair<QString, QString>>& filters, const QString& defaultSuffix) override;
  void setWaitCursor(bool on) override;
  void processEvents() override {}

  // Script
  void answer(bool yes) { answers.push_back(yes); }
  void chooseFile(const QString& path) { files.push_back(path); }

  // Messages shown (not questions), in order.
  QStringList messages() const;
  // Questions asked, in order.
  QStringList questions() const;

  std::vector<Record> records;
  std::deque<bool> answers;
  bool defaultAnswer = true;
  std::deque<QString> files;  // empty string = the dialog is cancelled
  QString lastFileTitle;
  QString lastFileFolder;
  std::vector<std::pair<QString, QString>> lastFileFilters;
  int waitDepth = 0;
  int maxWaitDepth = 0;
};

}  // namespace kavalo
