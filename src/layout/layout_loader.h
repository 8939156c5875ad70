#pragma once

// Reads a layout file (an INI profile) into a TButtonArray: the panels'
// latch settings from [Configuration], and one section per cell and layer
// (Button1, ShiftButton1, ExtButton1, ExtShiftButton1, ... 49).

#include <string>

#include "src/layout/button_rec.h"

namespace plinth {

namespace platform {
class Profile;
class TextCase;
}  // namespace platform

struct LatchSettings {
  bool shift_latch = false;   // pnlShift stays armed after a key
  bool extend_latch = false;  // pnlExtend stays armed after a key
};

// What every load takes its starting values from.
struct LayoutSources {
  const TButtonRec& template_rec;
  const TLayerSuffix& layer_suffix;
  const TButtonArray& default_table;  // source of "Default" cells
  platform::TextCase& text_case;
};

// Reads ShiftOperation and Shift2Operation of [Configuration].
LatchSettings ReadLatchSettings(platform::Profile& profile);

// Gives every slot of `target` its value: a starting value inherited from
// the layer below, overwritten by the keys of its own section, or the four
// layers of the cell copied from the default table when a section's Type is
// exactly "Default". `target` may be the default table itself. Writes in
// place, cell by cell, so a failure part-way leaves the slots written so far.
void ReadLayoutButtons(platform::Profile& profile, TButtonArray& target,
                       const LayoutSources& sources);

// The section of `cell` in `layer`: LayerSuffix + "Button" + cell.
std::string ButtonSectionName(const TLayerSuffix& layer_suffix, int layer, int cell);

}  // namespace plinth
