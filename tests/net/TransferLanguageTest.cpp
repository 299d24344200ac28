// SPDX-License-Identifier: MIT
// The reasons a download failed, as the user reads them: in English with the
// English catalogue installed, in the Japanese of the source texts without
// it, the numbers and the address in their places either way.
#include <gtest/gtest.h>

#include <QUrl>

#include "net/Network.h"
#include "net/Transfer.h"
#include "support/InstalledCatalogue.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;

TEST(TransferLanguage, EachReasonReadsInTheLanguageShown) {
  LoopbackServer server;
  server.serve(QStringLiteral("/gone.txt"), "", 404);
  server.serve(QStringLiteral("/busy.txt"), "", 503);
  server.serve(QStringLiteral("/two.txt"), "ab");
  server.serve(QStringLiteral("/long.txt"), QByteArray(3000, 'x'));
  server.start();
  struct Case {
    QString url;
    qint64 maxBytes;
    const char* japanese;
    const char* english;
  };
  const std::vector<Case> cases = {
      {server.url("/gone.txt"), 0, ": サーバーにありません（HTTP 404）", ": not on the server (HTTP 404)"},
      {server.url("/busy.txt"), 0, ": サーバーが断りました（HTTP 503）", ": refused by the server (HTTP 503)"},
      // The counts of bytes take the English plural.
      {server.url("/two.txt"), 1, ": 大きすぎます（HTTP 200）、2バイトと告げられました（上限1バイト）",
       ": too large (HTTP 200), 2 bytes announced (limit 1 byte)"},
      {server.url("/long.txt"), 2, ": 大きすぎます（HTTP 200）、2 KiBと告げられました（上限2バイト）",
       ": too large (HTTP 200), 2 KiB announced (limit 2 bytes)"},
      {QStringLiteral("http://127.0.0.1:%1/x").arg(test::deadPort()), 0, ": 接続できません、接続を拒否されました",
       ": cannot connect, connection refused"},
      {QStringLiteral("ftp://127.0.0.1/x"), 0,
       ": ウェブのアドレスではありません、http と https のアドレスだけを使います",
       ": not a web address, only http and https addresses are used"},
  };
  // The reason is worded when the request fails: each language runs its own.
  auto reason = [](const Case& c) {
    return runTransfer({QUrl(c.url), BodyKind::Text, QString(), c.maxBytes, {}}).describe(QUrl(c.url)).toStdString();
  };
  for (const Case& c : cases) {
    EXPECT_EQ(reason(c), (c.url + QString::fromUtf8(c.japanese)).toStdString());
    {
      test::InstalledCatalogue english(QStringLiteral("en"));
      ASSERT_TRUE(english.installed()) << english.error().toStdString();
      EXPECT_EQ(reason(c), (c.url + QString::fromUtf8(c.english)).toStdString());
    }
    // The catalogue gone, the same failure reads as before.
    EXPECT_EQ(reason(c), (c.url + QString::fromUtf8(c.japanese)).toStdString());
  }
}
