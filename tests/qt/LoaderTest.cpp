// The layout loader and the adapters, driven through real widgets of a layout written here.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWebEngineView>
#include <fstream>
#include <thread>

#include "SceneFixture.h"
#include "platform/Bindings.h"
#include "platform/FileUrl.h"

namespace molbench::qttest {
namespace {

class ProbePane : public platform::BoundViewController<ProbePane> {
 public:
  using BoundViewController::BoundViewController;
  static const platform::Bindings<ProbePane>& bindings() {
    static const auto table = platform::Bindings<ProbePane>()
                                  .outlet("nameField", &ProbePane::nameField)
                                  .outlet("formats", &ProbePane::formats)
                                  .outlet("log", &ProbePane::log)
                                  .outlet("page", &ProbePane::page)
                                  .action("formatChosen:", &ProbePane::formatChosen, {"formats"});
    return table;
  }

  platform::Outlet<platform::TextField> nameField;
  platform::Outlet<platform::PopUpButton> formats;
  platform::Outlet<platform::TextView> log;
  platform::Outlet<platform::WebView> page;
  std::vector<platform::Control*> senders;  // one per action received
  void formatChosen(platform::Control* sender) { senders.push_back(sender); }
};

std::string item(const std::string& className, const std::string& name,
                 const std::string& properties = "") {
  return "<item><widget class=\"" + className + "\" name=\"" + name + "\">" + properties +
         "</widget></item>";
}

QByteArray layoutOf(const std::string& items) {
  return QByteArray::fromStdString(
      "<ui version=\"4.0\"><widget class=\"QWidget\" name=\"ProbePane\"><layout "
      "class=\"QVBoxLayout\" name=\"column\">" +
      items + "</layout></widget></ui>");
}

class Loader : public ::testing::Test {
 protected:
  void load(const std::string& items) {
    scene_.reset();  // its private folders go before the next scene's are made
    auto platform = std::make_unique<TestPlatform>();
    platform->addLayout("ProbePane", layoutOf(items));
    pane_ = std::make_shared<ProbePane>(*platform);
    pane_->setIdentifier("ProbePane");
    scene_ = std::make_unique<SceneFixture>(std::move(platform), pane_);
  }
  void SetUp() override {
    load(item("QLineEdit", "nameField") +
         item("QComboBox", "formats",
              "<property name=\"action\" stdset=\"0\"><string>formatChosen:</string></property>") +
         item("QPlainTextEdit", "log") + item("QWidget", "page"));
  }

  std::shared_ptr<ProbePane> pane_;
  std::unique_ptr<SceneFixture> scene_;
};

TEST_F(Loader, PutsAWebEngineViewThatReadsFilesBesideItsPageIntoThePlaceholder) {
  EXPECT_TRUE(scene_->platform().diagnostics().empty());
  auto* view = scene_->widgetAs<QWebEngineView>("page");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->parentWidget()->objectName(), "page");

  std::string folder = scene_->platform().temporaryDirectory();
  std::ofstream(folder + "/molecule.txt") << "benzene";
  std::ofstream(folder + "/page.htm")
      << "<html><body><script>var request = new XMLHttpRequest();"
         "request.onload = function() { document.title = request.responseText; };"
         "request.open('GET', 'molecule.txt'); request.send();</script></body></html>";
  pane_->page.get()->loadFileURL(platform::FileUrl::fromPath(folder + "/page.htm").absoluteString(),
                                 platform::FileUrl::fromPath(folder, true).absoluteString());
  EXPECT_TRUE(waitUntil([&] { return view->title() == "benzene"; }, std::chrono::seconds(30)))
      << view->title().toStdString();
}

// A user's pick in a popup sends its action once and a selection made in code none; text
// appended from a worker thread arrives; adapters whose widget is gone do nothing.
TEST_F(Loader, AdaptersReachTheirWidgetsFromAnyThreadAndNothingOnceTheyAreGone) {
  auto popup = pane_->formats.get();
  popup->addItemsWithTitles({"sdf -- MDL MOL format", "mol -- MDL MOL format"});
  popup->selectItemAtIndex(1);
  popup->selectItemAtIndex(0);
  EXPECT_TRUE(pane_->senders.empty());
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(scene_->widgetAs<QComboBox>("formats"), &down);
  EXPECT_EQ(pane_->senders, std::vector<platform::Control*>{popup.get()});
  EXPECT_EQ(popup->indexOfSelectedItem(), 1);

  auto log = pane_->log.get();
  log->setText("1 molecule converted");
  std::thread([log] { log->appendText("\nCCO\tethanol"); }).join();
  EXPECT_TRUE(waitUntil([&] { return log->text() == "1 molecule converted\nCCO\tethanol"; }))
      << log->text();

  delete scene_->root();
  pane_->nameField.get()->setText("x");
  EXPECT_EQ(pane_->nameField.get()->text(), "");
  popup->addItemsWithTitles({"a"});
  EXPECT_EQ(popup->indexOfSelectedItem(), -1);
  log->appendText("x");
  pane_->page.get()->loadRequest("about:blank");
}

TEST_F(Loader, ReportsALayoutMistakeAndConnectsTheRest) {
  load(item("QComboBox", "nameField") + item("QPlainTextEdit", "log"));
  std::string lines;
  for (const auto& line : scene_->platform().diagnostics()) lines += line + "\n";
  EXPECT_NE(lines.find("outlet nameField is a QComboBox"), std::string::npos) << lines;
  EXPECT_NE(lines.find("no widget for outlet formats"), std::string::npos) << lines;
  EXPECT_FALSE(pane_->nameField);
  EXPECT_TRUE(pane_->log);
}

}  // namespace
}  // namespace molbench::qttest
