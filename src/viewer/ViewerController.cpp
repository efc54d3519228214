#include "viewer/ViewerController.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <unordered_set>

#include "common/ChooseFile.h"
#include "common/CommandFragments.h"
#include "common/EditorPage.h"
#include "common/InputGuard.h"
#include "common/OutputGuard.h"
#include "common/PopupHelpers.h"
#include "common/Refusal.h"
#include "common/ReportShell.h"
#include "common/ScratchPicture.h"
#include "common/Shell.h"
#include "common/ShellQuote.h"
#include "common/SmartsCheck.h"
#include "common/TemporaryDirectory.h"
#include "common/TextFile.h"
#include "common/WebRequests.h"
#include "common/WriteLock.h"
#include "platform/SendTurns.h"
#include "platform/Utf8.h"
#include "viewer/ExportFiles.h"
#include "viewer/ExportJoin.h"
#include "viewer/RequestPacer.h"
#include "viewer/ViewerCommands.h"
#include "viewer/ViewerTexts.h"

namespace molbench {

namespace {

using P = ViewerController;

std::optional<std::string> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

ViewerController::ViewerController(platform::Platform& platform)
    : BoundViewController(platform),
      temporaryDirectory(temporaryDirectoryUrl(platform)),
      iFileTypes(kViewerInputFormats),
      matchOrnotchoice(kMatchModes),
      pacer_(std::make_unique<RequestPacer>()),
      pubchemSends_(std::make_shared<platform::SendTurns>()) {}

ViewerController::~ViewerController() = default;

const platform::Bindings<ViewerController>& ViewerController::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("chemdataArraycontroller", &P::chemdataArraycontroller)
                                .outlet("molView", &P::molView)
                                .outlet("tableView", &P::tableView)
                                .outlet("selectedCount", &P::selectedCount)
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("smartsString", &P::smartsString)
                                .outlet("matchOrnot", &P::matchOrnot)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSeelct:", &P::outputFileSeelct)
                                .action("tableClicked:", &P::tableClicked, {"tableView"})
                                .action("importData:", &P::importData)
                                .action("getPubchemlist:", &P::getPubchemlist)
                                .action("exportSelected:", &P::exportSelected)
                                .action("smartsFilter:", &P::smartsFilter)
                                .action("undoFilter:", &P::undoFilter)
                                .action("loadEditor:", &P::loadEditor)
                                .action("deleteAll:", &P::deleteAll);
  return table;
}

std::optional<std::string> ViewerController::shell(const std::string& command, Failures failures) {
  auto run = shellReport(command);
  if (saidRunFailure(platform(), run, failures, "obabel")) return std::nullopt;
  return std::move(run.output);
}

std::optional<std::string> ViewerController::runCommand(const std::string& command,
                                                        Failures failures) {
  obshellCommand = command;
  platform().diagnostic(obshellCommand);
  return shell(obshellCommand, failures);
}

void ViewerController::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"inputFiletype", "matchOrnot"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*matchOrnot.get(), matchOrnotchoice, 0);
  keptArrayController_ = chemdataArraycontroller.get();
}

void ViewerController::inputFileSelect(platform::Control*) {
  if (!outletsConnected("inputFileSelect:", {"inputFilepath"})) return;
  if (auto chosen = chooseFile(platform(), kChooseInputTitle))
    inputFilepath->setText(chosen->path());
}

void ViewerController::outputFileSeelct(platform::Control*) {
  if (!outletsConnected("outputFileSeelct:", {"outputFilepath"})) return;
  if (auto chosen = chooseFile(platform(), kChooseOutputTitle))
    outputFilepath->setText(chosen->path());
}

void ViewerController::loadEditor(platform::Control*) {
  if (!outletsConnected("loadEditor:", {"molView"})) return;
  molbench::loadEditor(platform(), *molView.get(), temporaryDirectory, true);
}

// --- import --------------------------------------------------------------------------------

