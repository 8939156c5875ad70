#pragma once

namespace plinth {

// Modes switched by clicks; false when the program starts.
struct KeyboardFlags {
  bool CtrlToggle = false;  // the next key carries Ctrl
  bool AltToggle = false;   // the next key carries Alt
  bool Selecting = false;   // every key carries Shift
  bool Moving = false;      // the caption shows " ... Moving"
  bool CapsLock = false;    // one-character labels shown upper-cased
  bool Shift1Lock = false;  // the Shift layers shown whatever pnlShift says
  bool Shift2Lock = false;  // the Ext layers shown whatever pnlExtend says
};

}  // namespace plinth
