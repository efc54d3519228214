// How obabel's fast-search index reads its query. It takes the -s text as a molecule: the name
// of a molecule file, or a SMILES (with [#n] atoms and ~ bonds); under -at only a SMILES. A
// substructure search then matches each molecule the fingerprints let through against the same
// text read as a SMARTS. A query it cannot read empties the output, and obabel exits 0.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// " -at" and the typed similarity as one shell word, with no blank between; "" when the text
// is empty. obabel reads a whole number as that many most similar molecules, a text with "."
// as the least similarity (two of them, "0.7,0.9", as a range).
std::string similarityPiece(const std::string& similarityText);

// Why obabel would not read the typed similarity as the number it shows, or nothing. obabel
// takes what it can of a text ("0,7" as 0 molecules, "1e-1" as 1, "0.7x" as 0.7) and says
// nothing.
std::optional<std::string> similarityProblem(const std::string& similarityText);

// The question the index search asks of its query, asked of a one-molecule index: searches it
// with the same -s and -at, writes nothing, and merges standard error into what it prints.
std::string indexQueryCheckCommand(const std::string& obabelPath, const std::string& indexPath,
                                   const std::string& query, const std::string& similarityText);

// obabel's own words when the check's report says the index search could not read its query,
// else nothing.
std::optional<std::string> indexQueryError(const std::string& checkOutput);

// What the check found: whether the index search reads the query, with obabel's words when it
// cannot, or why the check could not run.
struct IndexQueryFinding {
  enum Kind { readable, unreadable, notChecked } kind;
  std::string words;
};

// Runs the check on a one-molecule index made for it in a private folder under the scratch
// folder (removed afterwards), in this program's working folder as every run is, so a query
// file's relative name reads the same file. A check that cannot run (no scratch folder, as
// when TMPDIR is missing or a file) says why: the query is then not known to be readable.
IndexQueryFinding indexQueryProblem(const std::string& obabelPath, const std::string& query,
                                    const std::string& similarityText,
                                    const std::string& scratchFolder);

// The messages obabel printed under each of its headers that begins with the given text (by
// default every "*** Open Babel Error" and "Warning"), one line each, in order.
std::string obabelMessages(const std::string& output,
                           const std::string& header = "*** Open Babel ");

}  // namespace molbench
