// The File menu's recent files: the last eight files opened or saved, put
// into whichever File menu is opening (the frame's, or the active editor
// window's, which replaces it) above its last item, chosen to open the
// file again, and kept in the settings file with the frame's other lines.
#include <windows.h>

#include <algorithm>

#include "frontend/core/commands.h"
#include "frontend/core/recent_files.h"
#include "frontend/win32/mdi_edit.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/source_position.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {

void TFrameForm::FileUsed(const std::string& path) { recent_.Add(path); }

void TFrameForm::FillRecentFiles(HMENU popup) {
  // What an earlier opening put in goes first: the items and the separator
  // after them.
  for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i) {
    const int id = static_cast<int>(GetMenuItemID(popup, i));
    if (id >= CM_RECENT_FIRST && id <= CM_RECENT_LAST) {
      DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
      // The separator that followed the items.
      if (GetMenuItemID(popup, i) == 0) DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
    }
  }
  const std::vector<std::string> captions = recent_.MenuCaptions();
  if (captions.empty()) return;
  // Above the last item (退出) and the separator before it.
  const int count = GetMenuItemCount(popup);
  UINT at = static_cast<UINT>(std::max(0, count - 1));
  for (std::size_t i = 0; i < captions.size(); ++i, ++at) {
    InsertMenuW(popup, at, MF_BYPOSITION | MF_STRING, CM_RECENT_FIRST + i,
                platform::Widen(captions[i]).c_str());
  }
  InsertMenuW(popup, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void TFrameForm::OpenRecentFile(std::size_t index) {
  const RecentChoice choice = recent_.Choose(index);
  if (!choice.Path) {
    if (!choice.Message.empty()) {
      platform::Ui().ShowBox(choice.Message, "打开",
                             platform::kBoxOk | platform::kBoxIconInformation);
    }
    return;
  }
  // A file already in a window: that window comes to the front.
  for (const std::unique_ptr<win::TMdiChild>& child : Children()) {
    auto* open = dynamic_cast<TEditForm*>(child.get());
    if (open != nullptr &&
        platform::ComparablePath(open->FileName()) == platform::ComparablePath(*choice.Path)) {
      Activate(*open);
      return;
    }
  }
  OpenInNewEditor(*choice.Path);
}

}  // namespace mox::varelo
