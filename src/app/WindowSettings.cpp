#include "app/WindowSettings.h"

#include <QFile>
#include <QFileInfo>

#include "platform/AtomicFile.h"

namespace kavalo {

WindowSettings readWindowSettingsFile(const QString& path) {
  WindowSettings s;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return s;
  const QString text = QString::fromUtf8(file.readAll());
  for (QString line : text.split(u'\n')) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    const QString key = line.left(eq).trimmed().toLower();
    const QString value = line.mid(eq + 1).trimmed().toLower();
    if (key == u"wheel") {
      if (value == u"away-zooms-in")
        s.wheelAwayZoomsIn = true;
      else if (value == u"away-zooms-out")
        s.wheelAwayZoomsIn = false;
    }
  }
  return s;
}

QByteArray defaultWindowSettingsText() {
  return QByteArrayLiteral(
      "# Kavalo window settings (UTF-8). Lines are key=value; lines starting with # are comments.\n"
      "#\n"
      "# wheel: which way the mouse wheel zooms the map.\n"
      "#   away-zooms-out  turning the wheel away from you zooms out (default)\n"
      "#   away-zooms-in   turning the wheel away from you zooms in\n"
      "wheel=away-zooms-out\n");
}

WindowSettings loadWindowSettings(const QString& rootFolder) {
  const QString path = rootFolder + u'/' + QString::fromLatin1(kWindowSettingsFile);
  // A RootFolder the user cannot write to simply keeps no file.
  if (!QFileInfo::exists(path)) writeFileAtomically(path, defaultWindowSettingsText());
  return readWindowSettingsFile(path);
}

}  // namespace kavalo
