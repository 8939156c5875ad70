// The keyboard's start-up path on the test platform with the bundled
// layouts read from disk, then a few clicks: a plain program for valgrind,
// which must find no memory error and no definite leak in it.

#include <cstdio>
#include <string>

#include "platform/testing/test_keyboard.h"
#include "tests/hostile/disk_keyboard.h"
#include "tests/hostile/hostile_layouts.h"

int main() {
  using plinth::hostile::BundledLayout;
  plinth::hostile::DiskKeyboard keyboard;
  keyboard.Write("Default.ini", BundledLayout("Default"));
  keyboard.Write("Extend.ini", BundledLayout("Extend"));
  keyboard.Write("Numpad.ini", BundledLayout("Numpad"));
  keyboard.Create();
  for (int cell = 1; cell <= 49; ++cell) {
    if (cell != 25) keyboard.keyboard.Click(cell);
  }
  keyboard.keyboard.ArmPanel(plinth::PanelId::Shift);
  keyboard.keyboard.Click(1);
  if (!keyboard.keyboard.keys.KeysHeld().empty()) {
    std::fprintf(stderr, "a key was left held down\n");
    return 1;
  }
  return 0;
}
