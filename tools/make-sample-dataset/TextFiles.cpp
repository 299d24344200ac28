// SPDX-License-Identifier: MIT
#include "TextFiles.h"

#include "model/ColorSet.h"

#include <cmath>

#include "Eras.h"
#include "SampleRegion.h"
#include "TileWriter.h"
#include "platform/Numbers.h"
#include "platform/ValueWriter.h"

namespace sample {

namespace {

using kavalo::ValueWriter;

// The town centre between the station and the old village, where the region
// opens.
constexpr double kInitialX = 1480;
constexpr double kInitialY = 1285;

bool save(const ValueWriter& w, const QString& path, QString* error) {
  QString why;
  if (w.save(path, &why)) return true;
  if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, why);
  return false;
}

QString num(int v) { return QString::number(v); }

ValueWriter mapInfoText(const kavalo::MapInfo& m) {
  ValueWriter w;
  auto entry = [&](const char* key, const QString& value) { w.textLine(QString::fromUtf8(key) + u'=' + value); };
  auto frame = [&](const char* key, const kavalo::FrameOffset& f) {
    w.textLine(QString::fromUtf8(key) + u'=' + num(f.x) + u',' + num(f.y));
  };
  entry("タイトル", m.title);
  entry("画像幅", num(m.tileWidth));
  entry("画像高さ", num(m.tileHeight));
  entry("横方向地形図数", num(m.sheetsX));
  entry("縦方向地形図数", num(m.sheetsY));
  entry("地形図１枚あたり横方向画像数", num(m.tilesPerSheetX));
  entry("地形図１枚あたり縦方向画像数", num(m.tilesPerSheetY));
  entry("スケール単位", m.scaleUnit);
  frame("旧図郭", m.frame[0]);
  frame("日本測地系図郭", m.frame[1]);
  frame("世界測地系図郭", m.frame[2]);
  entry("西端経度", kavalo::singleToText(m.west));
  entry("北端緯度", kavalo::singleToText(m.north));
  entry("承認", m.approval);
  entry("初期表示位置X", kavalo::singleToText(m.initialX));
  entry("初期表示位置Y", kavalo::singleToText(m.initialY));
  entry("初期表示ズーム", num(m.initialZoom));
  entry("初期時期", num(m.initialEra));
  entry("北西メッシュ", num(m.meshNW));
  entry("東南メッシュ", num(m.meshSE));
  entry("オルソ化空中写真", m.orthoFlags);
  entry("迅速測図", m.rapidSurvey);
  entry("正式二万", m.twentyThousand);
  return w;
}

ValueWriter tikeizuInfo() {
  ValueWriter w;
  w.numberLine(static_cast<int64_t>(sheetEras().size()));
  int column = 0;
  for (const SheetEra& e : sheetEras()) {
    w.text(e.folder).comma().number(e.frameType).comma().number(e.yearFrom).comma().number(e.yearTo).comma();
    w.number(e.tileStyle)
        .comma()
        .number(e.legendNumber)
        .comma()
        .number(column++)
        .comma()
        .textLine(QStringLiteral("png"));
  }
  return w;
}

// The agency eras of one kind: name, first and last year, acquisition date.
ValueWriter agencyInfo(int kind) {
  ValueWriter w;
  int count = 0;
  for (const TileEra& e : tileEras()) count += e.kind == kind;
  w.numberLine(count);
  for (const TileEra& e : tileEras()) {
    if (e.kind != kind) continue;
    w.text(e.folder).comma().number(e.yearFrom).comma().number(e.yearTo).comma().textLine(e.acquired);
  }
  return w;
}

ValueWriter orthoInfo() {
  ValueWriter w;
  int count = 0;
  for (const TileEra& e : tileEras()) count += e.kind == 2;
  w.numberLine(count);
  for (const TileEra& e : tileEras())
    if (e.kind == 2) w.text(e.folder).comma().number(e.periodCode).endLine();
  return w;
}

ValueWriter twentyThousandInfo() {
  const TwentyThousandEra& e = twentyThousandEra();
  ValueWriter w;
  w.number(e.yearFrom).comma().number(e.yearTo).endLine();
  w.number(static_cast<int64_t>(e.sheets.size())).comma().number(static_cast<int64_t>(e.sheets.size())).endLine();
  w.textLine(QStringLiteral("画像ファイル,西端経度,東端経度,北端緯度,南端緯度"));
  auto box = [&](const TwentyThousandSheet& s) {
    w.single(static_cast<float>(s.west)).comma().single(static_cast<float>(s.east)).comma();
    w.single(static_cast<float>(s.north)).comma().single(static_cast<float>(s.south));
  };
  for (const TwentyThousandSheet& s : e.sheets) {
    w.text(s.file).comma();
    box(s);
    w.endLine();
  }
  w.textLine(QStringLiteral("西端経度,東端経度,北端緯度,南端緯度,図番,図名"));
  for (const TwentyThousandSheet& s : e.sheets) {
    box(s);
    w.comma().text(s.code).comma().textLine(s.name);
  }
  return w;
}

// For each sheet row, each history column, each sheet column: two texts.
ValueWriter sheetHistory() {
  ValueWriter w;
  for (int row = 0; row < kSheetsY; ++row) {
    QStringList names;
    for (int column = 0; column < kSheetsX; ++column) names << QString::fromUtf8(kSheetNames[row][column]) << QString();
    w.textLine(names.join(u','));
    for (const SheetEra& e : sheetEras()) {
      QStringList cells;
      for (int column = 0; column < kSheetsX; ++column) {
        switch (e.sheets[row][column]) {
          case Presence::Own:
            cells << e.edition << e.published;
            break;
          case Presence::Borrowed:  // the edition one column earlier
            cells << QString() << QStringLiteral("-1");
            break;
          case Presence::None:
            cells << QString() << QString();
            break;
        }
      }
      w.textLine(cells.join(u','));
    }
  }
  return w;
}

ValueWriter checkList(const QStringList& names) {
  ValueWriter w;
  for (const QString& n : names) w.textLine(n);
  return w;
}

ValueWriter comment() {
  ValueWriter w;
  for (const char* line : {
           "サンプル市（架空）",
           "",
           "この地域は Kavalo の見本として合成した架空の町です。地形・地名・地図・写真はすべて",
           "計算で作ったもので、実在の場所や実在の地図とは関係ありません。緯度・経度は日本の",
           "実在の座標を使っていますが、その場所の本当の地形とは一致しません。",
           "",
           "収録している時期",
           "  1880-85年  迅速測図（セピア色の古い測図）",
           "  1890-93年  正式二万分の一地形図（3面）",
           "  1909-11年  地形図（旧図郭）：村と田んぼ",
           "  1931-33年  地形図：鉄道と港ができる",
           "  1970-71年  地形図：町が広がり海岸が埋め立てられる",
           "  1979-83年  空中写真",
           "  2001-02年  地形図（世界測地系図郭）：市街地が広がる",
           "  2019年     空中写真（電子国土基本図オルソ画像）",
           "  2024年     電子国土基本図（地図情報）",
           "",
           "試してみること",
           "  ・Shift＋←→で時期を切り替えると、同じ場所の移り変わりが見られます。",
           "  ・1931年の地形図では南東の図「鼻崎」がないため、1909年の図が薄く表示されます。",
           "  ・1909年の地形図には北東の図「東谷」がありません。",
           "  ・地形図の下には標高の色分けが表示されます。",
           "  ・位置指定で「サンプル駅」「本町」「大川」「港」などを検索できます。",
           "  ・目印が3つ登録されています。",
           "  ・1970年の地形図は北西の隅の画像が欠けています（地形図取得で補う例）。",
       })
    w.textLine(QString::fromUtf8(line));
  return w;
}

}  // namespace

