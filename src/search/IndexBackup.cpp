#include "search/IndexBackup.h"

#include "common/FastSearchIndex.h"

namespace molbench {

namespace {

// Copies of an older Molbench bear no number and lay only beside the index.
constexpr KeptCopyName kIndexCopyName{"kept-index-", ".fs"};

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

IndexBackup::IndexBackup(std::string indexPath, std::string temporaryFolder)
    : indexPath_(indexPath),
      kept_(std::move(indexPath), std::move(temporaryFolder), kIndexCopyName) {}

std::optional<std::string> IndexBackup::keepCopy() {
  auto problem = kept_.keep();
  if (!problem) return std::nullopt;
  std::string start = "Molbench cannot keep a copy of the index " + inQuotes(indexPath_) +
                      " while obabel rebuilds it (";
  std::string end =
      "), and obabel empties the index before it knows whether it can build a new one.";
  switch (problem->kind) {
    case KeptCopy::Problem::Kind::unreadable:
      return start + "it cannot be read: " + problem->reason + end;
    case KeptCopy::Problem::Kind::unwritable:
      return "obabel cannot write to the index " + inQuotes(indexPath_) + " (" + problem->reason +
             "): it would leave the old index there as it is. Choose an index you can write to.";
    case KeptCopy::Problem::Kind::noCopy:
      break;
  }
  return start + problem->reason + end +
         " Make room on the disk or in the temporary folder, or choose another index path.";
}

void IndexBackup::discard() { kept_.discard(); }

std::string IndexBackup::putBack() {
  auto outcome = kept_.putBack();
  switch (outcome.kind) {
    case KeptCopy::Outcome::Kind::nothingThere:
      return "";
    case KeptCopy::Outcome::Kind::removed:
      return "Molbench removed that file: there was none at the index path before.";
    case KeptCopy::Outcome::Kind::copyUnreadable:
      return "Molbench could not read the copy " + inQuotes(outcome.copy) +
             " of the index that was there before (" + outcome.reason + ").";
    case KeptCopy::Outcome::Kind::unchanged:
      return "The index that was there before is still in place, unchanged.";
    case KeptCopy::Outcome::Kind::notRestored:
      return "Molbench could not put the index that was there before back (" + outcome.reason +
             "): it is kept as " + inQuotes(outcome.copy) + "; copy it over " +
             inQuotes(indexPath_) + " to get it back.";
    case KeptCopy::Outcome::Kind::restored:
      break;
  }
  return "The index that was there before is back in place, unchanged.";
}

std::string keptCopiesNote(const std::string& indexPath, const std::string& temporaryFolder) {
  auto found = keptCopiesOf(indexPath, temporaryFolder, kIndexCopyName, true, isFastSearchIndex);
  if (found.empty()) return "";
  std::string names;
  for (const auto& path : found) names += (names.empty() ? "" : ", ") + inQuotes(path);
  return "A rebuild that did not finish kept the index that was there before as " + names +
         ": copy it over " + inQuotes(indexPath) + " to search it again.";
}

}  // namespace molbench
