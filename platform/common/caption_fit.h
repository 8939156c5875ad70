#pragma once

// How a button shows a caption that is too wide for it: in a smaller font,
// down to a readable smallest size, and then shortened at its end with an
// ellipsis, so that its start always shows and it is never cut on both
// sides. The width of a text comes from the caller, so the rule holds
// whatever font measures it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plinth::platform {

struct FittedCaption {
  std::string text;
  int font_size = 0;
  bool whole = true;  // shown without shortening
  friend bool operator==(const FittedCaption&, const FittedCaption&) = default;
};

// The width in pixels of `text` drawn at `font_size`.
using MeasureText = std::function<int(std::string_view text, int font_size)>;

enum class TextEncoding { Utf8, SingleByte };

struct CaptionRoom {
  int width = 0;          // pixels the caption may take
  int font_size = 0;      // the button's font size
  int smallest_size = 0;  // the smallest readable size
  friend bool operator==(const CaptionRoom&, const CaptionRoom&) = default;
};

// The room inside a grid button of `button_size` pixels: clear of its
// two-pixel bevel on each side and of one pixel beside the text.
inline CaptionRoom ButtonCaptionRoom(int button_size, int font_size, int smallest_size) {
  constexpr int kBevel = 2;
  return {.width = button_size - 2 * kBevel - 2,
          .font_size = font_size,
          .smallest_size = smallest_size < font_size ? smallest_size : font_size};
}

// The largest size from `room.font_size` down to `room.smallest_size` at
// which `text` fits; else the longest start of it, whole characters of
// `encoding`, followed by `ellipsis`, at the smallest size. Only the
// ellipsis when not even one character fits with it.
FittedCaption FitCaption(std::string_view text, const CaptionRoom& room, const MeasureText& measure,
                         std::string_view ellipsis, TextEncoding encoding);

// The caption a button showed last, fitted again only when its text, its
// room or its font face changed: a button is drawn over and over with the
// same caption (every few tens of milliseconds while a dwell bar fills).
// One cache serves one button, whose measure, ellipsis and encoding stay
// the same.
class CaptionFitCache {
 public:
  // FitCaption's result for `text` in `room` in the face `font` (the
  // platform's number for it).
  const FittedCaption& Fit(std::string_view text, const CaptionRoom& room, int font,
                           const MeasureText& measure, std::string_view ellipsis,
                           TextEncoding encoding);
  // Fits anew next time, as after the fonts changed beneath the same
  // number.
  void Forget() { fitted_.reset(); }

 private:
  std::string text_;
  CaptionRoom room_;
  int font_ = 0;
  std::optional<FittedCaption> fitted_;
};

// A fixed-width face's measure without a font: every character is 0.6 of
// the size wide, as in the faces that show the grid's captions. Counts the
// characters of UTF-8 text.
int MonospaceWidth(std::string_view utf8, int font_size);

}  // namespace plinth::platform
