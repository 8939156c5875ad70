#pragma once

// The names a layout file may use: its sections and the keys of each.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "src/layout/button_rec.h"

namespace plinth::layout_tool {

// The keys of a button section, one per field of TButtonRec.
enum class Field : std::size_t {
  Type,
  Caption,
  KeyString,
  IconFile,
  HomeButton,
  Shifted,
  Control,
  Shift,
  Handler,
  Action,
  Param1,
  Param2,
  Param3,
  Param4,
  Param5,
  IntParam1,
  IntParam2,
  IntParam3,
  IntParam4,
  IntParam5,
};
inline constexpr std::size_t kFieldCount = 20;

inline constexpr std::array<std::string_view, kFieldCount> kFieldKeys = {
    "Type",   "Caption",   "KeyString", "IconFile",  "HomeButton", "Shifted",   "Control",
    "Shift",  "Handler",   "Action",    "Param1",    "Param2",     "Param3",    "Param4",
    "Param5", "IntParam1", "IntParam2", "IntParam3", "IntParam4",  "IntParam5",
};

inline constexpr std::string_view kConfigurationSection = "Configuration";
inline constexpr std::array<std::string_view, 2> kConfigurationKeys = {"ShiftOperation",
                                                                       "Shift2Operation"};
// The keyboard's size in percent, read from the start-up layout only.
inline constexpr std::string_view kScaleKey = "Scale";
// Switch scanning's settings, in the order of ScanSettingTexts' fields.
inline constexpr std::array<std::string_view, 5> kScanKeys = {"Scan", "ScanTime", "ScanCycles",
                                                              "SwitchKey", "StepKey"};

// The field a button-section key sets; letter case does not matter.
std::optional<Field> FieldOfKey(std::string_view key);

// Keys whose value is read as an integer (booleans included).
bool IsIntegerField(Field field);

struct ButtonSection {
  int layer = 0;  // 0..3
  int cell = 0;   // 1..49
};

// The layer and cell a section name stands for, letter case ignored, as the
// loader names them ("Button7", "ShiftButton7", ...); nothing for any other
// name ("Button07", "Button50", "Configuration").
std::optional<ButtonSection> ButtonSectionOf(std::string_view name, const TLayerSuffix& suffix);

}  // namespace plinth::layout_tool
