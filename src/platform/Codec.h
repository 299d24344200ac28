// SPDX-License-Identifier: MIT
#pragma once
// Shift-JIS (the Microsoft CP932 table) is the encoding of every text file a
// data folder holds, except KML. All conversions go through here so that an
// unmappable character is noticed instead of silently turning into "?".
#include <QByteArray>
#include <QString>

namespace kavalo {

// True when the CP932 converter is available in this Qt build.
bool sjisAvailable();

// Decodes CP932 bytes. *ok (when given) becomes false if a byte sequence was
// not valid Shift-JIS; the result then holds replacement characters there.
QString fromSjis(const QByteArray& bytes, bool* ok = nullptr);

// Encodes text as CP932. *ok becomes false if a character has no Shift-JIS
// form (it is written as "?" then).
QByteArray toSjis(const QString& text, bool* ok = nullptr);

}  // namespace kavalo
