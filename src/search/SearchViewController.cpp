#include "search/SearchViewController.h"

#include "common/ChooseFile.h"
#include "common/FormatChoice.h"
#include "common/CommandFragments.h"
#include "common/EditorPage.h"
#include "common/PopupHelpers.h"
#include "common/Shell.h"
#include "common/TemporaryDirectory.h"
#include "search/SearchCommands.h"

namespace molbench {

namespace {

using P = SearchViewController;

constexpr const char* kIndexAlertMessage = "check file type";
constexpr const char* kIndexAlertInformation = "Need to choose a .fs file";

}  // namespace

SearchViewController::SearchViewController(platform::Platform& platform)
    : BoundViewController(platform),
      temporaryDirectory(temporaryDirectoryUrl(platform)),
      iFileTypes(formatTables().iFileTypes),
      oFileTypes(formatTables().oFileTypes),
      inputMenuRead(formatTables().inputMenuRead),
      inputMenuCif(formatTables().inputMenuCif),
      inputMenuMdl(formatTables().inputMenuMdl),
      inputMenuInchi(formatTables().inputMenuInchi),
      inputMenuSmiles(formatTables().inputMenuSmiles),
      inputMenuMol2(formatTables().inputMenuMol2),
      outputMenuCml(formatTables().outputMenuCml),
      outputMenuCmlreact(formatTables().outputMenuCmlreact),
      outputMenuFasta(formatTables().outputMenuFasta),
      outputMenuFpt(formatTables().outputMenuFpt),
      outputMenuMop(formatTables().outputMenuMop),
      outputMenuMdl(formatTables().outputMenuMdl),
      outputMenuMpd(formatTables().outputMenuMpd),
      outputMenuSmi(formatTables().outputMenuSmi),
      outputMenuCan(formatTables().outputMenuCan),
      outputMenuPov(formatTables().outputMenuPov),
      outputMenuPubchem(formatTables().outputMenuPubchem),
      outputMenuChemDo(formatTables().outputMenuChemDo),
      outputMenuSybmol2(formatTables().outputMenuSybmol2),
      outputMenuPdb(formatTables().outputMenuPdb),
      outputMenuPng(formatTables().outputMenuPng),
      outputMenuInchi(formatTables().outputMenuInchi),
      smartSearchmenuoptions(formatTables().smartConvertmenuoptions) {}

const platform::Bindings<SearchViewController>& SearchViewController::bindings() {
  static const auto table =
      platform::Bindings<P>()
          .outlet("inputFilepath", &P::inputFilepath)
          .outlet("inputFiletype", &P::inputFiletype)
          .outlet("inputFileoptions", &P::inputFileoptions)
          .outlet("outputFilepath", &P::outputFilepath)
          .outlet("outputFiletype", &P::outputFiletype)
          .outlet("outputFileoptions", &P::outputFileoptions)
          .outlet("obabelCommand", &P::obabelCommand)
          .outlet("molView", &P::molView)
          .outlet("smartsSearch", &P::smartsSearch)
          .outlet("smartsSearchoptions", &P::smartsSearchoptions)
          .outlet("similarityScore", &P::similarityScore)
          .outlet("fssearchPath", &P::fssearchPath)
          .outlet("obabelText", &P::obabelText)
          .action("inputFileSelect:", &P::inputFileSelect)
          .action("outputFileSelect:", &P::outputFileSelect)
          .action("inputFileTypeChosen:", &P::inputFileTypeChosen, {"inputFiletype"})
          .action("outputFileTypeChosen:", &P::outputFileTypeChosen, {"outputFiletype"})
          .action("loadEditor:", &P::loadEditor)
          .action("checkObabel:", &P::checkObabel)
          .action("createFS:", &P::createFS)
          .action("chooseFSfile:", &P::chooseFSfile)
          .action("runFSsearch:", &P::runFSsearch);
  return table;
}

std::optional<std::string> SearchViewController::shell(const std::string& command) {
  return molbench::shell(command);
}

void SearchViewController::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"inputFiletype", "outputFiletype", "smartsSearchoptions"}))
    return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*outputFiletype.get(), oFileTypes, 0);
  fillPopup(*smartsSearchoptions.get(), smartSearchmenuoptions, 0);
}

void SearchViewController::inputFileSelect(platform::Control*) {
  if (!outletsConnected("inputFileSelect:", {"inputFilepath", "outputFilepath", "fssearchPath"}))
    return;
  auto chosen = chooseFile(platform(), kChooseInputTitle);
  if (!chosen) return;
  inputFilepath.get()->setText(chosen->path());
  outputFilepath.get()->setText(folderPreset(*chosen, "/"));
  fssearchPath.get()->setText(extensionPreset(*chosen, ".fs"));
}

