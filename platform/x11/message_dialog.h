#pragma once

// A modal message box: an icon, the text and one OK button, centred on the
// screen and above the keyboard. Returns when the user has closed it.
// `text_size` is the character height of the text and the button.

#include <string>

namespace plinth::platform::x11 {

enum class MessageIcon { Warning, Error };

void RunMessageDialog(const std::string& title_utf8, MessageIcon icon, const std::string& text_utf8,
                      int text_size);

}  // namespace plinth::platform::x11
