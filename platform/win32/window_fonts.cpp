#include "platform/win32/window_fonts.h"

namespace plinth::platform::win32 {
namespace {

// `height` is the character height in pixels, without internal leading.
HFONT CreateFace(const char* face, int height, int weight, DWORD pitch_and_family) {
  HFONT font =
      CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch_and_family, face);
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

WindowFonts::WindowFonts(int button_height, int smallest_button_height, int window_height,
                         int text_height)
    : button_height_(button_height),
      smallest_button_height_(smallest_button_height),
      window_(CreateFace("MS Sans Serif", window_height, FW_NORMAL, VARIABLE_PITCH | FF_SWISS)),
      text_(CreateFace("MS Sans Serif", text_height, FW_NORMAL, VARIABLE_PITCH | FF_SWISS)) {}

HFONT WindowFonts::ButtonOfHeight(int height) const {
  auto [font, made] = buttons_.try_emplace(height, nullptr);
  if (made) {
    font->second = CreateFace("Lucida Console", height, FW_NORMAL, FIXED_PITCH | FF_MODERN);
  }
  return font->second;
}

WindowFonts::~WindowFonts() {
  // Deleting a stock object is harmless: the system ignores it.
  for (const auto& [height, font] : buttons_) DeleteObject(font);
  DeleteObject(window_);
  DeleteObject(text_);
}

}  // namespace plinth::platform::win32
