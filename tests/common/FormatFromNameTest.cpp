// The rule by which Molbench foresees whether obabel, or a program beside it, can tell an input's
// format from its name, checked against the real programs: each name of the table is a file in
// the scratch folder, and every program the panes run is asked to read it in each place it
// reads a file.
#include <gmock/gmock.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "common/FormatFromName.h"
#include "common/FormatTables.h"
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
    "mols.nul",   "mols.k",       "mols.fs",         "mols.sdf.",   "x. sdf",       "mols.log",
};

// Each program a pane runs, by the field of the file it reads there, as a command in which IN
// stands for that file and REF for a molecule file it reads beside it. obrms says nothing at
// all when a name gives no format.
const std::tuple<std::string, std::string, std::string> kReaders[] = {
    {"obabel", "input", "/usr/bin/obabel IN -onul"},
    {"obprop", "input", "/usr/bin/obprop IN"},
    {"obtautomer", "input", "/usr/bin/obtautomer IN"},
    {"obrotate", "input", "/usr/bin/obrotate '[#6]~[#6]~[#6]~[#6]' IN 1 2 3 4 60"},
    {"obprobe", "input", "/usr/bin/obprobe -s 1 -p 1 1 0.0 IN"},
    {"obsym", "input", "/usr/bin/obsym IN"},
    {"obthermo", "input", "/usr/bin/obthermo IN"},
    {"obspectrophore", "input", "/usr/bin/obspectrophore -i IN"},
    {"obrms", "reference", "/usr/bin/obrms IN REF"},
    {"obrms", "test", "/usr/bin/obrms REF IN"},
};

// Whether the program reports that it cannot read the file's format (a crash of obsym or
// obthermo comes after reading), or, for obrms, says nothing.
bool refuses(const std::string& command, bool silentWithoutFormat) {
  std::string said = runForOutput(command + " 2>&1; echo \"[status $?]\"");
  for (const char* complaint : {"annot read input format", "Not a valid input format",
                                "cannot read and/or write this file format",
                                "cannot read input/output format", "Could not find file format"})
    if (said.find(complaint) != std::string::npos) return true;
  return silentWithoutFormat && said == "[status 0]\n";
}

class FormatFromName : public ::testing::Test {
 protected:
  FormatFromName() { std::filesystem::create_directories(folder); }
  ~FormatFromName() override { std::filesystem::remove_all(folder); }

  std::string folder =
      std::filesystem::temp_directory_path() / ("molbench-names-" + std::to_string(::getpid()));
};

// Each name holds methane as an SD file whose title line is methane's SMILES, so that read as
// either it gives a molecule; gzip-compressed where the name says so.
TEST_F(FormatFromName, ForeseesWhatEachProgramMakesOfEveryNameInEachPlace) {
  std::string reference = folder + "/reference.sdf";
  writeFile(
      reference,
      "C\n OpenBabel\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\nM  END\n$$$$\n");
  for (const auto& [program, field, command] : kReaders) {
    int readable = 0, refused = 0;
    for (std::string name : kNames) {
      std::string path = folder + "/" + name;
      writeFile(path, readFile(reference));
      if (name.ends_with(".gz"))
        runForOutput("gzip -c " + quotedPath(reference) + " > " + quotedPath(path));
      std::string run = std::regex_replace(command, std::regex("IN"), quotedPath(path));
      bool reads = !refuses(std::regex_replace(run, std::regex("REF"), quotedPath(reference)),
                            program == "obrms");
      EXPECT_EQ(formatFromName(path, nameRuleOf(program, field)).kind == NameFormat::Kind::readable,
                reads)
          << program << " (" << field << "): " << name;
      (reads ? readable : refused)++;
    }
    EXPECT_GT(readable, 10) << program;
    EXPECT_GT(refused, 10) << program;
  }
}

// Every format code of the obabel installed here, in the direction it lists for it: a code
// missing from the tables would refuse a name obabel reads.
TEST_F(FormatFromName, KnowsEveryFormatCodeObabelLists) {
  std::set<std::string> readable, writeOnly, readOnly;
  std::map<std::string, std::string> described;  // each code's format, as obabel describes it
  std::istringstream listing(runForOutput(std::string(kObabel) + " -L formats"));
  for (std::string line; std::getline(listing, line);) {
    std::string code = line.substr(0, line.find(' '));
    described[code] = std::regex_replace(line.substr(line.find(" -- ") + 4),
                                         std::regex(" \\[(Read|Write)-only\\]$"), "");
    bool onlyWritten = line.find("[Write-only]") != std::string::npos;
    (onlyWritten ? writeOnly : readable).insert(code);
    if (line.find("[Read-only]") != std::string::npos) readOnly.insert(code);
  }
  auto set = [](const auto& codes) { return std::set<std::string>(codes.begin(), codes.end()); };
  EXPECT_EQ(set(readableFormatCodes()), readable);
  EXPECT_EQ(set(writeOnlyFormatCodes()), writeOnly);
  EXPECT_EQ(set(readOnlyFormatCodes()), readOnly);
  // Codes of one format ("sd", "sdf", "mol") are told apart from others by their descriptions.
  for (const auto& [code, description] : described)
    for (const auto& [other, otherDescription] : described)
      EXPECT_EQ(formatDescription(code) == formatDescription(other),
                description == otherDescription)
          << code << " " << other;
}

// A run that makes 3D coordinates says nothing of a file whose format cannot hold them: each
// format obabel both reads and writes gets a 3D molecule, and those it reads back with every
// atom at the origin are the ones foreseen.
TEST_F(FormatFromName, ForeseesWhichFormatsHoldNoCoordinates) {
  std::string command;
  for (std::string_view code : readableFormatCodes()) {
    // The index format writes its file beside the molecules it indexes.
    if (isIndexCode(code) ||
        std::ranges::find(readOnlyFormatCodes(), code) != readOnlyFormatCodes().end())
      continue;
    std::string c(code);
    // A reader that crashes reads nothing back; bash's word of it goes with obabel's.
    command += "printf '%s ' " + c + "; { " + kObabel + " " +
               quotedPath(testDataPath("cdk2-12.sdf")) + " -l 1 -o" + c + " | " + kObabel + " -i" +
               c + " -oxyz; } 2>/dev/null | awk 'NR > 2 && NF >= 4 " +
               "{ n++; if ($2 + 0 || $3 + 0 || $4 + 0) off++ } END { print n + 0, off + 0 }'; ";
  }
  std::istringstream measured(runForOutput(command));
  int formats = 0;
  for (std::string code; measured >> code;) {
    int atoms = 0, offOrigin = 0;
    measured >> atoms >> offOrigin;
    EXPECT_EQ(namesCoordinatelessFormat(formatFromName("mols." + code, nameRuleOf("obabel", ""))),
              atoms > 0 && offOrigin == 0)
        << code << ": " << offOrigin << " of " << atoms << " atoms off the origin";
    ++formats;
  }
  EXPECT_GT(formats, 90);
  EXPECT_TRUE(namesCoordinatelessFormat(formatFromName("out.SMI.gz", nameRuleOf("obabel", ""))));
}

}  // namespace
}  // namespace molbench::testing
