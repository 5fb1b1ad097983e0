#include "frontend/core/editor.h"

#include <vector>

#include "frontend/core/caret_label.h"
#include "frontend/core/file_io.h"
#include "frontend/core/frame_files.h"
#include "frontend/core/gbk_view.h"
#include "platform/file_system.h"
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
  if (!MayOpen(path, bytes)) return false;
  DecodedText decoded = DecodeTextFile(bytes);
  format_ = decoded.Format;
  platform::TextDocument& document = host_.Document();
  document.SetText(std::move(decoded.Text), LineEndText(format_.LineEnds));
  stored_bytes_ = std::move(bytes);
  stored_version_ = document.Version();
  stored_ = true;
  return true;
}

bool Editor::MayOpen(const std::string& path, const std::string& bytes) {
  const TextCheck check = CheckText(bytes);
  const std::string name = NamePartOf(path);
  std::string why;
  switch (check.Verdict) {
    case NotText::No: return true;
    case NotText::Utf16:
      why = Format("文件 %s 是 UTF-16 编码的文本, TeX 不能读它.\n打开吗? (保存时仍以 UTF-16 写入.)",
                   name.c_str());
      break;
    case NotText::NulBytes:
      why = Format("文件 %s 含有 NUL 字节, 不像是文本文件.", name.c_str());
      break;
    case NotText::Binary:
      why = Format("文件 %s 中有 %u%% 的字节是控制字符或不是 GBK、UTF-8 字符, 不像是文本文件.",
                   name.c_str(), check.StrangePercent);
      break;
  }
  if (check.Verdict != NotText::Utf16) {
    why += "\n仍然打开吗? (没有改动的字节保存时不变.)";
  }
  return platform::Ui().ShowBox(why, kWarningCaption,
                                platform::kBoxYesNo | platform::kBoxIconWarning) ==
         platform::kAnswerYes;
}

bool Editor::HasFile() const { return !file_name_.empty() && file_name_ != kUntitledFileName; }

bool Editor::IsModified() const { return host_.Document().Modified(); }

std::string Editor::DisplayName() const {
  return HasFile() ? NamePartOf(file_name_) : std::string(kUntitledCaption);
}

RecoveryCopy Editor::Copy() const {
  RecoveryCopy copy;
  copy.FileName = file_name_;
  copy.SavedFileName = saved_file_name_;
  copy.Format = format_;
  copy.Time = RecoveryTimeNow();
  copy.Text = host_.Document().Text();
  return copy;
}

void Editor::Restore(const RecoveryCopy& copy) {
  file_name_ = copy.FileName;
  saved_file_name_ = copy.SavedFileName;
  format_ = copy.Format;
  host_.SetCaption(DisplayName());
  platform::TextDocument& document = host_.Document();
  document.SetText(copy.Text, LineEndText(format_.LineEnds));
  document.SetModified(true);
  stored_ = false;
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
  bool refused = false;
  if (!WriteText(file_name_, refused)) {
    // The text stays in the window; another file may take it.
    if (refused && platform::Ui().ShowBox(
                       Format("文件 %s 没有保存. 另存为其他文件吗?", NamePartOf(file_name_).c_str()),
                       kWarningCaption, platform::kBoxYesNo | platform::kBoxIconWarning) ==
                       platform::kAnswerYes) {
      return SaveAsOutcome();
    }
    return SaveOutcome::Failed;
  }
  host_.Document().SetModified(false);
  saved_file_name_ = file_name_;
  host_.TextSaved();
  return SaveOutcome::Written;
}

bool Editor::WriteText(const std::string& path, bool& refused) {
  refused = false;
  platform::TextDocument& document = host_.Document();
  const std::u16string& text = document.Text();
  std::string bytes;
  if (stored_ && document.Version() == stored_version_) {
    bytes = stored_bytes_;
  } else {
    std::size_t failed_at = 0;
    if (!EncodeTextFile(text, format_, bytes, failed_at)) {
      const std::size_t line = document.LineOf(failed_at);
      const std::size_t column = failed_at - document.LineStart(line);
      const bool pair = failed_at + 1 < text.size() && text[failed_at] >= 0xD800 &&
                        text[failed_at] <= 0xDBFF;
      document.Select(failed_at, failed_at + (pair ? 2 : 1));
      ShowError(Format("文件 %s 没有保存: 第 %lu 行第 %lu 列选中的字符不能以 %s 编码写入.",
                       NamePartOf(path).c_str(), static_cast<unsigned long>(line + 1),
                       static_cast<unsigned long>(column + 1), EncodingName(format_.Encoding)));
      return false;
    }
  }
  std::string reason;
  if (!WriteWholeFile(path, bytes, reason)) {
    ShowError(Format("无法保存文件 %s:\n%s", path.c_str(), reason.c_str()));
    refused = true;
    return false;
  }
  stored_bytes_ = std::move(bytes);
  stored_version_ = document.Version();
  stored_ = true;
  return true;
}

