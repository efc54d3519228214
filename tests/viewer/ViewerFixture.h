// A viewer pane in a fresh headless world with the real obabel, and small molecule files made
// from SMILES lines with obabel.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PaneFixture.h"
#include "common/ShellQuote.h"
#include "viewer/ViewerController.h"

namespace molbench::testing {

class ViewerTest : public PaneTest<ViewerController> {
 protected:
  ViewerTest() : PaneTest("ViewerController") {}

  headless::ArrayController& rows() { return h.arrayController(pane, "chemdataArraycontroller"); }
  std::vector<std::string> shown(const std::string& key = "molName") {
    std::vector<std::string> values;
    for (const auto& row : rows().arrangedObjects()) values.push_back(row.at(key));
    return values;
  }
  void import(const std::string& path) {
    setText("inputFilepath", path);
    h.press(pane, "importData:");
  }
  // An SD file at the path holding one molecule per "SMILES title" line.
  std::string sdFrom(const std::string& path, const std::string& smilesLines) {
    writeFile(scratch("lines.smi"), smilesLines);
    runForOutput("obabel " + quotedPath(scratch("lines.smi")) + " -osdf -O " + quotedPath(path) +
                 " 2>/dev/null");
    return path;
  }
  // A click on a row with these rows selected; -1 clicks below the last row.
  void click(int row, std::vector<int> selected) {
    h.table(pane, "tableView").setSelectedRowIndexes(std::move(selected));
    h.table(pane, "tableView").setClickedRow(row);
    h.press(pane, "tableClicked:");
  }
  // The titles obabel itself lists for a file.
  std::vector<std::string> obabelTitles(const std::string& path) {
    return lines(runForOutput("obabel " + quotedPath(path) + " -osmi -xt 2>/dev/null"));
  }
  static std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
      result.push_back(text.substr(start, end - start));
    return result;
  }
};

}  // namespace molbench::testing
