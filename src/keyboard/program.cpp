#include "src/keyboard/program.h"

#include "src/keyboard/form.h"
#include "src/keyboard/held_keys.h"

namespace plinth {

int RunKeyboard(platform::Services& services, platform::KeyboardWindow& window) {
  ReleaseKeysLeftHeld(services.keys, services.app);
  TForm1 Form1(services, window);
  window.SetEventSink(&Form1);
  Form1.FormCreate();
  window.Show();
  const int status = services.app.Run();
  Form1.FormClose();
  window.SetEventSink(nullptr);
  return status;
}

}  // namespace plinth
