// plinth-typepad: a small text window that an on-screen keyboard types
// into. It shows what arrives and also writes each key press to standard
// output, one line each ("key <keysym in hex> <text>"), for scripts and
// tests that check what was typed.
//
// Usage: plinth-typepad [x y] [title]

#include <FL/Fl.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_Window.H>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class LoggingInput final : public Fl_Multiline_Input {
 public:
  using Fl_Multiline_Input::Fl_Multiline_Input;

  int handle(int event) override {
    if (event == FL_KEYBOARD) {
      std::printf("key %x %s\n", static_cast<unsigned>(Fl::event_key()), Fl::event_text());
      std::fflush(stdout);
    }
    return Fl_Multiline_Input::handle(event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int x = argc >= 3 ? std::atoi(argv[1]) : 460;
  const int y = argc >= 3 ? std::atoi(argv[2]) : 250;
  const std::string title = argc >= 4 ? argv[3] : "Typepad";

  Fl_Window window(x, y, 320, 160);
  window.copy_label(title.c_str());
  LoggingInput input(5, 5, 310, 150);
  input.textsize(16);
  window.end();
  window.resizable(input);
  window.show();
  input.take_focus();
  return Fl::run();
}
