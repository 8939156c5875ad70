#pragma once

// Keycodes without keysyms, bound for a moment to a keysym that no key of
// the current keymap types, and restored afterwards.
//
// A binding outlives its key-up: clients look the keycode up in the
// keymap only when they handle the key event, and a binding restored right
// after the key-up was often read back empty. A few keycodes are used in
// turn so that quick different characters do not overwrite each other's
// binding before it was read.

#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "platform/x11/vk_keysym_table.h"

namespace plinth::platform::x11 {

class SpareKeycodePool {
 public:
  using Clock = std::chrono::steady_clock;

  // How the pool reaches the keymap and the time.
  struct Hooks {
    // Binds an empty `keycode` to `keysym`.
    std::function<void(int keycode, Keysym keysym)> bind;
    // Empties `keycode` again, which the pool had bound to `keysym`.
    std::function<void(int keycode, Keysym keysym)> unbind;
    std::function<Clock::time_point()> now;
    std::function<void(Clock::duration)> sleep;
  };

  // A client on a busy machine reads the mapping well after the key event:
  // with 20 ms, quick characters were read with the next one's binding.
  // Pointer clicks come a few a second, so a long linger and eight keycodes
  // in turn hardly ever make a key wait.
  static constexpr std::size_t kMaxBindings = 8;
  static constexpr Clock::duration kLinger = std::chrono::milliseconds(250);

  explicit SpareKeycodePool(Hooks hooks);
  SpareKeycodePool(const SpareKeycodePool&) = delete;
  SpareKeycodePool& operator=(const SpareKeycodePool&) = delete;

  // A keycode bound to `keysym`: one already bound to it, else an empty
  // keycode of the keymap (`empty_keycodes`), else the binding released
  // longest ago, once its linger is over. 0 when every binding is held.
  int Acquire(Keysym keysym, std::span<const int> empty_keycodes);
  // The keysym the pool has bound to `keycode`, or kNoKeysym.
  Keysym BoundKeysym(int keycode) const;
  // Key-down and key-up of a bound keycode; a held binding is never
  // reused or restored.
  void Press(int keycode);
  void Release(int keycode);
  // Restores the bindings whose linger is over. Returns the time until the
  // next one is due, or nothing when no binding is left.
  std::optional<Clock::duration> RestoreExpired();
  // Restores every binding, waiting out the lingers still running.
  void RestoreAll();

 private:
  struct Binding {
    int keycode = 0;
    Keysym keysym = kNoKeysym;
    bool held = false;
    Clock::time_point free_after{};  // when the linger after the key-up ends
  };

  Binding* Find(int keycode);
  void Rebind(Binding& binding, Keysym keysym);

  Hooks hooks_;
  std::vector<Binding> bindings_;
};

}  // namespace plinth::platform::x11
