#pragma once

// Which window system the `plinth` program uses on Linux: Wayland when the
// session is a Wayland one whose compositor offers what an on-screen
// keyboard needs, X11 otherwise; `--wayland` and `--x11` force a choice.
// `--switch` only talks to the keyboard running in a Wayland session.

#include <optional>
#include <string>
#include <vector>

namespace plinth::platform {

enum class BackendRequest { Automatic, Wayland, X11 };

// Takes `--wayland` or `--x11` out of `args`, leaving the other options.
// Nothing when both are given, or one twice: a usage error.
std::optional<BackendRequest> TakeBackendOption(std::vector<std::string>& args);

// `--switch choose` or `--switch step`: the press of a switch key bound in
// the compositor, for the keyboard running in the Wayland session.
enum class SwitchOption { NotGiven, Choose, Step, Invalid };

// Takes `--switch` and the word after it out of `args`. Invalid when the
// word is missing or neither "choose" nor "step", or `--switch` is given
// twice: a usage error.
SwitchOption TakeSwitchOption(std::vector<std::string>& args);

// What Plinth says on a Wayland compositor that lacks the protocols named
// in `missing`: which they are, and what happens instead — the start on X11
// (`falls_back`), where only X11 applications receive the keys, or nothing.
std::string MissingProtocolsMessage(const std::vector<std::string>& missing, bool falls_back);

}  // namespace plinth::platform
