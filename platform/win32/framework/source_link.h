// Source positions between the editor and the previewer on Windows: sent in
// a WM_COPYDATA message to the main frame of the other program, found by
// its window class (see platform/source_position.h for the text).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/source_position.h"

namespace mox::win {

// The main frames' window classes.
inline constexpr wchar_t kPreviewerFrameClass[] = L"MoxwinFrame";
inline constexpr wchar_t kEditorFrameClass[] = L"VareloFrame";

// Sends the position to the running program whose frame has the class,
// letting it come to the front; false when none runs or it refused.
bool SendSourcePosition(const wchar_t* frame_class, const platform::SourcePosition& position);

// The frames of the running programs of a class, the one in front first.
std::vector<HWND> FramesOfClass(const wchar_t* frame_class);

// Sends the position to one frame, letting its program come to the front;
// false when it refused or did not answer.
bool SendSourcePositionTo(HWND frame, const platform::SourcePosition& position);

// A program started on a document another one already shows hands it over:
// it asks a frame, in a WM_COPYDATA message whose dwData is
// kShowDocumentData and whose data is the document's full path in UTF-16,
// to come to the front if it shows that file. True when the frame does.
inline constexpr unsigned long kShowDocumentData = 0x53484F57;  // "SHOW"
bool AskToShowDocument(HWND frame, const std::wstring& full_path);
// The full path a show request carries (GBK), if the message is one.
std::optional<std::string> ReceivedShowRequest(LPARAM lparam);

// The position a WM_COPYDATA message's lparam carries, if it is one.
std::optional<platform::SourcePosition> ReceivedSourcePosition(LPARAM lparam);

// A frame asked to show something: restored when minimized, then in front.
void BringToFront(HWND frame);

}  // namespace mox::win
