// SPDX-License-Identifier: MIT
#include "platform/Prompts.h"

#include <QFileInfo>

namespace kavalo {

void ScriptedPrompts::message(const QString& text, MessageIcon icon) { records.push_back({text, icon, false}); }

bool ScriptedPrompts::askYesNo(const QString& text, MessageIcon icon) {
  records.push_back({text, icon, true});
  if (answers.empty()) return defaultAnswer;
  bool yes = answers.front();
  answers.pop_front();
  return yes;
}

bool ScriptedPrompts::askYesNoCancel(const QString& text, MessageIcon icon) {
  const bool yes = askYesNo(text, icon);
  records.back().withCancel = true;
  return yes;
}

FileChoice ScriptedPrompts::openFile(const QString& initialFolder, const QString& title,
                                     const std::vector<std::pair<QString, QString>>& filters) {
  lastFileFolder = initialFolder;
  lastFileTitle = title;
  lastFileFilters = filters;
  FileChoice choice;
  if (files.empty()) return choice;
  QString path = files.front();
  files.pop_front();
  if (path.isEmpty()) return choice;
  choice.chosen = true;
  choice.path = path;
  choice.fileName = QFileInfo(path).fileName();
  return choice;
}

FileChoice ScriptedPrompts::saveFile(const QString& initialPath, const QString& title,
                                     const std::vector<std::pair<QString, QString>>& filters, const QString&) {
  return openFile(initialPath, title, filters);
}

void ScriptedPrompts::setWaitCursor(bool on) {
  waitDepth += on ? 1 : -1;
  if (waitDepth > maxWaitDepth) maxWaitDepth = waitDepth;
}

QStringList ScriptedPrompts::messages() const {
  QStringList list;
  for (const auto& r : records)
    if (!r.question) list << r.text;
  return list;
}

QStringList ScriptedPrompts::questions() const {
  QStringList list;
  for (const auto& r : records)
    if (r.question) list << r.text;
  return list;
}

}  // namespace kavalo
