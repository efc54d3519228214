// Every address the lookup pane composes, per engine, for queries that need encoding, and the
// engine popup that switches the address pieces.
#include <gtest/gtest.h>

#include "LookupFixture.h"

namespace molbench::testing {
namespace {

constexpr const char* kHost = "https://services.test";

class LookupAddresses : public LookupTest {
 protected:
  LookupAddresses() {
    pointHostsAt(kHost);
    useRecordingSession();
  }
};

// Queries with blanks, "/", "#", "+" and letters beyond ASCII, and what each becomes.
const std::vector<std::pair<std::string, std::string>> kQueries = {
    {"acetic acid", "acetic%20acid"},
    {"CC(=O)O/C=C/C#N", "CC(=O)O%2FC=C%2FC%23N"},
    {"C[N+](C)(C)C", "C[N+](C)(C)C"},
    {"Ätzkali ß", "%C3%84tzkali%20%C3%9F"},
};

TEST_F(LookupAddresses, PictureAndTextAddressesOfCirAndPubchem) {
  struct Engine {
    const char* title;
    std::string base, image, smiles, inchi;
  };
  const Engine engines[] = {
      {"CIR", std::string(kHost) + "/chemical/structure/", "/image", "/smiles", "/stdinchikey"},
      {"PubChem", std::string(kHost) + "/rest/pug/compound/name/", "/PNG",
       "/property/IsomericSMILES/TXT", "/property/InChIKey/TXT"},
  };
  for (const auto& engine : engines) {
    for (const auto& [query, encoded] : kQueries) {
      SCOPED_TRACE(std::string(engine.title) + " " + query);
      lookUp(engine.title, query);
      h.press(pane, "cirSearch:");
      h.press(pane, "getSMILES:");
      EXPECT_EQ(pane.escapedString, encoded);
      EXPECT_EQ(webLoads().back(), engine.base + encoded + engine.image);
      auto urls = recorder->urls();
      ASSERT_GE(urls.size(), 2u);
      EXPECT_EQ(urls[urls.size() - 2], engine.base + encoded + engine.smiles);
      EXPECT_EQ(urls.back(), engine.base + encoded + engine.inchi);
    }
  }
}

TEST_F(LookupAddresses, EmptyQueryShowsNoPictureButStillAsksForText) {
  setText("queryString", "");
  h.press(pane, "cirSearch:");
  EXPECT_TRUE(webLoads().empty());
  EXPECT_EQ(h.diagnostics().back(), "No Query");
  h.press(pane, "getSMILES:");
  EXPECT_EQ(recorder->urls(),
            (std::vector<std::string>{std::string(kHost) + "/chemical/structure//smiles",
                                      std::string(kHost) + "/chemical/structure//stdinchikey"}));
}

TEST_F(LookupAddresses, PdbPictureFromTheEntryPathAndNoTextRequests) {
  const std::string base = std::string(kHost) + "/images/rutgers/";
  lookUp("PDB", "1ABC");
  h.press(pane, "cirSearch:");
  EXPECT_EQ(webLoads().back(), base + "ab/1abc/1abc.pdb1-500.jpg");
  auto lines = h.diagnostics();
  EXPECT_EQ(lines[lines.size() - 2], "PDB");
  EXPECT_EQ(lines.back(), base + "ab/1abc/1abc.pdb1-500.jpg");

  setText("queryString", "1abc");
  h.press(pane, "cirSearch:");
  EXPECT_EQ(webLoads().back(), base + "ab/1abc/1abc.pdb1-500.jpg");
  EXPECT_EQ(pane.escapedString, "1abc");

  setText("queryString", "1A");
  h.press(pane, "cirSearch:");
  EXPECT_EQ(webLoads().back(), base + "/1a/1a.pdb1-500.jpg");

  setText("queryString", "X");
  size_t before = webLoads().size();
  h.press(pane, "cirSearch:");
  EXPECT_EQ(webLoads().size(), before);
  EXPECT_EQ(h.diagnostics().back(), "PDB");

  // The PDB has no text addresses: a text lookup asks nothing and leaves the fields alone.
  setText("smilesString", "CCO");
  h.press(pane, "getSMILES:");
  EXPECT_TRUE(recorder->urls().empty());
  EXPECT_EQ(text("smilesString"), "CCO");
}

TEST_F(LookupAddresses, UniChemPageForTheInchiKeyField) {
  setText("queryString", "aspirin");
  setText("inChiKeystring", "BSYNRYMUTXBXSQ-UHFFFAOYSA-N");
  h.press(pane, "searchUnichem:");
  setText("inChiKeystring", "");
  h.press(pane, "searchUnichem:");
  const std::string page = std::string(kHost) + "/unichem/frontpage/results?queryText=";
  EXPECT_EQ(h.opened(),
            (std::vector<std::string>{
                page + "BSYNRYMUTXBXSQ-UHFFFAOYSA-N&kind=InChIKey&sources=&incl=exclude",
                page + "&kind=InChIKey&sources=&incl=exclude"}));
  EXPECT_EQ(pane.escapedString, "aspirin");
}

TEST_F(LookupAddresses, EnginePopupSwitchesThePieces) {
  auto& popup = h.popup(pane, "queryEngine");
  EXPECT_EQ(popup.itemTitles(), (std::vector<std::string>{"CIR", "PubChem", "PDB"}));
  // The popup starts on the engine whose pieces are active.
  EXPECT_EQ(popup.titleOfSelectedItem(), "CIR");
  EXPECT_EQ(pane.searchEngine, "CIR");
  auto pieces = [&] {
    return std::vector<std::string>{pane.searchEngine, pane.molRepresention, pane.molSMILES,
                                    pane.molInhikey};
  };
  const auto cir = pieces();

  h.choose(pane, "queryEngine", "PubChem");
  EXPECT_EQ(pieces(), (std::vector<std::string>{"PUB", "/PNG", "/property/IsomericSMILES/TXT",
                                                "/property/InChIKey/TXT"}));
  EXPECT_EQ(pane.engineLink, std::string(kHost) + "/rest/pug/compound/name/");
  h.choose(pane, "queryEngine", "PDB");
  EXPECT_EQ(pieces(),
            (std::vector<std::string>{"PDB", ".pdb1-500.jpg", "/property/IsomericSMILES/TXT",
                                      "/property/InChIKey/TXT"}));
  h.choose(pane, "queryEngine", "CIR");
  EXPECT_EQ(pieces(), cir);

  // Titles that match no row exactly change nothing.
  popup.addItemsWithTitles({"pubchem", "PDB ", ""});
  for (const char* title : {"pubchem", "PDB ", ""}) {
    h.choose(pane, "queryEngine", title);
    EXPECT_EQ(pieces(), cir) << title;
  }
  popup.selectItemAtIndex(-1);
  pane.queryEngineChanged(&popup);
  EXPECT_EQ(pieces(), cir);
}

}  // namespace
}  // namespace molbench::testing
