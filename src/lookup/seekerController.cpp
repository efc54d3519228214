#include "lookup/seekerController.h"

#include <sys/stat.h>

#include <cstdio>

#include "common/PopupHelpers.h"
#include "common/ScratchPicture.h"
#include "common/Shell.h"
#include "common/TemporaryDirectory.h"
#include "common/TextFile.h"
#include "common/WebRequests.h"
#include "common/WebResources.h"
#include "lookup/LookupAddresses.h"
#include "lookup/LookupCommands.h"
#include "lookup/LookupEngines.h"
#include "lookup/LookupPages.h"

namespace molbench {

namespace {

using P = seekerController;
using FieldMember = platform::Outlet<platform::TextField> seekerController::*;

constexpr const char* kInchiKeyPrefix = "InChIKey=";
constexpr const char* kThreeDFileName = "myjunk.sdf";

std::string withoutEvery(std::string text, const std::string& piece) {
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at))
    text.erase(at, piece.size());
  return text;
}

// A handler for an answer that arrives on a URL-session worker: the text reaches the field
// only on the main queue, and only while the pane and its field still exist.
std::function<void(const std::string&)> fieldFiller(platform::Platform& platform,
                                                    std::weak_ptr<platform::ViewController> pane,
                                                    FieldMember field, bool dropsInchiKeyPrefix) {
  return [&platform, pane, field, dropsInchiKeyPrefix](const std::string& answer) {
    std::string text = dropsInchiKeyPrefix ? withoutEvery(answer, kInchiKeyPrefix) : answer;
    platform.mainQueue().async([pane, field, text] {
      auto alive = std::static_pointer_cast<seekerController>(pane.lock());
      if (!alive) return;
      if (auto control = ((*alive).*field).get()) control->setText(text);
    });
  };
}

}  // namespace

seekerController::seekerController(platform::Platform& platform)
    : BoundViewController(platform),
      searchEngine(kCirCode),
      temporaryDirectory(temporaryDirectoryUrl(platform)),
      searchEngines(searchEngineTitles()) {
  const EngineRow& cir = *engineRowForCode(kCirCode);
  engineLink = engineLinkFor(cir, platform.serviceHosts());
  molRepresention = cir.molRepresention;
  molSMILES = cir.molSMILES;
  molInhikey = cir.molInhikey;
}

const platform::Bindings<seekerController>& seekerController::bindings() {
  static const auto table =
      platform::Bindings<P>()
          .outlet("queryEngine", &P::queryEngine)
          .outlet("molView", &P::molView)
          .outlet("smilesString", &P::smilesString)
          .outlet("inChiKeystring", &P::inChiKeystring)
          .outlet("queryString", &P::queryString)
          .action("queryEngineChanged:", &P::queryEngineChanged, {"queryEngine"})
          .action("cirSearch:", &P::cirSearch)
          .action("getSMILES:", &P::getSMILES)
          .action("searchUnichem:", &P::searchUnichem)
          .action("loadTestImage:", &P::loadTestImage)
          .action("display3D:", &P::display3D);
  return table;
}

// The pane shows a picture or a page made from what obabel writes; only a command that never
// started is said.
std::optional<std::string> seekerController::shell(const std::string& command) {
  return molbench::shell(platform(), command, Failures::notStarted);
}

void seekerController::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"queryEngine"})) return;
  // The popup shows the engine whose pieces the pane starts with.
  fillPopup(*queryEngine.get(), searchEngines, 0);
}

void seekerController::queryEngineChanged(platform::Control* sender) {
  auto title = selectedTitle(sender);
  if (!title) return;
  const EngineRow* row = engineRowForTitle(*title);
  if (!row) return;
  engineLink = engineLinkFor(*row, platform().serviceHosts());
  molRepresention = row->molRepresention;
  if (row->molSMILES) molSMILES = row->molSMILES;
  if (row->molInhikey) molInhikey = row->molInhikey;
  searchEngine = row->code;
}

void seekerController::refreshEngineLink() {
  if (const EngineRow* row = engineRowForCode(searchEngine))
    engineLink = engineLinkFor(*row, platform().serviceHosts());
}

void seekerController::cirSearch(platform::Control*) {
  if (!outletsConnected("cirSearch:", {"queryString", "molView"})) return;
  std::string query = queryString->text();
  escapedString = molbench::escapedString(query);
  if (query.empty()) {
    platform().diagnostic("No Query");
    return;
  }
  refreshEngineLink();
  if (searchEngine != kPdbCode) {
    std::string address = engineLink + escapedString + molRepresention;
    if (formsAddress(address)) molView->loadRequest(address);
    return;
  }
  platform().diagnostic(kPdbCode);
  auto entryPath = pdbEntryPath(escapedString);
  if (!entryPath) return;
  std::string address = engineLink + *entryPath + molRepresention;
  if (!formsAddress(address)) return;
  platform().diagnostic(address);
  molView->loadRequest(address);
}

