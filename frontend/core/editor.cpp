#include "frontend/core/editor.h"

#include <vector>

#include "frontend/core/caret_label.h"
#include "frontend/core/file_io.h"
#include "frontend/core/frame_files.h"
#include "frontend/core/gbk_view.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"

namespace mox::varelo {
namespace {

constexpr char kWarningCaption[] = "警告";
constexpr char kQuestionCaption[] = "确认";
constexpr char kErrorCaption[] = "错误";

void ShowError(const std::string& text) {
  platform::Ui().ShowBox(text, kErrorCaption, platform::kBoxOk | platform::kBoxIconError);
}

// A plain box: OK, no icon.
void ShowPlain(const std::string& text) {
  platform::Ui().ShowBox(text, kProgramTitle, platform::kBoxOk);
}

const char* EncodingName(TextEncoding encoding) {
  return encoding == TextEncoding::Utf8 ? "UTF-8" : "GBK";
}

}  // namespace

void Editor::InitializeNew() {
  file_name_ = kUntitledFileName;
  host_.SetCaption(kUntitledCaption);
}

bool Editor::OpenFile(const std::string& path) {
  file_name_ = path;
  saved_file_name_ = path;
  host_.SetCaption(NamePartOf(path));
  std::string bytes;
  std::string reason;
  if (!ReadWholeFile(path, bytes, reason)) {
    ShowError(Format("无法打开文件 %s:\n%s", path.c_str(), reason.c_str()));
    return false;
  }
  const DecodedText decoded = DecodeTextFile(bytes);
  format_ = decoded.Format;
  host_.SetControlText(decoded.Text);
  host_.SetSelection(0, 0);
  host_.SetModified(false);
  // The control's own form of the text is what a later save compares.
  stored_text_ = host_.ControlText();
  stored_bytes_ = std::move(bytes);
  stored_ = true;
  return true;
}

bool Editor::Save() {
  SaveOutcome outcome = SaveOutcome::Written;
  if (file_name_ != kUntitledFileName) {
    outcome = SaveNamed();
  } else {
    outcome = SaveAsOutcome();
  }
  // A failed write leaves SavedFileName naming what was saved before.
  if (outcome != SaveOutcome::Failed) saved_file_name_ = file_name_;
  return outcome == SaveOutcome::Written;
}

bool Editor::SaveAs() { return SaveAsOutcome() == SaveOutcome::Written; }

Editor::SaveOutcome Editor::SaveAsOutcome() {
  const std::optional<std::string> chosen = host_.AskSaveFileName(file_name_);
  if (!chosen) return SaveOutcome::Cancelled;
  const bool exists = platform::Files().Exists(*chosen);
  const std::string previous = file_name_;
  file_name_ = *chosen;
  const std::string name = NamePartOf(file_name_);
  if (exists &&
      platform::Ui().ShowBox("文件 " + name + " 已存在,覆盖吗?", kWarningCaption,
                             platform::kBoxOkCancel | platform::kBoxIconWarning) !=
          platform::kAnswerOk) {
    // The refused file is not kept as the name: the next save would
    // overwrite it without asking.
    file_name_ = previous;
    return SaveOutcome::Cancelled;
  }
  host_.SetCaption(name);
  return SaveNamed();
}

Editor::SaveOutcome Editor::SaveNamed() {
  if (!WriteText(file_name_)) return SaveOutcome::Failed;
  host_.SetModified(false);
  saved_file_name_ = file_name_;
  return SaveOutcome::Written;
}

bool Editor::WriteText(const std::string& path) {
  const std::u16string text = host_.ControlText();
  std::string bytes;
  if (stored_ && text == stored_text_) {
    bytes = stored_bytes_;
  } else {
    std::size_t failed_at = 0;
    if (!EncodeTextFile(text, format_, bytes, failed_at)) {
      std::size_t line = 0;
      std::size_t column = 0;
      LineAndColumnOf(text, failed_at, line, column);
      const bool pair = failed_at + 1 < text.size() && text[failed_at] >= 0xD800 &&
                        text[failed_at] <= 0xDBFF;
      host_.SetSelection(failed_at, failed_at + (pair ? 2 : 1));
      ShowError(Format("文件 %s 没有保存: 第 %lu 行第 %lu 列选中的字符不能以 %s 编码写入.",
                       NamePartOf(path).c_str(), static_cast<unsigned long>(line + 1),
                       static_cast<unsigned long>(column + 1), EncodingName(format_.Encoding)));
      return false;
    }
  }
  std::string reason;
  if (!WriteWholeFile(path, bytes, reason)) {
    ShowError(Format("无法保存文件 %s:\n%s", path.c_str(), reason.c_str()));
    return false;
  }
  stored_text_ = text;
  stored_bytes_ = std::move(bytes);
  stored_ = true;
  return true;
}

bool Editor::CanCloseText() {
  if (!host_.IsModified()) return true;
  const int answer = platform::Ui().ShowBox(
      Format("文件 %s 已改变, 是否保存?", file_name_.c_str()), kQuestionCaption,
      platform::kBoxYesNoCancel | platform::kBoxIconQuestion);
  // Yes closes only when the text was saved: a cancelled save dialog or a
  // failed write keeps the window and its edits.
  if (answer == platform::kAnswerYes) return Save();
  return answer == platform::kAnswerNo;
}

bool Editor::FindInEditor(std::u16string_view text, const SearchOptions& options) {
  if (text.empty()) return false;
  const std::u16string all = host_.ControlText();
  if (all.empty()) return false;
  std::string needle;
  std::size_t failed_at = 0;
  // A search text GBK cannot hold is in no GBK text.
  if (!platform::EncodeGbk(text, needle, failed_at)) return false;
  const GbkView view(all);
  std::size_t start = 0;
  std::size_t end = 0;
  host_.GetSelection(start, end);
  const std::size_t byte_start = view.ByteOf(start);
  const std::size_t byte_end = view.ByteOf(end);
  const std::ptrdiff_t found =
      FindInBuffer(view.Bytes(), view.CharacterStarts(), static_cast<std::ptrdiff_t>(byte_start),
                   static_cast<std::ptrdiff_t>(byte_end - byte_start), needle, options);
  if (found == kNotFound) return false;
  const auto at = static_cast<std::size_t>(found);
  host_.SetSelection(view.UnitOf(at), view.UnitOf(at + needle.size()));
  return true;
}

void Editor::FindNext(const FindRequest& request) {
  if (!FindInEditor(request.FindWhat, request.Options)) {
    ShowPlain("未能查找到\"" + GbkForMessage(request.FindWhat) + "\".");
  }
}

void Editor::Replace(const FindRequest& request) {
  if (!request.FindWhat.empty()) {
    std::size_t start = 0;
    std::size_t end = 0;
    host_.GetSelection(start, end);
    const GbkView selection(host_.TextRange(start, end));
    const GbkView find(request.FindWhat);
    if (SameTextIgnoringCase(selection.Bytes(), find.Bytes())) {
      ReplaceSelectionKeepingDirection(request.ReplaceWith, request.Options.Down);
    }
  }
  if (request.ReplaceAll && request.Options.Down) {
    ReplaceEveryMatchBelow(request);
    return;
  }
  bool found = FindInEditor(request.FindWhat, request.Options);
  while (found && request.ReplaceAll) {
    ReplaceSelectionKeepingDirection(request.ReplaceWith, request.Options.Down);
    found = FindInEditor(request.FindWhat, request.Options);
  }
  if (!found && !request.ReplaceAll) {
    ShowPlain("没有发现\"" + GbkForMessage(request.FindWhat) + "\".");
  }
}

void Editor::ReplaceEveryMatchBelow(const FindRequest& request) {
  std::string needle;
  std::size_t failed_at = 0;
  if (request.FindWhat.empty() || !platform::EncodeGbk(request.FindWhat, needle, failed_at)) {
    return;
  }
  const std::u16string all = host_.ControlText();
  if (all.empty()) return;
  // A search down reads nothing before where it starts, and each one
  // starts after the text just put in: the matches of the step-by-step
  // replace are those found one after the other in the text as it was.
  // One reading of the text instead of one a match keeps a large file's
  // replace-all from taking minutes.
  const GbkView view(all);
  std::size_t start = 0;
  std::size_t end = 0;
  host_.GetSelection(start, end);
  std::vector<std::size_t> matches;
  auto from = static_cast<std::ptrdiff_t>(view.ByteOf(end));
  for (;;) {
    const std::ptrdiff_t found = FindInBuffer(view.Bytes(), view.CharacterStarts(), from, 0,
                                              needle, request.Options);
    if (found == kNotFound) break;
    matches.push_back(static_cast<std::size_t>(found));
    from = found + static_cast<std::ptrdiff_t>(needle.size());
  }
  if (matches.empty()) return;
  // The stretch from the first match to the end of the last one, replaced
  // as one edit (one undo step); the caret ends after the last new text.
  const std::size_t first = view.UnitOf(matches.front());
  std::u16string replaced;
  std::size_t unit = first;
  for (const std::size_t match : matches) {
    replaced.append(all, unit, view.UnitOf(match) - unit);
    replaced += request.ReplaceWith;
    unit = view.UnitOf(match + needle.size());
  }
  host_.SetSelection(first, unit);
  host_.ReplaceSelection(replaced);
}

void Editor::ReplaceSelectionKeepingDirection(std::u16string_view text, bool down) {
  std::size_t start = 0;
  std::size_t end = 0;
  host_.GetSelection(start, end);
  host_.ReplaceSelection(text);
  // Searching up goes on before the new text: found again inside it, a
  // replacement that holds the find text would be replaced for ever.
  if (!down) host_.SetSelection(start, start);
}

void Editor::UpdateCaretLabel() {
  std::size_t start = 0;
  std::size_t caret = 0;
  host_.GetSelection(start, caret);
  const long line = host_.LineOfPosition(caret);
  const std::size_t line_start = host_.LineStart(line);
  host_.ShowCaretLabel(
      CaretLabel(line, line_start <= caret ? host_.TextRange(line_start, caret) : u""));
}

}  // namespace mox::varelo
