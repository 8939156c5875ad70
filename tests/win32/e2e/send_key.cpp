// Presses and releases keys with SendInput, as a switch interface that
// types a key does.
//
//   send_key <virtual-key code in hexadecimal>...
//
// Exits 0 once every event was put into the input stream.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: send_key <virtual-key code in hex>...\n");
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    INPUT events[2]{};
    for (INPUT& event : events) {
      event.type = INPUT_KEYBOARD;
      event.ki.wVk = static_cast<WORD>(std::strtoul(argv[i], nullptr, 16));
    }
    events[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, events, sizeof(INPUT)) != 2) {
      std::fprintf(stderr, "SendInput refused key %s\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
