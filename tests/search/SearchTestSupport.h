// A search pane in a fresh headless world, with the real obabel as its stored path.
#pragma once

#include "PaneFixture.h"
#include "search/SearchViewController.h"

namespace molbench::testing {

class SearchPaneTest : public PaneTest<SearchViewController> {
 protected:
  SearchPaneTest() : PaneTest("SearchViewController") {}
};

}  // namespace molbench::testing
