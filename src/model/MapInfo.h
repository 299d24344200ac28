// SPDX-License-Identifier: MIT
#pragma once
// The configuration of a data folder, read from mapinfo.txt.
#include <QString>
#include <cstdint>

namespace kavalo {

struct FrameOffset {
  int32_t x = 0;
  int32_t y = 0;
};

// Frame systems of the sheets: 0 old frames, 1 Tokyo-datum frames, 2 world-
// datum frames (whose offset is also the world-datum shift).
enum FrameType : int32_t { kOldFrame = 0, kTokyoFrame = 1, kWorldFrame = 2 };

struct MapInfo {
  QString title;               // タイトル
  int32_t tileWidth = 0;       // 画像幅
  int32_t tileHeight = 0;      // 画像高さ
  int32_t sheetsX = 0;         // 横方向地形図数
  int32_t sheetsY = 0;         // 縦方向地形図数
  int32_t tilesPerSheetX = 0;  // 地形図１枚あたり横方向画像数
  int32_t tilesPerSheetY = 0;  // 地形図１枚あたり縦方向画像数
  QString scaleUnit;           // スケール単位
  FrameOffset frame[3];        // 旧図郭, 日本測地系図郭, 世界測地系図郭
  float west = 0.0f;           // 西端経度 (Tokyo datum)
  float north = 0.0f;          // 北端緯度 (Tokyo datum)
  QString approval;            // 承認
  float initialX = 0.0f;       // 初期表示位置X
  float initialY = 0.0f;       // 初期表示位置Y
  int32_t initialZoom = 0;     // 初期表示ズーム
  int32_t initialEra = 0;      // 初期時期
  int32_t meshNW = 0;          // 北西メッシュ
  int32_t meshSE = 0;          // 東南メッシュ
  QString orthoFlags;          // オルソ化空中写真
  QString rapidSurvey;         // 迅速測図
  QString twentyThousand;      // 正式二万

  // Derived when a dataset is loaded.
  int32_t totalCols = 0;
  int32_t totalRows = 0;
  float east = 0.0f;
  float south = 0.0f;
};

// The largest grid a data folder may describe. A real region is at most a few
// hundred sheets of 5 x 5 tiles; tile file names hold three digits per axis
// (CCC_RRR), so no grid has more than 1000 tiles across or down. Beyond these
// a hand-edited or damaged mapinfo.txt would only make the program ask for
// memory it cannot have.
inline constexpr int32_t kMaxTileSide = 4096;      // pixels of one tile, either way
inline constexpr int32_t kMaxSheetsPerAxis = 500;  // sheets across or down
inline constexpr int32_t kMaxSheets = 10000;       // sheets in all
inline constexpr int32_t kMaxTilesPerSheetAxis = 100;
inline constexpr int32_t kMaxTilesPerSheet = 2500;
inline constexpr int32_t kMaxTilesPerAxis = 1000;  // TotalCols, TotalRows
// Frame offsets are a few sheets at most; far larger ones would carry every
// position computed from them out of the 32-bit range.
inline constexpr int32_t kMaxFrameOffset = 10000000;

// Reads mapinfo.txt over the given values: keys the file omits keep what they
// had. False with a message when the file cannot be read or holds no entry.
bool readMapInfo(const QString& path, MapInfo& info, QString* error);

// Computes TotalCols, TotalRows, East and South. False with a message when a
// size is zero or negative, or a size, a product or a frame offset is beyond
// the limits above.
bool deriveGrid(MapInfo& info, QString* error);

}  // namespace kavalo
