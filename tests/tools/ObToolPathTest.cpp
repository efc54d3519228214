// Finding a sibling program beside the stored obabel path.
#include <gtest/gtest.h>

#include "tools/ObToolPath.h"

namespace molbench::testing {
namespace {

TEST(ObToolPath, TakesTheFolderOfTheObabelPath) {
  const std::pair<std::string, std::optional<std::string>> examples[] = {
      {"/usr/local/bin/obabel", "/usr/local/bin/obtautomer"},
      {"/obabel", "/obtautomer"},
      {"bin/obabel", "bin/obtautomer"},
      {"obabel", "./obtautomer"},
      {"/opt/ob/bin/", "/opt/ob/obtautomer"},
      {"/opt/my%20ob/bin/obabel", "/opt/my%20ob/bin/obtautomer"},
      {"~/ob/bin/obabel", "~/ob/bin/obtautomer"},
      {"/Applications/Open Babel/bin/obabel", std::nullopt},
      {"Need obabel Path", std::nullopt},
      {"", std::nullopt},
      {"/usr/bin/obabel ", std::nullopt},
      {"/opt/%zz/obabel", std::nullopt},
      {"/opt/ob\"/obabel", std::nullopt},
      {"/opt/\xc3\xa9/obabel", std::nullopt},
      {"/opt/ob?x/obabel", std::nullopt},
      {"http://host/obabel", std::nullopt},
      {"/opt/a:b/obabel", "/opt/a:b/obtautomer"},
  };
  for (const auto& [obabelPath, program] : examples)
    EXPECT_EQ(obtoolPath(obabelPath, "obtautomer"), program) << obabelPath;
}

}  // namespace
}  // namespace molbench::testing