void SearchViewController::outputFileSelect(platform::Control*) {
  if (!outletsConnected("outputFileSelect:", {"outputFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseOutputTitle);
  if (chosen) outputFilepath.get()->setText(chosen->path());
}

void SearchViewController::inputFileTypeChosen(platform::Control* sender) {
  if (!outletsConnected("inputFileTypeChosen:", {"inputFileoptions"})) return;
  showInputOptionsForPick(sender, *inputFileoptions.get());
}

void SearchViewController::outputFileTypeChosen(platform::Control* sender) {
  if (!outletsConnected("outputFileTypeChosen:", {"outputFileoptions"})) return;
  showOutputOptionsForPick(sender, *outputFileoptions.get());
}

void SearchViewController::loadEditor(platform::Control*) {
  if (!outletsConnected("loadEditor:", {"molView"})) return;
  molbench::loadEditor(platform(), *molView.get(), temporaryDirectory, true);
}

void SearchViewController::updateSmartsFragment() {
  auto fragment =
      smartsFragment(smartsSearchoptions.get()->titleOfSelectedItem(), smartsSearch.get()->text());
  if (fragment) osmartsConvert = *fragment;
}

std::string SearchViewController::composeFileSearch() {
  syntaxSimscore = similarityPiece(similarityScore.get()->text());
  updateSmartsFragment();

  std::string inputTitle = inputFiletype.get()->titleOfSelectedItem();
  if (inputTitle != kAutodetectRow) platform().diagnostic(inputTitle);
  iFileType = inputFormatFlag(inputTitle);

  std::string outputTitle = outputFiletype.get()->titleOfSelectedItem();
  if (outputTitle == kAutodetectRow) {
    oFileType.clear();
  } else {
    ofirstWord = firstWord(outputTitle);
    oFileType = "-o" + ofirstWord;
  }

  iFileTypeOption = tokenUnless(inputFileoptions.get()->titleOfSelectedItem(), kOptionsRow);
  oFileTypeOption = tokenUnless(outputFileoptions.get()->titleOfSelectedItem(), kOptionsRow);

  return fileSearchCommand({
      .obabelPath = obabelPath,
      .iFileType = iFileType,
      .inputPath = inputFilepath.get()->text(),
      .iFileTypeOption = iFileTypeOption,
      .oFileType = oFileType,
      .oFileTypeOption = oFileTypeOption,
      .outputText = fileSearchOutputText(outputFilepath.get()->text(), ofirstWord),
      .osmartsConvert = osmartsConvert,
      .syntaxSimscore = syntaxSimscore,
  });
}

void SearchViewController::checkObabel(platform::Control*) {
  if (!outletsConnected("checkObabel:", {"inputFilepath", "inputFiletype", "inputFileoptions",
                                         "outputFilepath", "outputFiletype", "outputFileoptions",
                                         "smartsSearch", "smartsSearchoptions", "similarityScore"}))
    return;
  obabelPath = lookUpObabelPath(platform());
  runComposedCommand(platform(), obshellCommand, composeFileSearch());
}

void SearchViewController::createFS(platform::Control*) {
  if (!outletsConnected("createFS:", {"inputFilepath", "fssearchPath", "obabelText"})) return;
  obabelPath = lookUpObabelPath(platform());
  obshellCommand = indexBuildCommand(obabelPath, iFileType, inputFilepath.get()->text(),
                                     fssearchPath.get()->text());
  obabelText.get()->setText(obshellCommand);
  shell(obshellCommand);
}

void SearchViewController::chooseFSfile(platform::Control*) {
  if (!outletsConnected("chooseFSfile:", {"fssearchPath"})) return;
  auto chosen =
      chooseFile(platform(), kChooseIndexTitle, std::vector<std::string>{"fs"});
  if (chosen) fssearchPath.get()->setText(chosen->path());
}

void SearchViewController::runFSsearch(platform::Control*) {
  if (!outletsConnected("runFSsearch:", {"fssearchPath", "outputFilepath", "smartsSearch",
                                         "smartsSearchoptions", "similarityScore", "obabelText"}))
    return;
  obabelPath = lookUpObabelPath(platform());
  std::string indexPath = fssearchPath.get()->text();
  std::string outputPath = outputFilepath.get()->text();
  syntaxSimscore = similarityPiece(similarityScore.get()->text());
  if (indexPathLacksExtension(indexPath)) {
    platform::AlertRequest alert;
    alert.messageText = kIndexAlertMessage;
    alert.informativeText = kIndexAlertInformation;
    alert.buttons = {"OK"};
    platform().runAlert(alert);
  }
  updateSmartsFragment();
  obshellCommand =
      indexSearchCommand(obabelPath, indexPath, outputPath, syntaxSimscore, osmartsConvert);
  obabelText.get()->setText(obshellCommand);
  shell(obshellCommand);
}

}  // namespace molbench
