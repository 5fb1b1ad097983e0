#include "platform/win32/framework/application.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/win32/framework/decorated_frame.h"
#include "platform/win32/framework/mdi_frame.h"

namespace mox::win {
namespace {

std::vector<HWND>& ModelessDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

bool IsModelessDialogMessage(MSG& message) {
  for (HWND dialog : ModelessDialogs()) {
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return true;
  }
  return false;
}

struct Watched {
  HANDLE Handle;
  std::function<void()> Signalled;
};

std::vector<Watched>& WatchedHandles() {
  static std::vector<Watched> watched;
  return watched;
}

constexpr std::size_t kMaxWatchedHandles = 32;

// Waits for a message or a watched handle; runs the action of a handle
// that was signalled.
void WaitForMessageOrHandle() {
  std::vector<Watched>& watched = WatchedHandles();
  std::vector<HANDLE> handles;
  for (const Watched& entry : watched) handles.push_back(entry.Handle);
  const DWORD count = static_cast<DWORD>(handles.size());
  const DWORD result = MsgWaitForMultipleObjectsEx(count, handles.empty() ? nullptr : handles.data(),
                                                   INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result >= WAIT_OBJECT_0 + count) return;  // a message, or a failed wait
  // The action may watch or forget handles: it runs after its entry went.
  const HANDLE handle = handles[result - WAIT_OBJECT_0];
  const auto found = std::find_if(watched.begin(), watched.end(),
                                  [handle](const Watched& entry) { return entry.Handle == handle; });
  if (found == watched.end()) return;
  std::function<void()> signalled = std::move(found->Signalled);
  watched.erase(found);
  if (signalled) signalled();
}

}  // namespace

bool WatchHandle(HANDLE handle, std::function<void()> signalled) {
  std::vector<Watched>& watched = WatchedHandles();
  if (handle == nullptr || watched.size() >= kMaxWatchedHandles) return false;
  watched.push_back({handle, std::move(signalled)});
  return true;
}

void ForgetHandle(HANDLE handle) {
  std::vector<Watched>& watched = WatchedHandles();
  watched.erase(std::remove_if(watched.begin(), watched.end(),
                               [handle](const Watched& entry) { return entry.Handle == handle; }),
                watched.end());
}

void AddModelessDialog(HWND dialog) {
  if (dialog != nullptr) ModelessDialogs().push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) {
  auto& dialogs = ModelessDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

int RunMessageLoop(const std::function<bool(MSG&)>& translate,
                   const std::function<bool()>& idle) {
  // With processes watched the loop sleeps until a message comes or one of
  // them ends (one thread, nothing polled); without, it waits in
  // GetMessage as it always did.
  MSG message;
  for (;;) {
    if (idle) {
      while (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && idle()) {
      }
    }
    if (!WatchedHandles().empty() && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      WaitForMessageOrHandle();
      continue;
    }
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (IsModelessDialogMessage(message)) continue;
    if (translate && translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunMessageLoop(TDecoratedFrame& frame, const std::function<bool()>& background) {
  return RunMessageLoop(
      [&frame](MSG& message) {
        return frame.Handle() != nullptr && frame.Accelerators() != nullptr &&
               TranslateAcceleratorW(frame.Handle(), frame.Accelerators(), &message) != 0;
      },
      // Idle: the tool bar catches up with what the commands can do now,
      // then the program's background steps run.
      [&frame, &background, updated = false]() mutable {
        if (!updated) {
          frame.UpdateCommandStates();
          updated = true;
        }
        const bool more = background && background();
        if (!more) updated = false;
        return more;
      });
}

int RunMessageLoop(TMdiFrame& frame, const std::function<void()>& idle) {
  return RunMessageLoop(
      [&frame](MSG& message) {
        if (frame.Client() != nullptr && TranslateMDISysAccel(frame.Client(), &message)) {
          return true;
        }
        const HACCEL accelerators = frame.ActiveAccelerators();
        return frame.Handle() != nullptr && accelerators != nullptr &&
               TranslateAcceleratorW(frame.Handle(), accelerators, &message) != 0;
      },
      [&idle] {
        if (idle) idle();
        return false;
      });
}

void EnableThreeDimensionalControls() {
  const DWORD version = GetVersion();
  if (LOBYTE(LOWORD(version)) > 3) return;
  HMODULE ctl3d = LoadLibraryW(L"CTL3D32.DLL");
  if (ctl3d == nullptr) return;
  using Ctl3dCall = BOOL(WINAPI*)(HINSTANCE);
  auto registrar = reinterpret_cast<Ctl3dCall>(
      reinterpret_cast<void*>(GetProcAddress(ctl3d, "Ctl3dRegister")));
  auto subclasser = reinterpret_cast<Ctl3dCall>(
      reinterpret_cast<void*>(GetProcAddress(ctl3d, "Ctl3dAutoSubclass")));
  if (registrar != nullptr && subclasser != nullptr) {
    registrar(GetModuleHandleW(nullptr));
    subclasser(GetModuleHandleW(nullptr));
  }
}

}  // namespace mox::win
