// SPDX-License-Identifier: MIT
#pragma once
// The parts of start-up and quit that need no window.
#include <QString>

namespace kavalo {

class Prompts;
struct ProgramState;

// Fills the file names, reads KAVALO.ini, dataset.txt and colorset.txt of the
// RootFolder. False when dataset.txt is missing or malformed: the message
// (naming the file and the RootFolder) has been shown and the program must end.
// With failure given, the reason is handed back instead of being shown with
// the window's closing words (kavalo-cli words its own message).
bool startProgram(ProgramState& state, const QString& rootFolder, Prompts& prompts, QString* failure = nullptr);

// The data-folder index to select: the saved one, or the first entry when the
// saved one lies beyond the list.
int initialDataFolderIndex(const ProgramState& state);

// Chooses data folder index and loads it (without any window): the position
// and marks of the folder being left are saved first.
void selectDataFolder(ProgramState& state, int index);

// Writes PositionRecored.txt of the loaded data folder, then its marks. Does
// nothing while no dataset is loaded, so that a folder that failed to load
// never receives another folder's position or marks. Errors are ignored.
void Save_Position(ProgramState& state);

// The saves at quit: KAVALO.ini, colorset.txt (unless it could not be read at
// start), then Save_Position. Errors are ignored.
void saveAtQuit(ProgramState& state);

}  // namespace kavalo
