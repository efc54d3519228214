#include "convert/Convertcontroller.h"

#include "common/ChooseFile.h"
#include "common/FormatChoice.h"
#include "common/PopupHelpers.h"
#include "common/Shell.h"
#include "convert/ConvertTexts.h"
#include "convert/SdTagListing.h"

namespace molbench {

namespace {

using P = Convertcontroller;

std::string textOf(const platform::Outlet<platform::TextField>& field) {
  return field.get()->text();
}

std::string titleOf(const platform::Outlet<platform::PopUpButton>& popup) {
  return popup.get()->titleOfSelectedItem();
}

bool isOn(const platform::Outlet<platform::Button>& button) { return button.get()->isOn(); }

}  // namespace

const platform::Bindings<Convertcontroller>& Convertcontroller::bindings() {
  static const auto table =
      platform::Bindings<P>()
          .outlet("inputFilepath", &P::inputFilepath)
          .outlet("inputFiletype", &P::inputFiletype)
          .outlet("inputFileoptions", &P::inputFileoptions)
          .outlet("outputFilepath", &P::outputFilepath)
          .outlet("outputFiletype", &P::outputFiletype)
          .outlet("outputFileoptions", &P::outputFileoptions)
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
          .action("inputFileTypeChosen:", &P::inputFileTypeChosen, {"inputFiletype"})
          .action("outputFileTypeChosen:", &P::outputFileTypeChosen, {"outputFiletype"})
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
  convertAll.get()->setOn(true);
  convertSeletion.get()->setOn(false);
}

void Convertcontroller::inputFileSelect(platform::Control*) {
  if (!outletsConnected("inputFileSelect:", {"inputFilepath", "outputFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseInputTitle);
  if (!chosen) return;
  inputFilepath.get()->setText(chosen->path());
  outputFilepath.get()->setText(folderPreset(*chosen, "/"));
}

void Convertcontroller::outputFileSelect(platform::Control*) {
  if (!outletsConnected("outputFileSelect:", {"outputFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseOutputTitle);
  if (!chosen) return;
  outputFilepath.get()->setText(chosen->path());
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
  auto command = composeFromControls("convertFile:");
  if (!command) return;
  // A conversion's results are the files obabel writes; what it prints is not shown.
  runComposedCommand(platform(), obshellCommand, *command);
}

void Convertcontroller::checkObabel(platform::Control*) {
  if (!outletsConnected("checkObabel:", {"obabelText"})) return;
  auto command = composeFromControls("checkObabel:");
  if (!command) return;
  obabelText.get()->setText(*command);
}

void Convertcontroller::runObabelcommand(platform::Control*) {
  if (!outletsConnected("runObabelcommand:", {"obabelText"})) return;
  runComposedCommand(platform(), obshellCommand, obabelText.get()->text());
}

void Convertcontroller::countMols(platform::Control*) {
  if (!outletsConnected("countMols:", {"inputFilepath", "inputFiletype", "obabelText"})) return;
  obabelPath = lookUpObabelPath(platform());
  auto output =
      runComposedCommand(platform(), obshellCommand,
                         composeCount(obabelPath, titleOf(inputFiletype), textOf(inputFilepath)));
  if (!output) {
    platform().diagnostic("countMols: the count printed no UTF-8 text; nothing to show");
    return;
  }
  obshellresult = *output;
  obshellresult = kCountPrefix + obshellresult + kCountSuffix;
  obabelText.get()->setText(obshellresult);
}

// The two range buttons form one group in the layout; the range is read from convertAll
// when a command is composed.
void Convertcontroller::radioButtonChanged(platform::Control*) {}

void Convertcontroller::listTags(platform::Control*) {
  if (!outletsConnected("listTags:", {"inputFilepath", "obabelText"})) return;
  obabelText.get()->setText(listSdTags(textOf(inputFilepath)));
}

void Convertcontroller::filterHelp(platform::Control*) {
  if (!outletsConnected("filterHelp:", {"obabelText"})) return;
  obabelText.get()->setText(kFilterHelp);
}

std::optional<std::string> Convertcontroller::composeFromControls(std::string_view action) {
  if (!conversionControlsConnected(action)) return std::nullopt;
  obabelPath = lookUpObabelPath(platform());
  auto composed = composeConversion(obabelPath, readSettings(), *this);
  if (composed.inputFormatLine) platform().diagnostic(*composed.inputFormatLine);
  obshellCommand = composed.command;
  return composed.command;
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
  s.inputPath = textOf(inputFilepath);
  s.outputPath = textOf(outputFilepath);
  s.inputFormat = titleOf(inputFiletype);
  s.outputFormat = titleOf(outputFiletype);
  s.readOption = titleOf(inputFileoptions);
  s.writeOption = titleOf(outputFileoptions);
  s.hydrogens = titleOf(hydrogensPop);
  s.pH = textOf(thePH);
  s.convertAll = isOn(convertAll);
  s.firstMolecule = textOf(convertFrom);
  s.lastMolecule = textOf(convertTo);
  s.smartsMode = titleOf(smartsConvertoptions);
  s.smarts = textOf(smartsConvert);
  s.filterExpression = textOf(filterProperties);
  s.title = textOf(theTitle);
  s.appendText = textOf(valueToappend);
  s.centreCoordinates = isOn(centreCordinates);
  s.dativeBonds = isOn(convertDativebonds);
  s.uniqueOnly = isOn(onlyUniquemols);
  s.joinMolecules = isOn(joinIntosinglemol);
  s.splitMolecules = isOn(splitIntoindividualmols);
  s.canonicalOrder = isOn(canonicaliseAtomorder);
  s.compress = isOn(zipoutput);
  s.generate2D = isOn(generate2D);
  s.generate3D = isOn(generate3D);
  s.setTitle = isOn(addTitleIndex);
  s.appendToTitle = isOn(appendTotitle);
  s.filter = isOn(filterOption);
  s.removeSalts = isOn(removeSalts);
  return s;
}

}  // namespace molbench
