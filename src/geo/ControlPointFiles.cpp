// SPDX-License-Identifier: MIT
#include "geo/ControlPointFiles.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <system_error>

namespace kavalo {
namespace {

// More points than any scan is georeferenced with; a file with more is
// damaged or not meant for this, and the thin-plate spline's system would
// not fit in memory anyway.
constexpr int kMaxPoints = 100000;
// No scan comes near ten million pixels a side and no map coordinate near a
// thousand million (metres or degrees): larger values are damage, and would
// overflow the sums of the fit.
constexpr double kMaxScanValue = 1e7;
constexpr double kMaxMapValue = 1e9;

const QString kWorldCrs = QStringLiteral("EPSG:4326");

// Longitude/latitude in the world datum, as WKT on one line: what the desktop
// GIS writes after "#CRS: " for it, and reads back as that system.
constexpr char kWorldWkt[] =
    "GEOGCRS[\"WGS 84\",DATUM[\"World Geodetic System 1984\",ELLIPSOID[\"WGS "
    "84\",6378137,298.257223563,LENGTHUNIT[\"metre\",1]]],PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\","
    "0.0174532925199433]],CS[ellipsoidal,2],AXIS[\"geodetic latitude (Lat)\",north,ORDER[1],ANGLEUNIT[\"degree\","
    "0.0174532925199433]],AXIS[\"geodetic longitude (Lon)\",east,ORDER[2],ANGLEUNIT[\"degree\",0.0174532925199433]],"
    "USAGE[SCOPE[\"Horizontal component of 3D system.\"],AREA[\"World.\"],BBOX[-90,-180,90,180]],ID[\"EPSG\",4326]]";

constexpr char kGeorefContext[] = "http://iiif.io/api/extension/georef/1/context.json";
constexpr char kPresentationContext[] = "http://iiif.io/api/presentation/3/context.json";

bool fail(QString* why, const QString& text) {
  if (why) *why = text;
  return false;
}

QString tooLarge() {
  return QCoreApplication::translate("kavalo::ControlPointFiles", "ファイルが大きすぎます（%1 MiB まで読めます）。")
      .arg(kMaxControlPointFileBytes / (1024 * 1024));
}

QString tooManyPoints() {
  return QCoreApplication::translate("kavalo::ControlPointFiles", "点が多すぎます（%1点まで読めます）。")
      .arg(kMaxPoints);
}

// A value quoted in a message: short, so that a damaged file's garbage does
// not flood the dialog.
QString quoted(const QByteArray& text) {
  QString s = QString::fromUtf8(text.trimmed());
  if (s.size() > 40) s = s.left(40) + QStringLiteral("…");
  return s;
}

// The shortest text that reads back as the same double, never in exponent
// form (the other tools' readers do not all take one) and with '.' whatever
// the locale.
QByteArray numberText(double v) {
  if (v == 0.0) v = 0.0;  // no "-0"
  char buf[512];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (r.ec != std::errc()) return QByteArray::number(v, 'g', 17);
  return QByteArray(buf, static_cast<qsizetype>(r.ptr - buf));
}

// The whole field must be one finite number: "12.5abc", "nan", "inf",
// "1e999" and an empty field are all refused.
bool parseNumber(const QByteArray& field, double& v) {
  QByteArray t = field.trimmed();
  if (t.startsWith('+')) t.remove(0, 1);
  if (t.isEmpty()) return false;
  const char* end = t.constData() + t.size();
  const auto r = std::from_chars(t.constData(), end, v, std::chars_format::general);
  return r.ec == std::errc() && r.ptr == end && std::isfinite(v);
}

// UTF-8 without its byte-order mark. A spreadsheet saves "Unicode text" as
// UTF-16 with a mark: that is turned into UTF-8 (its mark dropped).
QByteArray asUtf8(const QByteArray& content) {
  if (content.startsWith("\xEF\xBB\xBF")) return content.mid(3);
  if (!content.startsWith("\xFF\xFE") && !content.startsWith("\xFE\xFF")) return content;
  QStringDecoder decoder(QStringConverter::encodingForData(content).value_or(QStringConverter::Utf16));
  QString text = decoder(content);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return decoder.hasError() ? content : text.toUtf8();
}

// ---- Text tables: the points file and the CSV

struct Line {
  int number = 0;
  QByteArray text;
};

// Walks a text's lines (ending at LF, CR LF or a lone CR) one at a time:
// a file of nothing but line ends costs no memory per line.
class LineReader {
 public:
  explicit LineReader(const QByteArray& text) : text_(text) {}
  bool next(Line& line) {
    if (pos_ > text_.size()) return false;
    qsizetype end = pos_;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
    line.number = ++number_;
    line.text = text_.mid(pos_, end - pos_);
    pos_ = end + (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n' ? 2 : 1);
    return true;
  }

 private:
  const QByteArray& text_;
  qsizetype pos_ = 0;
  int number_ = 0;
};

// Fields with CSV quoting ("a ""b""", separators inside quotes). False when
// a quote is left open at the line's end.
bool splitFields(const QByteArray& line, char separator, QList<QByteArray>& fields) {
  fields.clear();
  QByteArray field;
  bool inQuotes = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (inQuotes) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        inQuotes = false;
      }
    } else if (c == '"') {
      inQuotes = true;
    } else if (c == separator) {
      fields.append(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.append(field);
  return !inQuotes;
}

// The points file is split as its own program splits it: by commas when the
// line has one, otherwise by tabs (the older files).
char pointsSeparator(const QByteArray& line) { return line.contains(',') ? ',' : '\t'; }

char csvSeparator(const QByteArray& header) {
  for (char c : {',', ';', '\t'})
    if (header.contains(c)) return c;
  return ',';
}

int findColumn(const QList<QByteArray>& keys, std::initializer_list<const char*> names) {
  for (int i = 0; i < keys.size(); ++i)
    for (const char* name : names)
      if (keys[i] == name) return i;
  return -1;
}

struct Table {
  ControlPointFormat format = ControlPointFormat::Points;
  char separator = ',';     // the CSV's; the points file decides per line
  QList<QByteArray> names;  // the header's fields as written
  int scanX = -1, scanY = -1, mapX = -1, mapY = -1, enable = -1;

  int needed() const { return std::max({scanX, scanY, mapX, mapY}) + 1; }
};

// Recognises the header of either table; false when it is neither's.
bool readHeader(const QByteArray& line, Table& t) {
  QList<QByteArray> keys;
  for (const char separator : {pointsSeparator(line), csvSeparator(line)}) {
    splitFields(line, separator, t.names);
    keys.clear();
    for (const QByteArray& name : t.names) keys.append(name.trimmed().toLower());
    t.separator = separator;
    if (separator == pointsSeparator(line)) {
      t.format = ControlPointFormat::Points;
      t.mapX = findColumn(keys, {"mapx"});
      t.mapY = findColumn(keys, {"mapy"});
      t.scanX = findColumn(keys, {"sourcex", "pixelx"});
      t.scanY = findColumn(keys, {"sourcey", "pixely"});
      t.enable = findColumn(keys, {"enable"});
      if (t.mapX >= 0 && t.mapY >= 0 && t.scanX >= 0 && t.scanY >= 0) return true;
    }
    t.format = ControlPointFormat::Csv;
    t.scanX = findColumn(keys, {"x"});
    t.scanY = findColumn(keys, {"y"});
    t.mapX = findColumn(keys, {"lon", "lng", "long", "longitude"});
    t.mapY = findColumn(keys, {"lat", "latitude"});
    t.enable = -1;
    if (t.scanX >= 0 && t.scanY >= 0 && t.mapX >= 0 && t.mapY >= 0) return true;
  }
  return false;
}

// "1"/"0" as written; any integer (non-zero is on) and true/false as other
// writers put it.
bool parseEnable(const QByteArray& field, bool& on) {
  const QByteArray t = field.trimmed().toLower();
  bool ok = false;
  const long long v = t.toLongLong(&ok);
  if (ok) {
    on = v != 0;
    return true;
  }
  if (t == "true" || t == "false") {
    on = t == "true";
    return true;
  }
  return false;
}

bool readRows(LineReader& lines, const Table& t, bool lonLat, std::vector<FileControlPoint>& points, QString* why) {
  QList<QByteArray> f;
  Line line;
  while (lines.next(line)) {
    const QByteArray trimmed = line.text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith('#')) continue;
    const char separator = t.format == ControlPointFormat::Points ? pointsSeparator(line.text) : t.separator;
    if (!splitFields(line.text, separator, f))
      return fail(why,
                  QCoreApplication::translate("kavalo::ControlPointFiles", "%1行目の引用符（\"）が閉じていません。")
                      .arg(line.number));
    // A separator at the line's end is harmless; values beyond the header
    // are not (a decimal comma splits one number into two).
    while (f.size() > t.names.size() && f.back().trimmed().isEmpty()) f.removeLast();
    if (f.size() > t.names.size() || f.size() < t.needed())
      return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles",
                                                   "%1行目の値の数が見出しと合いません（%2個、見出しは%3個）。")
                           .arg(line.number)
                           .arg(f.size())
                           .arg(t.names.size()));
    if (points.size() >= static_cast<size_t>(kMaxPoints)) return fail(why, tooManyPoints());
    FileControlPoint p;
    const std::pair<int, double*> columns[] = {
        {t.mapX, &p.mapX}, {t.mapY, &p.mapY}, {t.scanX, &p.scanX}, {t.scanY, &p.scanY}};
    for (const auto& [column, value] : columns) {
      if (!parseNumber(f[column], *value))
        return fail(why,
                    QCoreApplication::translate("kavalo::ControlPointFiles", "%1行目の数値が読めません（%2：「%3」）。")
                        .arg(line.number)
                        .arg(QString::fromUtf8(t.names[column].trimmed()), quoted(f[column])));
    }
    if (t.enable >= 0 && t.enable < f.size() && !parseEnable(f[t.enable], p.enabled))
      return fail(
          why, QCoreApplication::translate("kavalo::ControlPointFiles", "%1行目の enable の値が読めません（「%2」）。")
                   .arg(line.number)
                   .arg(quoted(f[t.enable])));
    if (lonLat ? (std::abs(p.mapX) > 360.0 || std::abs(p.mapY) > 90.0)
               : (std::abs(p.mapX) > kMaxMapValue || std::abs(p.mapY) > kMaxMapValue))
      return fail(
          why, QCoreApplication::translate("kavalo::ControlPointFiles", "%1行目の地図上の位置が範囲外です（%2, %3）。")
                   .arg(line.number)
                   .arg(QString::fromLatin1(numberText(p.mapX)), QString::fromLatin1(numberText(p.mapY))));
    if (std::abs(p.scanX) > kMaxScanValue || std::abs(p.scanY) > kMaxScanValue)
      return fail(
          why, QCoreApplication::translate("kavalo::ControlPointFiles", "%1行目の画像上の位置が範囲外です（%2, %3）。")
                   .arg(line.number)
                   .arg(QString::fromLatin1(numberText(p.scanX)), QString::fromLatin1(numberText(p.scanY))));
    points.push_back(p);
  }
  return true;
}

