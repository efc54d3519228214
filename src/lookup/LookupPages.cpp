#include "lookup/LookupPages.h"

#include "common/HtmlText.h"

namespace molbench {

namespace {

const std::string kIndent(9, ' ');

std::string pageHead(const std::string& webResourceBase) {
  return "<html>\n" + std::string(16, ' ') + "<head>\n" + kIndent +
         "<title>\"3D structure\"</title>\n" + kIndent + "<script type=\"text/javascript\"src=\"" +
         htmlEscaped(webResourceBase) + "3Dmol-min.js\"></script>\n" + kIndent + "</head>\n" +
         kIndent + "<!-- molecule as SDF or PDB -->\n";
}

// The HTML parser drops a line feed that directly follows <textarea>: an SD text whose title
// line is empty would lose that line and no longer parse, so such a text gets one line feed
// more for the parser to drop.
std::string textAreaContent(const std::string& sdText) {
  std::string escaped = htmlEscaped(sdText);
  if (!escaped.empty() && escaped.front() == '\n') escaped.insert(0, "\n");
  return escaped;
}

}  // namespace

std::string threeDViewPage(const std::string& webResourceBase, const std::string& sdText) {
  return pageHead(webResourceBase) + "\n\n\n\n" + kIndent + "<body>\n" + kIndent +
         "<div style=\"height: 380px; width: 380px;\"\n" + kIndent + "class='viewer_3Dmoljs'\n" +
         kIndent + "data-element='moldata_sdf'\n" + kIndent + "data-datatype='sdf'\n" + kIndent +
         "data-backgroundcolor='0xffffff'\n" + kIndent + "data-style1='stick'></div>\n" +
         std::string(4, ' ') + "\n<textarea style=\"display: none;\" id=\"moldata_sdf\">" +
         textAreaContent(sdText) + "</textarea>\n" + kIndent + "</body>\n" + kIndent + "</html>";
}

std::string pdbEntryPage(const std::string& webResourceBase, const std::string& entryIdentifier) {
  return pageHead(webResourceBase) +
         "<body>\n  <div style=\"height: 700px; width: 700px; position: relative;\" "
         "class='viewer_3Dmoljs' data-pdb='" +
         htmlEscaped(entryIdentifier) +
         "' data-backgroundcolor='0xffffff' data-style='stick'></div>\n\n</body>\n</html>";
}

}  // namespace molbench
