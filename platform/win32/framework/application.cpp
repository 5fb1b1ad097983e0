#include "platform/win32/framework/application.h"

#include <algorithm>
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

}  // namespace

void AddModelessDialog(HWND dialog) {
  if (dialog != nullptr) ModelessDialogs().push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) {
  auto& dialogs = ModelessDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

int RunMessageLoop(const std::function<bool(MSG&)>& translate,
                   const std::function<void()>& idle) {
  MSG message;
  for (;;) {
    if (idle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) idle();
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (IsModelessDialogMessage(message)) continue;
    if (translate && translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunMessageLoop(TDecoratedFrame& frame) {
  return RunMessageLoop(
      [&frame](MSG& message) {
        return frame.Handle() != nullptr && frame.Accelerators() != nullptr &&
               TranslateAcceleratorW(frame.Handle(), frame.Accelerators(), &message) != 0;
      },
      // Idle: the tool bar catches up with what the commands can do now.
      [&frame] { frame.UpdateCommandStates(); });
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
      idle);
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
