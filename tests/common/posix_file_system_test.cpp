#include "platform/common/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace plinth::platform {
namespace {

class PosixFileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("plinth_files_test_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Writes a file whose name is given in UTF-8 and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = dir_.string() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  PosixFileSystem files_;
  std::filesystem::path dir_;
};

TEST_F(PosixFileSystemTest, ExecutablePathNamesThisTestProgram) {
  const std::string path = files_.ExecutablePath();
  EXPECT_EQ(std::filesystem::path(path).filename(), "common_tests");
  EXPECT_TRUE(files_.FileExists(path));
}

TEST_F(PosixFileSystemTest, FileExistsOnlyForFilesThatAreNoDirectory) {
  const std::string file = Write("Default.ini", "");
  EXPECT_TRUE(files_.FileExists(file));
  EXPECT_FALSE(files_.FileExists(dir_.string()));
  EXPECT_FALSE(files_.FileExists(dir_.string() + "/Missing.ini"));
  EXPECT_FALSE(files_.FileExists(""));
}

TEST_F(PosixFileSystemTest, OpensProfiles) {
  const std::string file = Write("Default.ini", "[Configuration]\nShiftOperation=LATCH\n");
  EXPECT_EQ(files_.OpenProfile(file)->GetPrivateProfileString("Configuration", "ShiftOperation",
                                                              "TOGGLE"),
            "LATCH");
}

TEST_F(PosixFileSystemTest, WhatCannotBeReadGivesAnEmptyProfile) {
  const std::string fifo = dir_.string() + "/Pipe.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {dir_.string(), dir_.string() + "/Missing.ini", fifo}) {
    EXPECT_EQ(files_.OpenProfile(path)->GetPrivateProfileString("S", "k", "none"), "none") << path;
  }
}

TEST_F(PosixFileSystemTest, Windows1252NamesFindUtf8Files) {
  Write(
      "Fran\xC3\xA7"
      "ais.ini",
      "[S]\nk=v\n");
  const std::string cp1252_path = dir_.string() +
                                  "/Fran\xE7"
                                  "ais.ini";
  EXPECT_TRUE(files_.FileExists(cp1252_path));
  EXPECT_EQ(files_.OpenProfile(cp1252_path)->GetPrivateProfileString("S", "k", ""), "v");
}

}  // namespace
}  // namespace plinth::platform
