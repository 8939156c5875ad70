#include "src/keyboard/held_keys.h"

#include <algorithm>
#include <string>
#include <vector>

namespace plinth {

void ReleaseKeysLeftHeld(platform::KeyInjector& keys, platform::Application& app) {
  const std::vector<platform::HeldKey> held = keys.KeysHeldDown();
  if (held.empty()) return;
  keys.ReleaseKeys(held);
  const std::vector<platform::HeldKey> still_held = keys.KeysHeldDown();
  for (const platform::HeldKey& key : held) {
    if (std::ranges::find(still_held, key.id, &platform::HeldKey::id) != still_held.end()) continue;
    app.ReportOnStandardError(key.name + " was held down (key " + std::to_string(key.id) +
                              "); released it");
  }
}

}  // namespace plinth
