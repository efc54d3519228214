// The 2D and 3D actions with the real obabel: the picture, the 3D page and its SD file, the
// PDB page, and SMILES that the shell would otherwise take apart.
#include <gtest/gtest.h>

#include "LookupFixture.h"
#include "common/WebResources.h"
#include "lookup/LookupPages.h"

namespace molbench::testing {
namespace {

constexpr const char* kPngSignature = "\x89PNG";

class LookupDepiction : public LookupTest {
 protected:
  LookupDepiction() { h.setResourcePath(MOLBENCH_RESOURCE_BUILD_DIR); }
  std::string folderUrl() { return pane.temporaryDirectory.absoluteString(); }
};

TEST_F(LookupDepiction, DrawsTheSmilesAndShowsNoStalePictureWhenObabelFails) {
  setText("smilesString", "CC(=O)Oc1ccccc1C(=O)O");
  h.press(pane, "loadTestImage:");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obabel -:'CC(=O)Oc1ccccc1C(=O)O' -opng -O '" + scratch("myjunk.png") + "'");
  EXPECT_EQ(readFile(scratch("myjunk.png")).substr(0, 4), kPngSignature);
  EXPECT_EQ(webLoads().back(), folderUrl() + "/myjunk.png");

  setText("smilesString", "C1CC(");
  h.press(pane, "loadTestImage:");
  EXPECT_FALSE(fileExists(scratch("myjunk.png")));
  EXPECT_EQ(webLoads().back(), "about:blank");
  EXPECT_EQ(h.diagnostics().back(), "loadTestImage: obabel drew no picture");
}

TEST_F(LookupDepiction, SmilesWithQuotesAndSubstitutionsReachObabelAsTyped) {
  useStandIn();
  const std::string smiles = "C'C$(touch " + scratch("owned") + ")`id` \"x\"";
  setText("smilesString", smiles);
  h.press(pane, "loadTestImage:");
  EXPECT_EQ(standInArguments(),
            (std::vector<std::string>{"-:" + smiles, "-opng", "-O", scratch("myjunk.png")}));
  h.press(pane, "display3D:");
  EXPECT_EQ(standInArguments(), (std::vector<std::string>{"-:" + smiles, "-osdf", "-O",
                                                          scratch("myjunk.sdf"), "--gen3D"}));
  EXPECT_FALSE(fileExists(scratch("owned")));
}

TEST(LookupPageText, ThreeDViewPageAsWritten) {
  const std::string sd =
      "ethanol\n OpenBabel\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n$$$$\n";
  const std::string expected =
      "<html>\n"
      "                <head>\n"
      "         <title>\"3D structure\"</title>\n"
      "         <script type=\"text/javascript\"src=\"file:///opt/mb/forwebview/3Dmol-min.js\">"
      "</script>\n"
      "         </head>\n"
      "         <!-- molecule as SDF or PDB -->\n"
      "\n\n\n\n"
      "         <body>\n"
      "         <div style=\"height: 380px; width: 380px;\"\n"
      "         class='viewer_3Dmoljs'\n"
      "         data-element='moldata_sdf'\n"
      "         data-datatype='sdf'\n"
      "         data-backgroundcolor='0xffffff'\n"
      "         data-style1='stick'></div>\n"
      "    \n"
      "<textarea style=\"display: none;\" id=\"moldata_sdf\">" +
      sd +
      "</textarea>\n"
      "         </body>\n"
      "         </html>";
  EXPECT_EQ(threeDViewPage("file:///opt/mb/forwebview/", sd), expected);
  EXPECT_NE(threeDViewPage("file:///r/", "").find("id=\"moldata_sdf\"></textarea>\n"),
            std::string::npos);
  // The parser drops the line feed after <textarea>: an empty title line gets one to spare.
  EXPECT_NE(threeDViewPage("file:///r/", "\n OpenBabel\n").find("\">\n\n OpenBabel\n</textarea>"),
            std::string::npos);
}

TEST_F(LookupDepiction, ThreeDViewOfARealStructureWithEscapedTitle) {
  setText("smilesString", "CCO ethanol <b>&\"'");
  h.press(pane, "display3D:");
  std::string page = readFile(scratch("the3Dview.htm"));
  EXPECT_NE(page.find("src=\"" + *webResourceBase(h) + "3Dmol-min.js\""), std::string::npos);
  EXPECT_NE(page.find("id=\"moldata_sdf\">ethanol &lt;b&gt;&amp;&quot;&#39;\n OpenBabel"),
            std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_NE(page.find("V2000"), std::string::npos);

  auto loads = h.webView(pane, "molView").loadDetails();
  ASSERT_EQ(loads.size(), 1u);
  EXPECT_EQ(loads[0].url, folderUrl() + "the3Dview.htm");
  EXPECT_EQ(loads[0].readAccessUrl, folderUrl());

  const std::string second = "/usr/bin/obabel -:'CCO ethanol <b>&\"'\\''' -osdf -O '" +
                             scratch("myjunk.sdf") + "' --gen3D";
  EXPECT_EQ(pane.obshellCommand, second);
  auto lines = h.diagnostics();
  EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
            (std::vector<std::string>{"for webpage", second}));
  EXPECT_EQ(obabelCount({scratch("myjunk.sdf"), "-onul"}), 1);
}

TEST_F(LookupDepiction, PdbEntryPageOpensInTheBrowserWithoutObabel) {
  useStandIn();
  lookUp("PDB", "1a'<");
  h.press(pane, "cirSearch:");
  h.press(pane, "display3D:");
  EXPECT_FALSE(fileExists(scratch("arguments")));
  EXPECT_EQ(pane.obabelPath, scratch("bin/obabel"));
  EXPECT_EQ(h.opened(), std::vector<std::string>{folderUrl() + "the3Dwebview.htm"});
  std::string page = readFile(scratch("the3Dwebview.htm"));
  EXPECT_NE(page.find("class='viewer_3Dmoljs' data-pdb='1a&#39;%3C' data-backgroundcolor="),
            std::string::npos);
  EXPECT_TRUE(page.ends_with("data-style='stick'></div>\n\n</body>\n</html>"));
  EXPECT_EQ(h.diagnostics().back(), "for webpage");
}

}  // namespace
}  // namespace molbench::testing
