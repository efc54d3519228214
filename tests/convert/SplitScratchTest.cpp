// A split under a selection goes through a scratch file: its files, read in order, hold the
// molecules of the one-run output; a $TMPDIR of any name serves, and one too small for the
// split is said, with no split file left behind. Run with the real obabel on real files.
#include <gmock/gmock.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>

#include "ConvertFixture.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class SplitScratchRuns : public ConvertPaneTest {
 protected:
  ~SplitScratchRuns() override {
    fs::current_path(oldFolder);
    oldTmpdir.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", oldTmpdir.c_str(), 1);
  }

  // $TMPDIR for the runs, relative to the scratch folder, which becomes the working folder.
  void useTmpdir(const std::string& name) {
    ::setenv("TMPDIR", name.c_str(), 1);
    fs::current_path(temp());
  }
  // Converts the molecules of `input` from the `first` on, split to `folder`/m.`format`, else to
  // `folder`/all.`format`: the files written, in order. `said` gets the run's alert, or "".
  std::vector<std::string> convert(const std::string& input, const std::string& folder,
                                   const std::string& format, bool splitting,
                                   const std::string& first = "2") {
    fs::create_directories(folder);
    size_t alerts = h.alerts().size();
    setText("inputFilepath", input);
    setText("outputFilepath", folder + (splitting ? "/m." : "/all.") + format);
    turnOn("convertAll", false);
    setText("convertFrom", first);
    turnOn("splitIntoindividualmols", splitting);
    h.press(pane, "convertFile:");
    said = h.alerts().size() == alerts
               ? ""
               : h.alerts().back().messageText + "\n" + h.alerts().back().informativeText;
    if (!splitting) return {folder + "/all." + format};
    std::string extension = "." + format + (h.button(pane, "zipoutput").isOn() ? ".gz" : "");
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
  std::string said;
  fs::path oldFolder = fs::current_path();
  std::string oldTmpdir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
};

// Through SD, cis/trans and L/D from SMILES fell out of the InChIs, Mol2 charges and atom names
// and PDB residue names were made anew, and SD from SMILES lost its cis/trans.
TEST_F(SplitScratchRuns, FilesReadInOrderEqualTheOneRunOutput) {
  const std::string d = "/usr/share/RDKit/Contrib/CalcLigRMSD/data/";
  obabelCount({d + "JVE_renamed.pdb", d + "docked_2c6e_ACP_pH74_netcharge1.pdb",
               d + "docked_2c6e_N15_pH74_netcharge1.pdb", d + "SKE_renamed.pdb", "-O",
               scratch("ligands.pdb")});
  for (auto input :
       {testDataPath("stereo.smi"), testDataPath("named.mol2"), scratch("ligands.pdb")})
    // Not PDB: a file of several molecules numbers them ("MODEL 1"), which one molecule's file,
    // as obabel writes it alone, does not (SplitFormatsTest).
    for (std::string format : {"sdf", "smi", "can", "inchi", "mol2", "xyz", "cml"}) {
      std::string folder = scratch(fs::path(input).stem().string() + " " + format);
      auto files = convert(input, folder, format, true);
      EXPECT_EQ(said, "") << folder;
      EXPECT_TRUE(reread(files, format) == reread(convert(input, folder, format, false), format))
          << folder << ": the split files differ from the one-run output";
    }
}

// InChIKeys, which obabel only writes, come from the split run alone; InChIs with names after
// them are read back with their names. Each split file, in order, holds one line of the one-run
// output: through SD, the InChIKeys of cis and trans 2-butene were one.
TEST_F(SplitScratchRuns, LineFormatsAndOptionsWriteWhatTheOneRunWrites) {
  for (auto [format, option] :
       {std::pair{"inchikey -- InChIKey", ""},
        {"inchi -- InChI format", "-xK    output InChIKey only"},
        {"inchi -- InChI format", "-xt    add molecule name after InChI"}}) {
    std::string code = std::string(format).substr(0, std::string(format).find(' '));
    std::string folder = scratch(std::string("options ") + option), joined;
    h.choose(pane, "outputFiletype", format);
    if (*option) h.choose(pane, "outputFileoptions", option);
    for (const auto& file : convert(testDataPath("stereo.smi"), folder, code, true))
      joined += readFile(file);
    EXPECT_EQ(said, "") << option;
    EXPECT_EQ(joined, readFile(convert(testDataPath("stereo.smi"), folder, code, false)[0]));
    EXPECT_EQ(std::count(joined.begin(), joined.end(), '\n'), 5) << option;
  }
}

