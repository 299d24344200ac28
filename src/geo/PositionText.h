// SPDX-License-Identifier: MIT
#pragma once
// A position as text and back: what the map's pop-up menu copies (both
// datums, decimal degrees and degrees-minutes-seconds as the readout shows
// them, and a geo: URI), and what the go-to box accepts (decimal degrees,
// the readout's degrees-minutes-seconds, a geo: URI or a regional mesh code).
#include <QString>
#include <optional>

#include "model/Coordinates.h"

namespace kavalo {

// "35.681200, 139.767100": six decimals are a tenth of a metre, all that a
// single holds at these angles.
QString decimalText(double lat, double lon);
// "北緯35度40分52.3秒 東経139度46分1.56秒", each part as the readout writes it
// (南緯 and 西経 below zero).
QString dmsText(float lat, float lon);
// RFC 5870 in the world datum (the URI's own datum): "geo:35.681200,139.767100".
QString geoUri(double lat, double lon);

struct PositionTexts {
  QString worldDecimal, worldDms;  // world datum
  QString tokyoDecimal, tokyoDms;  // Tokyo datum
  QString uri;
  // All of them, one per line, each datum named: what the menu copies.
  QString all() const;
};

// The texts of an image position.
PositionTexts positionTexts(const MapInfo& info, ImagePoint p);

enum class PlaceForm { Decimal, Dms, GeoUri, MeshCode };

struct Place {
  double lat = 0.0;
  double lon = 0.0;
  int datum = 1;  // 1 world datum, 0 Tokyo datum
  PlaceForm form = PlaceForm::Decimal;
  // A mesh code's cell (the place is its centre).
  double south = 0.0, west = 0.0, north = 0.0, east = 0.0;
};

// Reads what was typed into the go-to box. Decimal degrees ("35.6812,
// 139.7671", latitude first), geo: URIs and mesh codes are in the world
// datum; degrees-minutes-seconds are in readoutDatum (the datum the readout
// shows them in). A datum named in the text ("世界測地系", "日本測地系")
// wins. Nothing, with the reason in *error, when the text is none of these
// or out of range.
std::optional<Place> parsePlace(const QString& text, int readoutDatum, QString* error = nullptr);

// The cell of a 1st-, 2nd- or 3rd-order regional mesh code (4, 6 or 8 digits;
// "5339", "533946", "53394630", also written "5339-46-30").
std::optional<Place> meshCodePlace(const QString& code);

// Where a place lies on the map: its image position in its own datum.
ImagePoint placeToImage(const MapInfo& info, const Place& place);

}  // namespace kavalo
