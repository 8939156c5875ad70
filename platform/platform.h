#pragma once

// The seam between the keyboard logic and the machine. The keyboard window
// (src/keyboard) and the keystroke routines (src/postkeys) reach keys, the
// pointer, the screen, profile files, letter case and widgets only through
// these interfaces. Each platform folder (win32/, x11/, testing/) implements
// them; nothing above this folder includes a window-system header.
//
// All text crossing this seam is 8-bit Windows-1252, as in the layout files;
// only paths are in the file system's own encoding.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plinth::platform {

// ---------------------------------------------------------------- keys

// Flags of one keyboard event, with the values the Windows input API uses.
inline constexpr std::uint32_t kKeyEventExtendedKey = 0x0001;
inline constexpr std::uint32_t kKeyEventKeyUp = 0x0002;

// The key that types one character on the current keyboard layout, and the
// modifiers that layout needs for it.
struct CharacterKey {
  std::uint16_t code = 0;  // virtual-key code
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// A key the window system holds down.
struct HeldKey {
  std::uint32_t id = 0;  // the platform's number for it: an X keycode, a virtual-key code
  std::string name;      // "Shift", "Ctrl", "Alt", else the key's own name
  friend bool operator==(const HeldKey&, const HeldKey&) = default;
};

class KeyInjector {
 public:
  virtual ~KeyInjector() = default;
  // The hardware scan code of a virtual-key code (MapVirtualKeyA, type 0).
  virtual std::uint32_t MapVirtualKey(std::uint16_t code) = 0;
  // Appends one keyboard event to the system's input stream (keybd_event).
  // Returns false when the window system refused the event.
  virtual bool SendKeyEvent(std::uint16_t code, std::uint32_t scan, std::uint32_t flags) = 0;
  // The key that types `ch` on the current layout (VkKeyScanA), or nothing
  // when no key can type it. Codes above 0xFF are the platform's own keys
  // for characters that have no virtual-key code.
  virtual std::optional<CharacterKey> KeyForCharacter(unsigned char ch) = 0;
  // Makes every key of one key stroke ready before any of its events is
  // sent: `code` as it goes out with or without Shift, and the modifier
  // keys of `modifiers` (bit 0 Shift, bit 1 Alt, bit 2 Ctrl). A platform
  // may have to borrow a keycode for the key, or wait for one. False when
  // one of the keys cannot be sent; then no event of the stroke may be
  // sent, not even a modifier. Windows has every key ready.
  virtual bool PrepareKeyStroke(std::uint16_t /*code*/, std::uint8_t /*modifiers*/) { return true; }
  // Every key the window system holds down at this moment, asked anew.
  virtual std::vector<HeldKey> KeysHeldDown() = 0;
  // Sends a key-up of each of `keys` (from KeysHeldDown), and returns once
  // the system has handled them, so that KeysHeldDown then tells which
  // went up. A key that another device holds may stay down.
  virtual void ReleaseKeys(const std::vector<HeldKey>& keys) = 0;
};

// ---------------------------------------------------------------- pointer, screen

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// An error the operating system reported for a call.
struct OsError {
  std::uint32_t code = 0;
  std::string description;
};

class PointerControl {
 public:
  virtual ~PointerControl() = default;
  // Moves the mouse pointer to a point in screen coordinates (SetCursorPos).
  virtual std::optional<OsError> SetCursorPos(Point screen_point) = 0;
};

// A rectangle in screen coordinates.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

class ScreenInfo {
 public:
  virtual ~ScreenInfo() = default;
  // Width and height of the primary monitor in pixels (GetSystemMetrics).
  virtual Size PrimaryScreenSize() = 0;
  // Every monitor in screen coordinates, the primary one (where the
  // keyboard docks) first. Never empty: a display that tells of no
  // monitors is one monitor, the whole screen. Read anew each time.
  virtual std::vector<Rect> Monitors() = 0;
  // The resolution of the screen the keyboard is on, in dots per inch; 96
  // when the system does not say.
  virtual int DotsPerInch() = 0;
  // The part of the keyboard's monitor that windows may take, taskbars
  // and docks left out; the primary monitor whole where the system does
  // not say.
  virtual Rect WorkArea() { return Monitors().front(); }
};

// ---------------------------------------------------------------- files, profiles

// One profile (INI) file, read once. Values are looked up by section and key.
class Profile {
 public:
  // Longest value a lookup returns; longer values are cut to this length.
  static constexpr std::size_t kMaxValueLength = 2047;

