// SPDX-License-Identifier: MIT
#include "elevation/Credits.h"

#include <cmath>

#include "model/EraSources.h"
#include "model/Settings.h"
#include "model/XyzEras.h"
#include "platform/Numbers.h"

namespace kavalo {

namespace {

const QString kApprovalNumber = QStringLiteral("承認番号");     // stored
const QString kOpeningBrackets = QStringLiteral("（(【[「〔");  // stored
const QString kClosingBrackets = QStringLiteral("）)】]」〕");  // stored

// The agency changed its base map in 2011: eras fetched from then on come
// from the new map and its web system.
constexpr int kNewAgencyMapYear = 2011;

}  // namespace

QString elevationCreditText() {
  // clang-format off
  return QStringLiteral(
      "この地図の作成にあたっては、国土地理院長の承認を得て、同院発行の数値地図50mメッシュ（標高）を使用したものである"  // stored
      "。");  // stored
  // clang-format on
}

// The agency's wording, with its half-width "､" and "｡" as it asks for them. The
// credits are the wording the sources ask for, in every language alike.
QString webSystemCreditText() {
  return QStringLiteral(
      "この背景地図等データは\uFF64国土地理院の電子国土Webシステムから配信されたものである\uFF61");  // stored
}

QString programCreditText() { return versionCaption(); }

QString approvalTail(const QString& approval) {
  const qsizetype at = approval.indexOf(kApprovalNumber);
  // No approval number: nothing of the dataset's approval belongs under
  // the elevation credit.
  if (at < 0) return {};
  // The text is the number alone.
  if (at == 0) return approval;
  // "…である。（承認番号 平20業複、第1号）": the bracketed number, from its
  // opening bracket, even when blanks stand between the bracket and the
  // words.
  const QString trimmed = approval.trimmed();
  if (!trimmed.isEmpty() && kClosingBrackets.contains(trimmed.back())) {
    qsizetype i = at - 1;
    while (i > 0 && approval[i].isSpace()) --i;
    if (kOpeningBrackets.contains(approval[i])) return approval.mid(i);
  }
  return approval.mid(at - 1);
}

int eraAcquiredYear(const Era& era) {
  const double year = leadingNumber(era.acquiredText.left(4));
  return static_cast<int>(std::floor(year));
}

QString usersCreditText(const Era& era) {
  if (!era.attribution.trimmed().isEmpty()) return era.attribution;
  // A hand-edited list that lost the credit still says where the tiles
  // came from.
  const QString host = xyzServiceHost(era.origin);
  return host.isEmpty() ? era.origin : host;
}

CreditLines creditLines(const Era& era, const QString& approval, bool elevationShown) {
  CreditLines lines;
  switch (eraSource(era).credit) {
    case EraCreditStyle::AgencyMap:
      if (elevationShown) {
        lines[0] = elevationCreditText();
        lines[1] = approvalTail(approval);
      }
      lines[2] = eraAcquiredYear(era) >= kNewAgencyMapYear
                     ? QStringLiteral("国土地理院：電子国土基本図（地図情報）")  // stored
                     : QStringLiteral("国土地理院：ウォッちず");                 // stored
      lines[3] = webSystemCreditText();
      break;
    case EraCreditStyle::AirPhoto:
      if (eraAcquiredYear(era) >= kNewAgencyMapYear) {
        // Period codes 4 and 5 are the photos taken after the 2011 earthquake.
        lines[1] = (era.periodCode == 4 || era.periodCode == 5)
                       ? QStringLiteral("国土地理院：東日本大震災被災地周辺空中写真")  // stored
                       : QStringLiteral("国土地理院：国土画像情報");                   // stored
        lines[2] = webSystemCreditText();
      } else {
        lines[2] = QStringLiteral("国土数値情報：オルソ化空中写真閲覧ダウンロードシステム");  // stored
      }
      break;
    case EraCreditStyle::RapidSurvey:
      lines[1] = QStringLiteral("歴史的農業環境閲覧システム");  // stored
      lines[2] = QStringLiteral("(C)農業環境技術研究所");       // stored
      break;
    case EraCreditStyle::AgencyOrtho:
      lines[1] = QStringLiteral("国土地理院：電子国土基本図（オルソ画像）");  // stored
      lines[2] = webSystemCreditText();
      break;
    case EraCreditStyle::UsersCreditOnMap:
      // A map of the user's source over the elevation colours: the grid's
      // credit stays, and the source is named instead of the agency's map.
      if (elevationShown) {
        lines[0] = elevationCreditText();
        lines[1] = approvalTail(approval);
      }
      lines[2] = usersCreditText(era);
      break;
    case EraCreditStyle::UsersCreditOnPhoto:
      lines[1] = usersCreditText(era);
      break;
    case EraCreditStyle::DatasetApproval: {
      // The dataset's own sheets: its approval text over two lines, the
      // longer half second.
      qsizetype half = approval.size() / 2;
      // Never between the two halves of a character outside the basic plane.
      if (half > 0 && approval[half - 1].isHighSurrogate()) ++half;
      lines[0] = approval.left(half);
      lines[1] = approval.mid(half);
      lines[2] = programCreditText();
      break;
    }
  }
  return lines;
}

}  // namespace kavalo
