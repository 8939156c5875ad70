#include "platform/testing/recording_keys.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace plinth::test_platform {
namespace {

// The US keyboard layout as VkKeyScanA reports it for the printable ASCII
// characters and the control characters that have a key of their own.
std::map<unsigned char, std::optional<platform::CharacterKey>> UsLayout() {
  std::map<unsigned char, std::optional<platform::CharacterKey>> layout;
  const auto put = [&layout](char ch, std::uint16_t code, bool shift) {
    layout[static_cast<unsigned char>(ch)] = platform::CharacterKey{.code = code, .shift = shift};
  };
  for (char c = 'a'; c <= 'z'; ++c) put(c, static_cast<std::uint16_t>(c - 'a' + 'A'), false);
  for (char c = 'A'; c <= 'Z'; ++c) put(c, static_cast<std::uint16_t>(c), true);
  for (char c = '0'; c <= '9'; ++c) put(c, static_cast<std::uint16_t>(c), false);
  put(' ', 0x20, false);
  put('\t', 0x09, false);
  put('\r', 0x0D, false);
  put('\b', 0x08, false);
  put('\x1B', 0xDB, false);
  layout[static_cast<unsigned char>('\x1B')]->ctrl = true;

  constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
  for (std::size_t digit = 0; digit < kShiftedDigits.size(); ++digit) {
    put(kShiftedDigits[digit], static_cast<std::uint16_t>('0' + digit), true);
  }
  struct Pair {
    char plain;
    char shifted;
    std::uint16_t code;
  };
  constexpr Pair kPunctuation[] = {
      {';', ':', 0xBA},  {'=', '+', 0xBB}, {',', '<', 0xBC},  {'-', '_', 0xBD},
      {'.', '>', 0xBE},  {'/', '?', 0xBF}, {'`', '~', 0xC0},  {'[', '{', 0xDB},
      {'\\', '|', 0xDC}, {']', '}', 0xDD}, {'\'', '"', 0xDE},
  };
  for (const Pair& pair : kPunctuation) {
    put(pair.plain, pair.code, false);
    put(pair.shifted, pair.code, true);
  }
  return layout;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const KeyEvent& event) {
  out << "{code 0x" << std::hex << event.code << ", scan 0x" << event.scan << ", flags 0x"
      << event.flags << std::dec;
  if ((event.flags & platform::kKeyEventKeyUp) != 0) out << " up";
  return out << "}";
}

KeyEvent Down(std::uint16_t code, std::uint32_t extra_flags) {
  return {code, DefaultScanCode(code), extra_flags};
}

KeyEvent Up(std::uint16_t code, std::uint32_t extra_flags) {
  return {code, DefaultScanCode(code), platform::kKeyEventKeyUp | extra_flags};
}

RecordingKeyInjector::RecordingKeyInjector() : layout_(UsLayout()) {}

std::uint32_t RecordingKeyInjector::MapVirtualKey(std::uint16_t code) {
  translations_.push_back(code);
  const auto found = scan_codes_.find(code);
  return found == scan_codes_.end() ? DefaultScanCode(code) : found->second;
}

bool RecordingKeyInjector::SendKeyEvent(std::uint16_t code, std::uint32_t scan,
                                        std::uint32_t flags) {
  ++calls_;
  const bool accepted = !refused_calls_.contains(calls_);
  events_.push_back({code, scan, flags});
  accepted_.push_back(accepted);
  return accepted;
}

std::optional<platform::CharacterKey> RecordingKeyInjector::KeyForCharacter(unsigned char ch) {
  const auto found = layout_.find(ch);
  return found == layout_.end() ? std::nullopt : found->second;
}

bool RecordingKeyInjector::PrepareKeyStroke(std::uint16_t code, std::uint8_t modifiers) {
  preparations_.push_back({events_.size(), code, modifiers});
  return !unpreparable_.contains(code);
}

std::vector<KeyEvent> RecordingKeyInjector::TakeEvents() {
  accepted_.clear();
  return std::exchange(events_, {});
}

std::set<std::uint16_t> RecordingKeyInjector::KeysHeld() const {
  std::set<std::uint16_t> held;
  for (std::size_t i = 0; i < events_.size(); ++i) {
    if (!accepted_[i]) continue;
    if ((events_[i].flags & platform::kKeyEventKeyUp) != 0) {
      held.erase(events_[i].code);
    } else {
      held.insert(events_[i].code);
    }
  }
  return held;
}

void RecordingKeyInjector::HoldDown(platform::HeldKey key, bool another_device) {
  if (another_device) held_elsewhere_.insert(key.id);
  held_down_.push_back(std::move(key));
}

void RecordingKeyInjector::ReleaseKeys(const std::vector<platform::HeldKey>& keys) {
  releases_.insert(releases_.end(), keys.begin(), keys.end());
  std::erase_if(held_down_, [&](const platform::HeldKey& held) {
    return !held_elsewhere_.contains(held.id) &&
           std::ranges::find(keys, held.id, &platform::HeldKey::id) != keys.end();
  });
}

void RecordingKeyInjector::SetCharacterKey(unsigned char ch,
                                           std::optional<platform::CharacterKey> key) {
  layout_[ch] = key;
}

}  // namespace plinth::test_platform
