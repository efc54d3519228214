// obabel empties its output before it reads anything, so every file a run reads is checked
// before the run: a query file, and, with "fs" chosen as the input format, the index obabel opens
// in the file's place (the name with ".fs" in place of its extension). Judged by the real obabel.
#include <gmock/gmock.h>

#include <filesystem>

#include "PaneFixture.h"
#include "convert/Convertcontroller.h"
#include "search/SearchViewController.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

class FilesRead : public PaneTest<Convertcontroller> {
 protected:
  FilesRead() : PaneTest("Convertcontroller") {
    obabelCount({molecules("small.sdf"), "-osmi", "-O", lib});
    obabelCount({folder + "small.sdf", "-ofs", "-O", index});
  }

  // A press of Convert, the file search or the index search of the input with "fs" chosen, the
  // query file as its "matching" pattern, into the output; the words of its alert, if any.
  std::string press(const std::string& action, const std::string& input,
                    const std::string& output) {
    bool convert = action == "convertFile:";
    platform::ViewController& target =
        convert ? static_cast<platform::ViewController&>(pane) : search;
    h.field(target, action == "runFSsearch:" ? "fssearchPath" : "inputFilepath").setText(input);
    h.field(target, "outputFilepath").setText(output);
    h.choose(target, "inputFiletype", "fs -- Fastsearch format");
    h.choose(target, convert ? "smartsConvertoptions" : "smartsSearchoptions", "matching");
    h.field(target, convert ? "smartsConvert" : "smartsSearch").setText(query);
    size_t alerts = h.alerts().size();
    h.press(target, action);
    return h.alerts().size() > alerts ? h.alerts().back().informativeText : "";
  }

  SearchViewController& search = h.make<SearchViewController>("SearchViewController");
  const std::string folder = temp() + "/", lib = folder + "lib.smi", index = folder + "set.fs";
  const std::string query = folder + "q.smi";
};

// `obabel set.fs -O q.smi -s q.smi` empties q.smi, then reads no query from it. Told "-ifs",
// obabel opens the index named from the file's name: none, a file that is no index or another
// file's index empties the output with no word (or searches other molecules).
TEST_F(FilesRead, AFileTheRunReadsIsCheckedAndNeverItsOutput) {
  writeFile(query, "c1ccccc1\n");
  for (const std::string name : {"kept.smi", "nofs.smi", "tiny.smi", "other.smi"})
    writeFile(folder + name, readFile(lib));
  writeFile(folder + "tiny.fs", "C\n");  // text, as SD text named ".fs" is
  std::filesystem::copy_file(index, folder + "other.fs");
  obabelCount({lib, "-ofs", "-O", folder + "lib.fs"});
  // The input, the output and the words of the refusal, which name the file obabel would read.
  const std::string kept = folder + "kept.smi", is = "\" is an input of this run";
  const std::tuple<std::string, std::string, std::string> refused[] = {
      {index, query, "\"" + query + is},
      {folder + "nofs.smi", kept, "\"" + folder + "nofs.fs\" cannot be found"},
      {folder + "tiny.smi", kept, "searches \"" + folder + "tiny.fs\""},
      {folder + "other.smi", kept, "the index of \"" + folder + "small.sdf\", not of"},
      {lib, folder + "lib.fs", "\"" + folder + "lib.fs" + is}};
  for (const std::string action : {"convertFile:", "checkObabel:", "runFSsearch:"}) {
    for (const auto& [input, output, words] : refused) {
      if (action == "runFSsearch:" && input != index) continue;  // it reads only an index
      const std::string before = readFile(output);
      EXPECT_THAT(press(action, input, output), HasSubstr(words)) << action;
      EXPECT_TRUE(readFile(output) == before) << action << " " << input << ": written";
    }
  }
}

}  // namespace
}  // namespace molbench::testing
