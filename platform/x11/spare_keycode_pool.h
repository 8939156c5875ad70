#pragma once

// Keycodes without keysyms, bound to keysyms that no key of the current
// keymap types.
//
// A client looks a keycode up in the keymap only when it handles the key
// event, which may be seconds later when it is busy. So a binding stays for
// as long as possible: the same character uses it again, a new character
// takes an empty keycode, and only when none is left is the binding used
// longest ago taken over, never one used in the last few seconds. The
// keymap is restored when the pool is done.

#include <chrono>
#include <functional>
#include <span>
#include <vector>

#include "platform/common/vk_keysym_table.h"

namespace plinth::platform::x11 {

class SpareKeycodePool {
 public:
  using Clock = std::chrono::steady_clock;

  // How the pool reaches the keymap and the time.
  struct Hooks {
    // Binds `keycode` to `keysym`.
    std::function<void(int keycode, Keysym keysym)> bind;
    // Empties `keycode` again, which the pool had bound to `keysym`.
    std::function<void(int keycode, Keysym keysym)> unbind;
    std::function<Clock::time_point()> now;
    std::function<void(Clock::duration)> sleep;
  };

  // A binding used more recently than this is never taken over: a client
  // that reads the key late would find another character.
  static constexpr Clock::duration kKeepAtLeast = std::chrono::seconds(3);
  // At the end, the last key gets this long to be read before its keycode
  // is emptied.
  static constexpr Clock::duration kLingerAtEnd = std::chrono::milliseconds(250);

  explicit SpareKeycodePool(Hooks hooks);
  ~SpareKeycodePool() = default;
  SpareKeycodePool(const SpareKeycodePool&) = delete;
  SpareKeycodePool& operator=(const SpareKeycodePool&) = delete;

  // A keycode bound to `keysym`: one already bound to it, else one of
  // `empty_keycodes` the pool does not hold yet, else the binding used
  // longest ago if that was kKeepAtLeast ago or more. 0 when none can be
  // had: the key cannot be typed now.
  int Acquire(Keysym keysym, std::span<const int> empty_keycodes);
  // The keysym the pool has bound to `keycode`, or kNoKeysym.
  Keysym BoundKeysym(int keycode) const;
  // Key-down and key-up of a bound keycode; a held binding is never taken
  // over.
  void Press(int keycode);
  void Release(int keycode);
  // Forgets the bindings the keymap no longer has (`still_bound` says which
  // it has): another keymap was loaded, and their keycodes are not ours to
  // empty any more.
  void ForgetLost(const std::function<bool(int keycode, Keysym keysym)>& still_bound);
  // Restores every binding, once the last one used has had kLingerAtEnd.
  void RestoreAll();

 private:
  struct Binding {
    int keycode = 0;
    Keysym keysym = kNoKeysym;
    bool held = false;
    Clock::time_point last_used{};
  };

  Binding* Find(int keycode);

  Hooks hooks_;
  std::vector<Binding> bindings_;
};

}  // namespace plinth::platform::x11
