#include "convert/Convertcontroller.h"

#include "common/ChooseFile.h"
#include "common/CommandFragments.h"
#include "common/DiskRoom.h"
#include "common/FormatChoice.h"
#include "common/FormatFromName.h"
#include "common/IndexSearchStop.h"
#include "common/KeptOutput.h"
#include "common/NoMoleculeRead.h"
#include "common/OutputGuard.h"
#include "common/PopupHelpers.h"
#include "common/Refusal.h"
#include "common/Shell.h"
#include "common/SmartsCheck.h"
#include "convert/ConvertTexts.h"
#include "convert/SdTagListing.h"

namespace molbench {

namespace {

using P = Convertcontroller;

constexpr const char* kPHExample = "e.g. 7.4";

}  // namespace

const platform::Bindings<Convertcontroller>& Convertcontroller::bindings() {
  static const auto table =
      FileFormatControls::bind(platform::Bindings<P>())
          .outlet("hydrogensPop", &P::hydrogensPop)
          .outlet("thePH", &P::thePH)
          .outlet("centreCordinates", &P::centreCordinates)
          .outlet("convertDativebonds", &P::convertDativebonds)
          .outlet("onlyUniquemols", &P::onlyUniquemols)
          .outlet("joinIntosinglemol", &P::joinIntosinglemol)
          .outlet("splitIntoindividualmols", &P::splitIntoindividualmols)
          .outlet("canonicaliseAtomorder", &P::canonicaliseAtomorder)
          .outlet("filterOption", &P::filterOption)
          .outlet("filterProperties", &P::filterProperties)
          .outlet("zipoutput", &P::zipoutput)
          .outlet("generate2D", &P::generate2D)
          .outlet("generate3D", &P::generate3D)
          .outlet("addTitleIndex", &P::addTitleIndex)
          .outlet("theTitle", &P::theTitle)
          .outlet("removeSalts", &P::removeSalts)
          .outlet("appendTotitle", &P::appendTotitle)
          .outlet("valueToappend", &P::valueToappend)
          .outlet("fromTo", &P::fromTo)
          .outlet("convertAll", &P::convertAll)
          .outlet("convertSeletion", &P::convertSeletion)
          .outlet("convertFrom", &P::convertFrom)
          .outlet("convertTo", &P::convertTo)
          .outlet("smartsConvertoptions", &P::smartsConvertoptions)
          .outlet("smartsConvert", &P::smartsConvert)
          .outlet("obabelText", &P::obabelText)
          .action("inputFileSelect:", &P::inputFileSelect)
          .action("outputFileSelect:", &P::outputFileSelect)
          .action("convertFile:", &P::convertFile)
          .action("checkObabel:", &P::checkObabel)
          .action("runObabelcommand:", &P::runObabelcommand)
          .action("countMols:", &P::countMols)
          .action("radioButtonChanged:", &P::radioButtonChanged, {"convertAll", "convertSeletion"})
          .action("listTags:", &P::listTags)
          .action("filterHelp:", &P::filterHelp);
  return table;
}

void Convertcontroller::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"inputFiletype", "outputFiletype", "smartsConvertoptions",
                                        "hydrogensPop", "convertAll", "convertSeletion"}))
    return;
  fillPopup(*inputFiletype.get(), iFileTypes);
  fillPopup(*outputFiletype.get(), oFileTypes);
  fillPopup(*smartsConvertoptions.get(), smartConvertmenuoptions);
  fillPopup(*hydrogensPop.get(), hydrogensMenu);
  convertAll->setOn(true);
  convertSeletion->setOn(false);
  if (thePH) thePH->setPlaceholder(kPHExample);
}

void Convertcontroller::inputFileSelect(platform::Control*) {
  if (!outletsConnected("inputFileSelect:", {"inputFilepath", "outputFilepath"})) return;
  auto chosen = chooseFileInto(platform(), kChooseInputTitle, *inputFilepath.get());
  if (chosen) outputFilepath->setText(folderPreset(*chosen, "/"));
}

void Convertcontroller::outputFileSelect(platform::Control*) {
  if (!outletsConnected("outputFileSelect:", {"outputFilepath"})) return;
  chooseFileInto(platform(), kChooseOutputTitle, *outputFilepath.get());
}

void Convertcontroller::inputFileTypeChosen(platform::Control* sender) {
  if (!outletsConnected("inputFileTypeChosen:", {"inputFileoptions"})) return;
  showInputOptionsForPick(sender, *inputFileoptions.get());
}

void Convertcontroller::outputFileTypeChosen(platform::Control* sender) {
  if (!outletsConnected("outputFileTypeChosen:", {"outputFileoptions"})) return;
  showOutputOptionsForPick(sender, *outputFileoptions.get());
}

