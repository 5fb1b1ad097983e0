#include "previewer/shell/running_previewer.h"

#include <vector>

#include "platform/source_position.h"
#include "platform/win32/framework/source_link.h"
#include "platform/win32/system_string.h"
#include "platform/win32/wide_text.h"

namespace mox {
namespace {

// The full path of a file name as the process that was given it reads it.
std::wstring FullPathOf(const std::string& name) {
  return name.empty() ? std::wstring() : platform::FullPathName(platform::Widen(name));
}

}  // namespace

bool HandToRunningPreviewer(const std::string& document, std::int32_t source_line,
                            const std::string& source_file) {
  const std::wstring full = FullPathOf(document);
  if (full.empty()) return false;
  const std::vector<HWND> frames = win::FramesOfClass(win::kPreviewerFrameClass);
  // The running previewer has another folder: both names travel in full.
  const platform::SourcePosition position{source_line, platform::Narrow(FullPathOf(source_file)),
                                          platform::Narrow(full)};
  for (const HWND frame : frames) {
    if (!win::AskToShowDocument(frame, full)) continue;
    if (source_line > 0) win::SendSourcePositionTo(frame, position);
    return true;
  }
  return source_line > 0 && !frames.empty() && win::SendSourcePositionTo(frames.front(), position);
}

bool AnswerShowRequest(LPARAM lparam, const std::string& shown_document, HWND frame) {
  const std::optional<std::string> requested = win::ReceivedShowRequest(lparam);
  if (!requested || shown_document.empty()) return false;
  if (platform::ComparablePath(platform::Narrow(FullPathOf(shown_document))) !=
      platform::ComparablePath(*requested)) {
    return false;
  }
  win::BringToFront(frame);
  return true;
}

}  // namespace mox
