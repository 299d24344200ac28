// SPDX-License-Identifier: MIT
#pragma once
// Renaming and deleting the eras the user added to the loaded data folder
// (from a tile service or a scan), for the era settings and for
// kavalo-cli eras. The eras of the dataset and of the agency cannot be
// changed. A deleted era's folder goes to the desktop's trash.
#include <QString>

namespace kavalo {

class Prompts;
struct ProgramState;

struct EraEditResult {
  bool done = false;
  QString message;  // what was done, or why not
};

// Whether the era at the index is the user's to rename and delete.
bool isUsersEra(const ProgramState& state, int eraIndex);

// Gives the user's era a new label in its info file; on success the era in
// the state carries it.
EraEditResult renameUserEra(ProgramState& state, int eraIndex, const QString& label);

// Asks before anything changes; then takes the era out of its info file and
// moves its folder to the trash. When the folder cannot be moved, the info
// file is put back and nothing is lost. On success the era is gone from the
// state's era list (the caller loads the data folder again).
EraEditResult deleteUserEra(ProgramState& state, int eraIndex, Prompts& prompts);

}  // namespace kavalo
