// SPDX-License-Identifier: MIT
#pragma once
// The labels of eras: the period in Western years or Japanese era names, and
// the suffix of each source.
#include <QString>

#include "model/Era.h"

namespace kavalo {

// Era name and era year without padding: 1912 -> 大正1, 2019 -> 令和1.
QString JapaneseEraYear(int year);

// The period of an era in a label style (0 Western, 1 Japanese era names;
// any other style gives an empty text): 1974-78年, 昭和49-53年, 大正14-昭和2年.
// This is the form written into era files; show EraPeriodShown.
QString EraPeriodText(const Era& era, int style);

// The same period in the interface's language (identical in Japanese).
QString EraPeriodShown(const Era& era, int style);

// The period text followed by the suffix of the era's kind, as shown (in the
// interface's language; the user's own labels as they are).
QString Get_cboAge_Text(const Era& era, int style);

// Labels of the aerial-photo periods offered for download.
QString OrthoPeriodLabel(int periodCode);

}  // namespace kavalo
