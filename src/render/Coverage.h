// SPDX-License-Identifier: MIT
#pragma once
// What each era has at a place of the map: a sheet of its own, a sheet
// borrowed from another edition (drawn faded), or nothing. The coverage strip
// under the era slider shows this for the view's centre, one cell per listed
// era, so the user sees which eras are worth stepping to.
#include <vector>

namespace kavalo {

struct ProgramState;

enum class SheetCoverage { None, Borrowed, Own };

// The coverage of one era at an image position. Tile eras count a file on
// disk (their own, or the borrowed edition's); sheet-list eras a sheet whose
// box holds the place.
SheetCoverage coverageAt(const ProgramState& state, int eraIndex, float x, float y);

// The coverage of every listed era (in list order) at the view's centre.
std::vector<SheetCoverage> listedCoverage(const ProgramState& state);

}  // namespace kavalo
