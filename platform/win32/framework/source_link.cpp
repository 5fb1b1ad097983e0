#include "platform/win32/framework/source_link.h"

#include <string>

namespace mox::win {

bool SendSourcePosition(const wchar_t* frame_class, const platform::SourcePosition& position) {
  const HWND frame = FindWindowW(frame_class, nullptr);
  if (frame == nullptr) return false;
  const std::optional<std::string> text = platform::EncodeSourcePosition(position);
  if (!text) return false;
  // Only the program in front may bring another to the front: allow it.
  DWORD process = 0;
  GetWindowThreadProcessId(frame, &process);
  AllowSetForegroundWindow(process);
  COPYDATASTRUCT data{};
  data.dwData = platform::kSourcePositionData;
  data.cbData = static_cast<DWORD>(text->size());
  data.lpData = const_cast<char*>(text->data());
  DWORD_PTR answer = 0;
  const LRESULT sent = SendMessageTimeoutW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                           SMTO_ABORTIFHUNG, 10000, &answer);
  return sent != 0 && answer != 0;
}

std::optional<platform::SourcePosition> ReceivedSourcePosition(LPARAM lparam) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
  if (data == nullptr || data->dwData != platform::kSourcePositionData ||
      data->lpData == nullptr || data->cbData > 65536) {
    return std::nullopt;
  }
  return platform::DecodeSourcePosition(
      std::string_view(static_cast<const char*>(data->lpData), data->cbData));
}

void BringToFront(HWND frame) {
  if (IsIconic(frame)) ShowWindow(frame, SW_RESTORE);
  SetForegroundWindow(frame);
}

}  // namespace mox::win
