#include "platform/common/backend_choice.h"

#include <algorithm>
#include <iterator>

namespace plinth::platform {

std::optional<BackendRequest> TakeBackendOption(std::vector<std::string>& args) {
  BackendRequest request = BackendRequest::Automatic;
  int given = 0;
  for (const std::string& arg : args) {
    if (arg == "--wayland") {
      request = BackendRequest::Wayland;
      ++given;
    } else if (arg == "--x11") {
      request = BackendRequest::X11;
      ++given;
    }
  }
  std::erase_if(args, [](const std::string& arg) { return arg == "--wayland" || arg == "--x11"; });
  if (given > 1) return std::nullopt;
  return request;
}

SwitchOption TakeSwitchOption(std::vector<std::string>& args) {
  const auto option = std::ranges::find(args, "--switch");
  if (option == args.end()) return SwitchOption::NotGiven;
  const auto word = std::next(option);
  SwitchOption taken = SwitchOption::Invalid;
  if (word != args.end() && *word == "choose") taken = SwitchOption::Choose;
  if (word != args.end() && *word == "step") taken = SwitchOption::Step;
  args.erase(option, word == args.end() ? word : std::next(word));
  if (std::ranges::find(args, "--switch") != args.end()) return SwitchOption::Invalid;
  return taken;
}

std::string MissingProtocolsMessage(const std::vector<std::string>& missing, bool falls_back) {
  std::string names;
  for (const std::string& name : missing) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  std::string text =
      "plinth: this Wayland compositor does not offer " + names +
      ", which an on-screen keyboard needs to show itself above other windows and to type "
      "into them (wlroots compositors such as sway, labwc, Wayfire and Hyprland offer them).";
  if (falls_back) {
    text += " Plinth falls back to X11 (Xwayland), where only X11 applications receive its keys.";
  }
  return text;
}

}  // namespace plinth::platform
