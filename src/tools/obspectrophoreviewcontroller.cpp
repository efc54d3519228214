#include "tools/obspectrophoreviewcontroller.h"

#include <fstream>
#include <sstream>

#include "common/ChooseFile.h"
#include "common/OutputGuard.h"
#include "common/Shell.h"
#include "platform/Utf8.h"
#include "tools/PendingToolPath.h"
#include "tools/SpectrophoreCommands.h"
#include "tools/SpectrophoreSearch.h"

namespace molbench {

namespace {

using P = obspectrophoreviewcontroller;

constexpr const char* kProgram = "obspectrophore";
constexpr const char* kSearchStoppedTitle = "The spectrophore search stopped";

std::optional<std::string> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(content).str();
}

std::vector<std::string> valueFields(const SpectrophoreRecord& record) {
  if (record.fields.size() < 2) return {};
  return {record.fields.begin() + 1, record.fields.end() - 1};
}

}  // namespace

obspectrophoreviewcontroller::obspectrophoreviewcontroller(platform::Platform& platform)
    : BoundViewController(platform) {}

const platform::Bindings<obspectrophoreviewcontroller>& obspectrophoreviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("spectrophoreFilepath", &P::spectrophoreFilepath)
                                .outlet("queryMolpath", &P::queryMolpath)
                                .outlet("searchResultspath", &P::searchResultspath)
                                .action("inputFile:", &P::inputFile)
                                .action("chooseSpectrophorefile:", &P::chooseSpectrophorefile)
                                .action("generateObspectrophore:", &P::generateObspectrophore)
                                .action("chooseQueryfile:", &P::chooseQueryfile)
                                .action("runobspectrophoreSearch:", &P::runobspectrophoreSearch);
  return table;
}

std::optional<std::string> obspectrophoreviewcontroller::shell(const std::string& command) {
  return molbench::shell(command);
}

void obspectrophoreviewcontroller::inputFile(platform::Control*) {
  if (!outletsConnected("inputFile:", {"inputFilepath", "spectrophoreFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseInputTitle, std::vector<std::string>{"sdf"});
  if (!chosen) return;
  inputFilepath.get()->setText(chosen->path());
  spectrophoreFilepath.get()->setText(extensionPreset(*chosen, ".spectrophore"));
}

void obspectrophoreviewcontroller::chooseSpectrophorefile(platform::Control*) {
  if (!outletsConnected("chooseSpectrophorefile:", {"spectrophoreFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseInputTitle, std::vector<std::string>{"spectrophore"});
  if (chosen) spectrophoreFilepath.get()->setText(chosen->path());
}

void obspectrophoreviewcontroller::chooseQueryfile(platform::Control*) {
  if (!outletsConnected("chooseQueryfile:", {"queryMolpath", "searchResultspath"})) return;
  auto chosen = chooseFile(platform(), kChooseInputTitle, std::vector<std::string>{"sdf"});
  if (!chosen) return;
  queryMolpath.get()->setText(chosen->path());
  searchResultspath.get()->setText(extensionPreset(*chosen, ".txt"));
}

void obspectrophoreviewcontroller::generateObspectrophore(platform::Control*) {
  if (!outletsConnected("generateObspectrophore:", {"inputFilepath", "spectrophoreFilepath"}))
    return;
  obabelPath = lookUpObabelPath(platform());
  auto program = obtoolPath(obabelPath, kProgram);
  if (!program) return;
  std::string inputPath = inputFilepath.get()->text();
  std::string spectrophorePath = spectrophoreFilepath.get()->text();
  if (!outputPathAccepted(platform(), spectrophorePath, {inputPath})) return;
  obshellCommand = spectrophoreGenerateCommand(*program, inputPath, spectrophorePath);
  shell(obshellCommand);
}

void obspectrophoreviewcontroller::runobspectrophoreSearch(platform::Control*) {
  if (!outletsConnected("runobspectrophoreSearch:",
                        {"queryMolpath", "spectrophoreFilepath", "searchResultspath"}))
    return;
  obabelPath = lookUpObabelPath(platform());
  auto program = obtoolPath(obabelPath, kProgram);
  if (!program) return;
  std::string queryPath = queryMolpath.get()->text();
  std::string databasePath = spectrophoreFilepath.get()->text();
  std::string resultsPath = searchResultspath.get()->text();
  // Appending to the database or the query would spoil them for the next search.
  if (!outputPathAccepted(platform(), resultsPath, {queryPath, databasePath})) return;
  if (!readQuery(*program, queryPath)) return;
  compareWithDatabase(databasePath, resultsPath);
}

bool obspectrophoreviewcontroller::readQuery(const std::string& program,
                                             const std::string& queryPath) {
  obshellCommand = spectrophoreQueryCommand(program, queryPath);
  auto output = shell(obshellCommand);
  auto records = output ? spectrophoreRecords(*output) : std::nullopt;
  if (!records) {
    stopSearch("obspectrophore gave no spectrophore for the query file \"" + queryPath + "\".");
    return false;
  }
  auto query = parseSpectrophoreRecord(*records);
  if (!query) {
    stopSearch("The query file \"" + queryPath +
               "\" must hold exactly one molecule with a spectrophore.");
    return false;
  }
  queryMoltitle = query->title;
  mol1array = valueFields(*query);
  mol1Doubles = std::move(query->values);
  return true;
}

void obspectrophoreviewcontroller::compareWithDatabase(const std::string& databasePath,
                                                       const std::string& resultsPath) {
  auto text = readWholeFile(databasePath);
  if (!text || !platform::isValidUtf8(*text)) {
    stopSearch("The spectrophore file \"" + databasePath + "\" cannot be read as text.");
    return;
  }
  auto records = spectrophoreRecords(*text);
  if (!records) {
    stopSearch("\"" + databasePath + "\" is no spectrophore file: its header is missing.");
    return;
  }
  auto result = searchSpectrophores(mol1Doubles, *records);
  platform().diagnostic(std::to_string(result.pieceCount));
  for (const auto& command : resultAppendCommands(result.lines, resultsPath)) shell(command);
  if (result.recordsCompared > 0 || result.stopReason) {
    mainMoltitle = result.lastRecord.title;
    molRecord = valueFields(result.lastRecord);
    molDouble = std::move(result.lastRecord.values);
  }
  if (result.stopReason)
    stopSearch("In \"" + databasePath + "\", " + *result.stopReason + ". The lines for the " +
               std::to_string(result.recordsCompared) + " records before it were appended.");
}

void obspectrophoreviewcontroller::stopSearch(const std::string& reason) {
  platform::AlertRequest alert;
  alert.messageText = kSearchStoppedTitle;
  alert.informativeText = reason;
  alert.buttons = {"OK"};
  platform().diagnostic(reason);
  platform().runAlert(alert);
}

}  // namespace molbench
