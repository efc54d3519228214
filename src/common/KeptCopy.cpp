#include "common/KeptCopy.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace molbench {

namespace {

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
// length, so the target never stands empty before the bytes are there (on a full disk the old
// bytes fit where obabel's took their room). Why not, when a step fails (no room left, above
// all).
std::optional<std::string> copyBytes(int from, int to) {
  std::vector<char> buffer(kChunk);
  off_t offset = 0;
  for (;;) {
    ssize_t got = ::pread(from, buffer.data(), buffer.size(), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return lastError();
    if (got == 0) break;
    for (ssize_t done = 0; done < got;) {
      ssize_t put =
          ::pwrite(to, buffer.data() + done, static_cast<size_t>(got - done), offset + done);
      if (put < 0 && errno == EINTR) continue;
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

// What names the copies of the file with this status: "<device>-<inode>-".
std::string fileTag(const struct stat& info) {
  return std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino) + "-";
}

// A new file in this folder holding the bytes of the open file, or why it cannot be made.
std::optional<std::string> copyInto(const std::string& folder, KeptCopyName name, int file,
                                    const std::string& tag, std::string& copyPath) {
  std::string pattern = folder + "/" + std::string(name.start) + tag +
                        std::string(kRandomPart, 'X') + std::string(name.end);
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  OpenFile copy(::mkstemps(path.data(), static_cast<int>(name.end.size())));
  if (copy.fd < 0) return lastError();
  if (auto problem = copyBytes(file, copy.fd)) {
    ::unlink(path.data());
    return problem;
  }
  copyPath = path.data();
  return std::nullopt;
}

// "<digits>-" followed by the inode's "<inode>-".
bool isDeviceThenInode(const std::string& entryTag, const std::string& inodeOnly) {
  size_t dash = entryTag.find('-');
  return dash != std::string::npos && dash > 0 &&
         entryTag.find_first_not_of("0123456789") == dash &&
         entryTag.compare(dash + 1, std::string::npos, inodeOnly) == 0;
}

bool sameFolder(const std::string& one, const std::string& other) {
  std::error_code error;
  return one == other || std::filesystem::equivalent(one, other, error);
}

// The folder beside the file, then the temporary folder unless it is that same folder.
std::vector<std::string> foldersFor(const std::string& beside, const std::string& temporary) {
  if (sameFolder(beside, temporary)) return {beside};
  return {beside, temporary};
}

}  // namespace

KeptCopy::KeptCopy(std::string path, std::string temporaryFolder, KeptCopyName name)
    : path_(std::move(path)), temporaryFolder_(std::move(temporaryFolder)), name_(name) {}

std::optional<KeptCopy::Problem> KeptCopy::keep() {
  std::error_code error;
  auto real = std::filesystem::canonical(path_, error);
  if (error) return std::nullopt;  // no file there: nothing to lose
  realPath_ = real.string();
  OpenFile file(realPath_, O_RDONLY);
  struct stat info {};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0)
    return Problem{Problem::Kind::unreadable, lastError()};
  // Opened without O_TRUNC, the file stays untouched.
  if (OpenFile(realPath_, O_WRONLY | O_NONBLOCK).fd < 0)
    return Problem{Problem::Kind::unwritable, lastError()};
  std::string beside = real.parent_path().string(), reasons;
  for (const std::string& folder : foldersFor(beside, temporaryFolder_)) {
    auto problem = copyInto(folder, name_, file.fd, fileTag(info), copyPath_);
    if (!problem) return std::nullopt;
    reasons += (reasons.empty() ? "" : "; ") + ("in " + inQuotes(folder) + ": " + *problem);
  }
  return Problem{Problem::Kind::noCopy, reasons};
}

void KeptCopy::discard() {
  if (!copyPath_.empty()) ::unlink(copyPath_.c_str());
  copyPath_.clear();
}

KeptCopy::Outcome KeptCopy::putBack() {
  using Kind = Outcome::Kind;
  if (copyPath_.empty()) {
    struct stat info {};
    if (::lstat(path_.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
      return {Kind::nothingThere, "", ""};
    ::unlink(path_.c_str());
    return {Kind::removed, "", ""};
  }
  std::string copy = copyPath_;
  copyPath_.clear();
  OpenFile kept(copy, O_RDONLY);
  if (kept.fd < 0) return {Kind::copyUnreadable, lastError(), copy};
  // obabel leaves the file as it was when it cannot open it for writing.
  OpenFile current(realPath_, O_RDONLY);
  if (current.fd >= 0 && sameBytes(kept.fd, current.fd)) {
    ::unlink(copy.c_str());
    return {Kind::unchanged, "", ""};
  }
  // Into the same file: a new file in its place would lose its mode, owner and other names.
  OpenFile file(realPath_, O_WRONLY | O_CREAT);
  auto problem = file.fd < 0 ? std::optional(lastError()) : copyBytes(kept.fd, file.fd);
  if (problem) return {Kind::notRestored, *problem, copy};
  ::unlink(copy.c_str());
  return {Kind::restored, "", ""};
}

std::vector<std::string> keptCopiesOf(const std::string& path, const std::string& temporaryFolder,
                                      KeptCopyName name, bool unnumberedBeside,
                                      const std::function<bool(const std::string&)>& isCopy) {
  struct stat info {};
  std::error_code error;
  auto real = std::filesystem::canonical(path, error);
  std::vector<std::string> found;
  if (error || ::stat(real.c_str(), &info) != 0) return found;
  std::string beside = real.parent_path().string(), tag = fileTag(info);
  std::string inodeOnly = std::to_string(info.st_ino) + "-";
  for (const std::string& folder : foldersFor(beside, temporaryFolder)) {
    bool besideFile = folder == beside;
    // Beside the file, on its file system, a copy with its inode can only be its own, whatever
    // the device was numbered then (some file systems are numbered anew at each mount), and so
    // can an older Molbench's copy named by the inode alone. In the temporary folder such a name
    // may be of any file system's file.
    struct stat place {};
    bool besideOnItsDevice =
        besideFile && ::stat(folder.c_str(), &place) == 0 && place.st_dev == info.st_dev;
    // Stepped with an error code: a folder that goes while it is read ends the listing.
    for (std::filesystem::directory_iterator entry(
             folder, std::filesystem::directory_options::skip_permission_denied, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
      std::string entryName = entry->path().filename().string();
      if (entryName.size() < name.start.size() + kRandomPart + name.end.size() ||
          !entryName.starts_with(name.start) || !entryName.ends_with(name.end))
        continue;
      std::string entryTag = entryName.substr(
          name.start.size(), entryName.size() - name.start.size() - kRandomPart - name.end.size());
      bool ours = entryTag == tag ||
                  (besideOnItsDevice &&
                   (entryTag == inodeOnly || isDeviceThenInode(entryTag, inodeOnly))) ||
                  (entryTag.empty() && besideFile && unnumberedBeside);
      if (ours && (!isCopy || isCopy(entry->path().string()))) found.push_back(entry->path());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace molbench
