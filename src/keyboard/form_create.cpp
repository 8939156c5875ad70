// Creation of the keyboard window and the loading of layout files.

#include <exception>

#include "platform/form_design.h"
#include "src/keyboard/form.h"
#include "src/layout/layout_loader.h"

namespace plinth {

void TForm1::FormCreate() {
  window_.MakeNonActivating();
  CurrentTable = &MainTable;
  LayerSuffix = MakeLayerSuffix();
  TemplateRec = MakeTemplateRec();

  // DefaultTable first: the other two take their "Default" cells from it.
  LoadLayout("Default", DefaultTable, false);
  LoadLayout("Extend", ExtendTable, false);
  LoadLayout("Default", MainTable, false);

  Flags.CtrlToggle = false;
  Flags.AltToggle = false;
  Flags.Selecting = false;
  Flags.Shift1Lock = false;

  UpdateHomePoint();
}

void TForm1::UpdateHomePoint() {
  // The centre of the centre cell, measured from the window's outer top-left
  // corner, so it moves with the frame the window manager draws.
  namespace design = platform::design;
  const platform::Point frame = window_.FrameOffset();
  HomeX = design::kExtendPanelLeft + design::kExtendPanelSize / 2 + frame.x;
  HomeY = design::kExtendPanelTop + design::kExtendPanelSize / 2 + frame.y;
}

std::string TForm1::ExecutableDirectory() {
  const std::string path = services_.files.ExecutablePath();
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

bool TForm1::LoadLayout(const std::string& name, TButtonArray& target, bool switch_to_main) {
  if (name.empty()) return true;

  const std::string path = ExecutableDirectory() + name + ".ini";
  if (!services_.files.FileExists(path)) {
    ShowError("Inifile not found -" + name);
    return true;
  }

  try {
    auto profile = services_.files.OpenProfile(path);
    const LatchSettings latches = ReadLatchSettings(*profile);
    ShiftLatch = latches.shift_latch;
    ExtendLatch = latches.extend_latch;
    ReadLayoutButtons(*profile, target,
                      {.template_rec = TemplateRec,
                       .layer_suffix = LayerSuffix,
                       .default_table = DefaultTable,
                       .text_case = services_.text});
    profile.reset();
    if (switch_to_main) CurrentTable = &MainTable;
    RefreshKeyboard(false);
  } catch (const std::exception&) {
    // Whatever was read so far stays; the keyboard goes on.
    ShowError("No Ini File");
  }
  return true;
}

}  // namespace plinth
