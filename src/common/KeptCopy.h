// obabel opens its output with O_TRUNC: a run that then fails, is cut short by a full disk or is
// killed leaves the file emptied or half written. The old bytes wait in a copy while obabel
// runs and go back into the same file when its result is not whole. obabel rewrites the file
// itself, as it does when run alone, so the file stays the same file: its mode, owner, group,
// ACLs, extended attributes and other names (hard links) stay with it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molbench {

// How copies of one kind of file are named: the start, the kept file's device and inode numbers
// (which the file keeps while obabel rewrites it, so the next run on that very file finds its
// copy; the inode alone may name a file on another file system), each followed by "-", six
// random characters and the end ("kept-index-2049-1234-Xy12Zq.fs").
struct KeptCopyName {
  std::string_view start;
  std::string_view end;
};

class KeptCopy {
 public:
  // The copy goes beside the file, where the user looks for it; where that folder takes no new
  // file (not writable, no room left), into the user's temporary folder.
  KeptCopy(std::string path, std::string temporaryFolder, KeptCopyName name);
  KeptCopy(const KeptCopy&) = delete;
  KeptCopy& operator=(const KeptCopy&) = delete;

  struct Problem {
    enum class Kind {
      unreadable,  // the file cannot be read
      unwritable,  // obabel could not open it for writing either: it would say "Cannot write
                   // to" and leave the file as it is
      noCopy,      // no folder took the copy
    } kind;
    // The system's words; for noCopy, each folder tried and its words.
    std::string reason;
  };

  // Copies the file at the path (the file a link there names). Nothing to keep when the path
  // names no file. What stops it, when something does: obabel should not run then.
  std::optional<Problem> keep();

  // obabel's result is sound: the copy goes.
  void discard();

  struct Outcome {
    enum class Kind {
      nothingThere,    // there was no file before, and there is none now (or a link stays)
      removed,         // there was no file before: what the run left there went
      unchanged,       // the run left the file as it was
      restored,        // the old bytes are back in the same file
      copyUnreadable,  // the copy cannot be read: it stays where it is
      notRestored,     // the old bytes could not be written back: the copy stays
    } kind;
    std::string reason;  // the system's words, for the last two
    std::string copy;    // the copy's path, for the last two
  };

  // obabel's result is not whole: the old bytes go back into the file, or, when there was no
  // file, what the run left there goes (a regular file only; a link stays).
  Outcome putBack();

  // The file the path named when keep() ran (a link followed); empty when there was none.
  const std::string& realPath() const { return realPath_; }
  // Where the old bytes wait until discard() or putBack(); empty when none were kept.
  const std::string& copyPath() const { return copyPath_; }

 private:
  std::string path_, temporaryFolder_, realPath_, copyPath_;
  KeptCopyName name_;
};

// The copies that runs on the file at this path kept and never removed, as when Molbench was
// stopped while obabel ran, beside the file or in the temporary folder, sorted; those that
// `isCopy` takes when it is given. Copies an older Molbench named by the inode alone count
// beside the file, where they can only be its own; copies without a number count there when
// `unnumberedBeside`. None when the path names no file.
std::vector<std::string> keptCopiesOf(const std::string& path, const std::string& temporaryFolder,
                                      KeptCopyName name, bool unnumberedBeside = false,
                                      const std::function<bool(const std::string&)>& isCopy = {});

}  // namespace molbench
