#include "src/keyboard/button_key.h"

#include <charconv>

#include "src/layout/profile_values.h"
#include "src/postkeys/key_names.h"

namespace plinth {
namespace {

constexpr int kMaxSuggestionButton = 8;

ModifierSet ModifiersOfActionWord(std::string_view action) {
  const std::string word = AsciiUpper(action);
  if (word == "CTRL") return kModCtrl;
  if (word == "ALT") return kModAlt;
  if (word == "CTRLALT") return kModCtrl | kModAlt;
  return 0;
}

// Letters, digits and the space are their own virtual-key codes.
bool IsOwnVirtualKey(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

}  // namespace

const std::string& WrittenText(const TButtonRec& rec) {
  return rec.KeyString.empty() ? rec.Caption : rec.KeyString;
}

ButtonKey KeyOfButton(const TButtonRec& rec, std::string_view key_text, bool named) {
  ButtonKey key;
  key.modifiers = ModifiersOfActionWord(rec.Action);
  if (named) {
    key.code = LookupKeyName(key_text.substr(0, kMaxKeyNameLength));
  } else if (!key_text.empty() && IsOwnVirtualKey(static_cast<unsigned char>(key_text.front()))) {
    key.code = static_cast<unsigned char>(key_text.front());
  }
  return key;
}

int SuggestionOfButton(const TButtonRec& rec) {
  if (rec.Action.size() != 4 || AsciiUpper(rec.Action) != "WORD" ||
      AsciiUpper(rec.Type) != "ACTION" || AsciiUpper(rec.Handler) != "DEFAULT") {
    return 0;
  }
  const std::string& text = rec.Param[0];
  int n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size() || n < 1 ||
      n > kMaxSuggestionButton) {
    return 0;
  }
  return n;
}

}  // namespace plinth
