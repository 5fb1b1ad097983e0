// The texts of the previewer's window, dialogs and page view, in both
// languages.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox {

// Titles and pages.
inline constexpr Bilingual kPageTitle{"%s - 第%ld页", "%s - Page %ld"};
inline constexpr Bilingual kPageListLine{" 第%ld页", " Page %ld"};
inline constexpr Bilingual kInvalidPageNumber{"非法页号", "Invalid page no."};
inline constexpr Bilingual kInvalidPageSelection{"非法页号", "Invalid page selection"};
inline constexpr Bilingual kNotAPageNumber{"\"%s\" 不是页号", "\"%s\" is not a page number"};
inline constexpr Bilingual kNoPageNumbered{"没有页号为 %s 的页", "No page is numbered %s"};
inline constexpr Bilingual kPreviewTitle{"MOXWIN 打印预览", "MOXWIN Print Preview"};
inline constexpr Bilingual kPreviewCloseHint{"按 Esc 键关闭预览",
                                             "Esc closes the preview"};

// Dialogs of the window.
inline constexpr Bilingual kOpenDviTitle{"打开DVI文件", "Open DVI file"};
inline constexpr Bilingual kZoomDialogTitle{"设置缩小因子", "Set zoom"};
inline constexpr Bilingual kZoomDialogPrompt{"请输入缩小因子", "Enter zoom factor"};
inline constexpr Bilingual kPageDialogTitle{"输入页号", "Enter page number"};
inline constexpr Bilingual kPageDialogPrompt{"请输入页号", "Please enter a page number"};
inline constexpr Bilingual kInvalidZoom{"非法缩小因子%lf", "Invalid zoom factor %lf"};
inline constexpr Bilingual kFacesNotSaved{"写文件\"%s\"失败", "Cannot save TrueType fonts to \"%s\""};
inline constexpr Bilingual kBiaoDianLine{"标点符号库: ", "BiaoDian: "};

// Options.
inline constexpr Bilingual kInvalidGamma{"非法辉度修正值", "Invalid gamma value!"};
inline constexpr Bilingual kOptionsSaved{"参数保存在文件\"%s\"中", "Options saved in \"%s\""};
inline constexpr Bilingual kOptionsNotSaved{"写文件\"%s\"失败", "Cannot save options to \"%s\""};

// Printing.
inline constexpr Bilingual kNoPrinter{"没有可用的打印机", "No printer is available"};
inline constexpr Bilingual kPrintingFailed{"打印失败", "Printing failed"};

// The ruler.
inline constexpr Bilingual kRulerReadout{"刻度单位: %dmm (%0.2lfcm,%0.2lfcm)",
                                         "Ruler unit: %dmm (%0.2lfcm,%0.2lfcm)"};

// Reloading and help.
inline constexpr Bilingual kFileInUse{
    "其它程序正在读写该DVI文件, 请等待直到DVI文件\n"
    "不再被其它程序使用, 然后单击OK继续",
    "The DVI file is in use by another application.\n"
    "Please wait for the application which uses the DVI file\n"
    "to terminate, and then click OK to continue"};
inline constexpr Bilingual kFileBeingWritten{
    " - DVI文件正在写入, 写完后自动重新装入",
    " - the DVI file is being written; it is loaded again once complete"};
inline constexpr Bilingual kFileMissing{
    " - DVI文件不存在, 重新生成后自动装入",
    " - the DVI file is not there; it is loaded again once it is back"};
inline constexpr Bilingual kHelpMissing{
    "帮助是程序目录下的教程tutor.dvi, 但找不到\"%s\"。\n"
    "请重新安装, 或用\"文件|打开\"打开教程。",
    "The previewer's help is the tutorial tutor.dvi beside the program,\n"
    "but \"%s\" is not there. Install it again, or open a tutorial\n"
    "with File|Open."};
inline constexpr Bilingual kHelpCaption{"帮助", "Help"};

// Source links.
inline constexpr Bilingual kNoSourceSpecials{
    "没有源文件位置信息: 请用 -src-specials 选项编译",
    "No source positions here: compile with TeX's -src-specials option"};
inline constexpr Bilingual kNotAmongSources{"%s 不在本文档的源文件位置信息中",
                                            "%s is not among this document's sources"};
inline constexpr Bilingual kCannotStartEditor{"无法启动编辑器\"%s\"",
                                              "Cannot start the editor \"%s\""};

// Links, finding and copying text.
inline constexpr Bilingual kFindDialogTitle{"查找", "Find"};
inline constexpr Bilingual kFindDialogPrompt{"查找文字:", "Text to find:"};
inline constexpr Bilingual kTextNotFound{"文档中找不到\"%s\"", "\"%s\" is not in the document"};
inline constexpr Bilingual kFindWrapped{"已到文档末尾, 从头继续查找\"%s\"",
                                        "The end was reached: \"%s\" found from the beginning"};
inline constexpr Bilingual kOpenAddressQuestion{
    "该链接指向文档以外的地址:\n%s\n\n用浏览器打开吗?",
    "This link leads out of the document, to\n%s\n\nOpen it in the browser?"};
inline constexpr Bilingual kLinkCaption{"链接", "Link"};
inline constexpr Bilingual kCannotOpenAddress{"没有浏览器能打开\"%s\"",
                                              "No browser could open \"%s\""};
inline constexpr Bilingual kAddressNotOpened{
    "该链接指向\"%s\": 预览程序只打开网址 (http, https, ftp, mailto)",
    "This link leads to \"%s\": the previewer opens only web and mail addresses"};
inline constexpr Bilingual kTargetMissing{"链接的目标\"%s\"不在本文档中",
                                          "The link's target \"%s\" is not in this document"};
inline constexpr Bilingual kTextCopied{"已复制 %d 个字符", "%d characters copied"};
inline constexpr Bilingual kNoTextSelected{"所选区域中没有文字", "No text in the rectangle"};
inline constexpr Bilingual kHowToSelect{"复制文字: 按住 Shift 键, 用鼠标左键拖过文字",
                                        "To copy text, drag over it with Shift held"};

}  // namespace mox
