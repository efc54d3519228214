// The pattern every tool pane follows, written once: the two file choosers with the output
// preset beside the input, and the run recipe (read the obabel path, find a sibling program,
// refuse a run that cannot succeed or would destroy an input, compose, store, print, run).
//
// A pane derives from ToolPane<itself>, declares its own members under their given names (it
// must have the texts `obabelPath` and `obshellCommand`), and composes its command in a pure
// function that gets the program's head word. See src/tools/README.md.
#pragma once

#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ChooseFile.h"
#include "common/CommandFragments.h"
#include "common/CompressedInput.h"
#include "common/FormatFromName.h"
#include "common/KeptOutput.h"
#include "common/OutputFormat.h"
#include "common/OutputGuard.h"
#include "common/Refusal.h"
#include "common/RunFailure.h"
#include "common/Shell.h"
#include "common/ShellQuote.h"
#include "common/WriteFailure.h"
#include "platform/Bindings.h"
#include "platform/FileUrl.h"
#include "tools/FlatMolecules.h"
#include "tools/ObToolPath.h"
#include "tools/ToolTables.h"

namespace molbench {

// One run of a tool, as the recipe needs it.
struct ToolRun {
  // The sibling program to run ("obtautomer"); obabel itself when absent.
  std::optional<std::string> program = std::nullopt;
  std::vector<InputFile> inputs = {};  // the files the program reads, by field
  std::optional<std::string> output =
      std::nullopt;           // the path it writes (by -O or "> "), when it writes one
  bool printsCommand = true;  // written to standard output before it runs
  // The program works on the atoms' positions (a force field): an input that holds none would
  // give a meaningless result, so it runs nothing.
  bool needsCoordinates = false;
  // What the program would make of an input without positions, as the refusal says it.
  const char* withoutCoordinates =
      "the force field would place every atom at one point and report a meaningless result";
  // The pane shows what the program writes on standard error: it speaks for its own failures,
  // and only a command that never started is said with an alert.
  bool showsErrors = false;
  // The output file is what the run is for, and the pane shows nothing else: a run that leaves
  // it empty is said with an alert. Off where the output is only guarded (a results file
  // appended to later).
  bool outputIsResult = true;
  // The program sets up a force field for each molecule, and leaves out one it cannot type
  // with only a line of its own (Confab's on standard output): where the output file is the
  // result, that is said.
  bool usesForceField = false;
  // The run makes 3D coordinates, and obabel writes a molecule it could not make them for
  // without them, with only a line on standard error: where the output file is the result,
  // that is said.
  bool makesCoordinates = false;
  // Where obabel may write molecules flat without a word (Open Babel 3.1.1 makes no coordinates
  // at its fastest speeds, and warns only when it writes SD or Mol2): the written file is read
  // back, and flat molecules in it are said as above.
  bool readsBackCoordinates = false;
  // The program writes in the format of its (first) input, whatever the output's name says.
  bool outputInInputFormat = false;
  // obabel fits molecules onto a template (--align), and leaves out one whose coordinates are
  // not of the template's dimension with only a line on standard error: where the output file
  // is the result, that is said, with how many.
  bool fitsOntoTemplate = false;
  // Why a run that went well by its program's status left no result in the output file (a
  // header with no record, say), or nothing when it holds one: said like a failure, and the
  // file that was there goes back.
  struct NoResult {
    std::string title, sentence;
  };
  std::function<std::optional<NoResult>()> noResult = nullptr;
};

// A SMILES file by its extension: it holds no atom positions.
inline bool namesSmilesFile(const std::string& path) {
  std::string extension = platform::FileUrl::fromPath(path).pathExtension();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "smi" || extension == "smiles";
}

// The alert shown when no sibling program path can be formed.
inline constexpr const char* kNoProgramAlertTitle = "Set the obabel path";

template <class Pane>
class ToolPane : public platform::BoundViewController<Pane> {
 public:
  explicit ToolPane(platform::Platform& platform) : platform::BoundViewController<Pane>(platform) {}

  // The pane's command runner: /bin/bash -c, standard output only, as UTF-8 text.
  platform::posix::BashRun shell(const std::string& command) { return shellRun(command); }

 protected:
  using Outlets = std::vector<std::string>;

  // The pattern's input chooser: the chosen path goes into inputFilepath and, when the pane has
  // a default output, outputFilepath becomes the chosen item's folder followed by it.
  void selectInput(const ToolFiles& files) {
    if (!connected("inputFileSelect:", {"inputFilepath", "outputFilepath"})) return;
    auto& pane = self();
    bool chosen = choosePath(kChooseInputTitle, files.inputExtensions, pane.inputFilepath,
                             files.defaultOutput.empty() ? nullptr : &pane.outputFilepath,
                             files.defaultOutput);
    if (chosen && files.outputInInputFormat)
      pane.outputFilepath->setText(
          inInputFormat(pane.outputFilepath->text(), pane.inputFilepath->text()));
  }

