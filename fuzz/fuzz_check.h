#pragma once

// Invariants the fuzz targets hold the keyboard to. A violation prints what
// broke and aborts, which libFuzzer reports as a crash with the input.

#include <string_view>
#include <vector>

#include "platform/testing/recording_keys.h"
#include "platform/testing/test_keyboard.h"

namespace plinth::fuzz {

// Prints `what` and aborts unless `condition` holds.
void Check(bool condition, std::string_view what);

// The events of one click: nothing, or modifiers going down in the order
// Shift, Ctrl, Alt, one key down and up, and the modifiers up again in
// reverse order. Every key-down has its key-up.
void CheckKeyStroke(const std::vector<test_platform::KeyEvent>& events);

// The keyboard's state after any handled event: CurrentLayer 0..3, the
// table on show is MainTable or ExtendTable, and every label as the four
// label rules give it.
void CheckKeyboard(test_platform::TestKeyboard& keyboard);

// No text field of any record in the three tables is longer than the
// longest profile value.
void CheckTables(const TForm1& form);

}  // namespace plinth::fuzz
