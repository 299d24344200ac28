// SPDX-License-Identifier: MIT
#include "elevation/ElevationPicture.h"

#include <QCoreApplication>

#include "model/ProgramState.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

namespace kavalo {

bool init_Altitude_Picture(ProgramState& state, Prompts& prompts) {
  state.pieces.clear();
  QString error;
  const QString path = joinPath(state.datasetFolder, QStringLiteral("\\altitude.dat"));
  if (!readAltitudeGrid(path, state.mapInfo, state.altitude, &error)) {
    prompts.message(
        QCoreApplication::translate("kavalo::ElevationPicture", "%1\n標高の色分けをせずに表示します。").arg(error),
        MessageIcon::Warning);
    return false;
  }
  if (state.colorSets.sets.empty()) state.colorSets = defaultColorSetList();
  state.pieces.prepare(&state.altitude, state.colorSets.current(), state.mapInfo.totalCols, state.mapInfo.totalRows);
  return true;
}

}  // namespace kavalo
