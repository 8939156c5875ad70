// Changes the resolution of the primary monitor as the display settings do
// (ChangeDisplaySettingsA), so that every top-level window is told of it
// with WM_DISPLAYCHANGE.
//
//   set_resolution <width> <height>
//
// Exits 0 once the resolution is set, 1 when the system refused it.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: set_resolution <width> <height>\n");
    return 2;
  }
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
  mode.dmPelsHeight = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  const LONG result = ChangeDisplaySettingsA(&mode, 0);
  if (result != DISP_CHANGE_SUCCESSFUL) {
    std::fprintf(stderr, "ChangeDisplaySettingsA: %ld\n", result);
    return 1;
  }
  return 0;
}
