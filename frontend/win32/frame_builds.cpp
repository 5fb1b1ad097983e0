// What the frame builds: a batch item on the active window's file, the
// caret line shown in the previewer, and the saving both do first, so
// that TeX reads what the user sees. What cannot run says why.
#include <algorithm>

#include "frontend/core/batch_menu.h"
#include "frontend/core/build_messages.h"
#include "frontend/core/build_saving.h"
#include "frontend/core/commands.h"
#include "frontend/core/source_link.h"
#include "frontend/win32/mdi_edit.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/application.h"
#include "platform/win32/framework/source_link.h"

namespace mox::varelo {
namespace {

constexpr char kBatchCaption[] = "批命令";

void Tell(const std::string& text, const char* caption, unsigned icon) {
  platform::Ui().ShowBox(text, caption, platform::kBoxOk | icon);
}

// A menu caption without its mnemonic mark: "&LateX.bat" is "LateX.bat".
std::string Plain(std::string_view caption) {
  std::string plain;
  for (char c : caption) {
    if (c != '&') plain.push_back(c);
  }
  return plain;
}

// Why the system started no program, from the code it gave.
std::string StartFailure(int code) {
  switch (code) {
    case 0: return "系统资源不足";
    case 2: return "找不到这个程序";
    case 3: return "找不到路径";
    case 5: return "拒绝访问";
    case 11: return "不是有效的程序";
    default: return Format("错误 %d", code);
  }
}

}  // namespace

bool TFrameForm::SaveForBuild(const std::string& what) {
  TEditForm* active = ActiveEditor();
  if (active == nullptr) return true;
  std::vector<Editor*> editors;
  for (const std::unique_ptr<win::TMdiChild>& child : Children()) {
    if (auto* editor = dynamic_cast<TEditForm*>(child.get())) editors.push_back(editor);
  }
  switch (varelo::SaveForBuild(*active, editors)) {
    case BuildSaving::Ready: return true;
    case BuildSaving::NoFile:
      Tell(what + " 没有运行: 窗口的文本还没有保存成文件.", kBatchCaption,
           platform::kBoxIconInformation);
      return false;
    case BuildSaving::Cancelled: return false;
  }
  return false;
}

void TFrameForm::Start(const ProgramStart& start) {
  // Not waited for; a program that did not start is reported.
  const int code =
      platform::StartProgramCodeIn(start.CommandLine, start.WorkingFolder, start.ShowMode);
  if (code < 32) TellStartFailure(start, code);
}

void TFrameForm::TellStartFailure(const ProgramStart& start, int code) {
  Tell(Format("无法启动 %s: %s.", start.CommandLine.c_str(), StartFailure(code).c_str()),
       kBatchCaption, platform::kBoxIconError);
}

void TFrameForm::RunBatchItem(std::size_t index) {
  if (index >= kBatchItems.size()) return;
  const BatchItem& item = kBatchItems[index];
  const std::string name = Plain(item.Caption);
  TEditForm* editor = ActiveEditor();
  if (editor == nullptr) {
    Tell(name + " 没有运行: 批命令处理当前窗口的文件, 请先打开或新建一个文件.", kBatchCaption,
         platform::kBoxIconInformation);
    return;
  }
  if (!SaveForBuild(name)) return;
  if (const std::string problem = TexFileNameProblem(name, editor->SavedFileName());
      !problem.empty()) {
    Tell(problem, kBatchCaption, platform::kBoxIconError);
    return;
  }
  const std::string command = BatchCommandOf(item, program_dir_);
  const std::optional<ProgramStart> start = RunBatch(command, editor->SavedFileName());
  if (!start) {
    Tell(name + " 没有运行: 找不到文件 " + editor->SavedFileName() + ".", kBatchCaption,
         platform::kBoxIconError);
    return;
  }
  int code = 0;
  if (StartRun(*start, name, editor->SavedFileName(), code)) return;
  // Without the batch file the command of its name was tried.
  const bool fallback = command == item.Fallback;
  Tell(fallback ? Format("没有找到批处理文件 %s%s, 也无法启动 %s: %s.", program_dir_.c_str(),
                         std::string(item.BatchFile).c_str(), command.c_str(),
                         StartFailure(code).c_str())
                : Format("无法启动批处理文件 %s: %s.", command.c_str(), StartFailure(code).c_str()),
       kBatchCaption, platform::kBoxIconError);
}

bool TFrameForm::StartRun(const ProgramStart& start, const std::string& what,
                          const std::string& source, int& code) {
  std::unique_ptr<platform::WatchedProgram> run =
      platform::StartWatchedProgram(start.CommandLine, start.WorkingFolder, start.ShowMode, code);
  if (!run) return false;
  platform::WatchedProgram* watched = run.get();
  // More runs at once than the loop can watch: this one runs unwatched.
  if (!win::WatchHandle(static_cast<HANDLE>(watched->EndSignal()),
                        [this, watched, source] { RunEnded(watched, source); })) {
    return true;
  }
  runs_.push_back(std::move(run));
  build_panel_.Model().RunStarted(what, source);
  build_panel_.Refresh();
  SetBuildPanelVisible(true);
  return true;
}

void TFrameForm::RunEnded(platform::WatchedProgram* run, const std::string& source) {
  std::erase_if(runs_, [run](const auto& kept) { return kept.get() == run; });
  build_panel_.Model().RunEnded(ReadBuildMessages(source));
  build_panel_.Refresh();
  SetBuildPanelVisible(true);
}

void TFrameForm::OpenBuildRow(std::size_t row) {
  const std::vector<BuildPanelRow>& rows = build_panel_.Model().Rows();
  if (row >= rows.size() || rows[row].Place.Path.empty()) return;
  const SourcePlace& place = rows[row].Place;
  if (!platform::Files().Exists(place.Path)) {
    Tell("找不到文件 " + place.Path + ".", "编译信息", platform::kBoxIconInformation);
    return;
  }
  ShowSourceLine(place.Path, std::max(place.Line, 1));
}

void TFrameForm::StepBuildRows(bool forward) {
  const std::optional<std::size_t> row = build_panel_.Model().Step(forward);
  if (!row) return;
  SetBuildPanelVisible(true);
  build_panel_.ShowSelected();
  OpenBuildRow(*row);
}

void TFrameForm::SetBuildPanelVisible(bool visible) {
  if (build_panel_.Handle() == nullptr) return;
  ShowWindow(build_panel_.Handle(), visible ? SW_SHOWNA : SW_HIDE);
  menus_.SetChecked(CM_BUILD_PANEL, visible);
  Layout();
}

void TFrameForm::ShowCaretLineInPreviewer() {
  TEditForm* editor = ActiveEditor();
  if (editor == nullptr) return;
  // The line the previewer is asked for is the line on disk.
  if (editor->IsModified() && editor->HasFile() && !SaveForBuild("在预览中显示本行")) return;
  if (editor->SavedFileName().empty() || !editor->HasFile()) {
    platform::Ui().ShowBox("请先保存并编译本文件, 然后在预览中显示.", "预览",
                           platform::kBoxOk | platform::kBoxIconInformation);
    return;
  }
  const ForwardSearch search = ForwardSearchFor(program_dir_, editor->FileName(), editor->CaretLine());
  if (!platform::Files().Exists(search.Position.DviFile)) {
    platform::Ui().ShowBox(Format("没有找到 %s: 请先编译本文件 (用 -src-specials 选项).",
                                  search.Position.DviFile.c_str()),
                           "预览", platform::kBoxOk | platform::kBoxIconInformation);
    return;
  }
  // A running previewer is asked; otherwise one is started on the DVI file.
  if (win::SendSourcePosition(win::kPreviewerFrameClass, search.Position)) return;
  if (!platform::StartProgram(search.Previewer.CommandLine, search.Previewer.ShowMode)) {
    platform::Ui().ShowBox(Format("无法启动预览程序: %s", search.Previewer.CommandLine.c_str()),
                           "预览", platform::kBoxOk | platform::kBoxIconError);
  }
}

}  // namespace mox::varelo
