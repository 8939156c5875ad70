// A fuzzed pair of layout files through the keyboard's start-up, a relabel
// and some clicks, on the test platform. The input is the text of
// Default.ini, then optionally "\n%%\n" and the text of Extend.ini (without
// it, Extend.ini is missing), then optionally "\n%%\n" and a click script,
// one byte a step (see Step). After every step the keyboard must hold its
// invariants (CheckKeyboard) and a click must have sent whole keystrokes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/form_design.h"
#include "platform/testing/test_keyboard.h"

namespace {

using plinth::MenuItemId;
using plinth::PanelId;
using plinth::fuzz::Check;
using plinth::test_platform::TestKeyboard;

constexpr std::string_view kSeparator = "\n%%\n";
constexpr std::size_t kMaxSteps = 64;

// One step of the script: a byte chooses a cell to click (0..48 for cells
// 1..49; the centre cell hovers over the Extend panel instead), a panel
// action or a popup item.
void Step(TestKeyboard& keyboard, unsigned char byte) {
  const int choice = byte % 56;
  if (choice < plinth::kCellCount) {
    const int cell = choice + 1;
    if (cell == plinth::platform::design::kCentreCell) {
      keyboard.HoverPanel(PanelId::Extend);
    } else {
      keyboard.Click(cell);
    }
    return;
  }
  switch (choice) {
    case 49:
      keyboard.ArmPanel(PanelId::Shift);
      break;
    case 50:
      keyboard.ClickPanel(PanelId::Shift);
      break;
    case 51:
      keyboard.ArmPanel(PanelId::Extend);
      break;
    case 52:
      keyboard.ClickPanel(PanelId::Extend);
      break;
    case 53:
      keyboard.ChooseMenuItem(MenuItemId::Available);
      break;
    case 54:
      keyboard.ChooseMenuItem(MenuItemId::ShowAll);
      break;
    default:
      keyboard.HoverPanel(PanelId::Shift);
      break;
  }
}

void CheckAfterStep(TestKeyboard& keyboard) {
  plinth::fuzz::CheckKeyboard(keyboard);
  plinth::fuzz::CheckKeyStroke(keyboard.TakeKeys());
  for (const std::string& warning : keyboard.Warnings()) {
    Check(warning.starts_with("Error - "), "a warning without \"Error - \"");
  }
}

std::string_view CutAtSeparator(std::string_view& rest) {
  const std::size_t at = rest.find(kSeparator);
  const std::string_view head = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + kSeparator.size());
  return head;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const bool has_extend = rest.find(kSeparator) != std::string_view::npos;
  const std::string_view default_ini = CutAtSeparator(rest);
  const std::string_view extend_ini = CutAtSeparator(rest);
  const std::string_view script = rest.substr(0, kMaxSteps);

  TestKeyboard keyboard;
  keyboard.PutLayout("Default", std::string(default_ini));
  if (has_extend) keyboard.PutLayout("Extend", std::string(extend_ini));
  keyboard.DeliverPointerMotion(true);
  keyboard.Create();
  plinth::fuzz::CheckTables(keyboard.form());
  CheckAfterStep(keyboard);

  // A relabel: every cell numbered, then back to the captions.
  keyboard.ChooseMenuItem(MenuItemId::ShowAll);
  CheckAfterStep(keyboard);
  keyboard.ChooseMenuItem(MenuItemId::ShowAll);
  CheckAfterStep(keyboard);

  if (script.empty()) {
    for (int cell = 1; cell <= plinth::kCellCount; ++cell) {
      if (cell == plinth::platform::design::kCentreCell) continue;
      keyboard.Click(cell);
      CheckAfterStep(keyboard);
    }
  } else {
    for (const char byte : script) {
      Step(keyboard, static_cast<unsigned char>(byte));
      CheckAfterStep(keyboard);
    }
  }
  plinth::fuzz::CheckTables(keyboard.form());  // LOADINI may have loaded again
  return 0;
}