int meshCode(double lat, double lon) {
  const double rows = lat * 1.5;
  const int pp = static_cast<int>(std::floor(rows));
  const int qq = static_cast<int>(std::floor(lon)) - 100;
  const int r = static_cast<int>(std::floor((rows - pp) * 8));
  const int c = static_cast<int>(std::floor((lon - std::floor(lon)) * 8));
  return ((pp * 100 + qq) * 10 + r) * 10 + c;
}

bool writeMapInfo(const QString& path, const kavalo::MapInfo& info, QString* error) {
  return save(mapInfoText(info), path, error);
}

kavalo::MapInfo sampleMapInfo() {
  kavalo::MapInfo m;
  m.title = QString::fromUtf8(kTitle);
  m.tileWidth = kTileWidth;
  m.tileHeight = kTileHeight;
  m.sheetsX = kSheetsX;
  m.sheetsY = kSheetsY;
  m.tilesPerSheetX = kTilesPerSheetX;
  m.tilesPerSheetY = kTilesPerSheetY;
  m.scaleUnit = QStringLiteral("km");
  for (int i = 0; i < 3; ++i)
    m.frame[i] = {kFrameOffsets[static_cast<size_t>(i)].x, kFrameOffsets[static_cast<size_t>(i)].y};
  m.west = static_cast<float>(kWest);
  m.north = static_cast<float>(kNorth);
  m.approval = QStringLiteral(
      "この地図はKavaloの見本として合成した架空の地域の地図であり、実在の測量成果は使用していない。（承認番号　見本第0"
      "号）");
  m.initialX = static_cast<float>(kInitialX);
  m.initialY = static_cast<float>(kInitialY);
  m.initialZoom = 100;
  m.initialEra = initialEraIndex();
  // Second-level mesh codes of the north-west and south-east sheet cells,
  // taken at their middles.
  m.meshNW = meshCode(kNorth - 2.5 / 60, kWest + 0.0625);
  m.meshSE = meshCode(kNorth - (kSheetsY - 0.5) * 5 / 60, kWest + (kSheetsX - 0.5) * 0.125);
  m.orthoFlags = QStringLiteral("011000");
  m.rapidSurvey = QStringLiteral("1");
  m.twentyThousand = QStringLiteral("1");
  kavalo::deriveGrid(m, nullptr);
  return m;
}

