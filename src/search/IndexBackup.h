// obabel empties the index file before it knows whether it can build an index, so a build that
// gives none would destroy the index that was there. That index waits aside in its own folder
// while obabel runs, and comes back when the build leaves none usable. The command stays as it
// is: obabel simply finds no file at the path.
#pragma once

#include <optional>
#include <string>

namespace molbench {

class IndexBackup {
 public:
  explicit IndexBackup(std::string indexPath);
  IndexBackup(const IndexBackup&) = delete;
  IndexBackup& operator=(const IndexBackup&) = delete;

  // Moves the file at the index path (the file a link there names) aside, to a new name beside
  // it. Nothing to move when the path names no file. Why it cannot, when it cannot: the build
  // should not run then.
  std::optional<std::string> moveAside();

  // The build is sound: the old index goes.
  void discard();

  // The build left nothing usable: the old index takes its place again, or, when there was
  // none, what the build left there goes (a regular file only; a link stays). A sentence that
  // says what became of the path.
  std::string putBack();

 private:
  std::string indexPath_, realPath_, asidePath_;
};

}  // namespace molbench