void ViewerController::importData(platform::Control*) {
  if (!outletsConnected("importData:", {"inputFilepath", "chemdataArraycontroller"})) return;
  if (!inputFilesAccepted(platform(), {{"input", inputFilepath->text()}})) return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  std::string quoted = quotedPath(inputFilepath->text());

  obshellcountCommand = countCommand(obabelPath, quoted);
  auto counted = shell(obshellcountCommand, Failures::notStarted);
  platform().diagnostic(obshellcountCommand);
  if (!counted) return;  // nothing ran, and the user has been told why
  obshellcount = std::move(*counted);
  platform().diagnostic(obshellcount);
  numMols = moleculeCount(obshellcount);
  if (numMols < 1) {
    platform::AlertRequest alert;
    alert.messageText = kNothingImportedTitle;
    alert.informativeText = nothingImportedText(inputFilepath->text());
    alert.buttons = {"OK"};
    platform().runAlert(alert);
    return;
  }
  platform().diagnostic(std::to_string(numMols));

  auto listing = runCommand(titleCommand(obabelPath, quoted), Failures::notStarted);
  if (!listing) return;
  obshellresult = std::move(*listing);
  platform().diagnostic(obshellresult);
  themols = splitLines(obshellresult);
  platform().diagnostic(std::to_string(themols.size()) + " title lines");

  chemdataArray = moleculesOf(numMols, themols, quoted);
  if (!chemdataArray.empty()) molName = chemdataArray.back().molName;
  std::vector<platform::Row> rows;
  rows.reserve(chemdataArray.size());
  for (const auto& record : chemdataArray) rows.push_back(record.row());
  chemdataArraycontroller->addObjects(std::move(rows));
  // A filter lists titles of the file it was made for: kept, it would hide the new rows.
  chemdataArraycontroller->setFilter(nullptr);
  rowsShownAnew();
}

// --- depiction of the clicked row ------------------------------------------------------------

void ViewerController::tableClicked(platform::Control*) {
  if (!outletsConnected("tableClicked:", {"tableView", "selectedCount", "smartsString", "molView",
                                          "chemdataArraycontroller"}))
    return;
  smartsQuery = smartsString->text();
  selectedCount->setText(std::to_string(tableView->numberOfSelectedRows()));
  if (tableView->numberOfSelectedRows() == 0) return;
  // The clicked row, not the selected one: with several rows selected the click names the row.
  int clicked = tableView->clickedRow();
  if (clicked < 0) return;
  auto row = chemdataArraycontroller->arrangedObjectAt(static_cast<size_t>(clicked));
  auto record = row ? moleculeOfRow(*row) : std::nullopt;
  if (!record || !obabelPathForRun(platform(), obabelPath)) return;
  showDepiction(*record);
}

void ViewerController::showDepiction(const RowMolecule& row) {
  if (!smartsQuery.empty()) platform().diagnostic(smartsQuery);
  addSMARTScol = highlightFragment(smartsQuery);
  obabelSel = selectionFragment(row.molNumber);
  oFilepath = pictureOutputFragment(scratchPicturePath(temporaryDirectory));
  if (!removeScratchPicture(temporaryDirectory)) {
    platform().diagnostic("tableClicked: the previous picture cannot be removed; not drawing");
    molView->loadRequest(kNoPicture);
    return;
  }
  // A row whose file is gone, or is now a FIFO, shows no picture rather than the last one.
  if (!inputFilesAccepted(platform(), {{"molecule", unquotedPath(row.filePath)}})) {
    molView->loadRequest(kNoPicture);
    return;
  }
  runCommand(depictionCommand(obabelPath, row.filePath, obabelSel, oFilepath, addSMARTScol),
             Failures::notStarted);
  showScratchPicture(platform(), temporaryDirectory, *molView.get(), "tableClicked");
}

// --- filter and clearing ------------------------------------------------------------------------

