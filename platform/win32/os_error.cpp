#include "platform/win32/os_error.h"

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

std::string DescribeError(std::uint32_t code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(buffer != nullptr ? buffer : "", buffer != nullptr ? length : 0);
  LocalFree(buffer);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

OsError LastOsError() {
  const DWORD code = GetLastError();
  return {.code = code, .description = DescribeError(code)};
}

}  // namespace plinth::platform::win32
