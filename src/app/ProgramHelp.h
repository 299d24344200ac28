// SPDX-License-Identifier: MIT
#pragma once
// What kavalo says about itself: --help, --version and the manual page
// kavalo(1), all made from one description (the build writes the manual page
// with kavalo --man, so it cannot say other than --help).
#include <QString>

#include "platform/HelpText.h"

namespace kavalo {

HelpDocument kavaloHelpDocument();

// The plain text of the document for a terminal: the sections as headed
// paragraphs, options and variables indented under their names.
QString helpDocumentText(const HelpDocument& doc);

// What a command line asks of the program before any window exists: the
// text to print and exit with (true), or nothing (false: start the program).
// Arguments it does not know are left to Qt and the program.
bool answerWithoutWindow(int argc, char** argv, QString* text);

}  // namespace kavalo