void ViewerController::smartsFilter(platform::Control*) {
  if (!outletsConnected("smartsFilter:", {"inputFilepath", "inputFiletype", "smartsString",
                                          "matchOrnot", "chemdataArraycontroller"}))
    return;
  std::string formatTitle = inputFiletype->titleOfSelectedItem();
  InputFile input{"input", inputFilepath->text(), formatSourceOf(inputFormatFlag(formatTitle))};
  if (!inputFilesAccepted(platform(), {input})) return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  std::string mode = matchOrnot->titleOfSelectedItem();
  // A pattern obabel cannot use lists nothing, which would read as "no molecule matches".
  if (!smartsFilterAccepted(platform(), obabelPath, mode, smartsString->text(),
                            SmartsUse::filterOrNone))
    return;
  std::string quoted = quotedPath(inputFilepath->text());
  smartsQuery = smartsString->text();
  searchText.clear();
  if (auto fragment = filterFragment(mode, smartsQuery)) osmartsConvert = *fragment;
  iFileType = inputFormatFlag(formatTitle);
  obshellCommand = filterCommand(obabelPath, quoted, iFileType, osmartsConvert);
  auto listing = shell(obshellCommand, Failures::notStarted);
  if (!listing) return;
  searchResults = std::move(*listing);

  auto ordinals = listedOrdinals(searchResults);
  numMols = static_cast<int64_t>(ordinals.size());
  if (numMols > 0) platform().diagnostic(std::to_string(numMols));
  auto listed = std::make_shared<std::unordered_set<int64_t>>(ordinals.begin(), ordinals.end());
  for (size_t i = 0; i < ordinals.size(); ++i)
    searchText +=
        " molNumber = " + std::to_string(ordinals[i]) + (i + 1 < ordinals.size() ? " OR " : "");
  // The listing is of the file in the input field: rows of other files never show, and a row
  // shows by its ordinal, whatever its title. No match leaves no row shown.
  chemdataArraycontroller->setFilter([listed, quoted](const platform::Row& row) {
    auto path = row.find(kFilePathKey);
    if (path == row.end() || path->second != quoted) return false;
    auto ordinal = ordinalOfRow(row);
    return ordinal && listed->count(*ordinal) > 0;
  });
  rowsShownAnew();
}

void ViewerController::undoFilter(platform::Control*) {
  if (!outletsConnected("undoFilter:", {"chemdataArraycontroller"})) return;
  chemdataArraycontroller->setFilter(nullptr);
  rowsShownAnew();
}

void ViewerController::deleteAll(platform::Control*) {
  if (!outletsConnected("deleteAll:", {"chemdataArraycontroller", "tableView"})) return;
  chemdataArraycontroller->setContent({});
  chemdataArraycontroller->setFilter(nullptr);
  tableView->reloadData();
  rowsShownAnew();
}

void ViewerController::rowsShownAnew() {
  // Selected rows are counted by their places in the table, which now show other molecules (Qt
  // drops the selection when the rows are shown afresh): an export would take the wrong ones,
  // and the count would tell of rows no longer selected.
  auto table = tableView.get();
  if (table) table->deselectAll();
  if (auto count = selectedCount.get())
    count->setText(std::to_string(table ? table->numberOfSelectedRows() : 0));
}

// --- export of the selected rows ----------------------------------------------------------

void ViewerController::exportSelected(platform::Control*) {
  if (!outletsConnected("exportSelected:", {"inputFilepath", "outputFilepath", "tableView",
                                            "chemdataArraycontroller"}))
    return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  std::string input = inputFilepath->text();
  auto exportPath = derivedPath(input, kExportEnding);
  auto temporaryPath = derivedPath(input, kExportTemporaryEnding);
  if (!exportPath || !temporaryPath) {
    acceptedUnless(platform(),
                   "The input path is empty: the export file is named after the input file, "
                   "so choose or type it first.",
                   kInputAlertTitle);
    return;
  }
  outputFilepath->setText(*exportPath);

  std::vector<std::pair<int, RowMolecule>> chosen;
  std::vector<std::string> sources = {input};
  std::vector<InputFile> read;
  for (int row : tableView->selectedRowIndexes()) {
    auto shown = row < 0 ? std::nullopt
                         : chemdataArraycontroller->arrangedObjectAt(static_cast<size_t>(row));
    auto record = shown ? moleculeOfRow(*shown) : std::nullopt;
    if (!record) continue;
    sources.push_back(unquotedPath(record->filePath));
    if (read.empty() || read.back().path != sources.back())
      read.push_back({"molecule", sources.back()});
    chosen.emplace_back(row, *record);
  }
  if (chosen.empty()) return;
  // Every copy rewrites the temporary file and every join the export file: neither may be a
  // file a row is read from, nor hold what the export would lose.
  if (!inputFilesAccepted(platform(), read)) return;
  // Held until the last join: no other export writes the file, nor its scratch file, meanwhile.
  WriteLock lock(*exportPath, exportFileHeld(*exportPath));
  auto records =
      exportFilesAccepted(platform(), obabelPath, *temporaryPath, *exportPath, sources, lock);
  if (!records) return;
  ExportJoin join{obabelPath, *temporaryPath, *exportPath, platform().temporaryDirectory(),
                  *records};
  join.madeTheFile = lock.madeTheFile();
  for (const auto& [row, record] : chosen) {
    platform().diagnostic("Row: " + std::to_string(row));
    obshellCommand =
        exportCopyCommand(obabelPath, record.filePath, record.molNumber, *temporaryPath);
    platform().diagnostic(obshellCommand);
    // One alert for a failed export, not one a row.
    if (!copiedIntoScratch(platform(), shellReport(obshellCommand), *temporaryPath) ||
        !joinedIntoExportFile(platform(), join, obshelljoinCommand))
      return;
  }
}

