// SPDX-License-Identifier: MIT
#pragma once
// The view options shared by the commands that compose a view (render,
// readout, export, print): --link LINK --era I --center X,Y --zoom Z
// --size WxH --mm-per-px F --layers tiles,altitude,lines,scale,legend,marks.
// Defaults: era, centre and zoom of the saved view; 1000x700; 25.4/96 mm per
// pixel; the switches that are on at start. A link (kavalo://view?…) gives
// the data folder, era, centre and zoom; the other options override it.
// The commands that draw also take --overlay FILE, once per file.
#include <QString>
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// The option names, for parseOptions.
QStringList viewOptionNames();

// Applies the options to a loaded state: view, picture size, scale factors
// and display switches. False with a message on a bad value.
bool applyViewOptions(const CliOptions& options, ProgramState& state, QString* error);

// "--overlay", for the commands that draw.
QStringList overlayOptionNames();

// Opens each --overlay file over the loaded data folder, in the order given.
// A file that cannot be opened is the command's failure, with the program's
// message.
CliStatus applyOverlayOptions(const CliOptions& options, ProgramState& state);

}  // namespace kavalo
