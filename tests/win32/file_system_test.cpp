#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class TempFolder {
 public:
  TempFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = fs::path(temp) / ("plinth-fs-test-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return (path_ / name).string();
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(Win32FileSystem, ExecutablePathNamesThisProgram) {
  Win32FileSystem files;
  const std::string path = files.ExecutablePath();
  EXPECT_TRUE(Lower(path).ends_with("\\win32_platform_tests.exe")) << path;
  EXPECT_TRUE(files.FileExists(path));
}

TEST(Win32FileSystem, LayoutsLieOnlyBesideTheProgram) {
  Win32FileSystem files;
  const std::string path = files.ExecutablePath();
  EXPECT_EQ(files.LayoutFolders(),
            std::vector<std::string>{path.substr(0, path.find_last_of('\\') + 1)});
}

TEST(Win32FileSystem, FoldersAndMissingFilesDoNotExist) {
  Win32FileSystem files;
  TempFolder folder;
  EXPECT_FALSE(files.FileExists(folder.path().string()));
  EXPECT_FALSE(files.FileExists((folder.path() / "missing.ini").string()));
  EXPECT_FALSE(files.FileExists(""));
  EXPECT_TRUE(files.FileExists(folder.Write("there.ini", "")));
}

TEST(Win32FileSystem, ReadsProfilesOnce) {
  Win32FileSystem files;
  TempFolder folder;
  const std::string path = folder.Write("values.ini", "[Button7]\r\nCaption=a\r\nEmpty=\r\n");
  const auto profile = files.OpenProfile(path);
  fs::remove(path);  // everything was read at opening
  EXPECT_EQ(profile->FindValue("button7", "CAPTION"), "a");
  EXPECT_EQ(profile->FindValue("Button7", "Empty"), "");
  EXPECT_EQ(profile->FindValue("Button7", "Missing"), std::nullopt);
}

TEST(Win32FileSystem, RefusesWhatCannotBeReadAsALayout) {
  Win32FileSystem files;
  TempFolder folder;
  const std::string huge = folder.Write("huge.ini", "");
  fs::resize_file(huge, FileSystem::kMaxProfileFileSize + 1);
  const std::string limit = folder.Write("limit.ini", "");
  fs::resize_file(limit, FileSystem::kMaxProfileFileSize);
  EXPECT_THROW(files.OpenProfile(huge), UnreadableProfile);
  EXPECT_THROW(files.OpenProfile((folder.path() / "gone.ini").string()), UnreadableProfile);
  EXPECT_THROW(files.OpenProfile(folder.path().string()), UnreadableProfile);
  EXPECT_EQ(files.OpenProfile(limit)->FindValue("S", "k"), std::nullopt);
}

TEST(Win32FileSystem, UserDataLivesInTheApplicationDataFolder) {
  char appdata[MAX_PATH + 1] = {};
  ASSERT_GT(GetEnvironmentVariableA("APPDATA", appdata, sizeof appdata), 0u);
  std::string expected = appdata;
  if (expected.back() != '\\') expected += '\\';
  EXPECT_EQ(Win32FileSystem().UserDataFolder(), expected + "Plinth\\");
}

TEST(Win32FileSystem, ReadsDataFilesWithinTheirBound) {
  Win32FileSystem files;
  TempFolder folder;
  const std::string path = folder.Write("list.words", "the\t3\n");
  EXPECT_EQ(files.ReadDataFile(path, 6).bytes, "the\t3\n");
  const auto large = files.ReadDataFile(path, 5);
  EXPECT_EQ(large.bytes, std::nullopt);
  EXPECT_EQ(large.error, "it is 6 bytes, more than the 5 such a file may have");
  const auto missing = files.ReadDataFile((folder.path() / "gone.words").string(), 5);
  EXPECT_TRUE(missing.missing);
  EXPECT_FALSE(files.ReadDataFile(folder.path().string(), 5).missing);
}

// A new file and its folder appear whole; a file that cannot be replaced
// (here a folder stands in its place) stays as it was, and no temporary
// file is left behind.
TEST(Win32FileSystem, WritesDataFilesAtomically) {
  Win32FileSystem files;
  TempFolder folder;
  const std::string path = (folder.path() / "new" / "learned-words.txt").string();
  EXPECT_EQ(files.WriteFileAtomically(path, "one"), std::nullopt);
  EXPECT_EQ(files.ReadDataFile(path, 100).bytes, "one");
  EXPECT_EQ(files.WriteFileAtomically(path, "two"), std::nullopt);
  EXPECT_EQ(files.ReadDataFile(path, 100).bytes, "two");

  const fs::path blocked = folder.path() / "blocked";
  fs::create_directories(blocked);
  EXPECT_NE(files.WriteFileAtomically(blocked.string(), "three"), std::nullopt);
  EXPECT_TRUE(fs::is_directory(blocked));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"blocked", "new"}));
}

}  // namespace
}  // namespace plinth::platform::win32