  // The pattern's output chooser: an open panel, so an existing file or a folder.
  void selectOutput(const ToolFiles& files) {
    if (!connected("outputFileSelect:", {"outputFilepath"})) return;
    choosePath(kChooseOutputTitle, files.outputExtensions, self().outputFilepath);
  }

  // Any chooser: on OK the chosen path goes into the target field and, with a preset field,
  // that field gets the chosen item's folder followed by the ending. True when chosen.
  bool choosePath(const std::string& title, const Extensions& extensions,
                  platform::Outlet<platform::TextField>& target,
                  platform::Outlet<platform::TextField>* preset = nullptr,
                  const std::string& ending = {}) {
    auto chosen = chooseFile(this->platform(), title, extensions);
    if (!chosen) return false;
    target->setText(chosen->path());
    if (preset) (*preset)->setText(folderPreset(*chosen, ending));
    return true;
  }

  // True when every named outlet is connected (else one diagnostic line names the first gap).
  bool connected(const std::string& action, const Outlets& outlets) {
    for (const auto& outlet : outlets)
      if (!this->outletsConnected(action, {outlet})) return false;
    return true;
  }

  // The run recipe. `compose` gets the command's head (the obabel path or the sibling program,
  // as one shell word) and returns the whole command, or nothing when it refused the run itself
  // (having said why). Returns what the program wrote to standard output; nothing when the run
  // was refused, failed (the user is told why) or its output is not text.
  std::optional<std::string> runTool(
      const ToolRun& run,
      const std::function<std::optional<std::string>(const std::string&)>& compose) {
    auto& pane = self();
    failureSaid_ = false;
    if (!obabelPathForRun(this->platform(), pane.obabelPath)) return std::nullopt;
    const std::string obabelWord = programWord(pane.obabelPath);
    std::string head = obabelWord;
    if (run.program) {
      auto program = obtoolPath(pane.obabelPath, *run.program);
      if (!program) {
        alertNoProgram(*run.program, pane.obabelPath);
        return std::nullopt;
      }
      if (!acceptedUnless(this->platform(), programFileProblem(*run.program, *program),
                          kNoProgramAlertTitle))
        return std::nullopt;
      head = programWord(*program);
    }
    std::string program = run.program.value_or("obabel");
    auto inputs = run.inputs;
    for (auto& input : inputs) input.reader = program;
    if (!runAccepted(this->platform(), inputs, run.output)) return std::nullopt;
    if (!compressedInputsAccepted(this->platform(), inputs, obabelWord)) return std::nullopt;
    if (run.outputInInputFormat && run.output && !inputs.empty() &&
        !acceptedUnless(this->platform(),
                        outputFormatProblem(program, inputs.front().path, *run.output),
                        kOutputAlertTitle))
      return std::nullopt;
    if (run.needsCoordinates && !coordinatesPresent(inputs, run.withoutCoordinates))
      return std::nullopt;
    auto command = compose(head);
    if (!command) return std::nullopt;
    // The program empties the file it writes before it knows whether it gives a result.
    std::optional<KeptOutput> kept;
    if (run.output && run.outputIsResult) {
      kept.emplace(*run.output, this->platform().temporaryDirectory());
      if (!acceptedUnless(this->platform(), kept->keep(), kOutputAlertTitle)) return std::nullopt;
    }
    pane.obshellCommand = std::move(*command);
    if (run.printsCommand) this->platform().diagnostic(pane.obshellCommand);
    auto result = pane.shell(pane.obshellCommand);
    auto failure = failureOf(run, result, program, kept && kept->kept());
    if (kept && failure) appendSentence(*failure, kept->putBack());
    if (kept) kept->discard();
    failureSaid_ = failure.has_value();
    if (failure) this->platform().runAlert(*failure);
    // The file keeps the molecules the force field could type, and those left without 3D
    // coordinates: a format that holds none (SMILES, InChI) has lost nothing by them.
    if (!failureSaid_ && run.output && run.outputIsResult && run.usesForceField)
      saidLeftOut(this->platform(), result, LeftOut::forceFieldTypes, program, *run.output);
    if (!failureSaid_ && run.output && run.outputIsResult && run.makesCoordinates &&
        !namesCoordinatelessFormat(formatFromName(*run.output, nameRuleOf(program, "output"))))
      saidFlatMolecules(run, result, program, obabelWord);
    if (!failureSaid_ && run.output && run.outputIsResult && run.fitsOntoTemplate)
      saidLeftOut(this->platform(), result, LeftOut::unlikeDimensions, program, *run.output);
    if (failureSaid_) return std::nullopt;
    return std::move(result.output);
  }

