#include <gtest/gtest.h>

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

TEST(Win32Profile, ValuesAndDefaults) {
  Win32FileSystem files;
  TempFolder folder;
  const auto profile =
      files.OpenProfile(folder.Write("values.ini", "[Button7]\r\nCaption=a\r\nEmpty=\r\n"));
  EXPECT_EQ(profile->GetPrivateProfileString("Button7", "Caption", ""), "a");
  EXPECT_EQ(profile->GetPrivateProfileString("button7", "CAPTION", ""), "a");
  EXPECT_EQ(profile->GetPrivateProfileString("Button7", "Empty", "dflt"), "");
  EXPECT_EQ(profile->GetPrivateProfileString("Button7", "Missing", "dflt"), "dflt");
  EXPECT_EQ(profile->GetPrivateProfileString("Button8", "Caption", ""), "");
}

TEST(Win32Profile, LongValuesAreCutTo2047Characters) {
  Win32FileSystem files;
  TempFolder folder;
  const std::string long_value = std::string(2047, 'x') + "yz";
  const auto profile =
      files.OpenProfile(folder.Write("long.ini", "[S]\r\nk=" + long_value + "\r\n"));
  EXPECT_EQ(profile->GetPrivateProfileString("S", "k", ""), long_value.substr(0, 2047));
}

TEST(Win32Profile, AFileThatIsNotThereGivesDefaults) {
  Win32FileSystem files;
  TempFolder folder;
  const auto profile = files.OpenProfile((folder.path() / "gone.ini").string());
  EXPECT_EQ(profile->GetPrivateProfileString("S", "k", "dflt"), "dflt");
}

}  // namespace
}  // namespace plinth::platform::win32
