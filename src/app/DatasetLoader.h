// SPDX-License-Identifier: MIT
#pragma once
// Loading a data folder: mapinfo.txt, the era lists of every source, the
// sheet history, the saved position, then the place names, the marks and the
// elevation grid.
#include "app/DatasetConfig.h"

namespace kavalo {

class Prompts;
struct ProgramState;

// When the elevation grid (by far the largest file of a data folder) is
// read: the window shows its colours at once and reads it with the dataset; a
// headless render reads it only when what it draws needs it.
enum class ElevationLoad { WithDataset, OnDemand };

// The whole load of the chosen data folder, as the window does it apart from
// its own controls: the configuration, then place names, marks and the
// elevation grid (OnDemand: no grid yet, see EnsureElevation). Messages go
// through prompts. On success the dataset, the saved view and the scale
// factors are in the state and LoadedFlag is set; on failure nothing of the
// previous dataset's configuration was replaced and LoadedFlag is false.
// When state.eraToKeep is set, the load shows that era (see findEraAgain)
// and forgets the mark.
LoadStatus LoadDataset(ProgramState& state, Prompts& prompts, ElevationLoad elevation = ElevationLoad::WithDataset);

// Reads the elevation grid of the loaded dataset and prepares its pieces
// unless the grid is there already. A grid that cannot be read is reported
// once through prompts (the view then has no elevation colours); false then.
bool EnsureElevation(ProgramState& state, Prompts& prompts);

// Marks the shown era to be kept by the next load (nothing when none is
// shown).
void keepShownEra(ProgramState& state);

}  // namespace kavalo
