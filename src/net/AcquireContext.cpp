// SPDX-License-Identifier: MIT
#include "net/AcquireContext.h"

#include "net/Network.h"

namespace kavalo {

NetAccess programNetAccess() {
  NetAccess net;
  net.fetchImage = [](const QString& url, const ImageRule& rule) {
    TransferRequest request;
    request.url = QUrl(url);
    request.kind = BodyKind::Image;
    request.image = rule;
    return runTransfer(request);
  };
  net.reachable = [](const QString& url) { return UrlReachable(url); };
  return net;
}

bool RequestCounts::add(const QString& url, const TransferResult& result) {
  switch (result.outcome) {
    case TransferOutcome::Ok:
      ++answered;
      return true;
    case TransferOutcome::Absent:
      ++absent;
      return true;
    case TransferOutcome::Aborted:
      ++cancelled;
      return true;
    default:
      if (failed++ == 0) firstFailure = result.describe(QUrl(url));
      return false;
  }
}

}  // namespace kavalo
