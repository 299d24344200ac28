// SPDX-License-Identifier: MIT
// A web folder written by kavalo-cli publish, served under /kavalo/ as any
// static web server would serve it: files as they are, nothing built. Its
// server list names the mirrors it was published for, so publish it for
// this server's address (sample-server prints it), e.g.
//   kavalo-cli publish --root R --mirror http://127.0.0.1:8080/kavalo/ -o WEB
//   sample-server --port 8080 --web-folder WEB
#include <httplib.h>

#include <QFileInfo>

#include "SampleServer.h"

namespace sampleserver {

namespace {

bool installPublishedFolder(httplib::Server& http, ServerContext& context, QString* error) {
  if (context.publishedFolder.isEmpty()) return true;
  if (!QFileInfo::exists(context.publishedFolder + QStringLiteral("/servercheck.txt"))) {
    *error = QStringLiteral("%1 is no published web folder (it has no servercheck.txt)").arg(context.publishedFolder);
    return false;
  }
  // Packages and lists are served as the bytes they are.
  http.set_file_extension_and_mimetype_mapping("zip", "application/zip");
  http.set_file_extension_and_mimetype_mapping("txt", "text/plain");
  if (!http.set_mount_point("/kavalo", context.publishedFolder.toStdString())) {
    *error = QStringLiteral("cannot serve %1").arg(context.publishedFolder);
    return false;
  }
  context.environment.push_back(QStringLiteral("KAVALO_WEB_BASE=%1/kavalo/").arg(context.origin()));
  return true;
}

const EndpointRegistration kPublishedFolder("published-folder", &installPublishedFolder);

}  // namespace

}  // namespace sampleserver
