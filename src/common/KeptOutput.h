// obabel's -O and the shell's "> " empty the output file before the program has read a molecule,
// so a run that fails, or that reads nothing, would take the file the user had at that name with
// it. Its bytes wait in a copy while the program runs and go back into the same file when the
// run gives no result (KeptCopy.h); the command stays as it is.
#pragma once

#include <optional>
#include <string>

#include "common/KeptCopy.h"

namespace molbench {

class KeptOutput {
 public:
  // The copy goes beside the output, where the user looks for it, under the output's own
  // extension; where that folder takes no new file, into the user's temporary folder.
  KeptOutput(std::string outputPath, std::string temporaryFolder);
  KeptOutput(const KeptOutput&) = delete;
  KeptOutput& operator=(const KeptOutput&) = delete;
  // Undecided, the run's result stands.
  ~KeptOutput() { discard(); }

  // Copies the regular file at the output path (the file a link there names). Nothing to keep
  // when there is none, or when the program could not open it for writing either (it then
  // leaves it as it is). Why it cannot, when it cannot: the run should not go on.
  std::optional<std::string> keep();

  // Whether the bytes of a file that was there wait in a copy.
  bool kept() const { return kept_; }

  // The run gave a result: the copy goes.
  void discard();

  // The run gave none: the old bytes go back into the file. A sentence that says what became of
  // it; empty when nothing was kept.
  std::string putBack();

 private:
  std::string outputPath_, ending_;
  KeptCopy copy_;
  bool kept_ = false;
};

}  // namespace molbench
