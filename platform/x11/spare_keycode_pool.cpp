#include "platform/x11/spare_keycode_pool.h"

#include <algorithm>
#include <utility>

namespace plinth::platform::x11 {

SpareKeycodePool::SpareKeycodePool(Hooks hooks) : hooks_(std::move(hooks)) {}

SpareKeycodePool::Binding* SpareKeycodePool::Find(int keycode) {
  const auto it = std::ranges::find(bindings_, keycode, &Binding::keycode);
  return it == bindings_.end() ? nullptr : &*it;
}

Keysym SpareKeycodePool::BoundKeysym(int keycode) const {
  const auto it = std::ranges::find(bindings_, keycode, &Binding::keycode);
  return it == bindings_.end() ? kNoKeysym : it->keysym;
}

void SpareKeycodePool::Rebind(Binding& binding, Keysym keysym) {
  hooks_.bind(binding.keycode, keysym);
  binding.keysym = keysym;
  binding.free_after = hooks_.now() + kLinger;
}

int SpareKeycodePool::Acquire(Keysym keysym, std::span<const int> empty_keycodes) {
  if (keysym == kNoKeysym) return 0;
  const auto same = std::ranges::find(bindings_, keysym, &Binding::keysym);
  if (same != bindings_.end()) {
    same->free_after = std::max(same->free_after, hooks_.now() + kLinger);
    return same->keycode;
  }

  if (bindings_.size() < kMaxBindings) {
    for (const int keycode : empty_keycodes) {
      if (Find(keycode) != nullptr) continue;
      bindings_.push_back(Binding{.keycode = keycode});
      Rebind(bindings_.back(), keysym);
      return keycode;
    }
  }

  // Reuse the binding that was released longest ago, after its linger.
  Binding* oldest = nullptr;
  for (Binding& binding : bindings_) {
    if (!binding.held && (oldest == nullptr || binding.free_after < oldest->free_after)) {
      oldest = &binding;
    }
  }
  if (oldest == nullptr) return 0;
  const Clock::time_point now = hooks_.now();
  if (oldest->free_after > now) hooks_.sleep(oldest->free_after - now);
  Rebind(*oldest, keysym);
  return oldest->keycode;
}

void SpareKeycodePool::Press(int keycode) {
  if (Binding* binding = Find(keycode)) binding->held = true;
}

void SpareKeycodePool::Release(int keycode) {
  if (Binding* binding = Find(keycode)) {
    binding->held = false;
    binding->free_after = hooks_.now() + kLinger;
  }
}

std::optional<SpareKeycodePool::Clock::duration> SpareKeycodePool::RestoreExpired() {
  const Clock::time_point now = hooks_.now();
  std::optional<Clock::duration> next_due;
  std::erase_if(bindings_, [&](const Binding& binding) {
    if (binding.held || binding.free_after > now) {
      const Clock::duration wait = binding.held ? kLinger : binding.free_after - now;
      if (!next_due || wait < *next_due) next_due = wait;
      return false;
    }
    hooks_.unbind(binding.keycode, binding.keysym);
    return true;
  });
  return next_due;
}

void SpareKeycodePool::RestoreAll() {
  Clock::time_point last_due = hooks_.now();
  for (const Binding& binding : bindings_) last_due = std::max(last_due, binding.free_after);
  const Clock::time_point now = hooks_.now();
  if (last_due > now) hooks_.sleep(last_due - now);
  for (const Binding& binding : bindings_) hooks_.unbind(binding.keycode, binding.keysym);
  bindings_.clear();
}

}  // namespace plinth::platform::x11