  // The input-format popup's row as obabel's flag, kept in iFileType for the command: "-i" and
  // the row's code, or "" while "Choose" leaves the format to the file's name. Gives how the
  // input's format is then learned.
  FormatSource takeInputFormat() {
    auto& pane = self();
    pane.iFileType = inputFormatFlag(pane.inputFiletype->titleOfSelectedItem());
    return formatSourceOf(pane.iFileType);
  }

  // Whether the last run's failure was said with an alert (a pane then adds no word of its own).
  bool failureSaid() const { return failureSaid_; }

 private:
  Pane& self() { return static_cast<Pane&>(*this); }

  // A SMILES format chosen in the popup makes obabel read any file as SMILES.
  bool smilesChosen() { return chosenInputFlag() == "-ismi" || chosenInputFlag() == "-ismiles"; }

  std::string chosenInputFlag() {
    if constexpr (requires(Pane & pane) { pane.iFileType; }) return self().iFileType;
    return "";
  }

  // Molecules the run wrote without 3D coordinates, as obabel says or, where it may say
  // nothing, as the written file shows them next to the input.
  void saidFlatMolecules(const ToolRun& run, const platform::posix::BashRun& result,
                         const std::string& program, const std::string& obabelWord) {
    std::optional<FlatCount> flat;
    if (run.readsBackCoordinates && !run.inputs.empty())
      flat =
          moleculesWrittenFlat(obabelWord, chosenInputFlag(), run.inputs.front().path, *run.output);
    Concerned concerned = flat && flat->flat > 0 && flat->flat == flat->molecules ? Concerned::every
                                                                                  : Concerned::some;
    if (!saidLeftOut(this->platform(), result, LeftOut::threeDCoordinates, program, *run.output,
                     OutputKind::file, concerned) &&
        flat && flat->flat > 0)
      this->platform().runAlert(flatOutputAlert(result, program, *run.output, concerned));
  }

  // Why the run gave no result, said after the program's name: it failed, could not write its
  // output (which then, with `earlierKept`, goes back to what it was) or left it empty.
  std::optional<platform::AlertRequest> failureOf(const ToolRun& run,
                                                  const platform::posix::BashRun& result,
                                                  const std::string& program, bool earlierKept) {
    auto failure = runFailureAlert(result, run.showsErrors ? Failures::notStarted : Failures::any,
                                   program, pipedOutput(self().obshellCommand, run.output));
    // Before the empty file is judged: obabel's own words say why, and an old file at the
    // output's name is no result of this run.
    if (!failure)
      failure =
          writeFailureAlert(result, program, run.output,
                            earlierKept ? OutputFate::saidByCaller : OutputFate::keptAsWritten);
    if (!failure && run.output && run.outputIsResult)
      failure = emptyOutputAlert(result, program, *run.output);
    if (!failure && run.noResult)
      if (auto why = run.noResult())
        failure = unusableOutputAlert(result, why->title, why->sentence);
    return failure;
  }

  static void appendSentence(platform::AlertRequest& alert, const std::string& sentence) {
    if (!sentence.empty()) alert.informativeText += "\n\n" + sentence;
  }

  bool coordinatesPresent(const std::vector<InputFile>& inputs, const std::string& without) {
    for (const auto& file : inputs) {
      const std::string& input = file.path;
      bool smiles = file.format == FormatSource::chosen ? smilesChosen() : namesSmilesFile(input);
      if (!smiles) continue;
      platform::AlertRequest alert;
      alert.messageText = "This input has no coordinates";
      alert.informativeText = "\"" + input +
                              "\" is read as SMILES: it holds no atom positions, so " + without +
                              ". Make 3D coordinates first (obgen) and use that file.";
      alert.buttons = {"OK"};
      this->platform().runAlert(alert);
      return false;
    }
    return true;
  }

  void alertNoProgram(const std::string& program, const std::string& obabelPath) {
    platform::AlertRequest alert;
    alert.messageText = kNoProgramAlertTitle;
    alert.informativeText =
        program + " is looked for in the folder of obabel, but the stored path \"" + obabelPath +
        "\" gives no such folder. Enter the full path of obabel in the preferences: for the "
        "programs beside it, a path without blanks or characters outside ASCII.";
    alert.buttons = {"OK"};
    this->platform().runAlert(alert);
  }

  bool failureSaid_ = false;
};

}  // namespace molbench
