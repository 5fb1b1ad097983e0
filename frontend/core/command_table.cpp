#include "frontend/core/command_table.h"

#include "frontend/core/frame_files.h"
#include "platform/file_system.h"

namespace mox::varelo {
namespace {

using Base = CommandRow::Base;
using FileForm = CommandRow::FileForm;

constexpr std::string_view kTailCtx = "不存在，请重新选择 CTX 文件！";
constexpr std::string_view kTailCompile = "不存在,请先用MOX和LaTeX或AmsTeX命令！";
constexpr std::string_view kTailMox = "不存在，请先用MOX命令或选择 TeX 文件！";
constexpr std::string_view kTailTex = "不存在，请重新选择 TeX 文件！";
constexpr std::string_view kNoTex = "TeX 系统文件 TeX.exe 未发现，请重新选择 TeX 系统路径！";
constexpr std::string_view kNoDviScr = "TeX 系统文件 DVISCR.EXE 未发现，请重新选择 TeX 系统路径！";
constexpr std::string_view kEnv = kEnvironmentCaption;

}  // namespace

const std::array<CommandRow, 18> kCommandRows = {{
    {"MOXVIEW", Base::TexDir, "MOXVIEW.BAT",
     "Varelo 系统文件 MOXVIEW 未发现，请重新选择中文 TeX 系统路径！", kEnv, FileForm::Name,
     FileForm::BaseName, kTailCtx, "moxview.bat", "", FileForm::BaseName},
    {"MOXWIN32", Base::ProgramDir, "MOXWIN32.EXE", "Varelo 系统文件 MOXWIN32.EXE 未发现！",
     kPreviewerCaption, FileForm::BaseDvi, FileForm::BaseDvi, kTailCompile, "MOXWIN32.EXE", "",
     FileForm::BaseDvi},
    {"MOXWIN16", Base::ProgramDir, "MOXWIN16.EXE", "Varelo 系统文件 MOXWIN16.EXE 未发现！",
     kPreviewerCaption, FileForm::BaseDvi, FileForm::BaseDvi, kTailCompile, "MOXWIN16.EXE", "",
     FileForm::BaseDvi},
    {"MOX", Base::TexDir, "mox.exe", "MOX 系统文件 MOX.exe 未发现，请重新选择中文 TeX 系统路径！",
     kEnv, FileForm::Name, FileForm::Name, kTailCtx, "mox", "", FileForm::Name},
    {"LATEX", Base::TexDir, "LATEX.BAT",
     "TeX 系统文件 LaTeX.bat 未发现，请重新选择中文 TeX 系统路径！", kEnv, FileForm::Name,
     FileForm::BaseName, kTailCtx, "LATEX.bat", "", FileForm::BaseName},
    {"AMSTEX", Base::TexDir, "AMSTEX.BAT",
     "TeX 系统文件 AmsTeX.bat 未发现，请重新选择中文 TeX 系统路径！", kEnv, FileForm::Name,
     FileForm::BaseName, kTailCtx, "AMSTEX.bat", "", FileForm::BaseName},
    {"VIEW", Base::TexDir, "VIEW.BAT", "TeX 系统文件 View.bat 未发现，请重新选择中文 TeX 系统路径！",
     kEnv, FileForm::Name, FileForm::BaseName, kTailCtx, "view.bat", "", FileForm::BaseName},
    {"SETPRT", Base::TexDir, "SETPRT.EXE",
     "TeX 系统文件 Setprt.exe 未发现，请重新选择中文 TeX 系统路径！", kEnv, FileForm::None,
     FileForm::None, "", "setprt.exe", "", FileForm::None},
    {"DVI24P", Base::TexDir, "DVI24P.EXE",
     "TeX 系统文件 Dvi24p.exe 未发现，请重新选择中文 TeX 系统路径！", kEnv, FileForm::Name,
     FileForm::BaseName, kTailCtx, "dvi24p.exe", "", FileForm::BaseName},
    {"DVILJP", Base::TexDir, "dviljp.exe",
     "TeX 系统文件 Dviljp.exe 未发现，请重新选择中文 TeX 系统路径！", kEnv, FileForm::Name,
     FileForm::BaseName, kTailCtx, "dviljp.exe", "", FileForm::BaseName},
    {"LaTeX (MOX5.10)", Base::TexDir, "tex.exe", kNoTex, kEnv, FileForm::BaseTex, FileForm::BaseTex,
     kTailMox, "tex", "&latex", FileForm::BaseName},
    {"DviScr (MOX5.10)", Base::TexDir, "dviscr.exe", kNoDviScr, kEnv, FileForm::BaseDvi,
     FileForm::BaseDvi, kTailCompile, "dviscr", "-r180 -z2", FileForm::BaseName},
    {"DviPrn", Base::TexDir, "dvi24p.exe", "TeX 系统文件 DVI24P.EXE 未发现，请重新选择 TeX 系统路径！",
     kEnv, FileForm::BaseDvi, FileForm::BaseDvi, kTailCompile, "dvi24p", "", FileForm::BaseName},
    {"SetPrt", Base::TexDir, "setprt.exe", "TeX 系统文件 SetPrt.exe 未发现，请重新选择 TeX 系统路径！",
     kEnv, FileForm::None, FileForm::None, "", "setprt", "", FileForm::None},
    {"LaTeX (MOX5.0)", Base::TexDir, "tex.exe", kNoTex, kEnv, FileForm::BaseTex, FileForm::BaseTex,
     kTailMox, "tex", "&lplain", FileForm::BaseName},
    {"DviScr (MOX5.0)", Base::TexDir, "dviscr.exe", kNoDviScr, kEnv, FileForm::BaseDvi,
     FileForm::BaseDvi, kTailCompile, "dviscr", "-r180 -z2", FileForm::BaseName},
    {"AmsTeX (MOX5.0)", Base::TexDir, "tex.exe", kNoTex, kEnv, FileForm::BaseTex, FileForm::BaseTex,
     kTailTex, "tex", "&amsplain", FileForm::BaseName},
    {"AmsTeX (MOX5.10)", Base::TexDir, "tex.exe", kNoTex, kEnv, FileForm::BaseTex, FileForm::BaseTex,
     kTailTex, "TEX", "&amstex", FileForm::BaseName},
}};

const CommandRow* FindCommandRow(std::string_view command) {
  for (const CommandRow& row : kCommandRows) {
    if (row.Command == command) return &row;
  }
  return nullptr;
}

namespace {

std::string PartOf(FileForm part, const std::string& source) {
  switch (part) {
    case FileForm::None: return std::string();
    case FileForm::Name: return NamePartOf(source);
    case FileForm::BaseName: return BaseNameOf(source);
    case FileForm::BaseDvi: return BaseNameOf(source) + ".DVI";
    case FileForm::BaseTex: return BaseNameOf(source) + ".TEX";
  }
  return std::string();
}

}  // namespace

std::variant<RunnerMessage, ProgramStart> EvaluateCommand(const CommandRow& row,
                                                         const std::string& tex_dir,
                                                         const std::string& program_dir,
                                                         const std::string& source) {
  const std::string& folder = row.ToolBase == Base::TexDir ? tex_dir : program_dir;
  if (!platform::Files().Exists(JoinPath(folder, std::string(row.ToolFile)))) {
    return RunnerMessage{std::string(row.ToolMessage), std::string(row.ToolCaption)};
  }
  const std::string source_folder = FolderPartOf(source);
  if (row.Input != FileForm::None) {
    const std::string input = PartOf(row.Input, source);
    const std::string path = source_folder.empty() ? input : JoinPath(source_folder, input);
    if (!platform::Files().Exists(path)) {
      return RunnerMessage{"文件" + PartOf(row.InputSubject, source) + std::string(row.InputTail),
                           kInputCaption};
    }
  }
  std::string line = Quoted(JoinPath(folder, std::string(row.Program)));
  if (!row.Options.empty()) line += " " + std::string(row.Options);
  if (row.Argument != FileForm::None) line += " " + Quoted(PartOf(row.Argument, source));
  return ProgramStart{line, source_folder, kShowNormal};
}

}  // namespace mox::varelo
