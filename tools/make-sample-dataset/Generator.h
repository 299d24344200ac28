// SPDX-License-Identifier: MIT
#pragma once
// Writes a whole RootFolder: the sample region, or the large region for
// benchmarks.
#include <QString>

namespace sample {

// dataset.txt, the sample region "sample" and a folder without configuration.
bool generateSample(const QString& root, QString* error);

// dataset.txt and a large region "bench" whose tiles share a few files
// through hard links.
bool generateBench(const QString& root, QString* error);
// The benchmark region's tiles per era: a square of whole sheet units of 5 x 5
// tiles (400, 1,000,000; sheets of 10 x 10 tiles). False for any other number.
bool setBenchTiles(int tilesPerEra);

}  // namespace sample
