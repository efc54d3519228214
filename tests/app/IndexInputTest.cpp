// A fast-search index holds fingerprints, not molecules: obabel prints its summary, converts
// nothing and exits 0, after emptying the kept output. Only a search reads it, under a name
// that gives obabel its format.
#include <gmock/gmock.h>

#include <filesystem>

#include "PaneFixture.h"
#include "convert/Convertcontroller.h"
#include "search/SearchViewController.h"
#include "viewer/ViewerController.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

class IndexInput : public PaneTest<Convertcontroller> {
 protected:
  IndexInput() : PaneTest("Convertcontroller") {
    obabelCount({folder + "small.sdf", "-ofs", "-O", index});
    writeFile(output, "kept\n");
    setText("outputFilepath", output);
    h.field(search, "outputFilepath").setText(output);
  }

  // Convert's input, its SMARTS mode and the query "C".
  void convertQuery(const std::string& input, const std::string& mode) {
    setText("inputFilepath", input);
    h.choose(pane, "smartsConvertoptions", mode);
    setText("smartsConvert", "C");
  }

  SearchViewController& search = h.make<SearchViewController>("SearchViewController");
  ViewerController& viewer = h.make<ViewerController>("ViewerController");
  std::string folder = temp() + "/", index = folder + "set.fs", output = folder + "out.smi";
  int hits = obabelCount({molecules("small.sdf"), "-onul", "-s", "C"});  // as obabel finds them
};

TEST_F(IndexInput, RunsThatReadMoleculesRefuseItAndSayWhatItIs) {
  for (auto* reader : std::initializer_list<platform::ViewController*>{&search, &viewer})
    h.field(*reader, "inputFilepath").setText(index);
  const std::tuple<platform::ViewController*, const char*, const char*> presses[] = {
      {&pane, "checkObabel:", "Choose"},
      {&pane, "convertFile:", "not_matching"},
      {&pane, "countMols:", "Choose"},
      {&search, "checkObabel:", "Choose"},
      {&viewer, "importData:", ""}};
  for (const auto& [reader, action, mode] : presses) {
    if (*mode) convertQuery(index, mode);
    h.press(*reader, action);
    ASSERT_FALSE(h.alerts().empty()) << action << " " << mode;
    EXPECT_THAT(h.alerts().back().informativeText,
                HasSubstr("\"" + index + "\" is a fast-search index of 10 molecules in \"" +
                          folder + "small.sdf\""));
  }
  EXPECT_EQ(readFile(output) + text("obabelText"), "kept\n");
  EXPECT_TRUE(h.arrayController(viewer, "chemdataArraycontroller").content().empty());
  convertQuery(index, "matching");  // searched, it runs
  h.press(pane, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), hits);
  EXPECT_EQ(h.alerts().size(), std::size(presses));
}

// A link "idxlink" gives obabel no format, while "dir/fs" is an index to obabel as much as
// "dir/set.fs" is.
TEST_F(IndexInput, ItNeedsANameObabelReadsAsAnIndexAndABareFsIsOne) {
  std::filesystem::create_symlink(index, folder + "idxlink");
  convertQuery(folder + "idxlink", "matching");
  h.press(pane, "convertFile:");
  EXPECT_EQ(readFile(output), "kept\n");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "Choose the input's format or rename the file");
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("index: choose \"fs -- Fastsearch"));
  h.choose(pane, "inputFiletype", "fs -- Fastsearch format");
  h.press(pane, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), hits);

  // A relative name, from the scratch folder.
  std::filesystem::create_directory(folder + "dir");
  std::filesystem::copy_file(folder + "small.sdf", folder + "dir/small.sdf");
  obabelCount({folder + "dir/small.sdf", "-ofs", "-O", folder + "dir/fs"});
  std::filesystem::remove(output);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  h.field(search, "fssearchPath").setText("dir/fs");
  h.choose(search, "smartsSearchoptions", "matching");
  h.field(search, "smartsSearch").setText("C");
  h.press(search, "runFSsearch:");
  std::filesystem::current_path(before);
  EXPECT_EQ(obabelCount({output, "-onul"}), hits);
  EXPECT_EQ(h.alerts().size(), 1u);
}

}  // namespace
}  // namespace molbench::testing