  virtual ~Profile() = default;
  // The key's value as the file gives it, or nothing when the section or
  // the key is not in the file, so that a caller keeps what it had exactly.
  // Never longer than kMaxValueLength.
  virtual std::optional<std::string> FindValue(std::string_view section, std::string_view key) = 0;
};

// A profile file that exists but cannot be read: no permission, an I/O
// error, no regular file (a pipe or a device), or larger than any layout.
// what() says which, with the path.
class UnreadableProfile : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FileSystem {
 public:
  // Layout files are a few kilobytes, the largest tens of kilobytes; a file
  // beyond this is no layout and is not read.
  static constexpr std::uint64_t kMaxProfileFileSize = std::uint64_t{4} * 1024 * 1024;

  virtual ~FileSystem() = default;
  // The full path of the running executable, in the file system's own
  // encoding.
  virtual std::string ExecutablePath() = 0;
  // The folders in which a layout is looked up, in order, each ending in its
  // separator. Here the executable's folder alone, so that a program that
  // is unpacked anywhere keeps its layouts beside it.
  virtual std::vector<std::string> LayoutFolders() {
    const std::string path = ExecutablePath();
    const std::size_t separator = path.find_last_of("/\\");
    return {separator == std::string::npos ? std::string() : path.substr(0, separator + 1)};
  }
  // A file name written in Windows-1252 (as layout files write layout
  // names), in the file system's own encoding, so that it can be appended
  // to a path such as the executable's folder.
  virtual std::string NativeFileName(const std::string& cp1252_name) = 0;
  // True when `path` names an existing file that is not a directory.
  virtual bool FileExists(const std::string& path) = 0;
  // Reads a whole profile file. Throws UnreadableProfile when it cannot be
  // read (and says why on standard error), and std::bad_alloc when memory
  // runs out.
  virtual std::unique_ptr<Profile> OpenProfile(const std::string& path) = 0;

  // Data files: word lists, and the words one user typed.
  struct DataFileRead {
    std::optional<std::string> bytes;  // nothing when the file cannot be read
    bool missing = false;              // because there is no such file
    std::string error;                 // why it cannot be read
  };
  // Reads a whole regular file of at most `limit` bytes; a pipe, a device or
  // a larger file is refused without blocking or reading it all.
  virtual DataFileRead ReadDataFile(const std::string& /*path*/, std::uint64_t /*limit*/) {
    return {std::nullopt, false, "this system keeps no data files"};
  }
  // This user's own data folder, with its trailing separator; empty when
  // the system names none. It may not exist yet.
  virtual std::string UserDataFolder() { return {}; }
  // Replaces the file at `path` with `bytes` as one step: after a crash or
  // a full disk the old file or the new one is there whole, never a part.
  // Creates the file's folder when it is missing. Returns why it failed,
  // the old file left as it was; nothing on success.
  virtual std::optional<std::string> WriteFileAtomically(const std::string& /*path*/,
                                                         std::string_view /*bytes*/) {
    return "this system keeps no data files";
  }
};

// ---------------------------------------------------------------- text

class TextCase {
 public:
  virtual ~TextCase() = default;
  // Upper-cases 8-bit text in place by the locale's rule (CharUpperBuffA).
  virtual void CharUpperBuff(std::string& text) = 0;
};

// ---------------------------------------------------------------- application

class Application {
 public:
  virtual ~Application() = default;
  // Asks the application to end. Takes effect when the message loop next
  // runs, so the event being handled completes first.
  virtual void Terminate() = 0;
  // Runs the message loop until the window is closed or Terminate() was
  // called. Returns the process exit status.
  virtual int Run() = 0;
  // Writes a message, whole, on standard error and ends the line.
  virtual void ReportOnStandardError(const std::string& text) = 0;
};

// ---------------------------------------------------------------- time

// A monotonic clock and one repeating timer. The keyboard's timing goes
// through here, so that it is tested on a clock the test moves.
class Timer {
 public:
  virtual ~Timer() = default;
  // Time since some fixed point; never goes back.
  virtual std::chrono::milliseconds Now() = 0;
  // Calls `tick` on the user-interface thread every `interval` until Stop();
  // a new Start replaces the running timer. `tick` may call Start or Stop.
  virtual void Start(std::chrono::milliseconds interval, std::function<void()> tick) = 0;
  virtual void Stop() = 0;
};

// Every service but the widgets, handed to the keyboard as one bundle.
struct Services {
  KeyInjector& keys;
  PointerControl& pointer;
  ScreenInfo& screen;
  FileSystem& files;
  TextCase& text;
  Application& app;
  Timer& timer;       // dwell click's
  Timer& scan_timer;  // switch scanning's, on the same clock
};

}  // namespace plinth::platform