// The world datum under any of its spellings: the code, or WKT whose own
// identifier (the last one, closing the text) is EPSG 4326.
QString normalisedCrs(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return kWorldCrs;
  QString compact = t.toUpper();
  compact.remove(QRegularExpression(QStringLiteral("\\s")));
  if (compact == QLatin1String("EPSG:4326")) return kWorldCrs;
  const bool geographic = compact.startsWith(QLatin1String("GEOGCRS[")) ||
                          compact.startsWith(QLatin1String("GEOGCS[")) || compact.startsWith(QLatin1String("GEODCRS["));
  if (geographic && (compact.endsWith(QLatin1String("ID[\"EPSG\",4326]]")) ||
                     compact.endsWith(QLatin1String("AUTHORITY[\"EPSG\",\"4326\"]]"))))
    return kWorldCrs;
  return t;
}

// True when the file's source y is negative downwards (the convention of
// files made for unreferenced rasters). The points that fall inside the
// image under each reading decide; without the image's size, or when they
// do not, the signs themselves do, negative winning a tie.
bool sourceYIsNegative(const std::vector<FileControlPoint>& points, int width, int height) {
  if (width > 0 && height > 0) {
    const double m = 0.5;  // a point on the edge may sit half a pixel outside
    int negative = 0, positive = 0;
    for (const FileControlPoint& p : points) {
      if (p.scanX < -m || p.scanX > width + m) continue;
      if (-p.scanY >= -m && -p.scanY <= height + m) ++negative;
      if (p.scanY >= -m && p.scanY <= height + m) ++positive;
    }
    if (negative != positive) return negative > positive;
  }
  int below = 0, above = 0;
  for (const FileControlPoint& p : points) {
    if (p.scanY < 0) ++below;
    if (p.scanY > 0) ++above;
  }
  return below > 0 && below >= above;
}

