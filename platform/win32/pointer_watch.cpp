#include "platform/win32/pointer_watch.h"

#include <utility>

namespace plinth::platform::win32 {
namespace {

// A hook procedure gets no pointer of ours: the watch of the thread is found
// here.
thread_local PointerWatch* watch_of_thread = nullptr;

constexpr UINT kLookEvery = 100;  // milliseconds

bool IsOfThisThread(HWND window) {
  return window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

bool IsPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsRelease(UINT message) {
  switch (message) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP:
      return true;
    default:
      return false;
  }
}

}  // namespace

PointerWatch::PointerWatch(Handlers handlers)
    : handlers_(std::move(handlers)), previous_(watch_of_thread) {
  watch_of_thread = this;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, SawMessage, nullptr, GetCurrentThreadId());
}

PointerWatch::~PointerWatch() {
  StopLooking();
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (watch_of_thread == this) watch_of_thread = previous_;
}

LRESULT CALLBACK PointerWatch::SawMessage(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE && watch_of_thread != nullptr) {
    watch_of_thread->Saw(*reinterpret_cast<const MSG*>(lparam));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void PointerWatch::Saw(const MSG& message) {
  const UINT kind = message.message;
  if (IsPress(kind)) {
    if (handlers_.pressed) handlers_.pressed();
    return;
  }
  if (IsRelease(kind)) {
    POINT screen{};
    GetCursorPos(&screen);
    if (handlers_.released) handlers_.released(screen);
    return;
  }
  const bool moved = kind == WM_MOUSEMOVE || kind == WM_NCMOUSEMOVE;
  if (!moved && kind != WM_MOUSELEAVE && kind != WM_NCMOUSELEAVE) return;
  if (moved) {
    // Told when the pointer leaves this window, for wherever it goes: a
    // pointer that left must not go on resting on a button.
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT),
                          TME_LEAVE | (kind == WM_NCMOUSEMOVE ? TME_NONCLIENT : 0u), message.hwnd,
                          HOVER_DEFAULT};
    TrackMouseEvent(&track);
  }
  if (!Report() && watch_returns_ && looking_ == 0) {
    looking_ = SetTimer(nullptr, 0, kLookEvery, LookForReturn);
  }
}

bool PointerWatch::Report() {
  POINT screen{};
  if (!GetCursorPos(&screen)) return false;
  const HWND under = WindowFromPoint(screen);
  if (handlers_.moved) handlers_.moved(under, screen);
  return IsOfThisThread(under);
}

void PointerWatch::WatchReturns(bool on) {
  watch_returns_ = on;
  if (!on) {
    StopLooking();
  } else if (looking_ == 0) {
    looking_ = SetTimer(nullptr, 0, kLookEvery, LookForReturn);
  }
}

void CALLBACK PointerWatch::LookForReturn(HWND /*window*/, UINT /*message*/, UINT_PTR id,
                                          DWORD /*time*/) {
  PointerWatch* watch = watch_of_thread;
  if (watch == nullptr || id != watch->looking_) return;
  POINT screen{};
  if (!GetCursorPos(&screen)) return;
  const HWND under = WindowFromPoint(screen);
  if (!IsOfThisThread(under)) return;
  watch->StopLooking();
  // Movements and leaving are told by the window's messages again.
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, under, HOVER_DEFAULT};
  TrackMouseEvent(&track);
  watch->Report();
}

void PointerWatch::StopLooking() {
  if (looking_ == 0) return;
  KillTimer(nullptr, looking_);
  looking_ = 0;
}

}  // namespace plinth::platform::win32
