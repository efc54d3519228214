#include "tools/obspectrophoreviewcontroller.h"

#include <fstream>
#include <sstream>

#include "common/ShellQuote.h"
#include "common/TextFile.h"
#include "platform/Utf8.h"
#include "platform/posix/ProcessRunner.h"

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

std::string spectrophoreGenerateCommand(const std::string& program, const std::string& inputPath,
                                        const std::string& spectrophorePath) {
  return spectrophoreQueryCommand(program, inputPath) + " > " + quotedPath(spectrophorePath);
}

std::string spectrophoreQueryCommand(const std::string& program, const std::string& queryPath) {
  return program + " -i " + quotedPath(queryPath);
}

obspectrophoreviewcontroller::obspectrophoreviewcontroller(platform::Platform& platform)
    : ToolPane(platform) {}

platform::posix::BashRun obspectrophoreviewcontroller::shell(const std::string& command) {
  return platform::posix::runBash(command);
}

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

void obspectrophoreviewcontroller::chooseWithPreset(platform::Outlet<platform::TextField>& target,
                                                    const char* extension,
                                                    platform::Outlet<platform::TextField>* preset,
                                                    const char* ending) {
  auto chosen = chooseFile(platform(), kChooseInputTitle, std::vector<std::string>{extension});
  if (!chosen) return;
  target->setText(chosen->path());
  if (preset) (*preset)->setText(extensionPreset(*chosen, ending));
}

void obspectrophoreviewcontroller::inputFile(platform::Control*) {
  if (connected("inputFile:", {"inputFilepath", "spectrophoreFilepath"}))
    chooseWithPreset(inputFilepath, "sdf", &spectrophoreFilepath, ".spectrophore");
}

void obspectrophoreviewcontroller::chooseSpectrophorefile(platform::Control*) {
  if (connected("chooseSpectrophorefile:", {"spectrophoreFilepath"}))
    chooseWithPreset(spectrophoreFilepath, "spectrophore", nullptr, "");
}

void obspectrophoreviewcontroller::chooseQueryfile(platform::Control*) {
  if (connected("chooseQueryfile:", {"queryMolpath", "searchResultspath"}))
    chooseWithPreset(queryMolpath, "sdf", &searchResultspath, ".txt");
}

void obspectrophoreviewcontroller::generateObspectrophore(platform::Control*) {
  if (!connected("generateObspectrophore:", {"inputFilepath", "spectrophoreFilepath"})) return;
  std::string input = inputFilepath->text();
  std::string spectrophores = spectrophoreFilepath->text();
  // obspectrophore writes its header and exits 0 when it reads no molecule.
  auto noMolecule = [&]() -> std::optional<ToolRun::NoResult> {
    if (!spectrophoreFileHoldsHeaderAlone(spectrophores)) return std::nullopt;
    return ToolRun::NoResult{"obspectrophore read no molecule",
                             "\"" + input +
                                 "\" holds no molecule obspectrophore could read, so it wrote no " +
                                 "spectrophore into \"" + spectrophores + "\"."};
  };
  runTool({.program = kProgram,
           .inputs = {{"input", input}},
           .output = spectrophores,
           .printsCommand = false,
           .needsCoordinates = true,
           .withoutCoordinates = "obspectrophore would write \"-nan\" for every value",
           .noResult = noMolecule},
          [&](const std::string& head) {
            return spectrophoreGenerateCommand(head, input, spectrophores);
          });
}

void obspectrophoreviewcontroller::runobspectrophoreSearch(platform::Control*) {
  if (!connected("runobspectrophoreSearch:",
                 {"queryMolpath", "spectrophoreFilepath", "searchResultspath"}))
    return;
  std::string databasePath = spectrophoreFilepath->text();
  std::string resultsPath = searchResultspath->text();
  auto query = readQuery(queryMolpath->text(), databasePath, resultsPath);
  if (!query) return;
  queryMoltitle = query->title;
  mol1array = valueFields(*query);
  mol1Doubles = std::move(query->values);
  compareWithDatabase(databasePath, resultsPath);
}

std::optional<SpectrophoreRecord> obspectrophoreviewcontroller::readQuery(
    const std::string& queryPath, const std::string& databasePath, const std::string& resultsPath) {
  bool ran = false;
  // Appending to the database or the query would spoil them for the next search.
  auto output =
      runTool({.program = kProgram,
               .inputs = {{"query", queryPath}, {"database", databasePath, FormatSource::none}},
               .output = resultsPath,
               .printsCommand = false,
               .outputIsResult = false},
              [&](const std::string& head) {
                ran = true;
                return spectrophoreQueryCommand(head, queryPath);
              });
  if (!ran || failureSaid()) return std::nullopt;  // the user has been told why
  auto records = output ? spectrophoreRecords(*output) : std::nullopt;
  if (!records) {
    stopSearch("obspectrophore gave no spectrophore for the query file \"" + queryPath + "\".");
    return std::nullopt;
  }
  auto query = parseSpectrophoreRecord(*records);
  if (!query)
    stopSearch("The query file \"" + queryPath +
               "\" must hold exactly one molecule with a spectrophore.");
  return query;
}

void obspectrophoreviewcontroller::compareWithDatabase(const std::string& databasePath,
                                                       const std::string& resultsPath) {
  auto text = readWholeFile(databasePath);
  if (!text) {
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
  // A results file whose last line is unfinished would have the first new line glued onto it.
  if (auto problem = result.lines.empty() ? std::nullopt : finishLastLine(resultsPath)) {
    stopSearch("Nothing was added to the results file \"" + resultsPath + "\": " + *problem + ".");
    return;
  }
  for (const auto& command : resultAppendCommands(result.lines, resultsPath))
    if (saidRunFailure(platform(), shell(command), Failures::any, "Appending to the results"))
      return;
  if (result.recordsCompared > 0 || result.stopReason) {
    mainMoltitle = result.lastRecord.title;
    molRecord = valueFields(result.lastRecord);
    molDouble = std::move(result.lastRecord.values);
  }
  if (result.recordsCompared == 0 && !result.stopReason)
    stopSearch("\"" + databasePath + "\" holds no spectrophore record, only its header.");
  if (result.stopReason)
    stopSearch("In \"" + databasePath + "\", " + *result.stopReason + ". The lines for the " +
               std::to_string(result.recordsCompared) + " records before it were appended.");
}

void obspectrophoreviewcontroller::stopSearch(const std::string& reason) {
  alert(kSearchStoppedTitle, reason);
}

void obspectrophoreviewcontroller::alert(const std::string& title, const std::string& text) {
  platform::AlertRequest request;
  request.messageText = title;
  // Titles and paths may be in any encoding; the alert shows text.
  request.informativeText = platform::decodeUtf8Lossy(text);
  request.buttons = {"OK"};
  platform().diagnostic(text);
  platform().runAlert(request);
}

}  // namespace molbench
