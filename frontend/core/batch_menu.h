// The batch menu "批命令(&B)", the templates menu "模板(&M)" and the
// tutorial as data: which file each item uses and what the editor starts.
// The frame's handlers look the item up and start or open what these give.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/core/program_start.h"

namespace mox::varelo {

struct BatchItem {
  std::string_view Item;     // the menu item's name
  std::string_view Caption;
  std::string_view BatchFile;  // in the program folder
  std::string_view Fallback;   // started when the batch file is missing
};

// In menu order. "C&lean.bat" runs the view batch file, like "&View.bat".
extern const std::array<BatchItem, 21> kBatchItems;

struct TemplateItem {
  std::string_view Item;
  std::string_view Caption;
  std::string_view TemplateFile;  // in the program folder
};

extern const std::array<TemplateItem, 14> kTemplateItems;

// The item of a name, or null.
const BatchItem* FindBatchItem(std::string_view item);
const TemplateItem* FindTemplateItem(std::string_view item);

// The batch file in the program folder when it exists (the file system
// matches names without regard to case), else the item's fallback, a bare
// name the system finds along its search path.
std::string BatchCommandOf(const BatchItem& item, const std::string& program_dir);

// What a batch command does on a source: command and the source's base
// name, quoted, run in the source's folder (not the editor's current
// folder, which the file dialogs leave wherever the user last went), shown
// normally. Nothing when the source does not exist (a window never saved).
std::optional<ProgramStart> RunBatch(const std::string& command,
                                     const std::string& source_path);

// The template file of an item, or nothing when it is missing.
std::optional<std::string> TemplatePathOf(const TemplateItem& item,
                                          const std::string& program_dir);

// The tutorial: the previewer beside the program on the tutorial document,
// started hidden (the previewer shows its window all the same).
ProgramStart TutorialStart(const std::string& program_dir);

struct InfoMessage {
  std::string Caption;
  std::string Text;
};

// "关于批处理文件" and "关于模板".
InfoMessage AboutBatchFiles(const std::string& program_dir);
InfoMessage AboutTemplates(const std::string& program_dir);

}  // namespace mox::varelo
