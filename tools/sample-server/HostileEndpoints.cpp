// SPDX-License-Identifier: MIT
// Every service of the sample server again, played by a server that means
// harm: /hostile/<behaviour>/<any path of this server> answers as the path
// would, but misbehaves on images (tiles, pieces, map cells) and packages.
// A behaviour ending in "-all" misbehaves on every answer (text files and
// pages too). The server list under a prefix names the mirrors under the
// same prefix, so a package run meets the behaviour at its packages.
//
//   endless      the body, then the body again, without end (chunked)
//   endless-length  the same under a Content-Length of 64 GiB
//   trickle      the body one byte every 15 s
//   stall        the first 100 bytes, then nothing
//   chunk-cut    a third of the body in one chunk, then the connection closes
//   length-cut   a third of the body under the whole body's Content-Length
//   truncated    a third of the body, sent as if whole
//   huge         an image: a valid PNG of 5790 x 5790 pixels (a few KB)
//   bomb         a package: eight entries of 400 MiB of zeros (a few MB)
//   503, 404, 410  that status
//
// For example KAVALO_XYZ=http://127.0.0.1:8080/hostile/truncated/xyz/photo/{z}/{x}/{y}.jpg
#include <httplib.h>
#include <zip.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "SampleServer.h"

namespace sampleserver {

namespace {

constexpr qint64 kBombEntryBytes = qint64(400) << 20;
constexpr int kBombEntries = 8;

struct Hostile {
  int port = 0;
  QString workFolder;
  std::mutex mutex;
  std::string hugePng;
  std::string bomb;
};

void appendChunk(std::string& out, const char* type, const std::string& data) {
  uchar length[4];
  qToBigEndian<quint32>(static_cast<quint32>(data.size()), length);
  out.append(reinterpret_cast<const char*>(length), 4);
  const std::string body = std::string(type, 4) + data;
  out += body;
  uchar crc[4];
  qToBigEndian<quint32>(
      static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))), crc);
  out.append(reinterpret_cast<const char*>(crc), 4);
}

// A PNG of one grey, its rows compressed as they are made.
std::string makeHugePng(int side) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header(13, '\0');
  qToBigEndian<quint32>(static_cast<quint32>(side), header.data());
  qToBigEndian<quint32>(static_cast<quint32>(side), header.data() + 4);
  header[8] = 8;
  appendChunk(png, "IHDR", header);
  z_stream z{};
  deflateInit(&z, 9);
  std::string row(static_cast<size_t>(side) + 1, char(200));
  row[0] = 0;
  std::string data, out(1 << 16, '\0');
  for (int y = 0; y <= side; ++y) {
    const bool last = y == side;
    z.next_in = last ? nullptr : reinterpret_cast<Bytef*>(row.data());
    z.avail_in = last ? 0 : static_cast<uInt>(row.size());
    int r = Z_OK;
    do {
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      r = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      data.append(out.data(), out.size() - z.avail_out);
    } while (z.avail_out == 0 || (last && r != Z_STREAM_END));
  }
  deflateEnd(&z);
  appendChunk(png, "IDAT", data);
  appendChunk(png, "IEND", std::string());
  return png;
}

// Zeros made as libzip reads them: the entries never exist in memory.
zip_int64_t zeros(void* state, void* data, zip_uint64_t length, zip_source_cmd_t cmd) {
  auto* left = static_cast<qint64*>(state);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      *left = kBombEntryBytes;
      return 0;
    case ZIP_SOURCE_READ: {
      const zip_uint64_t n = std::min<zip_uint64_t>(length, static_cast<zip_uint64_t>(*left));
      std::memset(data, 0, n);
      *left -= static_cast<qint64>(n);
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->size = static_cast<zip_uint64_t>(kBombEntryBytes);
      st->valid |= ZIP_STAT_SIZE;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_FREE:
      delete left;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_FREE, ZIP_SOURCE_ERROR, -1);
    default:
      return -1;
  }
}

std::string makeBomb(const QString& folder) {
  QDir().mkpath(folder);
  const QString path = folder + QStringLiteral("/bomb.zip");
  int code = 0;
  zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!z) return {};
  for (int i = 0; i < kBombEntries; ++i) {
    zip_source_t* src = zip_source_function(z, zeros, new qint64(0));
    const std::string name = QStringLiteral("%1_000.png").arg(i, 3, 10, QChar(u'0')).toStdString();
    const zip_int64_t index = zip_file_add(z, name.c_str(), src, ZIP_FL_ENC_UTF_8);
    if (index >= 0) zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
  }
  zip_close(z);
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

bool isBody(const std::string& path) {
  for (const char* end : {".png", ".jpg", ".zip"})
    if (path.size() >= std::strlen(end) && path.compare(path.size() - std::strlen(end), std::string::npos, end) == 0)
      return true;
  return path.find("/service/wms") != std::string::npos;
}

