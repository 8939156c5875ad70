// Creation of the keyboard window and the loading of layout files.

#include <exception>

#include "src/keyboard/file_lookup.h"
#include "src/keyboard/form.h"
#include "src/layout/layout_loader.h"

namespace plinth {

void TForm1::FormCreate() {
  window_.MakeNonActivating();
  CurrentTable = &MainTable;
  LayerSuffix = MakeLayerSuffix();
  TemplateRec = MakeTemplateRec();

  ScreenDpi = services_.screen.DotsPerInch();
  // DefaultTable first: the other two take their "Default" cells from it.
  LoadLayout("Default", DefaultTable, false);
  LoadLayout("Extend", ExtendTable, false);
  LoadLayout("Default", MainTable, false);

  Flags.CtrlToggle = false;
  Flags.AltToggle = false;
  Flags.Selecting = false;
  Flags.Shift1Lock = false;

  window_.SetMenuItemChecked(MenuItemId::LearnWords, words_.learning_chosen());
  ApplyPitch(StartPitch());
  // A large keyboard at its designed place could run off a small screen.
  KeepWithinReach();
  if (const std::string problem = dwell_.Configure(); !problem.empty()) ShowError(problem);
  // Before the window is shown: the switch keys are the keyboard's from
  // its first moment.
  for (const std::string& problem : scan_.Configure()) ShowError(problem);
}

void TForm1::UpdateHomePoint() {
  // The centre of the centre cell, measured from the window's outer top-left
  // corner, so it moves with the frame the window manager draws.
  const platform::Point frame = window_.FrameOffset();
  const platform::Square& centre = Geometry.extend_panel;
  HomeX = centre.left + centre.size / 2 + frame.x;
  HomeY = centre.top + centre.size / 2 + frame.y;
}

std::optional<std::string> TForm1::LayoutPath(const std::string& name) {
  return FindInLayoutFolders(services_.files, name + ".ini");
}

bool TForm1::LoadLayout(const std::string& name, TButtonArray& target, bool switch_to_main) {
  if (name.empty()) return true;

  const std::optional<std::string> path = LayoutPath(name);
  if (!path) {
    ShowError("Inifile not found -" + name);
    return true;
  }

  try {
    auto profile = services_.files.OpenProfile(*path);
    const LatchSettings latches = ReadLatchSettings(*profile);
    ShiftLatch = latches.shift_latch;
    ExtendLatch = latches.extend_latch;
    // The size and the dwell time are set once, by the layout read at start
    // into DefaultTable.
    if (&target == &DefaultTable) {
      ReadScale(*profile);
      dwell_.KeepSetting(profile->FindValue("Configuration", "DwellTime").value_or(""));
      const auto value = [&profile](std::string_view key) {
        return profile->FindValue("Configuration", key).value_or("");
      };
      scan_.KeepSetting({.mode = value("Scan"),
                         .step_time = value("ScanTime"),
                         .cycles = value("ScanCycles"),
                         .switch_key = value("SwitchKey"),
                         .step_key = value("StepKey")});
      words_.KeepSetting(value("Words"));
    }
    ReadLayoutButtons(*profile, target,
                      {.template_rec = TemplateRec,
                       .layer_suffix = LayerSuffix,
                       .default_table = DefaultTable,
                       .text_case = services_.text});
    profile.reset();
    if (switch_to_main) CurrentTable = &MainTable;
    RefreshKeyboard(false);
  } catch (const std::exception&) {
    // A file that cannot be read changes nothing; a failure part-way keeps
    // whatever was read so far. The keyboard goes on either way.
    ShowError("No Ini File");
  }
  return true;
}

}  // namespace plinth
