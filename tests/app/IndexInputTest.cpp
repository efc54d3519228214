// A fast-search index holds fingerprints, not molecules: obabel prints its summary, converts
// nothing and exits 0, after emptying the kept output. Only a search reads it, under a name
// that gives obabel its format.
#include <gmock/gmock.h>

#include <filesystem>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "viewer/ViewerController.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

class IndexInput : public ::testing::Test {
 protected:
  IndexInput()
      : folder(h.temporaryDirectory() + "/"),
        convert(h.make<Convertcontroller>("Convertcontroller")),
        search(h.make<SearchViewController>("SearchViewController")),
        viewer(h.make<ViewerController>("ViewerController")) {
    h.defaults().set("pathToobabel", kObabel);
    writeFile(folder + "small.sdf", readFile(testDataPath("small.sdf")));
    obabelCount({folder + "small.sdf", "-ofs", "-O", index});
    writeFile(output, "kept\n");
    hits = obabelCount({folder + "small.sdf", "-onul", "-s", "C"});
    h.field(convert, "outputFilepath").setText(output);
    h.field(search, "outputFilepath").setText(output);
  }

  // Convert's input, its SMARTS mode and query.
  void convertQuery(const std::string& input, const std::string& mode) {
    h.field(convert, "inputFilepath").setText(input);
    h.choose(convert, "smartsConvertoptions", mode);
    h.field(convert, "smartsConvert").setText("C");
  }

  headless::Harness h;
  std::string folder, index = folder + "set.fs", output = folder + "out.smi";
  int hits = 0;  // of the query "C", as obabel finds them in the molecule file
  Convertcontroller& convert;
  SearchViewController& search;
  ViewerController& viewer;
};

TEST_F(IndexInput, RunsThatReadMoleculesRefuseItAndSayWhatItIs) {
  for (auto* pane : std::initializer_list<platform::ViewController*>{&convert, &search, &viewer})
    h.field(*pane, "inputFilepath").setText(index);
  const std::tuple<platform::ViewController*, const char*, const char*> presses[] = {
      {&convert, "convertFile:", "Choose"},       {&convert, "checkObabel:", "Choose"},
      {&convert, "convertFile:", "not_matching"}, {&convert, "countMols:", "Choose"},
      {&search, "checkObabel:", "Choose"},        {&viewer, "importData:", ""}};
  for (const auto& [pane, action, mode] : presses) {
    if (*mode) convertQuery(index, mode);
    h.press(*pane, action);
    ASSERT_FALSE(h.alerts().empty()) << action << " " << mode;
    EXPECT_THAT(h.alerts().back().informativeText,
                HasSubstr("\"" + index + "\" is a fast-search index of 10 molecules in \"" +
                          folder + "small.sdf\""));
  }
  EXPECT_EQ(readFile(output) + h.field(convert, "obabelText").text(), "kept\n");
  EXPECT_TRUE(h.arrayController(viewer, "chemdataArraycontroller").content().empty());

  convertQuery(index, "matching");  // searched, it runs
  h.press(convert, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), hits);
  EXPECT_EQ(h.alerts().size(), std::size(presses));
}

// A link "idxlink" gives obabel no format ("Cannot read input format"), while "dir/fs" is an
// index to obabel as much as "dir/set.fs" is.
TEST_F(IndexInput, ItNeedsANameObabelReadsAsAnIndexAndABareFsIsOne) {
  std::filesystem::create_symlink(index, folder + "idxlink");
  convertQuery(folder + "idxlink", "matching");
  h.press(convert, "convertFile:");
  EXPECT_EQ(readFile(output), "kept\n");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "Choose the input's format or rename the file");
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("index: choose \"fs -- Fastsearch"));
  h.choose(convert, "inputFiletype", "fs -- Fastsearch format");
  h.press(convert, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), hits);

  // A relative name, from the scratch folder: a "." anywhere in the path moves obabel's index.
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
