#include "frontend/core/batch_menu.h"

#include "platform/file_system.h"
#include "platform/paths.h"

namespace mox::varelo {

const std::array<BatchItem, 21> kBatchItems = {{
    {"MOXexbat1", "MOXex.bat", "\\Batch\\moxex.bat", "mox"},
    {"N6", "&LateX.bat", "\\Batch\\latex.bat", "latex.bat"},
    {"AmsTeX1", "&AmsTeX.bat", "\\Batch\\amstex.bat", "amstex.bat"},
    {"EmTeX1", "&EmTeX.bat", "\\Batch\\emtex.bat", "emtex.bat"},
    {"PcTeX2", "&PcTeX.bat", "\\Batch\\pctex.bat", "pctex.bat"},
    {"TeX4", "&TeX.bat", "\\Batch\\tex.bat", "tex.bat"},
    {"MiKTeX1", "&MiKTeX.bat", "\\Batch\\miktex.bat", "miktex.bat"},
    {"BibTeX1", "&BibTeX.bat", "\\Batch\\bibtex.bat", "bibtex.bat"},
    {"Compile1", "&Compile.bat", "\\Batch\\compile.bat", "compile.bat"},
    {"View2", "&View.bat", "\\Batch\\view.bat", "view.bat"},
    {"DviPrintbat1", "&DviPrint.bat", "\\Batch\\dviprint.bat", "dviprint.bat"},
    {"View1", "C&lean.bat", "\\Batch\\view.bat", "view.bat"},
    {"DviPSbat1", "Dv&iPs.bat", "\\Batch\\dvips.bat", "dvips.bat"},
    {"PDFLaTeXbat1", "PDFLaTeX.bat", "\\Batch\\PDFLaTeX.bat", "PDFLaTeX.bat"},
    {"PDFTeXbat1", "PDFTeX.bat", "\\Batch\\PDFTeX.bat", "PDFTeX.bat"},
    {"User1bat1", "User&1.bat", "\\Batch\\User1.bat", "User1.bat"},
    {"User2bat1", "User&2.bat", "\\Batch\\User2.bat", "User2.bat"},
    {"User3bat1", "User&3.bat", "\\Batch\\User3.bat", "User3.bat"},
    {"User4bat1", "User&4.bat", "\\Batch\\User4.bat", "User4.bat"},
    {"User5bat1", "User&5.bat", "\\Batch\\User5.bat", "User5.bat"},
    {"User6bat1", "User&6.bat", "\\Batch\\User6.bat", "User6.bat"},
}};

const std::array<TemplateItem, 14> kTemplateItems = {{
    {"MOX1", "中文MO&X 模板", "\\Template\\MOXex.ctx"},
    {"LaTeX2", " L&aTeX  模板", "\\Template\\latex.tex"},
    {"LaTeX3", " LaT&eX  书信", "\\Template\\letter.tex"},
    {"AmsTeX2", " A&msTeX 模板", "\\Template\\amsTex.tex"},
    {"SciWord1", "Sci&Word 模板", "\\Template\\Sciword.tex"},
    {"BibTeX2", " B&ibTeX 数据", "\\Template\\bibtex.bib"},
    {"User1tex1", "Myctx&1.ctx", "\\Template\\myctx1.ctx"},
    {"User2tex1", "Myctx&2.ctx", "\\Template\\myctx2.ctx"},
    {"User3tex1", "Myctx3.ctx", "\\Template\\myctx3.ctx"},
    {"User4tex1", "Myctx&4.ctx", "\\Template\\myctx4.ctx"},
    {"User5tex1", "Mytex&A.tex", "\\Template\\mytexA.tex"},
    {"User6tex1", "Mytex&B.tex", "\\Template\\mytexB.tex"},
    {"MytexCtex1", "Mytex&C.tex", "\\Template\\mytexC.tex"},
    {"MytexDtex1", "Mytex&D.tex", "\\Template\\mytexD.tex"},
}};

namespace {

// The file names above are written for Windows ("\\Batch\\x.bat"); a
// POSIX program folder takes them with its own separator.
std::string InProgramDir(const std::string& program_dir, std::string_view file) {
  std::string relative(file.substr(1));
  if (std::string_view(platform::SeparatorToAppend(program_dir)) == "/") {
    for (char& c : relative) {
      if (c == '\\') c = '/';
    }
  }
  return JoinPath(program_dir, relative);
}

}  // namespace

const BatchItem* FindBatchItem(std::string_view item) {
  for (const BatchItem& row : kBatchItems) {
    if (row.Item == item) return &row;
  }
  return nullptr;
}

const TemplateItem* FindTemplateItem(std::string_view item) {
  for (const TemplateItem& row : kTemplateItems) {
    if (row.Item == item) return &row;
  }
  return nullptr;
}

std::string BatchCommandOf(const BatchItem& item, const std::string& program_dir) {
  const std::string path = InProgramDir(program_dir, item.BatchFile);
  return platform::Files().Exists(path) ? path : std::string(item.Fallback);
}

std::optional<ProgramStart> RunBatch(const std::string& command,
                                     const std::string& source_path) {
  if (source_path.empty() || !platform::Files().Exists(source_path)) return std::nullopt;
  return ProgramStart{Quoted(command) + " " + Quoted(BaseNameOf(source_path)),
                      FolderPartOf(source_path), kShowNormal};
}

std::optional<std::string> TemplatePathOf(const TemplateItem& item,
                                          const std::string& program_dir) {
  std::string path = InProgramDir(program_dir, item.TemplateFile);
  if (!platform::Files().Exists(path)) return std::nullopt;
  return path;
}

ProgramStart TutorialStart(const std::string& program_dir) {
  return ProgramStart{Quoted(program_dir + "\\moxwin32.exe") + " " +
                          Quoted(program_dir + "\\tutor.dvi"),
                      std::string(), kShowHidden};
}

InfoMessage AboutBatchFiles(const std::string& program_dir) {
  return {"系统通常使用默认的批处理文件",
          "必要时请编辑您的专用批处理文件并存放于" + program_dir + "\\Batch 目录!"};
}

InfoMessage AboutTemplates(const std::string& program_dir) {
  return {"使用文档模板多快好省",
          // The menu opens mytexA.tex to mytexD.tex, so the text names those
          // (not MyTeX1.tex to MyTeX4.tex, files no item opens).
          "请设计您的文档模板文件 MyCTX1.ctx---MyCTX4.ctx 和 MyTeXA.tex---MyTeXD.tex "
          "并存放于" +
              program_dir + "\\Template 目录!"};
}

}  // namespace mox::varelo
