#include "tools/layout_tool/line_checks.h"

#include <array>

#include "platform/platform.h"
#include "src/layout/layout_loader.h"
#include "src/layout/profile_values.h"
#include "src/layout/scale_setting.h"
#include "src/layout/scan_setting.h"
#include "tools/layout_tool/layout_keys.h"
#include "tools/layout_tool/layout_reading.h"
#include "tools/layout_tool/quoted_text.h"

namespace plinth::layout_tool {
namespace {

constexpr std::array<std::string_view, 6> kTypeWords = {"KEY",    "VIRTUALKEY", "CURSORKEY",
                                                        "ACTION", "CTRLTOGGLE", "ALTTOGGLE"};
constexpr std::string_view kDefaultType = "Default";

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  for (const std::string_view w : words) {
    if (w == word) return true;
  }
  return false;
}

std::string Name(std::string_view text) { return QuotedText(text); }

class LineChecker {
 public:
  LineChecker(const ProfileLines& lines, const TLayerSuffix& layer_suffix,
              const CheckContext& context, Findings& findings)
      : lines_(lines), layer_suffix_(layer_suffix), context_(context), findings_(findings) {}

  void Run() {
    for (const ProfileLine& line : lines_.lines()) {
      switch (line.kind) {
        case LineKind::Blank:
        case LineKind::Comment:
          break;
        case LineKind::NoEquals:
          CheckIgnoredLine(line);
          break;
        case LineKind::EmptyKey:
          Add(line, "line ignored: there is no key name before the '='");
          break;
        case LineKind::SectionHeader:
          CheckHeader(line);
          break;
        case LineKind::KeyValue:
          CheckKeyLine(line);
          break;
      }
    }
  }

 private:
  void Add(const ProfileLine& line, std::string message) {
    findings_.Add(line.number, std::move(message));
  }

  const SectionBlock& BlockOf(const ProfileLine& line) const {
    return lines_.blocks()[static_cast<std::size_t>(line.block)];
  }
  bool IsRepeatedBlock(const ProfileLine& line) const {
    return BlockOf(line).first_block != line.block;
  }

  void CheckIgnoredLine(const ProfileLine& line) {
    if (line.text.starts_with('[')) {
      Add(line, "line ignored: " + ShortQuoted(line.text) +
                    " lacks the closing ']' of a section name, so it starts no section and the "
                    "keys below it belong to the section before");
      return;
    }
    Add(line, "line ignored: it is neither a [section], a key=value line nor a ; comment");
  }

  void CheckHeader(const ProfileLine& line) {
    const std::string section = std::string("[") + std::string(line.section) + "]";
    if (!line.trailing.empty() && line.trailing.front() != ';') {
      Add(line, "text after the ']' is ignored: " + ShortQuoted(line.trailing));
    }
    if (IsRepeatedBlock(line)) {
      const SectionBlock& first =
          lines_.blocks()[static_cast<std::size_t>(BlockOf(line).first_block)];
      Add(line, "section " + Name(section) + " repeats the one at line " +
                    std::to_string(first.header_line) +
                    ": only the first counts, every line of this one is ignored");
      return;
    }
    if (FoldName(line.section) == FoldName(kConfigurationSection)) return;
    const auto button = ButtonSectionOf(line.section, layer_suffix_);
    if (!button) {
      Add(line, "unknown section " + Name(section) +
                    ": the loader reads only [Configuration] and [Button1]..[Button49], "
                    "also with the prefixes Shift, Ext and ExtShift");
    } else if (button->cell == 25) {
      Add(line,
          "cell 25 holds the two shift panels and has no button: nothing shows " + Name(section));
    }
  }

  void CheckKeyLine(const ProfileLine& line) {
    if (line.block < 0) {
      Add(line, "key " + Name(line.key) + " before the first section is ignored");
      return;
    }
    if (IsRepeatedBlock(line)) return;  // reported once, at the section's header

    const std::string_view section = BlockOf(line).name;
    const bool configuration = FoldName(section) == FoldName(kConfigurationSection);
    const auto button = ButtonSectionOf(section, layer_suffix_);
    if (!configuration && !button) return;  // the unknown section is reported

    if (const ProfileLine* first = lines_.FirstOfKey(line); first != &line) {
      Add(line, "key " + Name(line.key) + " repeats line " + std::to_string(first->number) +
                    ": only the first counts");
      return;
    }
    if (configuration) {
      CheckConfigurationKey(line);
    } else {
      CheckButtonKey(line, section, *button);
    }
  }

  void CheckLength(const ProfileLine& line) {
    if (line.value.size() > platform::Profile::kMaxValueLength) {
      Add(line, "the value of " + Name(line.key) + " is " + std::to_string(line.value.size()) +
                    " characters long: the loader keeps only the first " +
                    std::to_string(platform::Profile::kMaxValueLength));
    }
    if (line.value_has_nul) {
      Add(line, "the value of " + Name(line.key) + " ends at a NUL byte: the rest is lost");
    }
  }

  void CheckScale(const ProfileLine& line) {
    const ScaleSetting setting = ParseScaleSetting(Value(line));
    if (!setting.valid) {
      Add(line, "Scale is " + ShortQuoted(Value(line)) +
                    ": not a percentage; the keyboard reports it and keeps its designed size");
    }
  }