bool writeDatasetList(const QString& root, QString* error) {
  ValueWriter w;
  w.numberLine(2);
  w.text(QString::fromUtf8(kTitle)).comma().textLine(QString::fromUtf8(kDatasetFolder));
  w.text(QStringLiteral("設定ファイルのないフォルダ（見本）")).comma().textLine(QString::fromUtf8(kEmptyFolder));
  return save(w, root + QStringLiteral("/dataset.txt"), error);
}

bool writeColorSets(const QString& root, int32_t lowest, int32_t highest, QString* error) {
  using kavalo::rgbColour;
  kavalo::ColorSetList list;
  list.sets.push_back(kavalo::defaultColorSet(lowest, highest));
  // Light colours throughout: the scanned sheets are ANDed over them, so
  // dark colours would swallow the line work.
  kavalo::ColorSet gentle = kavalo::defaultColorSet(lowest, highest, QStringLiteral("サンプル配色"));
  gentle.sea = rgbColour(150, 190, 230);
  gentle.bottom = rgbColour(190, 230, 170);
  gentle.top = rgbColour(245, 240, 235);
  gentle.breakpointCount = 4;
  gentle.elevations = {400.0f, 200.0f, 80.0f, 20.0f, 0.0f};
  gentle.colours = {rgbColour(200, 165, 130), rgbColour(225, 205, 140), rgbColour(215, 230, 150),
                    rgbColour(175, 220, 150), 0};
  list.sets.push_back(gentle);
  list.selected = 1;
  QString why;
  if (!kavalo::writeColorSetFile(root + QStringLiteral("/colorset.txt"), list, &why)) {
    if (error) *error = QStringLiteral("cannot write colorset.txt: %1").arg(why);
    return false;
  }
  return true;
}

bool writeDatasetTexts(const QString& dir, const kavalo::MapInfo& info, QString* error) {
  if (!writeMapInfo(dir + QStringLiteral("/mapinfo.txt"), info, error)) return false;
  if (!save(tikeizuInfo(), dir + QStringLiteral("/map_tikeizu_info.txt"), error)) return false;
  if (!save(agencyInfo(1), dir + QStringLiteral("/map_watizu_info.txt"), error)) return false;
  if (!save(agencyInfo(5), dir + QStringLiteral("/map_densikokudo_ortho_info.txt"), error)) return false;
  if (!save(orthoInfo(), dir + QStringLiteral("/map_ortho_info.txt"), error)) return false;
  ValueWriter rapid;
  rapid.numberLine(1);
  if (!save(rapid, dir + QStringLiteral("/map_Jinnsoku_info.txt"), error)) return false;
  if (!save(twentyThousandInfo(), dir + QStringLiteral("/map_2man_info.txt"), error)) return false;
  if (!save(sheetHistory(), dir + QStringLiteral("/図歴.csv"), error)) return false;
  if (!save(comment(), dir + QStringLiteral("/comment.txt"), error)) return false;
  for (const SheetEra& e : sheetEras())
    if (!save(checkList(sheetEraImages(e)), dir + u'/' + e.folder + QStringLiteral("/gazo_check_list.txt"), error))
      return false;
  return save(checkList(twentyThousandImages()), dir + QStringLiteral("/2man/gazo_check_list.txt"), error);
}

}  // namespace sample
