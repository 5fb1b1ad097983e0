#include "frontend/win32/edit_tex_aids.h"

#include <algorithm>

#include "frontend/core/command_assistant.h"
#include "frontend/core/frame_files.h"
#include "frontend/core/tex_colouring.h"
#include "platform/command_line.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr UINT kCatchUpMilliseconds = 30;
constexpr std::size_t kCatchUpBytes = 256u << 10;
// At most this many lines' states are remembered as painted.
constexpr std::size_t kPaintedLines = 1000;
constexpr int kListRows = 8;

// Calm colours that keep the text readable: commands dark blue, comments
// green, math dark red with its delimiters purple, braces brown,
// environment names teal, verbatim grey.
COLORREF ColourOf(TexSpanKind kind) {
  switch (kind) {
    case TexSpanKind::ControlSequence:
      return RGB(0, 0, 160);
    case TexSpanKind::Comment:
      return RGB(0, 128, 0);
    case TexSpanKind::MathDelimiter:
      return RGB(128, 0, 128);
    case TexSpanKind::Bracket:
      return RGB(160, 80, 0);
    case TexSpanKind::EnvironmentName:
      return RGB(0, 128, 128);
    case TexSpanKind::MathText:
      return RGB(150, 0, 0);
    case TexSpanKind::Verbatim:
      return RGB(100, 100, 100);
  }
  return RGB(0, 0, 0);
}

constexpr COLORREF kPartnerBackground = RGB(200, 225, 255);
constexpr COLORREF kUnmatchedBackground = RGB(255, 170, 170);

}  // namespace

TEditTexAids::TEditTexAids(win::TTextEditor& control, HWND form) : control_(control), form_(form) {
  platform::TextDocument& document = control_.Document();
  line_text_ = [this](std::size_t line) -> std::string_view {
    const platform::TextDocument& text = control_.Document();
    line_scratch_.Assign(text.Range(text.LineStart(line), text.LineEnd(line)));
    return line_scratch_.Bytes();
  };
  states_.Reset(document.LineCount());
  document.AddListener(this);
  control_.LineColours = [this](std::size_t line, std::vector<win::TTextEditor::ColourRun>& runs) {
    ColourLine(line, runs);
  };
  control_.OnKey = [this](WPARAM key) { return Key(key); };
  control_.OnTyped = [this] { Typed(); };
  control_.OnFocusLost = [this](HWND to) { FocusLost(to); };
}

TEditTexAids::~TEditTexAids() {
  control_.Document().RemoveListener(this);
  control_.LineColours = nullptr;
  control_.OnKey = nullptr;
  control_.OnTyped = nullptr;
  control_.OnFocusLost = nullptr;
}

// ---------------------------------------------------------------------------
// Colouring

void TEditTexAids::SetColouring(bool on) {
  colouring_ = on;
  painted_.clear();
  control_.RepaintText();
}

void TEditTexAids::TextReset() {
  states_.Reset(control_.Document().LineCount());
  painted_.clear();
  HideList();
}

void TEditTexAids::TextChanged(const platform::TextChange& change) {
  states_.Changed(change);
  // The lines painted below the edit move with it; those in it are
  // painted again anyway.
  std::map<std::size_t, TexLineState> moved;
  const std::size_t old_end = change.FirstLine + change.OldLines;
  for (const auto& [line, state] : painted_) {
    if (line < change.FirstLine) {
      moved.emplace(line, state);
    } else if (line >= old_end) {
      moved.emplace(line - change.OldLines + change.NewLines, state);
    }
  }
  painted_ = std::move(moved);
  if (!colouring_) return;
  // A shown line whose state the edit changed (a "$" opening math) is
  // coloured afresh.
  const std::size_t after = change.FirstLine + change.NewLines;
  for (auto entry = painted_.lower_bound(after); entry != painted_.end(); ++entry) {
    if (states_.StartOf(entry->first, line_text_).State != entry->second) {
      painted_.clear();
      control_.RepaintText();
      break;
    }
  }
}

void TEditTexAids::ColourLine(std::size_t line, std::vector<win::TTextEditor::ColourRun>& runs) {
  if (!colouring_) return;
  const platform::TextDocument& document = control_.Document();
  const TexLineStates::Answer start = states_.StartOf(line, line_text_);
  if (!start.Exact && !catching_up_) {
    catching_up_ = true;
    SetTimer(form_, kCatchUpTimer, kCatchUpMilliseconds, nullptr);
  }
  if (painted_.size() >= kPaintedLines) painted_.clear();
  painted_[line] = start.State;
  painted_line_.Assign(document.Range(document.LineStart(line), document.LineEnd(line)));
  const TexLineColours colours = ColourTexLine(painted_line_.Bytes(), start.State);
  TexRunsInUnits(painted_line_, colours.Spans, unit_runs_);
  for (const TexUnitRun& run : unit_runs_) runs.push_back({run.Start, run.End, ColourOf(run.Kind)});
}

void TEditTexAids::Timer(UINT_PTR id) {
  if (id != kCatchUpTimer) return;
  if (states_.CatchUp(line_text_, kCatchUpBytes)) {
    KillTimer(form_, kCatchUpTimer);
    catching_up_ = false;
    // The lines coloured from guesses, now from exact states.
    painted_.clear();
    control_.RepaintText();
  }
}

// ---------------------------------------------------------------------------
// Braces

void TEditTexAids::CaretMoved() {
  UpdateBraces();
  if (list_ != nullptr && IsWindowVisible(list_)) Offer(false);
}

