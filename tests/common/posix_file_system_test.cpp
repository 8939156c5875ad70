#include "platform/common/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

TEST_F(PosixFileSystemTest, ReadsProfilesOnce) {
  const std::string file = Write("Default.ini", "[Configuration]\nShiftOperation=LATCH\n");
  const auto profile = files_.OpenProfile(file);
  std::filesystem::remove(file);
  EXPECT_EQ(profile->FindValue("Configuration", "ShiftOperation"), "LATCH");
}

// Whatever cannot be read is refused at once: a pipe without a writer
// would block the reader, a device could never end.
TEST_F(PosixFileSystemTest, RefusesWhatCannotBeRead) {
  const std::string fifo = dir_.string() + "/Pipe.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string device = dir_.string() + "/Device.ini";
  std::filesystem::create_symlink("/dev/zero", device);
  for (const std::string& path : {dir_.string(), dir_.string() + "/Missing.ini", fifo, device}) {
    EXPECT_THROW(files_.OpenProfile(path), UnreadableProfile) << path;
  }
}

TEST_F(PosixFileSystemTest, RefusesAFileWithoutReadPermission) {
  const std::string file = Write("Locked.ini", "[S]\nk=v\n");
  std::filesystem::permissions(file, std::filesystem::perms::none);
  if (access(file.c_str(), R_OK) == 0) GTEST_SKIP() << "permissions do not bind this user";
  EXPECT_THROW(files_.OpenProfile(file), UnreadableProfile);
}

// A sparse file: its size costs no disk and no time, unless it is read.
TEST_F(PosixFileSystemTest, RefusesFilesLargerThanAnyLayoutWithoutReadingThem) {
  const std::string huge = Write("Huge.ini", "[S]\nk=v\n");
  std::filesystem::resize_file(huge, std::uint64_t{3} << 30U);
  const std::string limit = Write("Limit.ini", "[S]\nk=v\n");
  std::filesystem::resize_file(limit, FileSystem::kMaxProfileFileSize);
  EXPECT_THROW(files_.OpenProfile(huge), UnreadableProfile);
  EXPECT_EQ(files_.OpenProfile(limit)->FindValue("S", "k"), "v");
  std::filesystem::resize_file(limit, FileSystem::kMaxProfileFileSize + 1);
  EXPECT_THROW(files_.OpenProfile(limit), UnreadableProfile);
}

// Only the layout name is Windows-1252; the folder's bytes stay as they are.
TEST_F(PosixFileSystemTest, NonAsciiLayoutNamesBesideANonAsciiFolder) {
  std::filesystem::create_directories(dir_ / "jos\xC3\xA9");
  Write("jos\xC3\xA9/\xC3\x89t\xC3\xA9.ini", "[S]\nk=v\n");
  const std::string path = dir_.string() + "/jos\xC3\xA9/" + files_.NativeFileName("\xC9t\xE9.ini");
  EXPECT_TRUE(files_.FileExists(path));
  EXPECT_EQ(files_.OpenProfile(path)->FindValue("S", "k"), "v");
}

TEST_F(PosixFileSystemTest, ReadsDataFilesWithinTheirBound) {
  const std::string path = Write("list.words", "the\t3\n");
  EXPECT_EQ(files_.ReadDataFile(path, 6).bytes, "the\t3\n");
  const auto large = files_.ReadDataFile(path, 5);
  EXPECT_EQ(large.bytes, std::nullopt);
  EXPECT_EQ(large.error, "it is 6 bytes, more than the 5 such a file may have");
  EXPECT_TRUE(files_.ReadDataFile(dir_.string() + "/gone.words", 5).missing);
  EXPECT_FALSE(files_.ReadDataFile(dir_.string(), 5).missing);
}

// A new file and its folders appear whole, private to the user; a file
// that cannot be replaced stays as it was, and no temporary file is left.
TEST_F(PosixFileSystemTest, WritesDataFilesAtomically) {
  const std::string path = dir_.string() + "/data/plinth/learned-words.txt";
  EXPECT_EQ(files_.WriteFileAtomically(path, "one"), std::nullopt);
  EXPECT_EQ(files_.ReadDataFile(path, 100).bytes, "one");
  EXPECT_EQ(files_.WriteFileAtomically(path, "two"), std::nullopt);
  EXPECT_EQ(files_.ReadDataFile(path, 100).bytes, "two");
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  ASSERT_EQ(stat((dir_.string() + "/data/plinth").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);

  std::filesystem::create_directories(dir_ / "blocked");
  const auto refused = files_.WriteFileAtomically(dir_.string() + "/blocked", "three");
  ASSERT_NE(refused, std::nullopt);
  EXPECT_NE(refused->find("cannot replace"), std::string::npos) << *refused;
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "blocked"));
  const std::string file = Write("file", "old");
  EXPECT_NE(files_.WriteFileAtomically(file + "/below", "x"), std::nullopt);  // no folder there
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"blocked", "data", "file"}));
  EXPECT_EQ(files_.ReadDataFile(file, 100).bytes, "old");
}

}  // namespace
}  // namespace plinth::platform
