#include "platform/win32/framework/search_dialog.h"

namespace mox::win {
namespace {

constexpr int kClientWidth = 424;
constexpr int kFindHeight = 104;
constexpr int kReplaceHeight = 132;
constexpr int kButtonLeft = 318;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 25;
constexpr int kLabelWidth = 84;
constexpr int kBoxLeft = 96;
constexpr int kBoxWidth = 210;
constexpr int kBoxHeight = 22;
constexpr int kRowHeight = 28;

std::u16string ItemUnits(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, u'\0');
  const int copied = GetWindowTextW(item, reinterpret_cast<wchar_t*>(text.data()),
                                    static_cast<int>(text.size()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace

TSearchDialog::TSearchDialog(HWND owner, bool replace)
    : TCodedDialog(owner, replace ? "替换" : "查找",
                   SIZE{kClientWidth, replace ? kReplaceHeight : kFindHeight},
                   TypeFace{L"宋体", 9, GB2312_CHARSET}),
      replace_(replace) {}

void TSearchDialog::CreateControls() {
  const DWORD shown = WS_VISIBLE;
  const DWORD box = shown | WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD check = shown | WS_TABSTOP | BS_AUTOCHECKBOX;
  int top = 10;
  AddControl(L"STATIC", "查找内容(&N):", shown, RECT{8, top + 3, kLabelWidth, 18}, 0);
  AddControl(L"EDIT", "", box | WS_GROUP, RECT{kBoxLeft, top, kBoxWidth, kBoxHeight}, kFindId,
             WS_EX_CLIENTEDGE);
  if (replace_) {
    top += kRowHeight;
    AddControl(L"STATIC", "替换为(&P):", shown, RECT{8, top + 3, kLabelWidth, 18}, 0);
    AddControl(L"EDIT", "", box, RECT{kBoxLeft, top, kBoxWidth, kBoxHeight}, kReplaceWithId,
               WS_EX_CLIENTEDGE);
  }
  top += kRowHeight + 6;
  AddControl(L"BUTTON", "全字匹配(&W)", check, RECT{8, top, 150, 20}, kWholeWordId);
  AddControl(L"BUTTON", "区分大小写(&C)", check, RECT{8, top + 22, 150, 20}, kMatchCaseId);
  if (replace_) {
    AddControl(L"BUTTON", "全部替换从文首开始(&T)", check, RECT{8, top + 44, 220, 20},
               kWholeTextId);
  } else {
    AddControl(L"BUTTON", "方向", shown | BS_GROUPBOX, RECT{166, top - 6, 140, 48}, 0);
    AddControl(L"BUTTON", "向上(&U)", shown | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
               RECT{176, top + 14, 60, 20}, kUpId);
    AddControl(L"BUTTON", "向下(&D)", shown | BS_AUTORADIOBUTTON, RECT{240, top + 14, 60, 20},
               kDownId);
    CheckRadioButton(Handle(), kUpId, kDownId, kDownId);
  }
  int button_top = 10;
  const auto button = [&](const char* caption, int id, DWORD style) {
    AddControl(L"BUTTON", caption, shown | WS_TABSTOP | style,
               RECT{kButtonLeft, button_top, kButtonWidth, kButtonHeight}, id);
    button_top += kButtonHeight + 6;
  };
  button("查找下一个(&F)", IDOK, BS_DEFPUSHBUTTON | WS_GROUP);
  if (replace_) {
    button("替换(&R)", kReplaceId, BS_PUSHBUTTON);
    button("全部替换(&A)", kReplaceAllId, BS_PUSHBUTTON);
  }
  button("取消", IDCANCEL, BS_PUSHBUTTON);
  EnableButtons();
}

std::u16string TSearchDialog::FindWhat() const { return ItemUnits(Handle(), kFindId); }

std::u16string TSearchDialog::ReplaceWith() const {
  return replace_ ? ItemUnits(Handle(), kReplaceWithId) : std::u16string();
}

bool TSearchDialog::IsChecked(int id) const {
  return Handle() != nullptr && IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
}

void TSearchDialog::EnableButtons() {
  // As in the system's dialogs: nothing to search for, nothing to press.
  const BOOL enable = GetWindowTextLengthW(GetDlgItem(Handle(), kFindId)) > 0 ? TRUE : FALSE;
  for (int id : {IDOK, kReplaceId, kReplaceAllId}) {
    if (const HWND item = GetDlgItem(Handle(), id)) EnableWindow(item, enable);
  }
}

bool TSearchDialog::Command(int id, int notification) {
  if (id == kFindId && notification == EN_CHANGE) {
    EnableButtons();
    return true;
  }
  const auto act = [this](Action action) {
    if (OnAction && !FindWhat().empty()) OnAction(action);
    return true;
  };
  switch (id) {
    case IDOK: return act(Action::FindNext);
    case kReplaceId: return act(Action::Replace);
    case kReplaceAllId: return act(Action::ReplaceAll);
    default: return TCodedDialog::Command(id, notification);
  }
}

}  // namespace mox::win
