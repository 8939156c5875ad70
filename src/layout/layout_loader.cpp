#include "src/layout/layout_loader.h"

#include <optional>
#include <utility>

#include "platform/platform.h"
#include "src/layout/profile_values.h"

namespace plinth {
namespace {

constexpr std::string_view kDefaultType = "Default";  // exact, case-sensitive

// Reads one section's values; missing keys keep what the slot holds.
class SectionReader {
 public:
  SectionReader(platform::Profile& profile, std::string section)
      : profile_(profile), section_(std::move(section)) {}

  // A missing key keeps the value exactly as it is.
  void Text(std::string_view key, std::string& value) {
    if (auto text = profile_.FindValue(section_, key)) {
      value = std::move(*text);
      if (value.size() > platform::Profile::kMaxValueLength) {
        value.resize(platform::Profile::kMaxValueLength);
      }
    }
  }

  // A missing, empty or invalid number keeps the current value.
  void Integer(std::string_view key, std::int32_t& value) {
    const std::optional<std::string> text = profile_.FindValue(section_, key);
    if (!text) return;
    if (const auto number = ParseProfileInteger(*text)) value = *number;
  }

  // A number, true when not zero; missing, empty or invalid gives false.
  bool Boolean(std::string_view key) {
    std::int32_t number = 0;
    Integer(key, number);
    return number != 0;
  }

  // The value upper-cased in a..z, or `default_value` when the key is missing.
  std::string Word(std::string_view key, std::string_view default_value) {
    return AsciiUpper(profile_.FindValue(section_, key).value_or(std::string(default_value)));
  }

 private:
  platform::Profile& profile_;
  std::string section_;
};

void ReadButtonKeys(SectionReader& section, TButtonRec& slot) {
  section.Text("Caption", slot.Caption);
  section.Text("KeyString", slot.KeyString);
  section.Text("IconFile", slot.IconFile);
  section.Integer("HomeButton", slot.HomeButton);
  slot.Shifted = section.Boolean("Shifted");
  slot.Control = section.Boolean("Control");
  const std::string shift = section.Word("Shift", "");
  if (shift == "SET") slot.Shift = 1;
  if (shift == "CLEAR") slot.Shift = 2;
  section.Text("Handler", slot.Handler);
  section.Text("Action", slot.Action);
  // ReadParams, index by index: Param i, then IntParam i.
  for (std::size_t i = 0; i < kParamCount; ++i) {
    const std::string index = std::to_string(i + 1);
    section.Text("Param" + index, slot.Param[i]);
    section.Integer("IntParam" + index, slot.IntParam[i]);
  }
}

}  // namespace

std::string ButtonSectionName(const TLayerSuffix& layer_suffix, int layer, int cell) {
  return layer_suffix[static_cast<std::size_t>(layer)] + "Button" + std::to_string(cell);
}

LatchSettings ReadLatchSettings(platform::Profile& profile) {
  SectionReader configuration(profile, "Configuration");
  return {
      .shift_latch = configuration.Word("ShiftOperation", "TOGGLE") == "LATCH",
      .extend_latch = configuration.Word("Shift2Operation", "TOGGLE") == "LATCH",
  };
}

void ReadLayoutButtons(platform::Profile& profile, TButtonArray& target,
                       const LayoutSources& sources) {
  for (int cell = 1; cell <= kCellCount; ++cell) {
    for (int layer = 0; layer < kLayerCount; ++layer) {
      TButtonRec& slot = target.at(layer, cell);
      const TButtonRec& source = layer == 0   ? sources.template_rec
                                 : layer == 3 ? target.at(2, cell)
                                              : target.at(0, cell);
      InheritButtonRec(slot, source, layer, sources.text_case);

      SectionReader section(profile, ButtonSectionName(sources.layer_suffix, layer, cell));
      section.Text("Type", slot.Type);
      if (slot.Type == kDefaultType) {
        // The cell's layers up to this one become the default table's; the
        // layers above start afresh from them.
        for (int k = 0; k < kLayerCount; ++k) {
          if (&target != &sources.default_table) {
            target.at(k, cell) = sources.default_table.at(k, cell);
          }
        }
        continue;
      }
      ReadButtonKeys(section, slot);
    }
  }
}

}  // namespace plinth
