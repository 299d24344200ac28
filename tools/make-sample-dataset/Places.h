// SPDX-License-Identifier: MIT
#pragma once
// The place names of the gazetteer and the marks the region comes with.
#include <vector>

#include "BinaryFiles.h"
#include "World.h"
#include "model/MapInfo.h"
#include "model/Marks.h"

namespace sample {

// About fifty names of every category: districts, hamlets, rivers and
// summits, stations and the harbour, schools and offices.
std::vector<GazetteerEntry> gazetteer(const World& world, const kavalo::MapInfo& info);

// Three marks: the station square, a lookout on a summit, the old ferry.
kavalo::MarkList sampleMarks(const World& world, const kavalo::MapInfo& info);

}  // namespace sample
