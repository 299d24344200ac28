// SPDX-License-Identifier: MIT
#include "Places.h"

#include "model/Coordinates.h"

namespace sample {

namespace {

struct Place {
  const char* name;
  const char* text;
  int category;
  double x, y;  // image pixels, Tokyo datum
};

// Categories: 1 administrative, 2 residential, 3 nature, 4 transport,
// 5 and 7 facilities, 0 and 6 other places (shown without a word).
constexpr Place kPlaces[] = {
    {"サンプル市", "さんぷるし", 1, 1310, 1175},
    {"本町", "ほんまち", 1, 1460, 1335},
    {"浜町", "はまちょう", 1, 1440, 1450},
    {"駅前町", "えきまえちょう", 1, 1480, 1180},
    {"新町", "しんまち", 1, 1560, 1262},
    {"東町", "ひがしまち", 1, 1700, 1360},
    {"大川町", "おおかわちょう", 1, 1262, 1000},
    {"港町", "みなとまち", 1, 1500, 1560},
    {"東が丘", "ひがしがおか", 2, 2060, 740},
    {"松原", "まつばら", 2, 640, 1420},
    {"中村", "なかむら", 2, 905, 1398},
    {"西村", "にしむら", 2, 300, 1452},
    {"上村", "かみむら", 2, 1150, 710},
    {"奥山", "おくやま", 2, 1005, 430},
    {"谷口", "たにぐち", 2, 1940, 1002},
    {"東谷", "ひがしだに", 2, 2380, 878},
    {"峠下", "とうげした", 2, 2850, 786},
    {"小浜", "こはま", 2, 2262, 2350},
    {"岬", "みさき", 2, 2140, 1880},
    {"大川", "おおかわ", 3, 1320, 930},
    {"東川", "ひがしかわ", 3, 2150, 890},
    {"西川", "にしかわ", 3, 470, 1300},
    {"サンプル湾", "さんぷるわん", 3, 1200, 1900},
    {"鼻崎", "はなさき", 3, 2290, 2380},
    {"沖ノ島", "おきのしま", 3, 820, 2060},
    {"松原海岸", "まつばらかいがん", 3, 520, 1660},
    {"サンプル駅", "さんぷるえき", 4, 1470, 1216},
    {"西浜駅", "にしはまえき", 4, 850, 1345},
    {"東谷駅", "ひがしだにえき", 4, 2380, 905},
    {"サンプル港", "さんぷるこう", 4, 1415, 1515},
    {"サンプルインターチェンジ", "さんぷるいんたーちぇんじ", 4, 1250, 990},
    {"大川橋", "おおかわばし", 4, 1600, 1322},
    {"東峠", "ひがしとうげ", 4, 2100, 400},
    {"サンプル小学校", "さんぷるしょうがっこう", 5, 1390, 1255},
    {"西浜小学校", "にしはましょうがっこう", 5, 700, 1378},
    {"サンプル高等学校", "さんぷるこうとうがっこう", 5, 1625, 1060},
    {"東が丘中学校", "ひがしがおかちゅうがっこう", 5, 2085, 770},
    {"サンプル郵便局", "さんぷるゆうびんきょく", 5, 1478, 1312},
    {"サンプル市役所", "さんぷるしやくしょ", 5, 1310, 1175},
    {"鼻崎灯台", "はなさきとうだい", 5, 2262, 2330},
    {"八幡神社", "はちまんじんじゃ", 6, 1415, 1290},
    {"長福寺", "ちょうふくじ", 6, 1505, 1298},
    {"海神社", "わたつみじんじゃ", 6, 826, 2052},
    {"大川河口", "明治の頃は渡し船が通った", 0, 1640, 1480},
    {"サンプル平野", "大川がつくった平野", 0, 1420, 1080},
    {"臨海工業地帯", "昭和40年代の埋立地", 0, 1800, 1600},
    {"市民病院", "しみんびょういん", 7, 1400, 1150},
    {"総合運動公園", "そうごううんどうこうえん", 7, 1760, 1250},
    {"浄水場", "じょうすいじょう", 7, 1230, 900},
};

// Names of the summits with triangulation points, highest first.
constexpr Place kSummits[] = {
    {"奥ノ岳", "おくのだけ", 3, 0, 0},   {"東山", "ひがしやま", 3, 0, 0},       {"烏帽子山", "えぼしやま", 3, 0, 0},
    {"城山", "しろやま", 3, 0, 0},       {"鷹ノ巣山", "たかのすやま", 3, 0, 0}, {"天狗岩", "てんぐいわ", 3, 0, 0},
    {"見晴山", "みはらしやま", 3, 0, 0},
};

std::vector<QPointF> summits(const World& world) {
  std::vector<QPointF> out;
  for (const Landmark& l : world.landmarks())
    if (l.symbol == Symbol::Triangulation) out.push_back(l.at);
  return out;
}

}  // namespace

std::vector<GazetteerEntry> gazetteer(const World& world, const kavalo::MapInfo& info) {
  std::vector<GazetteerEntry> out;
  auto add = [&](const Place& p, double x, double y) {
    const kavalo::LatLon ll = kavalo::ImageToLatLon(info, static_cast<float>(x), static_cast<float>(y), 0);
    out.push_back({QString::fromUtf8(p.name), ll.lon, ll.lat, p.category, QString::fromUtf8(p.text)});
  };
  for (const Place& p : kPlaces) add(p, p.x, p.y);
  const std::vector<QPointF> peaks = summits(world);
  for (size_t i = 0; i < peaks.size() && i < std::size(kSummits); ++i) add(kSummits[i], peaks[i].x(), peaks[i].y());
  return out;
}

kavalo::MarkList sampleMarks(const World& world, const kavalo::MapInfo& info) {
  kavalo::MarkList marks;
  auto add = [&](const QString& name, double x, double y) {
    // Marks are kept in the world datum.
    const kavalo::LatLon ll = kavalo::ImageToLatLon(info, static_cast<float>(x), static_cast<float>(y), 1);
    marks.add({ll.lat, ll.lon, name});
  };
  add(QStringLiteral("駅前広場"), 1470, 1232);
  const std::vector<QPointF> peaks = summits(world);
  const QPointF lookout = peaks.empty() ? QPointF(1700, 700) : peaks.front();
  add(QStringLiteral("展望台"), lookout.x(), lookout.y());
  add(QStringLiteral("旧渡し場"), 1625, 1330);
  return marks;
}

}  // namespace sample
