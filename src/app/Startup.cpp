// SPDX-License-Identifier: MIT
#include "app/Startup.h"

#include <QCoreApplication>

#include "model/ProgramState.h"
#include "model/Settings.h"
#include "net/ServerSettings.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/ValueWriter.h"

namespace kavalo {

namespace {
QString rootFile(const ProgramState& state, const char* name) {
  return joinPath(state.rootFolder, QString::fromUtf8(name));
}
}  // namespace

bool startProgram(ProgramState& state, const QString& rootFolder, Prompts& prompts, QString* failure) {
  state.rootFolder = rootFolder;
  state.names = FileNameTable::standard(readServerSettings(rootFolder).webBase);
  state.datasetFolder.clear();
  state.dataFolderIndex = 0;
  state.view.eraLabelStyle = 0;
  state.view.datumFlag = 1;

  const Settings settings = readSettings(rootFile(state, "\\KAVALO.ini"));
  state.settingsRead = settings;
  state.dataFolderIndex = settings.dataFolderIndex;
  state.view.eraLabelStyle = settings.eraLabelStyle;
  state.view.datumFlag = settings.datumFlag;

  QString error;
  if (!readDataFolderList(rootFile(state, "\\dataset.txt"), state.dataFolders, &error)) {
    if (failure) {
      *failure = error;
      return false;
    }
    prompts.message(QCoreApplication::translate("kavalo::Startup", "%1\nデータフォルダ: %2\nKavaloを終了します。")
                        .arg(error, rootFolder),
                    MessageIcon::Critical);
    return false;
  }

  const QString colorPath = rootFile(state, "\\colorset.txt");
  state.colorSets = defaultColorSetList();
  state.colorSetsUnreadable = false;
  if (FileExists(colorPath)) {
    QString colorError;
    if (!readColorSetFile(colorPath, state.colorSets, &colorError)) {
      // Keep the user's file: it is not overwritten at exit.
      state.colorSetsUnreadable = true;
      const QString aside = state.readOnly ? QString() : keepAside(colorPath);
      prompts.message(colorError + QCoreApplication::translate("kavalo::Startup", "\n初期設定の標高色を使います。") +
                          (aside.isEmpty() ? QString()
                                           : QCoreApplication::translate("kavalo::Startup",
                                                                         "\n元のファイルは %1 に残してあります。")
                                                 .arg(aside)),
                      MessageIcon::Warning);
    }
  }
  state.marks.clear();
  state.view.onlineMode = false;
  return true;
}

int initialDataFolderIndex(const ProgramState& state) {
  if (state.dataFolderIndex < 0 || state.dataFolderIndex >= static_cast<int>(state.dataFolders.size())) return 0;
  return state.dataFolderIndex;
}

void Save_Position(ProgramState& state) {
  if (state.readOnly || !state.view.loaded || state.datasetFolder.isEmpty()) return;
  ValueWriter w;
  w.single(state.view.centerX)
      .comma()
      .single(state.view.centerY)
      .comma()
      .number(state.view.eraIndex)
      .comma()
      .number(state.view.zoomPercent)
      .endLine();
  w.textLine(state.names[kMarksFile]);
  w.save(joinPath(state.datasetFolder, state.names[kPositionFile]));
  // An unreadable marks file is not replaced by an empty list.
  if (state.marksUnreadable && state.marks.count() == 0) return;
  Save_MarkFile(joinPath(state.datasetFolder, state.names[kMarksFile]), state.marks);
}

void saveAtQuit(ProgramState& state) {
  if (state.readOnly) return;
  Settings s;
  s.dataFolderIndex = state.dataFolderIndex;
  s.eraLabelStyle = state.view.eraLabelStyle;
  s.datumFlag = state.view.datumFlag;
  writeSettings(rootFile(state, "\\KAVALO.ini"), s);
  if (!state.colorSetsUnreadable) writeColorSetFile(rootFile(state, "\\colorset.txt"), state.colorSets);
  Save_Position(state);
}

}  // namespace kavalo
