#include "search/SearchViewController.h"

#include "common/ChooseFile.h"
#include "common/CommandFragments.h"
#include "common/EditorPage.h"
#include "common/FastSearchIndex.h"
#include "common/FormatChoice.h"
#include "common/IndexSearchStop.h"
#include "common/KeptOutput.h"
#include "common/NoMoleculeRead.h"
#include "common/OutputGuard.h"
#include "common/PopupHelpers.h"
#include "common/Refusal.h"
#include "common/Shell.h"
#include "common/SmartsCheck.h"
#include "common/TemporaryDirectory.h"
#include "common/WriteFailure.h"
#include "common/WriteLock.h"
#include "search/IndexBackup.h"
#include "search/IndexBuild.h"

namespace molbench {

namespace {

using P = SearchViewController;

constexpr const char* kIndexAlertMessage = "check file type";
constexpr const char* kIndexBuildHeldTitle = "Another build is writing the index";
constexpr const char* kIndexAlertInformation = "Need to choose a .fs file";
constexpr const char* kSimilarityExample = "e.g. 0.7";

// obabel takes a file for an index by its name alone and reads garbage from any other file.
// A rebuild that was stopped leaves the file emptied and the old index in a copy.
std::optional<std::string> notAnIndexProblem(const std::string& indexPath,
                                             const std::string& temporaryFolder) {
  if (isFastSearchIndex(indexPath)) return std::nullopt;
  std::string kept = keptCopiesNote(indexPath, temporaryFolder);
  return "The index file \"" + indexPath +
         "\" is not a fast-search index: build one with \"Build index\" first." +
         (kept.empty() ? "" : " " + kept);
}

std::optional<std::string> indexNameProblem(const std::string& indexPath) {
  if (indexPathNamesIndex(indexPath)) return std::nullopt;
  return kIndexAlertInformation;
}

// obabel builds an index of a compressed file with only a warning, and its searches then find
// nothing: an index needs a molecule file it can seek in.
std::optional<std::string> compressedMoleculesProblem(const std::string& moleculePath) {
  if (!isGzipCompressed(moleculePath)) return std::nullopt;
  return "The molecule file \"" + moleculePath +
         "\" is compressed (gzip): a fast-search index needs an uncompressed file to read its "
         "molecules from. Convert it to an uncompressed file and index that.";
}

// obabel exits 0 when it leaves no index: the file tells. The file of a run that failed is not
// trusted either. The old index stays only when the new one is no good.
void judgeIndexBuild(platform::Platform& platform, const platform::posix::BashRun& run,
                     const std::string& indexPath, IndexBackup& kept) {
  auto failure = runFailureAlert(run, Failures::any, "obabel");
  // What becomes of the file is said by what the kept copy does.
  if (!failure) failure = writeFailureAlert(run, "obabel", indexPath, OutputFate::saidByCaller);
  auto problem = builtIndexProblem(indexPath);
  if (!failure && !problem) {
    kept.discard();
    return;
  }
  std::string outcome = kept.putBack();
  if (failure) {
    if (!outcome.empty()) failure->informativeText += "\n\n" + outcome;
    platform.runAlert(*failure);
    return;
  }
  if (!outcome.empty()) *problem += " " + outcome;
  platform.runAlert(unusableOutputAlert(run, kNoIndexAlertTitle, *problem));
}

}  // namespace

SearchViewController::SearchViewController(platform::Platform& platform)
    : BoundViewController(platform), temporaryDirectory(temporaryDirectoryUrl(platform)) {}

const platform::Bindings<SearchViewController>& SearchViewController::bindings() {
  static const auto table = FileFormatControls::bind(platform::Bindings<P>())
                                .outlet("obabelCommand", &P::obabelCommand)
                                .outlet("molView", &P::molView)
                                .outlet("smartsSearch", &P::smartsSearch)
                                .outlet("smartsSearchoptions", &P::smartsSearchoptions)
                                .outlet("similarityScore", &P::similarityScore)
                                .outlet("fssearchPath", &P::fssearchPath)
                                .outlet("obabelText", &P::obabelText)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("loadEditor:", &P::loadEditor)
                                .action("checkObabel:", &P::checkObabel)
                                .action("createFS:", &P::createFS)
                                .action("chooseFSfile:", &P::chooseFSfile)
                                .action("runFSsearch:", &P::runFSsearch);
  return table;
}

// Every run of the pane writes files and shows nothing else: a failure is said.
std::optional<std::string> SearchViewController::shell(const std::string& command) {
  return molbench::shell(platform(), command, Failures::any);
}

void SearchViewController::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"inputFiletype", "outputFiletype", "smartsSearchoptions"}))
    return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*outputFiletype.get(), oFileTypes, 0);
  fillPopup(*smartsSearchoptions.get(), smartSearchmenuoptions, 0);
  if (similarityScore) similarityScore->setPlaceholder(kSimilarityExample);
}

