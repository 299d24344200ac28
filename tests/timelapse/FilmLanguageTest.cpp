// SPDX-License-Identifier: MIT
// A film made under the Japanese and under the English interface: the same
// pictures frame for frame, but for the era's label burned into its corner,
// which is the era list's label of the language shown.
#include <gtest/gtest.h>

#include <memory>

#include "FilmFixture.h"
#include "FilmReaders.h"
#include "output/JapaneseText.h"
#include "support/InstalledCatalogue.h"

using namespace kavalo;

TEST(FilmLanguage, OnlyTheLabelFollowsTheLanguage) {
  test::FilmFixture f;
  test::DecodedFilm films[2];
  QStringList labels[2];
  for (int l = 0; l < 2; ++l) {
    std::unique_ptr<test::InstalledCatalogue> english;
    if (l == 1) {
      english = std::make_unique<test::InstalledCatalogue>(QStringLiteral("en"));
      ASSERT_TRUE(english->installed()) << english->error().toStdString();
    }
    TimelapseOptions o = f.film(FilmFormat::Webp, QStringLiteral("film%1.webp").arg(l), {0, 1, 2});
    o.lossless = true;
    const TimelapseResult r = f.make(o);
    ASSERT_EQ(r.outcome, TimelapseOutcome::Done) << r.error.toStdString();
    labels[l] = r.eras;
    if (english)
      for (const QString& label : labels[l]) EXPECT_FALSE(test::hasJapanese(label)) << label.toStdString();
    EXPECT_EQ(labels[l], QStringList({f.label(0), f.label(1), f.label(2)}));
    films[l] = test::readWebpFilm(o.path);
    ASSERT_TRUE(films[l].ok) << films[l].error.toStdString();
  }
  ASSERT_EQ(films[0].frames.size(), films[1].frames.size());
  ASSERT_EQ(films[0].frames.size(), 3u);  // one still frame per era, no fade
  for (size_t i = 0; i < films[0].frames.size(); ++i) {
    const QImage& a = films[0].frames[i].picture;
    const QImage& b = films[1].frames[i].picture;
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(films[0].frames[i].durationMs, films[1].frames[i].durationMs);
    // Where either label stands, the frames may differ; nowhere else.
    const QRect labelBox = filmLabelRect(a.size(), labels[0][static_cast<int>(i)], LabelCorner::TopLeft) |
                           filmLabelRect(a.size(), labels[1][static_cast<int>(i)], LabelCorner::TopLeft);
    ASSERT_FALSE(labelBox.isEmpty());
    int outside = 0;
    bool inside = false;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) {
        const bool same = a.pixel(x, y) == b.pixel(x, y);
        if (labelBox.contains(x, y))
          inside |= !same;
        else
          outside += !same;
      }
    EXPECT_EQ(outside, 0) << i;
    EXPECT_EQ(inside, labels[0][static_cast<int>(i)] != labels[1][static_cast<int>(i)]) << i;
  }
}