bool readTextTable(const QByteArray& text, int width, int height, ControlPointFile& set, ControlPointFormat& format,
                   QString* why) {
  LineReader lines(text);
  Line line;
  QString crs;
  bool crsLine = false, header = false;
  while (!header && lines.next(line)) {
    const QByteArray t = line.text.trimmed();
    header = !t.isEmpty() && !t.startsWith('#');
    if (t.startsWith("#CRS:") && !crsLine) {
      crs = QString::fromUtf8(t.mid(5));
      crsLine = true;
    }
  }
  Table table;
  if (!header || !readHeader(line.text, table))
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles",
                                                 "基準点のファイルとして読めません。.points、x,y,lon,lat の CSV、"
                                                 "ジオリファレンスの注釈のどれでもありません。"));
  format = table.format;
  set.crs = format == ControlPointFormat::Points ? normalisedCrs(crs) : kWorldCrs;
  if (!readRows(lines, table, set.crs == kWorldCrs, set.points, why)) return false;
  if (format == ControlPointFormat::Points && sourceYIsNegative(set.points, width, height))
    for (FileControlPoint& p : set.points) p.scanY = -p.scanY + 0.0;
  return true;
}

// ---- JSON: the annotation and GeoJSON masks

bool parseJson(const QByteArray& text, QJsonObject& root, QString* why) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
  if (error.error == QJsonParseError::DeepNesting)
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles", "JSON の入れ子が深すぎます。"));
  if (error.error != QJsonParseError::NoError)
    return fail(why,
                QCoreApplication::translate("kavalo::ControlPointFiles", "JSON として読めません（%1バイト目付近）。")
                    .arg(error.offset + 1));
  if (!doc.isObject())
    return fail(why,
                QCoreApplication::translate("kavalo::ControlPointFiles", "JSON の中身がオブジェクトではありません。"));
  root = doc.object();
  return true;
}

