// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli fetch-rapid-survey: the rapid-survey maps from the map service.
CommandSpec fetchRapidSurveyCommandSpec();
int runFetchRapidSurveyCommand(const QStringList& args);

}  // namespace kavalo
