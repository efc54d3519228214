// obabel empties the index file before it knows whether it can build an index, so a build that
// gives none would destroy the index that was there. A copy of that index waits while obabel
// runs, and its bytes go back into the same file when the build leaves none usable (KeptCopy.h);
// the command stays as it is.
#pragma once

#include <optional>
#include <string>

#include "common/KeptCopy.h"

namespace molbench {

class IndexBackup {
 public:
  // The copy goes beside the index, where the user looks for it; where that folder takes no
  // new file (not writable, no room left), into the user's temporary folder.
  IndexBackup(std::string indexPath, std::string temporaryFolder);
  IndexBackup(const IndexBackup&) = delete;
  IndexBackup& operator=(const IndexBackup&) = delete;

  // Copies the file at the index path (the file a link there names). Nothing to keep when the
  // path names no file. Why it cannot, when it cannot: the build should not run then.
  std::optional<std::string> keepCopy();

  // The build is sound: the copy goes.
  void discard();

  // The build left nothing usable: the old index's bytes go back into its file, or, when there
  // was none, what the build left there goes (a regular file only; a link stays). A sentence
  // that says what became of the path.
  std::string putBack();

 private:
  std::string indexPath_;
  KeptCopy kept_;
};

// Where copies lie that rebuilds of the index at this path kept and never removed, as when
// Molbench was stopped while obabel rebuilt it: a sentence naming them for a refusal of a
// search that finds no usable index there; empty when none lies beside the index or in the
// temporary folder.
std::string keptCopiesNote(const std::string& indexPath, const std::string& temporaryFolder);

}  // namespace molbench
