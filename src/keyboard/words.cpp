// Word suggestions in the window: a WORD button's click, a new focus, and
// the end of the program. The keys themselves reach the suggestions in
// SendButtonKey, and the captions in RefreshKeyboard.

#include "src/keyboard/button_key.h"
#include "src/keyboard/form.h"
#include "src/postkeys/key_names.h"
#include "src/words/sent_key.h"

namespace plinth {

bool TForm1::TypeSuggestion(int cell) {
  const int n = SuggestionOfButton(ShownRecord(cell));
  if (n == 0) {
    ShowError("Invalid WORD button - Param1 must be a number from 1 to 8");
    return true;
  }
  // Each character goes out as a key button's would; they are no keys the
  // suggestions should follow, since Accept counted them already.
  const std::string typed = words_.Accept(n);
  for (const char c : typed) {
    const words::SentKey key = words::KeyTyping(c);
    ModifierSet modifiers = key.modifiers;
    const std::uint16_t code = key.code != 0 ? key.code : KeyOfCharacter(c, modifiers);
    if (code == NotFoundKey || !PostKeyStroke(services_.keys, code, modifiers)) {
      // The word came out in part: what the text holds is unknown now.
      words_.CursorMoved();
      ShowError("Invalid Vkey " + std::string(1, c));
      break;
    }
  }
  if (!typed.empty()) RefreshKeyboard(true);
  return true;
}

void TForm1::FocusMoved() {
  if (!words_.following()) return;
  words_.CursorMoved();
  RefreshKeyboard(false);
}

void TForm1::FormClose() { words_.SaveAtEnd(); }

}  // namespace plinth
