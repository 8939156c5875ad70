#pragma once

// A modal message box: an icon, the text and one OK button, centred on the
// screen and above the keyboard. Returns when the user has closed it.
// `text_size` is the character height of the text and the button.

#include <functional>
#include <string>

#include "platform/form_geometry.h"
#include "platform/x11/scan_frame.h"

namespace plinth::platform::x11 {

enum class MessageIcon { Warning, Error };

// Told of every pointer movement over the open dialog: whether the pointer
// is over the OK button, and where on the screen.
using DialogPointerMoved = std::function<void(bool over_ok, int x_root, int y_root)>;

void RunMessageDialog(const std::string& title_utf8, MessageIcon icon, const std::string& text_utf8,
                      int text_size, DialogPointerMoved pointer_moved = {});

// The dialog open now, if any: its OK button pressed, or its dwell bar
// filled to `permille` thousandths and drawn as `look` says.
void PressOpenDialogOk();
void ShowOpenDialogDwellProgress(int permille, const platform::DwellBarLook& look);
// Frames the OK button of the dialog open now and of those opened later
// (look width 0 for none), as switch scanning lights it.
void ShowDialogOkScanFrame(const ScanFrameLook& look);

}  // namespace plinth::platform::x11
