// SPDX-License-Identifier: MIT
#pragma once
// The credit lines under the map: the terms under which the shown images and
// the elevation data are used, chosen by the kind of the shown era. Always
// four lines; unused ones are empty.
#include <QString>
#include <array>

#include "model/Era.h"

namespace kavalo {

using CreditLines = std::array<QString, 4>;

// The credit of the 50 m elevation grid.
QString elevationCreditText();
// The sentence the agency asks for under data delivered by its web system.
QString webSystemCreditText();
// The program's own line under the dataset's scanned sheets.
QString programCreditText();

// The approval number part of the dataset's approval text, which goes with
// the elevation credit: from the opening bracket that encloses "承認番号" when
// the text ends with that bracketed number, otherwise from the character just
// before "承認番号" to the end; the whole text when it begins with
// "承認番号"; empty when it names no approval number.
QString approvalTail(const QString& approval);

// The year of an era's acquisition: the number formed by the first four
// characters of its acquiredText (0 when they are no number).
int eraAcquiredYear(const Era& era);

// The credit of an era the user added: the attribution or credit the user
// gave (for a list edited by hand that lost it, the tile service's host).
QString usersCreditText(const Era& era);

// The four lines for an era. approval: the dataset's approval text;
// elevationShown: the elevation colouring is switched on.
CreditLines creditLines(const Era& era, const QString& approval, bool elevationShown);

}  // namespace kavalo
