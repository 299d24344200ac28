// SPDX-License-Identifier: MIT
#include "app/EraEditing.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <optional>

#include "model/EraLabels.h"
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "model/UserEras.h"
#include "model/XyzEras.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Trash.h"

namespace kavalo {

namespace {

EraEditResult refused(const QString& why) { return EraEditResult{false, why}; }

QString shownLabel(const ProgramState& state, int eraIndex) {
  return Get_cboAge_Text(state.eras[static_cast<size_t>(eraIndex)], state.view.eraLabelStyle);
}

QString notUsers(const ProgramState& state, int eraIndex) {
  return QCoreApplication::translate("kavalo::EraEditing",
                                     "「%1」は追加した時期ではないため、名前の変更や削除はできません。")
      .arg(shownLabel(state, eraIndex));
}

}  // namespace

bool isUsersEra(const ProgramState& state, int eraIndex) {
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size())) return false;
  return eraSource(state.eras[static_cast<size_t>(eraIndex)]).usersOwn;
}

EraEditResult renameUserEra(ProgramState& state, int eraIndex, const QString& typed) {
  if (!isUsersEra(state, eraIndex)) return refused(notUsers(state, eraIndex));
  // Blanks around a name are no part of it (the name dialog drops them too).
  const QString label = typed.trimmed();
  Era& era = state.eras[static_cast<size_t>(eraIndex)];
  const QString before = shownLabel(state, eraIndex);
  QString error;
  if (!relabelUserEraInFiles(state.datasetFolder, era, label, &error)) return refused(error);
  era.label = label;
  // An era of the last version now lives in the list of its own kind.
  if (eraSource(era).acquisition == EraAcquisition::TileService) era.infoFile = QString::fromLatin1(kXyzInfoFile);
  return EraEditResult{
      true,
      QCoreApplication::translate("kavalo::EraEditing", "「%1」の名前を「%2」に変更しました。").arg(before, label)};
}

EraEditResult deleteUserEra(ProgramState& state, int eraIndex, Prompts& prompts) {
  if (!isUsersEra(state, eraIndex)) return refused(notUsers(state, eraIndex));
  const Era era = state.eras[static_cast<size_t>(eraIndex)];
  const QString label = shownLabel(state, eraIndex);
  if (!prompts.askYesNo(QCoreApplication::translate("kavalo::EraEditing",
                                                    "「%1」を削除します。画像はごみ箱に移動します。よろしいですか？")
                            .arg(label),
                        MessageIcon::Exclamation))
    return refused(QString());
  std::vector<FileSnapshot> kept;
  for (const QString& path : userEraInfoPaths(state.datasetFolder, era)) kept.push_back(snapshotFile(path));
  QString error;
  if (!removeUserEraFromFiles(state.datasetFolder, era, &error)) return refused(error);
  // The list first, the pictures second: a stop in between leaves a folder
  // no era names, never an era without its pictures.
  const QString folder = joinPath(state.datasetFolder, u'\\' + era.name);
  if (QDir(folder).exists() && !moveToTrash(folder, &error)) {
    for (const FileSnapshot& s : kept) restoreSnapshot(s, nullptr);
    return refused(error);
  }
  const std::optional<EraMark> shown =
      state.hasEra() ? std::optional<EraMark>(EraMark{state.currentEra().name, state.currentEra().yearFrom})
                     : std::nullopt;
  state.eras.erase(state.eras.begin() + eraIndex);
  state.view.eraIndex = shown ? std::max(0, findEraAgain(state.eras, *shown)) : 0;
  return EraEditResult{true, QCoreApplication::translate("kavalo::EraEditing", "「%1」を削除しました。").arg(label)};
}

}  // namespace kavalo
