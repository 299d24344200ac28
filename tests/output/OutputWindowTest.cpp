// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "app/frmSCR.h"
#include "output/frmOutput.h"
#include "output/frmPrinter.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// A shown main window over a data folder of two eras, the view on the second.
struct OutputWindow {
  test::RootFixture root;
  ScriptedPrompts prompts;
  ScreenInfo screen;
  QTemporaryDir out;
  std::unique_ptr<frmSCR> w;

  OutputWindow() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->cboAge->setCurrentIndex(1);
  }
  ~OutputWindow() { w->Form_Unload(); }
};

}  // namespace

TEST(OutputWindow, ExportComposesEachEraAsideAndLeavesTheViewAlone) {
  OutputWindow f;
  ASSERT_EQ(f.w->state().view.eraIndex, 1);
  const int before = f.w->compositionCount();
  const QImage shown = f.w->viewPicture().copy();
  f.prompts.answer(false);  // do not open the page
  f.w->outputFormRunner = [&](QDialog& dialog) {
    auto& form = dynamic_cast<frmOutput&>(dialog);
    f.prompts.chooseFile(f.out.path() + "/w.html");
    form.cmdFilesave->click();
    form.cmdOK->click();
  };
  f.w->cnmdKML->click();
  // The window's view never showed another era.
  EXPECT_EQ(f.w->compositionCount(), before);
  EXPECT_EQ(f.w->state().view.eraIndex, 1);
  EXPECT_EQ(f.w->viewPicture(), shown);
  EXPECT_EQ(QDir(f.out.path()).entryList(QDir::Files), QStringList({"w.html", "w0.png", "w1.png"}));
}

TEST(OutputWindow, PrintingToPdfRunsThePrintPassAfterTheDialog) {
  OutputWindow f;
  const QString pdf = f.out.path() + "/w.pdf";
  bool cancel = true;
  f.w->outputFormRunner = [&](QDialog& dialog) {
    auto& form = dynamic_cast<frmPrinter&>(dialog);
    form.cboPrinter->setCurrentIndex(form.cboPrinter->count() - 1);
    form.cboPrinter_Click();
    f.prompts.chooseFile(pdf);
    if (cancel)
      form.Command2->click();
    else
      form.cmdPrintGo->click();
  };
  f.w->cmdPrintOut->click();
  EXPECT_FALSE(QFile::exists(pdf));
  cancel = false;
  f.w->cmdPrintOut->click();
  EXPECT_TRUE(test::readBytes(pdf).startsWith("%PDF"));
  EXPECT_TRUE(f.prompts.messages().isEmpty());
  EXPECT_EQ(f.prompts.waitDepth, 0);
}