void seekerController::getSMILES(platform::Control*) {
  if (!outletsConnected("getSMILES:", {"queryString", "smilesString", "inChiKeystring"})) return;
  escapedString = molbench::escapedString(queryString->text());
  // The texts of an earlier structure must not sit beside this query, where 2D, 3D and UniChem
  // would take them for its own.
  smilesString->setText("");
  inChiKeystring->setText("");
  if (searchEngine == kPdbCode) {
    // The image store has no text addresses; the pieces left from another engine would ask
    // it for nonsense.
    platform().diagnostic("The PDB gives no SMILES or InChIKey: nothing was asked");
    return;
  }
  refreshEngineLink();
  std::string smilesAddress = engineLink + escapedString + molSMILES;
  std::string inchiAddress = engineLink + escapedString + molInhikey;
  if (!formsAddress(smilesAddress) || !formsAddress(inchiAddress)) return;
  auto session = platform().makeUrlSession();
  fetchText(platform(), session, smilesAddress,
            fieldFiller(platform(), weak_from_this(), &P::smilesString, false));
  fetchText(platform(), session, inchiAddress,
            fieldFiller(platform(), weak_from_this(), &P::inChiKeystring, true));
}

void seekerController::searchUnichem(platform::Control*) {
  if (!outletsConnected("searchUnichem:", {"inChiKeystring", "queryString"})) return;
  std::string inchi = inChiKeystring->text();
  std::string query = queryString->text();
  escapedString = molbench::escapedString(query);
  escapedInchi = molbench::escapedString(inchi);
  std::string address = uniChemAddress(platform().serviceHosts().unichem, escapedInchi);
  if (formsAddress(address)) platform().openURL(address);
}

void seekerController::loadTestImage(platform::Control*) {
  if (!outletsConnected("loadTestImage:", {"smilesString", "molView"})) return;
  if (!obabelPathForRun(platform(), obabelPath)) return;
  std::string smiles = smilesString->text();
  // A SMILES obabel cannot read leaves no picture (or an empty file), never the last one.
  if (!removeScratchPicture(temporaryDirectory)) {
    platform().diagnostic("loadTestImage: the previous picture cannot be removed; not drawing");
    molView->loadRequest(kNoPicture);
    return;
  }
  obshellCommand = depictionCommand(obabelPath, smiles, scratchPicturePath(temporaryDirectory));
  // Output that is not text says nothing about the picture, which is judged on its own.
  shell(obshellCommand);
  showScratchPicture(platform(), temporaryDirectory, *molView.get(), "loadTestImage");
}

void seekerController::display3D(platform::Control*) {
  if (!outletsConnected("display3D:", {"smilesString", "molView"})) return;
  obabelPath = lookUpObabelPath(platform());
  if (searchEngine == kPdbCode) {
    showPdbPage();
  } else {
    showThreeDView();
  }
}

void seekerController::showPdbPage() {
  auto base = webResourceBase(platform());
  if (!base) return;
  auto page = platform::FileUrl::fromString(temporaryDirectory.absoluteString() + kPdbPageName);
  if (!page) return;
  // A failed write leaves the page of an earlier entry, which the browser then shows.
  writeTextFileAtomically(page->path(), pdbEntryPage(*base, escapedString));
  platform().diagnostic("for webpage");
  platform().openURL(page->absoluteString());
}

void seekerController::showThreeDView() {
  if (!obabelPathForRun(platform(), obabelPath)) return;
  std::string smiles = smilesString->text();
  auto base = webResourceBase(platform());
  if (!base) return;
  obshellCommand = threeDTextCommand(obabelPath, smiles);
  auto run = shellRun(obshellCommand);
  // One alert for the press: the second run would fail the same way.
  bool failed = saidRunFailure(platform(), run, Failures::notStarted, "obabel");
  auto& sdText = run.output;
  if (!sdText) return;
  auto page =
      platform::FileUrl::fromString(temporaryDirectory.absoluteString() + kThreeDViewPageName);
  if (!page) return;
  writeTextFileAtomically(page->path(), threeDViewPage(*base, *sdText));
  platform().diagnostic("for webpage");
  molView->loadFileURL(page->absoluteString(), page->deletingLastPathComponent().absoluteString());
  if (failed) return;
  runComposedCommand(
      platform(), obshellCommand,
      threeDFileCommand(obabelPath, smiles, temporaryDirectory.path() + "/" + kThreeDFileName),
      Failures::notStarted);
}

}  // namespace molbench
