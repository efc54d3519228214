// A program that writes in its input's format (obrotate) never fills a file whose name says
// another: nothing would read it back as what it holds ("obrotate.sdf" holding Mol2 text).
#pragma once

#include <optional>
#include <string>

namespace molbench {

// The path with its extension (and a closing ".gz") replaced by the extension that gives the
// input's format by name, or added where it has none; the path as it is when the input's name
// gives no format.
std::string inInputFormat(const std::string& outputPath, const std::string& inputPath);

// Why the output's name does not fit what the program writes there, in the format of its input:
// the name gives another format, or none, or says the file is compressed. Formats compare as
// obabel reads them: any case, and any code of one format ("sd", "sdf", "mol").
std::optional<std::string> outputFormatProblem(const std::string& program,
                                               const std::string& inputPath,
                                               const std::string& outputPath);

}  // namespace molbench