void TEditTexAids::UpdateBraces() {
  const platform::TextDocument& document = control_.Document();
  std::vector<win::TTextEditor::Mark> marks;
  if (!document.HasSelection()) {
    const DocumentBrace brace = MatchBraceAt(document, document.Caret());
    if (brace.Outcome == BraceOutcome::Matched) {
      marks.push_back({brace.Brace, brace.Brace + 1, kPartnerBackground});
      marks.push_back({brace.Partner, brace.Partner + 1, kPartnerBackground});
    } else if (brace.Outcome == BraceOutcome::Unmatched) {
      marks.push_back({brace.Brace, brace.Brace + 1, kUnmatchedBackground});
    }
  }
  control_.SetMarks(std::move(marks));
}

void TEditTexAids::GoToPartner() {
  platform::TextDocument& document = control_.Document();
  const DocumentBrace brace = MatchBraceAt(document, document.Caret());
  if (brace.Outcome != BraceOutcome::Matched) return;
  document.Select(brace.CaretTarget, brace.CaretTarget);
  control_.ScrollCaretIntoView();
}

// ---------------------------------------------------------------------------
// Completion

const CommandCompletion& TEditTexAids::Completion() {
  // tex.txt of the program's folder, the assistant's list, read once.
  static const CommandCompletion completion = [] {
    CommandAssistant assistant;
    assistant.Load(ProgramDirOf(platform::CommandLineArguments(0, nullptr).front()) + "\\" +
                   std::string(kAssistantFile));
    return CommandCompletion(assistant.Entries());
  }();
  return completion;
}

void TEditTexAids::Typed() { Offer(true); }

void TEditTexAids::Offer(bool open) {
  const platform::TextDocument& document = control_.Document();
  if (document.HasSelection()) {
    HideList();
    return;
  }
  const DocumentCompletion at = CompletionAt(document, document.Caret());
  const bool shown = list_ != nullptr && IsWindowVisible(list_);
  // Moving away from the word closes the list; typing on narrows it.
  if (at.Context.Kind == CompletionKind::None ||
      (!open && (at.Line != shown_.Line || at.Context.Start != shown_.Context.Start))) {
    HideList();
    return;
  }
  if (!open && !shown) return;
  std::vector<CompletionItem> items = Completion().Offer(at.Context);
  if (items.empty()) {
    HideList();
    return;
  }
  shown_ = at;
  items_ = std::move(items);
  ShowList();
}

void TEditTexAids::ShowList() {
  if (list_ == nullptr) {
    list_ = CreateWindowExW(
        0, L"LISTBOX", L"",
        WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT, 0,
        0, 0, 0, form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
        GetModuleHandleW(nullptr), nullptr);
    if (list_ == nullptr) return;
  }
  LOGFONTW font = control_.TextFont();
  list_font_ = win::Font(CreateFontIndirectW(&font));
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(list_font_.Get()), FALSE);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  std::size_t widest = 0;
  for (const CompletionItem& item : items_) {
    const std::wstring row =
        platform::Widen(item.Command) + L"\t" + platform::Widen(item.Description);
    widest = std::max(widest, row.size());
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  SendMessageW(list_, LB_SETCURSEL, 0, 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  // Below the caret's row, or above it when the window has no room.
  const int row_height = control_.RowHeight();
  const int item_height =
      std::max(1, static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0)));
  const int rows = std::min<int>(kListRows, static_cast<int>(items_.size()));
  const int height = rows * item_height + 2 * GetSystemMetrics(SM_CYBORDER) + 2;
  const int width = std::clamp(static_cast<int>(widest) * row_height / 2 + 40, 200, 520);
  POINT caret{};
  GetCaretPos(&caret);
  MapWindowPoints(control_.Handle(), form_, &caret, 1);
  RECT client{};
  GetClientRect(form_, &client);
  int y = caret.y + row_height;
  if (y + height > client.bottom && caret.y - height >= 0) y = caret.y - height;
  const int x =
      std::max(0, std::min(static_cast<int>(caret.x), static_cast<int>(client.right) - width));
  SetWindowPos(list_, HWND_TOP, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(list_, nullptr, TRUE);
}

void TEditTexAids::HideList() {
  if (list_ != nullptr && IsWindowVisible(list_)) ShowWindow(list_, SW_HIDE);
}

bool TEditTexAids::Key(WPARAM key) {
  if (list_ == nullptr || !IsWindowVisible(list_)) return false;
  const int count = static_cast<int>(items_.size());
  const int selected = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      const int step = key == VK_UP      ? -1
                       : key == VK_DOWN  ? 1
                       : key == VK_PRIOR ? -kListRows
                                         : kListRows;
      SendMessageW(list_, LB_SETCURSEL,
                   static_cast<WPARAM>(std::clamp(selected + step, 0, count - 1)), 0);
      return true;
    }
    case VK_RETURN:
    case VK_TAB:
      InsertChosen();
      return true;
    case VK_ESCAPE:
      HideList();
      return true;
    default:
      return false;
  }
}

void TEditTexAids::InsertChosen() {
  const int selected = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
  HideList();
  if (selected < 0 || static_cast<std::size_t>(selected) >= items_.size()) return;
  // Straight into the text as one undo step; the clipboard stays as it was.
  InsertCompletion(control_.Document(), shown_, items_[static_cast<std::size_t>(selected)]);
  control_.ScrollCaretIntoView();
}

void TEditTexAids::ListCommand(HWND list, WORD notification) {
  if (list != list_) return;
  if (notification == LBN_DBLCLK) {
    InsertChosen();
    SetFocus(control_.Handle());
  } else if (notification == LBN_SELCHANGE) {
    // A click chooses; the keys stay the editor's.
    SetFocus(control_.Handle());
  }
}

void TEditTexAids::FocusLost(HWND to) {
  if (to != list_) HideList();
}

}  // namespace mox::varelo
