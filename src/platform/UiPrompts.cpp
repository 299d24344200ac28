// SPDX-License-Identifier: MIT
#include "platform/UiPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace kavalo {

namespace {
QMessageBox::Icon toIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}
const QString kTitle = QStringLiteral("Kavalo");
}  // namespace

void UiPrompts::message(const QString& text, MessageIcon icon) {
  QMessageBox box(toIcon(icon), kTitle, text, QMessageBox::Ok, owner_);
  box.exec();
}

bool UiPrompts::askYesNo(const QString& text, MessageIcon icon) {
  QMessageBox box(toIcon(icon), kTitle, text, QMessageBox::Yes | QMessageBox::No, owner_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

bool UiPrompts::askYesNoCancel(const QString& text, MessageIcon icon) {
  QMessageBox box(toIcon(icon), kTitle, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

FileChoice UiPrompts::openFile(const QString& initialFolder, const QString& title,
                               const std::vector<std::pair<QString, QString>>& filters) {
  QStringList list;
  for (const auto& [description, pattern] : filters) list << description + u'(' + pattern + u')';
  FileChoice choice;
  const QString path = QFileDialog::getOpenFileName(owner_, title, initialFolder, list.join(QStringLiteral(";;")));
  if (path.isEmpty()) return choice;
  choice.chosen = true;
  choice.path = path;
  choice.fileName = QFileInfo(path).fileName();
  return choice;
}

FileChoice UiPrompts::saveFile(const QString& initialPath, const QString& title,
                               const std::vector<std::pair<QString, QString>>& filters, const QString& defaultSuffix) {
  QStringList list;
  for (const auto& [description, pattern] : filters) list << description + u'(' + pattern + u')';
  QFileDialog dialog(owner_, title, initialPath, list.join(QStringLiteral(";;")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  FileChoice choice;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return choice;
  choice.chosen = true;
  choice.path = dialog.selectedFiles().constFirst();
  choice.fileName = QFileInfo(choice.path).fileName();
  return choice;
}

void UiPrompts::setWaitCursor(bool on) {
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void UiPrompts::processEvents() { QApplication::processEvents(); }

}  // namespace kavalo
