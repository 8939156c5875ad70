#pragma once

// Files and directories held in memory, and the executable's path. Profiles
// are parsed from the file bytes by the portable profile reader, so layout
// texts read exactly as they would from disk.

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace plinth::test_platform {

class MemoryFileSystem final : public platform::FileSystem {
 public:
  static constexpr const char* kDefaultExecutablePath = "/opt/plinth/plinth";

  explicit MemoryFileSystem(std::string executable_path = kDefaultExecutablePath);

  // ---- FileSystem
  std::string ExecutablePath() override { return executable_path_; }
  // The user's folder when one was set, then the executable's.
  std::vector<std::string> LayoutFolders() override;
  // Paths are kept as given, in Windows-1252.
  std::string NativeFileName(const std::string& cp1252_name) override { return cp1252_name; }
  bool FileExists(const std::string& path) override;
  std::unique_ptr<platform::Profile> OpenProfile(const std::string& path) override;
  DataFileRead ReadDataFile(const std::string& path, std::uint64_t limit) override;
  std::string UserDataFolder() override { return data_folder_; }
  // Replaces the file whole, unless writes fail (FailWrites).
  std::optional<std::string> WriteFileAtomically(const std::string& path,
                                                 std::string_view bytes) override;

  // ---- setting up
  void set_executable_path(std::string path) { executable_path_ = std::move(path); }
  // A folder looked up before the executable's, with its trailing separator.
  void set_user_folder(std::string folder) { user_folder_ = std::move(folder); }
  // The directory of the executable, with its trailing separator.
  std::string ExecutableDirectory() const;
  void WriteFile(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
  // Writes `file_name` into the executable's directory.
  void WriteBesideExecutable(const std::string& file_name, std::string bytes);
  void RemoveFile(const std::string& path) { files_.erase(path); }
  void AddDirectory(const std::string& path) { directories_.insert(path); }
  // The file at `path` exists but cannot be read.
  void MakeUnreadable(const std::string& path) { unreadable_.insert(path); }
  // The user's data folder, with its trailing separator; empty: none.
  void set_data_folder(std::string folder) { data_folder_ = std::move(folder); }
  static constexpr const char* kDefaultDataFolder = "/home/user/.local/share/plinth/";
  // Every write from now on fails with `reason` (a full disk, a folder that
  // cannot be written), leaving the files as they were; empty: writes work.
  void FailWrites(std::string reason) { failing_writes_ = std::move(reason); }
  // The bytes of the file at `path`, when there is one.
  std::optional<std::string> FileBytes(const std::string& path) const;

  // ---- failures: std::bad_alloc, as from exhausted memory
  // Every OpenProfile call from now on throws.
  void FailOpening() { fail_opening_ = true; }
  // The n-th value lookup (1-based) of every profile opened from now on
  // throws, and so does every later one.
  void FailLookup(std::size_t n) { failing_lookup_ = n; }
  void ClearFailures();

  // ---- what happened
  // Paths given to OpenProfile, in order.
  const std::vector<std::string>& opened() const { return opened_; }
  // Lookups made on all profiles so far.
  std::size_t lookups() const { return *lookups_; }
  // Paths written by WriteFileAtomically, in order, failed writes included.
  const std::vector<std::string>& written() const { return written_; }

 private:
  std::string executable_path_;
  std::string user_folder_;
  std::map<std::string, std::string> files_;
  std::set<std::string> directories_;
  std::set<std::string> unreadable_;
  std::string data_folder_ = kDefaultDataFolder;
  std::string failing_writes_;
  std::vector<std::string> written_;
  bool fail_opening_ = false;
  std::optional<std::size_t> failing_lookup_;
  std::vector<std::string> opened_;
  std::shared_ptr<std::size_t> lookups_ = std::make_shared<std::size_t>(0);
};

}  // namespace plinth::test_platform
