// SPDX-License-Identifier: MIT
#pragma once
// The kinds of era, each described once: where its eras are listed and how
// that file is read, how its tiles are stored and whether they follow the
// region's sheets (and so its legends), how it is labelled, credited
// and read out, whether the agency's A4 rule holds for it, whether its eras
// belong to the user (renamed and deleted by the user), and which
// acquisition and which kavalo-cli command add such eras. Code on every
// floor asks this list instead of switching on the kind; what a floor draws
// for a style (the credit texts, the readout texts, the dialogs) stays on
// that floor.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

#include "model/Era.h"

namespace kavalo {

// How an era's label follows its period text.
enum class EraLabelRule {
  Period,           // the period alone (the dataset's own sheets)
  PeriodAndSuffix,  // the period and the source's fixed suffix
  AgencyMap,        // the agency's map: its earlier or its current web map, by year
  AirPhoto,         // the air photos: the earthquake periods have their own suffix
  UsersLabel,       // the label the user gave
};

// Which credit lines stand under the map (the texts are elevation/Credits).
enum class EraCreditStyle {
  DatasetApproval,  // the dataset's approval text and the program's own line
  AgencyMap,
  AirPhoto,
  RapidSurvey,
  AgencyOrtho,
  UsersCreditOnMap,    // the user's credit under the elevation credit, as for a map
  UsersCreditOnPhoto,  // the user's credit alone, as for a photo
};

// What the readout says of the shown era under the cursor (the texts are
// geo/CursorReadout).
enum class EraReadoutStyle {
  None,  // nothing is claimed (a kind this program does not know)
  SheetHistory,
  AgencyMap,
  AirPhoto,
  RapidSurvey,
  SheetIndex,
  AgencyOrtho,
  TileService,
  Scan,
};

// How an era's tiles relate to the sheets of the region.
enum class EraSheets {
  None,     // a plain tile grid
  History,  // scanned sheets: the sheet history says which edition lies where, and borrows
  Index,    // 1/20,000 sheets: a sheet index names the sheet under a point
};

// Which acquisition adds eras of the kind (None: a kind this program does
// not know).
enum class EraAcquisition { None, Packages, Agency, RapidSurvey, TileService, ScanImport };

struct EraSource {
  int32_t kind;
  const char* id;        // stable, for scripts: "sheets", "agency-map", ...
  const char* infoFile;  // with its leading backslash: "\map_tikeizu_info.txt"
  int32_t tileStyle;     // -1: each era's own (the scanned sheets say it per era)
  int32_t frameType;     // -1: each era's own
  const char* ext;       // nullptr: each era's own
  EraLabelRule label;
  const char* suffix;  // for PeriodAndSuffix
  EraCreditStyle credit;
  EraReadoutStyle readout;
  EraSheets sheets;
  bool a4Rule;        // the agency's data: not printed on sheets larger than A4
  bool usersOwn;      // added by the user: the user may rename and delete it
  bool datedByTiles;  // the acquisition date is the date of the tiles themselves
  EraAcquisition acquisition;
  const char* command;  // the kavalo-cli command that adds such eras
};

// Every kind, in the order of its number.
const std::vector<EraSource>& eraSources();
// The entry of a kind; an unknown kind (a damaged record) reads as the
// dataset's own sheets without their history, so that nothing is claimed
// for it.
const EraSource& eraSource(int32_t kind);
inline const EraSource& eraSource(const Era& era) { return eraSource(era.kind); }
// The entry with a stable id, or nullptr.
const EraSource* eraSourceById(QStringView id);

// When an info file is read while a data folder loads.
enum class InfoFileWhen {
  Required,               // the folder cannot load without it
  Optional,               // read when present
  RapidSurveyOffered,     // read when present and mapinfo.txt offers the rapid-survey maps
  TwentyThousandOffered,  // required when mapinfo.txt offers the 1/20,000 sheets
};

// Appends the eras of one info file. path: the file; file: its name as the
// messages give it. False with the reason (file, path, what is wrong).
using EraFileReader = bool (*)(const QString& path, const QString& file, std::vector<Era>& eras, QString* error);

struct EraInfoFile {
  const char* name;  // with its leading backslash
  InfoFileWhen when;
  EraFileReader read;
};

// The info files in the order a data folder reads them. The order is part of
// what the folder means: eras of equal first years end where the program's
// sort leaves them, and that depends on the order they were read in.
const std::vector<EraInfoFile>& eraInfoFiles();

}  // namespace kavalo
