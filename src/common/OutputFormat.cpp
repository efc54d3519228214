#include "common/OutputFormat.h"

#include "common/FormatFromName.h"
#include "common/FormatTables.h"

namespace molbench {

namespace {

bool endsInGz(const std::string& path) {
  return path.size() >= 3 && path.compare(path.size() - 3, 3, ".gz") == 0;
}

// What obabel makes of the name when it reads the file back.
NameFormat readBack(const std::string& path) {
  return formatFromName(path, nameRuleOf("obabel", "input"));
}

bool sameFormat(const NameFormat& a, const NameFormat& b) {
  if (a.kind != NameFormat::Kind::readable || b.kind != NameFormat::Kind::readable) return false;
  std::string described = formatDescription(a.code);
  return !described.empty() && described == formatDescription(b.code);
}

}  // namespace

std::string inInputFormat(const std::string& outputPath, const std::string& inputPath) {
  NameFormat input = readBack(inputPath);
  if (input.kind != NameFormat::Kind::readable || formatDescription(input.code).empty())
    return outputPath;
  std::string path = outputPath;
  if (endsInGz(path)) path.erase(path.size() - 3);
  size_t dot = path.rfind('.');
  if (dot != std::string::npos && path.find('/', dot) == std::string::npos) path.erase(dot);
  return path + "." + input.code;
}

std::optional<std::string> outputFormatProblem(const std::string& program,
                                               const std::string& inputPath,
                                               const std::string& outputPath) {
  NameFormat input = readBack(inputPath), output = readBack(outputPath);
  if (!endsInGz(outputPath) && sameFormat(input, output)) return std::nullopt;
  std::string gives =
      endsInGz(outputPath)
          ? "says it is gzip-compressed, while " + program + " writes uncompressed text"
      : output.kind == NameFormat::Kind::readable ? "gives " + formatDescription(output.code)
                                                  : "gives no format obabel reads";
  return program + " writes in the format of its input \"" + inputPath + "\" (" +
         formatDescription(input.code) + "), but the output name \"" + outputPath + "\" " + gives +
         ": nothing would read the file back as what it holds. Name the output \"" +
         inInputFormat(outputPath, inputPath) + "\".";
}

}  // namespace molbench
