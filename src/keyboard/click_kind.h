#pragma once

// What a left click on a grid button does, by its record: the branch
// doclick takes, and whether the click does anything at all, which switch
// scanning asks to skip the buttons that do nothing.

#include "src/layout/button_rec.h"

namespace plinth {

enum class ClickKind {
  Nothing,        // a Type no branch takes, or an action of no handler
  Key,            // KEY: the caption's or KeyString's character
  VirtualKey,     // VIRTUALKEY: a key name
  CursorKey,      // CURSORKEY: a key name, shifted while selecting
  DefaultAction,  // ACTION of Handler DEFAULT
  ExtendAction,   // ACTION of Handler EXTEND
  CtrlToggle,     // CTRLTOGGLE
  AltToggle,      // ALTTOGGLE
};

// Type and Handler are compared after ASCII upper-casing.
ClickKind ClickKindOf(const TButtonRec& rec);

// Whether a click on the button does something: it takes a branch, and a
// KEY has a character to type.
bool ClickDoesSomething(const TButtonRec& rec);

}  // namespace plinth
