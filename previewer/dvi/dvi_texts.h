// The texts of the DVI reader and the page scanner, in both languages.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox {

// Opening a document. The Chinese text of a malformed file is always the
// same; the English one says what is wrong.
inline constexpr Bilingual kCannotOpenDvi{"打不开DVI文件或非法文件类型",
                                          "Cannot open DVI file or invalid file type."};
inline constexpr Bilingual kCannotReopenDvi{"DVI文件打开失败", "Cannot reopen DVI file!"};
inline constexpr Bilingual kInvalidDvi{"非法DVI文件", "Invalid DVI file"};
inline constexpr Bilingual kInvalidId{"非法DVI文件", "Invalid id."};
inline constexpr Bilingual kNoPostPost{"非法DVI文件", "Can not find the post_post command"};
inline constexpr Bilingual kNoPostamble{"非法DVI文件", "Can not find the postamble"};
inline constexpr Bilingual kBadPageChain{"非法DVI文件", "Invalid page pointer chaine"};
inline constexpr Bilingual kBadPagePointer{"非法DVI文件", "Invalid page pointer"};
inline constexpr Bilingual kNoSelectedPage{"没有选中的页号",
                                           "No page(s) found in the selected range"};
inline constexpr Bilingual kForbiddenInPostamble{"非法DVI文件",
                                                 "Forbidden command found in postamble"};
inline constexpr Bilingual kMemoryError{"内存申请错", "Memory allocation error"};

// The drivers' specials a document has and the previewer does not draw.
inline constexpr Bilingual kSpecialsNotDrawn{"以下几种特殊命令 (\\special) 没有显示:",
                                             "These kinds of \\special are not drawn:"};
inline constexpr Bilingual kSpecialNotDrawn{"\n  %s (第一次在第%ld页)",
                                            "\n  %s (first on page %ld)"};
inline constexpr Bilingual kColorStackOverflow{"color push 超过255层",
                                               "color push beyond 255 levels"};
inline constexpr Bilingual kColorStackUnderflow{"color pop 时颜色堆栈已空",
                                                "color pop with no colour pushed"};

// Figures.
inline constexpr Bilingual kFiguresNotDrawn{"以下插图没有画出, 只显示其边框:",
                                            "These figures are not drawn; a frame shows their place:"};
inline constexpr Bilingual kFigureMissing{"\n  %s: 找不到文件", "\n  %s: the file is not found"};
inline constexpr Bilingual kFigureTooLarge{"\n  %s: 插图太大或无法放置",
                                           "\n  %s: too large, or it cannot be placed"};
inline constexpr Bilingual kFigureNoGhostscript{
    "\n  %s: 无法运行 Ghostscript, 或它运行超时 (选项 -K 可指定它)",
    "\n  %s: Ghostscript could not be run or took too long (option -K names it)"};
inline constexpr Bilingual kFigureRejected{"\n  %s: Ghostscript 无法画出它",
                                           "\n  %s: Ghostscript could not draw it"};
inline constexpr Bilingual kFigureCommand{"\n  %s: 这是一个命令, 不执行",
                                          "\n  %s: it names a command, which is not run"};

// Scanning pages.
inline constexpr Bilingual kScanningPage{"扫描第%ld页", "Scanning page %ld"};
inline constexpr Bilingual kSkippingPage{"跳过第%ld页", "Skipping page %ld"};
inline constexpr Bilingual kForbiddenWhileScanning{"非法DVI文件",
                                                   "Forbidden command found while scanning"};
inline constexpr Bilingual kForbiddenOnPage{"非法DVI文件",
                                            "Forbidden command found while scanning page %d"};
inline constexpr Bilingual kForbiddenCharacter{"非法字符", "Forbiden char. no. found"};
inline constexpr Bilingual kForbiddenChinese{"非法字符", "Forbiden cc no. found"};
inline constexpr Bilingual kInvalidChineseCode{"非法字符", "invalid Chinese character code ignored"};
inline constexpr Bilingual kIncompleteChinese{"忽略多余的半个汉字",
                                              "Incomplete Chinese character(s) ignored"};
inline constexpr Bilingual kZitiOverflow{"字体堆栈上溢", "Ziti stack overflow!"};
inline constexpr Bilingual kZitiUnderflow{"字体堆栈下溢", "Ziti stack underflow!"};
inline constexpr Bilingual kInvalidZiti{"非法字体", "Invalid ziti"};

}  // namespace mox
