#include "frontend/core/command_runner.h"

#include "frontend/core/file_io.h"
#include "frontend/core/frame_files.h"
#include "platform/directories.h"
#include "platform/file_system.h"

namespace mox::varelo {
namespace {

constexpr int kFolderAttempts = 100;

}  // namespace

CommandRunner::CommandRunner(CommandRunnerHost& host, std::string program_dir)
    : host_(host), program_dir_(std::move(program_dir)),
      location_(LoadTexLocation(program_dir_)) {}

bool CommandRunner::TexDirExists() {
  if (platform::IsDirectory(location_.TexDir)) return true;
  host_.ShowMessage("中西文 TeX 路径不存在，请重新选择！", kEnvironmentCaption);
  return false;
}

bool CommandRunner::CopyViewBatch(std::string& reason) {
  const std::string from = JoinPath(program_dir_, "moxview.bat");
  const std::string to = JoinPath(location_.TexDir, "moxview.bat");
  std::string bytes;
  return ReadWholeFile(from, bytes, reason) && WriteWholeFile(to, bytes, reason);
}

void CommandRunner::SaveParameters() {
  std::string reason;
  // A program folder the user may not write to (one under "Program
  // Files") keeps the parameters for this session only: say so, and still
  // check them and copy the batch file.
  if (!SaveTexLocation(program_dir_, location_, reason)) {
    host_.ShowMessage(reason, kEnvironmentCaption);
  }
  if (!TexDirExists()) return;
  if (!platform::Files().Exists(JoinPath(program_dir_, "MOXVIEW.BAT"))) {
    host_.ShowMessage("系统文件 MOXVIEW.Bat 未发现！", kEnvironmentCaption);
    return;
  }
  if (!CopyViewBatch(reason)) host_.ShowMessage(reason, kEnvironmentCaption);
}

void CommandRunner::Run() {
  if (!host_.SaveBeforeRun()) return;
  if (!TexDirExists()) return;
  const std::string& source = location_.Source;
  if (source.empty() || !platform::Files().Exists(source)) {
    host_.ShowMessage("文件" + source + "不存在，请重新选择中西文TeX文件!", kInputCaption);
    return;
  }
  // The TeX folder gets the MOX view batch file when neither it nor the
  // current folder has one; a copy the user edited there is never replaced.
  const std::string current_view = JoinPath(host_.CurrentFolder(), "MOXVIEW.BAT");
  const std::string tex_view = JoinPath(location_.TexDir, "moxview.bat");
  if (!platform::Files().Exists(current_view) && !platform::Files().Exists(tex_view)) {
    // As the system's file copy: a failure shows nothing; the MOXVIEW
    // row then reports its missing batch file.
    std::string reason;
    CopyViewBatch(reason);
  }
  const std::string source_folder = FolderPartOf(source);
  host_.SetOpenDialogFolder(source_folder.empty() ? source_folder : JoinPath(source_folder, ""));
  // The system may not take the folder at once (a drive waking up): try
  // again, a bounded number of times.
  if (!source_folder.empty()) {
    for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
      host_.SetCurrentFolder(source_folder);
      if (host_.CurrentFolder() == source_folder) break;
    }
  }
  const CommandRow* row = FindCommandRow(command_);
  if (row == nullptr) return;
  if (const std::string problem = TexFileNameProblem(command_, source); !problem.empty()) {
    host_.ShowMessage(problem, kInputCaption);
    return;
  }
  const auto outcome = EvaluateCommand(*row, location_.TexDir, program_dir_, source);
  if (const auto* message = std::get_if<RunnerMessage>(&outcome)) {
    host_.ShowMessage(message->Text, message->Caption);
  } else {
    host_.Start(std::get<ProgramStart>(outcome));
  }
}

void CommandRunner::BrowseFolders() { host_.ShowFolderBrowser(true); }

void CommandRunner::FolderChosen(const std::string& folder) {
  location_.TexDir = folder;
  host_.ShowTexDir(folder);
}

void CommandRunner::EndFolderBrowsing() { host_.ShowFolderBrowser(false); }

void CommandRunner::BrowseSourceFile() {
  // The chooser opens in the source's folder. One that does not exist (the
  // initial "D:\\emtex" on a system without drive D) is not handed on: the
  // system may refuse a chooser preset to it; the name alone is.
  std::string preset = location_.Source;
  const std::string folder = FolderPartOf(preset);
  if (!folder.empty() && !platform::IsDirectory(folder)) preset = NamePartOf(preset);
  if (std::optional<std::string> chosen = host_.ChooseSourceFile(preset)) {
    location_.Source = *chosen;
    host_.ShowSource(*chosen);
  }
}

void CommandRunner::Help() {
  host_.ShowMessage("Autoexec.bat应增加TeX系统搜索路径或复制源文件到TeX目录!", kEnvironmentCaption);
}

void CommandRunner::Cancel() { host_.HideDialog(); }

}  // namespace mox::varelo
