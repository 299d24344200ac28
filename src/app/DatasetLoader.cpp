// SPDX-License-Identifier: MIT
#include "app/DatasetLoader.h"

#include <QCoreApplication>

#include <new>

#include "elevation/ElevationPicture.h"
#include "model/ProgramState.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

LoadStatus loadChosenFolder(ProgramState& state, Prompts& prompts, ElevationLoad elevation) {
  const QString mapInfoPath = joinPath(state.datasetFolder, state.names[kMapInfoFile]);
  if (!FileExists(mapInfoPath)) {
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    return LoadStatus::NoMapInfo;
  }
  WaitCursor wait(prompts);
  DatasetConfig config;
  QString error;
  const LoadStatus status = readDatasetConfig(state.datasetFolder, state.names, state.mapInfo, config, &error);
  if (status != LoadStatus::Loaded) {
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    if (status == LoadStatus::Failed) prompts.message(error, MessageIcon::Warning);
    return status;
  }
  if (config.eras.empty()) {
    // Nothing could be shown: a data folder needs at least one era.
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    prompts.message(QCoreApplication::translate("kavalo::DatasetLoader", "「%1」に時期が1つもありません。\n%2")
                        .arg(nativeRelative(state.names[kTikeizuInfoFile]),
                             joinPath(state.datasetFolder, state.names[kTikeizuInfoFile])),
                    MessageIcon::Warning);
    return LoadStatus::Failed;
  }

  state.mapInfo = config.mapInfo;
  state.eras = std::move(config.eras);
  state.history = std::move(config.history);
  state.view.centerX = config.centerX;
  state.view.centerY = config.centerY;
  state.view.eraIndex = config.eraIndex;
  if (state.eraToKeep) {
    const int kept = findEraAgain(state.eras, *state.eraToKeep);
    if (kept >= 0) state.view.eraIndex = kept;
  }
  state.view.zoomPercent = config.zoomPercent;
  state.marksFileName = config.marksFileName;
  state.names[kMarksFile] = config.marksFileName;
  state.eraListMap.clear();
  state.listedCount = 0;
  // The user's files were placed on the previous data folder's mosaic.
  state.overlays = OverlaySet();
  state.overlayList = OverlayList();

  // Place names
  QString placeError;
  if (!Get_PlaceNameFile(joinPath(state.datasetFolder, QStringLiteral("\\placename.dat")), state.placeNames,
                         &placeError))
    prompts.message(placeError, MessageIcon::Warning);

  // Marks: a file that cannot be read is reported once and kept aside, and
  // the dataset loads without marks.
  const QString marksPath = joinPath(state.datasetFolder, state.marksFileName);
  QString marksError;
  state.marksUnreadable = false;
  if (!Get_MarkFile(marksPath, state.marks, &marksError)) {
    state.marks.clear();
    state.marksUnreadable = true;
    // Tools that only read leave the data folder as it is.
    const QString aside = state.readOnly ? QString() : keepAside(marksPath);
    prompts.message(
        marksError + (aside.isEmpty() ? QString()
                                      : QCoreApplication::translate("kavalo::DatasetLoader",
                                                                    "\n元のファイルは %1 に残してあります。")
                                            .arg(aside)),
        MessageIcon::Warning);
  }

  if (elevation == ElevationLoad::WithDataset) {
    init_Altitude_Picture(state, prompts);
  } else {
    // Nothing of the previous data folder's grid may stand for this one's.
    state.altitude = AltitudeGrid();
    state.pieces.clear();
  }

  state.scale = computeScaleFactors(state.mapInfo, state.mmPerScreenPxX, state.mmPerScreenPxY);
  state.view.loaded = true;
  state.view.firstLoadDone = true;
  return LoadStatus::Loaded;
}

}  // namespace

LoadStatus LoadDataset(ProgramState& state, Prompts& prompts, ElevationLoad elevation) {
  // The era to keep holds for this one load, whatever its outcome.
  struct Forget {
    ProgramState& s;
    ~Forget() { s.eraToKeep.reset(); }
  } forget{state};
  // The folder name comes from dataset.txt: it must name a folder inside the
  // RootFolder, or the load would read (and the next save write) elsewhere.
  if (state.dataFolderIndex >= 0 && state.dataFolderIndex < static_cast<int>(state.dataFolders.size())) {
    const QString& name = state.dataFolders[static_cast<size_t>(state.dataFolderIndex)].folder;
    if (!isSingleName(name)) {
      state.view.loaded = false;
      state.view.firstLoadDone = true;
      prompts.message(
          QCoreApplication::translate("kavalo::DatasetLoader",
                                      "データセットの一覧「dataset.txt」のフォルダ名「%1」が正しくありません"
                                      "（「..」、区切り文字、ドライブ名は使えません）。\n%2")
              .arg(name, joinPath(state.rootFolder, QStringLiteral("\\dataset.txt"))),
          MessageIcon::Warning);
      return LoadStatus::Failed;
    }
  }
  try {
    return loadChosenFolder(state, prompts, elevation);
  } catch (const std::bad_alloc&) {
    // Whatever was replaced before the failure is not shown or saved: the
    // load counts as failed.
    state.view.loaded = false;
    state.view.firstLoadDone = true;
    prompts.message(
        QCoreApplication::translate("kavalo::DatasetLoader", "メモリが足りないため、データセットを読み込めません。\n%1")
            .arg(state.datasetFolder),
        MessageIcon::Warning);
    return LoadStatus::Failed;
  }
}

void keepShownEra(ProgramState& state) {
  if (!state.hasEra()) return;
  const Era& era = state.currentEra();
  state.eraToKeep = EraMark{era.name, era.yearFrom};
}

bool EnsureElevation(ProgramState& state, Prompts& prompts) {
  if (!state.altitude.empty() && state.pieces.available()) return true;
  return init_Altitude_Picture(state, prompts);
}

}  // namespace kavalo
