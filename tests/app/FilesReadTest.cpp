// obabel empties its output before it reads anything, so every file a run reads is checked
// before the run: a query file, and, with "fs" chosen as the input format, the index obabel opens
// in the file's place (the name with ".fs" in place of its extension). Judged by the real obabel.
#include <gmock/gmock.h>

#include <filesystem>

#include "PaneFixture.h"
#include "common/FormatTables.h"
#include "convert/Convertcontroller.h"
#include "search/SearchViewController.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

class FilesRead : public PaneTest<Convertcontroller> {
 protected:
  FilesRead() : PaneTest("Convertcontroller") {
    runForOutput(std::string(kObabel) + " " + molecules("small.sdf") + " -osmi -O " + lib +
                 " 2>/dev/null");
    obabelCount({lib, "-ofs", "-O", folder + "lib.fs"});
    obabelCount({folder + "small.sdf", "-ofs", "-O", index});
    writeFile(query, "c1ccccc1\n");
  }

  // A press of Convert ("convertFile:") or the file search ("checkObabel:"), with its input, its
  // input format, a "matching" pattern and its output.
  void press(const std::string& action, const std::string& input, const std::string& format,
             const std::string& pattern, const std::string& output) {
    bool convert = action == "convertFile:";
    platform::ViewController& target =
        convert ? static_cast<platform::ViewController&>(pane) : search;
    h.field(target, "inputFilepath").setText(input);
    h.field(target, "outputFilepath").setText(output);
    h.choose(target, "inputFiletype", format);
    h.choose(target, convert ? "smartsConvertoptions" : "smartsSearchoptions", "matching");
    h.field(target, convert ? "smartsConvert" : "smartsSearch").setText(pattern);
    h.press(target, action);
  }

  SearchViewController& search = h.make<SearchViewController>("SearchViewController");
  const std::string folder = temp() + "/", lib = folder + "lib.smi", index = folder + "set.fs";
  const std::string query = folder + "q.smi", kept = folder + "kept.smi";
};

// `obabel lib.fs -O q.smi -s q.smi` empties q.smi, then reads no query from it.
TEST_F(FilesRead, AQueryFileIsNeverTheOutput) {
  const std::tuple<std::string, std::string, std::string> runs[] = {
      {"runFSsearch:", "", ""},    {"runFSsearch:", "", "0.5"},
      {"checkObabel:", index, ""}, {"checkObabel:", folder + "small.sdf", ""},
      {"convertFile:", index, ""}, {"convertFile:", folder + "small.sdf", ""}};
  h.field(search, "fssearchPath").setText(index);
  for (const auto& [action, input, similarity] : runs) {
    h.field(search, "similarityScore").setText(similarity);
    if (action == "runFSsearch:") {
      h.field(search, "outputFilepath").setText(query);
      h.choose(search, "smartsSearchoptions", "matching");
      h.field(search, "smartsSearch").setText(query);
      h.press(search, action);
    } else {
      press(action, input, kAutodetectRow, query, query);
    }
    ASSERT_FALSE(h.alerts().empty()) << action << " " << input;
    EXPECT_THAT(h.alerts().back().informativeText,
                HasSubstr("\"" + query + "\" is an input of this run"))
        << action << " " << input;
    EXPECT_EQ(readFile(query), "c1ccccc1\n") << action << " " << input;
  }
  EXPECT_EQ(h.alerts().size(), std::size(runs));
  // Into another file, the query file is read as the query, with obabel's own hits.
  h.field(search, "similarityScore").setText("");
  h.field(search, "outputFilepath").setText(kept);
  h.press(search, "runFSsearch:");
  EXPECT_EQ(obabelCount({kept, "-onul"}), obabelCount({index, "-onul", "-s", query}));
  EXPECT_GT(obabelCount({kept, "-onul"}), 0);
  EXPECT_EQ(h.alerts().size(), std::size(runs));
}

// Told "-ifs", obabel opens the index named from the file's name: none, a file that is no index
// or another file's index empties the output with no word (or searches other molecules).
TEST_F(FilesRead, WithFsChosenTheIndexObabelOpensIsChecked) {
  const std::string fs = "fs -- Fastsearch format";
  std::filesystem::create_directory(folder + "d.x");
  for (const std::string name : {"nofs.smi", "d.x/noext", "tiny.smi", "other.smi"})
    writeFile(folder + name, readFile(lib));
  writeFile(folder + "tiny.fs", "C\n");  // text, as SD text named ".fs" is
  std::filesystem::copy_file(index, folder + "other.fs");
  // The input, and the words of the refusal: each names the file obabel would open.
  const std::tuple<std::string, std::string> refused[] = {
      {"nofs.smi", "\"" + folder + "nofs.fs\" cannot be found"},
      {"d.x/noext", "\"" + folder + "d.fs\" cannot be found"},
      {"tiny.smi", "searches \"" + folder + "tiny.fs\""},
      {"other.smi", "the index of \"" + folder + "small.sdf\", not of \"" + folder + "other.smi"}};
  for (const auto& action : {"convertFile:", "checkObabel:"}) {
    for (const auto& [name, words] : refused) {
      writeFile(kept, "kept\n");
      press(action, folder + name, fs, "C", kept);
      ASSERT_FALSE(h.alerts().empty()) << action << " " << name;
      EXPECT_THAT(h.alerts().back().informativeText, HasSubstr(words)) << action << " " << name;
      EXPECT_EQ(readFile(kept), "kept\n") << action << " " << name;
    }
    // The index obabel opens is read, never written.
    auto before = readFile(folder + "lib.fs");
    press(action, lib, fs, "C", folder + "lib.fs");
    EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("an input of this run"));
    EXPECT_EQ(readFile(folder + "lib.fs"), before);
  }
  ASSERT_EQ(h.alerts().size(), 2 * (std::size(refused) + 1));
  // The file's own index, and an index itself, are searched with obabel's hits.
  const int hits = obabelCount({lib, "-onul", "-s", "C"});
  for (const auto& action : {"convertFile:", "checkObabel:"}) {
    for (const auto& input : {lib, index}) {
      std::filesystem::remove(kept);
      press(action, input, fs, "C", kept);
      EXPECT_EQ(obabelCount({kept, "-onul"}), hits) << action << " " << input;
    }
  }
  EXPECT_EQ(h.alerts().size(), 2 * (std::size(refused) + 1));
}

}  // namespace
}  // namespace molbench::testing
