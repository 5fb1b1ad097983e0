// The frame's help items: Varelo's own LaTeX reference in the user's
// browser (the assistant's help opens it at its row), the installed TeX
// distribution's documentation through texdoc, and the PcTeX item, greyed:
// the help engine of their old help files is gone from current Windows,
// and the files were never shipped.
#include <windows.h>
#include <shellapi.h>

#include "frontend/core/commands.h"
#include "frontend/core/frame_files.h"
#include "frontend/win32/mdi_frame.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "platform/win32/framework/browser.h"
#include "platform/win32/wide_text.h"


namespace mox::varelo {
namespace {

constexpr char kHelpCaption[] = "帮助";

// A program along the search path (with .exe, .bat or .cmd), or nothing.
std::optional<std::wstring> Searched(const wchar_t* name) {
  for (const wchar_t* extension : {L".exe", L".bat", L".cmd"}) {
    const DWORD size = SearchPathW(nullptr, name, extension, 0, nullptr, nullptr);
    if (size == 0) continue;
    std::wstring path(size, L'\0');
    const DWORD written = SearchPathW(nullptr, name, extension, size, path.data(), nullptr);
    if (written == 0 || written >= size) continue;
    path.resize(written);
    return path;
  }
  return std::nullopt;
}

}  // namespace

void TFrameForm::ShowReference(const std::string& fragment) {
  const std::string path = ReferencePathOf(program_dir_);
  if (!platform::Files().Exists(path)) {
    platform::Ui().ShowBox("没有找到 LaTeX 命令参考 " + path + ": 请重新安装 Varelo.", kHelpCaption,
                           platform::kBoxOk | platform::kBoxIconError);
    return;
  }
  // The address with its anchor, for the system; else for the browser
  // itself (some systems open no file: address with an anchor); else the
  // file, at its top.
  const std::wstring url = platform::Widen(FileUrl(path, fragment));
  bool opened = win::OpenInBrowser(Handle(), url);
  if (!opened) {
    opened = reinterpret_cast<INT_PTR>(ShellExecuteW(Handle(), L"open",
                                                     platform::Widen(path).c_str(), nullptr,
                                                     nullptr, SW_SHOWNORMAL)) > 32;
  }
  if (!opened) {
    platform::Ui().ShowBox("没有浏览器打开 LaTeX 命令参考 " + path + ".", kHelpCaption,
                           platform::kBoxOk | platform::kBoxIconError);
  }
}

void TFrameForm::ShowHelp(int command) {
  if (command == CM_HELP_LATEX) {
    ShowReference("");
    return;
  }
  if (command != CM_HELP_MIKTEX) return;  // PcTeX: greyed
  const std::optional<std::wstring> texdoc = Searched(L"texdoc");
  if (!texdoc) {
    platform::Ui().ShowBox(kNoTexdocText, kHelpCaption,
                           platform::kBoxOk | platform::kBoxIconInformation);
    return;
  }
  // MiKTeX's manual where MiKTeX is installed, else TeX Live's guide.
  const char* manual = Searched(L"initexmf") ? "miktex" : "texlive";
  Start(ProgramStart{Quoted(platform::Narrow(*texdoc)) + " " + manual, std::string(),
                     kShowHidden});
}

}  // namespace mox::varelo
