#include "platform/win32/framework/source_link.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace mox::win {

namespace {

// Sends data to a frame, letting its program come to the front (only the
// program in front may bring another there); the frame's answer, false
// when it did not give one within ten seconds.
bool SendData(HWND frame, unsigned long kind, const void* bytes, std::size_t size) {
  DWORD process = 0;
  GetWindowThreadProcessId(frame, &process);
  AllowSetForegroundWindow(process);
  COPYDATASTRUCT data{};
  data.dwData = kind;
  data.cbData = static_cast<DWORD>(size);
  data.lpData = const_cast<void*>(bytes);
  DWORD_PTR answer = 0;
  const LRESULT sent = SendMessageTimeoutW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                           SMTO_ABORTIFHUNG, 10000, &answer);
  return sent != 0 && answer != 0;
}

}  // namespace

std::vector<HWND> FramesOfClass(const wchar_t* frame_class) {
  std::vector<HWND> frames;
  for (HWND frame = FindWindowExW(nullptr, nullptr, frame_class, nullptr); frame != nullptr;
       frame = FindWindowExW(nullptr, frame, frame_class, nullptr)) {
    frames.push_back(frame);
  }
  return frames;
}

bool SendSourcePositionTo(HWND frame, const platform::SourcePosition& position) {
  const std::optional<std::string> text = platform::EncodeSourcePosition(position);
  if (!text) return false;
  return SendData(frame, platform::kSourcePositionData, text->data(), text->size());
}

bool SendSourcePosition(const wchar_t* frame_class, const platform::SourcePosition& position) {
  const HWND frame = FindWindowW(frame_class, nullptr);
  return frame != nullptr && SendSourcePositionTo(frame, position);
}

bool AskToShowDocument(HWND frame, const std::wstring& full_path) {
  return !full_path.empty() &&
         SendData(frame, kShowDocumentData, full_path.data(), full_path.size() * sizeof(wchar_t));
}

std::optional<std::string> ReceivedShowRequest(LPARAM lparam) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
  if (data == nullptr || data->dwData != kShowDocumentData || data->lpData == nullptr ||
      data->cbData == 0 || data->cbData % sizeof(wchar_t) != 0 || data->cbData > 65536) {
    return std::nullopt;
  }
  return platform::Narrow(std::wstring_view(static_cast<const wchar_t*>(data->lpData),
                                            data->cbData / sizeof(wchar_t)));
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
