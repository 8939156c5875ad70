#include "tools/layout_tool/layout_typing.h"

#include "platform/common/windows1252.h"
#include "platform/form_design.h"
#include "src/keyboard/button_key.h"
#include "src/layout/profile_values.h"
#include "src/postkeys/key_names.h"
#include "src/words/sent_key.h"

namespace plinth::layout_tool {

std::optional<char> CharacterOfButton(const TButtonRec& rec) {
  const std::string type = AsciiUpper(rec.Type);
  const bool named = type == "VIRTUALKEY" || type == "CURSORKEY";
  if (type != "KEY" && !named) return std::nullopt;
  const std::string& written = WrittenText(rec);
  if (written.empty()) return std::nullopt;
  const ButtonKey button = KeyOfButton(rec, platform::Cp1252Upper(written), named);
  if (button.code == NotFoundKey) return std::nullopt;

  words::SentKey key{button.code, button.modifiers, named ? '\0' : written.front()};
  if (rec.Shifted && type != "CURSORKEY") key.modifiers |= kModShift;
  if (rec.Control) key.modifiers |= kModCtrl;
  const words::KeyMeaning meaning = words::MeaningOfKey(key);
  if (meaning.effect == words::KeyEffect::NewLine) return '\n';
  if (meaning.effect == words::KeyEffect::Erases) return '\b';
  if (meaning.effect == words::KeyEffect::Types) return meaning.character;
  return std::nullopt;
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
      const int n = SuggestionOfButton(rec);
      if (!character && n == 0) continue;
      const double cost = reach(layer, cell);
      if (cost < 0) continue;  // out of reach
      if (character) keep_cheapest(costs.characters, *character, cost);
      if (n != 0) keep_cheapest(costs.suggestions, n, cost);
    }
  }
  return costs;
}

double ClicksToReach(int layer, int /*cell*/) {
  // Layer 1 Shift, 2 Ext, 3 both: one panel click each.
  return (layer & 1) + (layer >> 1) + 1;
}

}  // namespace plinth::layout_tool
