// The cases every tool pane shares, run over each pane by one parameterised fixture; the
// panes' rows are in ToolPattern.cpp.
#pragma once

#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CalculationTestSupport.h"
#include "PaneFixture.h"
#include "TestSupport.h"
#include "platform/ViewController.h"
#include "platform/headless/Harness.h"
#include "tools/ToolTables.h"

namespace molbench::testing {

struct ToolPaneCase {
  std::string identifier;
  std::string run;                 // the run action ("runObgen:")
  std::string program = "obabel";  // or the sibling program the pane runs ("obtautomer")
  std::string defaultOutput = {};  // what the input chooser puts after the folder; "" for none
  Extensions inputExtensions = std::nullopt;
  Extensions outputExtensions = std::nullopt;
  bool printsCommand = true;
  bool formatChoiceReachesProgram = true;  // the input-format popup's row reaches obabel as -i
  // Panes that differ from the pattern's path fields and choosers name their own; an empty
  // output field means the pane writes no output file (its output is shown, or there is none).
  std::string inputField = "inputFilepath";
  std::string outputField = "outputFilepath";
  std::string inputChooser = "inputFileSelect:";
  std::string outputChooser = "outputFileSelect:";  // "" when the pane has none
  std::string inputTitle = "Choose input file";
  // The pane's own fields typed with values a shell would mangle, and the arguments the program
  // must get for them; "IN" and "OUT" stand for the input and output paths, and "@name" for a
  // molecule file of that name in the scratch folder (a second file the pane reads).
  std::vector<std::pair<std::string, std::string>> typed = {};
  std::vector<std::string> arguments = {};
  bool firstOfCompressed = false;    // reads only a gzip-compressed file's first molecule
  bool outputInInputFormat = false;  // writes in its input's format, so the preset takes its end
};

// A pane's own fixture, named by its scene identifier:
//   using Obgen = ToolPane<obgenviewcontroller, "obgen">;
template <std::size_t N>
struct SceneIdentifier {
  constexpr SceneIdentifier(const char (&name)[N]) { std::copy_n(name, N, text); }
  char text[N];
};
template <class Pane, SceneIdentifier identifier>
class ToolPane : public PaneTest<Pane> {
 protected:
  ToolPane() : PaneTest<Pane>(identifier.text) {}
};

std::string caseName(const ::testing::TestParamInfo<ToolPaneCase>& info);

// A tool pane made by its scene identifier in a fresh headless world, with stand-ins for obabel
// and its sibling programs in one folder, so every run records the arguments it got.
class ToolPattern : public ::testing::TestWithParam<ToolPaneCase> {
 protected:
  ToolPattern();
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  void setText(const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }
  std::string text(const std::string& outlet) { return h.field(pane, outlet).text(); }
  // Stand-ins for obabel and the named sibling, stored as the obabel path's folder.
  void useStandIns(const std::string& program);
  std::vector<std::string> standInArguments() { return recordedArguments(scratch("arguments")); }
  bool standInRan() { return fileExists(scratch("arguments")); }
  // "@name" as the scratch molecule file it stands for, made on first use; else the value.
  std::string resolved(const std::string& value);
  // Types the pane's own values into their fields.
  void typeValues();
  // Presses the run once for each field and path: with the pane's values typed, the input and
  // output set, and that one field holding that path. None may run or touch the output, which
  // holds "kept"; each says why with one alert.
  using FieldPaths = std::vector<std::pair<std::string, std::string>>;
  void expectEachRefused(const FieldPaths& refused, const std::string& input,
                         const std::string& output);

  headless::Harness h;
  std::shared_ptr<platform::ViewController> panePointer;
  platform::ViewController& pane;
};

// True when every molecule of the file has a coordinate off the plane z = 0.
bool hasThreeDCoordinates(const std::string& path);
// Writes the molecule of the SMILES with 3D coordinates from obabel; gives the path.
std::string threeDMolecule(const std::string& smiles, const std::string& path);
// The molecules in a file, as obabel counts them.
int moleculeCount(const std::string& path);

}  // namespace molbench::testing
