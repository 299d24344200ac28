// SPDX-License-Identifier: MIT
#include "geo/OpenFileDialog.h"

#include <QStringList>

namespace kavalo {

std::vector<std::pair<QString, QString>> parseFilterList(const QString& filterList) {
  std::vector<std::pair<QString, QString>> filters;
  if (filterList.isEmpty()) return filters;
  const QStringList parts = filterList.split(u'\t');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters.emplace_back(parts[i], parts[i + 1]);
  return filters;
}

FileChoice Open_FileDialog(Prompts& prompts, const QString& initialFolder, const QString& title,
                           const QString& filterList) {
  return prompts.openFile(initialFolder, title, parseFilterList(filterList));
}

}  // namespace kavalo
