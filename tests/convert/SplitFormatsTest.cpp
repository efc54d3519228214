// A split under a selection writes each molecule as obabel writes that molecule converted alone
// from the input, in every format obabel writes: titles verbatim (no "id" before a number),
// stereo and hydrogens as they were, no scratch file named. Run with the real obabel, the runs
// side by side to keep the table quick.
#include <gmock/gmock.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>

#include "ConvertFixture.h"
#include "common/FormatTables.h"
#include "common/OutputGuard.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

namespace fs = std::filesystem;

// Formats left out of the table: "copy" writes the input's own text, which another test checks.
// A fast-search index (fs) of one molecule holds that molecule's place in the file obabel read,
// and obabel's own split (-m) writes its index beside the input and leaves the split files
// empty. In obabel's own split these write later files unlike the molecule converted alone
// (POV-Ray's header in the first file only, a second PNG that holds MDL text): cmlr, cof, cub,
// cube, paint, png, pov.
const std::vector<std::string> kLeftOut = {"copy", "fs",    "cmlr", "cof", "cub",
                                           "cube", "paint", "png",  "pov"};

// obabel's time stamps (SD's header line, dates and times in reports, the seconds since 1970 that
// name an untitled molecule in macromolecular CIF) change between runs.
std::string withoutTimeStamps(const std::string& text) {
  static const std::regex stamps(R"(OpenBabel\d{10}|\d\d:\d\d:\d\d|\d\d/\d\d/\d{2,4}|T\d{10}\b)");
  return std::regex_replace(text, stamps, "T");
}

class SplitFormats : public ConvertPaneTest {
 protected:
  std::vector<std::string> writtenFormats() {
    std::istringstream lines(runForOutput(std::string(kObabel) + " -L formats write"));
    std::vector<std::string> codes;
    for (std::string line; std::getline(lines, line);) {
      std::string code = line.substr(0, line.find(' '));
      if (line.find(" -- ") != std::string::npos &&
          std::find(kLeftOut.begin(), kLeftOut.end(), code) == kLeftOut.end())
        codes.push_back(code);
    }
    return codes;
  }
  // The name obabel gives the `k`th file of a split into `folder`/m.FMT, in `folder`, or in
  // `folder`/alone for that molecule converted alone.
  static std::string numbered(const std::string& folder, const std::string& code, int k,
                              bool alone = false) {
    auto [before, after] = splitOutputNames(folder + "/m." + code);
    std::string name = fs::path(before + std::to_string(k) + after).filename().string();
    return folder + (alone ? "/alone/" : "/") + name;
  }
  // The script that splits `input` from molecule `first` into `folder`/m.FMT, with the settings
  // `more` makes, and those that convert each of those molecules alone, with `aloneOptions`, into
  // `folder`/alone.
  void addRuns(const std::string& input, int molecules, const std::string& folder,
               const std::string& code, int first = 2,
               const std::function<void(ConversionSettings&)>& more = {},
               const std::string& aloneOptions = "") {
    fs::create_directories(folder + "/alone");
    ConversionSettings s;
    s.inputPath = input;
    s.outputPath = folder + "/m." + code;
    s.inputFormat = s.outputFormat = kAutodetectRow;
    s.hydrogens = kChooseRow;
    s.convertAll = false;
    s.firstMolecule = std::to_string(first);
    s.splitMolecules = true;
    if (more) more(s);
    ConversionPieces pieces;
    scripts.push_back(composeConversion(kObabel, s, pieces).command);
    for (int n = first; n <= molecules; ++n)
      scripts.push_back(std::string(kObabel) + " " + quotedPath(input) + " -f " +
                        std::to_string(n) + " -l " + std::to_string(n) + " -o" + code + " -O " +
                        quotedPath(numbered(folder, code, n - first + 1, true)) + aloneOptions);
  }
  // Each of the `files` split files in `folder` equals its molecule converted alone, and there
  // are no more.
  void expectAlone(const std::string& folder, const std::string& code, int files) {
    // A molecule obabel writes nothing of alone (no coordinates, no reaction) leaves an empty
    // file there, and no file in the split.
    for (int k = 1; k <= files; ++k) {
      std::string split = numbered(folder, code, k);
      EXPECT_TRUE(withoutTimeStamps(fileExists(split) ? readFile(split) : "") ==
                  withoutTimeStamps(readFile(numbered(folder, code, k, true))))
          << split << " differs from the molecule converted alone";
    }
    EXPECT_FALSE(fileExists(numbered(folder, code, files + 1))) << folder;
  }
  // Runs every script, four at a time.
  void runAll() {
    std::string list;
    for (size_t i = 0; i < scripts.size(); ++i) {
      writeFile(scratch("runs/" + std::to_string(i)), scripts[i]);
      list += scratch("runs/" + std::to_string(i)) + "\n";
    }
    writeFile(scratch("runs/list"), list);
    runForOutput("xargs -P 4 -n 1 -d '\\n' bash < " + quotedPath(scratch("runs/list")) +
                 " 2>/dev/null");
  }
  std::vector<std::string> scripts;
};

