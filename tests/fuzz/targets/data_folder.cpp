// SPDX-License-Identifier: MIT
// A whole data folder made of fuzzed files (parts split at "@@@" lines:
// mapinfo.txt, map_tikeizu_info.txt, 図歴.csv, PositionRecored.txt, the marks
// file, placename.dat, altitude.dat, map_watizu_info.txt, map_ortho_info.txt),
// loaded as the window loads it and drawn once by the composition.
#include <QBuffer>
#include <QImage>

#include "FuzzDataset.h"
#include "FuzzSupport.h"
#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "model/ProgramState.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/ComposeContext.h"
#include "render/Tiles.h"
#include "render/ViewComposer.h"

using namespace kavalo;

namespace {

QByteArray tilePng() {
  static const QByteArray png = [] {
    QImage image(10, 8, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
  }();
  return png;
}

}  // namespace

KAVALO_FUZZ_TARGET(data_folder) {
  fuzz::clearScratch();
  static const char* const kFiles[] = {"mapinfo.txt",         "map_tikeizu_info.txt", "図歴.csv",
                                       "PositionRecored.txt", "MarkData.kmk",         "placename.dat",
                                       "altitude.dat",        "map_watizu_info.txt",  "map_ortho_info.txt"};
  const std::vector<QByteArray> parts = fuzz::splitParts(data, size);
  for (size_t i = 0; i < parts.size() && i < std::size(kFiles); ++i)
    fuzz::writeScratch(QStringLiteral("d/") + QString::fromUtf8(kFiles[i]), parts[i]);
  fuzz::writeScratch(QStringLiteral("dataset.txt"), "1\r\nfuzz,d\r\n");

  ProgramState state;
  ScriptedPrompts prompts;
  FUZZ_CHECK(startProgram(state, fuzz::scratchFolder(), prompts));
  state.dataFolderIndex = 0;
  state.datasetFolder = joinPath(state.rootFolder, QStringLiteral("\\d"));
  if (LoadDataset(state, prompts) != LoadStatus::Loaded) {
    FUZZ_CHECK(!state.view.loaded);
    return 0;
  }
  FUZZ_CHECK(state.hasEra());
  // One tile on disk for every era, where the first tile of its grid lies
  // (unless its names are longer than a file system takes: then the program
  // simply finds no tile there).
  for (const Era& era : state.eras) {
    if (era.name.size() + era.ext.size() > 60) continue;
    fuzz::writeScratch(QStringLiteral("d/") + era.name + u'/' + TileName(0, 0, era.ext), tilePng());
  }
  fuzz::exerciseState(state);

  state.view.viewWidth = 64;
  state.view.viewHeight = 48;
  state.view.showSheetLines = state.view.showLegend = true;
  QImage picture;
  renderView(state, currentViewRequest(state, RenderPass::Screen), picture);
  return 0;
}
