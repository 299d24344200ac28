#pragma once
// The view options shared by the commands that compose a view (render,
// readout): --era I --center X,Y --zoom Z --size WxH --mm-per-px F
// --layers tiles,altitude,lines,scale,legend,marks. Defaults: era, centre and
// zoom of the saved view; 1000x700; 25.4/96 mm per pixel; the switches that
// are on at start.
#include <QString>
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// The option names, for parseOptions.
QStringList viewOptionNames();

// Applies the options to a loaded state: view, picture size, scale factors
// and display switches. False with a message on a bad value.
bool applyViewOptions(const CliOptions& options, ProgramState& state, QString* error);

}  // namespace kavalo
