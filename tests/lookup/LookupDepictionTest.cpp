// The 2D and 3D actions with the real obabel: the picture, the 3D page and its SD file, the
// PDB page, and SMILES that the shell would otherwise take apart.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "LookupFixture.h"
#include "common/HtmlText.h"
#include "common/WebResources.h"
#include "lookup/LookupPages.h"

namespace molbench::testing {
namespace {

class LookupDepiction : public LookupTest {
 protected:
  LookupDepiction() { h.setResourcePath(MOLBENCH_RESOURCE_BUILD_DIR); }
  std::string folderUrl() { return pane.temporaryDirectory.absoluteString(); }
  bool has(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
  }
};

TEST_F(LookupDepiction, DrawsTheSmilesAndShowsNoStalePictureWhenObabelFails) {
  setText("smilesString", "CC(=O)Oc1ccccc1C(=O)O");
  h.press(pane, "loadTestImage:");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obabel -:'CC(=O)Oc1ccccc1C(=O)O' -opng -O '" + scratch("myjunk.png") + "'");
  EXPECT_EQ(readFile(scratch("myjunk.png")).substr(0, 4), "\x89PNG");
  EXPECT_EQ(webLoads().back(), folderUrl() + "/myjunk.png");

  setText("smilesString", "C1CC(");
  h.press(pane, "loadTestImage:");
  EXPECT_FALSE(fileExists(scratch("myjunk.png")));
  EXPECT_EQ(webLoads().back(), "about:blank");

  // A program that prints bytes that are not text and draws nothing shows no picture either.
  setText("smilesString", "CCO");
  h.press(pane, "loadTestImage:");
  writeFile(scratch("odd"), "#!/bin/bash\nprintf '\\377'\n");
  ::chmod(scratch("odd").c_str(), 0755);
  useObabel(scratch("odd"));
  h.press(pane, "loadTestImage:");
  EXPECT_EQ(webLoads().back(), "about:blank");
  EXPECT_TRUE(h.alerts().empty());

  // An obabel path that names no program (a typo in Preferences) is said, not a blank view.
  useObabel(scratch("no such/obabel"));
  for (const char* action : {"loadTestImage:", "display3D:"}) h.press(pane, action);
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_EQ(h.alerts()[1].messageText, "The program could not be run");
  EXPECT_NE(h.alerts()[1].informativeText.find("no such/obabel: No such file"), std::string::npos)
      << h.alerts()[1].informativeText;
}

TEST_F(LookupDepiction, ThreeDViewOfARealStructureWithEscapedTitle) {
  setText("smilesString", "CCO ethanol <b>&\"'");
  h.press(pane, "display3D:");
  std::string page = readFile(scratch("the3Dview.htm"));
  EXPECT_TRUE(has(page, "src=\"" + htmlEscaped(*webResourceBase(h)) + "3Dmol-min.js\""));
  EXPECT_TRUE(has(page, "id=\"moldata_sdf\">ethanol &lt;b&gt;&amp;&quot;&#39;\n OpenBabel"));
  EXPECT_TRUE(has(page, "V2000"));
  // The parser drops the line feed after <textarea>: an empty title line gets one to spare.
  EXPECT_TRUE(has(threeDViewPage("file:///r/", "\n OpenBabel\n"), "\">\n\n OpenBabel\n</"));

  EXPECT_EQ(webLoads(), std::vector<std::string>{folderUrl() + "the3Dview.htm"});
  EXPECT_EQ(h.webView(pane, "molView").loadDetails().back().readAccessUrl, folderUrl());
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obabel -:'CCO ethanol <b>&\"'\\''' -osdf -O '" +
                                     scratch("myjunk.sdf") + "' --gen3D");
  EXPECT_EQ(obabelCount({scratch("myjunk.sdf"), "-onul"}), 1);
}

TEST_F(LookupDepiction, PdbPageNeedsNoObabelAndSmilesReachObabelAsTyped) {
  useStandIn();
  lookUp("PDB", "1a'<");
  h.press(pane, "cirSearch:");
  h.press(pane, "display3D:");
  EXPECT_FALSE(fileExists(scratch("arguments")));
  EXPECT_EQ(h.opened(), std::vector<std::string>{folderUrl() + "the3Dwebview.htm"});
  EXPECT_TRUE(has(readFile(scratch("the3Dwebview.htm")),
                  "class='viewer_3Dmoljs' data-pdb='1a&#39;%3C' data-backgroundcolor="));

  const std::string smiles = "C'C$(touch " + scratch("owned") + ")`id` \"x\"";
  h.choose(pane, "queryEngine", "CIR");
  setText("smilesString", smiles);
  h.press(pane, "loadTestImage:");
  EXPECT_EQ(standInArguments(),
            (std::vector<std::string>{"-:" + smiles, "-opng", "-O", scratch("myjunk.png")}));
  h.press(pane, "display3D:");
  EXPECT_EQ(standInArguments(), (std::vector<std::string>{"-:" + smiles, "-osdf", "-O",
                                                          scratch("myjunk.sdf"), "--gen3D"}));
  EXPECT_FALSE(fileExists(scratch("owned")));
}

}  // namespace
}  // namespace molbench::testing
