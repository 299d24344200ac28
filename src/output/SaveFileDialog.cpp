// SPDX-License-Identifier: MIT
#include "output/SaveFileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "output/ExportDocuments.h"

namespace kavalo {

FileChoice SaveFileDialog(Prompts& prompts, const QString& initialPath, const QString& title, const QString& filter,
                          const QString& defaultExt) {
  std::vector<std::pair<QString, QString>> filters;
  const QStringList parts = filter.split(u'\t');
  for (int i = 0; i + 1 < parts.size(); i += 2) filters.emplace_back(parts[i], parts[i + 1]);
  FileChoice choice = prompts.saveFile(initialPath, title, filters, defaultExt);
  if (!choice.chosen || HasExtension(choice.fileName, defaultExt)) return choice;

  prompts.message(
      QCoreApplication::translate("kavalo::SaveFileDialog", "拡張子を正しい%1に変更します。").arg(defaultExt),
      MessageIcon::Information);
  const QString confirmed = choice.path;
  choice.path = ReplaceExtension(choice.path, defaultExt);
  choice.fileName = ReplaceExtension(choice.fileName, defaultExt);
  // The dialog asked about the name as typed, not about this one.
  if (choice.path != confirmed && QFileInfo::exists(choice.path) &&
      !prompts.askYesNo(QCoreApplication::translate("kavalo::SaveFileDialog", "%1は既に存在します。\n上書きしますか？")
                            .arg(QDir::toNativeSeparators(choice.path)),
                        MessageIcon::Exclamation))
    return {};
  return choice;
}

}  // namespace kavalo
