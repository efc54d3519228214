#include "common/OutputGuard.h"

#include <sys/stat.h>

#include "common/FastSearchIndex.h"
#include "common/Refusal.h"

namespace molbench {

namespace {

std::optional<struct stat> statOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info;
}

}  // namespace

std::optional<std::string> outputPathProblem(const std::string& outputPath,
                                             const std::vector<std::string>& inputPaths) {
  if (outputPath.empty()) return "The output path is empty: choose or type a file name.";
  if (outputPath.back() == '/')
    return "The output path \"" + outputPath + "\" ends in \"/\": add a file name.";
  auto output = statOf(outputPath);
  if (!output) return std::nullopt;
  if (S_ISDIR(output->st_mode))
    return "The output path \"" + outputPath + "\" is a folder: add a file name.";
  auto sameFile = [&output](const std::string& path) {
    auto in = statOf(path);
    return in && in->st_dev == output->st_dev && in->st_ino == output->st_ino;
  };
  for (const auto& input : inputPaths) {
    if (sameFile(input))
      return "The output file \"" + outputPath +
             "\" is also an input of this run; writing it would empty the input first. Choose "
             "another output file.";
    auto indexed = indexedMoleculeFile(input);
    if (indexed && sameFile(*indexed))
      return "The output file \"" + outputPath + "\" holds the molecules of the index \"" + input +
             "\"; writing it would empty them before the search reads them. Choose "
             "another output file.";
  }
  return std::nullopt;
}

bool outputPathAccepted(platform::Platform& platform, const std::string& outputPath,
                        const std::vector<std::string>& inputPaths) {
  return acceptedUnless(platform, outputPathProblem(outputPath, inputPaths), kOutputAlertTitle);
}

bool inputPathAccepted(platform::Platform& platform, const std::string& inputPath) {
  std::optional<std::string> problem;
  if (inputPath.empty()) problem = "The input path is empty: choose or type a file name.";
  return acceptedUnless(platform, problem, kInputAlertTitle);
}

}  // namespace molbench
