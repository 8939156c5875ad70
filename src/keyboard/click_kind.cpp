#include "src/keyboard/click_kind.h"

#include <array>
#include <string_view>
#include <utility>

#include "src/layout/profile_values.h"

namespace plinth {
namespace {

constexpr std::array<std::pair<std::string_view, ClickKind>, 5> kKindOfType{{
    {"KEY", ClickKind::Key},
    {"VIRTUALKEY", ClickKind::VirtualKey},
    {"CURSORKEY", ClickKind::CursorKey},
    {"CTRLTOGGLE", ClickKind::CtrlToggle},
    {"ALTTOGGLE", ClickKind::AltToggle},
}};

}  // namespace

ClickKind ClickKindOf(const TButtonRec& rec) {
  const std::string type = AsciiUpper(rec.Type);
  if (type == "ACTION") {
    const std::string handler = AsciiUpper(rec.Handler);
    if (handler == "DEFAULT") return ClickKind::DefaultAction;
    if (handler == "EXTEND") return ClickKind::ExtendAction;
    return ClickKind::Nothing;
  }
  for (const auto& [name, kind] : kKindOfType) {
    if (type == name) return kind;
  }
  return ClickKind::Nothing;
}

bool ClickDoesSomething(const TButtonRec& rec) {
  switch (ClickKindOf(rec)) {
    case ClickKind::Nothing:
      return false;
    case ClickKind::Key:
      return !rec.KeyString.empty() || !rec.Caption.empty();
    default:
      return true;
  }
}

}  // namespace plinth
