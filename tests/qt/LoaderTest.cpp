// The layout loader and the adapters, driven through real widgets of a layout written here.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QWebEngineView>
#include <fstream>
#include <thread>

#include "ProbePane.h"
#include "SceneFixture.h"
#include "common/PopupHelpers.h"
#include "platform/FileUrl.h"

namespace molbench::qttest {
namespace {

using platform::ControlState;

class Loader : public ::testing::Test {
 protected:
  void load(const QByteArray& layout) {
    // The former scene goes first: its private folders are restored in reverse order.
    scene_.reset();
    pane_.reset();
    auto platform = std::make_unique<TestPlatform>();
    platform->addLayout("ProbePane", layout);
    pane_ = std::make_shared<ProbePane>(*platform);
    pane_->setIdentifier("ProbePane");
    scene_ = std::make_unique<SceneFixture>(std::move(platform), pane_);
  }
  void SetUp() override { load(probeLayout()); }

  ProbePane& pane() { return *pane_; }
  SceneFixture& scene() { return *scene_; }
  template <class W>
  W* widget(const std::string& name) {
    return scene_->widgetAs<W>(name);
  }

  std::shared_ptr<ProbePane> pane_;
  std::unique_ptr<SceneFixture> scene_;
};

void pressKey(QWidget* widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

TEST_F(Loader, ConnectsEveryOutletOfAWellMadeLayoutSilently) {
  for (const auto& outlet : pane().outletInfo())
    EXPECT_TRUE(pane().isOutletConnected(outlet.name)) << outlet.name;
  EXPECT_TRUE(scene().platform().diagnostics().empty());
}

TEST_F(Loader, AUsersPickInAPopupSendsItsActionOnceAndCodeSelectionsNone) {
  auto popup = pane().formats.get();
  // A title added again moves to the end instead of appearing twice.
  popup->addItemsWithTitles({"mol -- MDL MOL format", "sdf -- MDL MOL format"});
  popup->addItemsWithTitles({"mol -- MDL MOL format"});
  EXPECT_EQ(popup->itemTitles(),
            (std::vector<std::string>{"sdf -- MDL MOL format", "mol -- MDL MOL format"}));
  popup->selectItemAtIndex(1);
  popup->selectItemAtIndex(0);
  EXPECT_TRUE(pane().received.empty());

  pressKey(widget<QComboBox>("formats"), Qt::Key_Down);
  ASSERT_EQ(pane().received.size(), 1u);
  EXPECT_EQ(pane().received[0].first, "formatChosen:");
  EXPECT_EQ(pane().received[0].second, popup.get());
  EXPECT_EQ(selectedTitle(pane().received[0].second), "mol -- MDL MOL format");
}

TEST_F(Loader, ButtonsAndMenuActionsSendTheirSelectors) {
  widget<QPushButton>("runButton")->click();
  widget<QCheckBox>("keepCheck")->click();
  scene().root()->findChild<QAction*>("runAction")->trigger();
  ASSERT_EQ(pane().received.size(), 3u);
  EXPECT_EQ(pane().received[0].second, pane().runButton.get().get());
  EXPECT_EQ(pane().received[1].second, pane().keepCheck.get().get());
  // The check box has toggled by the time its action arrives, as on a Mac.
  EXPECT_TRUE(pane().keepCheck.get()->isOn());
  EXPECT_EQ(pane().received[2], std::make_pair(std::string("run:"), (platform::Control*)nullptr));
}

TEST_F(Loader, ButtonsTakeEveryState) {
  auto check = pane().keepCheck.get();
  check->setState(ControlState::Mixed);
  EXPECT_EQ(widget<QCheckBox>("keepCheck")->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(check->state(), ControlState::Mixed);

  auto first = pane().firstRadio.get();
  auto second = pane().secondRadio.get();
  first->setOn(true);
  second->setOn(true);
  EXPECT_FALSE(first->isOn());
  // Switching the only checked radio button off must work although Qt's group refuses it.
  second->setOn(false);
  EXPECT_FALSE(widget<QRadioButton>("secondRadio")->isChecked());

  auto run = pane().runButton.get();
  run->setOn(true);
  EXPECT_TRUE(run->isOn());
}

TEST_F(Loader, TextFieldsAndTextViewsKeepTextExactly) {
  auto name = pane().nameField.get();
  auto command = pane().commandField.get();
  name->setPlaceholder("Need Path");
  name->setText(" /usr/bin/obabel é ");
  command->setText("obabel -isdf 'a b.sdf'\n-O 'out.smi'");
  EXPECT_EQ(widget<QLineEdit>("nameField")->placeholderText(), "Need Path");
  EXPECT_EQ(name->text(), " /usr/bin/obabel é ");
  EXPECT_EQ(name->placeholder(), "Need Path");
  EXPECT_EQ(command->text(), "obabel -isdf 'a b.sdf'\n-O 'out.smi'");

  auto log = pane().log.get();
  log->setText("1 molecule converted");
  // Completions of web requests append from their own threads.
  std::thread worker([log] {
    log->appendText("\nCCO\tethanol");
    log->appendText(" and more");
  });
  worker.join();
  EXPECT_TRUE(waitUntil([&] { return log->text().size() > 21; }));
  EXPECT_EQ(log->text(), "1 molecule converted\nCCO\tethanol and more");
}

TEST_F(Loader, TableShowsTheArrayControllersFilteredRowsAndReportsClicks) {
  auto rows = pane().rows.get();
  for (const char* name : {"benzene", "phenol", "toluene"})
    rows->addObject({{"molNumber", std::to_string(rows->content().size() + 1)}, {"molName", name}});
  auto* table = widget<QTableView>("table");
  ASSERT_EQ(table->model()->rowCount(), 3);
  EXPECT_EQ(table->model()->columnCount(), 2);
  EXPECT_EQ(table->model()->index(1, 1).data().toString(), "phenol");

  rows->setFilter([](const platform::Row& row) { return row.at("molName") != "phenol"; });
  ASSERT_EQ(table->model()->rowCount(), 2);
  EXPECT_EQ(rows->arrangedObjects()[1].at("molName"), "toluene");
  EXPECT_EQ(rows->content().size(), 3u);

  scene().root()->resize(600, 800);
  scene().root()->show();
  table->selectRow(1);
  EXPECT_EQ(pane().table.get()->selectedRowIndexes(), std::vector<int>{1});
  QPoint cell = table->visualRect(table->model()->index(1, 0)).center();
  QMouseEvent press(QEvent::MouseButtonPress, cell, table->viewport()->mapToGlobal(cell),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, cell, table->viewport()->mapToGlobal(cell),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(table->viewport(), &press);
  QCoreApplication::sendEvent(table->viewport(), &release);
  ASSERT_EQ(pane().received.size(), 1u);
  EXPECT_EQ(pane().received[0].first, "rowClicked:");
  EXPECT_EQ(pane().table.get()->clickedRow(), 1);

  rows->setContent({});
  EXPECT_EQ(table->model()->rowCount(), 0);
}

TEST_F(Loader, AWebViewPlaceholderShowsLocalPagesThatReadFilesBesideThem) {
  auto* view = widget<QWebEngineView>("page");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->parentWidget()->objectName(), "page");

  std::string folder = scene().platform().temporaryDirectory();
  std::ofstream(folder + "/molecule.txt") << "benzene";
  std::ofstream(folder + "/page.htm")
      << "<html><body><script>var request = new XMLHttpRequest();"
         "request.onload = function() { document.title = request.responseText; };"
         "request.open('GET', 'molecule.txt'); request.send();</script></body></html>";
  auto page = platform::FileUrl::fromPath(folder + "/page.htm");
  pane().page.get()->loadFileURL(page.absoluteString(),
                                 platform::FileUrl::fromPath(folder, true).absoluteString());
  EXPECT_TRUE(waitUntil([&] { return view->title() == "benzene"; }, std::chrono::seconds(30)))
      << view->title().toStdString();
}

TEST_F(Loader, ViewsMoveBetweenContainersAndADetachedViewDiesWithItsLastReference) {
  auto container = pane().container.get();
  auto* child = new QLabel(QStringLiteral("tool pane"));
  QPointer<QLabel> watch(child);
  {
    auto view = std::make_shared<qt::QtView>(child, true);
    container->addSubview(view);
    EXPECT_EQ(child->parentWidget(), widget<QWidget>("container"));
  }
  // The container keeps what it shows.
  auto shown = container->subviews();
  ASSERT_EQ(shown.size(), 1u);
  shown[0]->removeFromSuperview();
  EXPECT_TRUE(container->subviews().empty());
  ASSERT_TRUE(watch);
  shown.clear();
  EXPECT_FALSE(watch);
}

TEST_F(Loader, AdaptersOutlivingTheirWidgetsDoNothing) {
  delete scene().root();
  EXPECT_EQ(pane().nameField.get()->text(), "");
  pane().nameField.get()->setText("x");
  pane().formats.get()->addItemsWithTitles({"a"});
  EXPECT_EQ(pane().formats.get()->indexOfSelectedItem(), -1);
  pane().log.get()->appendText("x");
  pane().page.get()->loadRequest("about:blank");
  pane().container.get()->addSubview(pane().container.get());
  EXPECT_TRUE(pane().container.get()->subviews().empty());
  EXPECT_EQ(pane().table.get()->selectedRow(), -1);
}

TEST_F(Loader, WidgetsOutlivingTheirPaneSendNothing) {
  QWidget keeper;
  scene().root()->setParent(&keeper);
  QPointer<QPushButton> run = widget<QPushButton>("runButton");
  scene_.reset();
  pane_.reset();
  ASSERT_TRUE(run);
  run->click();  // must not reach the destroyed pane
}

TEST_F(Loader, ReportsEachLayoutMistakeOnceAndConnectsTheRest) {
  load(layoutWith({widgetElement("QComboBox", "nameField"),
                   widgetElement("QPushButton", "runButton", stringProperty("action", "runn:")),
                   widgetElement("QLabel", "note", stringProperty("action", "run:")),
                   widgetElement("QLineEdit", "page")}));
  auto lines = scene().platform().diagnostics();
  auto mentions = [&](const std::string& text) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  };
  EXPECT_EQ(mentions("outlet nameField is a QComboBox"), 1);
  EXPECT_EQ(mentions("no widget for outlet formats"), 1);
  EXPECT_EQ(mentions("runn:"), 1);
  EXPECT_EQ(mentions("note is a QLabel"), 1);
  EXPECT_EQ(mentions("outlet page is a QLineEdit"), 1);
  EXPECT_FALSE(pane().nameField);
  EXPECT_TRUE(pane().runButton);
  EXPECT_TRUE(pane().rows);  // an array controller needs no widget
}

}  // namespace
}  // namespace molbench::qttest