QJsonValue at(const QJsonObject& o, const char* key) { return o.value(QLatin1String(key)); }
bool is(const QJsonValue& v, const char* text) { return v.toString() == QLatin1String(text); }

QJsonValue firstOf(const QJsonValue& v) {
  const QJsonArray arr = v.toArray();
  return arr.isEmpty() ? QJsonValue() : arr[0];
}

// Two finite numbers at the head of an array: [x, y] or [lon, lat(, z)].
bool numberPair(const QJsonValue& v, double& a, double& b) {
  const QJsonArray arr = v.toArray();
  if (arr.size() < 2 || !arr[0].isDouble() || !arr[1].isDouble()) return false;
  a = arr[0].toDouble();
  b = arr[1].toDouble();
  return std::isfinite(a) && std::isfinite(b);
}

bool isGeorefMotivation(const QJsonValue& v) {
  if (v.isString()) return is(v, "georeferencing");
  const QJsonArray arr = v.toArray();
  return std::any_of(arr.begin(), arr.end(), [](const QJsonValue& m) { return is(m, "georeferencing"); });
}

// The annotation itself: the object, or an annotation page's first item.
QJsonObject annotationOf(const QJsonObject& root) {
  if (!is(at(root, "type"), "AnnotationPage")) return root;
  const QJsonArray items = at(root, "items").toArray();
  return items.isEmpty() ? QJsonObject() : items[0].toObject();
}

