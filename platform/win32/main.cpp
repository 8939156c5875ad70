// Plinth.exe: the keyboard on the Windows platform.

#include <exception>

#include "platform/win32/win32_application.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/win32_keyboard_window.h"
#include "platform/win32/win32_pointer_and_screen.h"
#include "platform/win32/win32_text_case.h"
#include "platform/win32/win32_timer.h"
#include "platform/win32/windows_api.h"
#include "src/keyboard/program.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  using namespace plinth::platform::win32;
  try {
    Win32KeyInjector keys;
    Win32PointerControl pointer;
    // Created first, hidden, so that its monitor can be measured.
    Win32KeyboardWindow window;
    Win32ScreenInfo screen(window.handle());
    Win32FileSystem files;
    Win32TextCase text;
    Win32Application app;
    Win32Timer timer;
    Win32Timer scan_timer;
    plinth::platform::Services services{keys, pointer, screen, files, text, app, timer, scan_timer};
    return plinth::RunKeyboard(services, window);
  } catch (const std::exception& failure) {
    MessageBoxA(nullptr, failure.what(), "Plinth", MB_ICONERROR | MB_OK);
    return 1;
  }
}