void SearchViewController::inputFileSelect(platform::Control*) {
  if (!outletsConnected("inputFileSelect:", {"inputFilepath", "outputFilepath", "fssearchPath"}))
    return;
  auto chosen = chooseFileInto(platform(), kChooseInputTitle, *inputFilepath.get());
  if (!chosen) return;
  outputFilepath->setText(folderPreset(*chosen, "/"));
  fssearchPath->setText(extensionPreset(*chosen, ".fs"));
}

void SearchViewController::outputFileSelect(platform::Control*) {
  if (!outletsConnected("outputFileSelect:", {"outputFilepath"})) return;
  chooseFileInto(platform(), kChooseOutputTitle, *outputFilepath.get());
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

QuerySettings SearchViewController::readQuery() const {
  return {smartsSearchoptions->titleOfSelectedItem(), smartsSearch->text(),
          similarityScore->text()};
}

FileSearchSettings SearchViewController::readFileSearch() const {
  FileSearchSettings s;
  static_cast<QuerySettings&>(s) = readQuery();
  static_cast<FormatSettings&>(s) = readFormatSettings();
  s.inputPath = inputFilepath->text();
  s.outputPath = outputFilepath->text();
  return s;
}

void SearchViewController::checkObabel(platform::Control*) {
  if (!outletsConnected("checkObabel:", {"inputFilepath", "inputFiletype", "inputFileoptions",
                                         "outputFilepath", "outputFiletype", "outputFileoptions",
                                         "smartsSearch", "smartsSearchoptions", "similarityScore"}))
    return;
  auto settings = readFileSearch();
  InputFile input{"input", settings.inputPath,
                  formatSourceOf(inputFormatFlag(settings.inputFormat))};
  input.searched = searchesIndex(settings.smartsMode);
  if (!runAccepted(platform(), {input}, settings.outputPath)) return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  auto composed = composeFileSearch(obabelPath, settings, *this);
  auto read = withPatternFile(pathsRead({input}), settings.smartsMode, settings.smarts);
  if (!outputPathAccepted(platform(), composed.outputPath, read) ||
      !smartsFilterAccepted(platform(), obabelPath, settings.smartsMode, settings.smarts,
                            smartsUseForInput(settings.inputPath, iFileType), settings.similarity))
    return;
  // obabel empties the output file before it has read a molecule.
  KeptOutput kept(composed.outputPath, platform().temporaryDirectory());
  if (!acceptedUnless(platform(), kept.keep(), kOutputAlertTitle)) return;
  if (composed.inputFormatLine) platform().diagnostic(*composed.inputFormatLine);
  auto run = runWritingCommand(platform(), obshellCommand, composed.command, composed.outputPath);
  if (!run || saidNoMoleculeRead(platform(), *run,
                                 {obabelPath, settings.inputPath, iFileType, iFileTypeOption},
                                 composed.outputPath, OutputKind::file, kept))
    return;
  // An index as the input is searched as one.
  saidIndexSearchStop(platform(), *run, pathsRead({input}), composed.outputPath);
}

void SearchViewController::createFS(platform::Control*) {
  if (!outletsConnected("createFS:", {"inputFilepath", "fssearchPath", "obabelText"})) return;
  std::string inputPath = inputFilepath->text();
  std::string indexPath = fssearchPath->text();
  // The build takes the input format the last file search left, never the popup's row.
  InputFile input{"input", inputPath,
                  iFileType.empty() ? FormatSource::name : FormatSource::chosen};
  // No search could read an index written under another name.
  if (!runAccepted(platform(), {input}, indexPath, OutputKind::index) ||
      !acceptedUnless(platform(), indexNameProblem(indexPath), kIndexAlertMessage) ||
      !acceptedUnless(platform(), compressedMoleculesProblem(inputPath), kInputAlertTitle) ||
      !acceptedUnless(platform(), unindexableInputProblem(iFileType, inputPath, indexPath),
                      kInputAlertTitle))
    return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  // One build at a time writes an index, so that neither judges, or puts back, the other's file.
  WriteLock lock(indexPath, "Another index build is writing the index \"" + indexPath +
                                "\" now, from another window or another Molbench. This build "
                                "ran nothing; build the index again once that one has finished.");
  if (!acceptedUnless(platform(), lock.take(), kIndexBuildHeldTitle)) return;
  // An index the lock made is empty: there was none to keep.
  IndexBackup kept(indexPath, platform().temporaryDirectory());
  if (!lock.madeTheFile() && !acceptedUnless(platform(), kept.keepCopy(), kOutputAlertTitle))
    return;
  obshellCommand = indexBuildCommand(obabelPath, iFileType, inputPath, indexPath);
  obabelText->setText(obshellCommand);
  judgeIndexBuild(platform(), shellRun(obshellCommand), indexPath, kept);
}

void SearchViewController::chooseFSfile(platform::Control*) {
  if (!outletsConnected("chooseFSfile:", {"fssearchPath"})) return;
  chooseFileInto(platform(), kChooseIndexTitle, *fssearchPath.get(),
                 std::vector<std::string>{"fs"});
}

bool SearchViewController::indexSearchAccepted(const std::string& indexPath,
                                               const std::string& outputPath,
                                               const QuerySettings& query) {
  auto& p = platform();
  // The name first: the input check refuses an index under another name too, but the notice
  // says what to do.
  if (!indexPath.empty() && !acceptedUnless(p, indexNameProblem(indexPath), kIndexAlertMessage))
    return false;
  // The index is known by its header; the molecule file it names is checked with it.
  if (!inputFilesAccepted(p, {{"index", indexPath, FormatSource::none}}) ||
      !acceptedUnless(p, notAnIndexProblem(indexPath, p.temporaryDirectory()), kInputAlertTitle))
    return false;
  auto moleculeFile = indexedMoleculeFile(indexPath).value_or("");
  // A query that names a file is read as that file, after the output is emptied.
  auto read = withPatternFile({indexPath}, query.smartsMode, query.smarts);
  return acceptedUnless(p, compressedMoleculesProblem(moleculeFile), kInputAlertTitle) &&
         outputPathAccepted(p, outputPath, read);
}

void SearchViewController::runFSsearch(platform::Control*) {
  if (!outletsConnected("runFSsearch:", {"fssearchPath", "outputFilepath", "smartsSearch",
                                         "smartsSearchoptions", "similarityScore", "obabelText"}))
    return;
  std::string indexPath = fssearchPath->text();
  std::string outputPath = outputFilepath->text();
  auto query = readQuery();
  if (!indexSearchAccepted(indexPath, outputPath, query)) return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  if (!smartsFilterAccepted(platform(), obabelPath, query.smartsMode, query.smarts,
                            SmartsUse::indexQuery, query.similarity))
    return;
  updateQueryPieces(query, *this);
  obshellCommand =
      indexSearchCommand(obabelPath, indexPath, outputPath, syntaxSimscore, osmartsConvert);
  obabelText->setText(obshellCommand);
  if (auto run = runWriting(platform(), obshellCommand, outputPath))
    saidIndexSearchStop(platform(), *run, {indexPath}, outputPath);
}

}  // namespace molbench
