// SPDX-License-Identifier: MIT
#pragma once
// The eras the user added (from a tile service, from a scan) are the
// user's: their label can be changed and they can be removed. The eras of
// the dataset and of the agency stay as they are. Each change rewrites the
// info file the era lives in, whole and atomically, and only the era's own
// line changes: the other lines keep their order and their bytes.
#include <QString>
#include <vector>

#include "model/Era.h"

namespace kavalo {

// What is wrong with a label typed for an era (empty when nothing): an
// empty label, a double quote or a line break, or a character Shift-JIS
// does not have.
QString userLabelProblem(const QString& label);

// Gives the user's era its new label in its info file. A tile-service era
// of the last version (listed in the agency's file) moves into the
// tile-service list, which holds labels; the agency's file then loses its
// line. False with the reason, and every file as it was, when a file cannot
// be read or written or the era is not listed where it says.
bool relabelUserEraInFiles(const QString& datasetFolder, const Era& era, const QString& label, QString* error);

// Takes the user's era out of its info file (its folder is the caller's).
bool removeUserEraFromFiles(const QString& datasetFolder, const Era& era, QString* error);

// The info files a change of the era may rewrite, as paths; for keeping
// their bytes aside and putting them back when a later step fails.
std::vector<QString> userEraInfoPaths(const QString& datasetFolder, const Era& era);

}  // namespace kavalo
