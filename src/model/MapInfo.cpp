// SPDX-License-Identifier: MIT
#include "model/MapInfo.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdlib>

#include "platform/Numbers.h"
#include "platform/ValueReader.h"

namespace kavalo {

namespace {

int32_t intValue(const QString& text) { return roundToInt(leadingNumber(text)); }
float singleValue(const QString& text) { return toSingle(leadingNumber(text)); }

// Aerial-photo flags lose their leading zeros when a spreadsheet stored the
// value as a number; put them back.
QString padOrthoFlags(const QString& v) {
  if (v.size() == 4) return QStringLiteral("00") + v;
  if (v.size() == 5) return QStringLiteral("0") + v;
  return v;
}

}  // namespace

bool readMapInfo(const QString& path, MapInfo& info, QString* error) {
  ValueReader reader{QString()};
  if (!ValueReader::fromFile(path, reader, error)) return false;
  if (reader.atEnd()) {
    if (error)
      *error = QCoreApplication::translate("kavalo::MapInfo", "設定ファイル「mapinfo.txt」に設定がありません。\n%1")
                   .arg(path);
    return false;
  }
  MapInfo next = info;
  QString entry;
  while (reader.readText(entry)) {
    const qsizetype eq = entry.indexOf(u'=');
    if (eq < 0) continue;
    const QString key = entry.left(eq);
    const QString value = entry.mid(eq + 1);
    int frameIndex = -1;
    if (key == u"旧図郭")  // stored
      frameIndex = 0;
    else if (key == u"日本測地系図郭")  // stored
      frameIndex = 1;
    else if (key == u"世界測地系図郭")  // stored
      frameIndex = 2;
    if (frameIndex >= 0) {
      // The frame keys carry a second value after the comma.
      QString second;
      if (!reader.readText(second)) {
        if (error)
          *error = QCoreApplication::translate("kavalo::MapInfo",
                                               "設定ファイル「mapinfo.txt」の「%1」に2つ目の値がありません。\n%2")
                       .arg(key, path);
        return false;
      }
      next.frame[frameIndex].x = intValue(value);
      next.frame[frameIndex].y = intValue(second);
      continue;
    }
    if (key == u"タイトル")  // stored
      next.title = value;
    else if (key == u"画像幅")  // stored
      next.tileWidth = intValue(value);
    else if (key == u"画像高さ")  // stored
      next.tileHeight = intValue(value);
    else if (key == u"横方向地形図数")  // stored
      next.sheetsX = intValue(value);
    else if (key == u"縦方向地形図数")  // stored
      next.sheetsY = intValue(value);
    else if (key == u"地形図１枚あたり横方向画像数")  // stored
      next.tilesPerSheetX = intValue(value);
    else if (key == u"地形図１枚あたり縦方向画像数")  // stored
      next.tilesPerSheetY = intValue(value);
    else if (key == u"スケール単位")  // stored
      next.scaleUnit = value;
    else if (key == u"西端経度")  // stored
      next.west = singleValue(value);
    else if (key == u"北端緯度")  // stored
      next.north = singleValue(value);
    else if (key == u"承認")  // stored
      next.approval = value;
    else if (key == u"初期表示位置X")  // stored
      next.initialX = singleValue(value);
    else if (key == u"初期表示位置Y")  // stored
      next.initialY = singleValue(value);
    else if (key == u"初期表示ズーム")  // stored
      next.initialZoom = intValue(value);
    else if (key == u"初期時期")  // stored
      next.initialEra = intValue(value);
    else if (key == u"北西メッシュ")  // stored
      next.meshNW = intValue(value);
    else if (key == u"東南メッシュ")  // stored
      next.meshSE = intValue(value);
    else if (key == u"オルソ化空中写真")  // stored
      next.orthoFlags = padOrthoFlags(value);
    else if (key == u"迅速測図")  // stored
      next.rapidSurvey = value;
    else if (key == u"正式二万")  // stored
      next.twentyThousand = value;
  }
  info = next;
  return true;
}

bool deriveGrid(MapInfo& info, QString* error) {
  auto fail = [&](const QString& what) {
    if (error)
      *error = QCoreApplication::translate("kavalo::MapInfo", "設定ファイル「mapinfo.txt」の%1が正しくありません。")
                   .arg(what);
    return false;
  };
  auto tooLarge = [&](const QString& what, int64_t limit) {
    if (error)
      *error =
          QCoreApplication::translate("kavalo::MapInfo", "設定ファイル「mapinfo.txt」の%1が大きすぎます（%2まで）。")
              .arg(what)
              .arg(limit);
    return false;
  };
  if (info.tileWidth <= 0) return fail(QStringLiteral("「画像幅」"));                                 // stored
  if (info.tileHeight <= 0) return fail(QStringLiteral("「画像高さ」"));                              // stored
  if (info.sheetsX <= 0) return fail(QStringLiteral("「横方向地形図数」"));                           // stored
  if (info.sheetsY <= 0) return fail(QStringLiteral("「縦方向地形図数」"));                           // stored
  if (info.tilesPerSheetX <= 0) return fail(QStringLiteral("「地形図１枚あたり横方向画像数」"));      // stored
  if (info.tilesPerSheetY <= 0) return fail(QStringLiteral("「地形図１枚あたり縦方向画像数」"));      // stored
  if (info.tileWidth > kMaxTileSide) return tooLarge(QStringLiteral("「画像幅」"), kMaxTileSide);     // stored
  if (info.tileHeight > kMaxTileSide) return tooLarge(QStringLiteral("「画像高さ」"), kMaxTileSide);  // stored
  if (info.sheetsX > kMaxSheetsPerAxis)
    return tooLarge(QStringLiteral("「横方向地形図数」"), kMaxSheetsPerAxis);  // stored
  if (info.sheetsY > kMaxSheetsPerAxis)
    return tooLarge(QStringLiteral("「縦方向地形図数」"), kMaxSheetsPerAxis);  // stored
  if (static_cast<int64_t>(info.sheetsX) * info.sheetsY > kMaxSheets)
    return tooLarge(QCoreApplication::translate("kavalo::MapInfo", "地形図の数（横方向地形図数×縦方向地形図数）"),
                    kMaxSheets);
  if (info.tilesPerSheetX > kMaxTilesPerSheetAxis)
    return tooLarge(QStringLiteral("「地形図１枚あたり横方向画像数」"), kMaxTilesPerSheetAxis);  // stored
  if (info.tilesPerSheetY > kMaxTilesPerSheetAxis)
    return tooLarge(QStringLiteral("「地形図１枚あたり縦方向画像数」"), kMaxTilesPerSheetAxis);  // stored
  if (static_cast<int64_t>(info.tilesPerSheetX) * info.tilesPerSheetY > kMaxTilesPerSheet)
    return tooLarge(QCoreApplication::translate("kavalo::MapInfo", "地形図１枚あたりの画像数"), kMaxTilesPerSheet);
  const int64_t cols = static_cast<int64_t>(info.sheetsX) * info.tilesPerSheetX;
  const int64_t rows = static_cast<int64_t>(info.sheetsY) * info.tilesPerSheetY;
  if (cols > kMaxTilesPerAxis)
    return tooLarge(QCoreApplication::translate("kavalo::MapInfo", "横方向の画像数"), kMaxTilesPerAxis);
  if (rows > kMaxTilesPerAxis)
    return tooLarge(QCoreApplication::translate("kavalo::MapInfo", "縦方向の画像数"), kMaxTilesPerAxis);
  // Every latitude and longitude of the view is computed from these two.
  if (!std::isfinite(info.west) || std::abs(info.west) > 360.0f) return fail(QStringLiteral("「西端経度」"));  // stored
  if (!std::isfinite(info.north) || std::abs(info.north) > 90.0f)
    return fail(QStringLiteral("「北端緯度」"));                                                              // stored
  static const char16_t* const kFrameKeys[] = {u"「旧図郭」", u"「日本測地系図郭」", u"「世界測地系図郭」"};  // stored
  for (int i = 0; i < 3; ++i) {
    if (std::abs(static_cast<int64_t>(info.frame[i].x)) > kMaxFrameOffset ||
        std::abs(static_cast<int64_t>(info.frame[i].y)) > kMaxFrameOffset)
      return tooLarge(QString::fromUtf16(kFrameKeys[i]), kMaxFrameOffset);
  }
  info.totalCols = static_cast<int32_t>(cols);
  info.totalRows = static_cast<int32_t>(rows);
  info.east = toSingle(static_cast<double>(info.west) + info.sheetsX * 0.125);
  info.south = toSingle(static_cast<double>(info.north) - info.sheetsY * 5.0 / 60.0);
  return true;
}

}  // namespace kavalo
