// SPDX-License-Identifier: MIT
#pragma once
// The era lists of a data folder, one file per source, as Shift-JIS value
// lists: the scanned sheets (map_tikeizu_info.txt), the agency's base maps
// and orthophotos (name, years, acquisition date), the aerial photos (name
// and period code), the rapid-survey flag and the 1/20,000 sheets with their
// boxes. Each reader appends the eras of its file, each checked (a folder
// and image names inside the data folder, years that are years), and on a
// damaged file fails with a message naming the file and its path.
#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "model/Era.h"
#include "platform/ValueReader.h"

namespace kavalo {

// Opens a value file, or fails with "「file」を読み込めません。" and the reason.
bool openInfoReader(const QString& path, const QString& file, ValueReader& reader, QString* error);

// Reads the lines of the user's era lists (tile services, imported scans):
// Shift-JIS, one era per line as values, blank lines skipped. parse reads
// one line's values and returns false when they are not what the file
// holds; the file then fails with a message naming it (label), the line and
// the path. A file that does not exist holds no line.
bool readEraLines(const QString& path, const QString& label, const std::function<bool(ValueReader&)>& parse,
                  QString* error);

// The checks every era read from a file must pass.
bool checkEra(const Era& e, const QString& file, const QString& path, QString* error);

bool readTikeizuInfo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error);
// The agency eras: name, first year, last year, acquisition date.
bool readAgencyInfo(const QString& path, const QString& file, int32_t kind, int32_t tileStyle, const QString& ext,
                    std::vector<Era>& eras, QString* error);
// The agency file's bytes for its eras in file order: the count, then one
// line each of name, first year, last year and acquisition date, numbers in
// the program's framed form (the form its acquisition writes).
QByteArray agencyInfoBytes(const std::vector<Era>& fileEras);
bool readOrthoInfo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error);
// The flag file: 1 adds the rapid-survey era.
bool readRapidSurveyInfo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error);
bool readTwentyThousandInfo(const QString& path, const QString& file, Era& e, QString* error);

}  // namespace kavalo
