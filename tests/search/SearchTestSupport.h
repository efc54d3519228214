// Shared pieces of the search pane tests: a pane in a fresh headless world, programs run with
// an argument vector (no shell in between), and a stand-in obabel that records its arguments.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"

namespace molbench::testing {

inline constexpr const char* kObabel = "/usr/bin/obabel";

// Runs the program with exactly these arguments; standard output and standard error merged.
std::string runDirect(const std::vector<std::string>& argv);

// The N of obabel's summary line "N molecules converted" (or "1 molecule converted"); -1 when
// the output has no such line.
int convertedCount(const std::string& obabelOutput);

// How many molecules obabel reads from the file.
int moleculesIn(const std::string& path);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// An executable in `folder` that writes each argument it gets on a line of its own to
// `folder`/arguments.txt, so a test sees how bash split a command.
class StandInProgram {
 public:
  explicit StandInProgram(const std::string& folder);
  const std::string& path() const { return path_; }
  std::vector<std::string> arguments() const;
  bool ran() const;

 private:
  std::string path_;
  std::string record_;
};

class SearchPaneTest : public ::testing::Test {
 protected:
  SearchPaneTest() : pane(h.make<SearchViewController>("SearchViewController")) {}

  void setText(const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }
  std::string text(const std::string& outlet) { return h.field(pane, outlet).text(); }
  void useObabel(const std::string& path) { h.defaults().set("pathToobabel", path); }
  std::string temp() { return h.temporaryDirectory(); }

  headless::Harness h;
  SearchViewController& pane;
};

}  // namespace molbench::testing
