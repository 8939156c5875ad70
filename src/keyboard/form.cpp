#include "src/keyboard/form.h"

#include <cassert>

#include "platform/form_design.h"
#include "src/keyboard/click_kind.h"
#include "src/keyboard/dialog_text.h"

namespace plinth {

TForm1::TForm1(platform::Services& services, platform::KeyboardWindow& window)
    : services_(services),
      window_(window),
      dwell_(services.timer, window,
             [this](platform::PointerTarget target) { PerformClick(target); }),
      words_(services, [this](const std::string& message) { ShowError(message); }),
      scan_(
          services.scan_timer, window,
          [this](int cell) { return ClickDoesSomething(ShownRecord(cell)); },
          [this](platform::PointerTarget stop) { PerformChoice(stop); }) {}

const TButtonRec& TForm1::ShownRecord(int cell) const {
  assert(CurrentTable == &MainTable || CurrentTable == &ExtendTable);
  return CurrentTable->at(CurrentLayer, cell);
}

void TForm1::ShowStatus(std::string_view text, bool prefixed) {
  std::string caption = prefixed ? std::string(platform::design::kCaption) + " " : std::string();
  caption += text;
  window_.SetCaption(caption);
}

// A dialog shows at most the start of a long message (a key name can be
// thousands of characters long); standard error keeps it whole.
void TForm1::ShowError(std::string_view message) {
  const std::string text = "Error - " + std::string(message);
  services_.app.ReportOnStandardError(text);
  RunDialog([&] { window_.ShowWarning(ShortenedForDialog(text)); });
}

void TForm1::ShowApplicationError(const std::string& text) {
  services_.app.ReportOnStandardError(text);
  RunDialog([&] { window_.ShowApplicationError(ShortenedForDialog(text)); });
}

void TForm1::RunDialog(const std::function<void()>& show) {
  dwell_.RunDialog([&] { scan_.RunDialog(show); });
}

PanelState TForm1::panel_state(PanelId panel) const {
  return panel == PanelId::Shift ? shift_panel_ : extend_panel_;
}

bool TForm1::menu_item_checked(MenuItemId item) const {
  switch (item) {
    case MenuItemId::Available:
      return available_checked_;
    case MenuItemId::ShowAll:
      return show_all_checked_;
    case MenuItemId::DwellClick:
      return dwell_.enabled();
    case MenuItemId::LearnWords:
      return words_.learning_chosen();
    case MenuItemId::Scanning:
      return scan_.running();
  }
  return false;
}

int CellFromButtonName(std::string_view name) {
  constexpr std::size_t kNumberStart = 11;  // after "SpeedButton"
  if (name.size() <= kNumberStart) return 0;
  const std::string_view digits = name.substr(kNumberStart, 2);
  int cell = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    cell = cell * 10 + (c - '0');
  }
  return cell <= kCellCount ? cell : 0;
}

}  // namespace plinth
