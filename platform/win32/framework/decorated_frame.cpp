#include "platform/win32/framework/decorated_frame.h"

#include <commctrl.h>

#include "platform/win32/framework/menu_set.h"
#include "platform/win32/wide_text.h"

namespace mox::win {

using platform::Widen;

namespace {

constexpr int kToolBarId = 0x7F01;
constexpr int kStatusBarId = 0x7F02;
constexpr int kClientId = 0x7F03;

// The system's status font at the given point size and DPI.
HFONT CreateGadgetFont(int points, int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfStatusFont;
  font.lfHeight = -MulDiv(points, dpi, 72);
  font.lfWidth = 0;
  return CreateFontIndirectW(&font);
}

}  // namespace

TDecoratedFrame::TDecoratedFrame(TWindow& client, FrameDecoration decoration)
    : client_(client), decoration_(std::move(decoration)) {
  // Flat tool bars are transparent: the frame's own background shows
  // between and behind their buttons.
  SetBackgroundColor(GetSysColor(COLOR_BTNFACE));
}

TDecoratedFrame::~TDecoratedFrame() {
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

bool TDecoratedFrame::Create() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  HMENU menu = decoration_.MenuName != nullptr
                   ? LoadMenuW(Instance(), decoration_.MenuName)
                   : nullptr;
  if (!CreateTopLevel(decoration_.Title, menu, decoration_.IconId)) {
    if (menu != nullptr) DestroyMenu(menu);
    return false;
  }
  if (!decoration_.Accelerators.empty()) {
    accelerators_ = CreateAcceleratorTableW(decoration_.Accelerators.data(),
                                            static_cast<int>(decoration_.Accelerators.size()));
  }
  gadget_font_.Reset(CreateGadgetFont(decoration_.GadgetFontPoints, Dpi()));
  tool_bar_.Create(Handle(), kToolBarId, decoration_.Buttons, {decoration_.ButtonSize, 0}, Dpi(),
                   gadget_font_.Get());
  CreateStatusBar();
  const RECT none{0, 0, 0, 0};
  if (!client_.Create(Handle(), WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL |
                                    WS_CLIPSIBLINGS,
                      0, L"", none,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kClientId)))) {
    return false;
  }
  Layout();
  UpdateCommandStates();
  return true;
}

void TDecoratedFrame::DpiChanged() {
  gadget_font_.Reset(CreateGadgetFont(decoration_.GadgetFontPoints, Dpi()));
  tool_bar_.SetDpi(Dpi(), gadget_font_.Get());
  UpdateCommandStates();
  if (status_bar_ != nullptr) {
    SendMessageW(status_bar_, WM_SETFONT, reinterpret_cast<WPARAM>(gadget_font_.Get()), TRUE);
  }
  Layout();
}

void TDecoratedFrame::CreateStatusBar() {
  status_bar_ = CreateWindowExW(
      0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
      Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), Instance(),
      nullptr);
  if (status_bar_ == nullptr) return;
  SendMessageW(status_bar_, WM_SETFONT, reinterpret_cast<WPARAM>(gadget_font_.Get()), FALSE);
}

