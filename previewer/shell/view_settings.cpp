// The page view after its dialogs: a page chosen from the list or by its
// number, the options applied (and saved), and the document drawn again
// with the faces of a new face table.
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/shell/page_choice.h"
#include "previewer/shell/options_choice.h"
#include "previewer/shell/page_view.h"
#include "previewer/startup/options.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"

namespace mox {

void PageView::GotoListPosition(std::int32_t position) {
  const std::int32_t page = PageOfListPosition(doc_, position);
  if (page < 0 || page >= static_cast<std::int32_t>(doc_.Dvi.Pages.size())) {
    report_.Error(Say(kInvalidPageSelection));
    return;
  }
  GotoPage(page);
}

std::string PageView::CurrentPageNumberText() const {
  const std::vector<PageEntry>& pages = doc_.Dvi.Pages;
  if (CurrentPage < 0 || CurrentPage >= static_cast<std::int32_t>(pages.size())) return "0";
  return Format("%ld", static_cast<long>(pages[static_cast<std::size_t>(CurrentPage)].Count0));
}

void PageView::GotoPageNumberText(const std::string& text) {
  if (!IsDocumentOpen()) return;
  const std::vector<std::int32_t> numbers = TypedPageNumbers(text);
  if (numbers.empty()) {
    report_.Error(Format(Say(kNotAPageNumber), text.c_str()));
    return;
  }
  for (const std::int32_t number : numbers) {
    const std::int32_t page = NextPageNumbered(doc_, number, CurrentPage);
    if (page >= 0 && doc_.Dvi.Pages[static_cast<std::size_t>(page)].Count0 == number) {
      GotoPage(page);
      return;
    }
  }
  report_.Status(Format(Say(kNoPageNumbered), text.c_str()));
}

void PageView::ApplyOptions(const OptionsChoice& choice) {
  if (const std::optional<std::string> error = OptionsChoiceError(choice, Lang())) {
    report_.Error(*error);
    return;
  }
  const OptionsChange change = ApplyOptionsChoice(choice, Settings());
  if (change.Gamma) {
    host_.RebuildPalette();
    host_.InvalidateView(true);
  }
  // Every glyph is made again at the new resolution; new paths alone wait
  // for the next load.
  if (change.Resolution && IsDocumentOpen()) {
    LoadDocument();
    stamp_ = platform::RecordFileStamp(DviFileName);
  }
  if (choice.Save) {
    const bool saved = SaveOptions(Settings()) == 0;
    platform::Ui().ShowBox(SavedOptionsMessage(Settings(), saved, Lang()), "",
                           platform::kBoxOk | platform::kBoxIconInformation);
  }
}

void PageView::FacesChanged() {
  // A face that changed draws glyphs of the same cells: none may be carried.
  if (IsDocumentOpen()) ReloadKeepingPlace(false);
}

}  // namespace mox