  static std::string_view Value(const ProfileLine& line) {
    return line.value.substr(0, platform::Profile::kMaxValueLength);
  }

  void CheckConfigurationKey(const ProfileLine& line) {
    if (FoldName(line.key) == FoldName(kScaleKey)) {
      CheckScale(line);
      return;
    }
    for (std::size_t i = 0; i < kScanKeys.size(); ++i) {
      if (FoldName(line.key) != FoldName(kScanKeys[i])) continue;
      // The keyboard's own reading of the value, alone, says what is wrong.
      ScanSettingTexts texts;
      std::string* fields[] = {&texts.mode, &texts.step_time, &texts.cycles, &texts.switch_key,
                               &texts.step_key};
      *fields[i] = std::string(Value(line));
      for (const std::string& problem : ParseScanSetting(texts).problems) Add(line, problem);
      return;
    }
    const bool known = FoldName(line.key) == FoldName(kConfigurationKeys[0]) ||
                       FoldName(line.key) == FoldName(kConfigurationKeys[1]);
    if (!known) {
      Add(line, "unknown key " + Name(line.key) +
                    " in [Configuration]: only ShiftOperation, Shift2Operation, Scale and the "
                    "scanning settings are read");
      return;
    }
    CheckLength(line);
    const std::string word = AsciiUpper(Value(line));
    if (word != "LATCH" && word != "TOGGLE") {
      Add(line, Name(line.key) + " is " + ShortQuoted(Value(line)) +
                    ": only LATCH keeps the panel armed, any other word means TOGGLE");
    }
  }

  void CheckButtonKey(const ProfileLine& line, std::string_view section, ButtonSection button) {
    const auto field = FieldOfKey(line.key);
    if (!field) {
      Add(line, "unknown key " + Name(line.key) + " in [" + std::string(section) +
                    "]: the loader never reads it");
      return;
    }
    const ProfileLine* type = lines_.FindKey(section, "Type");
    if (*field != Field::Type && type != nullptr && type->value == kDefaultType) {
      Add(line, Name(line.key) +
                    " is ignored: the section says Type=Default, which takes the "
                    "whole cell from Default.ini");
      return;
    }
    CheckLength(line);
    if (*field == Field::Type) {
      CheckType(line, button);
    } else if (*field == Field::Shift) {
      const std::string word = AsciiUpper(Value(line));
      if (word != "SET" && word != "CLEAR") {
        Add(line, "Shift is " + ShortQuoted(Value(line)) +
                      ": only SET and CLEAR are read, the value is ignored");
      }
    } else if (IsIntegerField(*field)) {
      CheckInteger(line, *field);
    }
  }

  void CheckInteger(const ProfileLine& line, Field field) {
    const std::string_view value = Value(line);
    if (ParseProfileInteger(value)) return;
    const bool boolean = field == Field::Shifted || field == Field::Control;
    const std::string effect = boolean ? ", so it is false" : ", so the value below is kept";
    if (value.empty()) {
      Add(line, Name(line.key) + " has an empty value" + effect);
    } else {
      Add(line, Name(line.key) + " is " + ShortQuoted(value) +
                    ", not a 32-bit number (decimal, or hexadecimal after $, x or 0x)" + effect);
    }
  }

  void CheckType(const ProfileLine& line, ButtonSection button) {
    const std::string_view value = Value(line);
    if (value == kDefaultType) {
      CheckDefaultType(line, button);
      return;
    }
    const std::string word = AsciiUpper(value);
    if (word.empty() || IsOneOf(word, kTypeWords)) return;
    if (word == AsciiUpper(kDefaultType)) {
      Add(line, "Type is " + Name(value) +
                    ": only \"Default\", in exactly this letter case, takes the cell from "
                    "Default.ini; this button does nothing");
    } else {
      Add(line, "unknown Type " + ShortQuoted(value) +
                    ": the button neither sends a key nor performs an action");
    }
  }

  void CheckDefaultType(const ProfileLine& line, ButtonSection button) {
    if (context_.is_default_layout) {
      Add(line,
          "Type=Default in Default.ini itself: the cell keeps the type \"Default\" and its "
          "button does nothing");
    } else if (!context_.default_layout_found) {
      Add(line, "Type=Default, but there is no Default.ini in " +
                    FolderList(context_.layout_folders) + ": the cell will be empty");
    }
    for (int layer = 0; layer < button.layer; ++layer) {
      const std::string lower = ButtonSectionName(layer_suffix_, layer, button.cell);
      if (const SectionBlock* block = lines_.FindSection(lower)) {
        Add(line, "Type=Default here also replaces [" + lower + "] of line " +
                      std::to_string(block->header_line) +
                      ": the lower layers of the cell come from Default.ini as well");
      }
    }
  }

  const ProfileLines& lines_;
  const TLayerSuffix& layer_suffix_;
  const CheckContext& context_;
  Findings& findings_;
};

}  // namespace

void CheckLines(const ProfileLines& lines, const TLayerSuffix& layer_suffix,
                const CheckContext& context, Findings& findings) {
  LineChecker(lines, layer_suffix, context, findings).Run();
}

}  // namespace plinth::layout_tool
