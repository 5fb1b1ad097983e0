// The page view's text: hyperref's links under the pointer and followed on
// a click, text found through the document and highlighted, and a
// rectangle dragged with Shift copied to the clipboard.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>

#include "platform/file_stamp.h"
#include "platform/text_encoding.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/shell/page_view.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/text/copy_text.h"

namespace mox {
namespace {

// The addresses a click opens: the web's and mail's. Files and programs
// that a link may name (hyperref's run: and file links) are not started
// from a document.
bool IsOpenableAddress(std::string_view address) {
  std::string lower;
  for (const char c : address.substr(0, 8)) {
    lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  const bool scheme = lower.starts_with("http://") || lower.starts_with("https://") ||
                      lower.starts_with("ftp://") || lower.starts_with("mailto:");
  const bool plain = std::none_of(address.begin(), address.end(), [](char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == '"';
  });
  return scheme && plain;
}

// The program's text (GB18030, GBK for every character GBK has) as UTF-8.
std::optional<std::string> Utf8Of(const std::string& text) {
  std::string utf8;
  std::size_t failed_at = 0;
  if (!platform::EncodeUtf8(platform::DecodeGb18030(text), utf8, failed_at)) return std::nullopt;
  return utf8;
}

// UTF-8 text as the program's text, for a status line or a box.
std::string ProgramText(const std::string& utf8) {
  std::string text;
  std::size_t failed_at = 0;
  platform::EncodeGb18030(platform::DecodeUtf8(utf8), text, failed_at);
  return text;
}

bool Contains(const TextBox& box, std::int32_t x, std::int32_t y) {
  return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
}

int CharacterCount(const std::string& utf8) {
  return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\n';
  }));
}

}  // namespace

PageView::PagePoint PageView::PageUnderClientRow(std::int32_t client_y) const {
  if (!IsDocumentOpen() || CurrentPage < 0 || PageReady == 0) return {};
  const double row = static_cast<double>(host_.ViewScroller().YPos) * UnitY + client_y;
  if (!ContinuousView()) return {CurrentPage, row};
  const auto at = static_cast<std::int64_t>(std::floor(row));
  const PageStack::Range range = stack_.SlotsMeeting(at, at + 1);
  if (range.First >= range.End) return {};
  return {stack_.Pages[range.First], row - static_cast<double>(stack_.TopOf(range.First))};
}

std::optional<std::pair<std::int32_t, std::int32_t>> PageView::PagePixelsAt(
    const PagePoint& point, std::int32_t client_x) const {
  if (point.Page < 0) return std::nullopt;
  const double zoom = Settings().CurrentZoom;
  const double view_x = static_cast<double>(host_.ViewScroller().XPos) * UnitX + client_x;
  return std::make_pair(static_cast<std::int32_t>(std::floor((view_x - OffsetX) / zoom)),
                        static_cast<std::int32_t>(std::floor((point.Y - OffsetY) / zoom)));
}

PixelRect PageView::ClientRectOf(std::int32_t page, const TextBox& box) const {
  if (!ContinuousView() && page != CurrentPage) return {};
  const double zoom = Settings().CurrentZoom;
  const platform::TScroller& scroller = host_.ViewScroller();
  const double left = static_cast<double>(OffsetX) - static_cast<double>(scroller.XPos) * UnitX;
  const double top = static_cast<double>(OffsetY) + static_cast<double>(PageTop(page)) -
                     static_cast<double>(scroller.YPos) * UnitY;
  const auto at = [](double value) {
    return static_cast<int>(std::clamp(value, -1e9, 1e9));
  };
  return {at(std::floor(box.Left * zoom + left)), at(std::floor(box.Top * zoom + top)),
          at(std::ceil(box.Right * zoom + left)), at(std::ceil(box.Bottom * zoom + top))};
}

const PageText* PageView::TextOfPage(std::int32_t page) {
  // A rewritten file is not read with the old page index.
  if (!texts_.Has(page) && !platform::FileUnchanged(DviFileName, stamp_)) return nullptr;
  return texts_.Of(doc_, page);
}

const PageLink* PageView::LinkAt(std::int32_t client_x, std::int32_t client_y) {
  const PagePoint point = PageUnderClientRow(client_y);
  const auto pixels = PagePixelsAt(point, client_x);
  if (!pixels) return nullptr;
  const PageText* text = TextOfPage(point.Page);
  if (text == nullptr) return nullptr;
  for (const PageLink& link : text->Links) {
    for (const TextBox& box : link.Rectangles) {
      if (Contains(box, pixels->first, pixels->second)) return &link;
    }
  }
  return nullptr;
}