void Convertcontroller::convertFile(platform::Control*) {
  auto composed = guardedConversion("convertFile:");
  if (!composed) return;
  auto kind = splitIntoindividualmols->isOn() ? OutputKind::splitFiles : OutputKind::file;
  // obabel empties one output file before it has read a molecule; numbered files it writes only
  // for the molecules it read.
  KeptOutput kept(composed->outputPath, platform().temporaryDirectory());
  if (kind == OutputKind::file && !acceptedUnless(platform(), kept.keep(), kOutputAlertTitle))
    return;
  // A conversion's results are the files obabel writes; what it prints is not shown.
  auto run = runWritingCommand(platform(), obshellCommand, composed->command, composed->outputPath);
  if (!run) return;
  if (saidNoMoleculeRead(platform(), *run,
                         {obabelPath, inputFilepath->text(), iFileType, iFileTypeOption},
                         composed->outputPath, kind, kept))
    return;
  // The file keeps the molecules obabel could not make 3D coordinates for; a format that holds
  // no coordinates (SMILES, InChI) has lost nothing by them.
  if (generate3D->isOn() && !writesCoordinatelessFormat(composed->outputPath))
    saidLeftOut(platform(), *run, LeftOut::threeDCoordinates, "obabel", composed->outputPath, kind);
  // A query on an index finds only what the index search looked at.
  saidIndexSearchStop(platform(), *run,
                      pathsRead({{"input", inputFilepath->text(), formatSourceOf(iFileType)}}),
                      composed->outputPath, kind);
}

bool Convertcontroller::writesCoordinatelessFormat(const std::string& outputPath) const {
  if (!ofirstWord.empty()) return isCoordinatelessCode(ofirstWord);
  return namesCoordinatelessFormat(formatFromName(outputPath, nameRuleOf("obabel", "output")));
}

void Convertcontroller::checkObabel(platform::Control*) {
  if (!outletsConnected("checkObabel:", {"obabelText"})) return;
  auto composed = guardedConversion("checkObabel:");
  if (!composed) return;
  shownText = {};
  obabelText->setText(composed->command);
}

void Convertcontroller::runObabelcommand(platform::Control*) {
  if (!outletsConnected("runObabelcommand:", {"obabelText"})) return;
  std::string command = obabelText->text();
  if (!acceptedUnless(platform(), notACommandProblem(command), kNotACommandTitle)) return;
  runComposedCommand(platform(), obshellCommand, command, Failures::any, "The command");
}

void Convertcontroller::countMols(platform::Control*) {
  if (!outletsConnected("countMols:", {"inputFilepath", "inputFiletype", "obabelText"})) return;
  FormatSource format = formatSourceOf(inputFormatFlag(inputFiletype->titleOfSelectedItem()));
  if (!inputFilesAccepted(platform(), {{"input", inputFilepath->text(), format}})) return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  auto output = runComposedCommand(
      platform(), obshellCommand,
      composeCount(obabelPath, inputFiletype->titleOfSelectedItem(), inputFilepath->text()),
      Failures::notStarted);
  if (!output) {
    platform().diagnostic("countMols: the count printed no UTF-8 text; nothing to show");
    return;
  }
  obshellresult = *output;
  // Warnings come before obabel's summary line; the count is the summary's number.
  auto count = countFromSummary(obshellresult);
  // Without obabel's summary line the pipe holds only the first words of error lines
  // ("/bin/bash:" for a missing program): no count to show.
  if (!acceptedUnless(platform(), count ? std::nullopt : std::optional(noCountProblem()),
                      kNoCountAlertTitle))
    return;
  showInCommandField(kCountPrefix + *count + "\n" + kCountSuffix, kShownCount);
}

// The two range buttons form one group in the layout; the range is read from convertAll
// when a command is composed.
void Convertcontroller::radioButtonChanged(platform::Control*) {}

void Convertcontroller::listTags(platform::Control*) {
  if (!outletsConnected("listTags:", {"inputFilepath", "obabelText"})) return;
  // The listing reads the file's data headers itself, whatever its name.
  if (!inputFilesAccepted(platform(), {{"input", inputFilepath->text(), FormatSource::none}}) ||
      !acceptedUnless(platform(), compressedFileProblem(inputFilepath->text()), kInputAlertTitle))
    return;
  showInCommandField(listSdTags(inputFilepath->text()), kShownTags);
}

std::string Convertcontroller::noCountProblem() const {
  return "obabel printed no number of molecules for \"" + inputFilepath->text() +
         "\". Check the obabel path in the preferences (\"" + obabelPath +
         "\") and that the file is a molecule file of the chosen format.";
}

std::optional<std::string> Convertcontroller::notACommandProblem(const std::string& command) const {
  // An empty field runs nothing, whatever emptied it.
  if (command.empty() || (command != shownText.text && command != shownText.readBack))
    return std::nullopt;
  return "The command field holds " + std::string(shownText.what) +
         ", not a command, so nothing was run. Press Check to put the conversion command there, "
         "or type a command.";
}

