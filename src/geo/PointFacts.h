// SPDX-License-Identifier: MIT
#pragma once
// The facts behind the cursor readout, as values rather than captions, for
// scripts: the position in decimal degrees in both datums, the elevation in
// metres, and the map sheet of the shown era with its edition. They follow
// the captions' rules (the same sheet cell, the same borrowed edition), so a
// script and the window never disagree.
#include <QString>
#include <optional>

#include "model/Coordinates.h"

namespace kavalo {

struct ProgramState;

struct PointFacts {
  LatLon tokyo;                     // Tokyo datum
  LatLon world;                     // world datum
  std::optional<double> elevation;  // metres; none over the sea or outside the grid
  bool sea = false;                 // the grid says sea there
  QString sheet;                    // the sheet's name (1:20,000: "code(name)"); empty for none
  QString edition;                  // the edition shown there (its own or the borrowed one)
  QString issued;                   // that edition's issue text
  bool borrowed = false;            // the sheet comes from another edition (the bold caption)
};

PointFacts computePointFacts(const ProgramState& state, const Viewport& view, float px, float py);

}  // namespace kavalo
