// The texts of the TeX command runner dialog for its window: caption,
// banner, labels, buttons, hints, the file chooser's filter and folder,
// and the usage guide (GBK once compiled).
#pragma once

#include <string_view>

namespace mox::varelo {

inline constexpr std::string_view kRunnerCaption = "中西文 ΤEΧ 命令 Windows 集成环境";
inline constexpr std::string_view kRunnerBanner = "中西文ΤEΧ命令中文视窗集成环境";
inline constexpr std::string_view kRunnerHint =
    "中西文Τεχ命令使用步骤∶TeXEdit→MOX(中文)→LaTeX(AmsTeX)→DviScr→DviPrn";
inline constexpr std::string_view kTexDirLabel = "中西文TeX 路径名";
inline constexpr std::string_view kSourceLabel = "中西文TeX 文件名";
inline constexpr std::string_view kCommandLabel = "中西文TeX 命令";
inline constexpr std::string_view kBrowseButton = "查找 …";
inline constexpr std::string_view kEndBrowsingButton = "结束";
inline constexpr std::string_view kRunButton = "执行[&E] ";
inline constexpr std::string_view kRunHint = "请先设置好参数, 后使用ΤEΧ命令!";
inline constexpr std::string_view kSaveParametersButton = "保存参数";
inline constexpr std::string_view kSaveHint = "第一次使用, 请先保存参数!";
inline constexpr std::string_view kRunnerHelpButton = "帮助[&H] ";
inline constexpr std::string_view kRunnerHelpHint = "请先设置好参数, 后使用中西文ΤEΧ命令！";
inline constexpr std::string_view kRunnerCancelButton = "取消[&C]";
inline constexpr std::string_view kRunnerCancelHint = "取消操作！";
inline constexpr std::string_view kInitialCommand = "MOXVIEW";

inline constexpr std::string_view kSourceChooserFolder = "d:\\emtex";
inline constexpr std::string_view kSourceChooserFilter =
    "中西文TeX 文件(*.CTX; *.TEX)|*.ctx;*.tex|中文MOX 文件(*.CTX)|*.ctx|西文TeX 文件(*.TeX)|"
    "*.tex|显示打印DVI文件(*.DVI)|*.dvi|所有文件(*.*)  |*.*";

// The read-only usage guide, lines ended by "\r\n" as an edit control
// wants them.
inline constexpr std::string_view kUsageGuide =
    "使用指南与答疑解惑\r\n"
    "编译和预览中文文档请用 MOX 批处理命令 MOXVIEW：它先用 MOX 转换中文 CTX "
    "文件，再用 LaTeX 编译，然后启动预览程序。在 Windows 下预览和打印 DVI 文件请用 "
    "MOXWIN32。\r\n"
    "\r\n"
    "经验之谈\r\n"
    "源文件中的中文请用 GB 2312 汉字输入；中文标点请用全角符号。中文之间不要加空格，"
    "行末的中文与下一行的中文之间不会出现多余的空白。\r\n"
    "\r\n"
    "批处理文件 C:\\Varelo\\moxview.bat（即程序目录中的 moxview.bat）可以编辑成您自己的"
    "批处理文件；LaTeX、AmsTeX 和 View 也是一样。\r\n"
    "\r\n"
    "中西文ΤeΧ使用步骤\r\n"
    "1.用编辑器编TeX或CTX文件.\r\n"
    "2.用MOX转换中文CTX.\r\n"
    "3.用LaTeX或AmsTeX编译.\r\n"
    "4.用DviScr预览.\r\n"
    "5.用SetPrt设置打印机类型.\r\n"
    "6.用DviPrn打印.\r\n"
    "\r\n"
    "单独使用TeX批处理\r\n"
    "选择命令 LATEX、AMSTEX、MOX 或 VIEW，分别运行 TeX 目录中的批处理文件或程序。"
    "程序目录的 TeX 子目录中已有这些批处理文件，它们调用搜索路径上的 TeX 系统。\r\n"
    "\r\n"
    "注意事项与错误解除\r\n"
    "请将 MOX 预览批处理文件和源文件复制到 TeX 目录中，并在启动批处理文件中加入 TeX "
    "目录的环境设置，例如 (emTeX)：\r\n"
    "path=%path%;d:\\emtex\r\n"
    "set EMTEXDIR=D:\\EMTEX\r\n"
    "set EMX=D:\\EMTEX\\EMX.EXE\r\n"
    "set RSX=D:\\EMTEX\\RSX.EXE\r\n";

}  // namespace mox::varelo
