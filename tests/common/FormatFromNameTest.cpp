// The rule by which Molbench foresees whether obabel, or a program beside it, can tell an input's
// format from its name, checked against the real programs: each name of the table is a file in
// the scratch folder, and obabel and obprop are asked to read it.
#include <gmock/gmock.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "common/FormatFromName.h"
#include "common/ReadableFormats.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

// Names that obabel reads, and names that give it no format, as the user may have them:
// case, compression, dots in folder names, bare format codes, trailing blanks and the default
// format that obabel (but no sibling) gives a blank extension.
const char* const kNames[] = {
    "mols",       "mols.list",    "set.v2/mols",     "mols.smi.GZ", "MOLS.SMI",     "mols.Smiles",
    ".smi",       "mols.smi.gz",  "set.v2/mols.smi", "smi",         "contcar",      "POSCAR",
    "a.b/smi",    "a.b/mols",     "smi.gz",          "a.b/smi.gz",  "plain/smi.gz", "mols.gz",
    "mols.gzip",  "mols.smi.bak", "mols.sdf~",       "mols.smi ",   "mols.",        "mols. smi",
    "plain/ smi", "mols..gz",     "plain/.gz",       "a.b/.gz",     "x.gz/smi",     "mols.svg",
    "mols.nul",   "mols.k",       "mols.fs",
};

class FormatFromName : public ::testing::Test {
 protected:
  FormatFromName() { std::filesystem::create_directories(folder); }
  ~FormatFromName() override { std::filesystem::remove_all(folder); }

  // Whether the program reports that it cannot read the file's format.
  static bool refuses(const std::string& command) {
    std::string said = runForOutput(command + " 2>&1");
    return said.find("annot read input format") != std::string::npos ||
           said.find("Not a valid input format") != std::string::npos;
  }

  std::string folder =
      std::filesystem::temp_directory_path() / ("molbench-names-" + std::to_string(::getpid()));
};

TEST_F(FormatFromName, ForeseesWhatObabelAndItsSiblingsMakeOfEveryName) {
  int readable = 0, refused = 0;
  for (std::string name : kNames) {
    std::string path = folder + "/" + name;
    writeFile(path, "CCO ethanol\n");
    bool obabelReads = !refuses(std::string(kObabel) + " " + quotedPath(path) + " -onul");
    bool siblingReads = !refuses("/usr/bin/obprop " + quotedPath(path));
    EXPECT_EQ(formatFromName(path, true).kind == NameFormat::Kind::readable, obabelReads) << name;
    EXPECT_EQ(formatFromName(path, false).kind == NameFormat::Kind::readable, siblingReads) << name;
    (obabelReads ? readable : refused)++;
  }
  EXPECT_GT(readable, 10);
  EXPECT_GT(refused, 10);
}

// Every format code of the obabel installed here, in the direction it lists for it: a code
// missing from the tables would refuse a name obabel reads.
TEST_F(FormatFromName, KnowsEveryFormatCodeObabelLists) {
  std::set<std::string> readable, writeOnly;
  std::istringstream listing(runForOutput(std::string(kObabel) + " -L formats"));
  for (std::string line; std::getline(listing, line);) {
    std::string code = line.substr(0, line.find(' '));
    bool onlyWritten = line.find("[Write-only]") != std::string::npos;
    (onlyWritten ? writeOnly : readable).insert(code);
  }
  EXPECT_EQ(std::set<std::string>(readableFormatCodes().begin(), readableFormatCodes().end()),
            readable);
  EXPECT_EQ(std::set<std::string>(writeOnlyFormatCodes().begin(), writeOnlyFormatCodes().end()),
            writeOnly);
}

}  // namespace
}  // namespace molbench::testing
