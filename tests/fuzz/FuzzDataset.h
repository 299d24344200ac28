// SPDX-License-Identifier: MIT
#pragma once
// A small sound data folder in the scratch folder, for the targets that fuzz
// one of its files, and the use of a loaded configuration the way the window
// uses it (tile resolution, readout, era labels).
#include <QString>

namespace kavalo {
struct DatasetConfig;
struct ProgramState;
}  // namespace kavalo

namespace kavalo::fuzz {

// Writes mapinfo.txt (2 x 2 sheets of 2 x 2 tiles of 100 x 80 pixels, with
// the rapid-survey and 1/20,000 switches on), a map_tikeizu_info.txt of two
// eras and a map_2man_info.txt of one sheet into scratch/<name>; returns the
// folder.
QString writeBaseDataset(const QString& name);

// Writes a Shift-JIS text file into a folder ("\\" + file name).
void writeSjisFile(const QString& folder, const QString& backslashName, const QString& text);

// Resolves every tile of every era, reads out a few points and labels every
// era, checking what must hold whatever the files said.
void exerciseState(ProgramState& state);
void exerciseConfig(const DatasetConfig& config);

}  // namespace kavalo::fuzz
