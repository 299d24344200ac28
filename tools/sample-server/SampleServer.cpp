// SPDX-License-Identifier: MIT
#include "SampleServer.h"

#include <algorithm>

namespace sampleserver {

namespace {
std::vector<std::pair<QString, EndpointInstaller>>& registry() {
  static std::vector<std::pair<QString, EndpointInstaller>> r;
  return r;
}
}  // namespace

EndpointRegistration::EndpointRegistration(const char* name, EndpointInstaller installer) {
  registry().emplace_back(QString::fromUtf8(name), installer);
}

std::vector<std::pair<QString, EndpointInstaller>> registeredEndpoints() {
  auto list = registry();
  std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return list;
}

}  // namespace sampleserver
