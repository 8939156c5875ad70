#include "platform/win32/win32_text_case.h"

#include <algorithm>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

void Win32TextCase::CharUpperBuff(std::string& text) {
  // CharUpperBuffA counts in DWORDs; a huge text goes in pieces.
  constexpr std::size_t kPiece = 1u << 30;
  for (std::size_t start = 0; start < text.size(); start += kPiece) {
    const std::size_t length = std::min(kPiece, text.size() - start);
    CharUpperBuffA(text.data() + start, static_cast<DWORD>(length));
  }
}

}  // namespace plinth::platform::win32