void TDecoratedFrame::Layout() {
  if (Handle() == nullptr) return;
  RECT client;
  GetClientRect(Handle(), &client);
  int top = 0;
  int bottom = client.bottom;
  if (tool_bar_.Handle() != nullptr) {
    SendMessageW(tool_bar_.Handle(), TB_AUTOSIZE, 0, 0);
    top = tool_bar_.Height();
  }
  if (status_bar_ != nullptr) {
    SendMessageW(status_bar_, WM_SIZE, 0, 0);
    RECT bar;
    GetWindowRect(status_bar_, &bar);
    bottom -= bar.bottom - bar.top;
    if (!decoration_.StatusField.empty()) {
      // The field is as wide as the given number of average characters, or
      // as its text when that is wider, so that the text is never cut.
      const std::wstring field_text = Widen(decoration_.StatusField);
      int field = 0;
      {
        const WindowDc dc(status_bar_);
        Selection font(dc.Get(), gadget_font_.Get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        SIZE extent{};
        GetTextExtentPoint32W(dc.Get(), field_text.c_str(), static_cast<int>(field_text.size()),
                              &extent);
        field = decoration_.StatusFieldCharacters * metrics.tmAveCharWidth;
        if (extent.cx + 2 * metrics.tmAveCharWidth > field) {
          field = extent.cx + 2 * metrics.tmAveCharWidth;
        }
      }
      int parts[2] = {client.right - field, -1};
      if (parts[0] < 0) parts[0] = 0;
      SendMessageW(status_bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
      // A leading tab centres the text of a status bar part.
      const std::wstring text = L"\t" + field_text;
      SendMessageW(status_bar_, SB_SETTEXTW, 1 | SBT_NOBORDERS,
                   reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  const int height = bottom - top;
  MoveWindow(client_.Handle(), 0, top, client.right, height > 0 ? height : 0, TRUE);
}

void TDecoratedFrame::SetCaption(const std::string& text) {
  if (Handle() != nullptr) SetWindowTextW(Handle(), Widen(text).c_str());
}

void TDecoratedFrame::ShowHint(int id) {
  if (status_bar_ == nullptr) return;
  const std::wstring hint = Widen(states_ != nullptr && id != 0 ? states_->HintOf(id) : "");
  SendMessageW(status_bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(hint.c_str()));
}

void TDecoratedFrame::MenuSelected(UINT flags, UINT item, HMENU menu) {
  if ((flags == 0xFFFF && menu == nullptr) || (flags & MF_SEPARATOR)) {
    ShowHint(0);
  } else if (flags & MF_POPUP) {
    // A popup shows the hint numbered one below its first item.
    const HMENU popup = GetSubMenu(menu, static_cast<int>(item));
    const UINT first = popup != nullptr ? GetMenuItemID(popup, 0) : 0;
    if (first != 0 && first != static_cast<UINT>(-1)) ShowHint(static_cast<int>(first) - 1);
  } else {
    ShowHint(static_cast<int>(item));
  }
}

void TDecoratedFrame::UpdateCommandStates() {
  if (tool_bar_.Handle() == nullptr || states_ == nullptr) return;
  for (const ToolBarButton& button : decoration_.Buttons) {
    // Only changes are sent: this runs whenever the program goes idle.
    const bool enabled = states_->IsEnabled(button.CommandId);
    if (enabled != tool_bar_.IsEnabled(button.CommandId)) {
      tool_bar_.SetEnabled(button.CommandId, enabled);
    }
  }
}

LRESULT TDecoratedFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      // A minimized frame leaves its children as they are: laying them out
      // would size the client to nothing and make it measure again twice.
      if (wparam != SIZE_MINIMIZED) Layout();
      return 0;
    case WM_PALETTECHANGED:
    case WM_QUERYNEWPALETTE:
      // Windows sends these to top-level windows only; the client owns the
      // palette the page is drawn with.
      if (client_.Handle() != nullptr) {
        return SendMessageW(client_.Handle(), message, wparam, lparam);
      }
      break;
    case WM_SETFOCUS:
      if (client_.Handle() != nullptr) SetFocus(client_.Handle());
      return 0;
    case WM_COPYDATA:
      // Data another program sends the frame is the client's business.
      return client_.Handle() != nullptr
                 ? SendMessageW(client_.Handle(), message, wparam, lparam)
                 : FALSE;
    case WM_INITMENUPOPUP:
      if (states_ != nullptr) ApplyCommandStates(reinterpret_cast<HMENU>(wparam), *states_, false);
      return 0;
    case WM_MENUSELECT:
      MenuSelected(HIWORD(wparam), LOWORD(wparam), reinterpret_cast<HMENU>(lparam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->hwndFrom == tool_bar_.Handle() && header->code == TBN_HOTITEMCHANGE) {
        const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(lparam);
        ShowHint((hot->dwFlags & HICF_LEAVING) != 0 ? 0 : hot->idNew);
        return 0;
      }
      break;
    }
    case WM_COMMAND:
      if (lparam == 0 || reinterpret_cast<HWND>(lparam) == tool_bar_.Handle()) {
        const int id = LOWORD(wparam);
        if (states_ == nullptr || states_->IsEnabled(id)) client_.Command(id);
        return 0;
      }
      break;
    case WM_CLOSE:
      // A close that arrives while one is being handled is ignored.
      if (closing_) return 0;
      closing_ = true;
      if (client_.CanClose()) DestroyWindow(Handle());
      closing_ = false;
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
      if (decoration_.MinTrackWidth > 0) {
        limits->ptMinTrackSize.x = Scaled(decoration_.MinTrackWidth);
      }
      if (decoration_.MinTrackHeight > 0) {
        limits->ptMinTrackSize.y = Scaled(decoration_.MinTrackHeight);
      }
      return 0;
    }
    default:
      break;
  }
  return TWindow::HandleMessage(message, wparam, lparam);
}

}  // namespace mox::win
