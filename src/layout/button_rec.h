#pragma once

// What one grid button does in one layer, and a whole layout of them.

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

namespace plinth {

namespace platform {
class TextCase;
}

inline constexpr int kLayerCount = 4;  // 0 base, 1 Shift, 2 Ext, 3 ExtShift
inline constexpr int kCellCount = 49;  // grid cells 1..49, row by row
inline constexpr int kParamCount = 5;

// A plain record, copied by value.
struct TButtonRec {
  std::string Type;
  std::string Caption;
  std::string KeyString;
  std::string IconFile;
  std::int32_t HomeButton = 0;  // -1: no pointer return after a click
  bool Shifted = false;
  bool Control = false;
  std::uint8_t Shift = 0;  // 0 not given, 1 SET, 2 CLEAR
  std::string Handler;
  std::string Action;
  std::array<std::string, kParamCount> Param;        // Param1..Param5 at [0]..[4]
  std::array<std::int32_t, kParamCount> IntParam{};  // IntParam1..IntParam5

  friend bool operator==(const TButtonRec&, const TButtonRec&) = default;
};

// One layout: 4 layers of 49 records, addressed by layer (0..3) and cell
// (1..49), stored layer by layer.
class TButtonArray {
 public:
  TButtonRec& at(int layer, int cell) { return records_[Index(layer, cell)]; }
  const TButtonRec& at(int layer, int cell) const { return records_[Index(layer, cell)]; }

  friend bool operator==(const TButtonArray&, const TButtonArray&) = default;

 private:
  static std::size_t Index(int layer, int cell) {
    assert(layer >= 0 && layer < kLayerCount);
    assert(cell >= 1 && cell <= kCellCount);
    return static_cast<std::size_t>(layer * kCellCount + cell - 1);
  }

  std::array<TButtonRec, static_cast<std::size_t>(kLayerCount* kCellCount)> records_{};
};

// Section-name prefix of each layer in a layout file.
using TLayerSuffix = std::array<std::string, kLayerCount>;

// The record every base-layer slot starts from while a layout is loaded.
TButtonRec MakeTemplateRec();
TLayerSuffix MakeLayerSuffix();

// Gives `dest` its starting value from `source` for `layer`: a copy, with a
// one-character caption upper-cased on the Shift layers (1 and 3).
void InheritButtonRec(TButtonRec& dest, const TButtonRec& source, int layer,
                      platform::TextCase& text_case);

}  // namespace plinth
