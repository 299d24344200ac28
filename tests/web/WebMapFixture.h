// SPDX-License-Identifier: MIT
#pragma once
// A small region for the web map tests: 2 x 2 sheets of 2 x 2 tiles of
// 100 x 80 pixels (0.25 x 0.1667 degrees at 139 E, 36 N), era E1900 all red
// and E1930 all blue, loaded as the window loads it; and a stand-in for the
// map page's files.
#include <QColor>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

namespace kavalo::test {

struct WebMapFixture {
  RootFixture root;
  DatasetFixture data;
  ScriptedPrompts prompts;
  ProgramState state;
  QTemporaryDir viewer;

  WebMapFixture() {
    root.writeDatasetList({{QStringLiteral("テスト"), QStringLiteral("d")}});
    data.folder = root.path(QStringLiteral("d"));
    data.write();
    paintEra(QStringLiteral("E1900"), Qt::red);
    paintEra(QStringLiteral("E1930"), Qt::blue);
    writeBytes(viewer.path() + QStringLiteral("/index.html"), "<!DOCTYPE html><title>map</title>\n");
    writeBytes(viewer.path() + QStringLiteral("/ol/LICENSE.md"), "licence\n");
  }
  void paintEra(const QString& era, QColor colour) const {
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r)
        writeSolidImage(
            data.folder +
                QStringLiteral("/%1/%2_%3.png").arg(era).arg(c, 3, 10, QChar(u'0')).arg(r, 3, 10, QChar(u'0')),
            data.tileWidth, data.tileHeight, colour);
  }
  bool load() {
    if (!startProgram(state, root.root(), prompts)) return false;
    state.datasetFolder = data.folder;
    return LoadDataset(state, prompts, ElevationLoad::OnDemand) == LoadStatus::Loaded;
  }
  int eraIndex(const QString& name) const {
    for (size_t i = 0; i < state.eras.size(); ++i)
      if (state.eras[i].name == name) return static_cast<int>(i);
    return -1;
  }
};

}  // namespace kavalo::test
