// SPDX-License-Identifier: MIT
#pragma once
// The window's own picture of itself, for the manual's illustrations: with
// KAVALO_SNAPSHOT=FILE.png in the environment the window sets up a scene
// (KAVALO_SNAPSHOT_SCENE: main, compare-side, compare-swipe, compare-lens,
// compare-blend, online, keyboard, overlay, ruler, links, and the dialogs
// era-settings, xyz and import shown beside the window; film-dialog;
// georef: the georeferencer over a scan made from the oldest era), waits for
// its tiles, grabs itself (or one control of it,
// KAVALO_SNAPSHOT_WIDGET=objectName), writes FILE and quits
// without saving anything. Nothing of it is shown to a user who does not set
// the variable; scripts/screenshots drives it at build time.
#include <QString>

namespace kavalo {

class frmSCR;

// The scenes a snapshot can show.
bool isSnapshotScene(const QString& scene);

// Sets the window up as the scene shows it: size, era, place, comparison,
// pointer. False for an unknown scene.
bool setUpSnapshotScene(frmSCR& window, const QString& scene);

// Schedules the snapshot the environment asks for; false when it asks for
// none. The application quits with status 0 once FILE is written, 1 when it
// could not be.
bool scheduleSnapshotFromEnvironment(frmSCR& window);

}  // namespace kavalo