// The numbers of an SVG polygon's points attribute: "x,y x,y", "x y x y" or
// any mix of commas and blanks.
bool polygonFromSvg(const QString& svg, std::vector<QPointF>& polygon, QString* why) {
  static const QRegularExpression tag(QStringLiteral("<\\s*polygon\\b([^>]*)>"),
                                      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression attribute(QStringLiteral("\\bpoints\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"),
                                            QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
  QRegularExpressionMatchIterator it = tag.globalMatch(svg);
  if (!it.hasNext())
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles", "SVG に多角形（polygon）がありません。"));
  const QRegularExpressionMatch m = it.next();
  if (it.hasNext())
    return fail(why,
                QCoreApplication::translate("kavalo::ControlPointFiles", "SVG に多角形（polygon）が複数あります。"));
  const QRegularExpressionMatch a = attribute.match(m.captured(1));
  if (!a.hasMatch())
    return fail(why,
                QCoreApplication::translate("kavalo::ControlPointFiles", "SVG の多角形に点（points）がありません。"));
  const QString list = a.captured(1).isNull() ? a.captured(2) : a.captured(1);
  const QStringList numbers = list.split(separators, Qt::SkipEmptyParts);
  if (numbers.size() % 2 != 0)
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles", "SVG の多角形の座標の数が奇数です。"));
  if (numbers.size() / 2 > kMaxPoints) return fail(why, tooManyPoints());
  polygon.clear();
  for (qsizetype i = 0; i < numbers.size(); i += 2) {
    double x = 0, y = 0;
    if (!parseNumber(numbers[i].toUtf8(), x) || !parseNumber(numbers[i + 1].toUtf8(), y))
      return fail(
          why, QCoreApplication::translate("kavalo::ControlPointFiles", "SVG の多角形の座標が読めません（「%1,%2」）。")
                   .arg(numbers[i], numbers[i + 1]));
    polygon.emplace_back(x, y);
  }
  return true;
}

// The selector's polygon, when the target carries one as SVG.
bool maskFromTarget(const QJsonObject& target, std::vector<QPointF>& polygon, bool& found, QString* why) {
  found = false;
  const QJsonValue selector = at(target, "selector");
  const QJsonArray selectors = selector.isArray() ? selector.toArray() : QJsonArray{selector};
  for (const QJsonValue& s : selectors) {
    const QJsonObject o = s.toObject();
    if (!is(at(o, "type"), "SvgSelector")) continue;
    found = true;
    QString reason;
    if (!polygonFromSvg(at(o, "value").toString(), polygon, &reason))
      return fail(
          why, QCoreApplication::translate("kavalo::ControlPointFiles", "注釈のマスク（SvgSelector）が読めません：%1")
                   .arg(reason));
    return true;
  }
  return true;
}

bool sameCorner(QPointF p, double x, double y) { return std::abs(p.x() - x) <= 0.5 && std::abs(p.y() - y) <= 0.5; }

// The whole scan's outline: what an annotation carries when nothing of the
// scan is masked.
bool isWholeFrame(const std::vector<QPointF>& polygon, int width, int height) {
  if (width <= 0 || height <= 0 || polygon.size() != 4) return false;
  const double corners[4][2] = {{0, 0}, {double(width), 0}, {double(width), double(height)}, {0, double(height)}};
  for (const auto& c : corners)
    if (std::none_of(polygon.begin(), polygon.end(), [&](QPointF p) { return sameCorner(p, c[0], c[1]); }))
      return false;
  return true;
}

// A GeoJSON ring closes on its first point; the mask does not repeat it.
void dropClosingPoint(std::vector<QPointF>& polygon) {
  if (polygon.size() > 1 && sameCorner(polygon.front(), polygon.back().x(), polygon.back().y())) polygon.pop_back();
}

// The scan's name from the source's id: a local file's URL gives its name.
QString nameFromId(const QString& id) {
  if (id.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
    const QString name = QUrl(id).fileName();
    if (!name.isEmpty()) return name;
  }
  return id;
}

bool readSize(const QJsonObject& source, const char* key, int& value, QString* why) {
  const QJsonValue v = at(source, key);
  if (v.isUndefined() || v.isNull()) return true;
  const double d = v.toDouble(-1);
  if (!v.isDouble() || d < 1 || d > kMaxScanValue || d != std::floor(d))
    return fail(why,
                QCoreApplication::translate("kavalo::ControlPointFiles", "注釈の画像の大きさ（%1）が正しくありません。")
                    .arg(QLatin1String(key)));
  value = static_cast<int>(d);
  return true;
}

bool readTarget(const QJsonValue& target, ControlPointFile& set, QString* why) {
  if (target.isString()) {
    set.scanName = nameFromId(target.toString());
    return true;
  }
  const QJsonObject t = target.toObject();
  const QJsonValue source = at(t, "source");
  if (source.isString()) {
    set.scanName = nameFromId(source.toString());
  } else {
    const QJsonObject s = source.toObject();
    const QJsonValue id = s.contains(QLatin1String("id")) ? at(s, "id") : at(s, "@id");
    set.scanName = nameFromId(id.toString());
    if (!readSize(s, "width", set.scanWidth, why) || !readSize(s, "height", set.scanHeight, why)) return false;
  }
  bool found = false;
  if (!maskFromTarget(t, set.mask, found, why)) return false;
  dropClosingPoint(set.mask);
  if (found && set.mask.size() < 3)
    return fail(
        why, QCoreApplication::translate("kavalo::ControlPointFiles", "注釈のマスクの点が3点より少なくなっています。"));
  if (isWholeFrame(set.mask, set.scanWidth, set.scanHeight)) set.mask.clear();
  return true;
}

std::optional<GeorefMethod> methodFromTransformation(const QJsonObject& t) {
  const QString type = at(t, "type").toString();
  if (type == QLatin1String("thinPlateSpline")) return GeorefMethod::ThinPlateSpline;
  if (type == QLatin1String("helmert")) return GeorefMethod::Helmert;
  if (type == QLatin1String("projective")) return GeorefMethod::Projective;
  int order = 0;
  if (type == QLatin1String("polynomial")) {
    const QJsonValue o = at(at(t, "options").toObject(), "order");
    order = o.isUndefined() ? 1 : o.toInt(0);
  } else if (type.startsWith(QLatin1String("polynomial"))) {
    order = type.mid(10).toInt();
  }
  // An order the fits here do not have is left to the user's choice.
  constexpr GeorefMethod kOrders[] = {GeorefMethod::Poly1, GeorefMethod::Poly2, GeorefMethod::Poly3};
  if (order < 1 || order > 3) return std::nullopt;
  return kOrders[order - 1];
}

bool readAnnotation(const QJsonObject& root, ControlPointFile& set, QString* why) {
  // A bare FeatureCollection of points with scan coordinates is the body
  // without its envelope; it reads the same.
  const bool bareBody = is(at(root, "type"), "FeatureCollection");
  const QJsonObject annotation = bareBody ? QJsonObject() : annotationOf(root);
  const QJsonValue motivation = at(annotation, "motivation");
  if (!bareBody && !motivation.isUndefined() && !isGeorefMotivation(motivation))
    return fail(why, QCoreApplication::translate(
                         "kavalo::ControlPointFiles",
                         "ジオリファレンスの注釈ではありません（motivation が georeferencing ではありません）。"));
  const QJsonObject body = bareBody ? root : at(annotation, "body").toObject();
  const QJsonValue features = at(body, "features");
  if (!features.isArray())
    return fail(
        why, QCoreApplication::translate("kavalo::ControlPointFiles",
                                         "ジオリファレンスの注釈として読めません（基準点の features がありません）。"));
  if (!bareBody && !readTarget(at(annotation, "target"), set, why)) return false;
  const QJsonArray list = features.toArray();
  if (list.size() > kMaxPoints) return fail(why, tooManyPoints());
  for (qsizetype i = 0; i < list.size(); ++i) {
    const QJsonObject f = list[i].toObject();
    const QJsonObject properties = at(f, "properties").toObject();
    const QJsonValue pixel = properties.contains(QLatin1String("resourceCoords")) ? at(properties, "resourceCoords")
                                                                                  : at(properties, "pixelCoords");
    const QJsonObject geometry = at(f, "geometry").toObject();
    FileControlPoint p;
    if (!numberPair(pixel, p.scanX, p.scanY) || std::abs(p.scanX) > kMaxScanValue || std::abs(p.scanY) > kMaxScanValue)
      return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles",
                                                   "%1番目の基準点の画像上の位置（resourceCoords）が読めません。")
                           .arg(i + 1));
    if (!is(at(geometry, "type"), "Point") || !numberPair(at(geometry, "coordinates"), p.mapX, p.mapY) ||
        std::abs(p.mapX) > 360.0 || std::abs(p.mapY) > 90.0)
      return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles",
                                                   "%1番目の基準点の経度・緯度（coordinates）が読めません。")
                           .arg(i + 1));
    set.points.push_back(p);
  }
  set.crs = kWorldCrs;
  const QJsonValue transformation = at(body, "transformation");
  if (transformation.isObject()) set.method = methodFromTransformation(transformation.toObject());
  return true;
}

