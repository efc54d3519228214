// The Qt platform's services: stored settings, the main queue, the open panel, alerts and
// standard output.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <thread>

#include "SceneFixture.h"
#include "qt/AlertBox.h"
#include "qt/OpenPanel.h"
#include "qt/QtPlatform.h"
#include "qt/QtUserDefaults.h"

namespace molbench::qttest {
namespace {

TEST(QtUserDefaults, KeepsAbsentAndEmptyApartAndStoresTextExactly) {
  ScopedConfigHome home;
  qt::QtUserDefaults defaults;
  EXPECT_EQ(defaults.stringForKey("pathToobabel"), std::nullopt);
  defaults.set("pathToobabel", "");
  EXPECT_EQ(defaults.stringForKey("pathToobabel"), "");

  for (const std::string value :
       {"  /usr/bin/obabel  ", "Need Path", "/opt/a,b;c/obabel", "\"quoted\" \\back\\slash",
        "@Variant(x)", "#not a comment", "ünïcødé/öbabel", "two\nlines", "key=value"}) {
    defaults.set("pathToobabel", value);
    EXPECT_EQ(qt::QtUserDefaults().stringForKey("pathToobabel"), value);
  }
  EXPECT_TRUE(std::filesystem::exists(home.configHome() + "/Molbench/Molbench.conf"));
  defaults.remove("pathToobabel");
  EXPECT_EQ(defaults.stringForKey("pathToobabel"), std::nullopt);
}

TEST(QtUserDefaults, SaysSoWhenTheSettingsCannotBeWritten) {
  ScopedConfigHome home;
  // A folder where the file belongs defeats even root.
  std::filesystem::create_directories(home.configHome() + "/Molbench/Molbench.conf");
  std::vector<std::string> reports;
  qt::QtUserDefaults defaults([&](const std::string& line) { reports.push_back(line); });
  defaults.set("pathToobabel", "/usr/bin/obabel");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Molbench.conf"), std::string::npos);
}

TEST(QtMainQueue, RunsWorkFromOtherThreadsOnTheMainThreadInOrder) {
  qt::QtMainQueue queue;
  std::vector<int> order;
  std::vector<std::thread::id> threads;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i)
      queue.async([&, i] {
        order.push_back(i);
        threads.push_back(std::this_thread::get_id());
      });
  });
  worker.join();
  ASSERT_TRUE(waitUntil([&] { return order.size() == 3; }));
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  for (auto id : threads) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST(QtPlatform, WritesEachDiagnosticAsOneLineOnStandardOutput) {
  qt::QtPlatform platform;
  testing::internal::CaptureStdout();
  platform.diagnostic("Need obabel Path");
  platform.diagnostic("");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Need obabel Path\n\n");
}

class OpenPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = home_.folder() + "/data dir";
    std::filesystem::create_directories(folder_ + "/inner");
    std::ofstream(folder_ + "/egfr.sdf") << "x";
    request_.title = "Choose input file";
    request_.allowedFileTypes = std::vector<std::string>{"sdf", "mol"};
  }
  // Runs the panel and, once it shows, types the text into its name field and presses Open.
  std::optional<std::string> chooseTyping(const std::string& typed) {
    whenIdle([typed] {
      auto* panel = qobject_cast<qt::OpenPanel*>(QApplication::activeModalWidget());
      if (!panel) return;
      panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
          ->setText(QString::fromStdString(typed));
      panel->accept();
      if (panel->isVisible()) panel->reject();
    });
    return qt::OpenPanel::run(request_);
  }

  ScopedConfigHome home_;
  std::string folder_;
  platform::OpenPanelRequest request_;
};

TEST_F(OpenPanelTest, IsSetUpFromTheRequest) {
  qt::OpenPanel panel(request_);
  EXPECT_EQ(panel.windowTitle(), "Choose input file");
  EXPECT_TRUE(panel.testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_FALSE(panel.testOption(QFileDialog::ReadOnly));  // folders may be created
  EXPECT_EQ(panel.fileMode(), QFileDialog::ExistingFile);
  EXPECT_FALSE(panel.filter() & QDir::Hidden);
  EXPECT_TRUE(panel.filter() & QDir::AllDirs);  // folders show whatever the name filter
  EXPECT_EQ(panel.nameFilters(), QStringList{"Allowed files (*.sdf *.mol)"});
  request_.allowedFileTypes.reset();
  EXPECT_EQ(qt::OpenPanel(request_).nameFilters(), QStringList{"All Files (*)"});
}

TEST_F(OpenPanelTest, ChoosesAFileOrAFolderAndCancelChoosesNothing) {
  EXPECT_EQ(chooseTyping(folder_ + "/egfr.sdf"), folder_ + "/egfr.sdf");
  EXPECT_EQ(chooseTyping(folder_ + "/inner/"), folder_ + "/inner");
  whenIdle([] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(qt::OpenPanel::run(request_), std::nullopt);
}

platform::AlertRequest missingPathAlert() {
  return {"You must add path to Openbabel in the preferences",
          "You can find the path by typing which obabel in a Terminal window",
          platform::AlertStyle::Warning,
          {"OK", "Cancel"}};
}

// Answers the next modal message box by the given means, once it shows.
int answerAlert(const platform::AlertRequest& request, std::function<void(QMessageBox*)> answer) {
  whenIdle([answer] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) answer(box);
  });
  return qt::runAlertBox(request);
}

TEST(AlertBox, ShowsTheRequestWithButtonsInOrderAndTheFirstAsDefault) {
  auto box = qt::makeAlertBox(missingPathAlert());
  EXPECT_EQ(box->icon(), QMessageBox::Warning);
  EXPECT_EQ(box->text().toStdString(), missingPathAlert().messageText);
  EXPECT_EQ(box->informativeText().toStdString(), missingPathAlert().informativeText);
  box->show();
  auto buttons = box->findChildren<QPushButton*>();
  std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) {
    return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
  });
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_EQ(buttons[0]->text(), "OK");
  EXPECT_EQ(buttons[1]->text(), "Cancel");
  EXPECT_EQ(box->defaultButton(), buttons[0]);

  auto request = missingPathAlert();
  request.style = platform::AlertStyle::Critical;
  EXPECT_EQ(qt::makeAlertBox(request)->icon(), QMessageBox::Critical);
  request.style = platform::AlertStyle::Informational;
  EXPECT_EQ(qt::makeAlertBox(request)->icon(), QMessageBox::Information);
}

TEST(AlertBox, AnswersTheIndexOfThePressedButton) {
  auto clickTitled = [](const char* title) {
    return [title](QMessageBox* box) {
      for (auto* button : box->buttons())
        if (button->text() == title) button->click();
    };
  };
  auto press = [](Qt::Key key) {
    return [key](QMessageBox* box) {
      QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(box, &event);
    };
  };
  EXPECT_EQ(answerAlert(missingPathAlert(), clickTitled("Cancel")), 1);
  EXPECT_EQ(answerAlert(missingPathAlert(), clickTitled("OK")), 0);
  EXPECT_EQ(answerAlert(missingPathAlert(), press(Qt::Key_Escape)), 1);
  EXPECT_EQ(answerAlert(missingPathAlert(), press(Qt::Key_Return)), 0);
}

}  // namespace
}  // namespace molbench::qttest
