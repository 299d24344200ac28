// SPDX-License-Identifier: MIT
#include "FuzzDataset.h"

#include "FuzzSupport.h"
#include "app/DatasetLoader.h"
#include "geo/CursorReadout.h"
#include "model/EraLabels.h"
#include "model/ProgramState.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "render/Tiles.h"

namespace kavalo::fuzz {

void writeSjisFile(const QString& folder, const QString& backslashName, const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  const QString rel = folder.mid(scratchFolder().size() + 1) + u'/' + nativeRelative(backslashName);
  writeScratch(rel, toSjis(crlf));
}

QString writeBaseDataset(const QString& name) {
  const QString folder = scratchFolder() + u'/' + name;
  writeSjisFile(folder, QStringLiteral("\\mapinfo.txt"),
                QStringLiteral("タイトル=試験\n画像幅=100\n画像高さ=80\n横方向地形図数=2\n縦方向地形図数=2\n"
                               "地形図１枚あたり横方向画像数=2\n地形図１枚あたり縦方向画像数=2\n"
                               "旧図郭=0,0\n日本測地系図郭=12,-8\n世界測地系図郭=-30,40\n西端経度=139.5\n"
                               "北端緯度=35.75\n初期表示位置X=200\n初期表示位置Y=160\n初期表示ズーム=100\n"
                               "初期時期=0\n迅速測図=1\n正式二万=1\n"));
  writeSjisFile(folder, QStringLiteral("\\map_tikeizu_info.txt"),
                QStringLiteral("2\nA,0,1909,1909,0,1,0,png\nB,1,1930,1931,1,2,1,png\n"));
  writeSjisFile(folder, QStringLiteral("\\map_2man_info.txt"),
                QStringLiteral("1900,1900\n1,1\n画像,西,東,北,南\nS.png,139.5,139.75,35.75,35.6\n"
                               "西,東,北,南,図番,図名\n139.5,139.75,35.75,35.6,1,町\n"));
  return folder;
}

void exerciseState(ProgramState& state) {
  state.scale = computeScaleFactors(state.mapInfo, state.mmPerScreenPxX, state.mmPerScreenPxY);
  const int eraCount = static_cast<int>(state.eras.size());
  for (int era = 0; era < eraCount; ++era) {
    for (int row = 0; row < state.mapInfo.totalRows && row < 8; ++row) {
      for (int col = 0; col < state.mapInfo.totalCols && col < 8; ++col) {
        const auto tile = ResolveTile(state, era, col, row);
        if (tile) FUZZ_CHECK(tile->sourceEra >= 0 && tile->sourceEra < eraCount);
      }
    }
    for (int style = 0; style < 2; ++style) (void)Get_cboAge_Text(state.eras[static_cast<size_t>(era)], style);
  }
  const int saved = state.view.eraIndex;
  for (int era = 0; era < eraCount; ++era) {
    state.view.eraIndex = era;
    const Viewport view(&state.mapInfo, state.scale, state.view.centerX, state.view.centerY, 100, 64, 48);
    for (float p : {0.0f, 20.0f, 63.0f}) (void)computePointInfo(state, view, p, p * 0.7f);
  }
  state.view.eraIndex = saved;
}

void exerciseConfig(const DatasetConfig& config) {
  ProgramState state;
  state.mapInfo = config.mapInfo;
  state.eras = config.eras;
  state.history = config.history;
  state.view.centerX = config.centerX;
  state.view.centerY = config.centerY;
  state.view.eraIndex = config.eraIndex;
  exerciseState(state);
}

}  // namespace kavalo::fuzz
