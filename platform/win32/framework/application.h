// The message loop of a program: modeless dialogs get their keys first,
// then the MDI system keys and the accelerators of the active window.
#pragma once

#include <windows.h>

#include <functional>

namespace mox::win {

class TDecoratedFrame;
class TMdiFrame;

// Modeless dialogs whose keyboard messages the loop hands to
// IsDialogMessage while they exist.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// Handles the loop waits on besides messages (processes the program
// watches), at most 32: when one is signalled its action runs once, from
// the loop, and the handle is forgotten. False when the loop watches as
// many as it can.
bool WatchHandle(HANDLE handle, std::function<void()> signalled);
void ForgetHandle(HANDLE handle);

// Runs until WM_QUIT and returns its exit code. `translate` may take a
// message (accelerators), answering true; `idle` runs whenever the queue is
// empty, and runs again at once while it answers true (more work left, in
// short steps) and no message has come.
int RunMessageLoop(const std::function<bool(MSG&)>& translate,
                   const std::function<bool()>& idle);

// A program with one main frame: keys are first offered to the frame's
// accelerator table; the tool bar follows the commands when idle, and then
// `background` does its steps (true while it has more).
int RunMessageLoop(TDecoratedFrame& frame, const std::function<bool()>& background = {});

// An MDI program: TranslateMDISysAccel, then the accelerators of the
// active child (or the frame's).
int RunMessageLoop(TMdiFrame& frame, const std::function<void()>& idle);

// Three-dimensional dialog controls through CTL3D32.DLL, wanted only on
// systems of major version 3 or less; later systems draw them themselves.
void EnableThreeDimensionalControls();

}  // namespace mox::win