// --- SMILES for a list of names ------------------------------------------------------------

void ViewerController::getPubchemlist(platform::Control*) {
  if (!outletsConnected("getPubchemlist:", {"inputFilepath"})) return;
  std::string namesPath = inputFilepath->text();
  auto resultPath = derivedPath(namesPath, kPubchemResultEnding);
  if (!inputFilesAccepted(platform(), {{"names", namesPath, FormatSource::none}}) || !resultPath)
    return;
  // Every answer is appended there from a request's worker: a FIFO would hold it for good. The
  // user never picked that file, so the alert says where its name comes from.
  auto resultProblem = outputPathProblem(*resultPath, {namesPath});
  if (resultProblem)
    resultProblem =
        "The SMILES from PubChem are added to a file named after the names file. " + *resultProblem;
  if (!acceptedUnless(platform(), resultProblem, kOutputAlertTitle)) return;
  auto text = readWholeFile(namesPath);
  // A names file saved in another encoding would ask for nothing: say so, and keep the field
  // on the names file rather than on a list that never comes.
  std::optional<std::string> problem;
  if (!text || !platform::isValidUtf8(*text))
    problem = "The names file \"" + namesPath + "\" cannot be read as UTF-8 text: save it as " +
              "UTF-8 and ask again.";
  if (!acceptedUnless(platform(), problem, kInputAlertTitle)) return;
  platform().diagnostic(platform::FileUrl::fromPath(namesPath).absoluteString());
  platform().diagnostic(*text);
  themolsForPubchem = splitLines(*text);
  // A names file saved with Windows line ends would ask PubChem for every name with a
  // carriage return on it, which it never knows.
  for (auto& name : themolsForPubchem)
    if (!name.empty() && name.back() == '\r') name.pop_back();
  for (const auto& name : themolsForPubchem) {
    // A blank line, or the line feed ending the file, names nothing to ask for.
    if (name.empty()) continue;
    escapedString = molbench::escapedString(name);
    requestSmiles(name, *resultPath);
  }
  inputFilepath->setText(*resultPath);
}

void ViewerController::requestSmiles(const std::string& name, const std::string& resultPath) {
  std::string address = pubchemNameAddress(platform(), escapedString, kIsomericSmilesSuffix);
  platform::Platform& world = platform();
  std::weak_ptr<platform::ViewController> pane = weak_from_this();
  // One session per name, made here on the main thread; the pacer only decides when it starts.
  auto session = world.makeUrlSession();
  if (session) session->spaceSends(pubchemSends_, pubchemRequestSpacing);
  pacer_->schedule(pubchemRequestSpacing, [&world, session, address, name, resultPath, pane] {
    fetchText(world, session, address, [&world, name, resultPath, pane](const std::string& answer) {
      // A list asked for by a window that has closed is no longer wanted.
      if (pane.expired()) return;
      auto line = pubchemResultLine(answer, name);
      if (!line || answer.find(kPubchemErrorMarker) != std::string::npos) {
        world.diagnostic("no smiles");
        return;
      }
      if (auto failure = appendToTextFile(resultPath, *line))
        world.diagnostic("getPubchemlist: cannot add to " + resultPath + ": " + *failure);
    });
  });
}

}  // namespace molbench
