#include "platform/testing/memory_file_system.h"

#include <new>

#include "platform/common/profile_file.h"

namespace plinth::test_platform {
namespace {

// Hands lookups on to the parsed file, failing from the n-th one on.
class CountingProfile final : public platform::Profile {
 public:
  CountingProfile(std::unique_ptr<platform::Profile> inner, std::shared_ptr<std::size_t> lookups,
                  std::optional<std::size_t> failing_lookup)
      : inner_(std::move(inner)), lookups_(std::move(lookups)), failing_lookup_(failing_lookup) {}

  std::optional<std::string> FindValue(std::string_view section, std::string_view key) override {
    ++own_lookups_;
    ++*lookups_;
    if (failing_lookup_ && own_lookups_ >= *failing_lookup_) throw std::bad_alloc();
    return inner_->FindValue(section, key);
  }

 private:
  std::unique_ptr<platform::Profile> inner_;
  std::shared_ptr<std::size_t> lookups_;
  std::optional<std::size_t> failing_lookup_;
  std::size_t own_lookups_ = 0;
};

}  // namespace

MemoryFileSystem::MemoryFileSystem(std::string executable_path)
    : executable_path_(std::move(executable_path)) {}

bool MemoryFileSystem::FileExists(const std::string& path) {
  return files_.contains(path) && !directories_.contains(path);
}

std::unique_ptr<platform::Profile> MemoryFileSystem::OpenProfile(const std::string& path) {
  opened_.push_back(path);
  if (fail_opening_) throw std::bad_alloc();
  const auto found = files_.find(path);
  if (found == files_.end() || unreadable_.contains(path)) {
    throw platform::UnreadableProfile(path + ": cannot be read");
  }
  std::string bytes = found->second;
  return std::make_unique<CountingProfile>(
      std::make_unique<platform::ProfileFile>(std::move(bytes)), lookups_, failing_lookup_);
}

platform::FileSystem::DataFileRead MemoryFileSystem::ReadDataFile(const std::string& path,
                                                                  std::uint64_t limit) {
  opened_.push_back(path);
  const auto found = files_.find(path);
  if (found == files_.end()) return {std::nullopt, true, "No such file or directory"};
  if (unreadable_.contains(path) || directories_.contains(path)) {
    return {std::nullopt, false, "Permission denied"};
  }
  if (found->second.size() > limit) {
    return {std::nullopt, false,
            "it is " + std::to_string(found->second.size()) + " bytes, more than " +
                std::to_string(limit)};
  }
  return {found->second, false, ""};
}

std::optional<std::string> MemoryFileSystem::WriteFileAtomically(const std::string& path,
                                                                 std::string_view bytes) {
  written_.push_back(path);
  if (!failing_writes_.empty()) return "cannot write " + path + ": " + failing_writes_;
  files_[path] = std::string(bytes);
  return std::nullopt;
}

std::optional<std::string> MemoryFileSystem::FileBytes(const std::string& path) const {
  const auto found = files_.find(path);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

std::string MemoryFileSystem::ExecutableDirectory() const {
  const std::size_t separator = executable_path_.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : executable_path_.substr(0, separator + 1);
}

std::vector<std::string> MemoryFileSystem::LayoutFolders() {
  std::vector<std::string> folders;
  if (!user_folder_.empty()) folders.push_back(user_folder_);
  folders.push_back(ExecutableDirectory());
  return folders;
}

void MemoryFileSystem::WriteBesideExecutable(const std::string& file_name, std::string bytes) {
  WriteFile(ExecutableDirectory() + file_name, std::move(bytes));
}

void MemoryFileSystem::ClearFailures() {
  fail_opening_ = false;
  failing_lookup_.reset();
}

}  // namespace plinth::test_platform
