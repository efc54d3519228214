// An empty or blank stored obabel path names no program. Headed by it, a command would make
// bash run its first file instead: an input with its execute bit (common on FAT and NTFS sticks)
// runs as a script. Every run of every pane refuses it and runs nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "TestSupport.h"
#include "common/ShellQuote.h"
#include "convert/Convertcontroller.h"
#include "lookup/seekerController.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "viewer/ViewerController.h"

namespace molbench::testing {
namespace {

class EmptyObabelPath : public ::testing::Test {
 protected:
  EmptyObabelPath() {
    h.setResourcePath(MOLBENCH_RESOURCE_BUILD_DIR);
    // A molecule file that is also a script: run, it leaves a file behind.
    writeFile(script, "touch " + quotedPath(ran) + "\nCCO ethanol\n");
    ::chmod(script.c_str(), 0755);
    writeFile(molecules, readFile(testDataPath("small.sdf")));
  }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  void setText(platform::ViewController& pane, const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }

  // Presses each action once with each path stored: each press is refused with the alert.
  void expectRefused(platform::ViewController& pane, const std::vector<std::string>& actions,
                     const std::function<void()>& before = {}) {
    for (const std::string stored : {"", " \t"}) {
      for (const auto& action : actions) {
        if (before) before();
        h.defaults().set("pathToobabel", stored);
        auto alerts = h.alerts().size();
        auto printed = h.diagnostics().size();
        h.press(pane, action);
        ASSERT_EQ(h.alerts().size(), alerts + 1) << action;
        EXPECT_EQ(h.alerts().back().messageText, "The obabel path is empty") << action;
        EXPECT_NE(h.alerts().back().informativeText.find("preferences"), std::string::npos);
        // The refusal's own line and no command.
        EXPECT_EQ(h.diagnostics().size(), printed + 1) << action;
      }
    }
    EXPECT_FALSE(fileExists(ran));
    EXPECT_FALSE(fileExists(output));
  }

  headless::Harness h;
  std::string script = scratch("set.smi"), ran = scratch("ran");
  std::string molecules = scratch("set.sdf"), output = scratch("out.smi");
};

TEST_F(EmptyObabelPath, ConvertAndSearchRunNothing) {
  auto& convert = h.make<Convertcontroller>("Convertcontroller");
  setText(convert, "inputFilepath", script);
  setText(convert, "outputFilepath", output);
  expectRefused(convert, {"convertFile:", "checkObabel:", "countMols:"});

  auto& search = h.make<SearchViewController>("SearchViewController");
  setText(search, "inputFilepath", script);
  setText(search, "outputFilepath", output);
  h.defaults().set("pathToobabel", "/usr/bin/obabel");
  setText(search, "fssearchPath", scratch("set.fs"));
  setText(search, "inputFilepath", molecules);
  h.press(search, "createFS:");
  ASSERT_TRUE(fileExists(scratch("set.fs")));
  setText(search, "inputFilepath", script);
  expectRefused(search, {"checkObabel:", "createFS:", "runFSsearch:"});
}

TEST_F(EmptyObabelPath, ViewerAndLookupRunNothing) {
  auto& viewer = h.make<ViewerController>("ViewerController");
  h.defaults().set("pathToobabel", "/usr/bin/obabel");
  setText(viewer, "inputFilepath", molecules);
  h.press(viewer, "importData:");
  ASSERT_EQ(h.arrayController(viewer, "chemdataArraycontroller").content().size(), 10u);
  setText(viewer, "inputFilepath", script);
  setText(viewer, "smartsString", "C");
  expectRefused(viewer, {"importData:", "smartsFilter:", "exportSelected:", "tableClicked:"}, [&] {
    h.table(viewer, "tableView").setSelectedRowIndexes({0});
    h.table(viewer, "tableView").setClickedRow(0);
  });

  auto& lookup = h.make<seekerController>("seekerController");
  setText(lookup, "smilesString", "CCO");
  expectRefused(lookup, {"loadTestImage:", "display3D:"});
}

}  // namespace
}  // namespace molbench::testing