// The outer rings of the polygons in a GeoJSON geometry, feature or
// feature collection.
void collectRings(const QJsonObject& o, std::vector<QJsonArray>& rings, int depth = 0) {
  const QString type = at(o, "type").toString();
  const QJsonValue coordinates = at(o, "coordinates");
  if (type == QLatin1String("Polygon")) {
    rings.push_back(firstOf(coordinates).toArray());
  } else if (type == QLatin1String("MultiPolygon")) {
    for (const QJsonValue& polygon : coordinates.toArray()) rings.push_back(firstOf(polygon).toArray());
  } else if (type == QLatin1String("Feature") && depth == 0) {
    collectRings(at(o, "geometry").toObject(), rings, depth + 1);
  } else if (type == QLatin1String("FeatureCollection") && depth == 0) {
    for (const QJsonValue& f : at(o, "features").toArray())
      if (is(at(f.toObject(), "type"), "Feature")) collectRings(f.toObject(), rings, depth);
  }
}

bool polygonFromGeoJson(const QJsonObject& root, std::vector<QPointF>& polygon, QString* why) {
  std::vector<QJsonArray> rings;
  collectRings(root, rings);
  if (rings.empty())
    return fail(why,
                QCoreApplication::translate("kavalo::ControlPointFiles", "マスクの多角形（Polygon）がありません。"));
  if (rings.size() > 1)
    return fail(why,
                QCoreApplication::translate("kavalo::ControlPointFiles", "マスクの多角形（Polygon）が複数あります。"));
  if (rings.front().size() > kMaxPoints) return fail(why, tooManyPoints());
  polygon.clear();
  for (qsizetype i = 0; i < rings.front().size(); ++i) {
    double x = 0, y = 0;
    if (!numberPair(rings.front()[i], x, y))
      return fail(
          why, QCoreApplication::translate("kavalo::ControlPointFiles", "マスクの%1番目の点が読めません。").arg(i + 1));
    polygon.emplace_back(x, y);
  }
  dropClosingPoint(polygon);
  // Drawn over an unreferenced raster in the desktop GIS, the scan's y runs
  // negative downwards, as in its points files: no scan pixel has y below 0.
  const bool negative = std::all_of(polygon.begin(), polygon.end(), [](QPointF p) { return p.y() <= 0; }) &&
                        std::any_of(polygon.begin(), polygon.end(), [](QPointF p) { return p.y() < 0; });
  if (negative)
    for (QPointF& p : polygon) p.setY(-p.y() + 0.0);
  return true;
}

