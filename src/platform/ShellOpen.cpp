#include "platform/ShellOpen.h"

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
      prompts.message(QStringLiteral("パスが見つかりません。"), MessageIcon::Critical);
      return false;
    }
    if (!info.exists()) {
      prompts.message(QStringLiteral("ファイルが見つかりません。"), MessageIcon::Critical);
      return false;
    }
    url = QUrl::fromLocalFile(info.absoluteFilePath());
  }
  if (!QDesktopServices::openUrl(url)) {
    prompts.message(QStringLiteral("ファイルを開けません。"), MessageIcon::Critical);
    return false;
  }
  return true;
}

}  // namespace kavalo
