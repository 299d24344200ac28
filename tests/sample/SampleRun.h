// SPDX-License-Identifier: MIT
#pragma once
// Runs the sample generator and gives the tests the region it wrote, loaded
// the way the program loads it.
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include "app/DatasetLoader.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"

namespace sampletest {

struct RunResult {
  int exitCode = -1;
  QString errorOutput;
};

// The generator binary (KAVALO_BIN, else next to the test's build folder).
QString generatorPath();
QString cliPath();

// Runs make-sample-dataset with the arguments and waits for it.
RunResult runGenerator(const QStringList& arguments);

// A RootFolder written by the generator once for all tests of this program.
const QString& sampleRoot();
QString sampleFolder();  // the data folder of the region

// Loads data folder `index` of a RootFolder as the program does; the
// prompts receive every message shown on the way.
kavalo::LoadStatus loadRegion(const QString& root, int index, kavalo::ProgramState& state,
                              kavalo::ScriptedPrompts& prompts);

// The sample region loaded once for all tests that only look at it.
struct LoadedRegion {
  kavalo::ProgramState state;
  kavalo::ScriptedPrompts prompts;
  kavalo::LoadStatus status = kavalo::LoadStatus::Failed;
  bool loaded() const { return status == kavalo::LoadStatus::Loaded; }
};
const LoadedRegion& sampleRegion();

// Every file under a folder, as relative paths, sorted.
QStringList filesUnder(const QString& folder);

// The lines of a Shift-JIS check list.
QStringList checkList(const QString& path);

// The pixel of an era's tile grid at an image position, the grid starting at
// the frame offset (fx, fy). Invalid colour (0) when the tile is missing.
class TileGrid {
 public:
  TileGrid(const QString& eraFolder, const QString& ext, int fx, int fy, int tileWidth, int tileHeight)
      : folder_(eraFolder), ext_(ext), fx_(fx), fy_(fy), w_(tileWidth), h_(tileHeight) {}
  // False when no tile covers the point.
  bool pixel(int x, int y, QRgb& out);
  // The same for the mask of a masked era.
  bool maskPixel(int x, int y, QRgb& out);

 private:
  bool lookup(const QString& prefix, int x, int y, QRgb& out);
  QString folder_, ext_;
  int fx_, fy_, w_, h_;
  QHash<QString, QImage> cache_;
};

}  // namespace sampletest
