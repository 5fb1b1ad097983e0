#include "frontend/core/user_phrases.h"

#include "frontend/core/data_line.h"
#include "frontend/core/file_io.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"

namespace mox::varelo {
namespace {

std::string InFolder(const std::string& folder, std::string_view name) {
  return folder + platform::SeparatorToAppend(folder) + std::string(name);
}

// A cell as one line of the file.
std::string OnOneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

bool Fail(const std::string& text) {
  platform::Ui().ShowBox(text, "错误信息", platform::kBoxOk | platform::kBoxIconError);
  return false;
}

}  // namespace

PhraseList ParsePhrases(std::string_view bytes) {
  PhraseList list;
  std::size_t row = 0;
  for (std::string_view line : SplitDataLines(bytes)) {
    if (row == kPhraseRows) {
      list.ExtraLines.emplace_back(line);
      continue;
    }
    const std::size_t split = DescriptionLength(line);
    list.Rows[row].Description.assign(line.substr(0, split));
    list.Rows[row].Phrase.assign(WithoutTrailingSpaces(line.substr(split)));
    ++row;
  }
  return list;
}

std::string FormatPhrases(const PhraseList& list) {
  std::string bytes;
  for (const PhraseRow& row : list.Rows) {
    bytes += FixedDescription(OnOneLine(row.Description));
    bytes += OnOneLine(row.Phrase);
    bytes += "\r\n";
  }
  for (const std::string& line : list.ExtraLines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

PhraseList LoadPhrases(const std::string& folder) {
  const std::string path = InFolder(folder, kPhraseFile);
  std::string bytes;
  std::string reason;
  if (!platform::Files().Exists(path) || !ReadWholeFile(path, bytes, reason)) return {};
  return ParsePhrases(bytes);
}

bool SavePhrases(const std::string& folder, const PhraseList& list) {
  const std::string file = InFolder(folder, kPhraseFile);
  const std::string backup = InFolder(folder, kPhraseBackup);
  const std::string fresh = InFolder(folder, kPhraseFresh);
  const std::string aside = InFolder(folder, kPhraseAside);
  platform::FileSystem& files = platform::Files();

  std::string reason;
  if (!WriteWholeFile(fresh, FormatPhrases(list), reason)) {
    return Fail(Format("无法写入 %s: %s", fresh.c_str(), reason.c_str()));
  }
  // Nothing is deleted before the new file has its name: the previous
  // backup is put aside, and every step that fails is undone.
  const bool had_file = files.Exists(file);
  const bool had_backup = had_file && files.Exists(backup);
  if (had_backup && files.Exists(aside)) files.Remove(aside);
  if (had_backup && !files.Rename(backup, aside)) {
    files.Remove(fresh);
    return Fail(Format("无法把 %s 改名为 %s", backup.c_str(), aside.c_str()));
  }
  if (had_file && !files.Rename(file, backup)) {
    if (had_backup) files.Rename(aside, backup);
    files.Remove(fresh);
    return Fail(Format("无法把 %s 改名为 %s", file.c_str(), backup.c_str()));
  }
  if (!files.Rename(fresh, file)) {
    if (had_file) files.Rename(backup, file);
    if (had_backup) files.Rename(aside, backup);
    files.Remove(fresh);
    return Fail(Format("无法把 %s 改名为 %s", fresh.c_str(), file.c_str()));
  }
  if (had_backup) files.Remove(aside);
  platform::Ui().ShowBox(kPhraseSavedText, kPhraseSavedCaption,
                         platform::kBoxOk | platform::kBoxIconInformation);
  return true;
}

}  // namespace mox::varelo
