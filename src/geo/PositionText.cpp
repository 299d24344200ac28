// SPDX-License-Identifier: MIT
#include "geo/PositionText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

#include "geo/CursorReadout.h"

namespace kavalo {

QString decimalText(double lat, double lon) {
  return QString::number(lat, 'f', 6) + QStringLiteral(", ") + QString::number(lon, 'f', 6);
}

namespace {

// The readout's form; south and west of zero (never in a region of this
// program, but a copied text must read back) take their own prefixes.
QString dmsPart(const char* positive, const char* negative, float v) {
  const DMS d = DegToDMS(std::abs(v));
  return QCoreApplication::translate("kavalo::PositionText", v < 0 ? negative : positive)
      .arg(QString::number(d.degrees), QString::number(d.minutes), secondsText(d.seconds));
}

// The datums as typed or copied: the Japanese names are always understood,
// the names of the interface's language too.
const QString kWorld = QStringLiteral("世界測地系");  // stored
const QString kTokyo = QStringLiteral("日本測地系");  // stored

QString worldShown() { return QCoreApplication::translate("kavalo::PositionText", "世界測地系"); }
QString tokyoShown() { return QCoreApplication::translate("kavalo::PositionText", "日本測地系"); }

}  // namespace

QString dmsText(float lat, float lon) {
  return dmsPart(QT_TRANSLATE_NOOP("kavalo::PositionText", "北緯%1度%2分%3秒"),
                 QT_TRANSLATE_NOOP("kavalo::PositionText", "南緯%1度%2分%3秒"), lat) +
         u' ' +
         dmsPart(QT_TRANSLATE_NOOP("kavalo::PositionText", "東経%1度%2分%3秒"),
                 QT_TRANSLATE_NOOP("kavalo::PositionText", "西経%1度%2分%3秒"), lon);
}

QString geoUri(double lat, double lon) {
  return QStringLiteral("geo:") + QString::number(lat, 'f', 6) + u',' + QString::number(lon, 'f', 6);
}

QString PositionTexts::all() const {
  const QString world = QCoreApplication::translate("kavalo::PositionText", "世界測地系　%1");
  const QString tokyo = QCoreApplication::translate("kavalo::PositionText", "日本測地系　%1");
  return world.arg(worldDecimal) + u'\n' + world.arg(worldDms) + u'\n' + tokyo.arg(tokyoDecimal) + u'\n' +
         tokyo.arg(tokyoDms) + u'\n' + uri;
}

PositionTexts positionTexts(const MapInfo& info, ImagePoint p) {
  const LatLon world = ImageToLatLon(info, p.x, p.y, 1);
  const LatLon tokyo = ImageToLatLon(info, p.x, p.y, 0);
  PositionTexts t;
  t.worldDecimal = decimalText(world.lat, world.lon);
  t.worldDms = dmsText(world.lat, world.lon);
  t.tokyoDecimal = decimalText(tokyo.lat, tokyo.lon);
  t.tokyoDms = dmsText(tokyo.lat, tokyo.lon);
  t.uri = geoUri(world.lat, world.lon);
  return t;
}

std::optional<Place> meshCodePlace(const QString& code) {
  static const QRegularExpression form(QStringLiteral("^(\\d{4})(?:[-\\s]?(\\d{2})(?:[-\\s]?(\\d{2}))?)?$"));
  const QRegularExpressionMatch m = form.match(code.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  const QString first = m.captured(1), second = m.captured(2), third = m.captured(3);
  // First order: 40 minutes of latitude (rows PP = latitude x 1.5) by one
  // degree of longitude (QQ = longitude - 100).
  double south = first.left(2).toInt() / 1.5;
  double west = first.mid(2, 2).toInt() + 100.0;
  double height = 40.0 / 60.0, width = 1.0;
  if (!second.isEmpty()) {
    const int r = second[0].digitValue(), c = second[1].digitValue();
    if (r > 7 || c > 7) return std::nullopt;  // eight by eight cells
    height /= 8.0;
    width /= 8.0;
    south += r * height;
    west += c * width;
  }
  if (!third.isEmpty()) {
    height /= 10.0;
    width /= 10.0;
    south += third[0].digitValue() * height;
    west += third[1].digitValue() * width;
  }
  Place p;
  p.form = PlaceForm::MeshCode;
  p.datum = 1;
  p.south = south;
  p.west = west;
  p.north = south + height;
  p.east = west + width;
  p.lat = south + height / 2.0;
  p.lon = west + width / 2.0;
  return p;
}

namespace {

bool fail(QString* error, const QString& why) {
  if (error) *error = why;
  return false;
}

bool inRange(const Place& p, QString* error) {
  if (!std::isfinite(p.lat) || !std::isfinite(p.lon) || std::abs(p.lat) > 90.0 || std::abs(p.lon) > 180.0)
    return fail(error, QCoreApplication::translate("kavalo::PositionText",
                                                   "緯度は-90～90度、経度は-180～180度で入力してください。"));
  return true;
}

// One angle in the readout's form ("北緯35度40分12.3秒") or with the usual
// signs (35°40'12.3"N).
struct Angle {
  double value = 0.0;
  int axis = -1;  // 0 latitude, 1 longitude, -1 not said
};

const QString kNumber = QStringLiteral("(\\d+(?:\\.\\d+)?)");

std::optional<std::pair<Angle, Angle>> dmsAngles(const QString& text, QString* error) {
  // The readout's Japanese words are always understood, as typed or copied.
  // clang-format off
  static const QRegularExpression angle(
      QStringLiteral("(北緯|南緯|東経|西経)?\\s*") + kNumber +  // stored
      QStringLiteral("\\s*(?:度|°)\\s*(?:") + kNumber +  // stored
      QStringLiteral("\\s*(?:分|'|′))?\\s*(?:") + kNumber +  // stored
      QStringLiteral("\\s*(?:秒|\"|″))?\\s*([NSEWnsew])?"));  // stored
  // clang-format on
  std::vector<Angle> found;
  QString rest = text;
  auto it = angle.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    const double minutes = m.captured(3).isEmpty() ? 0.0 : m.captured(3).toDouble();
    const double seconds = m.captured(4).isEmpty() ? 0.0 : m.captured(4).toDouble();
    if (minutes >= 60.0 || seconds >= 60.0) {
      fail(error, QCoreApplication::translate("kavalo::PositionText", "分と秒は60未満で入力してください。"));
      return std::nullopt;
    }
    Angle a;
    a.value = m.captured(2).toDouble() + minutes / 60.0 + seconds / 3600.0;
    const QString prefix = m.captured(1);
    const QString letter = m.captured(5).toUpper();
    if (prefix == u"北緯" || letter == u"N") a.axis = 0;              // stored
    if (prefix == u"南緯" || letter == u"S") a = Angle{-a.value, 0};  // stored
    if (prefix == u"東経" || letter == u"E") a.axis = 1;              // stored
    if (prefix == u"西経" || letter == u"W") a = Angle{-a.value, 1};  // stored
    found.push_back(a);
    rest.replace(m.captured(0), QString());
  }
  if (found.size() != 2 || !rest.remove(u',').remove(u'、').trimmed().isEmpty()) return std::nullopt;
  // Latitude first unless the text says which is which.
  if (found[0].axis == 1 || found[1].axis == 0) std::swap(found[0], found[1]);
  if (found[0].axis == 1 || found[1].axis == 0) {
    fail(error, QCoreApplication::translate("kavalo::PositionText", "緯度と経度を一つずつ入力してください。"));
    return std::nullopt;
  }
  return std::make_pair(found[0], found[1]);
}

}  // namespace

std::optional<Place> parsePlace(const QString& typed, int readoutDatum, QString* error) {
  // Full-width digits and signs, as an input method gives them, read as the
  // plain ones.
  QString text = typed.normalized(QString::NormalizationForm_KC).trimmed();
  // The normal form spells a double prime as two primes.
  text.replace(QStringLiteral("′′"), QStringLiteral("\""));
  int named = -1;
  const QString world = worldShown(), tokyo = tokyoShown();
  if (text.contains(kWorld) || text.contains(world, Qt::CaseInsensitive)) named = 1;
  if (text.contains(kTokyo) || text.contains(tokyo, Qt::CaseInsensitive)) named = 0;
  text.remove(kWorld).remove(kTokyo).remove(world, Qt::CaseInsensitive).remove(tokyo, Qt::CaseInsensitive);
  static const QRegularExpression brackets(QStringLiteral("[()（）:：]"));  // stored
  text.remove(brackets);
  text = text.trimmed();
  if (text.isEmpty()) {
    fail(error, QCoreApplication::translate("kavalo::PositionText", "位置を入力してください。"));
    return std::nullopt;
  }

  static const QRegularExpression uri(QStringLiteral("^geo\\s*([-+]?\\d+(?:\\.\\d+)?)\\s*,\\s*([-+]?\\d+(?:\\.\\d+)?)"
                                                     "(?:,[-+]?\\d+(?:\\.\\d+)?)?(?:;.*)?$"),
                                      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression decimal(
      QStringLiteral("^([-+]?\\d+(?:\\.\\d+)?)\\s*(?:[,、]\\s*|\\s+)([-+]?\\d+(?:\\.\\d+)?)$"));  // stored
  Place p;
  if (const auto m = uri.match(text); m.hasMatch()) {
    p.form = PlaceForm::GeoUri;
    p.lat = m.captured(1).toDouble();
    p.lon = m.captured(2).toDouble();
    p.datum = 1;  // the URI's own datum
    if (!inRange(p, error)) return std::nullopt;
    return p;
  }
  if (auto mesh = meshCodePlace(text)) return mesh;
  if (const auto m = decimal.match(text); m.hasMatch()) {
    p.form = PlaceForm::Decimal;
    p.lat = m.captured(1).toDouble();
    p.lon = m.captured(2).toDouble();
    p.datum = named >= 0 ? named : 1;
    if (!inRange(p, error)) return std::nullopt;
    return p;
  }
  QString why;
  if (auto angles = dmsAngles(text, &why)) {
    p.form = PlaceForm::Dms;
    p.lat = angles->first.value;
    p.lon = angles->second.value;
    p.datum = named >= 0 ? named : (readoutDatum == 1 ? 1 : 0);
    if (!inRange(p, error)) return std::nullopt;
    return p;
  }
  fail(error, why.isEmpty()
                  ? QCoreApplication::translate("kavalo::PositionText",
                                                "「35.6812, 139.7671」、「北緯35度40分52.3秒 東経139度46分1.56秒」"
                                                "またはメッシュコードで入力してください。")
                  : why);
  return std::nullopt;
}

ImagePoint placeToImage(const MapInfo& info, const Place& place) {
  return LatLonToImage(info, static_cast<float>(place.lat), static_cast<float>(place.lon), place.datum == 1 ? 1 : 0);
}

}  // namespace kavalo
