// A split under a selection goes through a scratch file: its files, read in order, hold the
// molecules of the one-run output; a $TMPDIR of any name serves, and one too small for the
// split is said, with no split file left behind. Run with the real obabel on real files.
#include <gmock/gmock.h>
#include <sys/mount.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

#include "ConvertFixture.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Sets an environment variable, and the working folder, for one test.
class ScopedRunPlace {
 public:
  ScopedRunPlace(const std::string& tmpdir, const std::string& folder)
      : folder_(fs::current_path()) {
    if (const char* old = std::getenv("TMPDIR")) tmpdir_ = old;
    ::setenv("TMPDIR", tmpdir.c_str(), 1);
    fs::current_path(folder);
  }
  ~ScopedRunPlace() {
    fs::current_path(folder_);
    tmpdir_ ? ::setenv("TMPDIR", tmpdir_->c_str(), 1) : ::unsetenv("TMPDIR");
  }

 private:
  fs::path folder_;
  std::optional<std::string> tmpdir_;
};

class SplitScratchRuns : public ConvertPaneTest {
 protected:
  SplitScratchRuns() { h.choose(pane, "outputFiletype", kAutodetectRow); }

  // Splits the molecules that the range from `first` on selects into `folder`/m.`format`; "" when
  // the run raised no alert, else the alert's text.
  std::string splitRange(const std::string& input, const std::string& folder,
                         const std::string& format, const std::string& first = "2") {
    fs::create_directories(folder);
    size_t alerts = h.alerts().size();
    h.choose(pane, "inputFiletype", kAutodetectRow);
    setText("inputFilepath", input);
    setText("outputFilepath", folder + "/m." + format);
    turnOn("convertAll", false);
    setText("convertFrom", first);
    turnOn("splitIntoindividualmols");
    h.press(pane, "convertFile:");
    if (h.alerts().size() == alerts) return "";
    return h.alerts().back().messageText + "\n" + h.alerts().back().informativeText;
  }
  // The one-run output of the same selection.
  std::string oneRun(const std::string& input, const std::string& output) {
    turnOn("splitIntoindividualmols", false);
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    h.press(pane, "convertFile:");
    return output;
  }
  // The numbered files, in order.
  std::vector<std::string> splitFiles(const std::string& folder, const std::string& extension) {
    std::vector<std::string> files;
    for (std::string f;
         fileExists(f = folder + "/m" + std::to_string(files.size() + 1) + extension);)
      files.push_back(f);
    return files;
  }
  // What obabel reads from the files, in order, written again in their format, time stamps
  // blanked.
  std::string reread(const std::vector<std::string>& files, const std::string& format) {
    std::string names;
    for (const auto& f : files) names += " " + quotedPath(f);
    return std::regex_replace(
        runForOutput(std::string(kObabel) + names + " -o" + format + " 2>/dev/null"),
        std::regex("OpenBabel[0-9]{10}"), "OpenBabel");
  }
};

struct Input {
  std::string name;
  std::string file;  // in tests/data, or "" for PDB ligands
};

void PrintTo(const Input& c, std::ostream* out) { *out << c.name; }

class SplitFormats : public SplitScratchRuns, public ::testing::WithParamInterface<Input> {};

// Through SD, cis/trans and L/D from SMILES fell out of the InChIs, Mol2 charges and atom names
// and PDB residue names were made anew, and SD from SMILES lost its cis/trans.
TEST_P(SplitFormats, ReadInOrderEqualTheOneRunOutput) {
  std::string input = scratch("in.pdb");
  if (GetParam().file.empty()) {
    const std::string d = "/usr/share/RDKit/Contrib/CalcLigRMSD/data/";
    obabelCount({d + "JVE_renamed.pdb", d + "docked_2c6e_ACP_pH74_netcharge1.pdb",
                 d + "docked_2c6e_N15_pH74_netcharge1.pdb", d + "SKE_renamed.pdb", "-O", input});
  } else {
    input = testDataPath(GetParam().file);
  }
  for (std::string format : {"sdf", "smi", "can", "inchi", "mol2", "pdb", "xyz", "cml"}) {
    std::string folder = scratch(format);
    EXPECT_EQ(splitRange(input, folder, format), "") << format;
    std::string all = oneRun(input, scratch("all." + format));
    auto files = splitFiles(folder, "." + format);
    EXPECT_EQ(files.size(), obabelCount({all, "-onul"})) << format;
    EXPECT_TRUE(reread(files, format) == reread({all}, format))
        << format << ": the split files differ from the one-run output";
  }
}

