// Source positions between the editor and the previewer on Windows: sent in
// a WM_COPYDATA message to the main frame of the other program, found by
// its window class (see platform/source_position.h for the text).
#pragma once

#include <windows.h>

#include <optional>

#include "platform/source_position.h"

namespace mox::win {

// The main frames' window classes.
inline constexpr wchar_t kPreviewerFrameClass[] = L"MoxwinFrame";
inline constexpr wchar_t kEditorFrameClass[] = L"VareloFrame";

// Sends the position to the running program whose frame has the class,
// letting it come to the front; false when none runs or it refused.
bool SendSourcePosition(const wchar_t* frame_class, const platform::SourcePosition& position);

// The position a WM_COPYDATA message's lparam carries, if it is one.
std::optional<platform::SourcePosition> ReceivedSourcePosition(LPARAM lparam);

// A frame asked to show something: restored when minimized, then in front.
void BringToFront(HWND frame);

}  // namespace mox::win
