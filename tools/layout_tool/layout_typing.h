#pragma once

// What each button of a layout types and what it costs to reach, for
// counting the clicks a text takes: a key button's character as the
// keyboard sends it, and the WORD buttons with the suggestion each shows.

#include <functional>
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

// What it costs to reach each thing a layout can type from the keyboard
// at rest, by some way of working it: the cheapest button for each
// character and for each WORD button's suggestion number.
struct LayoutCosts {
  std::map<char, double> characters;
  std::map<int, double> suggestions;
};
// The cost of using the button of `cell` in `layer` (0 base, 1 Shift, 2
// Ext, 3 both), the panels that show the layer included.
using ReachCost = std::function<double(int layer, int cell)>;
LayoutCosts CostsOfLayout(const TButtonArray& table, const ReachCost& reach);

// Clicks: the button itself, and before it a click on the Shift panel for
// the Shift layers and one on the Ext panel for the Ext layers (each panel
// armed for one key, as after any key).
double ClicksToReach(int layer, int cell);

}  // namespace plinth::layout_tool
