#pragma once

// MessageBoxA, placed in the middle of the primary screen rather than where
// the system would put it, never wider than the screen, and at the size of
// the keyboard: its text and its parts grow with it.

#include <string>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// Modal to `owner` (which may be null); returns the button chosen. The text
// is fitted as FittedMessageText does. At `percent` of the system's size
// (100: as the system lays it out).
int CentredMessageBox(HWND owner, const std::string& text, const char* title, UINT type,
                      int percent = 100);

// `text` with line breaks put in, so that no line is wider than half the
// screen in the message font at `percent` of its size: a message box breaks
// lines only at blanks, and one long word would make it wider than the
// screen.
std::string FittedMessageText(const std::string& text, int percent = 100);

}  // namespace plinth::platform::win32
