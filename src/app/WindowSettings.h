// SPDX-License-Identifier: MIT
#pragma once
// The window's own settings, kept beside KAVALO.ini in a file of their own
// (KAVALO.ini keeps the form other copies of the program read): a UTF-8 text
// of "key=value" lines, "#" starting a comment line.
#include <QString>

namespace kavalo {

// The file's name in the RootFolder.
inline constexpr char kWindowSettingsFile[] = "kavalo-window.ini";

struct WindowSettings {
  // The wheel turned away from the user zooms in ("wheel=away-zooms-in");
  // by default it zooms out, as the program always did.
  bool wheelAwayZoomsIn = false;
  // The interface's language: "system", "ja" or "en" ("language=...").
  QString language = QStringLiteral("system");
};

// Reads the settings; a missing file, an unknown key or an unknown value
// leaves the defaults.
WindowSettings readWindowSettingsFile(const QString& path);

// The text of a fresh settings file: every setting at its default, each with
// a comment saying what it does.
QByteArray defaultWindowSettingsText();

// Reads the file in the RootFolder and writes it with its defaults when it
// does not exist yet, so that the user finds the settings to change.
WindowSettings loadWindowSettings(const QString& rootFolder);

}  // namespace kavalo
