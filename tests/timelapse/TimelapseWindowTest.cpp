// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/frmSCR.h"
#include "output/frmOutput.h"
#include "output/frmTimelapse.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"
#include "timelapse/FilmFixture.h"
#include "timelapse/FilmReaders.h"

using namespace kavalo;
using kavalo::test::FilmFixture;

TEST(TimelapseForm, ErasWithoutAMapAreGreyedAndTheChoiceBecomesTheOptions) {
  FilmFixture f;
  frmTimelapse form(f.state, f.prompts, f.view());
  ASSERT_EQ(form.lstEras->count(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(form.lstEras->item(i)->checkState(), Qt::Checked) << i;
  EXPECT_FALSE(form.lstEras->item(3)->flags() & Qt::ItemIsEnabled);
  EXPECT_TRUE(form.lstEras->item(3)->text().contains("地図なし"));
  form.lstEras->item(1)->setCheckState(Qt::Unchecked);
  form.dblSeconds->setValue(1.5);
  form.dblFade->setValue(0.5);
  form.cboLabelCorner->setCurrentIndex(3);
  form.cboSize->setCurrentIndex(3);
  form.optFilm[1]->click();
  EXPECT_FALSE(form.chkLossless->isEnabled());
  const TimelapseOptions o = form.options();
  EXPECT_EQ(o.eras, (std::vector<int>{0, 2}));
  EXPECT_EQ(o.seconds, 1.5);
  EXPECT_EQ(o.fade, 0.5);
  EXPECT_EQ(o.corner, LabelCorner::BottomRight);
  EXPECT_EQ(o.size, QSize(1080, 1080));
  EXPECT_EQ(o.format, FilmFormat::Gif);
  // Without a file nothing is made.
  form.cmdOK->click();
  EXPECT_EQ(f.prompts.messages().value(0), "保存ファイルを指定してください。");
}

TEST(TimelapseForm, CancelInTheProgressLeavesNothingAndKeepsTheDialog) {
  FilmFixture f;
  frmTimelapse form(f.state, f.prompts, f.view());
  f.prompts.chooseFile(f.file("c.webp"));
  form.optFilm[0]->click();
  form.cmdFilesave->click();
  form.progress = [](int done, int) { return done < 5; };
  form.cmdOK->click();
  EXPECT_EQ(form.lastResult().outcome, TimelapseOutcome::Cancelled);
  EXPECT_TRUE(f.prompts.messages().isEmpty());
  EXPECT_TRUE(f.leftFiles().isEmpty());
  EXPECT_NE(form.result(), QDialog::Accepted);
}

TEST(TimelapseWindow, TheExportButtonOffersTheFilm) {
  test::RootFixture root;
  ScriptedPrompts prompts;
  ScreenInfo screen;
  QTemporaryDir out;
  root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
  test::DatasetFixture d;
  d.folder = root.path(QStringLiteral("a"));
  d.write();
  for (const char* era : {"E1900", "E1930"})
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col)
        test::writeSolidImage(d.folder + QStringLiteral("/%1/%2_%3.png")
                                             .arg(QString::fromLatin1(era))
                                             .arg(col, 3, 10, QChar(u'0'))
                                             .arg(row, 3, 10, QChar(u'0')),
                              100, 80, era[2] == '9' && era[3] == '0' ? QColor(Qt::darkGreen) : QColor(Qt::darkRed));
  auto w = std::make_unique<frmSCR>(root.root(), screen, prompts);
  w->Form_Load();
  w->show();
  prompts.answer(false);  // do not open the film
  bool filmShown = false;
  w->outputFormRunner = [&](QDialog& dialog) {
    auto& output = dynamic_cast<frmOutput&>(dialog);
    output.filmFormRunner = [&](QDialog& filmDialog) {
      auto& film = dynamic_cast<frmTimelapse&>(filmDialog);
      filmShown = true;
      film.optFilm[0]->click();
      film.chkLossless->setChecked(true);
      prompts.chooseFile(out.path() + "/w.webp");
      film.cmdFilesave->click();
      film.cmdOK->click();
    };
    output.cmdTimelapse->click();
  };
  w->cnmdKML->click();
  EXPECT_TRUE(filmShown);
  const test::DecodedFilm film = test::readWebpFilm(out.path() + "/w.webp");
  ASSERT_TRUE(film.ok) << film.error.toStdString() << prompts.messages().join('\n').toStdString();
  // Both eras of the data folder, 2 s each, the window's view size.
  ASSERT_EQ(film.frames.size(), 2u);
  EXPECT_EQ(film.frames[0].durationMs, 2000);
  EXPECT_EQ(film.size, QSize(w->viewPicture().width(), w->viewPicture().height()));
  w->Form_Unload();
}