// Over SMILES with numeric titles and stereo and SD with untitled records, plain and compressed:
// through CML, "456" became "id456"; InChIKeys gained the cis/trans of a double bond the input
// leaves open; a PDB read back gained a "MODEL 1" line and bonds; an XYZ file of an untitled
// molecule was titled "/dev/fd/3".
TEST_F(SplitFormats, EachFileIsTheMoleculeConvertedAlone) {
  fs::create_directories(scratch("runs"));
  writeFile(scratch("titles.smi"), "CCO 456\nC/C=C\\C 12\nN[C@@H](C)C(=O)O\nCC=CC 3\n");
  obabelCount({kNci, "-f", "83", "-l", "85", "-O", scratch("untitled.sdf")});
  // PDB files of several models, in 3D and flat: obabel titles each molecule with the file's path.
  obabelCount({scratch("titles.smi"), "--gen3d", "-O", scratch("models.pdb")});
  obabelCount({scratch("titles.smi"), "--gen2d", "-O", scratch("flat.pdb")});
  const std::vector<std::pair<std::string, int>> inputs = {{scratch("titles.smi"), 4},
                                                           {scratch("untitled.sdf"), 3},
                                                           {scratch("models.pdb"), 4},
                                                           {scratch("flat.pdb"), 4}};
  // Compressed, a few formats suffice: obabel copies the records uncompressed, and a numeric
  // title or open cis/trans written anew through CML changed in these.
  runForOutput("gzip -k " + quotedPath(scratch("titles.smi")) + " " +
               quotedPath(scratch("untitled.sdf")));
  const std::vector<std::pair<std::string, int>> compressed = {{scratch("titles.smi.gz"), 4},
                                                               {scratch("untitled.sdf.gz"), 3}};
  const std::vector<std::string> fewCodes = {"smi", "sdf", "mol", "gjf", "inchikey"};
  const auto codes = writtenFormats();
  ASSERT_GT(codes.size(), 100u);
  auto eachCase = [&](const std::function<void(const std::string&, int, const std::string&,
                                               const std::string&)>& run) {
    for (const auto& [list, formats] :
         {std::pair(&inputs, &codes), std::pair(&compressed, &fewCodes)})
      for (const auto& [input, molecules] : *list)
        for (const auto& code : *formats)
          run(input, molecules, scratch("split " + fs::path(input).stem().string() + "/" + code),
              code);
  };
  eachCase([&](const std::string& input, int molecules, const std::string& folder,
               const std::string& code) { addRuns(input, molecules, folder, code); });
  runAll();
  eachCase([&](const std::string&, int molecules, const std::string& folder,
               const std::string& code) { expectAlone(folder, code, molecules - 1); });
}

