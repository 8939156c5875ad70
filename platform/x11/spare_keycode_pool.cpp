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

int SpareKeycodePool::Acquire(Keysym keysym, std::span<const int> empty_keycodes) {
  if (keysym == kNoKeysym) return 0;
  const Clock::time_point now = hooks_.now();
  const auto same = std::ranges::find(bindings_, keysym, &Binding::keysym);
  if (same != bindings_.end()) {
    same->last_used = now;
    return same->keycode;
  }

  Binding* binding = nullptr;
  for (const int keycode : empty_keycodes) {
    if (Find(keycode) != nullptr) continue;
    binding = &bindings_.emplace_back(Binding{.keycode = keycode});
    break;
  }
  if (binding == nullptr) {
    for (Binding& candidate : bindings_) {
      if (!candidate.held && (binding == nullptr || candidate.last_used < binding->last_used)) {
        binding = &candidate;
      }
    }
    if (binding == nullptr || now - binding->last_used < kKeepAtLeast) return 0;
  }
  hooks_.bind(binding->keycode, keysym);
  binding->keysym = keysym;
  binding->last_used = now;
  return binding->keycode;
}

void SpareKeycodePool::Press(int keycode) {
  if (Binding* binding = Find(keycode)) {
    binding->held = true;
    binding->last_used = hooks_.now();
  }
}

void SpareKeycodePool::Release(int keycode) {
  if (Binding* binding = Find(keycode)) {
    binding->held = false;
    binding->last_used = hooks_.now();
  }
}

void SpareKeycodePool::ForgetLost(
    const std::function<bool(int keycode, Keysym keysym)>& still_bound) {
  std::erase_if(bindings_, [&](const Binding& binding) {
    return !still_bound(binding.keycode, binding.keysym);
  });
}

void SpareKeycodePool::RestoreAll() {
  if (bindings_.empty()) return;
  Clock::time_point last_used{};
  for (const Binding& binding : bindings_) last_used = std::max(last_used, binding.last_used);
  const Clock::time_point now = hooks_.now();
  if (last_used + kLingerAtEnd > now) hooks_.sleep(last_used + kLingerAtEnd - now);
  for (const Binding& binding : bindings_) hooks_.unbind(binding.keycode, binding.keysym);
  bindings_.clear();
}

}  // namespace plinth::platform::x11
