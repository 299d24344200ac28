// SPDX-License-Identifier: MIT
#pragma once
#include "platform/Prompts.h"

class QWidget;

namespace kavalo {

// The prompts of the running program: Qt's message boxes and file dialog.
class UiPrompts : public Prompts {
 public:
  explicit UiPrompts(QWidget* owner = nullptr) : owner_(owner) {}
  void setOwner(QWidget* owner) { owner_ = owner; }

  void message(const QString& text, MessageIcon icon) override;
  bool askYesNo(const QString& text, MessageIcon icon) override;
  bool askYesNoCancel(const QString& text, MessageIcon icon) override;
  FileChoice openFile(const QString& initialFolder, const QString& title,
                      const std::vector<std::pair<QString, QString>>& filters) override;
  FileChoice saveFile(const QString& initialPath, const QString& title,
                      const std::vector<std::pair<QString, QString>>& filters, const QString& defaultSuffix) override;
  void setWaitCursor(bool on) override;
  void processEvents() override;

 private:
  QWidget* owner_;
};

}  // namespace kavalo
