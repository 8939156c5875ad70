#include "tools/layout_tool/layout_typing.h"

#include <charconv>

#include "platform/common/windows1252.h"
#include "platform/form_design.h"
#include "src/layout/profile_values.h"
#include "src/postkeys/key_names.h"
#include "src/words/sent_key.h"

namespace plinth::layout_tool {
namespace {

constexpr std::uint8_t kShift = 1u << 0;
constexpr std::uint8_t kAlt = 1u << 1;
constexpr std::uint8_t kCtrl = 1u << 2;

// The modifiers a button's Action word adds, as for any key button.
std::uint8_t ModifiersOfAction(const std::string& action) {
  const std::string word = AsciiUpper(action);
  if (word == "CTRL") return kCtrl;
  if (word == "ALT") return kAlt;
  if (word == "CTRLALT") return kCtrl | kAlt;
  return 0;
}

bool IsOwnVirtualKey(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

}  // namespace

std::optional<char> CharacterOfButton(const TButtonRec& rec) {
  const std::string type = AsciiUpper(rec.Type);
  const bool named = type == "VIRTUALKEY" || type == "CURSORKEY";
  if (type != "KEY" && !named) return std::nullopt;
  const std::string& written = rec.KeyString.empty() ? rec.Caption : rec.KeyString;
  if (written.empty()) return std::nullopt;
  const std::string key_text = platform::Cp1252Upper(written);

  words::SentKey key;
  key.modifiers = ModifiersOfAction(rec.Action);
  if (rec.Shifted && type != "CURSORKEY") key.modifiers |= kShift;
  if (rec.Control) key.modifiers |= kCtrl;
  if (named) {
    const std::uint16_t code =
        LookupKeyName(std::string_view(key_text).substr(0, kMaxKeyNameLength));
    if (code == NotFoundKey) return std::nullopt;
    key.code = code;
  } else {
    // Letters, digits and the space are sent by their own key; any other
    // character by the key the keyboard layout has for it.
    const auto first = static_cast<unsigned char>(key_text.front());
    key.code = IsOwnVirtualKey(first) ? first : 0;
    key.written = written.front();
  }
  const words::KeyMeaning meaning = words::MeaningOfKey(key);
  if (meaning.effect == words::KeyEffect::NewLine) return '\n';
  if (meaning.effect == words::KeyEffect::Erases) return '\b';
  if (meaning.effect == words::KeyEffect::Types) return meaning.character;
  return std::nullopt;
}

std::optional<int> SuggestionOfButton(const TButtonRec& rec) {
  if (AsciiUpper(rec.Type) != "ACTION" || AsciiUpper(rec.Handler) != "DEFAULT" ||
      AsciiUpper(rec.Action) != "WORD") {
    return std::nullopt;
  }
  const std::string& text = rec.Param[0];
  int n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size() || n < 1 || n > 8) {
    return std::nullopt;
  }
  return n;
}

LayoutCosts CostsOfLayout(const TButtonArray& table, const ReachCost& reach) {
  LayoutCosts costs;
  const auto keep_cheapest = [](auto& map, auto key, double cost) {
    const auto [it, added] = map.emplace(key, cost);
    if (!added && cost < it->second) it->second = cost;
  };
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int cell = 1; cell <= kCellCount; ++cell) {
      if (cell == platform::design::kCentreCell) continue;
      const TButtonRec& rec = table.at(layer, cell);
      const auto character = CharacterOfButton(rec);
      const auto n = SuggestionOfButton(rec);
      if (!character && !n) continue;
      const double cost = reach(layer, cell);
      if (cost < 0) continue;  // out of reach
      if (character) keep_cheapest(costs.characters, *character, cost);
      if (n) keep_cheapest(costs.suggestions, *n, cost);
    }
  }
  return costs;
}

double ClicksToReach(int layer, int /*cell*/) {
  // Layer 1 Shift, 2 Ext, 3 both: one panel click each.
  return (layer & 1) + (layer >> 1) + 1;
}

}  // namespace plinth::layout_tool
