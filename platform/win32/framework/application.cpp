#include "platform/win32/framework/application.h"

#include "platform/win32/framework/decorated_frame.h"

namespace mox::win {

int RunMessageLoop(TDecoratedFrame& frame) {
  MSG message;
  for (;;) {
    // Idle: the tool bar catches up with what the commands can do now.
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) frame.UpdateCommandStates();
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (frame.Handle() != nullptr && frame.Accelerators() != nullptr &&
        TranslateAcceleratorW(frame.Handle(), frame.Accelerators(), &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
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
