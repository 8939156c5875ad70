#pragma once

// A key injector that records every keyboard event instead of sending it.

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <vector>

#include "platform/platform.h"

namespace plinth::test_platform {

// One call of KeyInjector::SendKeyEvent.
struct KeyEvent {
  std::uint16_t code = 0;
  std::uint32_t scan = 0;
  std::uint32_t flags = 0;
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

std::ostream& operator<<(std::ostream& out, const KeyEvent& event);

// The scan code the recorder reports for a code nobody configured: distinct
// per code, so a test sees which code an event's scan was translated from.
constexpr std::uint32_t DefaultScanCode(std::uint16_t code) { return 0x100u + code; }

// Expected events with the default scan code.
KeyEvent Down(std::uint16_t code, std::uint32_t extra_flags = 0);
KeyEvent Up(std::uint16_t code, std::uint32_t extra_flags = 0);

class RecordingKeyInjector final : public platform::KeyInjector {
 public:
  RecordingKeyInjector();

  std::uint32_t MapVirtualKey(std::uint16_t code) override;
  bool SendKeyEvent(std::uint16_t code, std::uint32_t scan, std::uint32_t flags) override;
  std::optional<platform::CharacterKey> KeyForCharacter(unsigned char ch) override;
  bool PrepareKeyStroke(std::uint16_t code, std::uint8_t modifiers) override;
  std::vector<platform::HeldKey> KeysHeldDown() override { return held_down_; }
  // Releases every key of `keys` but those held by another device.
  void ReleaseKeys(const std::vector<platform::HeldKey>& keys) override;

  // Every SendKeyEvent call in order, refused ones included.
  const std::vector<KeyEvent>& events() const { return events_; }
  // Returns the events recorded so far and forgets them.
  std::vector<KeyEvent> TakeEvents();
  // Codes of the accepted key-downs not yet followed by an accepted key-up.
  std::set<std::uint16_t> KeysHeld() const;
  // Every MapVirtualKey call's code, in order.
  const std::vector<std::uint16_t>& translations() const { return translations_; }
  // Every PrepareKeyStroke call, as the event count before it, the code and
  // the modifiers.
  struct Preparation {
    std::size_t events_before = 0;
    std::uint16_t code = 0;
    std::uint8_t modifiers = 0;
    friend bool operator==(const Preparation&, const Preparation&) = default;
  };
  const std::vector<Preparation>& preparations() const { return preparations_; }
  // Makes PrepareKeyStroke refuse `code`, as when no keycode can type it.
  void RefuseToPrepare(std::uint16_t code) { unpreparable_.insert(code); }

  void SetScanCode(std::uint16_t code, std::uint32_t scan) { scan_codes_[code] = scan; }
  // Makes the n-th SendKeyEvent call (1-based, counted from construction)
  // report a refusal.
  void RefuseEvent(std::size_t n) { refused_calls_.insert(n); }
  // A key the system holds down before anything is sent; one that
  // `another_device` holds does not go up when released.
  void HoldDown(platform::HeldKey key, bool another_device = false);
  // Every key ReleaseKeys was asked to release, in order.
  const std::vector<platform::HeldKey>& releases() const { return releases_; }

  // Replaces one entry of the keyboard layout; nothing makes `ch` untypeable.
  void SetCharacterKey(unsigned char ch, std::optional<platform::CharacterKey> key);

 private:
  std::vector<KeyEvent> events_;
  std::vector<bool> accepted_;  // parallel to events_
  std::vector<std::uint16_t> translations_;
  std::map<std::uint16_t, std::uint32_t> scan_codes_;
  std::set<std::size_t> refused_calls_;
  std::vector<Preparation> preparations_;
  std::set<std::uint16_t> unpreparable_;
  std::size_t calls_ = 0;
  std::map<unsigned char, std::optional<platform::CharacterKey>> layout_;
  std::vector<platform::HeldKey> held_down_;
  std::set<std::uint32_t> held_elsewhere_;  // ids of keys another device holds
  std::vector<platform::HeldKey> releases_;
};

}  // namespace plinth::test_platform