void Convertcontroller::filterHelp(platform::Control*) {
  if (!outletsConnected("filterHelp:", {"obabelText"})) return;
  showInCommandField(kFilterHelp, kShownFilterHelp);
}

void Convertcontroller::showInCommandField(const std::string& text, const char* what) {
  obabelText->setText(text);
  // The window's field may hand the text back changed (a no-break space as a blank, a line
  // separator or a lone carriage return as a line break), and Run reads what it hands back.
  shownText = {text, obabelText->text(), what};
}

std::optional<ComposedCommand> Convertcontroller::guardedConversion(std::string_view action) {
  if (!conversionControlsConnected(action)) return std::nullopt;
  auto settings = readSettings();
  // Composed on a copy: a refused run leaves the pane as it was.
  ConversionPieces pieces = *this;
  std::string obabel;
  if (!obabelPathForRun(platform(), obabel)) return std::nullopt;
  auto composed = composeConversion(obabel, settings, pieces);
  auto kind = settings.splitMolecules ? OutputKind::splitFiles : OutputKind::file;
  InputFile input{"input", settings.inputPath, formatSourceOf(pieces.iFileType)};
  input.searched = searchesIndex(settings.smartsMode);
  // A pattern file is read after obabel empties the output, as the input is.
  auto read = withPatternFile(pathsRead({input}), settings.smartsMode, settings.smarts);
  if (!runAccepted(platform(), {input}, settings.outputPath, kind) ||
      !acceptedUnless(platform(), conversionProblem(settings, pieces, composed.outputPath),
                      kOutputAlertTitle) ||
      !outputPathAccepted(platform(), composed.outputPath, read, kind) ||
      !smartsFilterAccepted(platform(), obabel, settings.smartsMode, settings.smarts,
                            smartsUseForInput(settings.inputPath, pieces.iFileType)))
    return std::nullopt;
  static_cast<ConversionPieces&>(*this) = pieces;
  obabelPath = obabel;
  if (composed.inputFormatLine) platform().diagnostic(*composed.inputFormatLine);
  obshellCommand = composed.command;
  return composed;
}

bool Convertcontroller::conversionControlsConnected(std::string_view action) {
  return outletsConnected(action, {"inputFilepath", "outputFilepath", "inputFiletype",
                                   "outputFiletype", "inputFileoptions", "outputFileoptions"}) &&
         outletsConnected(action, {"hydrogensPop", "thePH", "convertAll", "convertFrom",
                                   "convertTo", "smartsConvertoptions", "smartsConvert"}) &&
         outletsConnected(action, {"filterProperties", "theTitle", "valueToappend"}) &&
         outletsConnected(action, {"centreCordinates", "convertDativebonds", "onlyUniquemols",
                                   "joinIntosinglemol", "splitIntoindividualmols"}) &&
         outletsConnected(action, {"canonicaliseAtomorder", "zipoutput", "generate2D", "generate3D",
                                   "addTitleIndex", "appendTotitle"}) &&
         outletsConnected(action, {"filterOption", "removeSalts"});
}

ConversionSettings Convertcontroller::readSettings() const {
  ConversionSettings s;
  static_cast<FormatSettings&>(s) = readFormatSettings();
  s.inputPath = inputFilepath->text();
  s.outputPath = outputFilepath->text();
  s.hydrogens = hydrogensPop->titleOfSelectedItem();
  s.pH = thePH->text();
  s.convertAll = convertAll->isOn();
  s.firstMolecule = convertFrom->text();
  s.lastMolecule = convertTo->text();
  s.smartsMode = smartsConvertoptions->titleOfSelectedItem();
  s.smarts = smartsConvert->text();
  s.filterExpression = filterProperties->text();
  s.title = theTitle->text();
  s.appendText = valueToappend->text();
  s.centreCoordinates = centreCordinates->isOn();
  s.dativeBonds = convertDativebonds->isOn();
  s.uniqueOnly = onlyUniquemols->isOn();
  s.joinMolecules = joinIntosinglemol->isOn();
  s.splitMolecules = splitIntoindividualmols->isOn();
  s.canonicalOrder = canonicaliseAtomorder->isOn();
  s.compress = zipoutput->isOn();
  s.generate2D = generate2D->isOn();
  s.generate3D = generate3D->isOn();
  s.setTitle = addTitleIndex->isOn();
  s.appendToTitle = appendTotitle->isOn();
  s.filter = filterOption->isOn();
  s.removeSalts = removeSalts->isOn();
  s.scratchKeptFromRoot = shellScratchKeptFromRoot();
  return s;
}

}  // namespace molbench
