#include "common/OutputGuard.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "common/FastSearchIndex.h"
#include "common/Refusal.h"

namespace molbench {

namespace {

std::optional<struct stat> statOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The path a symbolic link names, taken from the link's folder when relative.
std::optional<std::string> linkTarget(const std::string& path) {
  std::string target(PATH_MAX, '\0');
  ssize_t size = ::readlink(path.c_str(), target.data(), target.size());
  if (size <= 0) return std::nullopt;
  target.resize(static_cast<size_t>(size));
  auto slash = path.rfind('/');
  if (target.front() == '/' || slash == std::string::npos) return target;
  return path.substr(0, slash + 1) + target;
}

// A file the run reads, with what to call it when an output would overwrite it.
struct ReadFile {
  struct stat identity;
  std::string description;
};

std::vector<ReadFile> filesRead(const std::vector<std::string>& inputPaths) {
  std::vector<ReadFile> files;
  for (const auto& input : inputPaths) {
    if (auto in = statOf(input)) files.push_back({*in, "an input of this run (\"" + input + "\")"});
    auto indexed = indexedMoleculeFile(input);
    if (auto data = indexed ? statOf(*indexed) : std::nullopt)
      files.push_back({*data, "the molecule file of the index \"" + input + "\" (\"" + *indexed +
                                  "\"), which the run reads"});
  }
  return files;
}

std::string overwriteProblem(const std::string& written, const ReadFile& read) {
  return "The output file \"" + written + "\" is " + read.description +
         "; writing it would empty it before it is read. Choose another output file.";
}

// The folder part and the name part of a path ("" for the current folder).
std::pair<std::string, std::string> folderAndName(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Each existing file whose name is the first part, a number from 1 and the second part. Only
// the folder of the first part is listed: a number inside a folder name is not looked for.
std::optional<std::string> splitProblem(const std::string& outputPath,
                                        const std::vector<ReadFile>& files) {
  auto [before, after] = splitOutputNames(outputPath);
  if (files.empty() || after.find('/') != std::string::npos) return std::nullopt;
  auto [folder, stem] = folderAndName(before);
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!listing) return std::nullopt;
  std::optional<std::string> problem;
  while (const dirent* entry = ::readdir(listing)) {
    std::string name = entry->d_name;
    if (name.size() <= stem.size() + after.size() || name.rfind(stem, 0) != 0 ||
        name.compare(name.size() - after.size(), after.size(), after) != 0)
      continue;
    std::string number = name.substr(stem.size(), name.size() - stem.size() - after.size());
    if (number[0] == '0' || number.find_first_not_of("0123456789") != std::string::npos) continue;
    auto written = statOf(folder + name);
    for (const auto& read : files)
      if (written && sameFile(*written, read.identity))
        problem = "Splitting writes one file per molecule, named " +
                  numberedOutputNames(outputPath) + ": \"" + folder + name + "\" is " +
                  read.description + " and would be overwritten. Choose another output name.";
    if (problem) break;
  }
  ::closedir(listing);
  return problem;
}

}  // namespace

std::pair<std::string, std::string> splitOutputNames(const std::string& path) {
  // obabel's own steps, on the whole path: mark the place with a "*" before the extension (the
  // one under the last ".gz"), then put the number in place of the first "*".
  std::string marked = path;
  auto gz = marked.rfind(".gz");
  // Before a ".gz" at the very start, obabel's search wraps round to the last "." of all.
  auto dot = gz == std::string::npos ? marked.rfind('.') : marked.rfind('.', gz - 1);
  if (dot == std::string::npos)
    marked += '*';
  else
    marked.insert(dot, "*");
  auto star = marked.find('*');
  return {marked.substr(0, star), marked.substr(star + 1)};
}

std::string numberedOutputNames(const std::string& outputPath) {
  auto [before, after] = splitOutputNames(outputPath);
  return "\"" + before + "1" + after + "\", \"" + before + "2" + after + "\" and so on";
}

std::optional<std::string> outputPathProblem(const std::string& outputPath,
                                             const std::vector<std::string>& inputPaths,
                                             OutputKind kind) {
  if (outputPath.empty()) return "The output path is empty: choose or type a file name.";
  if (outputPath.back() == '/')
    return "The output path \"" + outputPath + "\" ends in \"/\": add a file name.";
  auto read = filesRead(inputPaths);
  if (kind == OutputKind::splitFiles)
    if (auto problem = splitProblem(outputPath, read)) return problem;
  auto output = statOf(outputPath);
  if (!output) {
    // obabel only prints "Cannot write to" and ends as if it had succeeded. A dangling link
    // is written through, into its target's folder.
    auto target = linkTarget(outputPath);
    std::string folder = folderAndName(target.value_or(outputPath)).first;
    auto inside = folder.empty() ? std::nullopt : statOf(folder);
    if (!folder.empty() && !(inside && S_ISDIR(inside->st_mode)))
      return "The folder of the output path \"" + outputPath + "\"" +
             (target ? " (a link to \"" + *target + "\")" : "") +
             " does not exist: create it or choose another folder.";
    return std::nullopt;
  }
  if (S_ISDIR(output->st_mode))
    return "The output path \"" + outputPath + "\" is a folder: add a file name.";
  // Opening a FIFO for writing waits for a reader that never comes: the window would hang.
  if (!S_ISREG(output->st_mode))
    return "The output path \"" + outputPath +
           "\" is not a regular file but a FIFO, a device or a socket: a run could wait on it for "
           "good. Choose a file.";
  for (const auto& file : read)
    if (sameFile(*output, file.identity)) return overwriteProblem(outputPath, file);
  // An empty file holds nothing to lose: a rebuild that was killed leaves its index so.
  if (kind == OutputKind::index && output->st_size > 0 && !isFastSearchIndex(outputPath))
    return "The index path \"" + outputPath +
           "\" holds a file that is not a fast-search index; building the index would replace "
           "it. Choose a new name or an index to rebuild.";
  return std::nullopt;
}

bool outputPathAccepted(platform::Platform& platform, const std::string& outputPath,
                        const std::vector<std::string>& inputPaths, OutputKind kind) {
  return acceptedUnless(platform, outputPathProblem(outputPath, inputPaths, kind),
                        kOutputAlertTitle);
}

bool runAccepted(platform::Platform& platform, const std::vector<InputFile>& inputs,
                 const std::optional<std::string>& outputPath, OutputKind kind) {
  if (!inputFilesAccepted(platform, inputs)) return false;
  if (!outputPath) return true;
  return outputPathAccepted(platform, *outputPath, pathsRead(inputs), kind);
}

}  // namespace molbench
