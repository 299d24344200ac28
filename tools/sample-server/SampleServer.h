// SPDX-License-Identifier: MIT
#pragma once
// The sample server plays, on 127.0.0.1, the outside services the program
// talks to, with the data of the sample region. Each service lives in its own
// file and registers an installer:
//
//   namespace {
//   bool installMine(httplib::Server& http, sampleserver::ServerContext& context, QString* error) {
//     http.Get("/mine/index.html", ...);
//     return true;
//   }
//   const sampleserver::EndpointRegistration kMine("mine", &installMine);
//   }  // namespace
//
// Installers run once at start, in the order of their names, after the
// complete region has been generated; a false result stops the server with
// the error.
#include <QString>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

namespace sampleserver {

struct ServerContext {
  QString regionRoot;  // a RootFolder holding the complete sample region
  QString workFolder;  // scratch space for files built at start, removed at exit
  // A web folder written by kavalo-cli publish, served as it stands under
  // /kavalo/ instead of the one built from the region (empty: none).
  QString publishedFolder;
  int port = 0;
  // "http://127.0.0.1:PORT" (no trailing "/")
  QString origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }
  // Lines printed at start, telling how to point the program at each service
  // ("KAVALO_WEB_BASE=http://…/kavalo/").
  std::vector<QString> environment;
};

using EndpointInstaller = bool (*)(httplib::Server& http, ServerContext& context, QString* error);

struct EndpointRegistration {
  EndpointRegistration(const char* name, EndpointInstaller installer);
};

// Every registered installer, sorted by name.
std::vector<std::pair<QString, EndpointInstaller>> registeredEndpoints();

}  // namespace sampleserver
