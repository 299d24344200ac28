// SPDX-License-Identifier: MIT
// The download server list and the package count, as a server sends them.
#include "FuzzSupport.h"
#include "net/PackageDownload.h"
#include "platform/Codec.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(server_list) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString text = fromSjis(bytes);
  const std::vector<DownloadServer> servers = ParseServerList(text);
  FUZZ_CHECK(static_cast<qsizetype>(servers.size()) <= text.count(u'\n') + text.count(u'\r') + 1);
  for (int i = 0; i < static_cast<int>(servers.size()); ++i) {
    for (const QString& d : servers[static_cast<size_t>(i)].datasets) FUZZ_CHECK(ServerHoldsDataset(servers, i, d));
  }
  const int count = ParsePackageCount(text);
  FUZZ_CHECK(count == -1 || (count >= 0 && count <= kMaxPackages));
  return 0;
}
