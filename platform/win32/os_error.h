#pragma once

// Errors of Windows calls as the platform interface reports them.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace plinth::platform::win32 {

// The system's description of an error code (FormatMessageA), without the
// line break and final full stop the system puts after it; empty when the
// system has no text for the code.
std::string DescribeError(std::uint32_t code);

// The calling thread's last error (GetLastError) with its description.
OsError LastOsError();

}  // namespace plinth::platform::win32
