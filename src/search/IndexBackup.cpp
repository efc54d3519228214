#include "search/IndexBackup.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/FastSearchIndex.h"

namespace molbench {

namespace {

// A copy is named for the file it keeps (its inode number, which the file keeps while obabel
// rewrites it), so that a search of that very file finds it again, wherever it lies. Copies of
// an older Molbench bear no number and lay only beside the index.
constexpr std::string_view kCopyStart = "kept-index-", kCopyEnd = ".fs";
constexpr size_t kRandomPart = 6;  // mkstemps's "XXXXXX"

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

std::string lastError() { return std::strerror(errno); }

// An open file, closed when it goes.
struct OpenFile {
  int fd;
  OpenFile(const std::string& path, int flags)
      : fd(::open(path.c_str(), flags | O_CLOEXEC, 0666)) {}
  explicit OpenFile(int opened) : fd(opened) {}
  ~OpenFile() {
    if (fd >= 0) ::close(fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
};

constexpr size_t kChunk = 1 << 20;

// Writes every byte of one open file over the start of another and cuts that one to the same
// length, so the target never stands empty before the bytes are there. Why not, when a step
// fails (no room left, above all).
std::optional<std::string> copyBytes(int from, int to) {
  std::vector<char> buffer(kChunk);
  off_t offset = 0;
  for (;;) {
    ssize_t got = ::pread(from, buffer.data(), buffer.size(), offset);
    if (got < 0) return lastError();
    if (got == 0) break;
    for (ssize_t done = 0; done < got;) {
      ssize_t put =
          ::pwrite(to, buffer.data() + done, static_cast<size_t>(got - done), offset + done);
      if (put < 0) return lastError();
      done += put;
    }
    offset += got;
  }
  if (::ftruncate(to, offset) != 0) return lastError();
  return std::nullopt;
}

bool sameBytes(int one, int other) {
  struct stat a {
  }, b{};
  if (::fstat(one, &a) != 0 || ::fstat(other, &b) != 0 || a.st_size != b.st_size) return false;
  std::vector<char> left(kChunk), right(kChunk);
  for (off_t offset = 0; offset < a.st_size;) {
    ssize_t got = ::pread(one, left.data(), left.size(), offset);
    if (got <= 0 || ::pread(other, right.data(), static_cast<size_t>(got), offset) != got ||
        !std::equal(left.begin(), left.begin() + got, right.begin()))
      return false;
    offset += got;
  }
  return true;
}

// A new file in this folder holding the bytes of the open index, or why it cannot be made.
std::optional<std::string> copyInto(const std::string& folder, int index, ino_t number,
                                    std::string& copyPath) {
  std::string pattern = folder + "/" + std::string(kCopyStart) + std::to_string(number) + "-" +
                        std::string(kRandomPart, 'X') + std::string(kCopyEnd);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  OpenFile copy(::mkstemps(name.data(), static_cast<int>(kCopyEnd.size())));
  if (copy.fd < 0) return lastError();
  if (auto problem = copyBytes(index, copy.fd)) {
    ::unlink(name.data());
    return problem;
  }
  copyPath = name.data();
  return std::nullopt;
}

bool sameFolder(const std::string& one, const std::string& other) {
  std::error_code error;
  return std::filesystem::equivalent(one, other, error);
}

}  // namespace

IndexBackup::IndexBackup(std::string indexPath, std::string temporaryFolder)
    : indexPath_(std::move(indexPath)), temporaryFolder_(std::move(temporaryFolder)) {}

std::optional<std::string> IndexBackup::keepCopy() {
  std::error_code error;
  auto real = std::filesystem::canonical(indexPath_, error);
  if (error) return std::nullopt;  // no file there: nothing to lose
  std::string start = "Molbench cannot keep a copy of the index " + inQuotes(indexPath_) +
                      " while obabel rebuilds it (";
  std::string end =
      "), and obabel empties the index before it knows whether it can build a new one.";
  OpenFile index(real.string(), O_RDONLY);
  struct stat info {};
  if (index.fd < 0 || ::fstat(index.fd, &info) != 0)
    return start + "it cannot be read: " + lastError() + end;
  // obabel would leave an index it cannot open for writing as it is, say "Cannot write to" and
  // end as if it had built it. Opened without O_TRUNC, the file stays untouched.
  if (OpenFile(real.string(), O_WRONLY | O_NONBLOCK).fd < 0)
    return "obabel cannot write to the index " + inQuotes(indexPath_) + " (" + lastError() +
           "): it would leave the old index there as it is. Choose an index you can write to.";
  std::string beside = real.parent_path().string(), reasons;
  for (const std::string& folder : {beside, temporaryFolder_}) {
    if (folder != beside && sameFolder(folder, beside)) continue;
    auto problem = copyInto(folder, index.fd, info.st_ino, copyPath_);
    if (!problem) {
      realPath_ = real.string();
      return std::nullopt;
    }
    reasons += (reasons.empty() ? "" : "; ") + ("in " + inQuotes(folder) + ": " + *problem);
  }
  return start + reasons + end +
         " Make room on the disk or in the temporary folder, or choose another index path.";
}

void IndexBackup::discard() {
  if (!copyPath_.empty()) ::unlink(copyPath_.c_str());
  copyPath_.clear();
}

std::string IndexBackup::putBack() {
  if (copyPath_.empty()) {
    struct stat info {};
    if (::lstat(indexPath_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return "";
    ::unlink(indexPath_.c_str());
    return "Molbench removed that file: there was none at the index path before.";
  }
  std::string copy = copyPath_;
  copyPath_.clear();
  OpenFile kept(copy, O_RDONLY);
  if (kept.fd < 0)
    return "Molbench could not read the copy " + inQuotes(copy) +
           " of the index that was there before (" + lastError() + ").";
  // obabel leaves the file as it was when it cannot open it for writing.
  OpenFile current(realPath_, O_RDONLY);
  if (current.fd >= 0 && sameBytes(kept.fd, current.fd)) {
    ::unlink(copy.c_str());
    return "The index that was there before is still in place, unchanged.";
  }
  // The bytes go into the same file: a new file in its place would lose its mode, owner and
  // other names.
  OpenFile index(realPath_, O_WRONLY | O_CREAT);
  auto problem = index.fd < 0 ? std::optional(lastError()) : copyBytes(kept.fd, index.fd);
  if (problem)
    return "Molbench could not put the index that was there before back (" + *problem +
           "): it is kept as " + inQuotes(copy) + "; copy it over " + inQuotes(indexPath_) +
           " to get it back.";
  ::unlink(copy.c_str());
  return "The index that was there before is back in place, unchanged.";
}

std::string keptCopiesNote(const std::string& indexPath, const std::string& temporaryFolder) {
  struct stat info {};
  std::error_code error;
  auto real = std::filesystem::canonical(indexPath, error);
  if (error || ::stat(real.c_str(), &info) != 0) return "";
  std::string beside = real.parent_path().string(), number = std::to_string(info.st_ino);
  std::vector<std::string> found;
  for (const std::string& folder : {beside, temporaryFolder}) {
    bool besideIndex = folder == beside || sameFolder(folder, beside);
    if (folder != beside && besideIndex) continue;
    // Stepped with an error code: a folder that goes while it is read ends the listing.
    for (std::filesystem::directory_iterator entry(
             folder, std::filesystem::directory_options::skip_permission_denied, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
      std::string name = entry->path().filename().string();
      if (name.size() < kCopyStart.size() + kRandomPart + kCopyEnd.size() ||
          !name.starts_with(kCopyStart) || !name.ends_with(kCopyEnd))
        continue;
      std::string tag = name.substr(
          kCopyStart.size(), name.size() - kCopyStart.size() - kRandomPart - kCopyEnd.size());
      bool ours = tag == number + "-" || (tag.empty() && besideIndex);
      if (ours && isFastSearchIndex(entry->path().string())) found.push_back(entry->path());
    }
  }
  if (found.empty()) return "";
  std::sort(found.begin(), found.end());
  std::string names;
  for (const auto& path : found) names += (names.empty() ? "" : ", ") + inQuotes(path);
  return "A rebuild that did not finish kept the index that was there before as " + names +
         ": copy it over " + inQuotes(indexPath) + " to search it again.";
}

}  // namespace molbench