bool Editor::CanCloseText() {
  if (!host_.Document().Modified()) return true;
  const int answer = platform::Ui().ShowBox(
      Format("文件 %s 已改变, 是否保存?", file_name_.c_str()), kQuestionCaption,
      platform::kBoxYesNoCancel | platform::kBoxIconQuestion);
  // Yes closes only when the text was saved: a cancelled save dialog or a
  // failed write keeps the window and its edits.
  if (answer == platform::kAnswerYes) return Save();
  return answer == platform::kAnswerNo;
}

bool Editor::FindInEditor(std::u16string_view text, const SearchOptions& options) {
  platform::TextDocument& document = host_.Document();
  if (text.empty() || document.Length() == 0) return false;
  const std::size_t start = document.SelectionStart();
  const std::ptrdiff_t found =
      FindInText(document.Text(), static_cast<std::ptrdiff_t>(start),
                 static_cast<std::ptrdiff_t>(document.SelectionEnd() - start), text, options);
  if (found == kNotFound) return false;
  const auto at = static_cast<std::size_t>(found);
  document.Select(at, at + text.size());
  return true;
}

void Editor::FindNext(const FindRequest& request) {
  if (!FindInEditor(request.FindWhat, request.Options)) {
    ShowPlain("未能查找到\"" + GbkForMessage(request.FindWhat) + "\".");
  }
}

std::size_t Editor::Replace(const FindRequest& request) {
  platform::TextDocument& document = host_.Document();
  std::size_t replaced = 0;
  if (request.ReplaceAll && request.WholeText) {
    replaced = ReplaceEveryMatchFrom(0, request);
  } else {
    if (!request.FindWhat.empty() &&
        SameTextIgnoringCase(
            document.Range(document.SelectionStart(), document.SelectionEnd()),
            request.FindWhat)) {
      ReplaceSelectionKeepingDirection(request.ReplaceWith, request.Options.Down);
      ++replaced;
    }
    if (request.ReplaceAll && request.Options.Down) {
      replaced += ReplaceEveryMatchFrom(document.SelectionEnd(), request);
    } else {
      bool found = FindInEditor(request.FindWhat, request.Options);
      while (found && request.ReplaceAll) {
        ReplaceSelectionKeepingDirection(request.ReplaceWith, request.Options.Down);
        ++replaced;
        found = FindInEditor(request.FindWhat, request.Options);
      }
      if (!found && !request.ReplaceAll) {
        ShowPlain("没有发现\"" + GbkForMessage(request.FindWhat) + "\".");
      }
    }
  }
  if (request.ReplaceAll) {
    ShowPlain(replaced == 0 ? "没有发现\"" + GbkForMessage(request.FindWhat) + "\"."
                            : Format("已替换 %lu 处.", static_cast<unsigned long>(replaced)));
  }
  return replaced;
}

std::size_t Editor::ReplaceEveryMatchFrom(std::size_t from, const FindRequest& request) {
  platform::TextDocument& document = host_.Document();
  const std::u16string_view needle = request.FindWhat;
  const std::u16string& all = document.Text();
  if (needle.empty() || all.empty()) return 0;
  // A search down reads nothing before where it starts, and each one
  // starts after the text just put in: the matches of the step-by-step
  // replace are those found one after the other in the text as it was.
  // One pass over the text, and one edit for all of them, keeps the cost
  // in proportion to the text.
  std::vector<std::size_t> matches;
  auto at = static_cast<std::ptrdiff_t>(from);
  for (;;) {
    const std::ptrdiff_t found = FindInText(all, at, 0, needle, request.Options);
    if (found == kNotFound) break;
    matches.push_back(static_cast<std::size_t>(found));
    at = found + static_cast<std::ptrdiff_t>(needle.size());
  }
  if (matches.empty()) return 0;
  // The stretch from the first match to the end of the last one, replaced
  // as one edit (one undo step); the caret ends after the last new text.
  const std::size_t first = matches.front();
  const std::size_t last_end = matches.back() + needle.size();
  std::u16string replaced;
  replaced.reserve(last_end - first + matches.size() * request.ReplaceWith.size());
  std::size_t unit = first;
  for (const std::size_t match : matches) {
    replaced.append(all, unit, match - unit);
    replaced += request.ReplaceWith;
    unit = match + needle.size();
  }
  document.Replace(first, last_end, replaced);
  return matches.size();
}

void Editor::ReplaceSelectionKeepingDirection(std::u16string_view text, bool down) {
  platform::TextDocument& document = host_.Document();
  const std::size_t start = document.SelectionStart();
  document.ReplaceSelection(text);
  // Searching up goes on before the new text: found again inside it, a
  // replacement that holds the find text would be replaced for ever.
  if (!down) document.Select(start, start);
}

void Editor::UpdateCaretLabel() {
  const platform::TextDocument& document = host_.Document();
  const std::size_t caret = document.Caret();
  const std::size_t line = document.LineOf(caret);
  host_.ShowCaretLabel(CaretLabel(static_cast<long>(line),
                                  document.Range(document.LineStart(line), caret)));
}

}  // namespace mox::varelo
