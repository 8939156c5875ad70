#include "tests/wayland/support/wayland_keyboard.h"

#include "platform/form_design.h"
#include "platform/wayland/status_line.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/temp_directory.h"

namespace plinth::wayland_test {
namespace {

using namespace std::chrono_literals;
namespace design = platform::design;

// The status line's dark blue.
constexpr Pixel kStatusColour{0, 0, 128};

platform::Point GridOrigin() {
  const platform::FormGeometry geometry;
  return {design::kWindowLeft, design::kWindowTop + platform::wayland::StatusLineHeight(geometry)};
}

}  // namespace

std::optional<Pixel> PixelAt(const SwaySession& session, int x, int y) {
  ChildOptions options;
  options.argv = {"grim", "-g",  std::to_string(x) + "," + std::to_string(y) + " 1x1",
                  "-t",   "ppm", "-"};
  options.env = session.ClientEnvironment();
  int status = -1;
  const std::string ppm = test_support::RunAndCapture(options, 10000ms, &status);
  // "P6\n1 1\n255\n" and three bytes.
  if (status != 0 || ppm.size() < 3 || ppm.rfind("P6", 0) != 0) return std::nullopt;
  const std::string rgb = ppm.substr(ppm.size() - 3);
  return Pixel{static_cast<unsigned char>(rgb[0]), static_cast<unsigned char>(rgb[1]),
               static_cast<unsigned char>(rgb[2])};
}

// Runs plinth with `args` in `env` to its end; its standard error.
std::filesystem::path KeyboardSocketPath(const SwaySession& session) {
  return session.runtime_directory() /
         ("plinth-" + session.ClientEnvironment().at("WAYLAND_DISPLAY") + ".socket");
}

std::string RunPlinth(const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& env, int* status) {
  const auto directory = x11_test::MakeTempDirectory("plinth-run-");
  ChildOptions options;
  options.argv = {PLINTH_BINARY};
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  options.env = env;
  options.stderr_path = (directory / "stderr.log").string();
  test_support::RunAndCapture(options, 20000ms, status);
  std::string errors = x11_test::ReadFile(directory / "stderr.log");
  std::filesystem::remove_all(directory);
  return errors;
}

WaylandKeyboard::WaylandKeyboard(const SwaySession& session, const LayoutFiles& layouts,
                                 const StartOptions& start)
    : session_(session), folder_("plinth-wayland-e2e-", layouts, start) {
  auto env = session.ClientEnvironment();
  // No X display to fall back to: a keyboard that does not start on
  // Wayland does not start.
  env["DISPLAY"] = "";
  process_ = std::make_unique<ChildProcess>(folder_.Options(env));
}

WaylandKeyboard::~WaylandKeyboard() { process_.reset(); }

bool WaylandKeyboard::WaitForWindow(std::chrono::milliseconds timeout) const {
  return x11_test::WaitUntil(
      [this] {
        return PixelAt(session_, design::kWindowLeft + 1, design::kWindowTop + 1) == kStatusColour;
      },
      timeout);
}

std::string WaylandKeyboard::StandardError() const { return folder_.StandardError(); }

platform::Point WaylandKeyboard::CellCentre(int cell) const {
  const platform::Square place = platform::FormGeometry().Cell(cell);
  const platform::Point origin = GridOrigin();
  return {origin.x + place.left + place.size / 2, origin.y + place.top + place.size / 2};
}

platform::Point WaylandKeyboard::Home() const {
  const platform::Square centre = platform::FormGeometry().extend_panel;
  const platform::Point origin = GridOrigin();
  return {origin.x + centre.left + centre.size / 2, origin.y + centre.top + centre.size / 2};
}

platform::Point WaylandKeyboard::ExtendRing() const {
  const platform::Square ring = platform::FormGeometry().extend_panel;
  const platform::Point origin = GridOrigin();
  return {origin.x + ring.left + 3, origin.y + ring.top + 3};
}

}  // namespace plinth::wayland_test
