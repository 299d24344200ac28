// SPDX-License-Identifier: MIT
// Links to the web map: the fragment the page reads and writes, the address
// the data folder keeps, and the zoom converted between the window's
// percentage and the web map's level.
#include <gtest/gtest.h>

#include <cmath>

#include "WebMapFixture.h"
#include "output/WebMapLink.h"
#include "output/WebTileGrid.h"

using namespace kavalo;

TEST(WebMapLink, TheFragmentNamesTheViewAndReadsBack) {
  struct Case {
    WebViewLink link;
    QString fragment;
  } cases[] = {
      {{"E1900", 35.5, 139.25, 14.0, {}, {}, 0.5}, "era=E1900&lat=35.5000000&lon=139.2500000&zoom=14.00"},
      {{"E1900", -0.125, -70.5, 12.347, "E1930", "swipe", 0.25},
       "era=E1900&lat=-0.1250000&lon=-70.5000000&zoom=12.35&compare=E1930&mode=swipe&split=0.250"},
      // A comparison without a mode is side by side; only a swipe has a split.
      {{"E1900", 36, 139, 10, "E1930", {}, 0.25},
       "era=E1900&lat=36.0000000&lon=139.0000000&zoom=10.00&compare=E1930&mode=side"},
      // Folder names are percent-encoded in UTF-8.
      {{"古い図", 36, 139, 10, {}, {}, 0.5},
       "era=%E5%8F%A4%E3%81%84%E5%9B%B3&lat=36.0000000&lon=139.0000000&zoom=10.00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(webViewFragment(c.link), c.fragment);
    const QString url = buildWebMapLink(QStringLiteral("https://example.org/maps/d/"), c.link);
    EXPECT_EQ(url, QStringLiteral("https://example.org/maps/d/#") + c.fragment);
    const std::optional<WebViewLink> back = parseWebMapLink(url);
    ASSERT_TRUE(back) << url.toStdString();
    EXPECT_EQ(back->era, c.link.era);
    EXPECT_NEAR(back->lat, c.link.lat, 1e-7);
    EXPECT_NEAR(back->lon, c.link.lon, 1e-7);
    EXPECT_NEAR(back->zoom, c.link.zoom, 0.005);
    EXPECT_EQ(back->compare, c.link.compare);
  }
}

TEST(WebMapLink, ALinkWithoutAPlaceIsRefused) {
  for (const char* text : {"https://example.org/#era=E1900&lon=139&zoom=10", "#era=E1900&lat=91&lon=139&zoom=10",
                           "#lat=36&lon=181&zoom=10", "#lat=36&lon=139&zoom=abc", "#lat=36&lon=139&zoom=40",
                           "#lat=nan&lon=139&zoom=4", ""})
    EXPECT_FALSE(parseWebMapLink(QString::fromUtf8(text))) << text;
  // A split beyond the map is left at the middle.
  EXPECT_EQ(parseWebMapLink(QStringLiteral("#lat=36&lon=139&zoom=4&mode=swipe&split=7"))->split, 0.5);
}

TEST(WebMapLink, TheDataFolderKeepsOnlyAWebAddress) {
  test::WebMapFixture f;
  const QString file = f.data.folder + QStringLiteral("/web_map.txt");
  struct Case {
    QByteArray content;
    QString read;
  } cases[] = {
      {"https://example.org/maps/d/\r\n", "https://example.org/maps/d/"},
      {"http://host:8080/k/maps/d\n", "http://host:8080/k/maps/d/"},  // the ending slash is added
      {"file:///etc/passwd\n", ""},
      {"javascript:alert(1)\n", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    test::writeBytes(file, c.content);
    EXPECT_EQ(readWebMapAddress(f.data.folder), c.read) << c.content.constData();
  }
  QString error;
  ASSERT_TRUE(writeWebMapAddress(f.data.folder, QStringLiteral("https://a.example/maps/d/"), &error));
  EXPECT_EQ(readWebMapAddress(f.data.folder), QStringLiteral("https://a.example/maps/d/"));
}

TEST(WebMapLink, TheWindowsViewAndTheWebViewMeetAtTheSameScale) {
  test::WebMapFixture f;
  ASSERT_TRUE(f.load());
  const double z100 = webZoomAt100(f.state.mapInfo, kDefaultMmPerScreenPx);
  for (int percent : {50, 100, 150, 400}) {
    ViewLink view;
    view.era = QStringLiteral("E1930");
    view.lat = 35.9;
    view.lon = 139.1;
    view.zoom = percent;
    const WebViewLink web = webLinkFromViewLink(f.state, view);
    EXPECT_NEAR(web.zoom, z100 + std::log2(percent / 100.0), 1e-9);
    const ViewLink back = viewLinkFromWebLink(f.state, web);
    EXPECT_EQ(back.zoom, percent);
    EXPECT_EQ(back.era, view.era);
    EXPECT_EQ(back.dataset, QStringLiteral("d"));
    EXPECT_DOUBLE_EQ(back.lat, view.lat);
  }
  // Without a published address there is no web link to offer.
  EXPECT_TRUE(currentWebMapLink(f.state).isEmpty());
  ASSERT_TRUE(writeWebMapAddress(f.data.folder, QStringLiteral("https://a.example/maps/d/"), nullptr));
  const QString link = currentWebMapLink(f.state);
  EXPECT_TRUE(link.startsWith(QStringLiteral("https://a.example/maps/d/#era="))) << link.toStdString();
  ASSERT_TRUE(parseWebMapLink(link));
  EXPECT_NEAR(parseWebMapLink(link)->zoom, webZoomForPercent(f.state.view.zoomPercent, z100), 0.005);
}
