#include "platform/win32/win32_file_system.h"

#include <algorithm>

#include "platform/common/profile_file.h"
#include "platform/common/unreadable_profile.h"
#include "platform/win32/os_error.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string LastErrorText() { return LastOsError().description; }

// The whole file, or a refusal that names the reason.
std::string ReadProfileBytes(const std::string& path) {
  const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) RefuseProfile(path, LastErrorText());
  // A device or a pipe (CON, a named pipe) could block or never end.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) {
    RefuseProfile(path, "it is no disk file (a pipe or a device)");
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) RefuseProfile(path, LastErrorText());
  const auto file_size = static_cast<std::uint64_t>(size.QuadPart);
  if (file_size > FileSystem::kMaxProfileFileSize) RefuseProfile(path, TooLargeReason(file_size));

  // One byte more than the size: a file that grew meanwhile is noticed.
  std::string bytes(static_cast<std::size_t>(file_size) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(bytes.size() - filled);
    if (!ReadFile(file.get(), bytes.data() + filled, wanted, &count, nullptr)) {
      RefuseProfile(path, LastErrorText());
    }
    if (count == 0) break;
    filled += count;
    if (filled == bytes.size()) {
      if (filled > FileSystem::kMaxProfileFileSize) RefuseProfile(path, TooLargeReason(filled));
      bytes.resize(std::min<std::size_t>(bytes.size() * 2, FileSystem::kMaxProfileFileSize + 1));
    }
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace

std::string Win32FileSystem::ExecutablePath() {
  // A path may be longer than MAX_PATH; the buffer grows until it fits.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};  // longer than any Windows path
    path.resize(path.size() * 2);
  }
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<Profile> Win32FileSystem::OpenProfile(const std::string& path) {
  return std::make_unique<ProfileFile>(ReadProfileBytes(path));
}

}  // namespace plinth::platform::win32
