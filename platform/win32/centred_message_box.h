#pragma once

// MessageBoxA, placed in the middle of the primary screen rather than where
// the system would put it.

#include <string>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// Modal to `owner` (which may be null); returns the button chosen.
int CentredMessageBox(HWND owner, const std::string& text, const char* title, UINT type);

}  // namespace plinth::platform::win32
