#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/ChooseFile.h"
#include "platform/FileUrl.h"

namespace molbench::platform {
namespace {

TEST(FileUrl, PresetsFollowTheChosenPath) {
  auto file = FileUrl::fromPath("/data/set1/in.sdf");
  EXPECT_EQ(folderPreset(file, "/"), "/data/set1/");
  EXPECT_EQ(folderPreset(FileUrl::fromPath("/data/run1"), "/"), "/data/");
  EXPECT_EQ(folderPreset(file, "/obenergy.txt"), "/data/set1/obenergy.txt");
  // Only the last extension goes, and only from the file name.
  const std::pair<std::string, std::string> extensions[] = {
      {"/data/set1/in.sdf", "/data/set1/in.fs"},
      {"/data/set.sdf.gz", "/data/set.sdf.fs"},
      {"/data.old/actives", "/data.old/actives.fs"}};
  for (const auto& [path, preset] : extensions)
    EXPECT_EQ(extensionPreset(FileUrl::fromPath(path), ".fs"), preset) << path;
}

TEST(FileUrl, TextFormIsPercentEncodedAndMarksFolders) {
  auto folder = FileUrl::fromPath("/tmp/my files/é", true);
  EXPECT_EQ(folder.absoluteString(), "file:///tmp/my%20files/%C3%A9/");
  EXPECT_EQ(FileUrl::fromPath("/tmp/a#b?.htm").absoluteString(), "file:///tmp/a%23b%3F.htm");
  auto back = FileUrl::fromString(folder.absoluteString());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->path(), "/tmp/my files/é");
  EXPECT_TRUE(back->isDirectory());
  EXPECT_FALSE(FileUrl::fromString("https://example.org/x"));
}

TEST(FileUrl, AppendingAComponentAsksTheFileSystemWhetherItIsAFolder) {
  char pattern[] = "/tmp/molbench-url-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  std::string base = pattern;
  ::mkdir((base + "/forwebview").c_str(), 0700);
  auto root = FileUrl::fromPath(base);
  EXPECT_EQ(root.appendingPathComponent("forwebview").absoluteString(),
            "file://" + base + "/forwebview/");
  EXPECT_EQ(root.appendingPathComponent("missing").absoluteString(), "file://" + base + "/missing");
  ::rmdir((base + "/forwebview").c_str());
  ::rmdir(base.c_str());
}

}  // namespace
}  // namespace molbench::platform
