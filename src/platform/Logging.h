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

}  // namespace kavalo
