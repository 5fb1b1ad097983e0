// The message loop of a program with one main frame.
#pragma once

#include <windows.h>

namespace mox::win {

class TDecoratedFrame;

// Runs until WM_QUIT and returns its exit code. Keys are first offered to the
// frame's accelerator table.
int RunMessageLoop(TDecoratedFrame& frame);

// Three-dimensional dialog controls through CTL3D32.DLL, wanted only on
// systems of major version 3 or less; later systems draw them themselves.
void EnableThreeDimensionalControls();

}  // namespace mox::win