void sleepFor(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void misbehave(Hostile& h, const std::string& how, const std::string& path, std::string body, std::string type,
               httplib::Response& res) {
  const bool image = path.find(".zip") == std::string::npos;
  if (how == "503" || how == "404" || how == "410") {
    res.status = std::stoi(how);
    return;
  }
  if (how == "huge" && image) {
    std::lock_guard<std::mutex> lock(h.mutex);
    if (h.hugePng.empty()) h.hugePng = makeHugePng(5790);
    body = h.hugePng;
    type = "image/png";
  } else if (how == "bomb" && !image) {
    std::lock_guard<std::mutex> lock(h.mutex);
    if (h.bomb.empty()) h.bomb = makeBomb(h.workFolder + QStringLiteral("/hostile"));
    body = h.bomb;
  }
  if (body.empty()) body.assign(4096, 'x');
  auto shared = std::make_shared<std::string>(std::move(body));
  if (how == "endless" || how == "endless-length") {
    auto more = [shared](httplib::DataSink& sink) { return sink.write(shared->data(), shared->size()); };
    if (how == "endless")
      res.set_chunked_content_provider(type, [more](size_t, httplib::DataSink& sink) { return more(sink); });
    else
      res.set_content_provider(size_t(64) << 30, type,
                               [more](size_t, size_t, httplib::DataSink& sink) { return more(sink); });
  } else if (how == "trickle") {
    res.set_content_provider(shared->size(), type, [shared](size_t offset, size_t, httplib::DataSink& sink) {
      sleepFor(15000);
      return sink.write(shared->data() + offset, 1);
    });
  } else if (how == "stall") {
    res.set_content_provider(shared->size(), type, [shared](size_t offset, size_t, httplib::DataSink& sink) {
      if (offset < 100) return sink.write(shared->data() + offset, std::min<size_t>(100, shared->size()) - offset);
      sleepFor(600000);
      return false;
    });
  } else if (how == "chunk-cut") {
    // Closed after the cut, not kept for another request.
    res.set_header("Connection", "close");
    res.set_chunked_content_provider(type, [shared](size_t offset, httplib::DataSink& sink) {
      if (offset == 0) return sink.write(shared->data(), shared->size() / 3);
      return false;  // closes without the last chunk
    });
  } else if (how == "length-cut") {
    res.set_header("Connection", "close");
    res.set_content_provider(shared->size(), type, [shared](size_t offset, size_t, httplib::DataSink& sink) {
      if (offset == 0) return sink.write(shared->data(), shared->size() / 3);
      return false;
    });
  } else if (how == "truncated") {
    res.set_content(shared->substr(0, shared->size() / 3), type);
  } else {
    res.set_content(*shared, type);
  }
}

bool installHostile(httplib::Server& http, ServerContext& context, QString* error) {
  auto h = std::make_shared<Hostile>();
  h->port = context.port;
  h->workFolder = context.workFolder;
  http.Get(R"(/hostile/([a-z0-9-]+)(/.*))", [h](const httplib::Request& req, httplib::Response& res) {
    std::string how = req.matches[1];
    const std::string path = req.matches[2];
    const bool all = how.size() > 4 && how.compare(how.size() - 4, 4, "-all") == 0;
    if (all) how.resize(how.size() - 4);
    // The answer the path has on this server, as the program would get it.
    // The request as it came (its query byte for byte), less the prefix.
    const std::string target = req.target.substr(std::string("/hostile/").size() + req.matches[1].length());
    httplib::Client self("127.0.0.1", h->port);
    const auto normal = self.Get(target);
    if (!normal) {
      res.status = 502;
      return;
    }
    std::string body = normal->body;
    const std::string type = normal->get_header_value("Content-Type");
    if (path.size() >= 26 && path.compare(path.size() - 26, 26, "download_serverlist210.txt") == 0) {
      // The mirrors of this server, under the same prefix.
      const std::string origin = "http://127.0.0.1:" + std::to_string(h->port) + "/";
      const std::string prefixed = origin + "hostile/" + std::string(req.matches[1]) + "/";
      for (size_t at = body.find(origin); at != std::string::npos; at = body.find(origin, at + prefixed.size()))
        body.replace(at, origin.size(), prefixed);
    }
    if (normal->status != 200 || (!all && !isBody(path))) {
      res.status = normal->status;
      res.set_content(body, type);
      return;
    }
    misbehave(*h, how, path, std::move(body), type, res);
  });
  context.environment.push_back(
      QStringLiteral("hostile answers: %1/hostile/<behaviour>/<path> (see HostileEndpoints.cpp)")
          .arg(context.origin()));
  (void)error;
  return true;
}

const EndpointRegistration kHostile("hostile", &installHostile);

}  // namespace

}  // namespace sampleserver
