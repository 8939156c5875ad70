#include "platform/x11/keyboard_mapping.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace plinth::platform::x11 {
namespace {

// The parts of the XKB keymap the copy is made of; a notice of any other
// part (actions, behaviours, virtual modifiers) changes nothing here.
constexpr unsigned kMapParts = XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask;

// The keysym `keycode` types in `group` with Shift up or down, by the key's
// type, as a client reading the event works it out.
Keysym TypedKeysym(XkbDescPtr xkb, int keycode, int group, bool shift) {
  unsigned consumed = 0;
  KeySym keysym = NoSymbol;
  XkbTranslateKeyCode(xkb, static_cast<KeyCode>(keycode),
                      XkbBuildCoreState(shift ? ShiftMask : 0, group), &consumed, &keysym);
  return static_cast<Keysym>(keysym);
}

// The active group's two levels of every keycode first, then every keysym
// of the key in any group, so that a keycode with no keysym at all reads as
// empty and a modifier key is found in any group.
KeymapSnapshot SnapshotOfGroup(XkbDescPtr xkb, int group) {
  const int first = xkb->min_key_code;
  const int last = xkb->max_key_code;
  int width = 2;
  for (int keycode = first; keycode <= last; ++keycode) {
    width = std::max(width, 2 + static_cast<int>(XkbKeyNumSyms(xkb, keycode)));
  }
  std::vector<Keysym> keysyms(static_cast<std::size_t>((last - first + 1) * width), kNoKeysym);
  for (int keycode = first; keycode <= last; ++keycode) {
    auto row = keysyms.begin() + std::ptrdiff_t{keycode - first} * width;
    const int syms = XkbKeyNumSyms(xkb, keycode);
    if (syms == 0) continue;
    *row++ = TypedKeysym(xkb, keycode, group, false);
    *row++ = TypedKeysym(xkb, keycode, group, true);
    const KeySym* all = XkbKeySymsPtr(xkb, keycode);
    for (int i = 0; i < syms; ++i) *row++ = static_cast<Keysym>(all[i]);
  }
  return KeymapSnapshot(first, width, std::move(keysyms));
}

}  // namespace

KeyboardMapping::KeyboardMapping(Display* display) : display_(display) {
  if (display_ == nullptr) return;
  int opcode = 0, error_base = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (XkbQueryExtension(display_, &opcode, &xkb_event_base_, &error_base, &major, &minor) == 0) {
    xkb_event_base_ = -1;
  } else {
    XkbSelectEvents(display_, XkbUseCoreKbd, XkbNewKeyboardNotifyMask, XkbNewKeyboardNotifyMask);
    XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbMapNotify, XkbAllMapComponentsMask,
                          kMapParts);
    XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask,
                          XkbGroupStateMask);
  }
  Read();
}

KeyboardMapping::~KeyboardMapping() {
  if (xkb_ != nullptr) XkbFreeKeyboard(xkb_, 0, True);
}

void KeyboardMapping::Read() {
  modifiers_.fill(0);
  bindings_since_read_.clear();
  if (xkb_event_base_ >= 0) {
    if (xkb_ != nullptr) XkbFreeKeyboard(xkb_, 0, True);
    xkb_ = XkbGetMap(display_, kMapParts, XkbUseCoreKbd);
    // A new keymap may come with another group.
    XkbStateRec state{};
    if (XkbGetState(display_, XkbUseCoreKbd, &state) == Success) group_ = state.group;
  }
  if (xkb_ != nullptr && xkb_->map != nullptr) {
    for (int keycode = xkb_->min_key_code; keycode <= xkb_->max_key_code; ++keycode) {
      modifiers_[static_cast<std::size_t>(keycode)] = xkb_->map->modmap[keycode];
    }
    TakeGroupFromXkb();
    return;
  }
  // Without XKB: the core protocol's group 1 and modifier map.
  keymap_ = KeymapSnapshot::Read(display_);
  if (XModifierKeymap* map = XGetModifierMapping(display_)) {
    for (int modifier = 0; modifier < 8; ++modifier) {
      for (int i = 0; i < map->max_keypermod; ++i) {
        const KeyCode keycode = map->modifiermap[modifier * map->max_keypermod + i];
        if (keycode != 0) modifiers_[keycode] |= static_cast<unsigned char>(1u << modifier);
      }
    }
    XFreeModifiermap(map);
  }
}

void KeyboardMapping::TakeGroupFromXkb() {
  if (xkb_ == nullptr || xkb_->map == nullptr) return;
  keymap_ = SnapshotOfGroup(xkb_, group_);
  for (const auto& [keycode, keysym] : bindings_since_read_) keymap_.Rebind(keycode, keysym);
}

void KeyboardMapping::NoteBinding(int keycode, Keysym keysym) {
  keymap_.Rebind(keycode, keysym);
  bindings_since_read_[keycode] = keysym;
}

unsigned KeyboardMapping::ModifiersOf(int keycode) const {
  if (keycode < 0 || keycode >= static_cast<int>(modifiers_.size())) return 0;
  return modifiers_[static_cast<std::size_t>(keycode)];
}

bool KeyboardMapping::IsChangeNotice(const XEvent& event) const {
  // With XKB, its own notices tell of every change, the core protocol's
  // among them, and only of the parts that matter.
  if (event.type == MappingNotify) {
    return xkb_event_base_ < 0 && event.xmapping.request != MappingPointer;
  }
  if (xkb_event_base_ < 0 || event.type != xkb_event_base_) return false;
  const auto& xkb_event = reinterpret_cast<const XkbEvent&>(event);
  switch (xkb_event.any.xkb_type) {
    case XkbNewKeyboardNotify:
      return true;
    case XkbMapNotify:
      return (xkb_event.map.changed & kMapParts) != 0;
    case XkbStateNotify:
      return (xkb_event.state.changed & XkbGroupStateMask) != 0;
    default:
      return false;
  }
}

bool KeyboardMapping::HandleEvent(const XEvent& event) {
  if (!IsChangeNotice(event)) return false;
  const auto& xkb_event = reinterpret_cast<const XkbEvent&>(event);
  if (event.type == xkb_event_base_ && xkb_event.any.xkb_type == XkbStateNotify) {
    if (xkb_event.state.group == group_) return false;
    group_ = xkb_event.state.group;
    TakeGroupFromXkb();
  } else {
    Read();
  }
  return true;
}

}  // namespace plinth::platform::x11
