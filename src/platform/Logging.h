// SPDX-License-Identifier: MIT
#pragma once
// The program's log categories. Nothing is logged unless asked for: the
// QT_LOGGING_RULES variable (for example "kavalo.*=true") or kavalo-cli's
// --verbose turns them on, so that a user can tell why a fetch failed.
#include <QLoggingCategory>

namespace kavalo {

Q_DECLARE_LOGGING_CATEGORY(lcNet)     // "kavalo.net": every request that failed, with its address, status and reason
Q_DECLARE_LOGGING_CATEGORY(lcRender)  // "kavalo.render": compositions and the tile source
Q_DECLARE_LOGGING_CATEGORY(lcData)    // "kavalo.data": data folders and the files read and written

// Every level of the kavalo categories is off unless rules turn it on (the
// program's messages are what a user reads); verbose turns every level on.
void setupLogging(bool verbose);

// Qt's HTTP layer, when a server dies with several requests on its
// connections, reports the end of one reply twice from its own thread (the
// second report is ignored by the reply itself) and prints an internal
// warning each time. The reply's end is handled once here and the user is
// told once; that line says nothing to a user and is dropped. Every other
// message goes where it went before.
void dropQtNetworkNoise();

}  // namespace kavalo