// A $TMPDIR that holds "*" or ".gz", or that begins with "-", made obabel write the split files
// where the command did not look, or read nothing: through the scratch file of a selection, or
// the scratch folder of a compressed split (here from the first molecule: no selection).
TEST_F(SplitScratchRuns, AnyTemporaryFolderNameServesTheSplit) {
  int runs = 0;
  for (std::string tmpdir : {"a*b", "c.gz", "-d"})
    for (bool compressed : {false, true}) {
      fs::create_directory(scratch(tmpdir));
      useTmpdir(tmpdir);
      turnOn("zipoutput", compressed);
      auto files = convert(testDataPath("small.smi"), scratch("out " + std::to_string(++runs)),
                           "smi", true, compressed ? "1" : "2");
      EXPECT_EQ(said, "") << tmpdir << compressed;
      EXPECT_EQ(files.size(), compressed ? 10u : 9u) << tmpdir << compressed;
      EXPECT_TRUE(fs::is_empty(scratch(tmpdir))) << tmpdir << compressed << ": scratch left";
    }
}

// A temporary folder too small for the split: obabel exits 0 when its writes fail, and the
// split went on with what fitted, 32 whole files, or 32 empty compressed ones.
TEST_F(SplitScratchRuns, AFullTemporaryFolderIsSaidAndLeavesNoSplitFile) {
  std::string small = scratch("small tmp");
  fs::create_directory(small);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  std::unique_ptr<const char, void (*)(const char*)> unmount(
      small.c_str(), [](const char* dir) { ::umount2(dir, MNT_DETACH); });
  useTmpdir(small);
  // SD fills the folder with the molecules to split; compressed SMILES, with the split files
  // (uncompressed, those go straight to the output folder).
  for (std::string format : {"sdf", "smi"}) {
    turnOn("zipoutput", format == "smi");
    EXPECT_EQ(convert(kNci, scratch("out " + format), format, true).size(), 0u) << format;
    EXPECT_THAT(said, HasSubstr("No room left")) << format;
    EXPECT_TRUE(fs::is_empty(small)) << format;
  }
}

// ext4 keeps blocks for root: once an ordinary user's writes have met the end, root's split
// still writes its scratch file whole and goes on; once root's own writes meet the end, the
// split is stopped, said.
TEST_F(SplitScratchRuns, RootSplitsIntoTheBlocksKeptForRootAndIsStoppedWhenThoseRunOut) {
  std::string disk = scratch("ext4 disk"), at = "cd " + quotedPath(temp()) + " && ";
  if (::geteuid() != 0 ||
      runForOutput(at + "truncate -s 8M ext4 && mkfs.ext4 -q -m 5 ext4 && mkdir 'ext4 disk' && "
                        "mount -o loop ext4 'ext4 disk' && chmod 777 'ext4 disk' && echo ok") !=
          "ok\n")
    GTEST_SKIP() << "no ext4 image can be mounted here";
  std::unique_ptr<const char, void (*)(const char*)> unmount(
      disk.c_str(), [](const char* dir) { ::umount2(dir, MNT_DETACH); });
  runForOutput("cd " + quotedPath(disk) + " && setpriv --reuid=nobody --regid=nogroup " +
               "--clear-groups bash -c 'head -c 20M /dev/zero > users' 2>/dev/null");
  useTmpdir("ext4 disk");
  EXPECT_EQ(convert(testDataPath("small.smi"), scratch("out 1"), "sdf", true).size(), 9u);
  EXPECT_EQ(said, "");
  runForOutput("head -c 20M /dev/zero > " + quotedPath(disk + "/root") + " 2>/dev/null");
  EXPECT_EQ(convert(testDataPath("small.smi"), scratch("out 2"), "sdf", true).size(), 0u);
  EXPECT_THAT(said, HasSubstr("No room left"));
}

}  // namespace
}  // namespace molbench::testing
