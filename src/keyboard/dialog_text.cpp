#include "src/keyboard/dialog_text.h"

namespace plinth {

std::string ShortenedForDialog(std::string_view text) {
  if (text.size() <= kMaxDialogText) return std::string(text);
  std::string shortened(text.substr(0, kMaxDialogText - 1));
  shortened += kEllipsis;
  return shortened;
}

}  // namespace plinth
