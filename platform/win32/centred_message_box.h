#pragma once

// MessageBoxA, placed in the middle of the primary screen rather than where
// the system would put it, and never wider than the screen.

#include <string>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// Modal to `owner` (which may be null); returns the button chosen. The text
// is fitted as FittedMessageText does.
int CentredMessageBox(HWND owner, const std::string& text, const char* title, UINT type);

// `text` with line breaks put in, so that no line is wider than half the
// screen in the message font: a message box breaks lines only at blanks,
// and one long word would make it wider than the screen.
std::string FittedMessageText(const std::string& text);

}  // namespace plinth::platform::win32