// ---- Writing JSON

QByteArray jsonString(const QString& text) {
  QByteArray out = "\"";
  for (const char c : text.toUtf8()) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      out += "\\u00";
      out += QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
    } else {
      out += c;
    }
  }
  return out + '"';
}

QByteArray transformationJson(GeorefMethod method) {
  switch (method) {
    case GeorefMethod::ThinPlateSpline:
      return "{\"type\": \"thinPlateSpline\"}";
    case GeorefMethod::Poly2:
      return "{\"type\": \"polynomial\", \"options\": {\"order\": 2}}";
    case GeorefMethod::Poly3:
      return "{\"type\": \"polynomial\", \"options\": {\"order\": 3}}";
    default:
      return "{\"type\": \"polynomial\", \"options\": {\"order\": 1}}";  // the nearest the format knows
  }
}

// A web image service's address names no file: the other tools fetch its
// tiles through the service. Anything else is a plain image.
const char* sourceType(const QString& name) {
  const bool web = name.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                   name.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
  return web && !QUrl(name).fileName().contains(QLatin1Char('.')) ? "ImageService2" : "Image";
}

}  // namespace

bool readControlPointFile(const QByteArray& content, int imageWidth, int imageHeight, ControlPointFile& out,
                          ControlPointFormat* format, QString* why) {
  if (content.size() > kMaxControlPointFileBytes) return fail(why, tooLarge());
  const QByteArray text = asUtf8(content);
  const QByteArray trimmed = text.trimmed();
  if (trimmed.isEmpty())
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles", "ファイルが空です。"));
  ControlPointFile set;
  ControlPointFormat f = ControlPointFormat::Annotation;
  if (trimmed.startsWith('{') || trimmed.startsWith('[')) {
    QJsonObject root;
    if (!parseJson(text, root, why) || !readAnnotation(root, set, why)) return false;
  } else if (!readTextTable(text, imageWidth, imageHeight, set, f, why)) {
    return false;
  }
  if (set.points.empty())
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles", "基準点がひとつもありません。"));
  out = std::move(set);
  if (format) *format = f;
  return true;
}

QByteArray writePointsFile(const ControlPointFile& set, const std::vector<PointResidual>* residuals) {
  // The first line must stay one line: a WKT written over several is joined.
  QByteArray crs = set.crs.trimmed().toUtf8();
  if (crs.isEmpty() || normalisedCrs(set.crs) == kWorldCrs) crs = kWorldWkt;
  crs.replace('\r', ' ').replace('\n', ' ');
  QByteArray out = "#CRS: " + crs + "\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n";
  const bool withResiduals = residuals && residuals->size() == set.points.size();
  for (size_t i = 0; i < set.points.size(); ++i) {
    const FileControlPoint& p = set.points[i];
    const PointResidual r = withResiduals ? (*residuals)[i] : PointResidual{};
    out += numberText(p.mapX) + ',' + numberText(p.mapY) + ',' + numberText(p.scanX) + ',' + numberText(-p.scanY) +
           ',' + (p.enabled ? '1' : '0') + ',' + numberText(r.dx) + ',' + numberText(r.dy) + ',' +
           numberText(r.pixels) + '\n';
  }
  return out;
}

QByteArray writeControlPointCsv(const ControlPointFile& set) {
  QByteArray out = "x,y,lon,lat\n";
  for (const FileControlPoint& p : set.points)
    if (p.enabled)
      out +=
          numberText(p.scanX) + ',' + numberText(p.scanY) + ',' + numberText(p.mapX) + ',' + numberText(p.mapY) + '\n';
  return out;
}