// obabel titles each molecule of a PDB file with the file's path, which the split run reads as
// "/dev/fd/3": the user's own title and appended values stay. A PDB file that obabel cannot copy
// whole (no MODEL records, no END after the last model: the copy wrote nothing of the last
// molecule) still splits every molecule it selects.
TEST_F(SplitFormats, PdbInputKeepsTitlesAndEveryMolecule) {
  fs::create_directories(scratch("runs"));
  writeFile(scratch("in.smi"), "CCO 456\nCC(=O)O\nc1ccccc1N\n");
  obabelCount({scratch("in.smi"), "--gen2d", "-O", scratch("models.pdb")});
  std::string models = readFile(scratch("models.pdb"));
  writeFile(scratch("unended.pdb"), models.substr(0, models.rfind("END\n")));
  obabelCount({scratch("in.smi"), "-l", "1", "--gen2d", "-O", scratch("one.pdb")});
  addRuns(
      scratch("models.pdb"), 3, scratch("append"), "sdf", 2,
      [](ConversionSettings& s) {
        s.appendToTitle = true;
        s.appendText = "MW";
      },
      " --append MW");
  addRuns(
      scratch("models.pdb"), 3, scratch("title"), "smi", 2,
      [](ConversionSettings& s) {
        s.setTitle = true;
        s.title = "given";
      },
      " --title given");
  addRuns(scratch("unended.pdb"), 3, scratch("unended"), "smi");
  addRuns(scratch("one.pdb"), 1, scratch("one"), "smi", 1, [](ConversionSettings& s) {
    s.smartsMode = "matching";
    s.smarts = "O";
  });
  runAll();
  expectAlone(scratch("append"), "sdf", 2);
  expectAlone(scratch("title"), "smi", 2);
  expectAlone(scratch("unended"), "smi", 2);
  expectAlone(scratch("one"), "smi", 1);
}

// MNA and macromolecular CIF name the input path as obabel was given it, FPS its name after the
// last "/" or "\": a split run that read the scratch file named "/dev/fd/3" (or "3"), compressed
// or not, and through the runs that apply a pH after the coordinates.
TEST_F(SplitFormats, FilesNameTheInputNotTheScratchFile) {
  fs::create_directories(scratch("runs"));
  fs::create_directories(scratch("it's a dir"));
  std::string input = scratch("it's a dir/-a\\b 'c'.smi");
  writeFile(input, "CCO 456\nCC(=O)O 7\nc1ccccc1N 8\n");
  auto compress = [](ConversionSettings& s) { s.compress = true; };
  addRuns(input, 3, scratch("-mna"), "mna");
  addRuns(input, 3, scratch("-mcif 'x'"), "mcif", 2, compress);
  addRuns(input, 3, scratch("-fps"), "fps", 2, compress);
  // The pH, which obabel alone loses after coordinates, is applied there, so only the name
  // is compared.
  addRuns(input, 3, scratch("-mmcif"), "mmcif", 2, [](ConversionSettings& s) {
    s.hydrogens = "-p Add Hydrogens appropriate for pH";
    s.pH = "7";
    s.generate2D = true;
  });
  runAll();
  for (const char* folder : {"-mcif 'x'", "-fps"})
    runForOutput("gunzip " + quotedPath(scratch(folder)) + "/m*.gz");
  expectAlone(scratch("-mna"), "mna", 2);
  expectAlone(scratch("-mcif 'x'"), "mcif", 2);
  expectAlone(scratch("-fps"), "fps", 2);
  for (int k = 1; k <= 2; ++k) {
    std::string split = readFile(numbered(scratch("-mmcif"), "mmcif", k));
    EXPECT_THAT(split, ::testing::HasSubstr("\n# The contents of this file were derived from " +
                                            input + "\n"));
    EXPECT_THAT(split, ::testing::Not(::testing::HasSubstr("/dev/fd/3")));
  }
}

// A compressed file whose last record obabel's copy loses (its last line unterminated: copied,
// the last molecule was gone) still splits every molecule it selects.
TEST_F(SplitFormats, CompressedInputSplitsItsLastMolecule) {
  fs::create_directories(scratch("runs"));
  writeFile(scratch("unended.smi"), "CCO 456\nCC(=O)O 7\nc1ccccc1N 8");
  runForOutput("gzip " + quotedPath(scratch("unended.smi")));
  addRuns(scratch("unended.smi.gz"), 3, scratch("unended"), "smi");
  runAll();
  expectAlone(scratch("unended"), "smi", 2);
}

