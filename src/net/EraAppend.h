// SPDX-License-Identifier: MIT
#pragma once
// A fetched era joins the data folder: the Era record, the info file of its
// source rewritten whole (count, then one line per era of that kind in
// era-list order), and the status texts of the agency dialog.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

#include "model/Era.h"

namespace kavalo {

struct ProgramState;

// The date of an acquisition as it is stored: yyyy/MM/dd.
QString acquisitionDateText(const QDate& date);

// The era an agency source adds. source: 0 base map, 1 air photo, 2
// orthophoto; periodCode for source 1; count: eras of that kind the dataset
// already has (it numbers the folder).
Era agencyEra(int source, int periodCode, int count, const QDate& today);

// The info file of an era kind (1, 2 or 5) in its fixed form, for the eras of
// that kind in list order.
QByteArray agencyInfoFileBytes(const std::vector<Era>& eras, int kind);
// "\map_watizu_info.txt" and the like for kinds 1, 2 and 5; empty otherwise.
QString agencyInfoFileName(int kind);

int countErasOfKind(const std::vector<Era>& eras, int kind);

// Appends the era to the state's era list and rewrites the info file of its
// kind atomically. When the file cannot be written the era list is left as
// it was and false comes back with the reason.
bool AppendAgencyEra(ProgramState& state, const Era& era, QString* error);

// map_Jinnsoku_info.txt: " 1 " and CR LF, written atomically.
bool WriteRapidSurveyInfo(const QString& datasetFolder, QString* error);

// The dialog's status texts: the fetch dates of the base-map eras (two per
// line) or of the orthophoto eras (one per line), the fetched air-photo
// periods, each "まだ取得していません" when there is none.
QString fetchedDatesText(const std::vector<Era>& eras, int kind);
QString fetchedPeriodsText(const std::vector<Era>& eras);

// The air-photo periods the dataset offers (flag "1") and has not fetched
// yet, in code order.
std::vector<int> availablePeriods(const std::vector<Era>& eras, const QString& orthoFlags);

}  // namespace kavalo