bool PageView::IsOverLink(std::int32_t client_x, std::int32_t client_y) {
  return PrintMode == 0 && !RulerActive() && LinkAt(client_x, client_y) != nullptr;
}

bool PageView::FollowLinkAt(std::int32_t client_x, std::int32_t client_y) {
  if (PrintMode != 0 || RulerActive()) return false;
  const PageLink* link = LinkAt(client_x, client_y);
  if (link == nullptr) return false;
  const std::string target = link->Target;
  if (link->Internal) {
    FollowInternalLink(target);
  } else {
    OpenExternalLink(target);
  }
  return true;
}

void PageView::FollowInternalLink(const std::string& name) {
  report_.Busy(true);
  const std::optional<LinkTarget> target = TargetOf(texts_.Targets(doc_), name);
  report_.Busy(false);
  if (!target || !IsSelectablePage(doc_, target->Page)) {
    report_.Status(Format(Say(kTargetMissing), ProgramText(name).c_str()));
    return;
  }
  if (GotoPage(target->Page) != 0 || CurrentPage != target->Page) return;
  // The anchor at the window's top, the view's left edge kept.
  platform::TScroller& scroller = host_.ViewScroller();
  const double row = static_cast<double>(PageTop(target->Page)) + OffsetY +
                     std::max(0.0, target->Y * Zoom());
  const long y = static_cast<long>(row) / std::max(1, UnitY);
  scroller.ScrollTo(scroller.XPos, std::clamp(y, 0L, scroller.YRange));
  host_.InvalidateView(false);
  UpdateTitle();
}

void PageView::OpenExternalLink(const std::string& address) {
  const std::string shown = ProgramText(address);
  if (!IsOpenableAddress(address)) {
    report_.Status(Format(Say(kAddressNotOpened), shown.c_str()));
    return;
  }
  if (agreed_addresses_.count(address) == 0) {
    const int answer =
        platform::Ui().ShowBox(Format(Say(kOpenAddressQuestion), shown.c_str()), Say(kLinkCaption),
                               platform::kBoxYesNo | platform::kBoxIconQuestion);
    if (answer != platform::kAnswerYes) return;
    agreed_addresses_.insert(address);
  }
  if (!host_.OpenAddress(address)) report_.Error(Format(Say(kCannotOpenAddress), shown.c_str()));
}

bool PageView::FindInDocument(const std::string& text) {
  if (!IsDocumentOpen() || CurrentPage < 0) return false;
  const std::optional<std::string> utf8 = Utf8Of(text);
  if (!utf8 || std::all_of(utf8->begin(), utf8->end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r';
      })) {
    return false;
  }
  EndRulerDrag();
  // From just after the last match of the same text, else from the top of
  // the page in view.
  TextPosition from{ContinuousView() ? PageMostInView() : CurrentPage, 0};
  if (match_ && text == query_) from = {match_->Page, match_->First + 1};
  query_ = text;
  InvalidateHighlights();
  match_.reset();
  selection_.reset();
  if (!FileReadyForScan() || !IsDocumentOpen()) return false;
  report_.Busy(true);
  std::optional<TextMatch> found = FindText(doc_, *utf8, from, true);
  doc_.Dvi.Reader.Close();
  report_.Busy(false);
  if (!found) {
    report_.Status(Format(Say(kTextNotFound), text.c_str()));
    return false;
  }
  const bool wrapped =
      found->Page < from.Page || (found->Page == from.Page && found->First < from.Character);
  TextBox whole;
  for (const TextBox& box : found->Boxes) whole.Add(box);
  match_ = std::move(*found);
  ScrollIntoView(match_->Page, whole);
  if (!IsDocumentOpen()) return false;
  InvalidateHighlights();
  if (wrapped) report_.Status(Format(Say(kFindWrapped), text.c_str()));
  return true;
}

bool PageView::FindNext() {
  if (query_.empty()) return false;
  FindInDocument(query_);
  return true;
}

