// SPDX-License-Identifier: MIT
#include "app/WindowSettings.h"

#include <QFile>
#include <QFileInfo>

#include "platform/AtomicFile.h"
#include "platform/KeyValueFile.h"
#include "platform/Language.h"

namespace kavalo {

WindowSettings readWindowSettingsFile(const QString& path) {
  WindowSettings s;
  std::vector<KeyValueLine> lines;
  readKeyValueFile(path, lines);
  for (const KeyValueLine& line : lines) {
    // The user types these: letter case is no matter.
    const QString key = line.key.toLower();
    const QString value = line.value.toLower();
    if (key == u"wheel") {
      if (value == u"away-zooms-in")
        s.wheelAwayZoomsIn = true;
      else if (value == u"away-zooms-out")
        s.wheelAwayZoomsIn = false;
    } else if (key == u"language" && isLanguageChoice(value)) {
      s.language = value;
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
      "wheel=away-zooms-out\n"
      "#\n"
      "# language: the language of the window's texts (what is stored stays as it is).\n"
      "#   system  the system's language: Japanese for Japanese, English otherwise (default)\n"
      "#   ja      Japanese\n"
      "#   en      English\n"
      "language=system\n");
}

WindowSettings loadWindowSettings(const QString& rootFolder) {
  const QString path = rootFolder + u'/' + QString::fromLatin1(kWindowSettingsFile);
  // A RootFolder the user cannot write to simply keeps no file.
  if (!QFileInfo::exists(path)) writeFileAtomically(path, defaultWindowSettingsText());
  return readWindowSettingsFile(path);
}

}  // namespace kavalo
