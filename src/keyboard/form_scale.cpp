// The keyboard's size: the Scale setting and the screen's resolution at
// start, a resize by the user, a move to a screen of another resolution.

#include "src/keyboard/form.h"
#include "src/keyboard/scaling.h"
#include "src/layout/scale_setting.h"

namespace plinth {

void TForm1::ReadScale(platform::Profile& profile) {
  const std::string text = profile.FindValue("Configuration", "Scale").value_or("");
  const ScaleSetting setting = ParseScaleSetting(text);
  if (!setting.valid) ShowError("Invalid Scale " + text);
  ScalePercent = setting.percent.value_or(kDesignedScale);
}

int TForm1::StartPitch() const {
  return PitchForScale(ScalePercent * ScaleForDpi(ScreenDpi) / kDesignedScale);
}

PitchLimits TForm1::ResizeLimits() {
  const platform::Size outer = window_.OuterSize();
  const platform::Rect room = services_.screen.WorkArea();
  return LimitsForScreen({room.width, room.height}, {outer.width - Geometry.client.width,
                                                     outer.height - Geometry.client.height});
}

void TForm1::ApplyPitch(int pitch) {
  asked_pitch_ = pitch;
  const PitchLimits limits = ResizeLimits();
  Geometry = GeometryForPitch(limits.Clamp(pitch));
  window_.SetResizeLimits(GeometryForPitch(limits.smallest).client,
                          GeometryForPitch(limits.largest).client);
  window_.SetGeometry(Geometry);
  // A docked window stays in its corner at its new size.
  if (docking_ && docking_->placed == window_.OuterPosition()) {
    const Docking corner = *docking_;
    PlaceWindow(corner.horizontal, corner.vertical);
  }
  UpdateHomePoint();
}

void TForm1::FormResize(platform::Size client) {
  if (client == Geometry.client) return;
  if (client == answered_size_ || client == imposed_size_) {
    // The window manager gave this size again when asked for the grid's
    // own: it keeps the window so (a tiling one does). Asking again would
    // go on for ever; the grid is fitted into the size instead.
    imposed_size_ = client;
    Geometry = GeometryFittedInto(client);
    window_.SetGeometry(Geometry);
    UpdateHomePoint();
    return;
  }
  answered_size_ = client;
  // The window has this size now; the frame around it is measured from it.
  Geometry.client = client;
  ApplyPitch(PitchForClientSize(client));
}

platform::Size TForm1::FormCanResize(platform::Size client) {
  return GeometryForPitch(ResizeLimits().Clamp(PitchForDrag(client, Geometry.client))).client;
}

void TForm1::FormDpiChanged(int dpi) {
  if (dpi <= 0 || dpi == ScreenDpi) return;
  ScreenDpi = dpi;
  ApplyPitch(StartPitch());
}

}  // namespace plinth
