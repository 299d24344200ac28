// SPDX-License-Identifier: MIT
#pragma once
// The comparison options of kavalo-cli render: --compare B --mode
// side|swipe|lens|blend [--split X] [--lens X,Y,R] [--opacity P]. B is an
// era index; X, Y and R are view pixels (the divider's x; the lens's centre
// and radius); P is era B's opacity in percent. Defaults: side by side, the
// divider at the middle, a lens of 120 pixels at the centre, 50 %.
#include <QString>
#include <QStringList>

#include "cli/CliCommon.h"
#include "render/CompareComposer.h"

namespace kavalo {

QStringList compareOptionNames();

// The comparison the options ask for, on a state whose view options are
// applied. False with a message on a bad value.
bool readCompareOptions(const CliOptions& options, const ProgramState& state, CompareView& view, QString* error);

// Without --compare: false with a message when a comparison option is given
// all the same (it would be ignored).
bool compareOptionsNeedCompare(const CliOptions& options, QString* error);

// Composes the view of the request into picture: the comparison when
// --compare is given, else the single view. False with a message on a bad
// value.
bool renderCompare(const CliOptions& options, const ProgramState& state, const ViewRequest& view, QImage& picture,
                   TileSource* tiles, QString* error);

}  // namespace kavalo
