#pragma once

// Plinth's icon, a resource of the program (plinth_icon.rc), at the size the
// window system asks for.

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// The icon's id in plinth_icon.rc. The lowest id is the file's icon.
inline constexpr int kProgramIconId = 1;

// The icon image nearest `size` x `size` pixels; null in a program built
// without the resource. Shared: never destroyed.
HICON ProgramIcon(int size);

}  // namespace plinth::platform::win32