QByteArray writeGeoreferenceAnnotation(const ControlPointFile& set, GeorefMethod method) {
  const bool sized = set.scanWidth > 0 && set.scanHeight > 0;
  QByteArray out = "{\n  \"@context\": [\"";
  out += QByteArray(kGeorefContext) + "\", \"" + kPresentationContext + "\"],\n";
  out += "  \"type\": \"Annotation\",\n  \"motivation\": \"georeferencing\",\n";
  out += "  \"target\": {\n    \"type\": \"SpecificResource\",\n";
  out += "    \"source\": {\"id\": " + jsonString(set.scanName) + ", \"type\": \"" + sourceType(set.scanName) + '"';
  if (sized)
    out += ", \"width\": " + QByteArray::number(set.scanWidth) + ", \"height\": " + QByteArray::number(set.scanHeight);
  out += '}';
  // Without a mask the selector is the scan's whole frame: the other tools
  // expect one in every annotation.
  std::vector<QPointF> frame = set.mask;
  if (frame.empty() && sized)
    frame = {{0, 0},
             {double(set.scanWidth), 0},
             {double(set.scanWidth), double(set.scanHeight)},
             {0, double(set.scanHeight)}};
  if (frame.size() >= 3)
    out += ",\n    \"selector\": {\"type\": \"SvgSelector\", \"value\": " +
           jsonString(QString::fromUtf8(maskSvg(frame, set.scanWidth, set.scanHeight))) + '}';
  out += "\n  },\n  \"body\": {\n    \"type\": \"FeatureCollection\",\n";
  out += "    \"transformation\": " + transformationJson(method) + ",\n    \"features\": [";
  bool first = true;
  for (const FileControlPoint& p : set.points) {
    if (!p.enabled) continue;  // the format has no switched-off points
    out += first ? "\n" : ",\n";
    first = false;
    out += "      {\"type\": \"Feature\", \"properties\": {\"resourceCoords\": [" + numberText(p.scanX) + ", " +
           numberText(p.scanY) + "]}, \"geometry\": {\"type\": \"Point\", \"coordinates\": [" + numberText(p.mapX) +
           ", " + numberText(p.mapY) + "]}}";
  }
  out += first ? "]\n  }\n}\n" : "\n    ]\n  }\n}\n";
  return out;
}

bool readMaskFile(const QByteArray& content, std::vector<QPointF>& polygon, QString* why) {
  if (content.size() > kMaxControlPointFileBytes) return fail(why, tooLarge());
  const QByteArray text = asUtf8(content);
  const QByteArray trimmed = text.trimmed();
  std::vector<QPointF> result;
  if (trimmed.isEmpty())
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles", "ファイルが空です。"));
  if (trimmed.startsWith('<')) {
    if (!polygonFromSvg(QString::fromUtf8(trimmed), result, why)) return false;
    dropClosingPoint(result);
  } else if (trimmed.startsWith('{')) {
    QJsonObject root;
    if (!parseJson(text, root, why)) return false;
    const QJsonObject annotation = annotationOf(root);
    if (annotation.contains(QLatin1String("target"))) {
      bool found = false;
      if (!maskFromTarget(at(annotation, "target").toObject(), result, found, why)) return false;
      if (!found)
        return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles",
                                                     "注釈にマスクの多角形（SvgSelector）がありません。"));
      dropClosingPoint(result);
    } else if (!polygonFromGeoJson(root, result, why)) {
      return false;
    }
  } else {
    return fail(why, QCoreApplication::translate(
                         "kavalo::ControlPointFiles",
                         "マスクのファイルとして読めません（SVG の polygon か GeoJSON の Polygon が必要です）。"));
  }
  if (result.size() < 3)
    return fail(why, QCoreApplication::translate("kavalo::ControlPointFiles",
                                                 "マスクの多角形の点が3点より少なくなっています。"));
  polygon = std::move(result);
  return true;
}

QByteArray maskSvg(const std::vector<QPointF>& polygon, int width, int height) {
  QByteArray svg = width > 0 && height > 0 ? "<svg width=\"" + QByteArray::number(width) + "\" height=\"" +
                                                 QByteArray::number(height) + "\">"
                                           : QByteArray("<svg>");
  svg += "<polygon points=\"";
  for (size_t i = 0; i < polygon.size(); ++i) {
    if (i) svg += ' ';
    svg += numberText(polygon[i].x()) + ',' + numberText(polygon[i].y());
  }
  return svg + "\"/></svg>";
}

}  // namespace kavalo
