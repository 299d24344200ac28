// SPDX-License-Identifier: MIT
#include "platform/ShellOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/Prompts.h"

namespace kavalo {

bool ShellOpen(const QString& target, Prompts& prompts) {
  const bool isWebAddress = target.startsWith(u"http://") || target.startsWith(u"https://");
  QUrl url;
  if (isWebAddress) {
    url = QUrl(target);
  } else {
    QFileInfo info(target);
    if (!info.dir().exists()) {
      prompts.message(QCoreApplication::translate("kavalo::ShellOpen", "パスが見つかりません。"),
                      MessageIcon::Critical);
      return false;
    }
    if (!info.exists()) {
      prompts.message(QCoreApplication::translate("kavalo::ShellOpen", "ファイルが見つかりません。"),
                      MessageIcon::Critical);
      return false;
    }
    url = QUrl::fromLocalFile(info.absoluteFilePath());
  }
  if (!QDesktopServices::openUrl(url)) {
    prompts.message(QCoreApplication::translate("kavalo::ShellOpen", "ファイルを開けません。"), MessageIcon::Critical);
    return false;
  }
  return true;
}

}  // namespace kavalo
