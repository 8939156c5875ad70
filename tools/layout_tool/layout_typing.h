#pragma once

// What each button of a layout types and what it costs to reach, for
// counting the clicks a text takes: a key button's character as the
// keyboard sends it, and the WORD buttons with the suggestion each shows.

#include <map>
#include <optional>
#include <vector>

#include "src/layout/button_rec.h"

namespace plinth::layout_tool {

// The character a button types when clicked ('\n' for Enter, '\b' for
// Backspace), worked out
// as the keyboard sends its key stroke: nothing for buttons that type no
// character (actions, navigation keys, Ctrl and Alt chords).
std::optional<char> CharacterOfButton(const TButtonRec& rec);

// Clicks from the keyboard at rest to each thing a layout can type: the
// button itself, and before it a click on the Shift panel for the Shift
// layers and one on the Ext panel for the Ext layers (each panel armed
// for one key, as after any key).
struct LayoutClicks {
  std::map<char, int> characters;  // fewest clicks that type it
  std::map<int, int> suggestions;  // fewest clicks on a WORD button n
};
LayoutClicks ClicksOfLayout(const TButtonArray& table);

}  // namespace plinth::layout_tool
