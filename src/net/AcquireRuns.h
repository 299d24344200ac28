// SPDX-License-Identifier: MIT
#pragma once
// The acquisition runs as the dialogs start them: the server check, the
// question, the new era folder, the fetching, and then either the new era
// (era list, info file, message) or nothing at all: a run that fails or is
// cancelled removes its folder and leaves the era list and the info files as
// they were. A run fails when any request it needed failed (no answer, a
// timeout, 5xx, a body that was not whole); only 404 and 410 mean "nothing
// here". The command-line tool runs the same code with every question
// answered Yes.
#include <QDate>
#include <QString>

#include "model/Era.h"
#include "net/AcquireContext.h"
#include "net/XyzTiles.h"

namespace kavalo {

struct ProgramState;

// How a run ends for its dialog: it stays open (server unreachable, a
// question answered No, no period chosen) or it closes, with the era added
// or updated (the dialog's tag "OK") or not.
struct RunOutcome {
  bool closeDialog = false;
  bool added = false;
  bool cancelled = false;
  QString message;  // the last message shown
  int tiles = 0;
  int requests = 0;
  RequestCounts counts;  // answered, absent, failed
};

struct AgencyChoice {
  int source = 0;       // 0 base map, 1 air photo, 2 orthophoto
  int periodCode = -1;  // for source 1; -1 when none is chosen
};

// tileServer, portal: base addresses without a trailing slash.
RunOutcome runAgencyAcquisition(ProgramState& state, const QString& tileServer, const QString& portal,
                                const AgencyChoice& choice, const AcquireContext& ctx,
                                const QDate& today = QDate::currentDate());

RunOutcome runRapidSurveyAcquisition(ProgramState& state, const QString& service, const QString& site,
                                     const AcquireContext& ctx);

// A second fetch of a service the data folder already has an era of (the
// same template, map or photo): the window asks whether to fetch that era
// anew; the command line refuses unless told to update.
enum class XyzRepeat { Ask, Update, Refuse };

struct XyzChoice {
  QString urlTemplate;
  int zoom = 16;
  bool map = true;      // a masked map; false: a photo
  QString attribution;  // required: the service's terms ask for it
  QString label;        // empty: the year and the service's host
  XyzRepeat repeat = XyzRepeat::Ask;
};

// The era goes into map_xyz_info.txt as a tile-service era of its own kind,
// in a folder XYZ00, XYZ01, ...; an update replaces the tiles of the era's
// folder only when the new ones are whole, and keeps the user's label.
RunOutcome runXyzAcquisition(ProgramState& state, const XyzChoice& choice, const XyzFetcher& fetch,
                             const AcquireContext& ctx, const QDate& today = QDate::currentDate());

// The part of the session a run reads and changes (folders, file names, the
// data folder's configuration, its eras, the label style), copied so that a
// run on its own thread never shares the window's state. A run that added an
// era leaves it in the copy's era list.
ProgramState acquisitionSnapshot(const ProgramState& state);

// The folder a new tile-service era takes: XYZ00, XYZ01, ... the first that
// no era and no folder of the data folder has; empty when none is left.
QString freeXyzFolder(const QString& datasetFolder, const std::vector<Era>& eras);

// The name a new agency era takes: W, DKO + the number of eras of its kind,
// or the next number no era of the list uses yet.
QString freeEraName(const std::vector<Era>& eras, const QString& prefix, int count);

}  // namespace kavalo