void PageView::ScrollIntoView(std::int32_t page, const TextBox& box) {
  if (page != CurrentPage && (GotoPage(page) != 0 || CurrentPage != page)) return;
  const PixelRect shown = ClientRectOf(page, box);
  platform::TScroller& scroller = host_.ViewScroller();
  const long unit_x = std::max(1, UnitX);
  const long unit_y = std::max(1, UnitY);
  long x = scroller.XPos;
  long y = scroller.YPos;
  const long width = static_cast<long>(ClientWidth);
  const long height = static_cast<long>(ClientHeight);
  if (shown.Left < 0 || shown.Right > width) {
    x = std::max(0L, (x * unit_x + shown.Left - width / 4) / unit_x);
  }
  if (shown.Top < 0 || shown.Bottom > height) {
    y = std::max(0L, (y * unit_y + shown.Top - height / 3) / unit_y);
  }
  if (x != scroller.XPos || y != scroller.YPos) {
    scroller.ScrollTo(std::min(x, scroller.XRange), std::min(y, scroller.YRange));
    host_.InvalidateView(false);
  }
  UpdateTitle();
}

void PageView::SelectionPress(std::int32_t x, std::int32_t y) {
  if (!IsDocumentOpen() || PrintMode != 0 || RulerActive()) return;
  if (IgnoreNextClick != 0) {
    IgnoreNextClick = 0;
    return;
  }
  InvalidateHighlights();
  selection_.reset();
  const PagePoint point = PageAtClientRow(y);
  const auto pixels = PagePixelsAt(point, x);
  if (!pixels) return;
  Selection selection;
  selection.Page = point.Page;
  selection.StartX = pixels->first;
  selection.StartY = pixels->second;
  selection.Box = {pixels->first, pixels->second, pixels->first, pixels->second};
  selection.Dragging = true;
  selection_ = selection;
  host_.CaptureMouse(true);
}

void PageView::SelectionMove(std::int32_t x, std::int32_t y) {
  if (!SelectionActive()) return;
  Selection& selection = *selection_;
  // Within the page the drag started on: a point past its top or bottom
  // is taken at the page's edge, measured from that page's place.
  const double row = static_cast<double>(host_.ViewScroller().YPos) * UnitY + y -
                     static_cast<double>(PageTop(selection.Page));
  const auto pixels = PagePixelsAt({selection.Page, row}, x);
  if (!pixels) return;
  InvalidateHighlights();
  selection.Box = {std::min(selection.StartX, pixels->first),
                   std::min(selection.StartY, pixels->second),
                   std::max(selection.StartX, pixels->first) + 1,
                   std::max(selection.StartY, pixels->second) + 1};
  InvalidateHighlights();
}

void PageView::SelectionRelease(std::int32_t x, std::int32_t y) {
  if (!SelectionActive()) return;
  SelectionMove(x, y);
  selection_->Dragging = false;
  host_.CaptureMouse(false);
  CopySelection();
}

void PageView::CopySelection() {
  if (!IsDocumentOpen()) return;
  std::string utf8;
  if (selection_) {
    if (const PageText* text = TextOfPage(selection_->Page)) {
      utf8 = CopyText(*text, selection_->Box);
    }
  } else if (match_) {
    if (const PageText* text = TextOfPage(match_->Page)) {
      TextBox whole;
      for (const TextBox& box : match_->Boxes) whole.Add(box);
      utf8 = CopyText(*text, whole);
    }
  } else {
    report_.Status(Say(kHowToSelect));
    return;
  }
  if (utf8.empty()) {
    report_.Status(Say(kNoTextSelected));
    return;
  }
  host_.PutOnClipboard(utf8);
  report_.Status(Format(Say(kTextCopied), CharacterCount(utf8)));
}

std::vector<PixelRect> PageView::HighlightRects() const {
  std::vector<PixelRect> rects;
  if (!IsDocumentOpen() || PrintMode != 0) return rects;
  if (match_) {
    for (const TextBox& box : match_->Boxes) rects.push_back(ClientRectOf(match_->Page, box));
  }
  if (selection_) rects.push_back(ClientRectOf(selection_->Page, selection_->Box));
  // Nothing empty, and nothing a page of another view would show.
  std::erase_if(rects, [](const PixelRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; });
  return rects;
}

void PageView::InvalidateHighlights() {
  for (const PixelRect& rect : HighlightRects()) host_.InvalidateClientRect(rect);
}

void PageView::ForgetText() {
  texts_.Clear();
  match_.reset();
  if (selection_ && selection_->Dragging) host_.CaptureMouse(false);
  selection_.reset();
}

}  // namespace mox
