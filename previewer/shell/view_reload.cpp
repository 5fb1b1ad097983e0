// The page view's reloads: when the focus comes back or the window's timer
// ticks, a document whose file TeX has rewritten is loaded again on the same
// page, zoom and scroll position. A file that is not complete yet (TeX still
// writing, or waiting at an error prompt, without holding the file) never
// costs the document: the page stays, the status line says why, and the file
// is looked at again once it changes. Open keeps the previous document when
// the chosen one cannot be loaded; Help opens the tutorial beside the
// program.
#include <algorithm>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/shell/busy_flag.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/shell/page_view.h"
#include "previewer/startup/options.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

// What Open puts aside to come back to when the new file fails.
struct ShownPlace {
  std::string Name;
  std::int32_t Page = -1;
  std::string PageSelection;
  int Parity = 0;
  int Sequence = 0;
  double Zoom = 1.0;
  long X = 0;
  long Y = 0;
};

}  // namespace

void PageView::FocusGained() {
  if (PrintMode != 0 || focusing_) return;
  BusyFlag busy(focusing_);
  IgnoreNextClick = 1;
  host_.RealizePalette();
  if (!IsDocumentOpen() || PageReady == 0 || CurrentPage < 0) return;
  WaitForExclusiveAccess();
  ReloadIfChanged();
}

void PageView::CheckDocumentFile() {
  if (PrintMode != 0 || checking_ || focusing_ || loading_ || painting_ || RulerActive()) return;
  if (!IsDocumentOpen() || PageReady == 0 || CurrentPage < 0) return;
  BusyFlag busy(checking_);
  // A program that holds the file is still writing it; the box that asks
  // the user to wait belongs to the focus, not to a timer.
  if (platform::Files().Exists(DviFileName) && !platform::CanOpenExclusively(DviFileName)) return;
  ReloadIfChanged();
}

void PageView::WaitForExclusiveAccess() {
  // TeX may still be writing: wait (with the user) until nobody holds the
  // file. A file that disappears meanwhile ends the wait; the reload then
  // finds it missing.
  while (platform::Files().Exists(DviFileName) && !platform::CanOpenExclusively(DviFileName)) {
    platform::Ui().ShowBox(
        Say(kFileInUse),
        "Information", platform::kBoxOk | platform::kBoxIconInformation);
  }
}

void PageView::ReloadIfChanged() {
  if (!IsDocumentOpen() || PageReady == 0 || CurrentPage < 0) return;
  if (platform::FileUnchanged(DviFileName, stamp_)) return;
  const platform::FileStamp now = platform::RecordFileStamp(DviFileName);
  if (refused_stamp_ && platform::SameStamp(now, *refused_stamp_)) return;
  if (DviFileProblem(DviFileName, Lang())) {
    refused_stamp_ = now;
    report_.Status(PageTitle(doc_, DviFileName, CurrentPage) +
               (platform::Files().Exists(DviFileName)
                    ? Say(kFileBeingWritten)
                    : Say(kFileMissing)));
    return;
  }
  ReloadKeepingPlace(true);
}

bool PageView::FileReadyForScan() {
  if (platform::FileUnchanged(DviFileName, stamp_)) return true;
  ReloadIfChanged();
  // Reloaded (or closed by a failed reload), or still waiting.
  return !refused_stamp_.has_value();
}

void PageView::ReloadKeepingPlace(bool carry_over) {
  platform::TScroller& scroller = host_.ViewScroller();
  const long x = scroller.XPos;
  const long y = scroller.YPos;
  refused_stamp_.reset();
  if (carry_over) SaveCarryOver(doc_);
  LoadDocument(Zoom());
  if (carry_over) DiscardCarryOver(doc_.CarryOver);
  scroller.ScrollTo(std::min(x, scroller.XRange), std::min(y, scroller.YRange));
  stamp_ = platform::RecordFileStamp(DviFileName);
}

void PageView::OpenChosenFile(const std::string& path) {
  // A file that is not a whole document is refused before anything of the
  // open one is given up.
  if (std::optional<std::string> problem = DviFileProblem(path, Lang())) {
    report_.Error(*problem);
    return;
  }
  Options& options = Settings();
  const platform::TScroller& scroller = host_.ViewScroller();
  const std::optional<ShownPlace> shown =
      IsDocumentOpen() ? std::optional<ShownPlace>(ShownPlace{
                             DviFileName, CurrentPage, options.PageSelectionText,
                             options.ParityFilter, options.SequenceMode, Zoom(),
                             scroller.XPos, scroller.YPos})
                       : std::nullopt;
  RememberShownPlace();
  DviFileName = path;
  CurrentPage = -1;
  refused_stamp_.reset();
  // Opening anew asks the PK generator again for the fonts it did not make,
  // and names again the specials it does not draw.
  doc_.Load.UnmadeFonts.clear();
  doc_.ToldSpecialKinds.clear();
  options.PageSelectionText.clear();
  options.ParityFilter = 0;
  options.SequenceMode = 0;
  if (LoadDocument() != 0 && shown) {
    // The new file failed further in (its pages or fonts): the previous
    // document comes back as it was shown.
    DviFileName = shown->Name;
    CurrentPage = shown->Page;
    options.PageSelectionText = shown->PageSelection;
    options.ParityFilter = shown->Parity;
    options.SequenceMode = shown->Sequence;
    if (LoadDocument(shown->Zoom) == 0) {
      platform::TScroller& restored = host_.ViewScroller();
      restored.ScrollTo(std::min(shown->X, restored.XRange), std::min(shown->Y, restored.YRange));
    }
  }
  UpdateTitle();
}

void PageView::ShowHelp() {
  const std::string tutorial = Settings().ProgramDirectory + "tutor.dvi";
  if (platform::Files().Exists(tutorial)) {
    OpenChosenFile(tutorial);
    return;
  }
  platform::Ui().ShowBox(
      Format(Say(kHelpMissing),
             tutorial.c_str()),
      Say(kHelpCaption), platform::kBoxOk | platform::kBoxIconInformation);
}

}  // namespace mox
