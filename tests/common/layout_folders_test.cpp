#include "platform/common/layout_folders.h"

#include <gtest/gtest.h>

namespace plinth::platform {
namespace {

TEST(LayoutFoldersTest, TheUsersFolderComesFromTheXdgConfigHomeElseFromHome) {
  const struct {
    const char* xdg_config_home;
    const char* home;
    const char* folder;
  } cases[] = {
      {"/home/ana/cfg", "/home/ana", "/home/ana/cfg/plinth/"},
      {"/home/ana/cfg/", "/home/ana", "/home/ana/cfg/plinth/"},
      {nullptr, "/home/ana", "/home/ana/.config/plinth/"},
      {"", "/home/ana/", "/home/ana/.config/plinth/"},
      {"relative/cfg", "/home/ana", "/home/ana/.config/plinth/"},  // to be ignored
      {"/home/jos\xC3\xA9/cfg", nullptr, "/home/jos\xC3\xA9/cfg/plinth/"},
      {nullptr, nullptr, ""},
      {"", "", ""},
      {nullptr, "relative", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UserLayoutFolder(c.xdg_config_home, c.home), c.folder)
        << (c.xdg_config_home ? c.xdg_config_home : "(unset)") << " "
        << (c.home ? c.home : "(unset)");
  }
}

TEST(LayoutFoldersTest, TheUsersDataFolderComesFromTheXdgDataHomeElseFromHome) {
  const struct {
    const char* xdg_data_home;
    const char* home;
    const char* folder;
  } cases[] = {
      {"/home/ana/data", "/home/ana", "/home/ana/data/plinth/"},
      {nullptr, "/home/ana", "/home/ana/.local/share/plinth/"},
      {"relative", "/home/ana/", "/home/ana/.local/share/plinth/"},
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UserDataFolder(c.xdg_data_home, c.home), c.folder)
        << (c.xdg_data_home ? c.xdg_data_home : "(unset)");
  }
}

TEST(LayoutFoldersTest, TheUsersFolderFirstThenTheProgramsOwn) {
  EXPECT_EQ(LayoutFolders("/home/ana/.config/plinth/", "/usr/lib/plinth/"),
            (std::vector<std::string>{"/home/ana/.config/plinth/", "/usr/lib/plinth/"}));
  EXPECT_EQ(LayoutFolders("", "/usr/lib/plinth/"), (std::vector<std::string>{"/usr/lib/plinth/"}));
}

TEST(LayoutFoldersTest, FolderOfAPathEndsInItsSeparator) {
  EXPECT_EQ(FolderOf("/usr/lib/plinth/plinth"), "/usr/lib/plinth/");
  EXPECT_EQ(FolderOf("C:\\Plinth\\Plinth.exe"), "C:\\Plinth\\");
  EXPECT_EQ(FolderOf("plinth"), "");
}

}  // namespace
}  // namespace plinth::platform
