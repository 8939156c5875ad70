#pragma once

// The keyboard on the test platform, but reading its layout files from a
// real directory through the POSIX file system: the files' real bytes,
// real directories and real path names.
//
//   DiskKeyboard kb;
//   kb.Write("Default.ini", bytes);
//   kb.Create();
//   kb.keyboard.Click(1);

#include <filesystem>
#include <memory>
#include <string>

#include "platform/common/posix_file_system.h"
#include "platform/testing/test_keyboard.h"

namespace plinth::hostile {

// The POSIX file system with the executable placed in a directory of our
// choosing.
class DirectoryFileSystem final : public platform::FileSystem {
 public:
  explicit DirectoryFileSystem(std::filesystem::path directory)
      : directory_(std::move(directory)) {}
  void set_directory(std::filesystem::path directory) { directory_ = std::move(directory); }
  std::string ExecutablePath() override { return (directory_ / "plinth").string(); }
  std::string NativeFileName(const std::string& cp1252_name) override {
    return files_.NativeFileName(cp1252_name);
  }
  bool FileExists(const std::string& path) override { return files_.FileExists(path); }
  std::unique_ptr<platform::Profile> OpenProfile(const std::string& path) override {
    return files_.OpenProfile(path);
  }

 private:
  std::filesystem::path directory_;
  platform::PosixFileSystem files_;
};

class DiskKeyboard {
 public:
  // A fresh temporary directory, removed with everything in it at the end.
  DiskKeyboard();
  ~DiskKeyboard();
  DiskKeyboard(const DiskKeyboard&) = delete;
  DiskKeyboard& operator=(const DiskKeyboard&) = delete;

  const std::filesystem::path& directory() const { return directory_; }
  // Writes `bytes` to `relative_path` in the directory, making folders.
  void Write(const std::string& relative_path, const std::string& bytes);
  void MakeDirectory(const std::string& relative_path);
  // Places the executable in a folder below the directory instead.
  void set_executable_folder(const std::string& relative_path) {
    files_.set_directory(directory_ / relative_path);
  }

  // Creates Form1, reading from the directory, and runs its creation.
  TForm1& Create();
  TForm1& form() { return *form_; }

  // Everything else of the machine, and the user's and the viewer's side.
  test_platform::TestKeyboard keyboard;

 private:
  std::filesystem::path directory_;
  DirectoryFileSystem files_;
  platform::Services services_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace plinth::hostile