INSTANTIATE_TEST_SUITE_P(Obabel, SplitFormats,
                         ::testing::Values(Input{"StereoSmiles", "stereo.smi"},
                                           Input{"Mol2WithChargesAndNames", "named.mol2"},
                                           Input{"PdbLigands", ""}),
                         [](const auto& info) { return info.param.name; });

// Output options go where obabel can read back what they write: the first run writes names for
// the split run to read (InChI's names after each line); names only or InChIKeys, which obabel
// cannot read, come from the split run alone, as does a format obabel only writes. Each split
// file, in order, holds one line of the one-run output: through SD, the InChIKeys of cis and
// trans 2-butene were one.
TEST_F(SplitScratchRuns, LineFormatsAndOptionsWriteWhatTheOneRunWrites) {
  int runs = 0;
  for (auto [format, option] : {std::pair{"inchikey -- InChIKey", ""},
                                {"inchi -- InChI format", "-xK    output InChIKey only"},
                                {"inchi -- InChI format", "-xt    add molecule name after InChI"},
                                {"smi -- SMILES format", "-xt Only molecule name"},
                                {"smi -- SMILES format", "-xn No molecule name"}}) {
    std::string code = std::string(format).substr(0, std::string(format).find(' '));
    std::string folder = scratch("options " + std::to_string(++runs));
    h.choose(pane, "outputFiletype", format);
    if (*option) h.choose(pane, "outputFileoptions", option);
    EXPECT_EQ(splitRange(testDataPath("stereo.smi"), folder, code), "") << option;
    std::string all = oneRun(testDataPath("stereo.smi"), folder + "/all." + code);
    std::string joined;
    for (const auto& file : splitFiles(folder, "." + code)) joined += readFile(file);
    EXPECT_EQ(joined, readFile(all)) << option;
    EXPECT_EQ(std::count(joined.begin(), joined.end(), '\n'), 5) << option;
  }
}

// A $TMPDIR that holds "*" or ".gz", or that begins with "-" (relative to the working folder),
// made obabel write the split files where the command did not look, or read nothing.
TEST_F(SplitScratchRuns, AnyTemporaryFolderNameServesTheSplit) {
  int runs = 0;
  for (std::string tmpdir : {"a*b", "c.gz", "-d"}) {
    for (bool compressed : {false, true}) {
      for (std::string first : {"1", "2"}) {  // from 1: no selection
        if (!compressed && first == "1") continue;
        std::string where = tmpdir + (compressed ? " gz " : " ") + first;
        fs::create_directory(scratch(tmpdir));
        ScopedRunPlace place(tmpdir, temp());
        turnOn("zipoutput", compressed);
        std::string folder = scratch("out " + std::to_string(++runs));
        EXPECT_EQ(splitRange(testDataPath("small.smi"), folder, "smi", first), "") << where;
        auto files = splitFiles(folder, compressed ? ".smi.gz" : ".smi");
        EXPECT_EQ(files.size(), first == "1" ? 10u : 9u) << where;
        EXPECT_TRUE(fs::is_empty(scratch(tmpdir))) << where << ": the scratch is left";
      }
    }
  }
}

// A temporary folder too small for the split: obabel exits 0 when its writes fail, and the
// split went on with what fitted, 32 whole files of 43, or 32 empty compressed ones.
TEST_F(SplitScratchRuns, AFullTemporaryFolderIsSaidAndLeavesNoSplitFile) {
  std::string small = scratch("small tmp");
  fs::create_directory(small);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  struct Unmount {
    std::string folder;
    ~Unmount() { ::umount(folder.c_str()); }
  } unmount{small};
  std::string input = scratch("nci43.sdf");
  obabelCount({kNci, "-l", "43", "-O", input});
  // SD fills the folder with the molecules to split; compressed SMILES, with the split files
  // (uncompressed, those go straight to the output folder).
  for (auto [format, compressed] : {std::pair{"sdf", false}, {"sdf", true}, {"smi", true}}) {
    {
      std::string where = std::string(format) + (compressed ? " gz" : "");
      ScopedRunPlace place(small, temp());
      turnOn("zipoutput", compressed);
      std::string folder = scratch("out " + where);
      EXPECT_THAT(splitRange(input, folder, format), HasSubstr("No room left")) << where;
      std::string extension = std::string(".") + format + (compressed ? ".gz" : "");
      EXPECT_THAT(splitFiles(folder, extension), IsEmpty()) << where;
      EXPECT_TRUE(fs::is_empty(small)) << where;
    }
  }
}

}  // namespace
}  // namespace molbench::testing
