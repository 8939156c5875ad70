#pragma once

// <windows.h> for the Windows platform's files. The Windows headers turn
// MapVirtualKey, GetPrivateProfileString and CharUpperBuff into macros for
// their A and W variants; the platform interface has methods of these names,
// so the macros are taken back here and the A functions called by name.

#include <windows.h>

#undef MapVirtualKey
#undef GetPrivateProfileString
#undef CharUpperBuff