// Inputs that obabel's copy cannot pass whole, and options the two runs of a split share out:
// each split file is the molecule converted alone (or, where the selection depends on the whole
// file, the split files are the unsplit run's molecules), and none is missing unsaid.
struct InputCase {
  std::string name;
  std::string input;  // in the scratch folder
  int molecules;
  std::vector<std::string> codes;
  std::function<void(ConversionSettings&)> more = {};
  std::string aloneOptions = "";
  bool againstUnsplit = false;
};

TEST_F(SplitFormats, EveryInputSplitsAsItsMoleculesConvertAlone) {
  fs::create_directories(scratch("runs"));
  // Numeric titles, stereo (the parity of record 84 came out 3 where obabel alone writes 1) and
  // untitled records with data fields.
  writeFile(scratch("titles.smi"), "CCO 456\nC/C=C\\C 12\nN[C@@H](C)C(=O)O\nCC=CC 3\n");
  obabelCount({scratch("titles.smi"), "--gen2d", "-O", scratch("titles.sdf")});
  obabelCount({kNci, "-f", "83", "-l", "85", "-O", scratch("nci.sdf")});
  std::string sd = readFile(scratch("titles.sdf")) + readFile(scratch("nci.sdf"));
  writeFile(scratch("windows.sdf"), std::regex_replace(sd, std::regex("\n"), "\r\n"));
  // The last record ends in a data field's value, with no line feed; or in "M  END".
  std::string unended = sd.substr(0, sd.rfind("$$$$"));
  writeFile(scratch("unended.sdf"), unended.substr(0, unended.find_last_not_of('\n') + 1));
  std::string titled = readFile(scratch("titles.sdf"));
  writeFile(scratch("bare.sdf"), titled.substr(0, titled.rfind("M  END") + 6));
  writeFile(scratch("windows.smi"), "CCO 456\r\nC/C=C\\C 12\r\nN[C@@H](C)C(=O)O\r\nCC=CC 3\r");
  // Written anew in CML, a record lost its place in 8 of 8 PDB files; in XYZ, an untitled one
  // was titled "/dev/fd/3"; in fract, 1 file was written for 8 molecules.
  obabelCount({scratch("windows.sdf"), "-O", scratch("molecules.cml")});
  obabelCount({scratch("windows.sdf"), "-O", scratch("molecules.xyz")});
  // obabel's copy of the last PDB model ends at its ENDMDL, and a split into "copy" wrote nothing
  // of it.
  obabelCount({scratch("titles.smi"), "--gen2d", "-O", scratch("models.pdb")});
  const std::vector<std::string> codes = {"mol", "sdf", "xyz", "smi", "inchi", "cml", "mol2"};
  const std::vector<std::string> rewritten = {"mol", "xyz", "smi", "pdb", "fract", "exyz", "gro"};
  const std::vector<InputCase> cases = {
      {"windows", "windows.sdf", 7, codes},
      {"unended", "unended.sdf", 7, codes},
      {"bare", "bare.sdf", 4, {"mol", "xyz", "smi"}},
      {"windows smiles", "windows.smi", 4, {"smi", "mol", "inchi"}},
      {"cml", "molecules.cml", 7, rewritten},
      {"xyz", "molecules.xyz", 7, rewritten},
      {"pdb", "models.pdb", 4, {"copy"}},
  };
  for (const auto& c : cases)
    for (const auto& code : c.codes)
      addRuns(scratch(c.input), c.molecules, scratch(c.name + "/" + code), code, 2, c.more,
              c.aloneOptions);
  runAll();
  for (const auto& c : cases)
    for (const auto& code : c.codes)
      expectAlone(scratch(c.name + "/" + code), code, c.molecules - 1);
}

}  // namespace
}  // namespace molbench::testing
