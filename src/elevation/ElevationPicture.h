// SPDX-License-Identifier: MIT
#pragma once

namespace kavalo {

class Prompts;
struct ProgramState;

// Reads altitude.dat of the current data folder again, replaces the grid and
// prepares the ramp of the selected colour set and fresh pieces. A file that
// cannot be read is reported once; the map is then shown without elevation
// colouring. False in that case.
bool init_Altitude_Picture(ProgramState& state, Prompts& prompts);

}  // namespace kavalo
