#pragma once

// A copy of the X server's keyboard mapping that the injector consults
// instead of asking the server before each key: what every keycode types in
// the active keymap group, which modifier each keycode sets, and the active
// group itself. The events that announce changes keep it up to date; they
// arrive in the order of the server's changes, before any click that came
// later, so a click never meets a stale copy.

#include <array>
#include <map>

#include "platform/x11/display_fwd.h"
#include "platform/x11/keymap_snapshot.h"

// XKB's keymap, declared without <X11/XKBlib.h>.
struct _XkbDesc;  // NOLINT(bugprone-reserved-identifier): Xlib's own name

namespace plinth::platform::x11 {

class KeyboardMapping {
 public:
  // Reads the mapping and asks the server for the events of its changes.
  // `display` stays owned by the caller and must outlive this object.
  explicit KeyboardMapping(Display* display);
  ~KeyboardMapping();
  KeyboardMapping(const KeyboardMapping&) = delete;
  KeyboardMapping& operator=(const KeyboardMapping&) = delete;

  // Follows the change `event` announces: another keymap, modifier map or
  // group. True when the event was such a change.
  bool HandleEvent(const XEvent& event);
  // Whether `event` announces a change HandleEvent follows. Calls no Xlib
  // function, so that it may look at events inside Xlib's queue.
  bool IsChangeNotice(const XEvent& event) const;

  // What each keycode types in the active group.
  const KeymapSnapshot& keymap() const { return keymap_; }
  // The modifier bits (ShiftMask, ControlMask, Mod1Mask...) `keycode` sets.
  unsigned ModifiersOf(int keycode) const;
  // The active group, 0 for the first.
  int group() const { return group_; }

  // Notes a keycode this program has just bound (to one keysym on both
  // levels, or kNoKeysym for none), before the server's event about it.
  // A change of group that comes first keeps the binding.
  void NoteBinding(int keycode, Keysym keysym);

 private:
  // Asks the server for the whole mapping: one round trip.
  void Read();
  // Works out what each keycode types in the active group from the XKB
  // keymap already read.
  void TakeGroupFromXkb();

  Display* display_;
  int xkb_event_base_ = -1;  // -1: the server has no XKB
  _XkbDesc* xkb_ = nullptr;
  int group_ = 0;
  KeymapSnapshot keymap_{8, 1, {}};
  // This program's bindings since the mapping was last read, which the
  // XKB keymap read then does not hold yet: keycode -> keysym.
  std::map<int, Keysym> bindings_since_read_;
  std::array<unsigned char, 256> modifiers_{};  // by keycode
};

}  // namespace plinth::platform::x11
